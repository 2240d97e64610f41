#pragma once

#include "SlotCommands.h"
#include "slotset/FileMenuCommands.h"
#include "ui/WindowDescription.h"

#include <functional>
#include <string>
#include <vector>

namespace tavimor {

inline constexpr const char* kDropOneFile = "Drop one file at a time. Nothing was opened.";
inline constexpr const char* kDropOnASlot
    = "Drop a text file on a slot's text box to open it there, or a slot set (.tvm) anywhere on the window.";

// The main window's commands, as its description names them, for both front
// ends: the slot and File menu commands run here; closing the window and
// showing the About dialog are the host's.
class MainCommands
{
public:
    struct HostActions
    {
        std::function<void()> close;
        std::function<void()> showAbout;
    };

    MainCommands(Platform& platform, FileDialog& dialog, SlotAccess& slots, HostActions host);

    // Runs one click; a failure ends only this command, with an "Error: " message.
    void run(ui::Command command, int slot);

    // A slot-set file given at start: opened as File > Open opens it.
    void openAtStart(const std::string& path);
    // Files dropped on slot `slot`'s text box, or elsewhere on the window (0):
    // a slot set is File > Open of it, a text file on a slot File Open into it.
    void dropFiles(int slot, const std::vector<std::string>& paths);

private:
    Platform& m_platform;
    SlotCommands m_slotCommands;
    FileMenuCommands m_fileCommands;
    HostActions m_host;
};

} // namespace tavimor

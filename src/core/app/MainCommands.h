#pragma once

#include "SlotCommands.h"
#include "slotset/FileMenuCommands.h"
#include "ui/WindowDescription.h"

#include <functional>

namespace tavimor {

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

private:
    Platform& m_platform;
    SlotCommands m_slotCommands;
    FileMenuCommands m_fileCommands;
    HostActions m_host;
};

} // namespace tavimor

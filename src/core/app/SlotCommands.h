#pragma once

#include "Limits.h"
#include "SlotAccess.h"

namespace tavimor {

class FileDialog;
class Platform;

inline constexpr const char* kNoTextMessage = "There is no text on the Clipboard.";
inline constexpr const char* kTextFilter = "Text files (*.txt)|*.txt";

// The three commands of every slot, written once and run for a slot number.
class SlotCommands
{
public:
    SlotCommands(Platform& platform, FileDialog& dialog, SlotAccess& slots);

    void Copy(int slot);
    void Paste(int slot);
    void FileOpen(int slot);

private:
    Platform& m_platform;
    FileDialog& m_dialog;
    SlotAccess& m_slots;
};

} // namespace tavimor

#pragma once

#include "Limits.h"
#include "SlotAccess.h"

namespace tavimor {

class FileDialog;
class Platform;
class TextFile;

inline constexpr const char* kNoTextMessage = "There is no text on the Clipboard.";
inline constexpr const char* kTextFilter = "Text files (*.txt)|*.txt";

// Why the clipboard's text is not pasted: its size, as far as it is known
// ("more than 100 MiB" where the transfer was stopped at the limit).
std::string clipboardTooLarge(const std::string& size);

// The three commands of every slot, written once and run for a slot number.
class SlotCommands
{
public:
    SlotCommands(Platform& platform, FileDialog& dialog, SlotAccess& slots);

    void Copy(int slot);
    void Paste(int slot);
    void FileOpen(int slot);
    // File Open of a file chosen elsewhere (dropped on the slot): the same
    // reader and messages; the slot changes only when the whole file was read.
    void FileOpenPath(int slot, const std::string& path);

private:
    void readInto(int slot, TextFile& file, const std::string& path);

    Platform& m_platform;
    FileDialog& m_dialog;
    SlotAccess& m_slots;
};

} // namespace tavimor

#pragma once

#include "app/Limits.h"
#include "app/SlotAccess.h"

namespace tavimor {

class FileDialog;
class FileStore;
class Platform;
class TextFile;

inline constexpr const char* kSlotSetFilter = "Tavimor Files (*.tvm)|*.tvm";
inline constexpr const char* kInvalidFormatMessage = "Invalid file format!";

// File > Open and File > Save: all six slots to and from one slot-set file.
class FileMenuCommands
{
public:
    FileMenuCommands(Platform& platform, FileDialog& dialog, SlotAccess& slots);

    // Changes the slots only when the whole file was read.
    void Open();
    // File > Open of a file chosen elsewhere (given at start, dropped on the window).
    void OpenPath(const std::string& path);
    // Never leaves a damaged or partly written file in place of the old one;
    // asks before replacing a file that is not a slot set.
    void Save();

private:
    void prepareDialog();
    void read(TextFile& file, const std::string& path);
    // False when the file at the path would lose what is not a slot set and
    // the user does not want it replaced.
    bool mayReplace(FileStore& store, const std::string& path);

    Platform& m_platform;
    FileDialog& m_dialog;
    SlotAccess& m_slots;
};

} // namespace tavimor

#pragma once

#include <cstdint>
#include <string>

namespace tavimor {

// The program's one open/save file dialog. Callers set the three properties,
// show the dialog, then read FileName: a chosen path, or "" when cancelled.
class FileDialog
{
public:
    virtual ~FileDialog() = default;

    std::string FileName;
    std::int32_t Flags = 0;
    // One "description|pattern" pair, for example "Text files (*.txt)|*.txt".
    std::string Filter;

    virtual void ShowOpen() = 0;
    virtual void ShowSave() = 0;
};

// Hides the read-only check box: the only flag the program ever sets.
inline constexpr std::int32_t kHideReadOnly = 4;

} // namespace tavimor

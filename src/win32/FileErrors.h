#pragma once

// How file failures on Windows are put into words for the "Error: " messages:
// the path first, then the reason.
#include "WideText.h"
#include "WindowsApi.h"
#include "platform/TextFile.h"

#include <string>

namespace tavimor::win32 {

inline const char* kNotRegular = "this is not a regular file (it is a device or another special file)";

// A name in the path longer than any Windows file system takes (255
// characters). Windows reports such a path variously (a missing file or
// folder, a bad name) and Wine as a missing file: it is looked for first.
inline bool hasOverlongName(const std::wstring& path)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'\\' || path[i] == L'/') {
            if (i - start > 255)
                return true;
            start = i + 1;
        }
    }
    return false;
}
inline constexpr const char* kOverlongName = "the name is too long: a file or folder name holds at most 255 characters";

inline std::string describeError(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND: return "the file does not exist";
    case ERROR_PATH_NOT_FOUND: return "the folder does not exist";
    case ERROR_ACCESS_DENIED: return "permission denied";
    default: return systemMessage(error);
    }
}

// Closes a handle however the step ends.
struct Handle
{
    HANDLE h = INVALID_HANDLE_VALUE;
    Handle() = default;
    explicit Handle(HANDLE handle) : h(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { close(); }
    bool valid() const { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    // Closes now; false when closing failed.
    bool close()
    {
        const bool ok = !valid() || ::CloseHandle(h);
        h = INVALID_HANDLE_VALUE;
        return ok;
    }
};

// The path in the form that the file functions take at any length: absolute,
// with the "\\?\" prefix ("\\?\UNC\" for a share). Windows 10 lifts the
// 260-character limit without it only where the machine is set so. A device
// name (NUL, COM1) stays as the system names it ("\\.\NUL").
std::wstring longPath(const std::string& path);

// The path as the user knows it, for messages: "\\?\C:\..." as "C:\...",
// "\\?\UNC\server\share\..." as "\\server\share\..." (the forms Explorer takes).
std::string userPath(const std::string& path);

// An existing file on disk, not a folder: a name such as NUL or COM1 is a
// device. Asks for no access, so opening it has no effect on a device.
inline bool isDiskFile(const std::wstring& name) // in longPath form
{
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    Handle file(::CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr));
    return file.valid() && ::GetFileType(file.h) == FILE_TYPE_DISK;
}

// The folder part of a path ("C:\a\b.tvm" -> "C:\a"), "." for a bare name.
inline std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return ".";
    if (slash == 0 || (slash == 2 && path[1] == ':'))
        return path.substr(0, slash + 1); // the root keeps its backslash
    return path.substr(0, slash);
}

} // namespace tavimor::win32

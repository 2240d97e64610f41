#pragma once

// How file failures on Windows are put into words for the "Error: " messages:
// the path first, then the reason.
#include "WideText.h"
#include "WindowsApi.h"
#include "platform/TextFile.h"

#include <string>

namespace tavimor::win32 {

inline const char* kNotRegular = "this is not a regular file (it is a device or another special file)";

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

// An existing file on disk, not a folder: a name such as NUL or COM1 is a
// device. Asks for no access, so opening it has no effect on a device.
inline bool isDiskFile(const std::wstring& name)
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

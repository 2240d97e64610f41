#include "Win32FileStore.h"

#include "FileErrors.h"
#include "Win32OutputFile.h"
#include "WaitCursor.h"
#include "app/Limits.h"

#include <algorithm>

namespace tavimor::win32 {

std::string Win32FileStore::readAll(const std::string& path, std::uint64_t maxBytes)
{
    const std::wstring name = wide(path);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        fail(path, kFolder);
    Handle file(::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid())
        fail(path, describeError(::GetLastError()));
    // The checks are made on the opened file itself, so nothing can be swapped in between.
    if (::GetFileType(file.h) != FILE_TYPE_DISK)
        fail(path, kNotRegular);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.h, &size))
        fail(path, describeError(::GetLastError()));
    if (std::uint64_t(size.QuadPart) > maxBytes)
        throw FileTooLargeError(path, std::uint64_t(size.QuadPart));

    WaitCursor busy(std::uint64_t(size.QuadPart) >= kWaitCursorBytes);
    std::string bytes(std::size_t(size.QuadPart), '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            // The file may have grown since it was measured.
            if (bytes.size() > maxBytes)
                throw FileTooLargeError(path, bytes.size());
            bytes.resize(bytes.size() + 64 * 1024);
        }
        const DWORD want = DWORD(std::min<std::size_t>(bytes.size() - done, 16u * 1024 * 1024));
        DWORD got = 0;
        if (!::ReadFile(file.h, bytes.data() + done, want, &got, nullptr))
            fail(path, describeError(::GetLastError()));
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    if (done > maxBytes)
        throw FileTooLargeError(path, done);
    return bytes;
}

std::unique_ptr<OutputFile> Win32FileStore::create(const std::string& path)
{
    return std::make_unique<Win32OutputFile>(path);
}

} // namespace tavimor::win32

#include "Win32FileStore.h"

#include "FileErrors.h"
#include "Win32OutputFile.h"
#include "WaitCursor.h"
#include "app/Limits.h"

#include <algorithm>

namespace tavimor::win32 {

std::string Win32FileStore::readAll(const std::string& given, std::uint64_t maxBytes)
{
    const std::wstring name = longPath(given);
    const std::string path = userPath(given); // for messages
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        failFile(path, kFolderReason);
    Handle file(::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid())
        failFile(path, hasOverlongName(name) ? kOverlongName : describeError(::GetLastError()));
    // The checks are made on the opened file itself, so nothing can be swapped in between.
    if (::GetFileType(file.h) != FILE_TYPE_DISK)
        failFile(path, kNotRegular);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.h, &size))
        failFile(path, describeError(::GetLastError()));
    if (std::uint64_t(size.QuadPart) > maxBytes)
        throw FileTooLargeError(path, std::uint64_t(size.QuadPart));

    WaitCursor busy(std::uint64_t(size.QuadPart) >= kWaitCursorBytes);
    return readToEnd(path, std::uint64_t(size.QuadPart), maxBytes, [&](char* buffer, std::size_t count) {
        DWORD got = 0;
        if (!::ReadFile(file.h, buffer, DWORD(std::min<std::size_t>(count, 16u * 1024 * 1024)), &got, nullptr))
            failFile(path, describeError(::GetLastError()));
        return std::size_t(got);
    });
}

std::optional<std::string> Win32FileStore::readHead(const std::string& given, std::size_t maxBytes)
{
    const std::wstring name = longPath(given);
    const std::string path = userPath(given); // for messages
    // A device name (NUL, COM1) is not opened for reading at all.
    if (!isDiskFile(name))
        return std::nullopt;
    Handle file(::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.valid())
        failFile(path, describeError(::GetLastError()));
    std::string head(maxBytes, '\0');
    DWORD got = 0;
    if (!::ReadFile(file.h, head.data(), DWORD(maxBytes), &got, nullptr))
        failFile(path, describeError(::GetLastError()));
    head.resize(got);
    return head;
}

std::unique_ptr<OutputFile> Win32FileStore::create(const std::string& path)
{
    return std::make_unique<Win32OutputFile>(path, m_calls);
}

} // namespace tavimor::win32

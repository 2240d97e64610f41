#include "Win32OutputFile.h"

#include "WaitCursor.h"
#include "app/Limits.h"

#include <atomic>

namespace tavimor::win32 {

namespace {

std::wstring tempNameBeside(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    const std::string folder = folderOf(path);
    const std::size_t slash = path.find_last_of("\\/");
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = folder;
    if (temp.back() != '\\' && temp.back() != '/')
        temp += '\\';
    temp += "~" + base + "." + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(counter++) + ".tavimor";
    return wide(temp);
}

} // namespace

Win32OutputFile::Win32OutputFile(const std::string& path)
    : m_path(path)
    , m_target(wide(path))
{
    const DWORD attributes = ::GetFileAttributesW(m_target.c_str());
    const DWORD missing = attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : ERROR_SUCCESS;
    const std::string notRegular = std::string(kNotRegular) + "; only regular files are saved to";
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            failFile(path, kFolderReason);
        if (!isDiskFile(m_target))
            failFile(path, notRegular);
        if (attributes & FILE_ATTRIBUTE_READONLY)
            failFile(path, "the file is read-only");
        m_replacing = true;
    } else if (missing != ERROR_FILE_NOT_FOUND) {
        if (missing == ERROR_PATH_NOT_FOUND)
            failFile(path, "the folder \"" + folderOf(path) + "\" does not exist");
        if (!isDiskFile(m_target)) // a device name answers no attributes on some systems
            failFile(path, notRegular);
        failFile(path, describeError(missing));
    }

    m_temp = tempNameBeside(path);
    m_file.h = ::CreateFileW(m_temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!m_file.valid()) {
        const DWORD error = ::GetLastError();
        m_temp.clear();
        if (error == ERROR_PATH_NOT_FOUND)
            failFile(path, "the folder \"" + folderOf(path) + "\" does not exist");
        if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT)
            failFile(path, "the folder \"" + folderOf(path) + "\" cannot be written (" + systemMessage(error) + ")");
        failWith(error);
    }
}

Win32OutputFile::~Win32OutputFile()
{
    m_file.close();
    if (!m_temp.empty())
        ::DeleteFileW(m_temp.c_str());
}

void Win32OutputFile::commit()
{
    WaitCursor busy(size() >= kWaitCursorBytes);
    flush();
    // Every step can fail on a full or failing disk; the old file stays until
    // the last step puts the new one in its place.
    if (!::FlushFileBuffers(m_file.h))
        failWith(::GetLastError());
    if (!m_file.close())
        failWith(::GetLastError());
    const BOOL placed = m_replacing ? ::ReplaceFileW(m_target.c_str(), m_temp.c_str(), nullptr,
                                                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                                                     nullptr, nullptr)
                                    : ::MoveFileExW(m_temp.c_str(), m_target.c_str(), MOVEFILE_WRITE_THROUGH);
    if (!placed)
        failWith(::GetLastError());
    m_temp.clear();
}

void Win32OutputFile::writeAll(std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD want = DWORD(std::min<std::size_t>(bytes.size(), 64u * 1024 * 1024));
        DWORD wrote = 0;
        if (!::WriteFile(m_file.h, bytes.data(), want, &wrote, nullptr))
            failWith(::GetLastError());
        if (wrote == 0)
            failWith(ERROR_DISK_FULL);
        bytes.remove_prefix(wrote);
    }
}

void Win32OutputFile::failWith(DWORD error) const
{
    failFile(m_path, systemMessage(error));
}

} // namespace tavimor::win32

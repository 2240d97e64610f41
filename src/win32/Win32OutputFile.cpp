#include "Win32OutputFile.h"

#include "WaitCursor.h"
#include "app/Limits.h"

#include <atomic>

namespace tavimor::win32 {

namespace {

// A short name beside the target, whatever the target's length: the target's
// own name may already be as long as a name can be.
std::wstring nameBeside(const std::wstring& target, const wchar_t* ending)
{
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = target.find_last_of(L'\\');
    return target.substr(0, slash + 1) + L"~tavimor-" + std::to_wstring(::GetCurrentProcessId()) + L"-"
        + std::to_wstring(counter++) + ending;
}

bool exists(const std::wstring& name)
{
    return ::GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The target is held by another program for a moment, or not yet free to be
// replaced: nothing has changed, and trying again may go through.
bool heldForAMoment(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION
        || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

constexpr int kWaitMilliseconds = 2000;
constexpr int kRetryMilliseconds = 50;

std::string narrowPath(const std::wstring& name)
{
    return narrow(name.rfind(L"\\\\?\\", 0) == 0 && name.rfind(L"\\\\?\\UNC\\", 0) != 0 ? name.substr(4) : name);
}

} // namespace

PlaceCalls systemPlaceCalls()
{
    return {::ReplaceFileW, ::MoveFileExW};
}

Win32OutputFile::Win32OutputFile(const std::string& path, PlaceCalls calls)
    : m_path(path)
    , m_target(longPath(path))
    , m_calls(calls)
{
    if (hasOverlongName(m_target))
        failFile(path, kOverlongName);
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

    m_temp = nameBeside(m_target, L".tmp");
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
    if (m_replacing)
        replaceTarget();
    else
        moveIntoPlace();
}

void Win32OutputFile::moveIntoPlace()
{
    for (int waited = 0;; waited += kRetryMilliseconds) {
        if (m_calls.move(m_temp.c_str(), m_target.c_str(), MOVEFILE_WRITE_THROUGH)) {
            m_temp.clear();
            return;
        }
        const DWORD error = ::GetLastError();
        if (!heldForAMoment(error) || waited >= kWaitMilliseconds)
            failWith(error); // nothing was there before: the temporary file goes
        ::Sleep(kRetryMilliseconds);
    }
}

void Win32OutputFile::replaceTarget()
{
    m_backup = nameBeside(m_target, L".bak");
    for (int waited = 0;; waited += kRetryMilliseconds) {
        if (m_calls.replace(m_target.c_str(), m_temp.c_str(), m_backup.c_str(),
                            REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr)) {
            m_temp.clear();
            ::DeleteFileW(m_backup.c_str()); // the old set, now replaced
            return;
        }
        const DWORD error = ::GetLastError();
        if (!heldForAMoment(error) || waited >= kWaitMilliseconds || !exists(m_target) || !exists(m_temp))
            return recover(error);
        ::Sleep(kRetryMilliseconds);
    }
}

void Win32OutputFile::recover(DWORD error)
{
    if (exists(m_target) && exists(m_temp)) {
        // Nothing moved: the old file is in its place, the temporary file goes.
        ::DeleteFileW(m_backup.c_str());
        failWith(error);
    }
    if (exists(m_target)) { // the new file reached its place after all
        m_temp.clear();
        ::DeleteFileW(m_backup.c_str());
        return;
    }
    // The old file was moved away (to the backup name) and the new one did not
    // take its place: try that once more, else bring the old one back.
    if (exists(m_temp) && m_calls.move(m_temp.c_str(), m_target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        m_temp.clear();
        ::DeleteFileW(m_backup.c_str());
        return;
    }
    if (exists(m_backup) && m_calls.move(m_backup.c_str(), m_target.c_str(), MOVEFILE_WRITE_THROUGH))
        failWith(error); // the old file is back; the temporary file goes
    // Neither could be put back: both stay, and the user learns where.
    std::string where;
    if (exists(m_temp))
        where += "; the new set is kept in \"" + narrowPath(m_temp) + "\"";
    if (exists(m_backup))
        where += "; the old file is kept in \"" + narrowPath(m_backup) + "\"";
    m_temp.clear(); // the only copy of the new set: never deleted
    failFile(m_path, systemMessage(error) + where);
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
    failFile(m_path, describeError(error));
}

} // namespace tavimor::win32

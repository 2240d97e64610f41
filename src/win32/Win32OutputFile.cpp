#include "Win32OutputFile.h"

#include "WaitCursor.h"
#include "app/Limits.h"

#include <cstring>
#include <vector>

#include <ntsecapi.h>

namespace tavimor::win32 {

namespace {

// Eight random hexadecimal digits: names that a later run cannot meet again,
// as it could names made of the process id, which Windows soon reuses.
std::wstring randomPart()
{
    unsigned char bytes[4] = {};
    if (!RtlGenRandom(bytes, sizeof bytes)) {
        LARGE_INTEGER now{};
        ::QueryPerformanceCounter(&now);
        std::memcpy(bytes, &now.LowPart, sizeof bytes);
    }
    wchar_t digits[9] = {};
    for (int i = 0; i < 4; ++i) {
        digits[2 * i] = L"0123456789abcdef"[bytes[i] >> 4];
        digits[2 * i + 1] = L"0123456789abcdef"[bytes[i] & 15];
    }
    return digits;
}

// A short name beside the target, whatever the target's length: the target's
// own name may already be as long as a name can be.
std::wstring nameBeside(const std::wstring& target, const wchar_t* ending)
{
    const std::size_t slash = target.find_last_of(L'\\');
    return target.substr(0, slash + 1) + L"~tvm" + randomPart() + ending;
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

// Why a replacement failed, in words that fit what the user then finds.
std::string whyNotReplaced(DWORD error)
{
    switch (error) {
    case ERROR_UNABLE_TO_REMOVE_REPLACED: return "the old file could not be moved aside";
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: return "the new file could not be put in the old one's place";
    default: return describeError(error);
    }
}

constexpr const char* kNothingSaved = "; nothing was saved, and the old file is unchanged";
constexpr int kWaitMilliseconds = 2000;
constexpr int kRetryMilliseconds = 50;

} // namespace

PlaceCalls systemPlaceCalls()
{
    return {::ReplaceFileW, ::MoveFileExW};
}

Win32OutputFile::Win32OutputFile(const std::string& path, PlaceCalls calls)
    : m_path(userPath(path))
    , m_target(longPath(path))
    , m_calls(calls)
{
    if (hasOverlongName(m_target))
        failFile(m_path, kOverlongName);
    const DWORD attributes = ::GetFileAttributesW(m_target.c_str());
    const DWORD missing = attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : ERROR_SUCCESS;
    const std::string notRegular = std::string(kNotRegular) + "; only regular files are saved to";
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            failFile(m_path, kFolderReason);
        if (!isDiskFile(m_target))
            failFile(m_path, notRegular);
        if (attributes & FILE_ATTRIBUTE_READONLY)
            failFile(m_path, "the file is read-only");
        m_replacing = true;
    } else if (missing != ERROR_FILE_NOT_FOUND) {
        if (missing == ERROR_PATH_NOT_FOUND)
            failFile(m_path, "the folder \"" + folderOf(m_path) + "\" does not exist");
        if (!isDiskFile(m_target)) // a device name answers no attributes on some systems
            failFile(m_path, notRegular);
        failFile(m_path, describeError(missing));
    }

    m_temp = nameBeside(m_target, L".tmp");
    m_file.h = m_calls.create(m_temp.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (!m_file.valid()) {
        const DWORD error = ::GetLastError();
        m_temp.clear();
        if (error == ERROR_PATH_NOT_FOUND)
            failFile(m_path, "the folder \"" + folderOf(m_path) + "\" does not exist");
        if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT)
            failFile(m_path, "the folder \"" + folderOf(m_path) + "\" cannot be written (" + systemMessage(error) + ")");
        failWith(error);
    }
}

Win32OutputFile::~Win32OutputFile()
{
    if (!m_temp.empty() && m_file.valid())
        removeThroughHandle();
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
    if (m_replacing)
        replaceTarget();
    else
        moveIntoPlace();
}

void Win32OutputFile::moveIntoPlace()
{
    for (int waited = 0;; waited += kRetryMilliseconds) {
        if (renameThroughHandle()) {
            // The set was whole on the disk before it took the name; the
            // name is flushed with the file's entry.
            m_temp.clear();
            ::FlushFileBuffers(m_file.h);
            m_file.close();
            return;
        }
        const DWORD error = ::GetLastError();
        if (!heldForAMoment(error) || waited >= kWaitMilliseconds)
            failWith(error); // nothing was there before: the temporary file goes
        ::Sleep(kRetryMilliseconds);
    }
}

bool Win32OutputFile::renameThroughHandle()
{
    const std::size_t nameBytes = m_target.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = FALSE; // a file that appeared there meanwhile is not destroyed
    rename->RootDirectory = nullptr;
    rename->FileNameLength = DWORD(nameBytes);
    std::memcpy(rename->FileName, m_target.c_str(), nameBytes);
    return m_calls.setInformation(m_file.h, FileRenameInfo, rename, DWORD(buffer.size()));
}

void Win32OutputFile::removeThroughHandle()
{
    FILE_DISPOSITION_INFO remove{TRUE};
    if (m_calls.setInformation(m_file.h, FileDispositionInfo, &remove, sizeof remove))
        m_temp.clear(); // gone when the handle closes
}

void Win32OutputFile::replaceTarget()
{
    // ReplaceFileW opens the new file itself, by its name.
    if (!m_file.close())
        failWith(::GetLastError());
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
        failFile(m_path, whyNotReplaced(error) + kNothingSaved);
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
        failFile(m_path, whyNotReplaced(error) + kNothingSaved); // the temporary file goes
    // Neither could be put back: both stay, and the user learns where.
    std::string where;
    if (exists(m_temp))
        where += "; the new set is kept in \"" + userPath(narrow(m_temp)) + "\"";
    if (exists(m_backup))
        where += "; the old file is kept in \"" + userPath(narrow(m_backup)) + "\"";
    m_temp.clear(); // the only copy of the new set: never deleted
    failFile(m_path, whyNotReplaced(error) + where);
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

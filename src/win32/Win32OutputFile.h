#pragma once

#include "FileErrors.h"
#include "platform/FileStore.h"

#include <cstdint>
#include <string>

namespace tavimor::win32 {

// The calls that make a saved file and put it in its place, so that tests can
// give the answers that the real API gives and Wine does not (ReplaceFileW's
// errors 1175 to 1177, with the files left as Windows documents for each; a
// folder's ACL that lets a user create files but not delete them), and see
// what the program asks for.
struct PlaceCalls
{
    BOOL(WINAPI* replace)(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID, LPVOID);
    BOOL(WINAPI* move)(LPCWSTR from, LPCWSTR to, DWORD flags);
    HANDLE(WINAPI* create)(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES, DWORD disposition,
                           DWORD attributes, HANDLE) = ::CreateFileW;
    BOOL(WINAPI* setInformation)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD) = ::SetFileInformationByHandle;
};
PlaceCalls systemPlaceCalls();

// A file being saved: the bytes go into a new file beside the target, which
// takes the target's place only when every byte is written and flushed. The
// old file is kept under a backup name meanwhile. Whatever fails, one whole
// copy stays, of the old set under its own name or of the new set (or both)
// under names that the message gives. A file that another program holds for
// a moment (a virus scanner, an indexer) is waited for, up to about 2 s.
class Win32OutputFile : public BufferedOutputFile
{
public:
    Win32OutputFile(const std::string& path, PlaceCalls calls);
    ~Win32OutputFile() override;

    void commit() override;

private:
    void writeAll(std::string_view bytes) override;
    void replaceTarget();
    void moveIntoPlace();
    // Through the temporary file's own handle, opened with DELETE access: a
    // folder may let its user create files but not delete or rename them by
    // name afterwards.
    bool renameThroughHandle();
    void removeThroughHandle();
    // After a failed replacement: the files as they now stand are put right
    // where they can be. Returns when the new set reached its place after
    // all; else throws, telling where each copy is.
    void recover(DWORD error);
    [[noreturn]] void failWith(DWORD error) const;

    std::string m_path; // as the user named it, for messages
    std::wstring m_target;
    std::wstring m_temp;
    std::wstring m_backup;
    PlaceCalls m_calls;
    bool m_replacing = false; // an existing file is replaced
    Handle m_file;
};

} // namespace tavimor::win32

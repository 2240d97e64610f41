// Saving, and the file dialogs, under conditions of real Windows machines that
// Wine does not make, one row each, with what the program asks for recorded:
// a folder that lets its user create files but not rename or delete them by
// name, names that a later run cannot meet, paths in the form the user knows,
// the running mark held by every account, and the first dialog's folder.
#include "ProcessHygiene.h"
#include "TextFileSteps.h"
#include "UnixSide.h"
#include "Win32FileDialog.h"
#include "Win32FileStore.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <sddl.h>

#include <functional>
#include <vector>

using namespace tavimor;
using namespace tavimor::test;
using namespace tavimor::win32;

namespace {

// What the stand-ins saw, and how they answer.
std::vector<std::wstring> g_created;
std::vector<DWORD> g_access;
std::vector<FILE_INFO_BY_HANDLE_CLASS> g_throughHandle;
bool g_refuseRename = false;
std::wstring g_dialogFolder, g_markSecurity;
DWORD g_markAccess = 0;

HANDLE WINAPI recordCreate(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                           DWORD attributes, HANDLE model)
{
    g_created.push_back(name);
    g_access.push_back(access);
    return ::CreateFileW(name, access, share, security, disposition, attributes, model);
}
BOOL WINAPI denyMove(LPCWSTR, LPCWSTR, DWORD) // the folder lets no name be moved or deleted by name
{
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}
BOOL WINAPI recordThroughHandle(HANDLE file, FILE_INFO_BY_HANDLE_CLASS what, LPVOID information, DWORD size)
{
    g_throughHandle.push_back(what);
    if (what == FileRenameInfo && g_refuseRename) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return ::SetFileInformationByHandle(file, what, information, size);
}
HANDLE WINAPI recordMark(LPSECURITY_ATTRIBUTES security, LPCWSTR name, DWORD flags, DWORD access)
{
    g_markAccess = access;
    LPWSTR text = nullptr;
    if (security && ::ConvertSecurityDescriptorToStringSecurityDescriptorW(
                        security->lpSecurityDescriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr))
        g_markSecurity = text;
    ::LocalFree(text);
    return ::CreateMutexExW(security, name, flags, access);
}
BOOL WINAPI recordDialogFolder(OPENFILENAMEW* dialog)
{
    g_dialogFolder = dialog->lpstrInitialDir ? dialog->lpstrInitialDir : L"";
    return FALSE; // cancelled
}

} // namespace

TEST(SaveConditions, EveryConditionKeepsOneWholeCopyAndAsksOnlyForWhatItNeeds)
{
    UnixFolder folder;
    const auto save = [&](const PlaceCalls& calls, const std::string& name) {
        Win32FileStore store(calls);
        TextFile file(store);
        return saveError(file, name.find('\\') == std::string::npos ? folder.win(name) : name, "new");
    };
    const PlaceCalls noDelete{::ReplaceFileW, denyMove, recordCreate, recordThroughHandle};
    const std::pair<const char*, std::function<std::string()>> rows[] = { // "" when everything held
        {"a new set where files can be made but not renamed or deleted by name", [&]() -> std::string {
             const std::string error = save(noDelete, "new.tvm");
             return !error.empty() ? error
                 : !(g_access.back() & DELETE) || getFile(folder.win("new.tvm")) != "new\r\n" ? "not through the handle" : "";
         }},
        {"the same, when the rename fails too: the temporary file goes through its handle", [&]() -> std::string {
             g_refuseRename = true;
             const std::string error = save(noDelete, "refused.tvm");
             g_refuseRename = false;
             return error.empty() ? "saved" : g_throughHandle.back() != FileDispositionInfo ? "not removed: " + error : "";
         }},
        {"temporary and backup names that a later run cannot meet", [&]() -> std::string {
             g_created.clear();
             putFile(folder.win("old.tvm"), "old");
             const std::string error = save({::ReplaceFileW, ::MoveFileExW, recordCreate}, "old.tvm")
                 + save({::ReplaceFileW, ::MoveFileExW, recordCreate}, "old.tvm");
             return !error.empty() ? error : g_created[0] == g_created[1] ? "the same name twice" : "";
         }},
        {"paths in messages as the user knows them", [&]() -> std::string {
             const std::string error = save(systemPlaceCalls(), "\\\\?\\" + folder.win("missing\\set.tvm"));
             return error.find("\\\\?\\") != std::string::npos ? "shown as " + error : "";
         }},
        {"the running mark, held by every account", [&]() -> std::string {
             const Handle first(holdRunningMark(recordMark));
             const Handle second(holdRunningMark()); // as another instance opens it
             return !first.valid() || !second.valid() ? "no mark"
                 : g_markAccess != SYNCHRONIZE || g_markSecurity != L"D:(A;;0x100000;;;WD)" ? "asked for more" : "";
         }},
        {"the first file dialog, in Documents rather than the current system folder", [&]() -> std::string {
             Win32FileDialog dialog(nullptr, {recordDialogFolder, recordDialogFolder});
             dialog.ShowOpen();
             return g_dialogFolder.empty() || g_dialogFolder != documentsFolder() ? "opened in " + narrow(g_dialogFolder) : "";
         }},
    };
    for (const auto& [condition, saveAndCheck] : rows) {
        EXPECT_EQ(saveAndCheck(), "") << condition;
        EXPECT_EQ(unixShell("ls -a " + folder.unix + " | grep -e '^~tvm' || true"), "") << condition << ": a temporary file is left";
    }
    unixShell("rm -rf " + folder.unix);
}

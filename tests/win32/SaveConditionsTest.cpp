// Saving under conditions of real Windows machines that Wine does not make,
// one row each, with what the program asks for recorded: a folder that lets
// its user create files but not delete or rename them by name, names that a
// later run cannot meet, paths in the form the user knows, and the running
// mark held by every account.
#include "ProcessHygiene.h"
#include "TextFileSteps.h"
#include "UnixSide.h"
#include "Win32FileStore.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <sddl.h>

#include <functional>
#include <regex>
#include <vector>

using namespace tavimor;
using namespace tavimor::test;
using namespace tavimor::win32;

namespace {

// What the stand-ins saw, and how they answer.
struct Seen
{
    std::vector<std::wstring> created;
    std::vector<DWORD> access;
    std::vector<FILE_INFO_BY_HANDLE_CLASS> through; // what was done through a handle
    bool refuseRename = false;
} seen;

HANDLE WINAPI recordCreate(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                           DWORD attributes, HANDLE model)
{
    seen.created.push_back(name);
    seen.access.push_back(access);
    return ::CreateFileW(name, access, share, security, disposition, attributes, model);
}

// The folder's ACL lets no name be moved or deleted by name.
BOOL WINAPI denyMove(LPCWSTR, LPCWSTR, DWORD)
{
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

BOOL WINAPI recordThroughHandle(HANDLE file, FILE_INFO_BY_HANDLE_CLASS what, LPVOID information, DWORD size)
{
    seen.through.push_back(what);
    if (what == FileRenameInfo && seen.refuseRename) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return ::SetFileInformationByHandle(file, what, information, size);
}

struct Mark
{
    std::wstring name;
    DWORD access = 0;
    std::wstring security;
} mark;

HANDLE WINAPI recordMark(LPSECURITY_ATTRIBUTES security, LPCWSTR name, DWORD flags, DWORD access)
{
    mark = {name, access, L""};
    LPWSTR text = nullptr;
    if (security && ::ConvertSecurityDescriptorToStringSecurityDescriptorW(
                        security->lpSecurityDescriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr))
        mark.security = text;
    ::LocalFree(text);
    return ::CreateMutexExW(security, name, flags, access);
}

} // namespace

TEST(SaveConditions, EveryConditionKeepsOneWholeCopyAndAsksOnlyForWhatItNeeds)
{
    UnixFolder folder;
    const PlaceCalls denied{::ReplaceFileW, denyMove, recordCreate, recordThroughHandle};
    const auto saveWith = [&](const PlaceCalls& calls, const std::string& path) {
        Win32FileStore store(calls);
        TextFile file(store);
        return saveError(file, path, "new");
    };
    struct Row
    {
        const char* condition;
        std::function<std::string()> saveAndCheck; // "" when everything held
    };
    const Row rows[] = {
        {"a new set where files can be made but not renamed or deleted by name", [&]() -> std::string {
             seen = {};
             if (const std::string error = saveWith(denied, folder.win("new.tvm")); !error.empty())
                 return error;
             return seen.access.size() == 1 && (seen.access[0] & DELETE) && getFile(folder.win("new.tvm")) == "new\r\n"
                 ? "" : "the temporary file was not opened with DELETE, or the set is not in place";
         }},
        {"the same, when the rename fails too: the temporary file goes through its handle", [&]() -> std::string {
             seen = {};
             seen.refuseRename = true;
             const std::string error = saveWith(denied, folder.win("refused.tvm"));
             const bool removed = std::find(seen.through.begin(), seen.through.end(), FileDispositionInfo) != seen.through.end();
             return error.empty() ? "saved" : !removed ? "not removed through its handle: " + error : "";
         }},
        {"temporary and backup names with a random part", [&]() -> std::string {
             seen = {};
             putFile(folder.win("old.tvm"), "old");
             for (int i = 0; i < 2; ++i)
                 if (const std::string error = saveWith({::ReplaceFileW, ::MoveFileExW, recordCreate}, folder.win("old.tvm")); !error.empty())
                     return error;
             const std::wregex name(LR"(.*\\~tvm[0-9a-f]{8}\.tmp)");
             return seen.created.size() == 2 && seen.created[0] != seen.created[1]
                     && std::regex_match(seen.created[0], name) && std::regex_match(seen.created[1], name)
                 ? "" : "names " + narrow(seen.created.empty() ? L"" : seen.created[0]);
         }},
        {"paths in messages as the user knows them", [&]() -> std::string {
             const std::string local = saveWith(systemPlaceCalls(), "\\\\?\\" + folder.win("no-such-folder\\set.tvm").substr(0));
             const std::string share = userPath("\\\\?\\UNC\\server\\share\\set.tvm");
             return local.find("\\\\?\\") != std::string::npos ? "a long path shown: " + local
                 : share != "\\\\server\\share\\set.tvm" ? "a share shown as " + share : "";
         }},
        {"the running mark, held by every account", [&]() -> std::string {
             const Handle first(holdRunningMark(recordMark));
             const Handle second(holdRunningMark()); // as another instance opens it
             return !first.valid() || !second.valid() ? "no mark"
                 : mark.name != L"Global\\TavimorRunning" || mark.access != SYNCHRONIZE ? "asked for " + std::to_string(mark.access)
                 : mark.security != L"D:(A;;0x100000;;;WD)" ? "security " + narrow(mark.security) : "";
         }},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.saveAndCheck(), "") << row.condition;
        for (const std::string& name : {std::string("~tvm"), std::string(".tmp"), std::string(".bak")})
            EXPECT_TRUE(unixShell("ls -a " + folder.unix + " | grep -F -- '" + name + "' || true").empty())
                << row.condition << ": a temporary file is left";
    }
    unixShell("rm -rf " + folder.unix);
}

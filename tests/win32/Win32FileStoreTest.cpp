// Files on disk through the Windows file store and the program's text file:
// names in any script, things that are not files, and saving that keeps the
// old file whatever fails.
#include "TextFileSteps.h"
#include "UnixSide.h"
#include "Win32FileStore.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace tavimor;
using namespace tavimor::test;
using namespace tavimor::win32;

namespace {

struct Win32FileStoreTest : ::testing::Test
{
    UnixFolder folder;
    Win32FileStore store;
    TextFile file{store};

    void TearDown() override { unixShell("rm -rf " + folder.unix); }

    std::string openError(const std::string& path) { return test::openError(file, path); }
    std::string save(const std::string& path, const std::string& line) { return saveError(file, path, line); }
    static std::vector<std::string> entries(const std::string& windowsFolder)
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAW found{};
        const HANDLE search = ::FindFirstFileW(wide(windowsFolder + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            const std::string name = narrow(found.cFileName);
            if (name != "." && name != "..")
                names.push_back(name);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }
};

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(Win32FileStoreTest, ReadsNamesInAnyScript)
{
    const std::string name = folder.win("Grüße an alle 📝.txt");
    putFile(name, "caf\xE9\r\n");
    file.OpenInput(name, kSlotLimit);
    EXPECT_EQ(file.ReadLine(), "caf\xC3\xA9");
    file.Close();
    EXPECT_EQ(save(folder.win("Sätze 📝.tvm"), "x"), "");
    EXPECT_EQ(getFile(folder.win("Sätze 📝.tvm")), "x\r\n");
}

TEST_F(Win32FileStoreTest, RefusesWhatIsNotAnOrdinaryReadableFile)
{
    ::CreateDirectoryW(wide(folder.win("folder")).c_str(), nullptr);
    putFile(folder.win("binary"), std::string("MZ\0\0", 4));
    unixShell("truncate -s 1000000000 " + folder.unix + "/huge"); // 1 GB, sparse
    const std::pair<std::string, const char*> cases[] = {
        {folder.win("missing.txt"), "does not exist"}, {folder.win("folder"), "folder"},
        {"NUL", "not a regular file"},                {folder.win("binary"), "not a text file"},
        {folder.win("huge"), "too large for a slot"},
    };
    for (const auto& [path, reason] : cases)
        EXPECT_TRUE(contains(openError(path), reason)) << path << ": " << openError(path);
}

TEST_F(Win32FileStoreTest, SavingReplacesOnlyWhenEverythingWasWritten)
{
    const std::string target = folder.win("set.tvm");
    putFile(target, "old");
    EXPECT_EQ(save(target, "new"), "");
    EXPECT_EQ(getFile(target), "new\r\n");
    EXPECT_EQ(entries(folder.windows), std::vector<std::string>{"set.tvm"});

    ::SetFileAttributesW(wide(target).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(contains(save(target, "newer"), "read-only"));
    ::SetFileAttributesW(wide(target).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(contains(save(folder.win("nowhere\\set.tvm"), "x"), "folder \"" + folder.win("nowhere") + "\" does not exist"));
    ::CreateDirectoryW(wide(folder.win("folder")).c_str(), nullptr);
    EXPECT_TRUE(contains(save(folder.win("folder"), "x"), "folder, not a file"));
    EXPECT_TRUE(contains(save("NUL", "x"), "not a regular file"));
    EXPECT_EQ(getFile(target), "new\r\n");
    EXPECT_EQ(entries(folder.windows), (std::vector<std::string>{"folder", "set.tvm"})) << "no temporary file left";
}

// tests/win32/with-full-disk mounts a full tmpfs and names it here.
TEST_F(Win32FileStoreTest, AFullDiskKeepsTheOldFile)
{
    const char* full = std::getenv("TAVIMOR_FULL_DISK");
    if (!full)
        GTEST_SKIP() << "no full disk given (tests/win32/with-full-disk mounts one)";
    const std::string target = std::string(full) + "\\set.tvm";
    const std::vector<std::string> before = entries(full);
    const std::string old = getFile(target);
    ASSERT_FALSE(old.empty());
    // A small set sits wholly in the write buffer until the file is committed;
    // a large one fails at an early write.
    for (const std::size_t bytes : {std::size_t(4), std::size_t(3 * 1024 * 1024)}) {
        const std::string error = save(target, std::string(bytes, 'x'));
        EXPECT_TRUE(contains(error, target)) << bytes << ": " << error;
        EXPECT_EQ(getFile(target), old) << bytes;
        EXPECT_EQ(entries(full), before) << bytes;
    }
}

namespace {

// ReplaceFileW as the real system may answer it, leaving the files as Windows
// documents for each error (Wine never fails this way).
DWORD g_replaceError;
std::string g_moves; // how each MoveFileExW call goes: 'S' through, 'F' refused; refused when used up
BOOL WINAPI failingReplace(LPCWSTR replaced, LPCWSTR, LPCWSTR backup, DWORD, LPVOID, LPVOID)
{
    if (g_replaceError == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        ::MoveFileW(replaced, backup); // the old file went to the backup name, the new one stayed
    // 1175, and 1176 with a backup name: both files keep their names.
    ::SetLastError(g_replaceError);
    return FALSE;
}
BOOL WINAPI countedMove(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    const char next = g_moves.empty() ? 'F' : g_moves.front();
    if (!g_moves.empty())
        g_moves.erase(0, 1);
    if (next == 'S')
        return ::MoveFileExW(from, to, flags);
    ::SetLastError(ERROR_SHARING_VIOLATION);
    return FALSE;
}

// Runs the helper beside this program that holds a file open for a while.
void holdFor(const std::string& path, int milliseconds)
{
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring probe(self);
    probe = probe.substr(0, probe.find_last_of(L'\\') + 1) + L"wine_probe.exe";
    std::wstring command = L"\"" + probe + L"\" hold \"" + wide(path) + L"\" " + std::to_wstring(milliseconds);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    ::CreatePipe(&read, &write, &inherit, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process));
    ::CloseHandle(write);
    char said[8] = {};
    DWORD got = 0;
    ::ReadFile(read, said, 4, &got, nullptr); // "held": it has the file open now
    EXPECT_EQ(std::string(said, got), "held");
    ::CloseHandle(read);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

} // namespace

// Every way ReplaceFileW can fail leaves one whole copy: the old file under its
// own name, or the new set (and the old) under names the message gives.
TEST_F(Win32FileStoreTest, AFailedReplacementLeavesAWholeCopy)
{
    struct Case
    {
        DWORD error;
        const char* moves;    // how the MoveFileExW calls go
        const char* target;   // what the target holds afterwards
        bool saved;           // the save went through after all
        bool namesCopies;     // the message names where the copies are
    };
    const Case cases[] = {
        {ERROR_UNABLE_TO_REMOVE_REPLACED, "", "old\r\n", false, false},
        {ERROR_UNABLE_TO_MOVE_REPLACEMENT, "", "old\r\n", false, false},
        {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, "S", "new\r\n", true, false}, // the new file is moved in after all
        {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, "FS", "old\r\n", false, false}, // the old file is moved back
        {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, "", "", false, true},           // nothing can be moved: both kept
    };
    for (const Case& c : cases) {
        g_replaceError = c.error;
        g_moves = c.moves;
        Win32FileStore failing({failingReplace, countedMove});
        TextFile output(failing);
        const std::string target = folder.win("set.tvm");
        putFile(target, "old\r\n");
        const std::string error = saveError(output, target, "new");
        EXPECT_EQ(error.empty(), c.saved) << c.error << ": " << error;
        if (c.namesCopies) {
            const std::size_t newAt = error.find("the new set is kept in \"");
            const std::size_t oldAt = error.find("the old file is kept in \"");
            ASSERT_NE(newAt, std::string::npos) << error;
            ASSERT_NE(oldAt, std::string::npos) << error;
            const auto named = [&](std::size_t at) {
                const std::size_t from = error.find('"', at) + 1;
                return error.substr(from, error.find('"', from) - from);
            };
            EXPECT_EQ(getFile(named(newAt)), "new\r\n");
            EXPECT_EQ(getFile(named(oldAt)), "old\r\n");
        } else {
            // The message says what the user finds, not what Windows' text for the error says.
            if (!c.saved) {
                EXPECT_TRUE(contains(error, "nothing was saved, and the old file is unchanged")) << error;
            }
            EXPECT_FALSE(contains(error, "backup name")) << error;
            EXPECT_EQ(getFile(target), c.target) << c.error;
            EXPECT_EQ(entries(folder.windows), std::vector<std::string>{"set.tvm"}) << c.error << ": nothing left over";
        }
        unixShell("rm -f " + folder.unix + "/* " + folder.unix + "/.??*");
    }
}

// A scanner or another program holding the file for a moment is waited for.
TEST_F(Win32FileStoreTest, AFileHeldForAMomentIsReplacedOnceItIsFree)
{
    const std::string target = folder.win("held.tvm");
    putFile(target, "old");
    holdFor(target, 1000);
    EXPECT_EQ(save(target, "new"), "");
    EXPECT_EQ(getFile(target), "new\r\n");
    EXPECT_EQ(entries(folder.windows), std::vector<std::string>{"held.tvm"});
}

// Paths past 260 characters, names as long as a name can be (the temporary
// file beside one has a short name of its own), and a name too long for the
// file system, told as that rather than as a missing folder.
TEST_F(Win32FileStoreTest, LongPathsAndLongNames)
{
    std::string deep = folder.windows;
    for (int i = 0; deep.size() < 300; ++i) {
        deep += "\\" + std::string(40, char('a' + i));
        ASSERT_TRUE(::CreateDirectoryW(longPath(deep).c_str(), nullptr)) << deep.size();
    }
    for (const std::string& path : {deep + "\\set.tvm", folder.win(std::string(250, 'n') + ".tvm")}) {
        EXPECT_EQ(save(path, "long"), "") << path.size();
        EXPECT_EQ(save(path, "longer"), "") << "replaced: " << path.size();
        file.OpenInput(path, kSlotLimit);
        EXPECT_EQ(file.ReadLine(), "longer");
        file.Close();
    }
    const std::string overlong = folder.win(std::string(300, 'x') + ".tvm");
    for (const std::string& error : {save(overlong, "x"), openError(overlong)}) {
        EXPECT_EQ(error.find("does not exist"), std::string::npos) << error;
        EXPECT_NE(error.find("too long"), std::string::npos) << error;
    }
}

TEST(LongPath, TakesEveryFormToTheLongForm)
{
    EXPECT_EQ(longPath("C:\\a\\..\\b/c.tvm"), L"\\\\?\\C:\\b\\c.tvm");
    EXPECT_EQ(longPath("\\\\server\\share\\c.tvm"), L"\\\\?\\UNC\\server\\share\\c.tvm");
    EXPECT_EQ(longPath("\\\\?\\C:\\x"), L"\\\\?\\C:\\x");
    EXPECT_EQ(longPath("NUL"), L"\\\\.\\NUL");
}

// What Windows reads from the program's manifest: long paths are asked for.
TEST(Manifest, AsksForLongPaths)
{
    const HMODULE self = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)); // RT_MANIFEST
    ASSERT_TRUE(found);
    const std::string manifest(static_cast<const char*>(::LockResource(::LoadResource(self, found))),
                               ::SizeofResource(self, found));
    EXPECT_NE(manifest.find(">true</longPathAware>"), std::string::npos);
}

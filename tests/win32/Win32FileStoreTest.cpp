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

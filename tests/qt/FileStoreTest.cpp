#include "FileFixture.h"
#include "QtFileDialog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavimor;
using namespace tavimor::test;

TEST_F(FileStoreTest, RefusesWhatIsNotAnOrdinaryReadableFile)
{
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_EQ(::symlink(path("loop").c_str(), path("loop").c_str()), 0);
    put(path("binary"), std::string("MZ\0\0", 4));
    {
        // 1 GB without taking the disk space: a sparse file.
        std::ofstream(path("huge"));
        ASSERT_EQ(::truncate(path("huge").c_str(), 1000ll * 1000 * 1000), 0);
    }
    struct Case
    {
        std::string path;
        const char* reason;
    };
    const Case cases[] = {
        {path("missing"), "does not exist"},
        {path("pipe"), "not a regular file"},
        {"/dev/zero", "not a regular file"},
        {path("folder"), "folder"},
        {path("loop"), "symbolic links"},
        {path("binary"), "not a text file"},
        {path("huge"), "too large for a slot"},
    };
    for (const Case& c : cases) {
        const std::string error = openError(c.path);
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.path << ": " << error;
        EXPECT_NE(error.find(c.path), std::string::npos) << error;
    }
    EXPECT_NE(openError(path("huge"), {600ull * 1024 * 1024, "a slot-set file"}).find("too large for a slot-set file"),
              std::string::npos);
}

// What Save looks at before replacing a file: never waits on a pipe or a device.
TEST_F(FileStoreTest, ReadsTheHeadOnlyOfARegularFile)
{
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("notes", path("link").c_str()), 0);
    put(path("notes"), "first line\r\nsecond");
    EXPECT_EQ(store.readHead(path("notes"), 5), "first");
    EXPECT_EQ(store.readHead(path("link"), 100), "first line\r\nsecond");
    for (const std::string& nothing : {path("missing"), path("pipe"), std::string("/dev/zero"), dir.path().toStdString(),
                                       path("notes/below")})
        EXPECT_EQ(store.readHead(nothing, 100), std::nullopt) << nothing;
}

TEST_F(FileStoreTest, ReadsNamesWithSpacesAndNonAsciiCharacters)
{
    const std::string name = path("Notizen für Ärger 📝.txt");
    put(name, "caf\xE9\r\n");
    file.OpenInput(name, kSlotLimit);
    EXPECT_EQ(file.ReadLine(), "caf\xC3\xA9");
    file.Close();
}

TEST(QtFileDialog, TurnsProgramFiltersIntoQtNameFilters)
{
    EXPECT_EQ(qtNameFilters("Text files (*.txt)|*.txt"), QStringList{"Text files (*.txt)"});
    EXPECT_EQ(qtNameFilters("Tavimor Files (*.tvm)|*.tvm"), QStringList{"Tavimor Files (*.tvm)"});
    EXPECT_EQ(qtNameFilters("Texts|*.txt;*.log|All|*.*"), (QStringList{"Texts (*.txt *.log)", "All (*.*)"}));
}

#include "platform/QtFileDialog.h"
#include "platform/QtFileStore.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavimor;

namespace {

const ReadLimit kSlotLimit{100ull * 1024 * 1024, "a slot"};

struct FileStoreTest : ::testing::Test
{
    QTemporaryDir dir;
    QtFileStore store;
    TextFile file{store};

    std::string path(const char* name) const { return dir.filePath(QString::fromUtf8(name)).toStdString(); }
    static void put(const std::string& p, const std::string& bytes)
    {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static std::string get(const std::string& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::string openError(const std::string& p, const ReadLimit& limit = kSlotLimit)
    {
        try {
            file.OpenInput(p, limit);
        } catch (const PlatformError& e) {
            EXPECT_FALSE(file.isOpen());
            return e.what();
        }
        file.Close();
        return {};
    }
    std::string save(const std::string& p, const std::string& line)
    {
        try {
            file.OpenOutput(p);
            file.WriteLine(line);
            file.Close();
        } catch (const PlatformError& e) {
            file.Discard();
            return e.what();
        }
        return {};
    }
    QStringList entries(const QString& folder) const
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

// A small file system of its own; needs the right to mount (root in CI).
struct Mount
{
    QTemporaryDir point;
    bool mounted = false;
    explicit Mount(const char* options)
    {
        mounted = ::mount("tavimor-test", point.path().toLocal8Bit().constData(), "tmpfs", 0, options) == 0;
    }
    void remountReadOnly()
    {
        mounted = ::mount("tavimor-test", point.path().toLocal8Bit().constData(), "tmpfs",
                          MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    ~Mount()
    {
        if (mounted)
            ::umount(point.path().toLocal8Bit().constData());
    }
};

} // namespace

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
        {path("pipe"), "not an ordinary file"},
        {"/dev/zero", "not an ordinary file"},
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

TEST_F(FileStoreTest, ReadsNamesWithSpacesAndNonAsciiCharacters)
{
    const std::string name = path("Notizen für Ärger 📝.txt");
    put(name, "caf\xE9\r\n");
    file.OpenInput(name, kSlotLimit);
    EXPECT_EQ(file.ReadLine(), "caf\xC3\xA9");
    file.Close();
}

TEST_F(FileStoreTest, SavingReplacesOnlyWhenEverythingWasWritten)
{
    const std::string target = path("set.tvm");
    put(target, "old");
    EXPECT_EQ(save(target, "new"), "");
    EXPECT_EQ(get(target), "new\r\n");
    EXPECT_EQ(entries(dir.path()), QStringList{"set.tvm"});

    const std::string inMissingFolder = path("nowhere/set.tvm");
    EXPECT_NE(save(inMissingFolder, "x").find(inMissingFolder), std::string::npos);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    EXPECT_NE(save(path("folder"), "x").find("folder, not a file"), std::string::npos);
    EXPECT_EQ(get(target), "new\r\n");
    EXPECT_EQ(entries(dir.path()), (QStringList{"folder", "set.tvm"}));
}

TEST_F(FileStoreTest, FailedSaveOnAFullOrReadOnlyFileSystemKeepsTheOldFile)
{
    Mount full("size=64k");
    if (!full.mounted)
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root with mount rights)";
    const std::string target = full.point.filePath("set.tvm").toStdString();
    put(target, "old bytes");
    const std::string error = save(target, std::string(256 * 1024, 'x'));
    EXPECT_NE(error.find(target), std::string::npos) << error;
    EXPECT_EQ(get(target), "old bytes");
    EXPECT_EQ(entries(full.point.path()), QStringList{"set.tvm"}) << "no temporary file left";

    full.remountReadOnly();
    ASSERT_TRUE(full.mounted);
    const std::string readOnly = save(target, "new");
    EXPECT_NE(readOnly.find(target), std::string::npos) << readOnly;
    EXPECT_EQ(get(target), "old bytes");
    EXPECT_EQ(entries(full.point.path()), QStringList{"set.tvm"});
}

TEST(QtFileDialog, TurnsProgramFiltersIntoQtNameFilters)
{
    EXPECT_EQ(qtNameFilters("Text files (*.txt)|*.txt"), QStringList{"Text files (*.txt)"});
    EXPECT_EQ(qtNameFilters("Tavimor Files (*.tvm)|*.tvm"), QStringList{"Tavimor Files (*.tvm)"});
    EXPECT_EQ(qtNameFilters("Texts|*.txt;*.log|All|*.*"), (QStringList{"Texts (*.txt *.log)", "All (*.*)"}));
}

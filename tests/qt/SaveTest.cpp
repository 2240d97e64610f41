// Saving on a real file system: the old file survives every failure, at every
// step, and only a new file or a regular file is ever replaced.
#include "FileFixture.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace tavimor;
using namespace tavimor::test;

namespace {

// Fills a file system until it refuses another byte, leaving `spare` bytes free.
void fillUp(const QString& folder, std::size_t spare = 0)
{
    std::ofstream filler((folder + "/filler").toStdString(), std::ios::binary);
    const std::string page(4096, 'f');
    while (filler.write(page.data(), page.size()) && filler.flush()) {
    }
    filler.close();
    if (spare > 0) {
        struct stat info{};
        ::stat((folder + "/filler").toLocal8Bit().constData(), &info);
        ASSERT_EQ(::truncate((folder + "/filler").toLocal8Bit().constData(), info.st_size - off_t(spare)), 0);
    }
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(FileStoreTest, SavingReplacesOnlyWhenEverythingWasWritten)
{
    const std::string target = path("set.tvm");
    put(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    EXPECT_EQ(save(target, "new"), "");
    EXPECT_EQ(get(target), "new\r\n");
    EXPECT_EQ(entries(dir.path()), QStringList{"set.tvm"});
    struct stat info{};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u) << "the file keeps its permissions";

    const std::string inMissingFolder = path("nowhere/set.tvm");
    EXPECT_TRUE(contains(save(inMissingFolder, "x"), "folder \"" + path("nowhere") + "\" does not exist"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    EXPECT_TRUE(contains(save(path("folder"), "x"), "folder, not a file"));
    EXPECT_EQ(get(target), "new\r\n");
    EXPECT_EQ(entries(dir.path()), (QStringList{"folder", "set.tvm"}));
}

TEST_F(FileStoreTest, FailedSaveOnAFullOrReadOnlyFileSystemKeepsTheOldFile)
{
    struct Case
    {
        const char* name;
        std::size_t spare; // bytes left free before saving
        std::size_t bytes; // saved
    };
    // A small set sits wholly in the write buffer until the file is committed;
    // a large one fails at an early write; the last fills the disk on its way.
    const Case cases[] = {{"small set, full disk", 0, 4},
                          {"large set, full disk", 0, 3 * 1024 * 1024},
                          {"disk fills during the save", 64 * 1024, 512 * 1024}};
    for (const Case& c : cases) {
        Mount disk("size=256k");
        if (!disk.mounted)
            GTEST_SKIP() << "cannot mount a small tmpfs here (needs root with mount rights)";
        const std::string target = disk.point.filePath("set.tvm").toStdString();
        put(target, "old bytes");
        fillUp(disk.point.path(), c.spare);
        const std::string error = save(target, std::string(c.bytes, 'x'));
        EXPECT_TRUE(contains(error, target)) << c.name << ": " << error;
        EXPECT_TRUE(contains(error, "No space left on device")) << c.name << ": " << error;
        EXPECT_EQ(get(target), "old bytes") << c.name;
        EXPECT_EQ(entries(disk.point.path()), (QStringList{"filler", "set.tvm"})) << c.name;

        disk.remountReadOnly();
        ASSERT_TRUE(disk.mounted);
        const std::string readOnly = save(target, "new");
        EXPECT_TRUE(contains(readOnly, "folder \"" + disk.point.path().toStdString() + "\" cannot be written"))
            << readOnly;
        EXPECT_TRUE(contains(readOnly, "Read-only file system")) << readOnly;
        EXPECT_EQ(get(target), "old bytes");
    }
}

namespace {

ssize_t failWrite(int, const void*, size_t)
{
    errno = ENOSPC;
    return -1;
}
int failSync(int)
{
    errno = EIO;
    return -1;
}
int failClose(int fd)
{
    ::close(fd);
    errno = EDQUOT;
    return -1;
}
int failRename(const char*, const char*)
{
    errno = EXDEV;
    return -1;
}

struct Step
{
    const char* name;
    SaveCalls calls;
};
const Step kSteps[] = {{"Write", {failWrite, ::fsync, ::close, ::rename}},
                       {"Sync", {::write, failSync, ::close, ::rename}},
                       {"Close", {::write, ::fsync, failClose, ::rename}},
                       {"Rename", {::write, ::fsync, ::close, failRename}}};

void PrintTo(const Step& step, std::ostream* out)
{
    *out << step.name;
}

struct FailingStep : FileStoreTest, ::testing::WithParamInterface<Step>
{
    FailingStep()
        : FileStoreTest(GetParam().calls)
    {
    }
};

} // namespace

TEST_P(FailingStep, KeepsTheOldFileAndNamesTheReason)
{
    const std::string target = path("set.tvm");
    put(target, "old bytes");
    const std::string error = save(target, "new");
    EXPECT_TRUE(contains(error, target)) << error;
    EXPECT_FALSE(contains(error, "Unknown error")) << error;
    EXPECT_EQ(get(target), "old bytes");
    EXPECT_EQ(entries(dir.path()), QStringList{"set.tvm"}) << "no temporary file left";
}

INSTANTIATE_TEST_SUITE_P(EveryStep, FailingStep, ::testing::ValuesIn(kSteps),
                         [](const ::testing::TestParamInfo<Step>& step) { return step.param.name; });

TEST_F(FileStoreTest, OnlyANewOrARegularFileIsSavedTo)
{
    ASSERT_EQ(::mkfifo(path("fifo.tvm").c_str(), 0600), 0);
    ASSERT_EQ(::symlink(path("fifo.tvm").c_str(), path("to-fifo.tvm").c_str()), 0);
    std::vector<std::string> refused = {path("fifo.tvm"), path("to-fifo.tvm")};
    if (::mknod(path("mynull").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        refused.push_back(path("mynull"));
    else
        std::cout << "not checking a device file: mknod is not allowed here\n";
    for (const std::string& p : refused) {
        EXPECT_TRUE(contains(save(p, "x"), "not a regular file")) << p;
        struct stat info{};
        ASSERT_EQ(::lstat(p.c_str(), &info), 0);
        EXPECT_FALSE(S_ISREG(info.st_mode)) << p << " was replaced";
    }

    // A link to a regular file: the file it leads to is saved, the link stays.
    put(path("real.tvm"), "old");
    ASSERT_EQ(::symlink("real.tvm", path("link.tvm").c_str()), 0);
    EXPECT_EQ(save(path("link.tvm"), "new"), "");
    EXPECT_EQ(get(path("real.tvm")), "new\r\n");
    struct stat link{};
    ASSERT_EQ(::lstat(path("link.tvm").c_str(), &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode));

    // A new file gets the usual permissions, not the temporary file's 0600.
    const mode_t mask = ::umask(022);
    EXPECT_EQ(save(path("new.tvm"), "x"), "");
    ::umask(mask);
    struct stat created{};
    ASSERT_EQ(::stat(path("new.tvm").c_str(), &created), 0);
    EXPECT_EQ(created.st_mode & 07777, 0644u);
}

namespace {

// Fails on the file with other hard links (the one written into), not on the
// temporary copy.
bool isLinked(int fd)
{
    struct stat info{};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink > 1; // a hard-linked file, not a folder
}
ssize_t failWriteIntoLinked(int fd, const void* bytes, size_t count)
{
    if (!isLinked(fd))
        return ::write(fd, bytes, count);
    (void)!::write(fd, bytes, count / 2); // part of it got there
    errno = EIO;
    return -1;
}
int failSyncOfLinked(int fd)
{
    if (!isLinked(fd))
        return ::fsync(fd);
    errno = EIO;
    return -1;
}

} // namespace

// A file written into rather than replaced: when that fails part-way, the
// whole new set is kept, and the message says where.
TEST(SaveIntoTheFile, AFailurePartWayKeepsTheWholeNewSetAndNamesIt)
{
    for (const SaveCalls& calls : {SaveCalls{failWriteIntoLinked, ::fsync, ::close, ::rename},
                                   SaveCalls{::write, failSyncOfLinked, ::close, ::rename}}) {
        QTemporaryDir dir;
        PosixFileStore store(calls);
        TextFile file(store);
        const std::string target = dir.filePath("set.tvm").toStdString();
        FileStoreTest::put(target, "old bytes");
        ASSERT_EQ(::link(target.c_str(), dir.filePath("other").toLocal8Bit().constData()), 0);
        const std::string bigLine(3 * 1024 * 1024, 'n');
        const std::string error = saveError(file, target, bigLine);
        const std::size_t named = error.find("kept in \"");
        ASSERT_NE(named, std::string::npos) << error;
        const std::string copy = error.substr(named + 9, error.size() - named - 10);
        EXPECT_EQ(FileStoreTest::get(copy), bigLine + "\r\n");
        ::unlink(copy.c_str());
    }
}

// A full disk stops a save into the file before the old set is touched: the
// room is reserved first.
TEST(SaveIntoTheFile, AFullDiskKeepsTheOldSet)
{
    for (const std::size_t bytes : {std::size_t(40 * 1024), std::size_t(3 * 1024 * 1024)}) {
        Mount disk("size=256k");
        if (!disk.mounted)
            GTEST_SKIP() << "cannot mount a small tmpfs here (needs root with mount rights)";
        PosixFileStore store;
        TextFile file(store);
        const std::string target = disk.point.filePath("set.tvm").toStdString();
        FileStoreTest::put(target, "old bytes");
        ASSERT_EQ(::link(target.c_str(), disk.point.filePath("other").toLocal8Bit().constData()), 0);
        fillUp(disk.point.path(), 64 * 1024);
        const std::string error = saveError(file, target, std::string(bytes, 'x'));
        EXPECT_TRUE(contains(error, "No space left on device")) << bytes << ": " << error;
        EXPECT_FALSE(contains(error, "kept in")) << error;
        EXPECT_EQ(FileStoreTest::get(target), "old bytes") << bytes;
        EXPECT_EQ(QDir(disk.point.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"filler", "other", "set.tvm"}));
    }
}

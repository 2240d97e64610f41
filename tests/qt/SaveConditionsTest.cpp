// Saving under the conditions of real file systems and folders, one row each:
// a folder's default ACL, a file system that refuses chmod, a name as long as
// a name can be, a name swapped for a link while the file is written into,
// and the copy's folder made safe before the old set is touched.
#include "FileFixture.h"

#include <QProcess>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace tavimor;
using namespace tavimor::test;

namespace {

// What the kernel gives a file made in a folder, beside what a save gave: mode and ACL.
std::string modeAndAcl(const std::string& path)
{
    struct stat info{};
    ::stat(path.c_str(), &info);
    char acl[1024];
    const ssize_t length = ::getxattr(path.c_str(), "system.posix_acl_access", acl, sizeof acl);
    return std::to_string(info.st_mode & 07777) + " " + std::string(acl, std::size_t(std::max<ssize_t>(length, 0)));
}

std::string madeByOpen(const std::string& path)
{
    ::close(::open(path.c_str(), O_CREAT | O_WRONLY, 0666));
    const std::string made = modeAndAcl(path);
    ::unlink(path.c_str());
    return made;
}

int refuseChmod(int, mode_t)
{
    errno = EPERM;
    return -1;
}

// What the hooks below see and do; one save at a time.
struct Hooks
{
    std::function<void()> beforeOpen;
    std::string events; // "F" a folder synced, "W" a write into the target
    ino_t target = 0;
} hooks;

int openWithHook(const char* path, int flags)
{
    if (hooks.beforeOpen)
        hooks.beforeOpen();
    return openFile(path, flags);
}

ino_t inodeOf(int fd)
{
    struct stat info{};
    ::fstat(fd, &info);
    return S_ISDIR(info.st_mode) ? 0 : info.st_ino;
}

int recordSync(int fd)
{
    if (inodeOf(fd) == 0)
        hooks.events += 'F';
    return ::fsync(fd);
}

ssize_t recordWrite(int fd, const void* bytes, size_t count)
{
    if (inodeOf(fd) == hooks.target && hooks.events.find('W') == std::string::npos)
        hooks.events += 'W';
    return ::write(fd, bytes, count);
}

const SaveCalls kHooked{recordWrite, recordSync, ::close, ::rename, openWithHook, refuseChmod};

struct Folder : FileStoreTest
{
    Folder()
        : FileStoreTest(kHooked)
    {
    }
    void TestBody() override {}
};

} // namespace

TEST(SaveConditions, EveryConditionKeepsOneWholeCopyAndWhatTheFileIs)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to set up the folders";
    struct Row
    {
        const char* condition;
        std::function<std::string(Folder&)> saveAndCheck; // "" when everything held
    };
    const Row rows[] = {
        {"a new set in a folder with a default ACL", [](Folder& t) -> std::string {
             if (QProcess::execute("setfacl", {"-d", "-m", "u:nobody:rw", t.dir.path()}) != 0)
                 return "setfacl failed";
             const std::string expected = madeByOpen(t.path("reference"));
             const std::string error = t.save(t.path("set.tvm"), "new");
             return !error.empty() ? error : modeAndAcl(t.path("set.tvm")) == expected ? "" : "mode and ACL " + modeAndAcl(t.path("set.tvm")) + ", not " + expected;
         }},
        {"chmod refused: a new set, and a file written into", [](Folder& t) -> std::string {
             const std::string expected = madeByOpen(t.path("reference"));
             if (const std::string error = t.save(t.path("new.tvm"), "new"); !error.empty())
                 return error;
             FileStoreTest::put(t.path("old.tvm"), "old");
             ::chmod(t.path("old.tvm").c_str(), 0640);
             if (const std::string error = t.save(t.path("old.tvm"), "new"); !error.empty())
                 return error;
             return modeAndAcl(t.path("new.tvm")) == expected && modeAndAcl(t.path("old.tvm")).rfind("416 ", 0) == 0
                     && FileStoreTest::get(t.path("old.tvm")) == "new\r\n" ? "" : "modes " + modeAndAcl(t.path("old.tvm"));
         }},
        {"a name of 255 bytes", [](Folder& t) -> std::string {
             const std::string longest = t.path((std::string(251, 'n') + ".tvm").c_str());
             const std::string error = t.save(longest, "new");
             return !error.empty() ? error : FileStoreTest::get(longest) == "new\r\n" ? "" : "not saved";
         }},
        {"the name swapped for a link while the file is written into", [](Folder& t) -> std::string {
             const std::string target = t.path("set.tvm"), victim = t.path("victim");
             FileStoreTest::put(target, "old");
             FileStoreTest::put(victim, "someone else's");
             ::link(target.c_str(), t.path("other").c_str()); // written into, not replaced
             hooks.beforeOpen = [&] {
                 ::symlink(victim.c_str(), t.path("swap").c_str());
                 ::rename(t.path("swap").c_str(), target.c_str());
             };
             const std::string error = t.save(target, "new");
             hooks.beforeOpen = nullptr;
             return error.find("another file took its name") == std::string::npos ? "saved: " + error
                 : FileStoreTest::get(victim) != "someone else's" ? "the other file was written"
                 : FileStoreTest::get(t.path("other")) != "old" ? "the old set was touched" : "";
         }},
        {"the copy's folder synced before the old set is touched", [](Folder& t) -> std::string {
             const std::string target = t.path("set.tvm");
             FileStoreTest::put(target, "old");
             ::link(target.c_str(), t.path("other").c_str());
             struct stat info{};
             ::stat(target.c_str(), &info);
             hooks.target = info.st_ino;
             hooks.events.clear();
             const std::string error = t.save(target, "new");
             return !error.empty() ? error : hooks.events == "FW" ? "" : "events " + hooks.events;
         }},
    };
    for (const Row& row : rows) {
        Folder folder;
        EXPECT_EQ(row.saveAndCheck(folder), "") << row.condition;
        for (const QString& name : folder.entries(folder.dir.path()))
            EXPECT_FALSE(name.startsWith('.')) << row.condition << ": a temporary file is left: " << name.toStdString();
    }
}

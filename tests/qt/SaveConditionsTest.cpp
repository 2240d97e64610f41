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

std::string modeAndAcl(const std::string& path)
{
    struct stat info{};
    ::stat(path.c_str(), &info);
    char acl[1024];
    const ssize_t length = ::getxattr(path.c_str(), "system.posix_acl_access", acl, sizeof acl);
    return std::to_string(info.st_mode & 07777) + " " + std::string(acl, std::size_t(std::max<ssize_t>(length, 0)));
}

// What the kernel gives any program's new file in that folder.
std::string madeByOpen(const std::string& path)
{
    ::close(::open(path.c_str(), O_CREAT | O_WRONLY, 0666));
    const std::string made = modeAndAcl(path);
    ::unlink(path.c_str());
    return made;
}

// The hooks see the steps of one save: "F" a folder synced, "W" the first
// write into the file, and may change the files just before the file is opened.
std::function<void()> g_beforeOpen;
std::string g_steps;
ino_t g_target = 0;

ino_t fileOf(int fd)
{
    struct stat info{};
    ::fstat(fd, &info);
    return S_ISDIR(info.st_mode) ? 0 : info.st_ino;
}
int hookedOpen(const char* path, int flags)
{
    if (g_beforeOpen)
        std::exchange(g_beforeOpen, nullptr)();
    return openFile(path, flags);
}
int recordSync(int fd)
{
    if (fileOf(fd) == 0)
        g_steps += 'F';
    return ::fsync(fd);
}
ssize_t recordWrite(int fd, const void* bytes, size_t count)
{
    if (fileOf(fd) == g_target && g_steps.find('W') == std::string::npos)
        g_steps += 'W';
    return ::write(fd, bytes, count);
}
int refuseChmod(int, mode_t)
{
    errno = EPERM;
    return -1;
}

const SaveCalls kHooked{recordWrite, recordSync, ::close, ::rename, hookedOpen, refuseChmod}; // the store keeps a reference

struct Folder : FileStoreTest
{
    Folder()
        : FileStoreTest(kHooked)
    {
    }
    void TestBody() override {}
    // An existing set with a second name: written into, not replaced.
    std::string linkedSet()
    {
        put(path("set.tvm"), "old");
        ::link(path("set.tvm").c_str(), path("other").c_str());
        return path("set.tvm");
    }
};

} // namespace

TEST(SaveConditions, EveryConditionKeepsOneWholeCopyAndWhatTheFileIs)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to set up the folders";
    const std::pair<const char*, std::function<std::string(Folder&)>> rows[] = { // "" when everything held
        {"a new set in a folder with a default ACL", [](Folder& t) {
             QProcess::execute("setfacl", {"-d", "-m", "u:nobody:rw", t.dir.path()});
             const std::string expected = madeByOpen(t.path("reference"));
             const std::string error = t.save(t.path("set.tvm"), "new");
             return error.empty() && modeAndAcl(t.path("set.tvm")) != expected ? "mode and ACL " + modeAndAcl(t.path("set.tvm")) : error;
         }},
        {"chmod refused: a new set, and a file written into", [](Folder& t) {
             const std::string expected = madeByOpen(t.path("reference"));
             Folder::put(t.path("old.tvm"), "old");
             ::chmod(t.path("old.tvm").c_str(), 0640);
             const std::string error = t.save(t.path("new.tvm"), "new") + t.save(t.path("old.tvm"), "new");
             return !error.empty() ? error
                 : modeAndAcl(t.path("new.tvm")) != expected || modeAndAcl(t.path("old.tvm")).rfind("416 ", 0) != 0
                     || Folder::get(t.path("old.tvm")) != "new\r\n" ? "modes " + modeAndAcl(t.path("old.tvm")) : "";
         }},
        {"a name of 255 bytes", [](Folder& t) {
             const std::string longest = t.path((std::string(251, 'n') + ".tvm").c_str());
             const std::string error = t.save(longest, "new");
             return error.empty() && Folder::get(longest) != "new\r\n" ? "not saved" : error;
         }},
        {"the name swapped for a link while the file is written into", [](Folder& t) {
             const std::string target = t.linkedSet(), victim = t.path("victim");
             Folder::put(victim, "someone else's");
             g_beforeOpen = [&] {
                 ::symlink(victim.c_str(), t.path("swap").c_str());
                 ::rename(t.path("swap").c_str(), target.c_str());
             };
             const std::string error = t.save(target, "new");
             return error.find("another file took its name") == std::string::npos ? "saved: " + error
                 : Folder::get(victim) != "someone else's" || Folder::get(t.path("other")) != "old" ? "a file was written" : "";
         }},
        {"the copy's folder synced before the old set is touched", [](Folder& t) {
             const std::string target = t.linkedSet();
             struct stat info{};
             ::stat(target.c_str(), &info);
             g_target = info.st_ino;
             g_steps.clear();
             const std::string error = t.save(target, "new");
             return error.empty() && g_steps != "FW" ? "steps " + g_steps : error;
         }},
    };
    for (const auto& [condition, saveAndCheck] : rows) {
        Folder folder;
        EXPECT_EQ(saveAndCheck(folder), "") << condition;
        for (const QString& name : folder.entries(folder.dir.path()))
            EXPECT_FALSE(name.startsWith('.')) << condition << ": a temporary file is left: " << name.toStdString();
    }
}

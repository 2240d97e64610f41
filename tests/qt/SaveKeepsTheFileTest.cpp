// Saving keeps what the file is: its other hard links, ACL and extended
// attributes, mode, owner and group, also for a user who is not root, and a
// writable file in a folder that takes no new file. Real saves on real files.
#include "FileFixture.h"

#include <QProcess>

#include <functional>
#include <grp.h>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace tavimor;
using namespace tavimor::test;

namespace {

// Everything about a file but its bytes and its name.
struct Identity
{
    mode_t mode;
    uid_t uid;
    gid_t gid;
    nlink_t links;
    std::map<std::string, std::string> attributes;
    bool operator==(const Identity&) const = default;
};

Identity identityOf(const std::string& path)
{
    struct stat info{};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    Identity identity{info.st_mode, info.st_uid, info.st_gid, info.st_nlink, {}};
    char names[4096];
    const ssize_t size = ::listxattr(path.c_str(), names, sizeof names);
    for (ssize_t at = 0; at < size; at += ssize_t(std::strlen(names + at)) + 1) {
        char value[4096];
        const ssize_t length = ::getxattr(path.c_str(), names + at, value, sizeof value);
        identity.attributes[names + at] = std::string(value, std::size_t(std::max<ssize_t>(length, 0)));
    }
    return identity;
}

void PrintTo(const Identity& i, std::ostream* out)
{
    *out << std::oct << "mode " << i.mode << std::dec << ", " << i.uid << ":" << i.gid << ", " << i.links
         << " links, " << i.attributes.size() << " attributes";
}

bool run(const QString& program, const QStringList& arguments)
{
    return QProcess::execute(program, arguments) == 0;
}

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;
constexpr gid_t kShared = 4242; // a group that nobody is given for the step

// Runs a step in a child process as the user nobody, a member of kShared: what it returns.
std::string asNobody(const std::function<std::string()>& step)
{
    int out[2];
    if (::pipe(out) != 0)
        return "<no pipe>";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        if (::setgroups(1, &kShared) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0)
            ::_exit(2);
        const std::string result = step();
        (void)!::write(out[1], result.data(), result.size());
        ::_exit(0);
    }
    ::close(out[1]);
    std::string result;
    char buffer[4096];
    for (ssize_t got; (got = ::read(out[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, std::size_t(got));
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "<the step could not run as nobody>";
}

} // namespace

TEST_F(FileStoreTest, SavingKeepsLinksAclAttributesModeOwnerAndGroup)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give files away";
    struct Case
    {
        const char* name;
        std::function<void(const std::string&)> prepare;
    };
    const Case cases[] = {
        {"two hard links", [&](const std::string& p) { ASSERT_EQ(::link(p.c_str(), path("other-name").c_str()), 0); }},
        {"ACL", [](const std::string& p) { ASSERT_TRUE(run("setfacl", {"-m", "u:nobody:rw,g:users:r", p.c_str()})); }},
        {"user attribute", [](const std::string& p) { ASSERT_EQ(::setxattr(p.c_str(), "user.note", "kept", 4, 0), 0); }},
        {"owner, group and mode", [](const std::string& p) {
             ASSERT_EQ(::chown(p.c_str(), kNobody, kShared), 0);
             ASSERT_EQ(::chmod(p.c_str(), 02640), 0);
         }},
    };
    for (const Case& c : cases) {
        const std::string target = path("set.tvm");
        put(target, "old");
        c.prepare(target);
        const Identity before = identityOf(target);
        EXPECT_EQ(save(target, "new"), "") << c.name;
        EXPECT_EQ(get(target), "new\r\n") << c.name;
        EXPECT_EQ(identityOf(target), before) << c.name;
        if (before.links > 1) {
            EXPECT_EQ(get(path("other-name")), "new\r\n") << "the other name shows the new set too";
        }
        ::unlink(path("other-name").c_str());
        ::unlink(target.c_str());
        EXPECT_TRUE(entries(dir.path()).isEmpty()) << c.name << ": " << entries(dir.path()).join(' ').toStdString();
    }
}

// A user who is not root cannot give a file away: a file of another owner, or
// of a group shared with others, is written into rather than replaced.
TEST_F(FileStoreTest, AnOrdinaryUserKeepsTheOwnerAndGroupOfASharedFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to set up files of several owners and run the save as nobody";
    ASSERT_EQ(::chmod(dir.path().toLocal8Bit().constData(), 0777), 0);
    struct Case
    {
        uid_t owner;
        mode_t mode;
    };
    for (const Case c : {Case{0, 0664}, Case{kNobody, 0660}}) {
        const std::string target = path("shared.tvm");
        put(target, "old");
        ASSERT_EQ(::chown(target.c_str(), c.owner, kShared), 0);
        ASSERT_EQ(::chmod(target.c_str(), c.mode), 0);
        const Identity before = identityOf(target);
        EXPECT_EQ(asNobody([&] { return save(target, "new"); }), "") << "owner " << c.owner;
        EXPECT_EQ(get(target), "new\r\n");
        EXPECT_EQ(identityOf(target), before) << "owner " << c.owner;
        ::unlink(target.c_str());
        EXPECT_TRUE(entries(dir.path()).isEmpty());
    }
}

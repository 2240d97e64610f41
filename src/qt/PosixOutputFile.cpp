#include "PosixOutputFile.h"

#include "PosixErrors.h"
#include "WaitCursor.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavimor {

using posix::describeErrno;

const SaveCalls kSystemSaveCalls{::write, ::fsync, ::close, ::rename};

namespace {

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file that saving replaces: the path itself, or where its links lead.
// Nothing when there is no file there yet.
struct Target
{
    std::string path;
    bool exists = false;
    struct stat info{};
};

Target resolveTarget(const std::string& path)
{
    Target target{path};
    for (int links = 0;; ++links) {
        if (::lstat(target.path.c_str(), &target.info) != 0) {
            if (errno == ENOENT)
                return target; // a new file
            failFile(path, describeErrno(errno));
        }
        if (!S_ISLNK(target.info.st_mode))
            break;
        if (links == 40)
            failFile(path, describeErrno(ELOOP));
        std::string to(std::size_t(target.info.st_size) + 256, '\0');
        const ssize_t length = ::readlink(target.path.c_str(), to.data(), to.size());
        if (length < 0)
            failFile(path, describeErrno(errno));
        to.resize(std::size_t(length));
        target.path = to.front() == '/' ? to : folderOf(target.path) + "/" + to;
    }
    target.exists = true;
    if (S_ISDIR(target.info.st_mode))
        failFile(path, kFolderReason);
    if (!S_ISREG(target.info.st_mode))
        failFile(path, std::string(posix::kNotRegular) + "; only regular files are saved to");
    return target;
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

PosixOutputFile::PosixOutputFile(const std::string& path, const SaveCalls& calls)
    : m_path(path)
    , m_calls(calls)
{
    const Target target = resolveTarget(path);
    m_target = target.path;
    // Replacing a file by rename needs no right to write it: honour its own
    // flag. (A read-only file system is the folder's matter, told below.)
    if (target.exists && ::access(m_target.c_str(), W_OK) != 0 && errno != EROFS)
        failFile(path, describeErrno(errno));

    const std::string folder = folderOf(m_target);
    const std::size_t slash = m_target.rfind('/');
    std::string temp = folder + "/." + m_target.substr(slash == std::string::npos ? 0 : slash + 1) + ".tavimor-XXXXXX";
    m_fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (m_fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            failFile(path, "the folder \"" + folder + "\" does not exist");
        if (error == EACCES || error == EPERM || error == EROFS)
            failFile(path, "the folder \"" + folder + "\" cannot be written (" + std::strerror(error) + ")");
        failFile(path, std::strerror(error));
    }
    m_temp = temp;
    // The new file takes the old one's permissions and, where allowed, its owner
    // (only root may give a file away; others keep their own).
    if (target.exists) {
        (void)!::fchown(m_fd, target.info.st_uid, target.info.st_gid);
        check(::fchmod(m_fd, target.info.st_mode & 07777));
    } else {
        check(::fchmod(m_fd, newFileMode()));
    }
}

PosixOutputFile::~PosixOutputFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
}

void PosixOutputFile::commit()
{
    WaitCursor busy(size() >= kWaitCursorBytes);
    flush();
    // Every step can fail on a full or failing disk; the old file stays until
    // the rename, which is the last step.
    check(m_calls.fsync(m_fd));
    const int fd = m_fd;
    m_fd = -1;
    check(m_calls.close(fd));
    resolveTarget(m_path); // still nothing but a regular file there
    check(m_calls.rename(m_temp.c_str(), m_target.c_str()));
    m_temp.clear();
    syncFolder();
}

void PosixOutputFile::check(int result) const
{
    if (result != 0)
        failFile(m_path, std::strerror(errno));
}

void PosixOutputFile::writeAll(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t wrote = m_calls.write(m_fd, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            failFile(m_path, std::strerror(wrote < 0 ? errno : EIO));
        bytes.remove_prefix(std::size_t(wrote));
    }
}

void PosixOutputFile::syncFolder() const
{
    // The file is already in place, so a failure here changes nothing the
    // user could act on.
    const int folder = ::open(folderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
}

} // namespace tavimor

#include "PosixOutputFile.h"

#include "Descriptor.h"
#include "FileAttributes.h"
#include "PosixErrors.h"
#include "WaitCursor.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <initializer_list>
#include <vector>

namespace tavimor {

using posix::describeErrno;

int openFile(const char* path, int flags)
{
    return ::open(path, flags);
}

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

constexpr const char* kSwapped
    = "another file took its name while it was being saved; nothing was written to either";

std::string folderCannotBeWritten(const std::string& folder, int error)
{
    return "the folder \"" + folder + "\" cannot be written (" + std::strerror(error) + ")";
}

} // namespace

PosixOutputFile::PosixOutputFile(const std::string& path, const SaveCalls& calls)
    : m_path(path)
    , m_calls(calls)
{
    const Target target = resolveTarget(path);
    m_target = target.path;
    m_exists = target.exists;
    m_device = target.info.st_dev;
    m_inode = target.info.st_ino;
    // Replacing a file by rename needs no right to write it: honour its own
    // flag. (A read-only file system is the folder's matter, told below.)
    if (m_exists && ::access(m_target.c_str(), W_OK) != 0 && errno != EROFS)
        failFile(path, describeErrno(errno));

    // A new set is made as any program makes a new file there (0666 less the
    // umask, or as the folder's default ACL says), so it needs no chmod,
    // which some file systems refuse. A replacement stays private until it
    // is given all that the old file is.
    if (const int error = m_temp.create(folderOf(m_target), m_exists ? 0600 : 0666)) {
        createElsewhere(error);
        return;
    }
    if (m_exists)
        m_inPlace = target.info.st_nlink > 1 || !carryAttributes(m_temp.fd(), m_target, target.info, m_calls.fchmod);
}

void PosixOutputFile::createElsewhere(int folderError)
{
    const std::string folder = folderOf(m_target);
    if (folderError == ENOENT || folderError == ENOTDIR)
        failFile(m_path, "the folder \"" + folder + "\" does not exist");
    if (folderError != EACCES && folderError != EPERM && folderError != EROFS)
        failFile(m_path, std::strerror(folderError));
    // A writable file in a folder that takes no new file is written into; the
    // whole new set goes first to where temporary files are kept across a
    // restart (unlike /tmp on many systems).
    if (m_exists && folderError != EROFS) {
        for (const char* spare : std::initializer_list<const char*>{std::getenv("TMPDIR"), "/var/tmp", "/tmp"}) {
            if (spare && *spare && m_temp.create(spare, 0600) == 0) {
                m_inPlace = true;
                return;
            }
        }
    }
    failFile(m_path, folderCannotBeWritten(folder, folderError));
}

void PosixOutputFile::commit()
{
    WaitCursor busy(size() >= kWaitCursorBytes);
    flush();
    // Every step can fail on a full or failing disk; the old file stays whole
    // until the new set is whole on the disk.
    check(m_calls.fsync(m_temp.fd()));
    if (m_inPlace)
        writeIntoTarget();
    else
        replaceByRename();
}

void PosixOutputFile::replaceByRename()
{
    check(m_temp.close(m_calls.close));
    resolveTarget(m_path); // still nothing but a regular file there
    check(m_calls.rename(m_temp.path().c_str(), m_target.c_str()));
    m_temp.release();
    // The file is already in place, so a failure here changes nothing the
    // user could act on.
    (void)syncFolder(folderOf(m_target));
}

void PosixOutputFile::writeIntoTarget()
{
    // The copy that a failure would name must be found after a power loss too.
    if (const int error = syncFolder(folderOf(m_temp.path())))
        failFile(m_path, std::strerror(error));
    // Only the very file that was resolved is written into: a name swapped
    // meanwhile for a link, or for another file, by someone who can write
    // the folder leads nowhere.
    const int fd = m_calls.open(m_target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0)
        failFile(m_path, errno == ELOOP ? kSwapped : describeErrno(errno));
    Descriptor target(fd);
    struct stat info{};
    if (::fstat(fd, &info) != 0)
        failFile(m_path, describeErrno(errno));
    if (!S_ISREG(info.st_mode) || info.st_dev != m_device || info.st_ino != m_inode)
        failFile(m_path, kSwapped);
    // Room first: a full disk stops the save before the old set is touched.
    const auto bytes = off_t(size());
    if (bytes > info.st_size && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, bytes) != 0 && errno != EOPNOTSUPP
        && errno != ENOSYS)
        failFile(m_path, std::strerror(errno));

    // From here on the old set is going: the temporary copy holds the new one whole.
    std::vector<char> piece(1024 * 1024);
    for (off_t at = 0; at < bytes;) {
        const ssize_t got = ::pread(m_temp.fd(), piece.data(), piece.size(), at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            failDamaged(got < 0 ? errno : EIO);
        if (const int error = writeAll(fd, {piece.data(), std::size_t(got)}))
            failDamaged(error);
        at += got;
    }
    if (::ftruncate(fd, bytes) != 0 || m_calls.fsync(fd) != 0 || m_calls.close(target.release()) != 0)
        failDamaged(errno);
}

void PosixOutputFile::failDamaged(int error)
{
    // The one whole copy of the new set: it stays, and the message says where.
    const std::string copy = m_temp.path();
    m_temp.release();
    failFile(m_path, std::string(std::strerror(error)) + "; the file may now be incomplete, and the whole new set is "
                         "kept in \"" + copy + "\"");
}

void PosixOutputFile::check(int result) const
{
    if (result != 0)
        failFile(m_path, std::strerror(errno));
}

void PosixOutputFile::writeAll(std::string_view bytes)
{
    if (const int error = writeAll(m_temp.fd(), bytes))
        failFile(m_path, std::strerror(error));
}

int PosixOutputFile::writeAll(int fd, std::string_view bytes) const
{
    while (!bytes.empty()) {
        const ssize_t wrote = m_calls.write(fd, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return wrote < 0 ? errno : EIO;
        bytes.remove_prefix(std::size_t(wrote));
    }
    return 0;
}

int PosixOutputFile::syncFolder(const std::string& folder) const
{
    const Descriptor entries(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (entries.fd() < 0)
        return errno;
    // Some file systems cannot sync a folder (EINVAL): their entries are
    // written with the files.
    return m_calls.fsync(entries.fd()) == 0 || errno == EINVAL ? 0 : errno;
}

} // namespace tavimor

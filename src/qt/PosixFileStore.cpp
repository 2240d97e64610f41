#include "PosixFileStore.h"

#include "Descriptor.h"
#include "PosixErrors.h"
#include "WaitCursor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavimor {

using posix::describeErrno;

std::string PosixFileStore::readAll(const std::string& path, std::uint64_t maxBytes)
{
    // O_NONBLOCK: opening a named pipe must not wait for a writer. The checks
    // are made on the opened file itself, so nothing can be swapped in between.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.fd() < 0)
        failFile(path, describeErrno(errno));
    struct stat info{};
    if (::fstat(file.fd(), &info) != 0)
        failFile(path, describeErrno(errno));
    if (S_ISDIR(info.st_mode))
        failFile(path, kFolderReason);
    if (!S_ISREG(info.st_mode))
        failFile(path, posix::kNotRegular);
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > maxBytes)
        throw FileTooLargeError(path, size);

    WaitCursor busy(size >= kWaitCursorBytes);
    return readToEnd(path, size, maxBytes, [&](char* buffer, std::size_t count) {
        for (;;) {
            const ssize_t got = ::read(file.fd(), buffer, count);
            if (got >= 0)
                return std::size_t(got);
            if (errno != EINTR)
                failFile(path, describeErrno(errno));
        }
    });
}

std::optional<std::string> PosixFileStore::readHead(const std::string& path, std::size_t maxBytes)
{
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.fd() < 0) {
        if (errno == ENOENT || errno == ENOTDIR || errno == ENXIO) // ENXIO: a pipe with no writer
            return std::nullopt;
        failFile(path, describeErrno(errno));
    }
    struct stat info{};
    if (::fstat(file.fd(), &info) != 0)
        failFile(path, describeErrno(errno));
    if (!S_ISREG(info.st_mode))
        return std::nullopt;
    std::string head(maxBytes, '\0');
    std::size_t done = 0;
    while (done < maxBytes) {
        const ssize_t got = ::read(file.fd(), head.data() + done, maxBytes - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            failFile(path, describeErrno(errno));
        if (got == 0)
            break;
        done += std::size_t(got);
    }
    head.resize(done);
    return head;
}

std::unique_ptr<OutputFile> PosixFileStore::create(const std::string& path)
{
    return std::make_unique<PosixOutputFile>(path, m_calls);
}

} // namespace tavimor

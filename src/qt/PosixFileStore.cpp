#include "PosixFileStore.h"

#include "PosixErrors.h"
#include "WaitCursor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavimor {

namespace {

using posix::describeErrno;
using posix::fail;

// Closes the descriptor however the read ends.
struct Descriptor
{
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

std::string PosixFileStore::readAll(const std::string& path, std::uint64_t maxBytes)
{
    // O_NONBLOCK: opening a named pipe must not wait for a writer. The checks
    // are made on the opened file itself, so nothing can be swapped in between.
    Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0)
        fail(path, describeErrno(errno));
    struct stat info{};
    if (::fstat(file.fd, &info) != 0)
        fail(path, describeErrno(errno));
    if (S_ISDIR(info.st_mode))
        fail(path, posix::kFolder);
    if (!S_ISREG(info.st_mode))
        fail(path, posix::kNotRegular);
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > maxBytes)
        throw FileTooLargeError(path, size);

    WaitCursor busy(size >= kWaitCursorBytes);
    std::string bytes(size, '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            // The file may have grown since it was measured.
            if (bytes.size() > maxBytes)
                throw FileTooLargeError(path, bytes.size());
            bytes.resize(bytes.size() + 64 * 1024);
        }
        const ssize_t got = ::read(file.fd, bytes.data() + done, bytes.size() - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            fail(path, describeErrno(errno));
        }
        if (got == 0)
            break;
        done += std::size_t(got);
    }
    bytes.resize(done);
    if (done > maxBytes)
        throw FileTooLargeError(path, done);
    return bytes;
}

std::unique_ptr<OutputFile> PosixFileStore::create(const std::string& path)
{
    return std::make_unique<PosixOutputFile>(path, m_calls);
}

} // namespace tavimor

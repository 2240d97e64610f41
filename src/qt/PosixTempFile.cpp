#include "PosixTempFile.h"

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

namespace tavimor {

namespace {

std::string randomPart()
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[8] = {};
    if (::getrandom(bytes, sizeof bytes, 0) != ssize_t(sizeof bytes)) {
        // No entropy to be had: the time and the process make a name that
        // O_EXCL still keeps from clashing.
        const auto seed = std::uint64_t(::getpid()) * 2654435761u ^ std::uint64_t(::time(nullptr));
        for (std::size_t i = 0; i < sizeof bytes; ++i)
            bytes[i] = static_cast<unsigned char>(seed >> (i * 7));
    }
    std::string part;
    for (const unsigned char b : bytes)
        part += kLetters[b % (sizeof kLetters - 1)];
    return part;
}

} // namespace

PosixTempFile::~PosixTempFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_path.empty())
        ::unlink(m_path.c_str());
}

int PosixTempFile::create(const std::string& folder, mode_t mode)
{
    for (int tries = 0;; ++tries) {
        std::string name = folder + (folder.back() == '/' ? ".tvm-" : "/.tvm-") + randomPart();
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0) {
            m_fd = fd;
            m_path = std::move(name);
            return 0;
        }
        if (errno != EEXIST || tries == 100)
            return errno;
    }
}

int PosixTempFile::close(int (*closeCall)(int))
{
    const int fd = m_fd;
    m_fd = -1;
    return closeCall(fd);
}

} // namespace tavimor

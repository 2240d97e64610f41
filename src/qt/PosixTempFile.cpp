#include "PosixTempFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace tavimor {

PosixTempFile::~PosixTempFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_path.empty())
        ::unlink(m_path.c_str());
}

int PosixTempFile::create(const std::string& folder, const std::string& base)
{
    std::string name = folder + (folder.back() == '/' ? "." : "/.") + base + ".tavimor-XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    m_fd = fd;
    m_path = name;
    return 0;
}

int PosixTempFile::close(int (*closeCall)(int))
{
    const int fd = m_fd;
    m_fd = -1;
    return closeCall(fd);
}

} // namespace tavimor

#include "QtFileStore.h"

#include "TextFile.h"
#include "WaitCursor.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFile>
#endif

namespace tavimor {

namespace {

[[noreturn]] void fail(const std::string& path, const std::string& reason)
{
    throw PlatformError(describeFileError(path, reason));
}

const char* kNotRegular = "this is not an ordinary file (it is a pipe, a device or another special file)";
const char* kFolder = "this is a folder, not a file";

#ifdef Q_OS_UNIX
std::string describeErrno(int error)
{
    switch (error) {
    case ENOENT: return "the file does not exist";
    case EACCES:
    case EPERM: return "permission denied";
    case ELOOP: return "too many levels of symbolic links";
    case EISDIR: return kFolder;
    default: return std::strerror(error);
    }
}

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
#endif

class QtOutputFile : public OutputFile
{
public:
    QtOutputFile(const std::string& path)
        : m_path(path)
        , m_file(QString::fromStdString(path))
    {
        if (QFileInfo(m_file.fileName()).isDir())
            fail(path, kFolder);
        if (!m_file.open(QIODevice::WriteOnly))
            fail(path, m_file.errorString().toStdString());
    }

    void write(std::string_view bytes) override
    {
        if (m_file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
            fail(m_path, m_file.errorString().toStdString());
    }

    void commit() override
    {
        WaitCursor busy(m_file.size() >= kWaitCursorBytes);
        if (!m_file.commit())
            fail(m_path, m_file.errorString().toStdString());
    }

    ~QtOutputFile() override
    {
        // Not committed: the temporary file goes, the target stays as it was.
        if (m_file.isOpen())
            m_file.cancelWriting();
    }

private:
    std::string m_path;
    QSaveFile m_file;
};

} // namespace

std::string QtFileStore::readAll(const std::string& path, std::uint64_t maxBytes)
{
    std::string bytes;
#ifdef Q_OS_UNIX
    // O_NONBLOCK: opening a named pipe must not wait for a writer. The checks
    // are made on the opened file itself, so nothing can be swapped in between.
    Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0)
        fail(path, describeErrno(errno));
    struct stat info{};
    if (::fstat(file.fd, &info) != 0)
        fail(path, describeErrno(errno));
    if (S_ISDIR(info.st_mode))
        fail(path, kFolder);
    if (!S_ISREG(info.st_mode))
        fail(path, kNotRegular);
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > maxBytes)
        throw FileTooLargeError(path, size);

    WaitCursor busy(size >= std::uint64_t(kWaitCursorBytes));
    bytes.resize(size);
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
#else
    const QString name = QString::fromStdString(path);
    const QFileInfo info(name);
    if (!info.exists())
        fail(path, "the file does not exist");
    if (info.isDir())
        fail(path, kFolder);
    if (!info.isFile())
        fail(path, kNotRegular);
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        fail(path, file.errorString().toStdString());
    const auto size = static_cast<std::uint64_t>(file.size());
    if (size > maxBytes)
        throw FileTooLargeError(path, size);
    WaitCursor busy(size >= std::uint64_t(kWaitCursorBytes));
    const QByteArray data = file.read(qint64(maxBytes) + 1);
    if (file.error() != QFileDevice::NoError)
        fail(path, file.errorString().toStdString());
    if (std::uint64_t(data.size()) > maxBytes)
        throw FileTooLargeError(path, std::uint64_t(data.size()));
    bytes.assign(data.constData(), std::size_t(data.size()));
#endif
    return bytes;
}

std::unique_ptr<OutputFile> QtFileStore::create(const std::string& path)
{
    return std::make_unique<QtOutputFile>(path);
}

} // namespace tavimor

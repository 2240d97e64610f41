#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "PlatformError.h"

namespace tavimor {

// The file is larger than the caller allows; thrown before anything is read.
class FileTooLargeError : public PlatformError
{
public:
    FileTooLargeError(const std::string& path, std::uint64_t size);
    std::string path;
    std::uint64_t size;
};

// A file being written. Nothing reaches the target path until commit();
// destroying an uncommitted file discards what was written.
class OutputFile
{
public:
    virtual ~OutputFile() = default;
    virtual void write(std::string_view bytes) = 0;
    virtual void commit() = 0;
};

// An output file that collects small writes and hands them to the host in
// large pieces.
class BufferedOutputFile : public OutputFile
{
public:
    void write(std::string_view bytes) final
    {
        if (bytes.size() >= kPieceBytes) { // a large text goes as it is, not copied first
            flush();
            writeAll(bytes);
            m_written += bytes.size();
            return;
        }
        m_buffer += bytes;
        if (m_buffer.size() >= kPieceBytes)
            flush();
    }

protected:
    // Hands everything collected so far to writeAll.
    void flush()
    {
        if (m_buffer.empty())
            return;
        writeAll(m_buffer);
        m_written += m_buffer.size();
        m_buffer.clear();
    }
    // The bytes written so far, those still collected included.
    std::uint64_t size() const { return m_written + m_buffer.size(); }
    // Writes all of the bytes, or throws.
    virtual void writeAll(std::string_view bytes) = 0;

private:
    static constexpr std::size_t kPieceBytes = 1024 * 1024;
    std::string m_buffer;
    std::uint64_t m_written = 0;
};

// Reads an ordinary file to its end once its size, measured, is within
// maxBytes. The file may have grown since it was measured: reading goes on
// until the host's read(buffer, count) gives 0 bytes, and stops with
// FileTooLargeError past maxBytes. The read throws on failure.
template <typename Read>
std::string readToEnd(const std::string& path, std::uint64_t size, std::uint64_t maxBytes, Read&& read)
{
    std::string bytes(std::size_t(size), '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (bytes.size() > maxBytes)
                throw FileTooLargeError(path, bytes.size());
            bytes.resize(bytes.size() + 64 * 1024);
        }
        const std::size_t got = read(bytes.data() + done, bytes.size() - done);
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    if (done > maxBytes)
        throw FileTooLargeError(path, done);
    return bytes;
}

// Raw byte access to files; the host implements it, tests use memory.
class FileStore
{
public:
    virtual ~FileStore() = default;
    // The whole content of a regular file, refused with FileTooLargeError when
    // it holds more than maxBytes.
    virtual std::string readAll(const std::string& path, std::uint64_t maxBytes) = 0;
    // The first bytes (at most maxBytes) of the regular file at the path, or a
    // link to one; nothing when no regular file is there. Never waits on a
    // pipe or a device. Throws when the file is there but cannot be read.
    virtual std::optional<std::string> readHead(const std::string& path, std::size_t maxBytes) = 0;
    virtual std::unique_ptr<OutputFile> create(const std::string& path) = 0;
};

} // namespace tavimor

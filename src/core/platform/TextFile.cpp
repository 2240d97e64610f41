#include "TextFile.h"

#include "TextCodec.h"

#include <cstdio>

namespace tavimor {

std::string describeFileError(const std::string& path, std::string_view reason)
{
    std::string text = "\"" + path + "\": ";
    text += reason;
    return text;
}

FileTooLargeError::FileTooLargeError(const std::string& path_, std::uint64_t size_)
    : PlatformError(describeFileError(path_, "the file is too large"))
    , path(path_)
    , size(size_)
{
}

std::string mebibytes(std::uint64_t bytes)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f MiB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return buffer;
}

TextFile::TextFile(FileStore& store)
    : m_store(store)
{
}

void TextFile::ensureClosed() const
{
    if (m_mode != Mode::Closed)
        throw PlatformError(describeFileError(m_path, "file already open"));
}

void TextFile::OpenInput(const std::string& path, const ReadLimit& limit)
{
    ensureClosed();
    std::string bytes;
    try {
        bytes = m_store.readAll(path, limit.maxBytes);
    } catch (const FileTooLargeError& e) {
        throw PlatformError(describeFileError(
            path, "the file is too large for " + std::string(limit.purpose) + " (" + mebibytes(e.size)
                      + "; at most " + mebibytes(limit.maxBytes) + " can be read)"));
    }
    const std::string_view head = std::string_view(bytes).substr(0, limit.ownHeader.size());
    const bool own = !limit.ownHeader.empty() && head == limit.ownHeader;
    auto decoded = decodeText(std::move(bytes), own ? Nul::Accepted : Nul::Refused);
    if (!decoded)
        throw PlatformError(describeFileError(path, "this is not a text file (it contains NUL bytes)"));
    m_text = std::move(decoded->utf8);
    m_pos = 0;
    m_path = path;
    m_mode = Mode::Input;
}

void TextFile::OpenOutput(const std::string& path)
{
    ensureClosed();
    m_output = m_store.create(path);
    m_path = path;
    m_mode = Mode::Output;
}

bool TextFile::AtEnd() const
{
    return m_mode != Mode::Input || m_pos >= m_text.size();
}

std::string TextFile::ReadLine()
{
    if (m_mode != Mode::Input)
        throw PlatformError(describeFileError(m_path, "the file is not open for reading"));
    if (m_pos >= m_text.size())
        throw PlatformError(describeFileError(m_path, "input went past the end of the file"));
    const std::size_t end = findLineBreak(m_text, m_pos);
    std::string line;
    if (end == std::string::npos) {
        line = m_text.substr(m_pos);
        m_pos = m_text.size();
    } else {
        line = m_text.substr(m_pos, end - m_pos);
        m_pos = (m_text[end] == '\r' && end + 1 < m_text.size() && m_text[end + 1] == '\n') ? end + 2 : end + 1;
    }
    return line;
}

void TextFile::WriteLine(std::string_view text)
{
    if (m_mode != Mode::Output)
        throw PlatformError(describeFileError(m_path, "the file is not open for writing"));
    m_output->write(text);
    m_output->write("\r\n");
}

void TextFile::Close()
{
    if (m_mode == Mode::Output) {
        auto output = std::move(m_output);
        Discard();
        output->commit();
        return;
    }
    Discard();
}

void TextFile::Discard() noexcept
{
    m_output.reset();
    m_text.clear();
    m_text.shrink_to_fit();
    m_pos = 0;
    m_mode = Mode::Closed;
}

} // namespace tavimor

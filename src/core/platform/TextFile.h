#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "FileStore.h"

namespace tavimor {

// How much a command is willing to read, and for what (used in the message).
struct ReadLimit
{
    std::uint64_t maxBytes;
    const char* purpose; // "a slot", "a slot-set file"
    // A file that begins with this line is the program's own text, which may
    // hold NUL characters; any other file with NUL bytes is not text.
    std::string_view ownHeader = {};
};

// The one sequential text file of the program. Input is read whole when the
// file is opened, decoded to UTF-8 and handed out line by line; a line ends at
// CR LF, at a lone CR or at a lone LF. Output lines end with CR LF and are
// written as UTF-8.
class TextFile
{
public:
    explicit TextFile(FileStore& store);

    void OpenInput(const std::string& path, const ReadLimit& limit);
    void OpenOutput(const std::string& path);

    bool AtEnd() const;
    std::string ReadLine();
    // Bytes of decoded text left to read: lets a reader reserve its buffer.
    std::size_t remaining() const { return m_mode == Mode::Input ? m_text.size() - m_pos : 0; }

    void WriteLine(std::string_view text);

    // Closes the file; for output this is when the file is put in place, so it
    // can fail. With no file open it does nothing.
    void Close();
    // Closes without putting any output in place; never fails.
    void Discard() noexcept;

    bool isOpen() const { return m_mode != Mode::Closed; }
    // The files behind it, for a look at a file without opening it.
    FileStore& store() const { return m_store; }
    const std::string& path() const { return m_path; }

private:
    enum class Mode { Closed, Input, Output };
    void ensureClosed() const;

    FileStore& m_store;
    Mode m_mode = Mode::Closed;
    std::string m_path;
    std::string m_text;
    std::size_t m_pos = 0;
    std::unique_ptr<OutputFile> m_output;
};

// The error text used for every file: the quoted path, then why.
std::string describeFileError(const std::string& path, std::string_view reason);
// Throws the error for a file: its path, then why.
[[noreturn]] inline void failFile(const std::string& path, std::string_view reason)
{
    throw PlatformError(describeFileError(path, reason));
}
inline constexpr const char* kFolderReason = "this is a folder, not a file";
// A size for messages: "150.0 MiB".
std::string mebibytes(std::uint64_t bytes);

} // namespace tavimor

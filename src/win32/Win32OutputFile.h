#pragma once

#include "FileErrors.h"
#include "platform/FileStore.h"

#include <cstdint>
#include <string>

namespace tavimor::win32 {

// A file being saved: the bytes go into a new file beside the target, which
// takes the target's place only when every byte is written and flushed.
class Win32OutputFile : public BufferedOutputFile
{
public:
    explicit Win32OutputFile(const std::string& path);
    ~Win32OutputFile() override;

    void commit() override;

private:
    void writeAll(std::string_view bytes) override;
    [[noreturn]] void failWith(DWORD error) const;

    std::string m_path; // as the user named it, for messages
    std::wstring m_target;
    std::wstring m_temp;
    bool m_replacing = false; // an existing file is replaced
    Handle m_file;
};

} // namespace tavimor::win32

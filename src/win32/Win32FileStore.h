#pragma once

#include "platform/FileStore.h"

namespace tavimor::win32 {

// Files on Windows. Only files on disk are read (a device could block or never
// end). Saving writes a new file beside the target and puts it in place with
// ReplaceFileW (or MoveFileExW for a new file) only when every byte is written
// and flushed, so a failed save leaves the old file as it was and no temporary
// file behind. Only a new file or an existing file on disk is saved to.
class Win32FileStore : public FileStore
{
public:
    std::string readAll(const std::string& path, std::uint64_t maxBytes) override;
    std::optional<std::string> readHead(const std::string& path, std::size_t maxBytes) override;
    std::unique_ptr<OutputFile> create(const std::string& path) override;
};

} // namespace tavimor::win32

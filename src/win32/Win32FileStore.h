#pragma once

#include "Win32OutputFile.h"
#include "platform/FileStore.h"

namespace tavimor::win32 {

// Files on Windows, at any length of path. Only files on disk are read (a
// device could block or never end). Saving is Win32OutputFile's: only a new
// file or an existing file on disk is saved to.
class Win32FileStore : public FileStore
{
public:
    explicit Win32FileStore(PlaceCalls calls = systemPlaceCalls())
        : m_calls(calls)
    {
    }

    std::string readAll(const std::string& path, std::uint64_t maxBytes) override;
    std::optional<std::string> readHead(const std::string& path, std::size_t maxBytes) override;
    std::unique_ptr<OutputFile> create(const std::string& path) override;

private:
    PlaceCalls m_calls;
};

} // namespace tavimor::win32

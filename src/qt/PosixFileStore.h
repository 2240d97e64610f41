#pragma once

#include "PosixOutputFile.h"

namespace tavimor {

// Files on a POSIX file system. Only regular files are read (a pipe or a device
// could block or never end); saving is PosixOutputFile's.
class PosixFileStore : public FileStore
{
public:
    explicit PosixFileStore(const SaveCalls& calls = kSystemSaveCalls)
        : m_calls(calls)
    {
    }

    std::string readAll(const std::string& path, std::uint64_t maxBytes) override;
    std::optional<std::string> readHead(const std::string& path, std::size_t maxBytes) override;
    std::unique_ptr<OutputFile> create(const std::string& path) override;

private:
    const SaveCalls& m_calls;
};

} // namespace tavimor

#pragma once

#include "FileStore.h"

namespace tavimor {

// Files on the host's file system. Only regular files are read (a pipe or a
// device could block or never end), and writing goes through a temporary file
// that replaces the target only when everything was written.
class QtFileStore : public FileStore
{
public:
    std::string readAll(const std::string& path, std::uint64_t maxBytes) override;
    std::unique_ptr<OutputFile> create(const std::string& path) override;
};

} // namespace tavimor

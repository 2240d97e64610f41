#pragma once

#include <cstdint>
#include <memory>
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

// Raw byte access to files; the host implements it, tests use memory.
class FileStore
{
public:
    virtual ~FileStore() = default;
    // The whole content of a regular file, refused with FileTooLargeError when
    // it holds more than maxBytes.
    virtual std::string readAll(const std::string& path, std::uint64_t maxBytes) = 0;
    virtual std::unique_ptr<OutputFile> create(const std::string& path) = 0;
};

} // namespace tavimor

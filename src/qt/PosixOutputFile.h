#pragma once

#include "platform/FileStore.h"

#include <cstdint>
#include <string>
#include <sys/types.h>

namespace tavimor {

// The system calls that saving makes, so that tests can make the steps fail
// that a real disk rarely fails on demand (the sync, the close, the rename).
struct SaveCalls
{
    ssize_t (*write)(int fd, const void* bytes, size_t count);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
};
extern const SaveCalls kSystemSaveCalls;

// A file being saved. Only a new file or an existing regular file (or a link
// to one) is saved to. The bytes go into a new file beside the target, which
// is renamed over the target only when every byte is written and synced, so a
// failed save leaves the old file as it was and no temporary file behind.
class PosixOutputFile : public BufferedOutputFile
{
public:
    PosixOutputFile(const std::string& path, const SaveCalls& calls);
    ~PosixOutputFile() override;

    void commit() override;

private:
    void check(int result) const;
    void writeAll(std::string_view bytes) override;
    // Makes the rename itself reach the disk.
    void syncFolder() const;

    std::string m_path; // as the user named it, for messages
    std::string m_target;
    std::string m_temp;
    const SaveCalls& m_calls;
    int m_fd = -1;
};

} // namespace tavimor

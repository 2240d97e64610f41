#pragma once

#include "PosixTempFile.h"
#include "platform/FileStore.h"

#include <cstdint>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace tavimor {

int openFile(const char* path, int flags);

// The system calls that saving makes, so that tests can make the steps fail
// that a real disk rarely fails on demand (the sync, the close, the rename),
// refuse what a root test machine allows (chmod), or change the files between
// two steps (open).
struct SaveCalls
{
    ssize_t (*write)(int fd, const void* bytes, size_t count);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*open)(const char* path, int flags) = openFile;
    int (*fchmod)(int fd, mode_t mode) = ::fchmod;
};
extern const SaveCalls kSystemSaveCalls;

// A file being saved. Only a new file or an existing regular file (or a link
// to one) is saved to, and at every moment one whole copy exists, of the old
// set or of the new. The bytes go into a new file beside the target, written
// and synced; then, as a rule, it is renamed over the target. Where a new file
// could not be all that the old one is (it has other hard links, an owner or
// extended attributes the new file cannot be given, or its folder takes no
// new file), the new set is copied into the file itself instead, and the
// temporary copy is kept, and named, if that copying fails part-way.
class PosixOutputFile : public BufferedOutputFile
{
public:
    PosixOutputFile(const std::string& path, const SaveCalls& calls);

    void commit() override;

private:
    void check(int result) const;
    void writeAll(std::string_view bytes) override;
    // Writes all of the bytes: 0, or the errno of the failure.
    int writeAll(int fd, std::string_view bytes) const;
    // Makes the temporary copy somewhere else when the target's folder takes no new file.
    void createElsewhere(int folderError);
    void replaceByRename();
    void writeIntoTarget();
    [[noreturn]] void failDamaged(int error);
    // Makes the folder's entries (a rename, a new name) reach the disk.
    int syncFolder(const std::string& folder) const;

    std::string m_path; // as the user named it, for messages
    std::string m_target;
    const SaveCalls& m_calls;
    PosixTempFile m_temp;
    bool m_exists = false;
    bool m_inPlace = false;
    // The file that was resolved, which writing in place must find again.
    dev_t m_device = 0;
    ino_t m_inode = 0;
};

} // namespace tavimor

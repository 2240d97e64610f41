#pragma once

#include <string>
#include <sys/types.h>

namespace tavimor {

// A new file under a short name of its own making, removed again with
// whatever was written to it unless it is kept: the descriptor and the name
// are owned here, so no failure on the way (a throwing constructor included)
// leaves either behind.
class PosixTempFile
{
public:
    PosixTempFile() = default;
    ~PosixTempFile();
    PosixTempFile(const PosixTempFile&) = delete;
    PosixTempFile& operator=(const PosixTempFile&) = delete;

    // Makes ".tvm-XXXXXXXX" (eight random letters and digits) in the folder,
    // open for reading and writing, created with this mode as open() takes it
    // (less the umask, or as the folder's default ACL says). The name is short
    // whatever the saved file's name is, so that a name as long as the file
    // system allows can be saved. Returns 0, or the errno of the failure
    // (nothing is made then).
    int create(const std::string& folder, mode_t mode);

    int fd() const { return m_fd; }
    const std::string& path() const { return m_path; }
    // Closes the descriptor through the given call; its result.
    int close(int (*closeCall)(int));
    // The name now belongs elsewhere (renamed into place, or kept as the only
    // whole copy of the text): it is not removed.
    void release() noexcept { m_path.clear(); }

private:
    int m_fd = -1;
    std::string m_path;
};

} // namespace tavimor

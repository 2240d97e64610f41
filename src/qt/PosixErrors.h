#pragma once

// How file failures on a POSIX system are put into words for the "Error: "
// messages: the path first, then the reason.
#include "platform/TextFile.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace tavimor::posix {

inline const char* kNotRegular = "this is not a regular file (it is a pipe, a device or another special file)";

inline std::string describeErrno(int error)
{
    switch (error) {
    case ENOENT: return "the file does not exist";
    case EACCES:
    case EPERM: return "permission denied";
    case ELOOP: return "too many levels of symbolic links";
    case EISDIR: return kFolderReason;
    default: return std::strerror(error);
    }
}

} // namespace tavimor::posix

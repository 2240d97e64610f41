#pragma once

#include <string>
#include <sys/stat.h>

namespace tavimor {

// Gives a new file everything that the file it replaces is, apart from its
// bytes: owner, group, permissions, and the extended attributes, which hold
// its ACL and its SELinux label among others. False when the host refuses any
// part (an ordinary user cannot give a file away, a file system may hold no
// extended attributes): then replacing the old file by the new one would lose it.
// The mode is set through the given call (a test may refuse it).
bool carryAttributes(int toFd, const std::string& fromPath, const struct stat& from,
                     int (*setMode)(int, mode_t) = ::fchmod);

} // namespace tavimor

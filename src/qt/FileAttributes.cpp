#include "FileAttributes.h"

#include <cerrno>
#include <optional>
#include <set>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace tavimor {

namespace {

// The names of a file's extended attributes; nothing on a file system that has none.
template <typename List>
std::optional<std::set<std::string>> attributeNames(List list)
{
    for (;;) {
        const ssize_t size = list(nullptr, 0);
        if (size < 0)
            return (errno == ENOTSUP) ? std::optional(std::set<std::string>{}) : std::nullopt;
        std::vector<char> names(std::size_t(size) + 1);
        const ssize_t got = list(names.data(), names.size());
        if (got < 0 && errno == ERANGE)
            continue; // grew meanwhile
        if (got < 0)
            return std::nullopt;
        std::set<std::string> result;
        for (std::size_t at = 0; at < std::size_t(got);) {
            std::string name(names.data() + at);
            at += name.size() + 1;
            result.insert(std::move(name));
        }
        return result;
    }
}

bool copyExtendedAttributes(int toFd, const std::string& fromPath)
{
    const auto from = attributeNames([&](char* b, std::size_t n) { return ::llistxattr(fromPath.c_str(), b, n); });
    const auto to = attributeNames([&](char* b, std::size_t n) { return ::flistxattr(toFd, b, n); });
    if (!from || !to)
        return false;
    // What the new file was born with (a folder's default ACL, say) but the old one lacks.
    for (const std::string& name : *to)
        if (!from->count(name) && ::fremovexattr(toFd, name.c_str()) != 0)
            return false;
    for (const std::string& name : *from) {
        std::vector<char> value;
        ssize_t size;
        do {
            size = ::lgetxattr(fromPath.c_str(), name.c_str(), nullptr, 0);
            if (size < 0)
                return false;
            value.resize(std::size_t(size));
            size = ::lgetxattr(fromPath.c_str(), name.c_str(), value.data(), value.size());
        } while (size < 0 && errno == ERANGE);
        if (size < 0 || ::fsetxattr(toFd, name.c_str(), value.data(), std::size_t(size), 0) != 0)
            return false;
    }
    return true;
}

} // namespace

bool carryAttributes(int toFd, const std::string& fromPath, const struct stat& from, int (*setMode)(int, mode_t))
{
    struct stat now{};
    if (::fstat(toFd, &now) != 0)
        return false;
    // Group and owner one at a time: an ordinary user may give a file to a group
    // of their own, but never to another user.
    if (now.st_gid != from.st_gid && ::fchown(toFd, uid_t(-1), from.st_gid) != 0)
        return false;
    if (now.st_uid != from.st_uid && ::fchown(toFd, from.st_uid, gid_t(-1)) != 0)
        return false;
    // After the owner, which clears the set-id bits; before the ACL, which the mode must match.
    if (setMode(toFd, from.st_mode & 07777) != 0)
        return false;
    return copyExtendedAttributes(toFd, fromPath);
}

} // namespace tavimor

#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace tavimor {

// How much of an existing file Save looks at before replacing it.
inline constexpr std::size_t kReplaceCheckBytes = 4096;

// Save asks before it replaces a file that is not a slot set: the Save dialog
// shows only slot sets, so a name typed into it may well be some other file,
// which a save would destroy without a word. Replacing a slot set, or an empty
// file, asks nothing. `head` is what the file begins with (nothing when no
// regular file is there to lose).
bool asksBeforeReplacing(const std::optional<std::string>& head);

// The question asked, naming the file.
std::string replaceQuestion(const std::string& path);

} // namespace tavimor

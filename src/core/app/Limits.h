#pragma once

// Product rules that both front ends keep alike.
#include <cstdint>

namespace tavimor {

// About the most a text box holds while staying usable on an ordinary machine:
// the most that File Open reads and Paste takes.
inline constexpr std::uint64_t kSlotTextLimit = 100ull * 1024 * 1024;
// Six slots at their largest: the most that File > Open reads.
inline constexpr std::uint64_t kSlotSetFileLimit = 6 * kSlotTextLimit;
// Files and texts from this size on take long enough to show the wait cursor.
inline constexpr std::uint64_t kWaitCursorBytes = 4 * 1024 * 1024;
// What a slot's undo history may hold beyond the size of the slot's text. Each
// replacement (Paste, File Open, File > Open) keeps the text it replaced so
// that Ctrl+Z can bring it back; past this allowance over the text shown, the
// oldest replacements are dropped, and only the last one can be undone.
inline constexpr std::uint64_t kUndoAllowance = 32ull * 1024 * 1024;
// Lines from this length on are hard for a text box to lay out; a front end
// may show them differently (never change them).
inline constexpr int kLongLine = 100'000;

} // namespace tavimor

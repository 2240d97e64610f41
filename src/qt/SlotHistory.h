#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavimor {

// The replacements of one slot's text (Paste, File Open, File > Open), for
// Ctrl+Z and Ctrl+Shift+Z: the texts that were replaced, as UTF-8, held up to
// a bound (kUndoAllowance beyond the size of the text shown). Past it the
// oldest go first; the nearest step each way is always kept.
class SlotHistory
{
public:
    // A replacement: the replaced text can be brought back, nothing redone.
    void replaced(std::string text, std::size_t shownBytes);
    // Typing after Ctrl+Z: what was undone can no longer be redone.
    void edited();

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    // Ctrl+Z and Ctrl+Shift+Z: take the text shown, give the one to show.
    std::string undo(std::string shown);
    std::string redo(std::string shown);

    std::uint64_t heldBytes() const { return m_held; }

private:
    std::string step(std::vector<std::string>& from, std::vector<std::string>& to, std::string shown);
    void bound(std::size_t shownBytes);

    std::vector<std::string> m_undo; // the nearest last
    std::vector<std::string> m_redo;
    std::uint64_t m_held = 0;
};

} // namespace tavimor

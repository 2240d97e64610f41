#pragma once

#include <QAbstractUndoItem>

#include <string>

namespace tavimor {

class LongLineView;
class SlotText;

// Steps that a slot's replacements put into the text box's own undo history,
// so that Ctrl+Z and the box's Undo menu take them in their order.

// Between the removal of the old text and the insertion of the new: undone
// or redone, it switches the display while the box is empty, before the text
// that comes back is laid out.
class DisplaySwitch : public QAbstractUndoItem
{
public:
    DisplaySwitch(LongLineView& view, bool before, bool after)
        : m_view(view)
        , m_before(before)
        , m_after(after)
    {
    }
    void undo() override;
    void redo() override;

private:
    LongLineView& m_view;
    bool m_before;
    bool m_after;
};

// A replacement whose old text the document no longer holds (its history
// was dropped): the step keeps that text itself, and swaps it with the text
// shown when undone or redone.
class ReplacedText : public QAbstractUndoItem
{
public:
    ReplacedText(SlotText& slot, std::string text, bool longLines)
        : m_slot(slot)
        , m_text(std::move(text))
        , m_long(longLines)
    {
    }
    void undo() override { swap(); }
    void redo() override { swap(); }

private:
    void swap();

    SlotText& m_slot;
    std::string m_text; // UTF-8, CR LF
    bool m_long;
};

} // namespace tavimor

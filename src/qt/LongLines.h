#pragma once

#include "app/Limits.h"

#include <QFont>
#include <QObject>
#include <QTextOption>

#include <string_view>

class QPlainTextEdit;

namespace tavimor {

// Keeps a slot that holds a very long line (kLongLine characters or more)
// usable. The text box lays out a line as a whole: unwrapped, a 1 MB line
// costs about 0.4 s per keystroke and past some 4 million characters its end
// can no longer be scrolled to. Such a slot is shown wrapped at the box's edge,
// anywhere in a word, and drawn without text shaping. Only the display
// changes: the slot's characters do not.
//
// The slot's text (SlotText) switches the display itself when it replaces the
// whole text, while the box is empty; this class follows typing.
class LongLineView : public QObject
{
    Q_OBJECT
public:
    explicit LongLineView(QPlainTextEdit* edit);

    bool active() const { return m_active; }
    // Whether a text would be shown as long, counted as the box counts
    // (UTF-16 units, a line ending at CR, LF or a paragraph separator).
    bool wantsLong(std::string_view utf8) const;
    // Switches the display. Cheap only while the box is empty: switching lays
    // out the whole text again.
    void show(bool active);
    // While the whole text is replaced, typing is not followed.
    void setReplacing(bool replacing) { m_replacing = replacing; }

private:
    void contentsChanged(int position, int removed, int added);
    // The length from which a line counts as long: shorter once the long-line
    // display is on, so that it stays on while the line is edited at the limit.
    int threshold() const;
    bool documentHasLongLine() const;

    QPlainTextEdit* m_edit;
    // The box's own font and word wrapping, restored when the long line goes.
    QFont m_font;
    QTextOption::WrapMode m_wordWrap;
    bool m_active = false;
    bool m_recheckQueued = false;
    bool m_replacing = false;
};

} // namespace tavimor

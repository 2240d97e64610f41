#pragma once

#include "app/Limits.h"

#include <QFont>
#include <QObject>
#include <QTextOption>

#include <string_view>

class QPlainTextEdit;

namespace tavimor {

// Keeps a slot that holds a very long line (kLongLine characters or more) usable. The text box lays out a
// line as a whole: unwrapped, a 1 MB line costs about 0.4 s per keystroke and
// past some 4 million characters its end can no longer be scrolled to. Such a
// slot is shown wrapped at the box's edge, anywhere in a word, and drawn
// without text shaping. Only the display changes: the slot's characters do not.
class LongLineView : public QObject
{
    Q_OBJECT
public:
    explicit LongLineView(QPlainTextEdit* edit);

    // Called around the replacement of the whole text: the display is chosen
    // before the new text goes in, so that it is laid out only once.
    void beginReplace(std::string_view text);
    void endReplace() { m_replacing = false; }

private:
    void contentsChanged(int position, int removed, int added);
    // The length from which a line counts as long: shorter once the long-line
    // display is on, so that it stays on while the line is edited at the limit.
    int threshold() const;
    bool documentHasLongLine() const;
    void setActive(bool active);

    QPlainTextEdit* m_edit;
    // The box's own font and word wrapping, restored when the long line goes.
    QFont m_font;
    QTextOption::WrapMode m_wordWrap;
    bool m_active = false;
    bool m_recheckQueued = false;
    bool m_replacing = false;
};

} // namespace tavimor

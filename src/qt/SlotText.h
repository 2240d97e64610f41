#pragma once

#include "SlotHistory.h"

#include <QFont>
#include <QObject>
#include <QTextCursor>

#include <optional>
#include <string>

class QPlainTextEdit;

namespace tavimor {

// Everything attached to one slot's text: its text box's document (the text
// cut into pieces where a line is long), reading and replacing the text whole,
// the history of replacements for Ctrl+Z and Ctrl+Shift+Z, and the display of
// very long lines. Every replacement and every step back or forth empties the
// document first, so that the document's own store never holds more than the
// text shown, and works in proportion to the text that comes in, not the one
// that goes: the slot keeps the text it last put in for as long as the box
// shows it unedited, and hands that on instead of reading the box.
class SlotText : public QObject
{
public:
    // Belongs to the edit, as its child. `usual`: the box's font, unwrapped.
    SlotText(QPlainTextEdit* edit, const QFont& usual);

    // The whole text, UTF-8 with CR LF line breaks.
    std::string text() const;
    // The text as it was put in, while the box shows it unedited.
    const std::string* keptText() const { return m_shown && !m_edited ? &*m_shown : nullptr; }
    // Replaces the whole text as one step that Ctrl+Z undoes; the caret goes
    // to the start. The text's line breaks are CR LF.
    void replace(std::string text);

    // Ctrl+Z and Ctrl+Shift+Z: typing first, in the box's own steps, then
    // the replacements.
    void undo();
    void redo();
    bool canUndo() const;
    bool canRedo() const;

    // After each event that may have edited the box: pieces that typing made
    // too long are cut, empty ones go.
    void settle();

private:
    // Empties the document and shows this text, unedited, with its display.
    void show(std::string text);
    // The text shown, as it was put in, or else read out of the box.
    std::string takeShown();
    void contentsChanged(int position, int removed, int added);

    QPlainTextEdit* m_edit;
    QFont m_usual;
    bool m_long = false;
    SlotHistory m_history;
    // The text last put in; m_edited once the box changed since.
    std::optional<std::string> m_shown;
    bool m_edited = false;
    // Changes of the slot's own, and steps of the box's own history, are not typing.
    bool m_own = false;
    bool m_stepping = false;
    // Where typing changed the box since the last settle.
    bool m_unsettled = false;
    QTextCursor m_changedFrom;
    QTextCursor m_changedTo;
};

} // namespace tavimor

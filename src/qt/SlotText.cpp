#include "SlotText.h"

#include "DocumentText.h"
#include "LongLines.h"

#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QTextDocument>
#include <QTimer>

namespace tavimor {

namespace {

// The text as the box gives it back: the characters that it turns into line
// breaks (U+2029, U+FDD0, U+FDD1) are line breaks.
std::string asShown(std::string text)
{
    for (const char* breaking : {"\xE2\x80\xA9", "\xEF\xB7\x90", "\xEF\xB7\x91"})
        for (std::size_t at = 0; (at = text.find(breaking, at)) != std::string::npos; at += 2)
            text.replace(at, 3, "\r\n");
    return text;
}

} // namespace

SlotText::SlotText(QPlainTextEdit* edit, const QFont& usual)
    : QObject(edit)
    , m_edit(edit)
    , m_usual(usual)
    , m_changedFrom(edit->document())
    , m_changedTo(edit->document())
{
    showLongLines(*m_edit, m_usual, false);
    connect(edit->document(), &QTextDocument::contentsChange, this, &SlotText::contentsChanged);
}

std::string SlotText::text() const
{
    if (const std::string* kept = keptText())
        return *kept;
    return documentText(*m_edit->document());
}

void SlotText::replace(std::string text)
{
    // Typing since the last text was put in is a step of its own, before the
    // replacement: Ctrl+Z brings back the typed text, then the text before it.
    std::optional<std::string> beforeTyping;
    if (m_edited && m_shown && m_edit->document()->isUndoAvailable())
        beforeTyping = std::exchange(m_shown, std::nullopt);
    std::string replaced = takeShown();
    if (beforeTyping)
        m_history.replaced(std::move(*beforeTyping), text.size());
    m_history.replaced(std::move(replaced), text.size());
    show(std::move(text));
}

void SlotText::undo()
{
    QTextDocument& document = *m_edit->document();
    if (document.isUndoAvailable()) {
        const QScopedValueRollback stepping(m_stepping, true);
        document.undo();
        // All typing undone: the box shows the text put in again.
        m_edited = document.isUndoAvailable();
    } else if (m_history.canUndo()) {
        show(m_history.undo(takeShown()));
    }
}

void SlotText::redo()
{
    QTextDocument& document = *m_edit->document();
    if (document.isRedoAvailable()) {
        const QScopedValueRollback stepping(m_stepping, true);
        document.redo();
    } else if (m_history.canRedo()) {
        show(m_history.redo(takeShown()));
    }
}

bool SlotText::canUndo() const
{
    return m_edit->document()->isUndoAvailable() || m_history.canUndo();
}

bool SlotText::canRedo() const
{
    return m_edit->document()->isRedoAvailable() || m_history.canRedo();
}

void SlotText::show(std::string text)
{
    const QScopedValueRollback own(m_own, true);
    QTextDocument& document = *m_edit->document();
    // Emptied first: the old text is not laid out again, and its store goes.
    document.clear();
    const bool longLines = hasLongLine(text);
    if (longLines != m_long)
        showLongLines(*m_edit, m_usual, longLines); // cheap while the box is empty
    m_long = longLines;
    // Put in without recording each of its lines for undo (the slot keeps
    // the step itself), and laid out once, not once per piece.
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    insertUtf8(cursor, text);
    cursor.endEditBlock();
    document.setUndoRedoEnabled(true);
    m_edit->moveCursor(QTextCursor::Start);
    m_shown = asShown(std::move(text));
    m_edited = false;
    m_unsettled = false;
}

std::string SlotText::takeShown()
{
    std::optional<std::string> shown = std::exchange(m_shown, std::nullopt);
    if (shown && !m_edited)
        return std::move(*shown);
    return documentText(*m_edit->document());
}

void SlotText::contentsChanged(int position, int /*removed*/, int added)
{
    if (m_own)
        return;
    m_edited = true;
    if (m_stepping)
        return; // a step of the box's history: already settled when it was made
    m_history.edited();
    const int end = position + added;
    if (!m_unsettled || position < m_changedFrom.position())
        m_changedFrom.setPosition(position);
    if (!m_unsettled || end > m_changedTo.position())
        m_changedTo.setPosition(end);
    if (!m_unsettled)
        QTimer::singleShot(0, this, &SlotText::settle); // for changes made outside an event of the box
    m_unsettled = true;
}

void SlotText::settle()
{
    if (!m_unsettled)
        return;
    m_unsettled = false;
    const QScopedValueRollback own(m_own, true);
    QTextDocument& document = *m_edit->document();
    settlePieces(document, m_changedFrom.position(), m_changedTo.position());
    // A box emptied by hand shows its usual display again.
    if (m_long && document.isEmpty()) {
        showLongLines(*m_edit, m_usual, false);
        m_long = false;
    }
}

} // namespace tavimor

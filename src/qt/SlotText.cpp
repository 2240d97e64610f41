#include "SlotText.h"

#include "DocumentText.h"
#include "SlotUndo.h"
#include "app/Limits.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

namespace tavimor {

namespace {

// While the whole text is replaced, the display follows the replacement, not
// the typing (also when the replacement throws).
class Replacing
{
public:
    explicit Replacing(LongLineView& view)
        : m_view(view)
    {
        m_view.setReplacing(true);
    }
    ~Replacing() { m_view.setReplacing(false); }
    Replacing(const Replacing&) = delete;
    Replacing& operator=(const Replacing&) = delete;

private:
    LongLineView& m_view;
};

} // namespace

SlotText::SlotText(QPlainTextEdit* edit)
    : QObject(edit)
    , m_edit(edit)
    , m_view(edit)
{
}

std::string SlotText::text() const
{
    return documentText(*m_edit->document());
}

void SlotText::replace(std::string text)
{
    // The history keeps every replaced text for Ctrl+Z: bounded, in UTF-16
    // bytes, as the document holds them (a UTF-8 byte is at most one unit).
    const auto replacedBytes = std::uint64_t(m_edit->document()->characterCount()) * sizeof(QChar);
    const bool longLines = m_view.wantsLong(text);
    {
        const Replacing replacing(m_view);
        if (dropsEarlierUndo(m_held, replacedBytes, text.size() * sizeof(QChar)))
            replaceDroppingHistory(text, longLines, replacedBytes);
        else
            replaceKeepingHistory(text, longLines, replacedBytes);
    }
    m_edit->moveCursor(QTextCursor::Start);
    keepShownText(std::move(text));
}

// The old text stays in the document's own history, as one step with the
// new: the old text is removed, the display switched on the empty box, and
// the new text inserted, laid out once when the step ends.
void SlotText::replaceKeepingHistory(std::string_view text, bool longLines, std::uint64_t replacedBytes)
{
    QTextDocument& document = *m_edit->document();
    QTextCursor cursor(&document);
    cursor.beginEditBlock(); // one step for Ctrl+Z
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    if (longLines != m_view.active()) {
        // Ctrl+Z switches back at the same point, before the old text returns.
        document.appendUndoItem(new DisplaySwitch(m_view, m_view.active(), longLines));
        m_view.show(longLines);
    }
    insertUtf8(cursor, text);
    cursor.endEditBlock();
    m_held += replacedBytes;
}

// The history goes whole: the document keeps every text it ever held while
// undo is on, in a store that only clearing it empties. The step that Ctrl+Z
// undoes keeps the replaced text itself, and the new text goes in without
// being recorded line by line.
void SlotText::replaceDroppingHistory(std::string_view text, bool longLines, std::uint64_t replacedBytes)
{
    QTextDocument& document = *m_edit->document();
    auto step = std::make_unique<ReplacedText>(*this, takeShownText(), m_view.active());
    document.clear();
    m_view.show(longLines);
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    cursor.beginEditBlock(); // laid out once, not once per piece
    insertUtf8(cursor, text);
    cursor.endEditBlock();
    document.setUndoRedoEnabled(true);
    document.appendUndoItem(step.release());
    m_held = replacedBytes;
}

std::string SlotText::swapText(std::string text, bool& longLines)
{
    // Called while the document undoes or redoes a step: its history is not
    // recorded meanwhile, and the layout waits for the step's end.
    QTextDocument& document = *m_edit->document();
    std::string shown = takeShownText();
    const bool shownLong = m_view.active();
    QTextCursor cursor(&document);
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    m_view.show(longLines);
    insertUtf8(cursor, text);
    keepShownText(std::move(text));
    longLines = shownLong;
    return shown;
}

std::string SlotText::takeShownText()
{
    std::optional<std::string> shown = std::move(m_shown);
    m_shown.reset();
    if (shown && m_shownRevision == m_edit->document()->revision())
        return std::move(*shown);
    return text();
}

void SlotText::keepShownText(std::string text)
{
    m_shown = std::move(text);
    m_shownRevision = m_edit->document()->revision();
}

} // namespace tavimor

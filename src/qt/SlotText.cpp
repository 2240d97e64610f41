#include "SlotText.h"

#include "LongLines.h"

#include <QPlainTextEdit>
#include <QStringEncoder>
#include <QTextCursor>
#include <QTextDocument>

namespace tavimor {

std::string slotTextOf(const QTextDocument& document)
{
    const QString raw = document.toRawText();
    const QStringView all(raw);
    // The UTF-8 text is written straight into a buffer of its largest possible
    // size (a paragraph end, three bytes' worth, becomes the two of CR LF):
    // one pass over a large slot, where replacing and then converting took three.
    std::size_t bound = 0;
    for (const QChar c : all)
        bound += c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : 3;
    std::string text(bound, '\0');
    QStringEncoder toUtf8(QStringEncoder::Utf8);
    char* end = text.data();
    qsizetype from = 0;
    for (qsizetype at; (at = all.indexOf(QChar::ParagraphSeparator, from)) >= 0; from = at + 1) {
        end = toUtf8.appendToBuffer(end, all.sliced(from, at - from));
        *end++ = '\r';
        *end++ = '\n';
    }
    end = toUtf8.appendToBuffer(end, all.sliced(from));
    text.resize(std::size_t(end - text.data()));
    return text;
}

namespace {

// The text goes into the box in pieces of about this many bytes, each ending
// after a line break where there is one: meanwhile the text exists once more
// in UTF-16 only for one piece, not as a whole.
constexpr std::size_t kPieceBytes = 4 * 1024 * 1024;

std::size_t pieceLength(std::string_view rest)
{
    if (rest.size() <= kPieceBytes)
        return rest.size();
    const std::size_t lineEnd = rest.rfind('\n', kPieceBytes - 1);
    if (lineEnd != std::string_view::npos)
        return lineEnd + 1;
    // One long line: end at a whole character, and never between CR and LF.
    std::size_t end = kPieceBytes;
    while (end > 1 && ((rest[end] & 0xC0) == 0x80 || (rest[end] == '\n' && rest[end - 1] == '\r')))
        --end;
    return end;
}

void insertInPieces(QTextCursor& cursor, std::string_view text)
{
    for (std::string_view rest = text; !rest.empty();) {
        const std::size_t length = pieceLength(rest);
        cursor.insertText(QString::fromUtf8(rest.data(), qsizetype(length)));
        rest.remove_prefix(length);
    }
}

} // namespace

void dropUndoHistory(QTextDocument& document)
{
    // Clearing the history is not enough: the document keeps every text it
    // ever held in a store of its own until it is emptied. Setting the
    // current text anew empties it, and leaves no undo step.
    document.setPlainText(document.toRawText());
}

void replaceSlotText(QPlainTextEdit& edit, std::string_view text)
{
    auto* view = edit.findChild<LongLineView*>(QString(), Qt::FindDirectChildrenOnly);
    if (view)
        view->beginReplace(text);
    QTextCursor cursor(edit.document());
    cursor.beginEditBlock(); // one step for Ctrl+Z
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    insertInPieces(cursor, text);
    cursor.endEditBlock();
    if (view)
        view->endReplace();
    edit.moveCursor(QTextCursor::Start);
}

} // namespace tavimor

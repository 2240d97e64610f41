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

void replaceSlotText(QPlainTextEdit& edit, const std::string& text)
{
    const QString replacement = QString::fromStdString(text);
    auto* view = edit.findChild<LongLineView*>(QString(), Qt::FindDirectChildrenOnly);
    if (view)
        view->beginReplace(replacement);
    QTextCursor cursor(edit.document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    if (replacement.isEmpty())
        cursor.removeSelectedText();
    else
        cursor.insertText(replacement);
    cursor.endEditBlock();
    if (view)
        view->endReplace();
    edit.moveCursor(QTextCursor::Start);
}

} // namespace tavimor

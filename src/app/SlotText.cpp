#include "SlotText.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace tavimor {

std::string slotTextOf(const QTextDocument& document)
{
    QString text = document.toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return text.toStdString();
}

void replaceSlotText(QPlainTextEdit& edit, const std::string& text)
{
    QTextCursor cursor(edit.document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    if (text.empty())
        cursor.removeSelectedText();
    else
        cursor.insertText(QString::fromStdString(text));
    cursor.endEditBlock();
    edit.moveCursor(QTextCursor::Start);
}

} // namespace tavimor

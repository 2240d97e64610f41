#include "SlotText.h"

#include "LongLines.h"

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

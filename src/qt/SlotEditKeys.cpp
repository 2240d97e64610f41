#include "SlotEditKeys.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

namespace tavimor {

namespace {

bool typesSeparator(const QKeyEvent& key)
{
    if (key.matches(QKeySequence::InsertLineSeparator))
        return true;
    const QString text = key.text();
    return text.contains(QChar::LineSeparator) || text.contains(QChar::ParagraphSeparator);
}

} // namespace

SlotEditKeys::SlotEditKeys(QPlainTextEdit* edit)
    : QObject(edit)
    , m_edit(edit)
{
    edit->installEventFilter(this);
}

bool SlotEditKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit || event->type() != QEvent::KeyPress || m_edit->isReadOnly())
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (!typesSeparator(key))
        return false;
    QString text = key.matches(QKeySequence::InsertLineSeparator) ? QStringLiteral("\n") : key.text();
    text.replace(QChar::LineSeparator, QLatin1Char('\n')).replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    m_edit->insertPlainText(text); // a line feed here starts a new line, as Enter does
    m_edit->ensureCursorVisible();
    return true;
}

} // namespace tavimor

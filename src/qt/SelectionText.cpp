#include "SelectionText.h"

#include "DocumentText.h"

namespace tavimor {

namespace {

const QString kPlain = QStringLiteral("text/plain");
const QString kPlainUtf8 = QStringLiteral("text/plain;charset=utf-8");

} // namespace

SelectionText::SelectionText(const QTextCursor& selection, bool now)
    : m_selection(selection)
{
    if (now)
        takeNow();
}

void SelectionText::takeNow() const
{
    if (m_text)
        return;
    // A box that is gone has nothing selected.
    const QTextDocument* document = m_selection.document();
    m_text = document ? plainText(*document, m_selection.anchor(), m_selection.position()) : QString();
}

QStringList SelectionText::formats() const
{
    return {kPlain};
}

bool SelectionText::hasFormat(const QString& mimeType) const
{
    return mimeType == kPlain || mimeType == kPlainUtf8;
}

QVariant SelectionText::retrieveData(const QString& mimeType, QMetaType /*type*/) const
{
    if (!hasFormat(mimeType))
        return {};
    takeNow();
    return *m_text;
}

} // namespace tavimor

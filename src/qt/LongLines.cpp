#include "LongLines.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

namespace tavimor {

namespace {

// A line of at least `length` characters (counted as UTF-8 sequences).
bool hasLineOf(std::string_view utf8, int length)
{
    int characters = 0;
    for (const char c : utf8) {
        if (c == '\r' || c == '\n')
            characters = 0;
        else if ((c & 0xC0) != 0x80 && ++characters >= length)
            return true;
    }
    return false;
}

} // namespace

LongLineView::LongLineView(QPlainTextEdit* edit)
    : QObject(edit)
    , m_edit(edit)
    , m_font(edit->font())
    , m_wordWrap(edit->wordWrapMode())
{
    connect(edit->document(), &QTextDocument::contentsChange, this, &LongLineView::contentsChanged);
}

void LongLineView::beginReplace(std::string_view text)
{
    setActive(hasLineOf(text, threshold()));
    m_replacing = true;
}

void LongLineView::contentsChanged(int position, int /*removed*/, int added)
{
    if (m_recheckQueued || m_replacing)
        return;
    // Typing or pasting into the box: look at the lines the change touched.
    // When none of them is long (any more), look at all once the edit is over.
    bool touchedLong = false;
    const QTextDocument* document = m_edit->document();
    for (QTextBlock block = document->findBlock(position); block.isValid() && block.position() <= position + added;
         block = block.next()) {
        if (block.length() > threshold()) {
            touchedLong = true;
            break;
        }
    }
    if (touchedLong == m_active)
        return;
    m_recheckQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_recheckQueued = false;
        setActive(documentHasLongLine());
    });
}

int LongLineView::threshold() const
{
    return m_active ? kLongLineBack : kLongLine;
}

bool LongLineView::documentHasLongLine() const
{
    for (QTextBlock block = m_edit->document()->begin(); block.isValid(); block = block.next()) {
        if (block.length() > threshold()) // a block's length counts its end
            return true;
    }
    return false;
}

void LongLineView::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    QFont font = m_font;
    if (active) {
        font.setStyleStrategy(QFont::PreferNoShaping);
        font.setKerning(false);
    }
    m_edit->setFont(font);
    m_edit->setWordWrapMode(active ? QTextOption::WrapAnywhere : m_wordWrap);
    m_edit->setLineWrapMode(active ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

} // namespace tavimor

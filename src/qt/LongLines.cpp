#include "LongLines.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>

namespace tavimor {

namespace {

// The length of the longest line, in UTF-16 units, as far as `enough`.
int longestLine(std::string_view utf8, int enough)
{
    int units = 0;
    int longest = 0;
    for (std::size_t i = 0; i < utf8.size() && longest < enough; ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const bool paragraphSeparator = c == 0xE2 && utf8.substr(i, 3) == "\xE2\x80\xA9";
        if (c == '\r' || c == '\n' || paragraphSeparator) {
            units = 0;
        } else if ((c & 0xC0) != 0x80) {
            units += c >= 0xF0 ? 2 : 1; // a character past the BMP is a surrogate pair
            longest = std::max(longest, units);
        }
    }
    return longest;
}

} // namespace

LongLineView::LongLineView(QPlainTextEdit* edit)
    : m_edit(edit)
    , m_font(edit->font())
    , m_wordWrap(edit->wordWrapMode())
{
    connect(edit->document(), &QTextDocument::contentsChange, this, &LongLineView::contentsChanged);
}

bool LongLineView::wantsLong(std::string_view utf8) const
{
    // Only a line of as many bytes can hold as many units: the others are
    // passed over without counting.
    const auto limit = std::size_t(threshold());
    for (std::size_t from = 0; from < utf8.size();) {
        const std::size_t end = std::min(utf8.find('\n', from), utf8.size());
        if (end - from >= limit && longestLine(utf8.substr(from, end - from), int(limit)) >= int(limit))
            return true;
        from = end + 1;
    }
    return false;
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
        show(documentHasLongLine());
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

void LongLineView::show(bool active)
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

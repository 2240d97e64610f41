#include "LongLines.h"

#include "app/Limits.h"

#include <QPlainTextEdit>

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
        const std::string_view three = utf8.substr(i, 3);
        if (c == '\r' || c == '\n' || three == "\xE2\x80\xA9" || three == "\xEF\xB7\x90" || three == "\xEF\xB7\x91") {
            units = 0;
        } else if ((c & 0xC0) != 0x80) {
            units += c >= 0xF0 ? 2 : 1; // a character past the BMP is a surrogate pair
            longest = std::max(longest, units);
        }
    }
    return longest;
}

} // namespace

bool hasLongLine(std::string_view utf8)
{
    // Only a line of as many bytes can hold as many units: the others are
    // passed over without counting.
    const auto limit = std::size_t(kLongLine);
    for (std::size_t from = 0; from < utf8.size();) {
        const std::size_t end = std::min(utf8.find('\n', from), utf8.size());
        if (end - from >= limit && longestLine(utf8.substr(from, end - from), kLongLine) >= kLongLine)
            return true;
        from = end + 1;
    }
    return false;
}

void showLongLines(QPlainTextEdit& edit, const QFont& usual, bool longLines)
{
    QFont font = usual;
    if (longLines) {
        font.setStyleStrategy(QFont::PreferNoShaping);
        font.setKerning(false);
    }
    edit.setFont(font);
    edit.setWordWrapMode(longLines ? QTextOption::WrapAnywhere : QTextOption::NoWrap);
    edit.setLineWrapMode(longLines ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

} // namespace tavimor

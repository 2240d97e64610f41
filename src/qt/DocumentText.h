#pragma once

#include <QString>

#include <string>
#include <string_view>

class QTextCursor;
class QTextDocument;

namespace tavimor {

// A slot's text as UTF-8 with CR LF line breaks, to and from the text box's
// document, exactly: every character comes back, a U+FEFF anywhere included.

// The whole text of a document. Read from the raw text, since toPlainText()
// turns no-break spaces into spaces and line separators into line breaks:
// only paragraph ends become CR LF. Unpaired surrogates, which no UTF-8 text
// can hold, become U+FFFD.
std::string documentText(const QTextDocument& document);

// The size of the pieces in which text goes into a document (a piece ends
// after a line break where there is one).
inline constexpr std::size_t kPieceBytes = 4 * 1024 * 1024;

// Inserts UTF-8 text at the cursor in pieces, so that the text exists once
// more in UTF-16 only for one piece, not as a whole. CR LF, LF and lone CR all
// end a paragraph.
void insertUtf8(QTextCursor& cursor, std::string_view text);

// UTF-8 to UTF-16 keeping a U+FEFF at the start, which QString::fromUtf8 drops.
QString exactUtf16(std::string_view text);

} // namespace tavimor

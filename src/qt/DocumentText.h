#pragma once

#include <QString>
#include <QTextCharFormat>

#include <string>
#include <string_view>
#include <vector>

class QTextBlock;
class QTextCursor;
class QTextDocument;

namespace tavimor {

// A slot's text as UTF-8 with CR LF line breaks, to and from the text box's
// document, exactly: every character comes back, a U+FEFF anywhere included.
//
// The box lays out and measures a paragraph as a whole, at every keystroke
// and every blink of the caret. So a line longer than kPieceUnits goes into
// the document as several paragraphs, pieces of the line: the paragraph break
// before each later piece is marked (by its character format) as continuing
// the line. Everything that reads the box reads through here and gets the
// line back whole; the pieces are only what the box shows.

// The longest piece a text is cut into, in UTF-16 units.
inline constexpr int kPieceUnits = 4096;
// A piece that typing makes longer than this is cut again.
inline constexpr int kPieceLimit = 2 * kPieceUnits;

// The format of a paragraph break that continues the line.
const QTextCharFormat& continuingBreak();

// Whether a paragraph continues the line of the one before it.
bool continuesLine(const QTextBlock& block);

// Which paragraphs of a document continue the line before them.
class PieceBreaks
{
public:
    explicit PieceBreaks(const QTextDocument& document);
    // False for a document that was never given a piece.
    bool any() const { return !m_continuing.empty(); }
    bool continues(const QTextBlock& block) const;

private:
    std::vector<bool> m_continuing; // by character format index
};

// The whole text. Read from the raw text, since toPlainText() turns no-break
// spaces into spaces and line separators into line breaks: only paragraph
// ends become CR LF. Unpaired surrogates, which no UTF-8 text can hold,
// become U+FFFD.
std::string documentText(const QTextDocument& document);

// The text between two positions of the document, exactly, with LF line
// breaks (as the clipboard and other programs take it).
QString plainText(const QTextDocument& document, int from, int to);

// A position in the document as an offset in its text with LF line breaks
// and whole lines, and back.
int plainOffset(const QTextDocument& document, int position);
int documentPosition(const QTextDocument& document, int offset);

// The size of the parts in which a replacement goes into a document (a part
// ends after a line break where there is one), so that the text exists once
// more in UTF-16 only for one part, not as a whole.
inline constexpr std::size_t kPartBytes = 4 * 1024 * 1024;

// Inserts UTF-8 text at the cursor, cut into pieces. CR LF, LF and lone CR
// all end a paragraph.
void insertUtf8(QTextCursor& cursor, std::string_view text);
// Inserts text typed, pasted or dropped into the box, cut into pieces.
void insertPieces(QTextCursor& cursor, const QString& text);

// After an edit of the box between two positions: pieces that have grown past
// kPieceLimit are cut, and pieces left empty go. Joined to the edit's own step
// for Ctrl+Z. Returns whether anything changed.
bool settlePieces(QTextDocument& document, int from, int to);

// UTF-8 to UTF-16 keeping a U+FEFF at the start, which QString::fromUtf8 drops.
QString exactUtf16(std::string_view text);

} // namespace tavimor

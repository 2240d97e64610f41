#include "DocumentText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace tavimor {

namespace {

constexpr int kContinues = QTextFormat::UserProperty + 1;

// The characters that the box turns into a paragraph break.
constexpr bool endsParagraph(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1;
}

// Raw text from the start of `block` on, with the breaks between pieces taken out.
QString joinPieces(QString raw, QTextBlock block, const PieceBreaks& pieces)
{
    if (!pieces.any())
        return raw;
    QString joined;
    joined.reserve(raw.size());
    qsizetype from = 0;
    for (qsizetype at; (at = raw.indexOf(QChar::ParagraphSeparator, from)) >= 0; from = at + 1) {
        block = block.next();
        joined += QStringView(raw).sliced(from, at - from + (pieces.continues(block) ? 0 : 1));
    }
    joined += QStringView(raw).sliced(from);
    return joined;
}

// Inserts text at the cursor with a continuing break wherever its line would
// grow past kPieceUnits (never between the two halves of a surrogate pair).
// `units`: the length of the paragraph before the cursor, and after.
void insertCut(QTextCursor& cursor, const QString& text, int& units)
{
    static const QTextCharFormat plain;
    const char16_t* units16 = reinterpret_cast<const char16_t*>(text.utf16());
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (endsParagraph(units16[i])) {
            units = 0;
        } else if (++units > kPieceUnits) {
            const qsizetype cut = QChar::isLowSurrogate(units16[i]) && i > from ? i - 1 : i;
            if (cut > from)
                cursor.insertText(text.sliced(from, cut - from), plain);
            cursor.insertBlock(QTextBlockFormat(), continuingBreak());
            units = int(i + 1 - cut);
            from = cut;
        }
    }
    if (from < text.size())
        cursor.insertText(from == 0 ? text : text.sliced(from), plain);
}

// A part ends after a line break where there is one, and never between CR
// and LF, which would make two line breaks of one. Within a character is
// fine: one decoder carries it over.
std::size_t partLength(std::string_view rest)
{
    if (rest.size() <= kPartBytes)
        return rest.size();
    const std::size_t lineEnd = rest.rfind('\n', kPartBytes - 1);
    if (lineEnd != std::string_view::npos)
        return lineEnd + 1;
    return rest[kPartBytes - 1] == '\r' ? kPartBytes - 1 : kPartBytes;
}

} // namespace

bool continuesLine(const QTextBlock& block)
{
    return block.isValid() && block.charFormat().boolProperty(kContinues);
}

const QTextCharFormat& continuingBreak()
{
    static const QTextCharFormat format = [] {
        QTextCharFormat f;
        f.setProperty(kContinues, true);
        return f;
    }();
    return format;
}

PieceBreaks::PieceBreaks(const QTextDocument& document)
{
    const QList<QTextFormat> formats = document.allFormats();
    for (qsizetype i = 0; i < formats.size(); ++i) {
        if (formats[i].boolProperty(kContinues)) {
            m_continuing.resize(std::size_t(formats.size()));
            m_continuing[std::size_t(i)] = true;
        }
    }
}

bool PieceBreaks::continues(const QTextBlock& block) const
{
    const auto index = std::size_t(block.charFormatIndex());
    return index < m_continuing.size() && m_continuing[index];
}

std::string documentText(const QTextDocument& document)
{
    const QString raw = joinPieces(document.toRawText(), document.begin(), PieceBreaks(document));
    const QStringView all(raw);
    // The UTF-8 text is written straight into a buffer of its largest possible
    // size (a paragraph end, three bytes' worth, becomes the two of CR LF):
    // one pass over a large slot, where replacing and then converting took three.
    std::size_t bound = 0;
    for (const QChar c : all)
        bound += c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : 3;
    std::string text(bound, '\0');
    // Stateless: each line is converted whole, so that a surrogate left
    // unpaired at its end becomes U+FFFD there and is not carried past the
    // line break (or lost at the end of the text).
    QStringEncoder toUtf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
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

QString plainText(const QTextDocument& document, int from, int to)
{
    QTextCursor range(const_cast<QTextDocument*>(&document));
    range.setPosition(from);
    range.setPosition(to, QTextCursor::KeepAnchor);
    QString text = joinPieces(range.selectedText(), document.findBlock(std::min(from, to)), PieceBreaks(document));
    return text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

int plainOffset(const QTextDocument& document, int position)
{
    const PieceBreaks pieces(document);
    if (!pieces.any())
        return position;
    int joined = 0;
    for (QTextBlock block = document.begin().next(); block.isValid() && block.position() <= position;
         block = block.next())
        joined += pieces.continues(block) ? 1 : 0;
    return position - joined;
}

int documentPosition(const QTextDocument& document, int offset)
{
    const PieceBreaks pieces(document);
    if (!pieces.any())
        return offset;
    int joined = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (!next.isValid() || offset + joined < next.position())
            return offset + joined;
        joined += pieces.continues(next) ? 1 : 0;
    }
    return offset;
}

void insertUtf8(QTextCursor& cursor, std::string_view text)
{
    // One decoder for all parts, and a U+FEFF at the start of the text is a
    // character like any other: a slot's text has no byte-order mark. Each
    // part is decoded into the same buffer (a UTF-8 byte gives at most one
    // unit, and a character carried over from the part before at most two).
    QStringDecoder toUtf16(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString part;
    int units = cursor.positionInBlock();
    for (std::string_view rest = text; !rest.empty();) {
        const std::size_t length = partLength(rest);
        part.resize(qsizetype(length) + 2);
        const QChar* end = toUtf16.appendToBuffer(part.data(), QByteArrayView(rest.data(), qsizetype(length)));
        part.truncate(end - part.constData());
        insertCut(cursor, part, units);
        rest.remove_prefix(length);
    }
}

void insertPieces(QTextCursor& cursor, const QString& text)
{
    int units = cursor.positionInBlock();
    insertCut(cursor, text, units);
}

bool settlePieces(QTextDocument& document, int from, int to)
{
    QTextCursor edit(&document);
    bool changed = false;
    const auto change = [&] {
        if (!changed)
            edit.joinPreviousEditBlock(); // undone with the edit that made it needed
        changed = true;
    };
    for (int at = document.findBlock(from).position();;) {
        const QTextBlock block = document.findBlock(at);
        if (!block.isValid())
            break;
        const int length = block.length() - 1;
        const QTextBlock next = block.next();
        if (length == 0 && (continuesLine(block) || continuesLine(next))) {
            // An empty piece: the break that makes it a piece goes.
            change();
            edit.setPosition(continuesLine(block) ? block.position() - 1 : block.position());
            edit.deleteChar();
            to -= 1;
            at = std::max(0, block.position() - 1);
            continue;
        }
        if (length > kPieceLimit) {
            int cut = block.position() + kPieceUnits;
            if (document.characterAt(cut).isLowSurrogate())
                --cut;
            change();
            edit.setPosition(cut);
            edit.insertBlock(QTextBlockFormat(), continuingBreak());
            to += 1;
            at = cut + 1;
            continue;
        }
        if (!next.isValid() || next.position() > to)
            break;
        at = next.position();
    }
    if (changed)
        edit.endEditBlock();
    return changed;
}

QString exactUtf16(std::string_view text)
{
    QStringDecoder toUtf16(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return toUtf16.decode(QByteArrayView(text.data(), qsizetype(text.size())));
}

} // namespace tavimor

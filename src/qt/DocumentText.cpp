#include "DocumentText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextCursor>
#include <QTextDocument>

namespace tavimor {

std::string documentText(const QTextDocument& document)
{
    const QString raw = document.toRawText();
    const QStringView all(raw);
    // The UTF-8 text is written straight into a buffer of its largest possible
    // size (a paragraph end, three bytes' worth, becomes the two of CR LF):
    // one pass over a large slot, where replacing and then converting took three.
    std::size_t bound = 0;
    for (const QChar c : all)
        bound += c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : 3;
    std::string text(bound, '\0');
    // Stateless: each paragraph is converted whole, so that a surrogate left
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

namespace {

// A piece ends after a line break where there is one, and never between CR
// and LF, which would make two line breaks of one. Within a character is
// fine: one decoder carries it over.
std::size_t pieceLength(std::string_view rest)
{
    if (rest.size() <= kPieceBytes)
        return rest.size();
    const std::size_t lineEnd = rest.rfind('\n', kPieceBytes - 1);
    if (lineEnd != std::string_view::npos)
        return lineEnd + 1;
    return rest[kPieceBytes - 1] == '\r' ? kPieceBytes - 1 : kPieceBytes;
}

} // namespace

void insertUtf8(QTextCursor& cursor, std::string_view text)
{
    // One decoder for all pieces, and a U+FEFF at the start of the text is a
    // character like any other: a slot's text has no byte-order mark. Each
    // piece is decoded into the same buffer (a UTF-8 byte gives at most one
    // unit, and a character carried over from the piece before at most two).
    QStringDecoder toUtf16(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString piece;
    for (std::string_view rest = text; !rest.empty();) {
        const std::size_t length = pieceLength(rest);
        piece.resize(qsizetype(length) + 2);
        const QChar* end = toUtf16.appendToBuffer(piece.data(), QByteArrayView(rest.data(), qsizetype(length)));
        piece.truncate(end - piece.constData());
        cursor.insertText(piece);
        rest.remove_prefix(length);
    }
}

QString exactUtf16(std::string_view text)
{
    QStringDecoder toUtf16(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return toUtf16.decode(QByteArrayView(text.data(), qsizetype(text.size())));
}

} // namespace tavimor

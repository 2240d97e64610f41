#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavimor {

// How the bytes of a text file were understood.
enum class TextEncoding { Utf8, Utf16LittleEndian, Utf16BigEndian, Windows1252 };

struct DecodedText
{
    std::string utf8;
    TextEncoding encoding;
};

// Turns the bytes of a text file into UTF-8, losing nothing that can be kept:
// a UTF-16 byte-order mark selects UTF-16; otherwise bytes that are valid UTF-8
// are taken as they are (a UTF-8 byte-order mark is dropped), and anything else
// is read as Windows-1252, the code page older Western programs wrote.
// Returns nothing for bytes with NUL in them (and no UTF-16 mark): not text,
// unless the caller knows the file to be text that may hold NUL characters.
enum class Nul { Refused, Accepted };
std::optional<DecodedText> decodeText(std::string bytes, Nul nul = Nul::Refused);

// Where the next CR or LF is at or after `from` (npos: none): a search for
// each byte, where find_first_of looks every byte up in a set.
std::size_t findLineBreak(std::string_view text, std::size_t from);

// Every line break as CR LF: a lone LF and a lone CR become CR LF, pairs stay.
// A slot's text always has this form.
std::string withCrLf(std::string text);

bool isValidUtf8(std::string_view bytes);
std::string windows1252ToUtf8(std::string_view bytes);
// Unpaired surrogates and a dangling odd byte become U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian);

void appendUtf8(std::string& out, char32_t codePoint);

} // namespace tavimor

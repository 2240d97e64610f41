#pragma once

// Random slot texts for property tests of a text box's round trip: every kind
// of character that a box might change or lose, in lines of any length.
#include <cstdint>
#include <random>
#include <utility>
#include <string>
#include <string_view>

namespace tavimor::test {

struct TextMix
{
    bool nul = true;           // a text box on Windows cannot hold NUL
    std::size_t maxLine = 200; // the longest run of characters without a line break
};

// Appends one character or line break, chosen at random.
inline void appendRandomAtom(std::mt19937& random, std::string& text, const TextMix& mix)
{
    static constexpr std::string_view kAtoms[] = {
        "\xEF\xBB\xBF",     // U+FEFF, which a decoder may take for a byte-order mark
        "\xF0\x9F\x98\x80", // past the BMP: a surrogate pair in UTF-16
        "\xF4\x8F\xBF\xBF", // U+10FFFF
        "\xE2\x80\xA8",     // line separator
        "\xE2\x80\xA9",     // paragraph separator
        "\xC2\xA0",         // no-break space
        "\xC3\xA9",         // é
        "\xE2\x82\xAC",     // €
        "\xEF\xBF\xBD",     // U+FFFD itself
        "\t", "\x01", "\x1F", "\x7F", "\r", "\n", "\r\n",
    };
    const std::size_t pick = random() % (std::size(kAtoms) + 3);
    if (pick < std::size(kAtoms))
        text += kAtoms[pick];
    else if (pick == std::size(kAtoms) && mix.nul)
        text += '\0';
    else
        text += std::string(random() % 12 + 1, char('a' + random() % 26));
}

// A text of about `bytes` bytes whose lines are at most mix.maxLine characters.
inline std::string randomSlotText(std::mt19937& random, std::size_t bytes, const TextMix& mix)
{
    std::string text;
    text.reserve(bytes + 16);
    std::size_t line = 0;
    while (text.size() < bytes) {
        const std::size_t before = text.size();
        appendRandomAtom(random, text, mix);
        const char last = text.back();
        line = (last == '\r' || last == '\n') ? 0 : line + (text.size() - before);
        if (line > mix.maxLine) {
            text += "\r\n";
            line = 0;
        }
    }
    return text;
}

// One line of exactly `units` UTF-16 units, with the same mix but no line break.
inline std::string randomLine(std::mt19937& random, std::size_t units)
{
    static constexpr std::pair<std::string_view, std::size_t> kAtoms[] = {
        {"\xEF\xBB\xBF", 1}, {"\xF0\x9F\x98\x80", 2}, {"\xE2\x80\xA8", 1}, {"\xC3\xA9", 1}, {"abcdefgh", 8}};
    std::string line;
    std::size_t length = 0;
    while (length < units) {
        const auto& [atom, size] = kAtoms[random() % std::size(kAtoms)];
        if (length + size > units) {
            line += std::string(units - length, 'x');
            break;
        }
        line += atom;
        length += size;
    }
    return line;
}

} // namespace tavimor::test

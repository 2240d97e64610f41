#pragma once

// Random slot texts for property tests of a text box's round trip: every
// kind of character that a box might change or lose.
#include <random>
#include <string>
#include <string_view>

namespace tavimor::test {

// About `bytes` bytes of U+FEFF, characters past the BMP (surrogate pairs in
// UTF-16), line and paragraph separators, control characters, NUL (where the
// box can hold it) and line breaks of every kind (unless a single line is wanted).
inline std::string randomSlotText(std::mt19937& random, std::size_t bytes, bool nul, bool breaks = true)
{
    using namespace std::string_view_literals;
    static constexpr std::string_view kAtoms[] = {
        "\xEF\xBB\xBF"sv, "\xF0\x9F\x98\x80"sv, "\xE2\x80\xA8"sv, "\xC2\xA0"sv, "\xC3\xA9"sv, "\xEF\xBF\xBD"sv,
        "\t\x01\x1F\x7F"sv, "abcdefgh"sv, "\0"sv, "\xE2\x80\xA9"sv, "\r"sv, "\n"sv, "\r\n"sv};
    constexpr std::size_t kNul = 8, kBreaks = 9; // the atoms from here on
    std::string text;
    while (text.size() < bytes) {
        const std::size_t pick = random() % std::size(kAtoms);
        if ((pick == kNul && !nul) || (pick >= kBreaks && !breaks))
            continue;
        text += kAtoms[pick];
    }
    return text;
}

} // namespace tavimor::test

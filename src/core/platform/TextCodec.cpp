#include "TextCodec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

namespace tavimor {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F. The five bytes it leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their Latin-1 code points, so
// every byte still maps to a character and nothing is dropped.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t kReplacement = 0xFFFD;

bool startsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

} // namespace

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool isValidUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        // Skip ASCII eight bytes at a time: most text is mostly ASCII.
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ull)
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int length;
        char32_t cp;
        char32_t minimum;
        if ((c & 0xE0) == 0xC0) {
            length = 2, cp = c & 0x1F, minimum = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3, cp = c & 0x0F, minimum = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4, cp = c & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (end - p < length)
            return false;
        for (int i = 1; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        p += length;
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            out.push_back(ch);
        else if (b < 0xA0)
            appendUtf8(out, kWindows1252High[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t i) -> char16_t {
        const auto a = static_cast<unsigned char>(bytes[2 * i]);
        const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
        return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t u = unitAt(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const char16_t low = unitAt(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        appendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? kReplacement : char32_t(u));
    }
    if (bytes.size() % 2 != 0)
        appendUtf8(out, kReplacement);
    return out;
}

std::optional<DecodedText> decodeText(std::string bytes, Nul nul)
{
    const std::string_view view(bytes);
    if (startsWith(view, "\xFF\xFE"))
        return DecodedText{utf16ToUtf8(view.substr(2), false), TextEncoding::Utf16LittleEndian};
    if (startsWith(view, "\xFE\xFF"))
        return DecodedText{utf16ToUtf8(view.substr(2), true), TextEncoding::Utf16BigEndian};
    if (nul == Nul::Refused && view.find('\0') != std::string_view::npos)
        return std::nullopt;
    if (startsWith(view, "\xEF\xBB\xBF") && isValidUtf8(view.substr(3))) {
        bytes.erase(0, 3);
        return DecodedText{std::move(bytes), TextEncoding::Utf8};
    }
    if (isValidUtf8(view))
        return DecodedText{std::move(bytes), TextEncoding::Utf8};
    return DecodedText{windows1252ToUtf8(view), TextEncoding::Windows1252};
}

std::size_t findLineBreak(std::string_view text, std::size_t from)
{
    // Block by block, so that a text without one of the two bytes is not
    // searched to its end for it at every line.
    constexpr std::size_t kBlock = 4096;
    for (std::size_t at = from; at < text.size(); at += kBlock) {
        const char* begin = text.data() + at;
        const std::size_t length = std::min(kBlock, text.size() - at);
        const void* lf = std::memchr(begin, '\n', length);
        const std::size_t beforeLf = lf ? std::size_t(static_cast<const char*>(lf) - begin) : length;
        if (const void* cr = std::memchr(begin, '\r', beforeLf))
            return at + std::size_t(static_cast<const char*>(cr) - begin);
        if (lf)
            return at + beforeLf;
    }
    return std::string_view::npos;
}

std::string withCrLf(std::string text)
{
    // Most texts are already in form: leave them untouched, without a copy.
    std::size_t i = findLineBreak(text, 0);
    for (; i != std::string::npos; i = findLineBreak(text, i + 2)) {
        if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n')
            break;
    }
    if (i == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size() + text.size() / 16 + 2);
    std::size_t from = 0;
    while (i != std::string::npos) {
        out.append(text, from, i - from);
        out += "\r\n";
        from = (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? i + 2 : i + 1;
        i = findLineBreak(text, from);
    }
    out.append(text, from, std::string::npos);
    return out;
}

} // namespace tavimor

#pragma once

// The program's text is UTF-8; Windows speaks UTF-16.
#include <string>
#include <string_view>

namespace tavimor::win32 {

// Long texts are converted in pieces of this many units (the system's
// conversions take int lengths); no character is split between two.
inline constexpr std::size_t kConversionPiece = 64u * 1024 * 1024;

std::wstring wide(std::string_view utf8);
// Unpaired surrogates, which no UTF-8 text can hold, become U+FFFD.
std::string narrow(std::wstring_view utf16);

// The system's own description of an error code, without its final line break.
std::string systemMessage(unsigned long error);

} // namespace tavimor::win32

#include "WideText.h"

#include "WindowsApi.h"

#include <climits>

namespace tavimor::win32 {

std::wstring wide(std::string_view utf8)
{
    std::wstring out;
    std::size_t done = 0;
    while (done < utf8.size()) {
        std::size_t take = std::min(kConversionPiece, utf8.size() - done);
        while (done + take < utf8.size() && (static_cast<unsigned char>(utf8[done + take]) & 0xC0) == 0x80)
            --take; // do not split a UTF-8 sequence
        const char* from = utf8.data() + done;
        const int need = ::MultiByteToWideChar(CP_UTF8, 0, from, int(take), nullptr, 0);
        const std::size_t at = out.size();
        out.resize(at + std::size_t(need));
        ::MultiByteToWideChar(CP_UTF8, 0, from, int(take), out.data() + at, need);
        done += take;
    }
    return out;
}

std::string narrow(std::wstring_view utf16)
{
    std::string out;
    std::size_t done = 0;
    while (done < utf16.size()) {
        std::size_t take = std::min(kConversionPiece, utf16.size() - done);
        if (done + take < utf16.size() && utf16[done + take - 1] >= 0xD800 && utf16[done + take - 1] <= 0xDBFF)
            --take; // keep a surrogate pair together
        const wchar_t* from = utf16.data() + done;
        const int need = ::WideCharToMultiByte(CP_UTF8, 0, from, int(take), nullptr, 0, nullptr, nullptr);
        const std::size_t at = out.size();
        out.resize(at + std::size_t(need));
        ::WideCharToMultiByte(CP_UTF8, 0, from, int(take), out.data() + at, need, nullptr, nullptr);
        done += take;
    }
    return out;
}

std::string systemMessage(unsigned long error)
{
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = length ? narrow({buffer, length}) : "error " + std::to_string(error);
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

} // namespace tavimor::win32

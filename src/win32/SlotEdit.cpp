#include "SlotEdit.h"

#include "WaitCursor.h"
#include "WideText.h"
#include "app/Limits.h"
#include "platform/TextCodec.h"

namespace tavimor::win32 {

std::string editText(HWND edit)
{
    const int length = ::GetWindowTextLengthW(edit);
    WaitCursor busy(std::uint64_t(length) >= kWaitCursorBytes);
    std::wstring text(std::size_t(length) + 1, L'\0');
    text.resize(std::size_t(::GetWindowTextW(edit, text.data(), length + 1)));
    // Text typed or pasted into the box by the user may hold a lone LF.
    return withCrLf(narrow(text));
}

void replaceEditText(HWND edit, const std::string& text)
{
    WaitCursor busy(text.size() >= kWaitCursorBytes);
    const std::wstring replacement = wide(text);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(replacement.c_str()));
    ::SendMessageW(edit, EM_SETSEL, 0, 0);
    ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

} // namespace tavimor::win32

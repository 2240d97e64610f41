#pragma once

// What the Win32 window tests read off a window and how they press its keys.
#include "WideText.h"
#include "WindowsApi.h"

#include <string>

namespace tavimor::test {

inline std::string textOf(HWND window)
{
    std::wstring text(std::size_t(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(std::size_t(::GetWindowTextW(window, text.data(), int(text.size()))));
    return win32::narrow(text);
}

// A control's rectangle in its parent's client area.
inline RECT placeIn(HWND control, HWND parent)
{
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Handles the messages waiting, as the program's loop would.
inline void pump()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// A key as the message loop hands it to the dialog manager.
inline bool dialogKey(HWND window, HWND focus, WPARAM key, UINT message = WM_KEYDOWN)
{
    MSG msg{focus, message, key, 1, DWORD(::GetMessageTime()), {}};
    return ::IsDialogMessageW(window, &msg);
}

} // namespace tavimor::test

#pragma once

#include "WindowsApi.h"

#include <optional>

namespace tavimor::win32 {

// Converts the descriptions' twips into pixels at a window's dots per inch.
struct Dpi
{
    UINT dpi = USER_DEFAULT_SCREEN_DPI;
    int px(int twips) const { return ::MulDiv(twips, int(dpi), 1440); }
    // A size given in pixels at 96 dots per inch (a line's width, a picture).
    int scaled(int pixels96) const { return ::MulDiv(pixels96, int(dpi), USER_DEFAULT_SCREEN_DPI); }
};

// A top-level window of the program. Its procedure hands every message to
// onMessage, where each window forwards the messages it handles to a handler
// of its own; what it does not handle goes to the default procedure.
class Window
{
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return m_hwnd; }
    Dpi dpi() const { return {m_hwnd ? ::GetDpiForWindow(m_hwnd) : USER_DEFAULT_SCREEN_DPI}; }

protected:
    // Registers the window class on first use and creates the window, where
    // Windows places it or at the given rectangle (in screen pixels).
    void create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, HWND owner, HMENU menu,
                const RECT* place = nullptr);
    // Sets the window's size so that its client area has the given size,
    // then keeps it within its monitor's work area.
    void setClientSize(int width, int height);
    // Moves the window into its monitor's work area, as much of it as fits.
    void keepOnWorkArea();
    // The window's icons at its dots per inch (again when those change).
    void updateIcons();

    virtual std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The window is gone: its handle is no longer valid.
    virtual void onDestroyed() {}

    // The window rectangle that gives a client area of this size at these dots per inch.
    static RECT frameFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool menu, UINT dpi);

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
    HICON m_icons[2] = {}; // small and big, owned here
};

} // namespace tavimor::win32

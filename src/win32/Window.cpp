#include "Window.h"

#include <algorithm>

namespace tavimor::win32 {

namespace {

constexpr int kIconResource = 1;

void registerClass(const wchar_t* name, WNDPROC procedure)
{
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(instance, name, &existing))
        return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
    windowClass.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                                           ::GetSystemMetrics(SM_CXSMICON),
                                                           ::GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1); // the colour of forms and dialogs
    windowClass.lpszClassName = name;
    ::RegisterClassExW(&windowClass);
}

} // namespace

Window::~Window()
{
    if (m_hwnd) {
        ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0); // no more messages to an object that is going
        ::DestroyWindow(m_hwnd);
    }
    for (const HICON icon : m_icons)
        if (icon)
            ::DestroyIcon(icon);
}

void Window::create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, HWND owner, HMENU menu,
                    const RECT* place)
{
    registerClass(className, &Window::procedure);
    const RECT at = place ? *place : RECT{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    ::CreateWindowExW(exStyle, className, title, style, at.left, at.top, place ? at.right - at.left : CW_USEDEFAULT,
                      place ? at.bottom - at.top : CW_USEDEFAULT, owner, menu, ::GetModuleHandleW(nullptr), this);
    updateIcons();
}

RECT Window::frameFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool menu, UINT dpi)
{
    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectExForDpi(&frame, style, menu, exStyle, dpi);
    return frame;
}

void Window::setClientSize(int width, int height)
{
    const RECT frame = frameFor(width, height, DWORD(::GetWindowLongPtrW(m_hwnd, GWL_STYLE)),
                                DWORD(::GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE)), ::GetMenu(m_hwnd) != nullptr,
                                dpi().dpi);
    ::SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    keepOnWorkArea();
}

void Window::keepOnWorkArea()
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT r{};
    if (!::GetMonitorInfoW(::MonitorFromWindow(m_hwnd, MONITOR_DEFAULTTONEAREST), &monitor) || !::GetWindowRect(m_hwnd, &r))
        return;
    const RECT& work = monitor.rcWork;
    // At a large scale the window may be larger than the screen: its top left
    // corner, with the title bar and the menus, stays in view.
    const int width = std::min(int(r.right - r.left), int(work.right - work.left));
    const int height = std::min(int(r.bottom - r.top), int(work.bottom - work.top));
    const int left = std::clamp(int(r.left), int(work.left), int(work.right) - width);
    const int top = std::clamp(int(r.top), int(work.top), int(work.bottom) - height);
    if (left != r.left || top != r.top || width != r.right - r.left || height != r.bottom - r.top)
        ::SetWindowPos(m_hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::updateIcons()
{
    const UINT dots = dpi().dpi;
    const int sizes[2][2] = {{::GetSystemMetricsForDpi(SM_CXSMICON, dots), ::GetSystemMetricsForDpi(SM_CYSMICON, dots)},
                             {::GetSystemMetricsForDpi(SM_CXICON, dots), ::GetSystemMetricsForDpi(SM_CYICON, dots)}};
    for (int which : {ICON_SMALL, ICON_BIG}) {
        const HICON icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconResource),
                                                          IMAGE_ICON, sizes[which][0], sizes[which][1], 0));
        ::SendMessageW(m_hwnd, WM_SETICON, WPARAM(which), reinterpret_cast<LPARAM>(icon));
        if (m_icons[which])
            ::DestroyIcon(m_icons[which]);
        m_icons[which] = icon;
    }
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
        self->onDestroyed();
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (const std::optional<LRESULT> handled = self->onMessage(message, wParam, lParam))
        return *handled;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace tavimor::win32

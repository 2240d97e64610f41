#include "Window.h"

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
}

void Window::create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, HWND owner, HMENU menu)
{
    registerClass(className, &Window::procedure);
    ::CreateWindowExW(exStyle, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                      owner, menu, ::GetModuleHandleW(nullptr), this);
}

void Window::setClientSize(int width, int height)
{
    RECT frame{0, 0, width, height};
    const DWORD style = DWORD(::GetWindowLongPtrW(m_hwnd, GWL_STYLE));
    const DWORD exStyle = DWORD(::GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE));
    ::AdjustWindowRectExForDpi(&frame, style, ::GetMenu(m_hwnd) != nullptr, exStyle, dpi().dpi);
    ::SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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

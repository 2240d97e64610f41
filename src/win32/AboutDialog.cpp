#include "AboutDialog.h"

#include "WideText.h"
#include "about/SysInfo.h"
#include "about/frmAboutDescription.h"

namespace tavimor::win32 {

namespace {

constexpr int kFirstControlId = 100;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

} // namespace

AboutDialog::AboutDialog(Platform& platform, HWND owner)
    : m_platform(platform)
    , m_owner(owner)
{
    const RECT place = placeBy(owner);
    create(L"TavimorFrmAbout", L"", kStyle, kExStyle, owner, nullptr, &place);
    m_controls.build(hwnd(), ui::kFrmAbout, kFirstControlId, dpi());
    keepOnWorkArea();
    load();
}

// Centred on its owner, on the owner's monitor and at that monitor's dots per
// inch: created there, at its final size, it is never moved or scaled after.
RECT AboutDialog::placeBy(HWND owner)
{
    const UINT dots = owner ? ::GetDpiForWindow(owner) : ::GetDpiForSystem();
    const Dpi dpi{dots};
    const RECT frame = frameFor(dpi.px(ui::kFrmAbout.clientWidth), dpi.px(ui::kFrmAbout.clientHeight), kStyle, kExStyle,
                               false, dots);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT around{};
    if (!owner || !::GetWindowRect(owner, &around)) {
        MONITORINFO primary{};
        primary.cbSize = sizeof primary;
        ::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary);
        around = primary.rcWork;
    }
    const int left = (around.left + around.right - width) / 2;
    const int top = (around.top + around.bottom - height) / 2;
    return {left, top, left + width, top + height};
}

void AboutDialog::load()
{
    const ui::AboutTexts texts = ui::aboutTexts();
    ::SetWindowTextW(hwnd(), wide(texts.caption).c_str());
    ::SetWindowTextW(control("lblTitle"), wide(texts.title).c_str());
    ::SetWindowTextW(control("lblVersion"), wide(texts.version).c_str());
    ::SetWindowTextW(control("lblDisclaimer"), wide(texts.disclaimer).c_str());
    m_controls.fitLabels(dpi());
}

void AboutDialog::runModal()
{
    if (m_owner)
        ::EnableWindow(m_owner, FALSE);
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetFocus(m_controls.controls().front().hwnd); // the first in the tab order: OK
    MSG message{};
    bool quit = false;
    while (!m_closed) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            break;
        }
        if (!::IsDialogMessageW(hwnd(), &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    // The owner is enabled before the dialog goes, so that it is activated again.
    if (m_owner)
        ::EnableWindow(m_owner, TRUE);
    ::DestroyWindow(hwnd());
    if (quit)
        ::PostQuitMessage(int(message.wParam)); // the program is ending: let its own loop see it
}

std::optional<LRESULT> AboutDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: return onCommand(wParam);
    case DM_GETDEFID: return onDefaultId();
    case WM_CTLCOLORSTATIC:
        return m_controls.colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CLOSE: m_closed = true; return 0;
    case WM_DPICHANGED: return onDpiChanged(lParam);
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: return onSystemChanged();
    default: return std::nullopt;
    }
}

LRESULT AboutDialog::onCommand(WPARAM wParam)
{
    const int id = LOWORD(wParam);
    for (const DescribedControls::Built& c : m_controls.controls()) {
        // Esc comes as IDCANCEL, for the cancel button; Enter as the default button's id.
        if (c.id == id || (id == IDCANCEL && c.described->isCancel)) {
            run(*c.described);
            break;
        }
    }
    return 0;
}

// Enter presses the default button (IsDialogMessage asks for it).
LRESULT AboutDialog::onDefaultId() const
{
    for (const DescribedControls::Built& c : m_controls.controls())
        if (c.described->isDefault)
            return MAKELRESULT(c.id, DC_HASDEFID);
    return 0;
}

LRESULT AboutDialog::onDpiChanged(LPARAM lParam)
{
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    m_controls.layout(dpi());
    m_controls.fitLabels(dpi());
    updateIcons();
    return 0;
}

// High contrast, the colours or the text size changed while the dialog is
// open: its fonts and colours follow (the colours are asked for at each paint).
LRESULT AboutDialog::onSystemChanged()
{
    m_controls.refreshFonts(dpi());
    m_controls.fitLabels(dpi());
    ::InvalidateRect(hwnd(), nullptr, TRUE);
    return 0;
}

void AboutDialog::run(const ui::Control& control)
{
    if (control.command == ui::Command::SysInfo)
        StartSysInfo(m_platform); // tells the user itself when the tool is unavailable
    else if (control.command == ui::Command::AboutOk)
        m_closed = true;
}

} // namespace tavimor::win32

#include "AboutDialog.h"

#include "WideText.h"
#include "about/SysInfo.h"
#include "about/frmAboutDescription.h"

namespace tavimor::win32 {

namespace {

constexpr int kFirstControlId = 100;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

} // namespace

AboutDialog::AboutDialog(Platform& platform, HWND owner)
    : m_platform(platform)
    , m_owner(owner)
{
    create(L"TavimorFrmAbout", L"", kStyle, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner, nullptr);
    m_controls.build(hwnd(), ui::kFrmAbout, kFirstControlId, dpi());
    setClientSize(dpi().px(ui::kFrmAbout.clientWidth), dpi().px(ui::kFrmAbout.clientHeight));
    centreOnOwner();
    load();
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

void AboutDialog::centreOnOwner()
{
    RECT owner{};
    RECT self{};
    if (!m_owner || !::GetWindowRect(m_owner, &owner) || !::GetWindowRect(hwnd(), &self))
        return;
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    ::SetWindowPos(hwnd(), nullptr, owner.left + (owner.right - owner.left - width) / 2,
                   owner.top + (owner.bottom - owner.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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

#include "MainWindow.h"

#include "AboutDialog.h"
#include "SlotEdit.h"
#include "WaitCursor.h"
#include "WideText.h"
#include "Win32FileDialog.h"
#include "app/Form1Description.h"

#include <shellapi.h>

namespace tavimor::win32 {

namespace {

constexpr int kFirstControlId = 100; // clear of IDOK and IDCANCEL, which the dialog manager sends
constexpr int kFirstMenuId = 1000;
// Resizable, with minimise and maximise. (No WS_CLIPCHILDREN: under Wine it
// makes showing the window with its 24 controls take some 60 ms longer.)
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;

// A program that runs with more rights than Explorer (started as
// administrator) would not be sent the files dropped on it otherwise.
void allowDropsFromLowerPrograms(HWND window)
{
    constexpr UINT kCopyGlobalData = 0x0049; // WM_COPYGLOBALDATA, which carries the files
    for (const UINT message : {UINT(WM_DROPFILES), UINT(WM_COPYDATA), kCopyGlobalData})
        ::ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
}

} // namespace

MainWindow::MainWindow(Platform& platform, FileDialog* dialog, bool endsProgram)
    : m_platform(platform)
    , m_dialog(dialog)
    , m_endsProgram(endsProgram)
{
    // Files dropped anywhere on it are opened (WS_EX_ACCEPTFILES).
    create(L"TavimorForm1", wide(ui::kMainCaption).c_str(), kStyle, WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES, nullptr,
           buildMenus());
    allowDropsFromLowerPrograms(hwnd());
    if (!m_dialog) {
        m_ownDialog = std::make_unique<Win32FileDialog>(hwnd());
        m_dialog = m_ownDialog.get();
    }
    m_commands = std::make_unique<MainCommands>(
        m_platform, *m_dialog, *this,
        MainCommands::HostActions{[this] { ::PostMessageW(hwnd(), WM_CLOSE, 0, 0); }, [this] { showAbout(); }});
    m_controls.build(hwnd(), ui::kForm1, kFirstControlId, dpi());
    for (int slot = 1; slot <= kSlotCount; ++slot)
        allowDropsFromLowerPrograms(edit(slot));
    setClientSize(dpi().px(ui::kForm1.clientWidth), dpi().px(ui::kForm1.clientHeight));
    m_lastFocus = edit(1);
}

MainWindow::~MainWindow() = default;

void MainWindow::show(int showCommand)
{
    ::ShowWindow(hwnd(), showCommand);
    ::SetFocus(edit(1));
}

void MainWindow::openAtStart(const std::string& path)
{
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const CommandCursor span;
    m_commands->openAtStart(path);
}

int MainWindow::menuCommandId(std::string_view name) const
{
    for (const MenuCommand& c : m_menuCommands)
        if (c.item->name.view() == name)
            return c.id;
    return 0;
}

std::string MainWindow::slotText(int slot) const
{
    return editText(edit(slot));
}

void MainWindow::storeSlotText(int slot, std::string text)
{
    replaceEditText(edit(slot), text);
}

std::optional<std::string> MainWindow::refusal(std::string_view text) const
{
    // The edit control takes its text as a NUL-ended string: whatever follows
    // a NUL would be lost without a word.
    if (text.find('\0') != std::string_view::npos)
        return std::string("the text holds a NUL character, which a text box on Windows cannot hold");
    return std::nullopt;
}

HWND MainWindow::edit(int slot) const
{
    for (const DescribedControls::Built& c : m_controls.controls())
        if (c.described->kind == ui::Kind::TextBox && c.described->slot == slot)
            return c.hwnd;
    return nullptr;
}

HMENU MainWindow::buildMenus()
{
    const HMENU bar = ::CreateMenu();
    int id = kFirstMenuId;
    for (const ui::Menu& menu : ui::kForm1.menus) {
        const HMENU popup = ::CreatePopupMenu();
        for (const ui::MenuItem& item : menu.items) {
            ::AppendMenuW(popup, MF_STRING, UINT_PTR(id), wide(item.caption.view()).c_str());
            m_menuCommands.push_back({id++, &item});
        }
        ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), wide(menu.caption.view()).c_str());
    }
    return bar;
}

std::optional<LRESULT> MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: return onCommand(wParam, lParam);
    case WM_ACTIVATE: return onActivate(wParam);
    case WM_DPICHANGED: return onDpiChanged(wParam, lParam);
    case WM_SETTINGCHANGE: return onSettingChange();
    case WM_DROPFILES: return onDropFiles(reinterpret_cast<HDROP>(wParam), reinterpret_cast<HWND>(lParam));
    default: return std::nullopt;
    }
}

LRESULT MainWindow::onCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (lParam == 0) { // a menu item
        for (const MenuCommand& c : m_menuCommands)
            if (c.id == id)
                run(c.item->command, 0);
        return 0;
    }
    // IDOK and IDCANCEL (Enter and Esc) match no control: the window has no
    // default or cancel button. Edit notifications are not clicks either.
    const DescribedControls::Built* control = m_controls.byId(id);
    if (control && control->described->kind == ui::Kind::Button && HIWORD(wParam) == BN_CLICKED)
        run(control->described->command, control->described->slot);
    return 0;
}

void MainWindow::run(ui::Command command, int slot)
{
    // What waits to be painted (the clicked button, the closed menu) is
    // painted before a command on a large text keeps the window busy.
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const CommandCursor span;
    m_commands->run(command, slot);
}

LRESULT MainWindow::onActivate(WPARAM wParam)
{
    // Windows does not keep a plain window's focused control: keep it here.
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd(), focus))
            m_lastFocus = focus;
    } else if (m_lastFocus && ::IsWindow(m_lastFocus)) {
        ::SetFocus(m_lastFocus);
    }
    return 0;
}

LRESULT MainWindow::onDpiChanged(WPARAM, LPARAM lParam)
{
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    m_controls.layout(dpi());
    updateIcons();
    return 0;
}

// The buttons use the system's font for messages, which the user may make
// larger while the program runs. Windows tells of many other settings too.
LRESULT MainWindow::onSettingChange()
{
    m_controls.refreshFonts(dpi());
    return 0;
}

LRESULT MainWindow::onDropFiles(HDROP drop, HWND on)
{
    std::vector<std::string> files;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring file(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        file.resize(::DragQueryFileW(drop, i, file.data(), UINT(file.size())));
        files.push_back(narrow(file));
    }
    ::DragFinish(drop);
    int slot = 0;
    for (int s = 1; s <= kSlotCount; ++s)
        if (on && on == edit(s))
            slot = s;
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const CommandCursor span;
    m_commands->dropFiles(slot, files);
    return 0;
}

void MainWindow::showAbout()
{
    // Loaded afresh at every opening, so it always shows the same texts.
    AboutDialog about(m_platform, hwnd());
    about.runModal();
}

void MainWindow::onDestroyed()
{
    if (m_endsProgram)
        ::PostQuitMessage(0);
}

} // namespace tavimor::win32

// The Win32 About dialog, built from its description: texts, geometry at the
// running DPI, Enter, Esc and Alt+S, and Help > About through its modal loop.
#include "AboutDialog.h"
#include "FakePlatform.h"
#include "WindowChecks.h"
#include "MainWindow.h"
#include "WideText.h"
#include "about/frmAboutDescription.h"

#include <gtest/gtest.h>

using namespace tavimor;
using namespace tavimor::test;
using namespace tavimor::win32;

TEST(AboutDialog, ShowsItsTextsWhereTheDescriptionSays)
{
    FakePlatform platform;
    AboutDialog about(platform, nullptr);
    const Dpi dpi = about.dpi();
    EXPECT_EQ(textOf(about.hwnd()), "About Tavimor");
    EXPECT_EQ(textOf(about.control("lblTitle")), "Tavimor");
    EXPECT_EQ(textOf(about.control("lblVersion")), "Version 1.0.10");
    EXPECT_EQ(textOf(about.control("lblDescription")),
              "This program allows you to easily copy items to the clipboard or paste from the clipboard.");
    EXPECT_EQ(textOf(about.control("lblDisclaimer")), ui::aboutTexts().disclaimer);
    EXPECT_EQ(textOf(about.control("cmdSysInfo")), "&System Info...");
    RECT client{};
    ::GetClientRect(about.hwnd(), &client);
    EXPECT_EQ(client.right, dpi.px(5730));
    EXPECT_EQ(client.bottom, dpi.px(3555));
    for (const ui::Control& described : ui::kFrmAbout.controls) {
        if (described.kind == ui::Kind::Line)
            continue;
        const RECT r = placeIn(about.control(described.name.view()), about.hwnd());
        EXPECT_EQ(r.left, dpi.px(described.rect.left)) << described.name.view();
        EXPECT_EQ(r.top, dpi.px(described.rect.top)) << described.name.view();
        EXPECT_EQ(r.right - r.left, dpi.px(described.rect.width)) << described.name.view();
    }
    EXPECT_TRUE(::SendMessageW(about.control("picIcon"), STM_GETIMAGE, IMAGE_BITMAP, 0)) << "the picture is shown";
    EXPECT_EQ(::GetNextDlgTabItem(about.hwnd(), about.control("cmdOK"), FALSE), about.control("cmdSysInfo"));

    // No label's text is cut off by its box in the font the host has.
    const HDC dc = ::GetDC(nullptr);
    for (const char* name : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"}) {
        const HWND label = about.control(name);
        RECT box{};
        ::GetClientRect(label, &box);
        const HGDIOBJ previous = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)));
        const std::wstring text = wide(textOf(label));
        RECT needed{0, 0, box.right, 0};
        ::DrawTextW(dc, text.c_str(), int(text.size()), &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        ::SelectObject(dc, previous);
        EXPECT_LE(needed.bottom, box.bottom) << name << " cuts its text";
        EXPECT_LE(needed.right, box.right) << name << " cuts its text";
    }
    ::ReleaseDC(nullptr, dc);
}

TEST(AboutDialog, EnterAndEscCloseItAndAltSStartsSystemInfo)
{
    FakePlatform platform;
    for (const WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)}) {
        AboutDialog about(platform, nullptr);
        ::SetFocus(about.control("cmdSysInfo")); // Enter presses OK even here
        dialogKey(about.hwnd(), about.control("cmdSysInfo"), key);
        EXPECT_TRUE(about.closed()) << key;
        EXPECT_TRUE(platform.messages.empty());
    }
    AboutDialog about(platform, nullptr);
    dialogKey(about.hwnd(), about.control("cmdOK"), 's', WM_SYSCHAR);
    EXPECT_FALSE(about.closed());
    EXPECT_EQ(platform.messages, std::vector<std::string>{"System Information Is Unavailable At This Time"});
}

// Help > About runs the dialog's own modal loop; a timer inside it reads the
// dialog and presses OK, twice, and the slots are as they were.
TEST(AboutDialog, HelpAboutOpensItAgainWithTheSameTexts)
{
    FakePlatform platform;
    FakeFileDialog dialog;
    MainWindow window(platform, &dialog, false);
    window.setSlotText(1, "kept");
    static std::vector<std::string> seen;
    seen.clear();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND about = ::FindWindowW(L"TavimorFrmAbout", nullptr);
        if (!about || !::IsWindowVisible(about))
            return;
        seen.push_back(textOf(about) + "|" + textOf(::GetDlgItem(about, 102)) /* lblVersion: the third control, ids from 100 */ + "|enabled owner: "
                       + std::to_string(::IsWindowEnabled(::GetWindow(about, GW_OWNER))));
        ::PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
    });
    for (int i = 0; i < 2; ++i)
        ::SendMessageW(window.hwnd(), WM_COMMAND, window.menuCommandId("MnuHelpAbout"), 0);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(seen, std::vector<std::string>(2, "About Tavimor|Version 1.0.10|enabled owner: 0"));
    EXPECT_TRUE(::IsWindowEnabled(window.hwnd()));
    EXPECT_EQ(window.slotText(1), "kept");
}

namespace {

// The colour a label's text is drawn in, as the dialog answers WM_CTLCOLORSTATIC.
COLORREF textColourOf(const AboutDialog& about, const char* name)
{
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HWND label = about.control(name);
    ::SendMessageW(about.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    const COLORREF colour = ::GetTextColor(dc);
    ::DeleteDC(dc);
    return colour;
}

// Counts the moves and resizes of the About dialog while it is being made.
int g_aboutMoves = 0;
LRESULT CALLBACK countMoves(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    wchar_t name[32] = {};
    if (code == HC_ACTION && sent->message == WM_WINDOWPOSCHANGED && ::GetClassNameW(sent->hwnd, name, 32)
        && std::wstring(name) == L"TavimorFrmAbout") {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(sent->lParam);
        if (!(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE))
            ++g_aboutMoves;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

// A dark scheme (as High Contrast Black sets it): the black title and the blue
// notice take the system's text and link colours instead of vanishing.
TEST(AboutDialog, TextsTakeTheSystemsColoursWhereTheirOwnCannotBeRead)
{
    FakePlatform platform;
    const int indexes[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_HOTLIGHT};
    COLORREF saved[3];
    for (int i = 0; i < 3; ++i)
        saved[i] = ::GetSysColor(indexes[i]);
    const COLORREF dark[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 0)};
    ASSERT_TRUE(::SetSysColors(3, indexes, dark));
    {
        AboutDialog about(platform, nullptr);
        EXPECT_EQ(textColourOf(about, "lblTitle"), RGB(255, 255, 255));
        EXPECT_EQ(textColourOf(about, "lblDescription"), RGB(255, 255, 255));
        EXPECT_EQ(textColourOf(about, "lblDisclaimer"), RGB(255, 255, 0));
        ::SetSysColors(3, indexes, saved); // the scheme changes back while the dialog is open
        ::SendMessageW(about.hwnd(), WM_SYSCOLORCHANGE, 0, 0);
        EXPECT_EQ(textColourOf(about, "lblTitle"), RGB(0, 0, 0)) << "the described black where it can be read";
        EXPECT_EQ(textColourOf(about, "lblDisclaimer"), RGB(0, 0, 255));
    }
    ::SetSysColors(3, indexes, saved);
}

// Made on its owner's monitor, at its size: the dialog is never moved or
// scaled after it is created, and it stands centred on its owner.
TEST(AboutDialog, OpensCentredOnItsOwnerAtItsOwnersDpi)
{
    FakePlatform platform;
    FakeFileDialog dialog;
    MainWindow window(platform, &dialog, false);
    g_aboutMoves = 0;
    const HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, countMoves, nullptr, ::GetCurrentThreadId());
    AboutDialog about(platform, window.hwnd());
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_aboutMoves, 0);
    EXPECT_EQ(about.dpi().dpi, window.dpi().dpi);
    RECT owner{}, self{}, client{};
    ::GetWindowRect(window.hwnd(), &owner);
    ::GetWindowRect(about.hwnd(), &self);
    ::GetClientRect(about.hwnd(), &client);
    EXPECT_NEAR((self.left + self.right) / 2, (owner.left + owner.right) / 2, 1);
    EXPECT_NEAR((self.top + self.bottom) / 2, (owner.top + owner.bottom) / 2, 1);
    EXPECT_EQ(client.right, about.dpi().px(5730));
    EXPECT_EQ(client.bottom, about.dpi().px(3555));
}

// The picture is drawn for the scale it is shown at, up to 200 %, not enlarged.
TEST(AboutDialog, ThePictureIsDrawnForItsScale)
{
    FakePlatform platform;
    AboutDialog about(platform, nullptr);
    const auto picture = reinterpret_cast<HBITMAP>(::SendMessageW(about.control("picIcon"), STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP shown{};
    ASSERT_TRUE(::GetObjectW(picture, sizeof shown, &shown));
    const int side = about.dpi().scaled(50);
    EXPECT_EQ(shown.bmWidth, side);
    // Among the pictures drawn at 50 to 100 pixels there is one of exactly this size.
    bool drawn = false;
    for (int resource = 2; resource <= 6; ++resource) {
        const auto bitmap = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                                              IMAGE_BITMAP, 0, 0, 0));
        BITMAP b{};
        ::GetObjectW(bitmap, sizeof b, &b);
        drawn = drawn || b.bmWidth == side;
        ::DeleteObject(bitmap);
    }
    EXPECT_TRUE(drawn || side > 100) << side << " pixels";
}

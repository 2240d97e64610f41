// The Win32 windows, built from the shared descriptions, with the fake
// platform and dialog and without a modal loop: controls, geometry at the
// running DPI (CTest runs these at 96 and at 144), keys, commands and names.
#include "FakePlatform.h"
#include "WindowChecks.h"
#include "MainWindow.h"
#include "AccessibleNames.h"
#include "RecordingAnnotations.h"
#include "WideText.h"
#include "app/Form1Description.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>


using namespace tavimor;
using namespace tavimor::test;
using namespace tavimor::win32;

namespace {

void setKeyDown(int key, bool down)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

int expectedDpi()
{
    const char* dpi = std::getenv("TAVIMOR_EXPECT_DPI");
    return dpi ? std::atoi(dpi) : 96;
}

struct MainWindowTest : ::testing::Test
{
    FakePlatform platform;
    FakeFileDialog dialog;
    MainWindow window{platform, &dialog, false};

    HWND control(std::string_view name) const { return window.control(name); }
    void click(std::string_view name) { ::SendMessageW(control(name), BM_CLICK, 0, 0); }
    void menu(std::string_view name) { ::SendMessageW(window.hwnd(), WM_COMMAND, window.menuCommandId(name), 0); }
    void showActive()
    {
        window.show(SW_SHOW);
        ::SetForegroundWindow(window.hwnd());
        pump();
    }
};

} // namespace

TEST_F(MainWindowTest, EveryControlOfTheDescriptionStandsWhereItSays)
{
    const Dpi dpi = window.dpi();
    EXPECT_EQ(int(dpi.dpi), expectedDpi());
    EXPECT_EQ(textOf(window.hwnd()), "Tavimor");
    RECT client{};
    ::GetClientRect(window.hwnd(), &client);
    EXPECT_EQ(client.right, dpi.px(11880));
    EXPECT_EQ(client.bottom, dpi.px(7950));
    for (const ui::Control& described : ui::kForm1.controls) {
        const HWND c = control(described.name.view());
        ASSERT_TRUE(c) << described.name.view();
        EXPECT_EQ(textOf(c), described.caption.view());
        const RECT r = placeIn(c, window.hwnd());
        EXPECT_EQ(r.left, dpi.px(described.rect.left)) << described.name.view();
        EXPECT_EQ(r.top, dpi.px(described.rect.top)) << described.name.view();
        EXPECT_EQ(r.right - r.left, dpi.px(described.rect.width)) << described.name.view();
        EXPECT_EQ(r.bottom - r.top, dpi.px(described.rect.height)) << described.name.view();
    }
    const HMENU bar = ::GetMenu(window.hwnd());
    wchar_t caption[32];
    ::GetMenuStringW(bar, 0, caption, 32, MF_BYPOSITION);
    EXPECT_EQ(narrow(caption), "&File");
    ::GetMenuStringW(::GetSubMenu(bar, 0), 2, caption, 32, MF_BYPOSITION);
    EXPECT_EQ(narrow(caption), "Exit");
    // The slots' font is monospaced, whatever font stands in for Courier New.
    const HDC dc = ::GetDC(nullptr);
    const HGDIOBJ previous = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(control("Text1"), WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, previous);
    ::ReleaseDC(nullptr, dc);
    EXPECT_FALSE(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) << "the bit set means a variable pitch";
    // Resizing moves nothing.
    ::SetWindowPos(window.hwnd(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(placeIn(control("cmdCopy6"), window.hwnd()).left, dpi.px(6360));
}

TEST_F(MainWindowTest, TabRunsSlotBySlotAndLeavesASlot)
{
    std::vector<std::string> names;
    HWND at = control("Text1");
    for (int i = 0; i < 24; ++i, at = ::GetNextDlgTabItem(window.hwnd(), at, FALSE))
        for (const ui::Control& described : ui::kForm1.controls)
            if (control(described.name.view()) == at)
                names.emplace_back(described.name.view());
    ASSERT_EQ(names.size(), 24u);
    EXPECT_EQ(names.front(), "Text1");
    EXPECT_EQ(names[2], "Cmdpaste1");
    EXPECT_EQ(names[4], "Text2");
    EXPECT_EQ(names.back(), "cmdCopy6");

    showActive();
    ::SetFocus(control("Text1"));
    EXPECT_TRUE(dialogKey(window.hwnd(), control("Text1"), VK_TAB));
    EXPECT_EQ(::GetFocus(), control("cmdFile1"));
    setKeyDown(VK_SHIFT, true);
    dialogKey(window.hwnd(), control("cmdFile1"), VK_TAB);
    setKeyDown(VK_SHIFT, false);
    EXPECT_EQ(::GetFocus(), control("Text1"));
    EXPECT_EQ(window.slotText(1), "") << "Tab types no tab character";
}

TEST_F(MainWindowTest, EnterAndEscapePressNoButtonAndCloseNothing)
{
    showActive();
    platform.clipboard = "clip";
    window.setSlotText(2, "two");
    for (const char* name : {"cmdPaste2", "cmdCopy3", "Text1"}) {
        ::SetFocus(control(name));
        dialogKey(window.hwnd(), control(name), VK_RETURN);
        dialogKey(window.hwnd(), control(name), VK_ESCAPE);
        ::SendMessageW(control(name), WM_KEYDOWN, VK_ESCAPE, 1); // past the dialog manager too
        pump();
    }
    EXPECT_EQ(window.slotText(2), "two");
    EXPECT_EQ(platform.clipboard, "clip");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(::IsWindow(window.hwnd()));
}

TEST_F(MainWindowTest, ButtonsAndMenusRunTheirCommands)
{
    window.setSlotText(4, "four\r\n");
    click("cmdCopy4");
    EXPECT_EQ(platform.clipboard, "four\r\n");
    click("Cmdpaste1");
    EXPECT_EQ(window.slotText(1), "four\r\n");

    platform.store.files["C:\\f\\a.txt"] = "file\ntext";
    dialog.answers = {"C:\\f\\a.txt"};
    click("cmdFile6");
    EXPECT_EQ(window.slotText(6), "file\r\ntext\r\n");

    dialog.answers = {"C:\\f\\set.tvm", "C:\\f\\set.tvm"};
    menu("MnuFileSave");
    for (int slot = 1; slot <= 6; ++slot)
        window.setSlotText(slot, "changed");
    menu("MnuFileOpen");
    EXPECT_EQ(window.slotText(1), "four\r\n");
    EXPECT_EQ(window.slotText(2), "");
    EXPECT_EQ(window.slotText(6), "file\r\ntext\r\n");
    EXPECT_TRUE(platform.messages.empty());

    platform.clipboard.reset();
    click("cmdPaste3");
    EXPECT_EQ(platform.messages, std::vector<std::string>{"There is no text on the Clipboard."});
    menu("MnuFileExit");
    pump();
    EXPECT_FALSE(::IsWindow(window.hwnd())) << "Exit closes at once";
}

TEST_F(MainWindowTest, PasteAndFileOpenCanBeUndone)
{
    window.setSlotText(2, "typed");
    ::SendMessageW(control("Text2"), EM_EMPTYUNDOBUFFER, 0, 0);
    platform.clipboard = "from\r\nclipboard";
    click("cmdPaste2");
    EXPECT_EQ(window.slotText(2), "from\r\nclipboard");
    ::SendMessageW(control("Text2"), EM_UNDO, 0, 0);
    EXPECT_EQ(window.slotText(2), "typed");
}

TEST_F(MainWindowTest, TextsComeBackExactlyWithCrLfLineBreaks)
{
    std::string big;
    for (int i = 0; big.size() < 1024 * 1024; ++i)
        big += "line " + std::to_string(i) + " \xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\t\xC2\xA0\r\n";
    window.setSlotText(3, big);
    EXPECT_TRUE(window.slotText(3) == big) << window.slotText(3).size() << " bytes, not " << big.size();
    window.setSlotText(3, "lf\nand cr\rend");
    EXPECT_EQ(window.slotText(3), "lf\r\nand cr\r\nend");
    window.setSlotText(3, "ctl\x01\x1F\x7F");
    EXPECT_EQ(window.slotText(3), "ctl\x01\x1F\x7F");
    // A NUL would cut the text short in a Windows text box: refused, nothing lost.
    EXPECT_THROW(window.setSlotText(3, std::string("nul\0after", 9)), PlatformError);
    EXPECT_EQ(window.slotText(3), "ctl\x01\x1F\x7F");
}

// At a large scale the window may be larger than its monitor: it is kept on
// the work area, title bar and menus in view. (CTest runs this at 192 DPI too.)
TEST_F(MainWindowTest, StaysOnItsMonitorsWorkArea)
{
    EXPECT_EQ(int(window.dpi().dpi), expectedDpi());
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromWindow(window.hwnd(), MONITOR_DEFAULTTONEAREST), &monitor));
    RECT r{};
    ::GetWindowRect(window.hwnd(), &r);
    EXPECT_GE(r.left, monitor.rcWork.left);
    EXPECT_GE(r.top, monitor.rcWork.top);
    EXPECT_LE(r.right, monitor.rcWork.right);
    EXPECT_LE(r.bottom, monitor.rcWork.bottom);
}

// The icon holds an image for every size Windows asks for at 100 % to 200 %.
TEST(ProgramIcon, HoldsEveryStandardSize)
{
    const HMODULE self = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
    ASSERT_TRUE(found);
    const auto* group = static_cast<const BYTE*>(::LockResource(::LoadResource(self, found)));
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        const BYTE width = group[6 + 14 * i]; // 0 stands for 256
        sizes.push_back(width ? width : 256);
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));
}

namespace {

std::string nameOf(IAccessible* accessible)
{
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    accessible->get_accName(self, &name);
    std::string result = name ? narrow(name) : "<no name>";
    ::SysFreeString(name);
    return result;
}

} // namespace

// Screen readers hear each control by its described name, set on the control's
// own accessible object, which keeps all else it tells (an edit control its
// text by character, word and line). Wine keeps no such names: what the
// program asks is recorded instead.
TEST(AccessibleNames, AreSetOnTheControlsOwnObjects)
{
    static RecordingAnnotations annotations;
    accessibilityServices() = &annotations;
    FakePlatform platform;
    FakeFileDialog dialog;
    {
        MainWindow window(platform, &dialog, false);
        for (const ui::Control& described : ui::kForm1.controls) {
            const HWND control = window.control(described.name.view());
            IAccessible* accessible = nullptr;
            ASSERT_EQ(::AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible,
                                                   reinterpret_cast<void**>(&accessible)), S_OK);
            EXPECT_EQ(annotations.names[control], described.accessibleName.view());
            // The control's own object answers, as the system makes it for the control.
            IAccessible* standard = nullptr;
            ASSERT_EQ(::CreateStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible,
                                                  reinterpret_cast<void**>(&standard)), S_OK);
            EXPECT_EQ(nameOf(accessible), nameOf(standard)) << described.name.view();
            standard->Release();
            // One object: every interface leads back to the same IUnknown.
            IUnknown* identity = nullptr;
            IOleWindow* window = nullptr;
            IUnknown* throughWindow = nullptr;
            accessible->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
            if (SUCCEEDED(accessible->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) {
                window->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&throughWindow));
                EXPECT_EQ(throughWindow, identity) << described.name.view();
                throughWindow->Release();
                window->Release();
            }
            identity->Release();
            accessible->Release();
        }
        EXPECT_EQ(annotations.names.size(), 24u);
        EXPECT_EQ(annotations.otherCalls, 0);
    }
    EXPECT_EQ(annotations.cleared, 24) << "names go with their controls";
}

// A slot's text box on Windows: every text comes back exactly, wherever the
// conversions cut it, and replacements, Ctrl+Z and the system's setting
// broadcasts take it from one state to the next.
#include "FakePlatform.h"
#include "MainWindow.h"
#include "RandomSlotText.h"
#include "WideText.h"
#include "WindowChecks.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

using namespace tavimor;
using namespace tavimor::test;
using namespace tavimor::win32;

namespace {

struct SlotEditTest : ::testing::Test
{
    FakePlatform platform;
    FakeFileDialog dialog;
    MainWindow window{platform, &dialog, false};

    HWND edit() const { return window.control("Text2"); }
    LRESULT fontOf(const char* name) const { return ::SendMessageW(window.control(name), WM_GETFONT, 0, 0); }
};

} // namespace

TEST_F(SlotEditTest, EveryTextComesBackWhole)
{
    std::mt19937 random(20261209);
    for (int i = 0; i < 200; ++i) {
        const std::string text = randomSlotText(random, random() % 400, false);
        window.setSlotText(2, text);
        ASSERT_EQ(window.slotText(2), withCrLf(text)) << "text " << i;
        // A surrogate left unpaired in the box (by an input method) reads as U+FFFD.
        if (random() % 4 == 0) {
            ::SendMessageW(edit(), EM_SETSEL, WPARAM(-2), -1);
            const wchar_t lone[] = {wchar_t(random() % 2 ? 0xD800 : 0xDC00), 0};
            ::SendMessageW(edit(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(lone));
            EXPECT_EQ(window.slotText(2), withCrLf(text) + "\xEF\xBF\xBD") << "text " << i;
        }
    }
    // Where a long text is cut for conversion, on both sides of a character.
    for (const std::size_t at : {kConversionPiece - 3, kConversionPiece - 2, kConversionPiece - 1, kConversionPiece}) {
        const std::string text = std::string(kConversionPiece + 8, 'w').replace(at, 4, "\xF0\x9F\x98\x80");
        EXPECT_TRUE(narrow(wide(text)) == text) << "a character at " << at;
    }
}

// Each step takes the slot to its state at once. A setting that changes no
// font in use (Windows broadcasts the environment, policies, the theme) gives
// no control a new font: a slot given one lays out its whole text again.
TEST_F(SlotEditTest, ReplacementsCtrlZAndSettingBroadcastsGoFromStateToState)
{
    window.show(SW_SHOW);
    const std::string longLine(300'000, 'j'), small = "small\r\n";
    std::string large;
    while (large.size() < 2'000'000)
        large += std::string(78, 'L') + "\r\n";
    const LRESULT slotFont = fontOf("Text2"), buttonFont = fontOf("cmdPaste2");
    const std::pair<const std::string*, const std::string*> steps[] = { // replacement (nullptr: Ctrl+Z), shown
        {&longLine, &longLine}, {&small, &small}, {nullptr, &longLine}, {&large, &large}, {&small, &small},
        {nullptr, &large}, {&small, &small}, {&large, &large}, {nullptr, &small}};
    int step = 0;
    for (const auto& [replacement, shown] : steps) {
        if (replacement)
            window.setSlotText(2, *replacement);
        else
            ::SendMessageW(edit(), WM_CHAR, 0x1A, 1); // Ctrl+Z's character
        ::SendMessageW(window.hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
        pump();
        EXPECT_TRUE(window.slotText(2) == *shown) << "step " << step;
        EXPECT_EQ(fontOf("Text2"), slotFont) << "step " << step;
        EXPECT_EQ(fontOf("cmdPaste2"), buttonFont) << "step " << step++;
    }
}

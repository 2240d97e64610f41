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
    HFONT fontOf(const char* name) const
    {
        return reinterpret_cast<HFONT>(::SendMessageW(window.control(name), WM_GETFONT, 0, 0));
    }
};

} // namespace

TEST_F(SlotEditTest, EveryTextComesBackWhole)
{
    std::mt19937 random(20261209);
    for (int i = 0; i < 200; ++i) {
        const std::string text = randomSlotText(random, random() % 400, {false, 200});
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
        std::string text(kConversionPiece + 8, 'w');
        text.replace(at, 4, "\xF0\x9F\x98\x80");
        text.replace(at - 3, 3, "\xEF\xBB\xBF");
        EXPECT_TRUE(narrow(wide(text)) == text) << "a character at " << at;
    }
}

// Each step takes the slot to its state at once. A setting that changes no
// font in use (Windows broadcasts the environment, policies, the theme) gives
// no control a new font: a slot given one lays out its whole text again.
TEST_F(SlotEditTest, ReplacementsCtrlZAndSettingBroadcastsGoFromStateToState)
{
    window.show(SW_SHOW);
    const std::string longLine(300'000, 'j');
    std::string large;
    while (large.size() < 2'000'000)
        large += std::string(78, 'L') + "\r\n";
    const std::string small = "small\r\n";
    const HFONT slotFont = fontOf("Text2");
    const HFONT buttonFont = fontOf("cmdPaste2");
    const struct
    {
        const char* step;
        const std::string* replacement; // nullptr: Ctrl+Z
        const std::string* shown;
    } steps[] = {
        {"a long line", &longLine, &longLine}, {"long line to short", &small, &small},
        {"Ctrl+Z: the long line", nullptr, &longLine}, {"large", &large, &large},
        {"large to small", &small, &small}, {"Ctrl+Z: large", nullptr, &large},
        {"large to small", &small, &small}, {"small to large", &large, &large},
        {"Ctrl+Z: small", nullptr, &small},
    };
    for (const auto& step : steps) {
        if (step.replacement) {
            window.setSlotText(2, *step.replacement);
        } else {
            ::SetFocus(edit());
            ::SendMessageW(edit(), WM_CHAR, 0x1A, 1); // Ctrl+Z's character
        }
        ::SendMessageW(window.hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
        pump();
        EXPECT_TRUE(window.slotText(2) == *step.shown) << step.step;
        EXPECT_EQ(fontOf("Text2"), slotFont) << step.step;
        EXPECT_EQ(fontOf("cmdPaste2"), buttonFont) << step.step;
    }
}

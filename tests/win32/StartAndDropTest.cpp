// What the desktop hands the program on Windows: a slot set opened at start
// (the arguments that end the program at once are run in the end-to-end
// test), and files dropped on the window as Explorer drops them
// (WM_DROPFILES), on a slot's box or elsewhere.
#include "FakePlatform.h"
#include "MainWindow.h"
#include "WideText.h"
#include "app/StartArguments.h"

#include <shlobj.h>

#include <gtest/gtest.h>

using namespace tavimor;
using namespace tavimor::test;
using namespace tavimor::win32;

namespace {

const std::string kSet = "C:\\t\\set.tvm", kDamaged = "C:\\t\\cut.TVM", kText = "C:\\t\\notes.txt";
const std::string kSixFromTheSet = "one|two||||six|", kEmpty = "||||||", kKept = "kept|kept|kept|kept|kept|kept|";

struct StartAndDrop : ::testing::Test
{
    FakePlatform platform;
    FakeFileDialog dialog;
    MainWindow window{platform, &dialog, false};

    StartAndDrop()
    {
        const std::string sep = "***** Separator ****** zmtwcpe271958rgkb5vs3\r\n";
        platform.store.files[kSet]
            = "Tavimor file zmtwcpe271958rgkb5vs3\r\none\r\n" + sep + "two\r\n" + sep + sep + sep + sep + "six\r\n" + sep;
        platform.store.files[kDamaged] = "Tavimor file zmtwcpe271958rgkb5vs3\r\none\r\n";
        platform.store.files[kText] = "a note\nsecond line";
    }
    std::string shown() const
    {
        std::string all;
        for (int slot = 1; slot <= kSlotCount; ++slot)
            all += window.slotText(slot) + "|";
        return all;
    }
    void fill(const std::string& text)
    {
        for (int slot = 1; slot <= kSlotCount; ++slot)
            window.setSlotText(slot, text);
        platform.messages.clear();
    }
    // Files dropped as the shell drops them: a DROPFILES block of wide paths.
    void drop(HWND on, const std::vector<std::string>& files)
    {
        std::wstring paths;
        for (const std::string& file : files)
            paths += wide(file) + L'\0';
        paths += L'\0';
        const HGLOBAL block = ::GlobalAlloc(GHND, sizeof(DROPFILES) + paths.size() * sizeof(wchar_t));
        auto* header = static_cast<DROPFILES*>(::GlobalLock(block));
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        std::copy(paths.begin(), paths.end(), reinterpret_cast<wchar_t*>(header + 1));
        ::GlobalUnlock(block);
        ::SendMessageW(on, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0); // the window frees it
    }
    void expectMessage(const char* row, const char* start) const
    {
        if (!start)
            EXPECT_TRUE(platform.messages.empty()) << row << ": " << platform.messages.front();
        else
            EXPECT_TRUE(platform.messages.size() == 1 && platform.messages[0].rfind(start, 0) == 0)
                << row << ": " << (platform.messages.empty() ? "no message" : platform.messages[0]);
    }
};

} // namespace

TEST_F(StartAndDrop, ASlotSetGivenAtStart)
{
    const struct
    {
        std::vector<std::string> arguments;
        const std::string& slots;
        const char* message;
    } rows[] = {
        {{}, kEmpty, nullptr},
        {{kSet}, kSixFromTheSet, nullptr},
        {{kDamaged}, kEmpty, "Error: "},
        {{kText}, kEmpty, "Invalid file format!"},
        {{"C:\\t\\gone.tvm"}, kEmpty, "Error: \"C:\\t\\gone.tvm\""},
    };
    for (const auto& row : rows) {
        fill("");
        const StartArguments start = readStartArguments(row.arguments);
        if (start.file)
            window.openAtStart(*start.file);
        EXPECT_EQ(shown(), row.slots);
        expectMessage(row.arguments.empty() ? "(none)" : row.arguments[0].c_str(), row.message);
    }
}

TEST_F(StartAndDrop, FilesDroppedOnTheWindow)
{
    const HWND slot2 = window.control("Text2");
    const struct
    {
        const char* what;
        HWND on;
        std::vector<std::string> files;
        std::string slots;
        const char* message;
    } rows[] = {
        {"a text file on slot 2", slot2, {kText}, "kept|a note\r\nsecond line\r\n|kept|kept|kept|kept|", nullptr},
        {"a slot set on a slot", slot2, {kSet}, kSixFromTheSet, nullptr},
        {"a slot set beside the slots", window.hwnd(), {kSet}, kSixFromTheSet, nullptr},
        {"a text file beside the slots", window.hwnd(), {kText}, kKept, kDropOnASlot},
        {"two files on a slot", slot2, {kText, kSet}, kKept, kDropOneFile},
        {"a damaged set (.TVM) on a slot", slot2, {kDamaged}, kKept, "Error: "},
    };
    for (const auto& row : rows) {
        fill("kept");
        drop(row.on, row.files);
        EXPECT_EQ(shown(), row.slots) << row.what;
        expectMessage(row.what, row.message);
    }
}

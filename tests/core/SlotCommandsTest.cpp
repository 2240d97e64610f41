#include "FakePlatform.h"
#include "app/SlotCommands.h"

#include <gtest/gtest.h>

using namespace tavimor;
using namespace tavimor::test;

namespace {

struct SlotCommandsTest : ::testing::Test
{
    FakePlatform platform;
    FakeFileDialog dialog;
    FakeSlots slots;
    SlotCommands commands{platform, dialog, slots};
};

} // namespace

TEST_F(SlotCommandsTest, CopyThenPasteGivesIdenticalText)
{
    slots.texts[0] = "line one\r\nline two\r\n\r\n\xF0\x9F\x98\x80\t";
    commands.Copy(1);
    EXPECT_EQ(platform.clipboard, slots.texts[0]);
    commands.Paste(4);
    EXPECT_EQ(slots.texts[3], slots.texts[0]);
    commands.Paste(1);
    EXPECT_EQ(slots.texts[0], slots.texts[3]);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SlotCommandsTest, CopyOfAnEmptySlotLeavesEmptyTextThatPastesWithoutAMessage)
{
    platform.clipboard = "old";
    slots.texts[2] = "keep me";
    commands.Copy(1);
    EXPECT_EQ(platform.clipboard, "");
    commands.Paste(3);
    EXPECT_EQ(slots.texts[2], "");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SlotCommandsTest, PasteWithoutTextShowsTheMessageAndKeepsTheSlot)
{
    slots.texts[1] = "unchanged";
    commands.Paste(2);
    EXPECT_EQ(slots.texts[1], "unchanged");
    EXPECT_EQ(platform.messages, std::vector<std::string>{"There is no text on the Clipboard."});
}

TEST_F(SlotCommandsTest, PasteReplacesTheWholeText)
{
    slots.texts[5] = "a long text that was here";
    platform.clipboard = "new";
    commands.Paste(6);
    EXPECT_EQ(slots.texts[5], "new");
}

TEST_F(SlotCommandsTest, EveryLineBreakEntersASlotAsCrLf)
{
    platform.clipboard = "lf\nlone cr\rpair\r\n";
    commands.Paste(1);
    EXPECT_EQ(slots.texts[0], "lf\r\nlone cr\r\npair\r\n");
    slots.setSlotText(2, "a\n\nb");
    EXPECT_EQ(slots.texts[1], "a\r\n\r\nb");
}

TEST_F(SlotCommandsTest, PasteRefusesMoreTextThanASlotTakes)
{
    slots.texts[0] = "kept";
    platform.clipboard = std::string(kSlotTextLimit + 1, 'x');
    try {
        commands.Paste(1);
        FAIL() << "pasted";
    } catch (const PlatformError& e) {
        EXPECT_NE(std::string(e.what()).find("too large for a slot"), std::string::npos) << e.what();
    }
    EXPECT_EQ(slots.texts[0], "kept");
    platform.clipboard->pop_back();
    commands.Paste(1);
    EXPECT_EQ(slots.texts[0].size(), kSlotTextLimit);
}

TEST_F(SlotCommandsTest, ClipboardFailureEndsTheCommandAndKeepsTheSlot)
{
    slots.texts[0] = "safe";
    platform.clipboard = "x";
    platform.clipboardFails = true;
    EXPECT_THROW(commands.Paste(1), PlatformError);
    EXPECT_EQ(slots.texts[0], "safe");
    EXPECT_EQ(slots.writes, 0);
}

TEST_F(SlotCommandsTest, FileOpenEndsEveryLineWithCrLf)
{
    struct Case
    {
        const char* name;
        std::string file;
        std::string slot;
    };
    const Case cases[] = {
        {"empty file", "", ""},
        {"no line end after the last line", "a\r\nb", "a\r\nb\r\n"},
        {"line end after the last line", "a\r\n", "a\r\n"},
        {"blank line kept", "a\r\n\r\nb\r\n", "a\r\n\r\nb\r\n"},
        {"lone LF ends a line", "a\nb\n", "a\r\nb\r\n"},
        {"lone CR ends a line", "a\rb\r", "a\r\nb\r\n"},
        {"windows-1252", "caf\xE9\r\n", "caf\xC3\xA9\r\n"},
    };
    for (const Case& c : cases) {
        platform.store.files["/t/file.log"] = c.file;
        slots.texts[2] = "before";
        dialog.answers = {"/t/file.log"};
        commands.FileOpen(3);
        EXPECT_EQ(slots.texts[2], c.slot) << c.name;
        EXPECT_TRUE(platform.messages.empty()) << c.name;
        EXPECT_FALSE(platform.textFile().isOpen()) << c.name;
    }
    ASSERT_FALSE(dialog.shown.empty());
    EXPECT_FALSE(dialog.shown.back().save);
    EXPECT_EQ(dialog.shown.back().flags, 4);
    EXPECT_EQ(dialog.shown.back().filter, "Text files (*.txt)|*.txt");
    EXPECT_EQ(dialog.shown.back().fileNameBefore, "");
}

TEST_F(SlotCommandsTest, FileOpenCancelDoesNothing)
{
    dialog.FileName = "/left/over";
    dialog.answers = {""};
    slots.texts[0] = "kept";
    commands.FileOpen(1);
    EXPECT_EQ(slots.texts[0], "kept");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SlotCommandsTest, FileOpenFailureShowsErrorAndTheNextCommandWorks)
{
    slots.texts[0] = "kept";
    platform.store.readFailures["/t/locked.txt"] = "permission denied";
    platform.store.files["/t/big.txt"] = std::string(kSlotTextLimit + 1, 'x');
    for (const char* path : {"/t/missing.txt", "/t/locked.txt", "/t/big.txt"}) {
        dialog.answers = {path};
        commands.FileOpen(1);
        EXPECT_EQ(slots.texts[0], "kept") << path;
        ASSERT_EQ(platform.messages.size(), 1u) << path;
        EXPECT_EQ(platform.messages[0].rfind("Error: ", 0), 0u) << platform.messages[0];
        EXPECT_NE(platform.messages[0].find(path), std::string::npos) << platform.messages[0];
        EXPECT_FALSE(platform.textFile().isOpen());
        platform.messages.clear();
    }
    platform.store.files["/t/ok.txt"] = "fine";
    dialog.answers = {"/t/ok.txt"};
    commands.FileOpen(1);
    EXPECT_EQ(slots.texts[0], "fine\r\n");
}

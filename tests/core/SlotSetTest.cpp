#include "FakePlatform.h"
#include "slotset/FileMenuCommands.h"
#include "slotset/SlotSetFormat.h"

#include <gtest/gtest.h>

#include <random>

using namespace tavimor;
using namespace tavimor::test;

namespace {

const std::string kHeader = "Tavimor file zmtwcpe271958rgkb5vs3\r\n";
const std::string kSeparator = "***** Separator ****** zmtwcpe271958rgkb5vs3\r\n";

std::string written(const SlotTexts& texts)
{
    MemoryFileStore store;
    TextFile file(store);
    file.OpenOutput("f");
    WriteSlotSet(file, texts);
    file.Close();
    return store.files["f"];
}

std::optional<SlotTexts> read(const std::string& bytes)
{
    MemoryFileStore store;
    store.files["f"] = bytes;
    TextFile file(store);
    file.OpenInput("f", {kSlotSetFileLimit, "a slot-set file", kHeaderLine});
    auto texts = ReadSlotSet(file);
    file.Close();
    return texts;
}

std::string repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

struct FileMenuTest : ::testing::Test
{
    FakePlatform platform;
    FakeFileDialog dialog;
    FakeSlots slots;
    FileMenuCommands commands{platform, dialog, slots};
    void SetUp() override { slots.texts = {"1", "2", "3", "4", "5", "6"}; }
};

} // namespace

TEST(SlotSetWriter, WritesTheFormatByteForByte)
{
    EXPECT_EQ(written({}), kHeader + repeat("\r\n" + kSeparator, 6));
    EXPECT_EQ(written({"abc", "x\r\ny"}),
              kHeader + "abc\r\n" + kSeparator + "x\r\ny\r\n" + kSeparator + repeat("\r\n" + kSeparator, 4));
    EXPECT_EQ(written({"Tavimor file zmtwcpe271958rgkb5vs3"}),
              kHeader + kHeader + kSeparator + repeat("\r\n" + kSeparator, 5));
}

TEST(SlotSetReader, ReadsSectionsExactly)
{
    const std::string six = repeat(kSeparator, 6);
    EXPECT_FALSE(read("Tavimor file zmtwcpe271958rgkb5vs3 \r\n" + six));
    EXPECT_FALSE(read("tavimor file zmtwcpe271958rgkb5vs3\r\n" + six));
    EXPECT_EQ(read(kHeader + six), SlotTexts{});
    EXPECT_EQ(read(written({"abc", "", "x\r\n"})), (SlotTexts{"abc", "", "x\r\n"}));
    EXPECT_EQ(read(kHeader + "\r\nmid\r\n\r\nend\r\n" + six), (SlotTexts{"\r\nmid\r\n\r\nend"}));
    EXPECT_EQ(read(kHeader + six + "ignored\r\nmore"), SlotTexts{});
    EXPECT_EQ(read(kHeader + kHeader + kSeparator + repeat(kSeparator, 5)),
              (SlotTexts{"Tavimor file zmtwcpe271958rgkb5vs3"}));
}

TEST(SlotSetReader, FilesThatEndEarlyFail)
{
    const char* damaged = "***** Separator ***** zmtwcpe271958rgkb5vs3\r\n";
    for (const std::string& bytes : {std::string(), kHeader, kHeader + "a\r\n" + kSeparator + "b\r\n" + kSeparator,
                                     kHeader + "a\r\n" + damaged + repeat(kSeparator, 5)}) {
        try {
            read(bytes);
            FAIL() << bytes;
        } catch (const PlatformError& e) {
            EXPECT_NE(std::string(e.what()).find("past the end"), std::string::npos);
        }
    }
}

TEST(SlotSetRoundTrip, RandomSetsComeBackExactly)
{
    const std::vector<std::string> pieces = {
        "a", "xyz", " ", "\t", "\r\n", "\r\n\r\n", "\n", "\r", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
        "Tavimor file zmtwcpe271958rgkb5vs3", "***** Separator ****** zmtwcpe271958rgkb5vs3x", "\xC2\xA0",
        "\xE2\x80\xA8", std::string(1, '\0'), "\x01\x1B\x1F\x7F"};
    std::mt19937 random(20261208);
    for (int round = 0; round < 10000; ++round) {
        SlotTexts texts;
        for (std::string& text : texts) {
            const int count = int(random() % 6);
            for (int i = 0; i < count; ++i)
                text += pieces[random() % pieces.size()];
            text = withCrLf(text); // as every slot holds it
        }
        ASSERT_FALSE(slotWithSeparatorLine(viewsOf(texts)));
        ASSERT_EQ(read(written(texts)), texts) << "round " << round;
    }
}

TEST(SlotSetRoundTrip, FindsSeparatorLinesWhereTheReaderWould)
{
    const std::string sep = "***** Separator ****** zmtwcpe271958rgkb5vs3";
    EXPECT_EQ(slotWithSeparatorLine({"", "", sep}), 3);
    EXPECT_EQ(slotWithSeparatorLine({"a\r\n" + sep + "\r\nb"}), 1);
    EXPECT_EQ(slotWithSeparatorLine({"", "a\r" + sep}), 2);
    EXPECT_EQ(slotWithSeparatorLine({"", "", "", "a\n" + sep + "\nb"}), 4);
    EXPECT_FALSE(slotWithSeparatorLine({sep + " ", "x" + sep, "\t" + sep}));
}

TEST_F(FileMenuTest, SaveThenOpenRestoresEverySlot)
{
    slots.texts = {"abc", "x\r\ny", "", "ends\r\n", "\xF0\x9F\x98\x80", "\r\n"};
    const SlotTexts saved = slots.texts;
    dialog.answers = {"/d/set"};
    commands.Save();
    EXPECT_EQ(platform.store.files.count("/d/set"), 1u) << "saved under exactly the name chosen";
    EXPECT_EQ(dialog.shown.back().filter, "Tavimor Files (*.tvm)|*.tvm");
    EXPECT_EQ(dialog.shown.back().flags, 4);
    EXPECT_TRUE(dialog.shown.back().save);

    slots.texts = {};
    dialog.answers = {"/d/set"};
    commands.Open();
    EXPECT_EQ(slots.texts, saved);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(dialog.shown.back().save);
}

TEST_F(FileMenuTest, WhatIsSavedOpensAgainEvenWithNulAndControlCharacters)
{
    std::string controls;
    for (char c = 0; c < 32; ++c)
        if (c != '\r' && c != '\n')
            controls += c;
    slots.texts = {std::string("a\0b", 3), controls, std::string(1, '\0'), "\x7F", "", "x"};
    const SlotTexts saved = slots.texts;
    dialog.answers = {"/d/nul.tvm"};
    commands.Save();
    slots.texts = {};
    dialog.answers = {"/d/nul.tvm"};
    commands.Open();
    EXPECT_EQ(slots.texts, saved);
    EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();

    // A slot-set file converted to LF line ends opens the same.
    std::string lf = written(saved);
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;)
        lf.erase(at, 1);
    platform.store.files["/d/lf.tvm"] = lf;
    slots.texts = {};
    dialog.answers = {"/d/lf.tvm"};
    commands.Open();
    EXPECT_EQ(slots.texts, saved);
}

TEST_F(FileMenuTest, OpenChangesNoSlotWhenOneTextCannotBeHeld)
{
    slots.texts = {"a", "b", std::string("c\0d", 3), "e", "f", "g"};
    dialog.answers = {"/d/nul.tvm"};
    commands.Save();
    slots.texts = {"1", "2", "3", "4", "5", "6"};
    slots.cannotHold = '\0';
    dialog.answers = {"/d/nul.tvm"};
    commands.Open();
    EXPECT_EQ(slots.writes, 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], "Error: slot 3: the text box cannot hold it");
}

TEST_F(FileMenuTest, SaveAsksBeforeReplacingAFileThatIsNotASlotSet)
{
    const std::string set = written({"old", "", "", "", "", ""});
    struct Case
    {
        const char* name;
        std::optional<std::string> content; // nothing: no file there
        bool asks;
    };
    const Case cases[] = {
        {"new file", std::nullopt, false},
        {"slot set", set, false},
        {"slot set, LF line ends", kHeader.substr(0, kHeader.size() - 2) + "\nx\n", false},
        {"slot set, header alone", kHeader.substr(0, kHeader.size() - 2), false},
        {"empty file", "", false},
        {"text file", "notes\r\n", true},
        {"header with a trailing blank", kHeader.substr(0, kHeader.size() - 2) + " \r\n", true},
        {"blank first line, then a header", "\r\n" + kHeader, true},
        {"binary", std::string("\x7F" "ELF\0\0", 6), true},
    };
    for (const Case& c : cases) {
        for (const bool yes : {false, true}) {
            platform.store.files.clear();
            platform.questions.clear();
            if (c.content)
                platform.store.files["/d/f"] = *c.content;
            if (c.asks)
                platform.answers = {yes};
            dialog.answers = {"/d/f"};
            commands.Save();
            EXPECT_EQ(platform.questions.size(), c.asks ? 1u : 0u) << c.name;
            const bool replaced = !c.asks || yes;
            EXPECT_EQ(platform.store.files["/d/f"], replaced ? written(slots.texts) : c.content.value_or(""))
                << c.name << (yes ? ", yes" : ", no");
        }
    }
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(platform.questions.size(), 1u);
    EXPECT_NE(platform.questions[0].find("\"/d/f\""), std::string::npos) << "names the file";

    // A file that is there but cannot be read may hold anything: it is asked about.
    platform.store.files["/d/locked"] = set;
    platform.store.readFailures["/d/locked"] = "permission denied";
    platform.answers = {false};
    dialog.answers = {"/d/locked"};
    commands.Save();
    EXPECT_EQ(platform.questions.size(), 2u);
    EXPECT_EQ(platform.store.files["/d/locked"], set);
}

TEST_F(FileMenuTest, CancelDoesNothing)
{
    dialog.answers = {"", ""};
    commands.Save();
    commands.Open();
    EXPECT_TRUE(platform.store.files.empty());
    EXPECT_EQ(slots.writes, 0);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FileMenuTest, OpenChangesNoSlotUnlessTheWholeFileWasRead)
{
    platform.store.files["/d/text.txt"] = "just some text\r\n";
    platform.store.files["/d/empty.tvm"] = "";
    platform.store.files["/d/short.tvm"] = kHeader + "a\r\n" + kSeparator + "b\r\n" + kSeparator;
    struct Case
    {
        const char* path;
        const char* message;
    };
    for (const Case c : {Case{"/d/text.txt", "Invalid file format!"}, Case{"/d/empty.tvm", "Error: "},
                         Case{"/d/short.tvm", "Error: "}, Case{"/d/missing.tvm", "Error: "}}) {
        dialog.answers = {c.path};
        commands.Open();
        EXPECT_EQ(slots.writes, 0) << c.path;
        ASSERT_EQ(platform.messages.size(), 1u) << c.path;
        EXPECT_EQ(platform.messages[0].rfind(c.message, 0), 0u) << platform.messages[0];
        if (std::string(c.message) == "Error: ") {
            EXPECT_NE(platform.messages[0].find(c.path), std::string::npos) << platform.messages[0];
        }
        EXPECT_FALSE(platform.textFile().isOpen());
        platform.messages.clear();
    }
}

TEST_F(FileMenuTest, SaveRefusesASetThatWouldNotReadBack)
{
    slots.texts[4] = "before\r\n***** Separator ****** zmtwcpe271958rgkb5vs3\r\nafter";
    dialog.answers = {"/d/set.tvm"};
    commands.Save();
    EXPECT_TRUE(platform.store.files.empty());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].rfind("Slot 5 ", 0), 0u) << platform.messages[0];
}

TEST_F(FileMenuTest, FailedSaveKeepsTheOldFileAndSaysWhy)
{
    const std::string old = kHeader + "old bytes";
    platform.store.files["/ro/set.tvm"] = old;
    platform.store.commitFailures["/ro/set.tvm"] = "read-only file system";
    dialog.answers = {"/ro/set.tvm"};
    commands.Save();
    EXPECT_EQ(platform.store.files["/ro/set.tvm"], old);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], "Error: \"/ro/set.tvm\": read-only file system");
    EXPECT_EQ(platform.store.openOutputs, 0);
    EXPECT_FALSE(platform.textFile().isOpen());
}

#include "FakePlatform.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

using namespace tavimor;
using namespace tavimor::test;

namespace {

const ReadLimit kLimit{64 * 1024, "a slot"};

std::vector<std::string> readLines(const std::string& bytes)
{
    MemoryFileStore store;
    store.files["f"] = bytes;
    TextFile file(store);
    file.OpenInput("f", kLimit);
    std::vector<std::string> lines;
    while (!file.AtEnd())
        lines.push_back(file.ReadLine());
    file.Close();
    return lines;
}

} // namespace

TEST(TextCodec, DecodesBytesByWhatTheyAre)
{
    struct Case
    {
        const char* name;
        std::string bytes;
        std::string utf8;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"ascii", "abc", "abc", TextEncoding::Utf8},
        {"utf-8 e acute", "\xC3\xA9", "\xC3\xA9", TextEncoding::Utf8},
        {"utf-8 byte-order mark skipped", "\xEF\xBB\xBFx", "x", TextEncoding::Utf8},
        {"outside the BMP", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", TextEncoding::Utf8},
        {"windows-1252 e acute", "caf\xE9", "caf\xC3\xA9", TextEncoding::Windows1252},
        {"windows-1252 euro", "\x80", "\xE2\x82\xAC", TextEncoding::Windows1252},
        {"windows-1252 undefined byte keeps Latin-1", "\x81", "\xC2\x81", TextEncoding::Windows1252},
        {"truncated utf-8 sequence", "a\xE2\x82", "a\xC3\xA2\xE2\x80\x9A", TextEncoding::Windows1252},
        {"overlong utf-8", "\xC0\xAF", "\xC3\x80\xC2\xAF", TextEncoding::Windows1252},
        {"encoded surrogate", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC", TextEncoding::Windows1252},
        {"utf-16 LE", std::string("\xFF\xFE" "a\0\xE9\0", 6), "a\xC3\xA9", TextEncoding::Utf16LittleEndian},
        {"utf-16 BE surrogate pair", std::string("\xFE\xFF\xD8\x3D\xDE\x00", 6), "\xF0\x9F\x98\x80",
         TextEncoding::Utf16BigEndian},
        {"utf-16 unpaired surrogate", std::string("\xFF\xFE\x00\xD8", 4), "\xEF\xBF\xBD", TextEncoding::Utf16LittleEndian},
        {"utf-16 odd byte", std::string("\xFF\xFE" "a\0b", 5), "a\xEF\xBF\xBD", TextEncoding::Utf16LittleEndian},
    };
    for (const Case& c : cases) {
        const auto decoded = decodeText(c.bytes);
        ASSERT_TRUE(decoded) << c.name;
        EXPECT_EQ(decoded->utf8, c.utf8) << c.name;
        EXPECT_EQ(decoded->encoding, c.encoding) << c.name;
        EXPECT_TRUE(isValidUtf8(decoded->utf8)) << c.name;
    }
}

TEST(TextCodec, NulBytesAreNotTextUnlessTheFileIsKnownText)
{
    EXPECT_FALSE(decodeText(std::string("ab\0c", 4)));
    EXPECT_FALSE(decodeText(std::string("\xEF\xBB\xBF\0", 4)));
    EXPECT_EQ(decodeText(std::string("ab\0c", 4), Nul::Accepted)->utf8, std::string("ab\0c", 4));
}

TEST(TextCodec, EveryWindows1252ByteDecodesToOneCharacter)
{
    for (int b = 0x80; b <= 0xFF; ++b) {
        const std::string utf8 = windows1252ToUtf8(std::string(1, char(b)));
        EXPECT_TRUE(isValidUtf8(utf8)) << b;
        EXPECT_GE(utf8.size(), 2u) << b;
    }
}

TEST(TextFile, LinesEndAtCrLfLoneCrOrLoneLf)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(readLines(""), Lines{});
    EXPECT_EQ(readLines("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(readLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(readLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(readLines("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(readLines("a\rb\r"), (Lines{"a", "b"}));
    EXPECT_EQ(readLines("\r\r\n"), (Lines{"", ""}));
    EXPECT_EQ(readLines("\n\r"), (Lines{"", ""}));
    EXPECT_EQ(readLines("a\n\r\nb"), (Lines{"a", "", "b"}));
    // Lines longer than the blocks in which line ends are looked for.
    const std::string longer(5000, 'x');
    EXPECT_EQ(readLines(longer + "\r" + longer + "\n" + longer), (Lines{longer, longer, longer}));
    EXPECT_EQ(readLines(longer + "\n\r" + longer), (Lines{longer, "", longer}));
}

TEST(TextCodec, EveryLineBreakBecomesCrLf)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"no breaks", "no breaks"},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\nb\n", "a\r\nb\r\n"},
        {"a\rb\r", "a\r\nb\r\n"},
        {"\r\n\n\r\r\n\n", "\r\n\r\n\r\n\r\n\r\n"},
        {"x\r\ny\nz\r", "x\r\ny\r\nz\r\n"},
        {std::string("\0\n\0", 3), std::string("\0\r\n\0", 4)},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(withCrLf(in), out) << in;
}

TEST(TextFile, ReadingPastTheEndNamesTheFile)
{
    MemoryFileStore store;
    store.files["/x/a.txt"] = "a";
    TextFile file(store);
    file.OpenInput("/x/a.txt", kLimit);
    EXPECT_EQ(file.ReadLine(), "a");
    try {
        file.ReadLine();
        FAIL() << "read past the end";
    } catch (const PlatformError& e) {
        EXPECT_NE(std::string(e.what()).find("/x/a.txt"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("past the end"), std::string::npos);
    }
    file.Close();
    EXPECT_FALSE(file.isOpen());
    file.Close(); // nothing open: nothing happens
}

TEST(TextFile, RefusesWhatItCannotRead)
{
    MemoryFileStore store;
    store.files["big"] = std::string(kLimit.maxBytes + 1, 'x');
    store.files["binary"] = std::string("a\0b", 3);
    TextFile file(store);
    struct Case
    {
        const char* path;
        const char* reason;
    };
    for (const Case c : {Case{"big", "too large for a slot"}, Case{"binary", "not a text file"},
                         Case{"missing", "does not exist"}}) {
        try {
            file.OpenInput(c.path, kLimit);
            FAIL() << c.path;
        } catch (const PlatformError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
        EXPECT_FALSE(file.isOpen());
    }
}

TEST(TextFile, OneFileAtATimeAndOutputOnlyOnClose)
{
    MemoryFileStore store;
    TextFile file(store);
    file.OpenOutput("out");
    EXPECT_THROW(file.OpenOutput("other"), PlatformError);
    file.WriteLine("a");
    file.WriteLine("");
    EXPECT_EQ(store.files.count("out"), 0u);
    file.Close();
    EXPECT_EQ(store.files["out"], "a\r\n\r\n");

    file.OpenOutput("discarded");
    file.WriteLine("x");
    file.Discard();
    EXPECT_EQ(store.files.count("discarded"), 0u);
    EXPECT_EQ(store.openOutputs, 0);
}

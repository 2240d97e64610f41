// The Windows platform services for real, under Wine: the clipboard as another
// program (xclip, on the X side that Wine bridges it to) sees it, files on
// disk, and starting programs.
#include "UnixSide.h"
#include "Win32Platform.h"

#include <gtest/gtest.h>

using namespace tavimor;
using namespace tavimor::test;
using namespace tavimor::win32;

namespace {

struct Win32PlatformTest : ::testing::Test
{
    Win32Platform platform;
    UnixFolder folder;

    // xclip reads the clipboard as an X program; its default target, UTF8_STRING, carries every character.
    std::string xclipOut() { return unixShell("xclip -o -selection clipboard"); }
    void xclipIn(const std::string& bytes, const std::string& type = "")
    {
        putFile(folder.win("clip.in"), bytes);
        unixShell("xclip -i -selection clipboard " + (type.empty() ? "" : "-t " + type + " ") + folder.unix + "/clip.in");
        ::Sleep(100); // the new owner's announcement reaches Wine
    }
};

std::string megabyteOfLines(const char* lineEnd)
{
    std::string text;
    for (int i = 0; i < 34000; ++i)
        text += "line " + std::to_string(i) + " of a large text \xE2\x82\xAC" + lineEnd;
    return text;
}

} // namespace

TEST_F(Win32PlatformTest, ClipboardTextReachesOtherProgramsAndComesBack)
{
    platform.ClipboardClear();
    platform.ClipboardSetText("first line\r\nsecond \xC3\xBC \xF0\x9F\x98\x80\r\n");
    EXPECT_EQ(xclipOut(), "first line\nsecond \xC3\xBC \xF0\x9F\x98\x80\n"); // CR LF on Windows is LF on X

    xclipIn("from xclip\nline two\r\nthree\rfour \xE2\x82\xAC \xF0\x9F\x98\x80");
    ASSERT_TRUE(platform.ClipboardHasText());
    EXPECT_EQ(platform.ClipboardGetText(), "from xclip\r\nline two\r\nthree\r\nfour \xE2\x82\xAC \xF0\x9F\x98\x80");

    platform.ClipboardClear();
    platform.ClipboardSetText("");
    EXPECT_TRUE(platform.ClipboardHasText()) << "an empty slot's copy is empty text, not no text";
    EXPECT_EQ(platform.ClipboardGetText(), "");
}

TEST_F(Win32PlatformTest, AMegabyteGoesBothWays)
{
    const std::string crlf = megabyteOfLines("\r\n");
    const std::string lf = megabyteOfLines("\n");
    platform.ClipboardClear();
    platform.ClipboardSetText(crlf);
    const std::string out = xclipOut();
    EXPECT_TRUE(out == lf) << out.size() << " bytes, not " << lf.size();
    xclipIn(lf);
    const std::string in = platform.ClipboardGetText();
    EXPECT_TRUE(in == crlf) << in.size() << " bytes, not " << crlf.size();
}

TEST_F(Win32PlatformTest, APictureAloneIsNoText)
{
    const std::string png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\1\0\0\0\1\x08\x06\0\0\0\x1F\x15\xC4\x89\0\0\0\rIDATx\xDA"
                          "c\xF8\xCF\xC0\xF0\x1F\0\x05\0\x02\x01\xE5'\x16\xAE\0\0\0\0IEND\xAE" "B`\x82", 70);
    xclipIn(png, "image/png");
    EXPECT_FALSE(platform.ClipboardHasText());
}

TEST_F(Win32PlatformTest, StartingAMissingProgramFailsAtOnce)
{
    // A system error box would hold the test here until its time ran out.
    EXPECT_THROW(platform.StartProgram("C:\\no\\such\\MSINFO32.EXE"), PlatformError);
    EXPECT_THROW(platform.StartProgram(""), PlatformError);
    EXPECT_NO_THROW(platform.StartProgram("C:\\windows\\system32\\hostname.exe"));
    EXPECT_TRUE(platform.FileExists("C:\\windows\\system32\\hostname.exe"));
    EXPECT_FALSE(platform.FileExists("C:\\windows\\system32"));
}

namespace {

// Answers the next question box of this program once it is up, as a user would.
enum class Answer { Yes, No, Enter, Esc, CloseBox };
Answer g_answer;
int g_focusedId;

void CALLBACK answerQuestion(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND box = ::FindWindowW(L"#32770", L"Tavimor");
    if (!box)
        return;
    ::KillTimer(nullptr, timer);
    g_focusedId = ::GetDlgCtrlID(::GetFocus());
    const auto key = [](UINT vk) {
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, vk, 0);
        ::PostMessageW(::GetFocus(), WM_KEYUP, vk, 0);
    };
    switch (g_answer) {
    case Answer::Yes: ::PostMessageW(::GetDlgItem(box, IDYES), BM_CLICK, 0, 0); break;
    case Answer::No: ::PostMessageW(::GetDlgItem(box, IDNO), BM_CLICK, 0, 0); break;
    case Answer::Enter: key(VK_RETURN); break;
    case Answer::Esc: key(VK_ESCAPE); break;
    case Answer::CloseBox: ::PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
}

} // namespace

TEST_F(Win32PlatformTest, AQuestionIsAnsweredYesOnlyByYes)
{
    const std::pair<Answer, bool> cases[] = {{Answer::Yes, true},  {Answer::No, false},      {Answer::Enter, false},
                                             {Answer::Esc, false}, {Answer::CloseBox, false}};
    for (const auto& [answer, yes] : cases) {
        g_answer = answer;
        g_focusedId = 0;
        ::SetTimer(nullptr, 0, 50, answerQuestion);
        EXPECT_EQ(platform.AskYesNo("Replace it?"), yes) << int(answer);
        EXPECT_EQ(g_focusedId, IDNO) << "No is the default";
    }
}

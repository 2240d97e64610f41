// File Open, File > Open and File > Save through the real host layer (Qt's
// files, the real text file, the real window) with files a user could pick.
#include "FakePlatform.h"
#include "Form1.h"
#include "QtPlatform.h"
#include "RecordingQtPlatform.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavimor;
using tavimor::test::RecordingQtPlatform;

namespace {

const std::string kHeader = "Tavimor file zmtwcpe271958rgkb5vs3\r\n";
const std::string kSeparator = "***** Separator ****** zmtwcpe271958rgkb5vs3\r\n";

struct HostileInput : ::testing::Test
{
    QTemporaryDir dir;
    RecordingQtPlatform platform;
    test::FakeFileDialog dialog;
    Form1 form{platform, &dialog};

    void SetUp() override
    {
        for (int slot = 1; slot <= 6; ++slot)
            form.setSlotText(slot, "keep " + std::to_string(slot));
    }
    std::string path(const char* name) const { return dir.filePath(QString::fromUtf8(name)).toStdString(); }
    static void put(const std::string& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
    static std::string get(const std::string& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static std::string slotSet(const std::string& firstSlot)
    {
        std::string bytes = kHeader + firstSlot + "\r\n" + kSeparator;
        for (int i = 2; i <= 6; ++i)
            bytes += kSeparator;
        return bytes;
    }

    void fileOpen(const std::string& p)
    {
        dialog.answers = {p};
        form.findChild<QPushButton*>("cmdFile1")->click();
    }
    void fileMenu(const char* action, const std::string& p)
    {
        dialog.answers = {p};
        form.findChild<QAction*>(action)->trigger();
    }
    // One command's outcome: its only message, with the slots unchanged and no file left open.
    std::string refusal()
    {
        EXPECT_EQ(platform.messages.size(), 1u);
        const std::string message = platform.messages.empty() ? "" : platform.messages.back();
        platform.messages.clear();
        for (int slot = 1; slot <= 6; ++slot)
            EXPECT_EQ(form.slotText(slot), "keep " + std::to_string(slot)) << message;
        EXPECT_FALSE(platform.textFile().isOpen()) << message;
        return message;
    }
    // The program still works: a good file loads afterwards.
    void stillWorks()
    {
        put(path("good.txt"), "fine");
        fileOpen(path("good.txt"));
        EXPECT_EQ(form.slotText(1), "fine\r\n");
        EXPECT_TRUE(platform.messages.empty());
        form.setSlotText(1, "keep 1");
    }
};

bool startsWith(const std::string& text, const std::string& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

} // namespace

TEST_F(HostileInput, FilesThatAreNotOrdinaryTextAreRefusedByBothOpens)
{
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0); // opening it for reading would block
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_EQ(::symlink(path("loop").c_str(), path("loop").c_str()), 0);
    put(path("binary"), std::string("\x7F" "ELF\0\0", 6));
    std::ofstream(path("huge")); // 1 GB, sparse: refused by its size, never read
    ASSERT_EQ(::truncate(path("huge").c_str(), 1000ll * 1000 * 1000), 0);
    const std::string cases[] = {path("missing"), path("pipe"), "/dev/zero", "/dev/urandom", "/dev/null",
                                 path("folder"), path("loop"), path("binary"), path("huge")};
    for (const std::string& p : cases) {
        fileOpen(p);
        EXPECT_TRUE(startsWith(refusal(), "Error: ")) << p;
        fileMenu("MnuFileOpen", p);
        EXPECT_TRUE(startsWith(refusal(), "Error: ")) << p;
        stillWorks();
    }
}

TEST_F(HostileInput, FileMenuOpenRefusesAWrongHeaderOrACutSet)
{
    put(path("plain.txt"), "just some text\r\n");
    fileMenu("MnuFileOpen", path("plain.txt"));
    EXPECT_EQ(refusal(), "Invalid file format!");
    const std::string whole = slotSet("new");
    put(path("cut.tvm"), whole.substr(0, whole.size() - kSeparator.size()));
    fileMenu("MnuFileOpen", path("cut.tvm"));
    EXPECT_TRUE(startsWith(refusal(), "Error: "));
    stillWorks();
}

TEST_F(HostileInput, FileChangedBetweenTheDialogAndTheRead)
{
    // Deleted: both opens report it.
    put(path("gone.txt"), "text");
    dialog.afterAnswer = [](const std::string& p) { ::unlink(p.c_str()); };
    fileOpen(path("gone.txt"));
    EXPECT_TRUE(startsWith(refusal(), "Error: "));
    put(path("gone.tvm"), slotSet("new"));
    fileMenu("MnuFileOpen", path("gone.tvm"));
    EXPECT_TRUE(startsWith(refusal(), "Error: "));

    // Cut short: a slot set no longer reads whole and changes nothing; a text
    // file simply loads what is left of it.
    dialog.afterAnswer = [](const std::string& p) { ASSERT_EQ(::truncate(p.c_str(), 50), 0); };
    put(path("cut.tvm"), slotSet("new"));
    fileMenu("MnuFileOpen", path("cut.tvm"));
    EXPECT_TRUE(startsWith(refusal(), "Error: "));
    put(path("cut.txt"), std::string(40, 'a') + "\r\n" + std::string(40, 'b') + "\r\n");
    fileOpen(path("cut.txt"));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(form.slotText(1), std::string(40, 'a') + "\r\n" + std::string(8, 'b') + "\r\n");
    dialog.afterAnswer = nullptr;
}

TEST_F(HostileInput, NamesWithSpacesAndNonAsciiCharactersOpen)
{
    const std::string text = path("Grüße an alle 📝.txt");
    put(text, "caf\xE9\r\n");
    fileOpen(text);
    EXPECT_EQ(form.slotText(1), "caf\xC3\xA9\r\n");
    const std::string set = path("Sätze mit Leerzeichen.tvm");
    put(set, slotSet("neu"));
    fileMenu("MnuFileOpen", set);
    EXPECT_EQ(form.slotText(1), "neu");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(HostileInput, FailedSaveKeepsTheOldFile)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_EQ(::mkfifo(path("fifo.tvm").c_str(), 0600), 0);
    put(path("old.tvm"), "old bytes");
    for (const std::string& p : {path("nowhere/set.tvm"), path("folder"), path("fifo.tvm")}) {
        fileMenu("MnuFileSave", p);
        EXPECT_TRUE(startsWith(refusal(), "Error: ")) << p;
    }
    EXPECT_EQ(get(path("old.tvm")), "old bytes");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.tvm"});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::System), QStringList{"fifo.tvm"}) << "the pipe is still a pipe";
}

// Permissions stop only a user who is not root: CTest runs these once more as
// an unprivileged user (see tests/as-unprivileged).
TEST_F(HostileInput, UnreadableAndReadOnlyFilesAsAnOrdinaryUser)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root, which file permissions do not stop; run again unprivileged";
    put(path("secret.txt"), "secret");
    put(path("secret.tvm"), slotSet("secret"));
    ASSERT_EQ(::chmod(path("secret.txt").c_str(), 0), 0);
    ASSERT_EQ(::chmod(path("secret.tvm").c_str(), 0), 0);
    fileOpen(path("secret.txt"));
    EXPECT_TRUE(startsWith(refusal(), "Error: "));
    fileMenu("MnuFileOpen", path("secret.tvm"));
    EXPECT_TRUE(startsWith(refusal(), "Error: "));

    const std::string old = slotSet("old");
    put(path("locked.tvm"), old);
    ASSERT_EQ(::chmod(path("locked.tvm").c_str(), 0444), 0);
    fileMenu("MnuFileSave", path("locked.tvm"));
    EXPECT_TRUE(startsWith(refusal(), "Error: "));
    EXPECT_EQ(get(path("locked.tvm")), old);

    // A writable file in a folder that takes no new file is written into, and
    // no temporary copy is left anywhere.
    ASSERT_TRUE(QDir(dir.path()).mkdir("shut"));
    put(path("shut/open.tvm"), old);
    ASSERT_EQ(::chmod(path("shut/open.tvm").c_str(), 0666), 0);
    ASSERT_EQ(::chmod(path("shut").c_str(), 0555), 0);
    QTemporaryDir spare;
    qputenv("TMPDIR", spare.path().toLocal8Bit());
    fileMenu("MnuFileSave", path("shut/open.tvm"));
    qunsetenv("TMPDIR");
    EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();
    std::string saved = kHeader;
    for (int slot = 1; slot <= 6; ++slot)
        saved += "keep " + std::to_string(slot) + "\r\n" + kSeparator;
    EXPECT_EQ(get(path("shut/open.tvm")), saved);
    EXPECT_TRUE(QDir(spare.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    ::chmod(path("shut").c_str(), 0755);
    stillWorks();
}

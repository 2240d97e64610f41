#include "ClipboardHolder.h"
#include "FakePlatform.h"
#include "Form1.h"
#include "QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QDir>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <optional>

#include <gtest/gtest.h>

using namespace tavimor;

namespace {

// xclip is a separate X client, so this is the clipboard as other programs see it.
QByteArray xclipOut(const QString& selection = QStringLiteral("clipboard"), const QString& target = {})
{
    QProcess xclip;
    xclip.start("xclip", QStringList{"-o", "-selection", selection} + (target.isEmpty() ? QStringList{} : QStringList{"-t", target}));
    // Keep serving the selection to xclip while waiting for it.
    while (!xclip.waitForFinished(10))
        QApplication::processEvents();
    return xclip.readAllStandardOutput();
}

void xclipIn(const QByteArray& bytes, const QStringList& extra = {})
{
    QProcess xclip;
    xclip.start("xclip", QStringList{"-i", "-selection", "clipboard"} + extra);
    xclip.write(bytes);
    xclip.closeWriteChannel();
    ASSERT_TRUE(xclip.waitForFinished(10000));
    QTest::qWait(100); // let the new owner's announcement arrive
}

struct ClipboardTest : ::testing::Test
{
    QtPlatform platform;
    test::FakeFileDialog dialog;
    Form1 form{platform, &dialog};

    void SetUp() override
    {
        form.show();
        form.activateWindow(); // there is no window manager to do it
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    void click(const char* name) { form.findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
    // Clicks, and answers the message box that the click shows: its text.
    QString clickAnswering(const char* name)
    {
        QString shown;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        watch.start(20);
        click(name);
        return shown;
    }
};

// The program's clipboard holders that serve the display named by variable.
int holdersOn(const char* variable)
{
    const QByteArray display = QByteArray(variable) + "=" + qgetenv(variable);
    int count = 0;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile cmdline("/proc/" + pid + "/cmdline"), environ("/proc/" + pid + "/environ");
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(kHoldClipboardArgument)
            && environ.open(QIODevice::ReadOnly) && environ.readAll().split('\0').contains(display))
            ++count;
    }
    return count;
}

// The test's own clipboard owner (clipboard_owner), started until it owns the clipboard.
struct Owner
{
    QProcess process;
    explicit Owner(const QStringList& arguments)
    {
        process.start(QStringLiteral(TAVIMOR_CLIPBOARD_OWNER), arguments);
        process.waitForReadyRead(10000);
        QTest::qWait(100); // let the new owner's announcement arrive
    }
    ~Owner()
    {
        process.kill();
        process.waitForFinished();
    }
};

} // namespace

TEST_F(ClipboardTest, CopiedTextReachesOtherPrograms)
{
    form.setSlotText(1, "first line\r\nsecond \xC3\xBC \xF0\x9F\x98\x80\r\n");
    click("cmdCopy1");
    EXPECT_EQ(xclipOut(), QByteArray("first line\nsecond \xC3\xBC \xF0\x9F\x98\x80\n"));

    // A selection is the primary selection, read when asked for: exactly its
    // text, across the pieces in which the box holds a long line.
    std::string line;
    for (int i = 0; line.size() < 20'000; ++i)
        line += std::to_string(i) + (i % 7 ? " " : "\xC3\xA9 ");
    form.setSlotText(2, "a\r\n" + line + "\r\nb");
    QPlainTextEdit* edit = form.slotEdit(2);
    edit->moveCursor(QTextCursor::NextCharacter);
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
    const std::string primary = xclipOut(QStringLiteral("primary")).toStdString();
    EXPECT_TRUE(primary == "\n" + line) << primary.size() << " bytes, not " << line.size() + 1;
}

TEST_F(ClipboardTest, TextFromOtherProgramsIsPasted)
{
    xclipIn("from xclip\nline two\r\nthree\rfour \xE2\x82\xAC");
    click("cmdPaste2");
    EXPECT_EQ(form.slotText(2), "from xclip\r\nline two\r\nthree\r\nfour \xE2\x82\xAC");
}

TEST_F(ClipboardTest, AMegabyteGoesBothWays)
{
    std::string big;
    for (int i = 0; big.size() < 1024 * 1024; ++i)
        big += "line " + std::to_string(i) + " of a large clipboard text\r\n";
    form.setSlotText(3, big);
    click("cmdCopy3");
    QByteArray lf = QByteArray::fromStdString(big);
    lf.replace("\r\n", "\n");
    EXPECT_EQ(xclipOut(), lf);

    lf.replace("large", "LARGE");
    xclipIn(lf);
    click("cmdPaste4");
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");
    EXPECT_EQ(form.slotText(4), crlf.toStdString());
}

TEST_F(ClipboardTest, APictureAloneIsNoText)
{
    QTemporaryFile png;
    ASSERT_TRUE(png.open());
    png.write(QByteArray::fromHex("89504e470d0a1a0a0000000d4948445200000001000000010806000000"
                                  "1f15c4890000000d4944415478da63f8cfc0f01f0005000201e52716ae0000000049454e44ae426082"));
    png.close();
    QProcess xclip;
    xclip.start("xclip", {"-i", "-selection", "clipboard", "-t", "image/png", png.fileName()});
    ASSERT_TRUE(xclip.waitForFinished(10000));
    QTest::qWait(100);

    form.setSlotText(5, "kept");
    QString shown;
    QTimer::singleShot(200, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->windowTitle() + "|" + box->text();
            box->accept();
        }
    });
    click("cmdPaste5");
    EXPECT_EQ(shown, "Tavimor|There is no text on the Clipboard.");
    EXPECT_EQ(form.slotText(5), "kept");
}

// The clipboard's owner has stopped (a hung program, a stalled remote-desktop
// bridge): Paste says so soon, and the slot keeps its text.
TEST_F(ClipboardTest, AnOwnerThatDoesNotAnswerIsReportedAndChangesNothing)
{
    QProcess owner; // -quiet: serves the clipboard itself, in the foreground
    owner.start("xclip", {"-quiet", "-i", "-selection", "clipboard"});
    owner.write("held text");
    owner.closeWriteChannel();
    QTest::qWait(300); // it owns the clipboard now
    ::kill(pid_t(owner.processId()), SIGSTOP);

    form.setSlotText(6, "kept");
    QString shown;
    QTimer::singleShot(0, [&] { // runs in the box's own loop, once Paste has given up
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    click("cmdPaste6");
    ::kill(pid_t(owner.processId()), SIGCONT);
    owner.kill();
    owner.waitForFinished();
    EXPECT_EQ(shown.toStdString(), "Error: the clipboard is held by another program");
    EXPECT_EQ(form.slotText(6), "kept");

    // A program that answers again is pasted from as before.
    xclipIn("answers");
    click("cmdPaste6");
    EXPECT_EQ(form.slotText(6), "answers");
}

// Owners as real ones behave: every row gives the owner's behaviour and what
// Paste puts in the slot, or the message it shows (the slot then keeps its text).
TEST_F(ClipboardTest, PasteIsExactOrSaysWhyFromEveryOwner)
{
    const auto lines = [](qsizetype bytes) {
        QByteArray text;
        for (int n = 0; text.size() < bytes; ++n)
            text += "line " + QByteArray::number(n) + " of a clipboard text in parts\n";
        text.truncate(bytes);
        return text.replace("\n", "\r\n").toStdString();
    };
    const std::string held = "Error: the clipboard is held by another program";
    const struct
    {
        const char* owner;
        QStringList arguments;
        std::string slot; // or, after "Error: ", the message
    } rows[] = {
        {"100 MB in 64 KiB parts", {"--lines", "100000000"}, lines(100000000)},
        {"0.9 s between parts", {"--lines", "300000", "--gap", "900"}, lines(300000)},
        {"1.1 s between parts", {"--lines", "300000", "--gap", "1100"}, held},
        {"frozen after three parts", {"--lines", "1000000", "--parts", "3"}, held},
        {"parts without end", {"--endless", "--chunk", "1048576"},
         "Error: the clipboard's text is too large for a slot (more than 100.0 MiB; at most 100.0 MiB can be pasted)"},
        {"only TEXT", {"--targets", "TEXT", "--hex", "6f6b"}, "ok"},
        {"only text/plain", {"--targets", "text/plain", "--hex", "6f6b"}, "ok"},
        {"STRING with \xC3\xA9", {"--targets", "STRING", "--hex", "e9"}, "\xC3\xA9"},
    };
    for (const auto& row : rows) {
        form.setSlotText(2, "kept");
        Owner owner(row.arguments);
        const QString message = clickAnswering("cmdPaste2");
        const bool failed = row.slot.rfind("Error: ", 0) == 0;
        EXPECT_EQ(message.toStdString(), failed ? row.slot : "") << row.owner;
        const std::string slot = form.slotText(2);
        EXPECT_TRUE(slot == (failed ? "kept" : row.slot)) << row.owner << ": " << slot.size() << " bytes";
    }
    // A first answer 1.5 s late: given up; its transfer never feeds the next
    // Paste, which gets the whole text.
    {
        Owner late({"--lines", "1048576", "--late", "1500"});
        EXPECT_EQ(clickAnswering("cmdPaste2").toStdString(), held);
        QTest::qWait(1000);
        EXPECT_EQ(clickAnswering("cmdPaste2").toStdString(), "");
        EXPECT_TRUE(form.slotText(2) == lines(1048576)) << form.slotText(2).substr(0, 40);
    }

    // No owner: no text.
    { Owner gone({}); }
    QTest::qWait(100);
    EXPECT_EQ(clickAnswering("cmdPaste2").toStdString(), "There is no text on the Clipboard.");
}

// Copy outlives the program (the real program's Exit is checked by
// copy-outlives-exit): with no clipboard manager, or a text larger than Qt
// hands a manager, the program's holder serves the text, and ends as soon as
// another program takes the clipboard. Nothing is started where a manager takes the text, or when
// another program has taken the clipboard since the Copy.
TEST_F(ClipboardTest, CopyOutlivesTheProgram)
{
    const auto holders = [] { return holdersOn("DISPLAY"); };
    const struct
    {
        const char* situation;
        int bytes;
        bool manager, takenSince, held;
    } rows[] = {
        {"a small text", 40, false, false, true},
        {"a manager takes it", 40, true, false, false},
        {"more than Qt hands a manager", 17 * 1024 * 1024, true, false, true},
        {"another program took the clipboard", 40, false, true, false},
    };
    for (const auto& row : rows) {
        QByteArray text = "caf\xC3\xA9\n";
        while (text.size() < row.bytes)
            text += "line " + QByteArray::number(text.size()) + " of a copied text\n";
        form.setSlotText(1, QByteArray(text).replace("\n", "\r\n").toStdString());
        click("cmdCopy1");
        std::optional<Owner> manager;
        if (row.manager)
            manager.emplace(QStringList{"--manager"});
        if (row.takenSince)
            xclipIn("taken since");
        EXPECT_EQ(keepClipboardAfterExit(QStringLiteral(TAVIMOR_PROGRAM)), row.held) << row.situation;
        if (!row.held)
            continue;
        EXPECT_EQ(holders(), 1) << row.situation;
        EXPECT_TRUE(xclipOut() == text) << row.situation;
        if (row.bytes < 100) { // as Latin-1 too
            EXPECT_EQ(xclipOut(QStringLiteral("clipboard"), QStringLiteral("STRING")),
                      QByteArray(text).replace("\xC3\xA9", "\xE9"));
        }
        xclipIn("another program's text");
        for (int wait = 0; holders() > 0 && wait < 100; ++wait)
            QTest::qWait(20);
        EXPECT_EQ(holders(), 0) << row.situation;
    }
}

// On Wayland, an owner that does not answer: every Paste says so, also the
// one after Qt has given up on the offer, and the slot keeps its text.
TEST_F(ClipboardTest, AnOwnerThatDoesNotAnswerOnWaylandKeepsTheSlot)
{
    if (QGuiApplication::platformName() != QLatin1String("wayland"))
        GTEST_SKIP() << "for Wayland";
    QProcess owner;
    owner.start("wl-copy", {"--foreground", "held text"});
    ASSERT_TRUE(owner.waitForStarted());
    // The offer reaches the window once it has the focus.
    EXPECT_TRUE(QTest::qWaitFor([] { return QGuiApplication::clipboard()->mimeData()->hasText(); }, 5000));
    ::kill(pid_t(owner.processId()), SIGSTOP);
    form.setSlotText(6, "kept");
    for (int paste = 0; paste < 2; ++paste) {
        EXPECT_EQ(clickAnswering("cmdPaste6").toStdString(), "Error: the clipboard is held by another program");
        EXPECT_EQ(form.slotText(6), "kept");
    }
    ::kill(pid_t(owner.processId()), SIGCONT);
    owner.kill();
    owner.waitForFinished();
}


#include "FakePlatform.h"
#include "Form1.h"
#include "QtPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include <csignal>

#include <gtest/gtest.h>

using namespace tavimor;

namespace {

// xclip is a separate X client, so this is the clipboard as other programs see it.
QByteArray xclipOut(const QString& selection = QStringLiteral("clipboard"))
{
    QProcess xclip;
    xclip.start("xclip", {"-o", "-selection", selection});
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

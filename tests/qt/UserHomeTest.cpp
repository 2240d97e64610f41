// A session with the real file dialogs, run by tests/with-fresh-home, which
// checks afterwards that the home folder holds nothing but what was saved.
#include "Form1.h"
#include "QtPlatform.h"
#include "RecordingQtPlatform.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

using namespace tavimor;
using tavimor::test::RecordingQtPlatform;

namespace {

// Types the path into the next file dialog that opens and presses Enter.
void answerNextDialog(const QString& path)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->deleteLater();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(name);
        // Set rather than typed: typing opens the name completer's list at a
        // time of its own, and the list would take the Enter.
        name->setFocus();
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    });
    poll->start(20);
}

} // namespace

TEST(UserHome, ASessionWritesNothingButTheSavedSet)
{
    const QString home = qEnvironmentVariable("TAVIMOR_FRESH_HOME");
    if (home.isEmpty())
        GTEST_SKIP() << "run through tests/with-fresh-home";
    std::ofstream((home + "/notes.txt").toStdString(), std::ios::binary) << "notes";

    RecordingQtPlatform platform;
    Form1 form(platform); // with the host's own file dialog
    form.show();
    answerNextDialog(home + "/notes.txt");
    form.findChild<QPushButton*>("cmdFile1")->click();
    EXPECT_EQ(form.slotText(1), "notes\r\n");
    answerNextDialog(home + "/set.tvm");
    form.findChild<QAction*>("MnuFileSave")->trigger();
    form.setSlotText(1, "changed");
    answerNextDialog(home + "/set.tvm");
    form.findChild<QAction*>("MnuFileOpen")->trigger();
    EXPECT_EQ(form.slotText(1), "notes\r\n");
    EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();
}

// The host's question box: captioned with the program's name, No by default,
// and every way out but Yes answers no.
#include "QtPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace tavimor;

namespace {

// Asks, and answers the box with `answer` once it is up.
bool askAnswered(const std::function<void(QMessageBox&)>& answer, QString* caption = nullptr)
{
    QTimer::singleShot(0, [&] {
        (void)QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000);
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        if (caption)
            *caption = box->windowTitle();
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        answer(*box);
    });
    QtPlatform platform;
    return platform.AskYesNo("Replace it?");
}

} // namespace

TEST(QtPlatformTest, AQuestionIsAnsweredYesOnlyByYes)
{
    QString caption;
    EXPECT_TRUE(askAnswered([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); }, &caption));
    EXPECT_EQ(caption, "Tavimor");
    EXPECT_FALSE(askAnswered([](QMessageBox& box) { box.button(QMessageBox::No)->click(); }));
    EXPECT_FALSE(askAnswered([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }));
    EXPECT_FALSE(askAnswered([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); })) << "No is the default";
    EXPECT_FALSE(askAnswered([](QMessageBox& box) { box.close(); }));
}

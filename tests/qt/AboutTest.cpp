#include "FakePlatform.h"
#include "LayoutCheck.h"
#include "frmAbout.h"
#include "Form1.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tavimor;

namespace {

QString labelText(QWidget& dialog, const char* name)
{
    auto* l = dialog.findChild<QLabel*>(QString::fromLatin1(name));
    return l ? l->text() : QStringLiteral("<missing>");
}

} // namespace

TEST(frmAbout, ShowsTheTextsAtTheirPlaces)
{
    test::FakePlatform platform;
    test::FakeFileDialog dialog;
    Form1 form(platform, &dialog); // registers the program's pictures
    frmAbout about(platform);
    about.show();
    EXPECT_EQ(about.windowTitle(), "About Tavimor");
    EXPECT_EQ(about.size(), QSize(382, 237));
    EXPECT_EQ(labelText(about, "lblTitle"), "Tavimor");
    EXPECT_EQ(labelText(about, "lblVersion"), "Version 1.0.10");
    EXPECT_EQ(labelText(about, "lblDescription"),
              "This program allows you to easily copy items to the clipboard or paste from the clipboard.");
    const QString notice = labelText(about, "lblDisclaimer");
    EXPECT_TRUE(notice.startsWith(QChar(0xA9)));
    EXPECT_EQ(notice.count(QStringLiteral("\r\n")), 1);
    EXPECT_EQ(notice.split(QStringLiteral("\r\n")).size(), 2);
    const std::pair<const char*, QRect> geometry[] = {
        {"picIcon", {8, 8, 54, 54}},     {"lblTitle", {72, 16, 259, 32}},   {"lblVersion", {72, 80, 259, 15}},
        {"lblDescription", {72, 112, 283, 43}}, {"cmdOK", {283, 175, 84, 23}}, {"cmdSysInfo", {284, 205, 83, 23}},
        {"lblDisclaimer", {32, 184, 226, 47}}};
    for (const auto& [name, rect] : geometry) {
        auto* w = about.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_TRUE(w) << name;
        EXPECT_EQ(w->geometry(), rect) << name;
    }
    EXPECT_EQ(about.findChildren<QWidget*>(QStringLiteral("Line1")).size(), 2);
    EXPECT_EQ(about.findChild<QLabel*>("picIcon")->pixmap().size(), QSize(50, 50));
    auto* ok = about.findChild<QPushButton*>("cmdOK");
    auto* sysInfo = about.findChild<QPushButton*>("cmdSysInfo");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(sysInfo->text(), "&System Info...");
    EXPECT_EQ(ok->nextInFocusChain(), sysInfo);
    EXPECT_EQ(labelText(about, "lblDisclaimer").isEmpty(), false);
}

TEST(frmAbout, EnterAndEscapeClose)
{
    test::FakePlatform platform;
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        frmAbout about(platform);
        about.show();
        about.activateWindow();
        if (!QTest::qWaitForWindowExposed(&about) || !QTest::qWaitFor([&] { return about.isActiveWindow(); }, 1000))
            GTEST_SKIP() << "the display server gives this window no keyboard focus";
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_FALSE(about.isVisible()) << key;
    }
}

TEST(frmAbout, SystemInfoWithoutAToolShowsTheMessage)
{
    test::FakePlatform platform;
    frmAbout about(platform);
    about.findChild<QPushButton*>("cmdSysInfo")->click();
    EXPECT_EQ(platform.messages, std::vector<std::string>{"System Information Is Unavailable At This Time"});
}

TEST(frmAbout, HelpAboutOpensItAgainWithTheSameTextsAndSlotsUnchanged)
{
    test::FakePlatform platform;
    test::FakeFileDialog dialog;
    Form1 form(platform, &dialog);
    form.setSlotText(1, "kept");
    QStringList seen;
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(50, [&] {
            if (auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                seen << about->windowTitle() + "|" + labelText(*about, "lblVersion") + "|" + labelText(*about, "lblTitle");
                about->findChild<QPushButton*>("cmdOK")->click();
            }
        });
        form.findChild<QAction*>("MnuHelpAbout")->trigger();
    }
    EXPECT_EQ(seen, QStringList(2, "About Tavimor|Version 1.0.10|Tavimor"));
    EXPECT_EQ(form.slotText(1), "kept");
}

// Run at several scale factors by CTest: the fallback font must not cut a text.
TEST(frmAboutLayout, EveryControlInsideAndUncut)
{
    test::FakePlatform platform;
    test::FakeFileDialog dialog;
    Form1 form(platform, &dialog);
    frmAbout about(platform);
    about.show();
    QApplication::processEvents();
    EXPECT_EQ(test::layoutProblems(about), std::vector<std::string>{});
    for (const QLabel* l : about.findChildren<QLabel*>())
        EXPECT_GE(l->font().pointSizeF(), 6) << l->objectName().toStdString();
}

// On a dark theme (Qt follows the desktop's) the black title and the blue
// notice would vanish: they take the theme's colours, and follow a change of theme.
TEST(frmAbout, TextsCanBeReadOnAnyTheme)
{
    test::FakePlatform platform;
    const QPalette original = QApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::Window, QColor(0x2D2D2D));
    dark.setColor(QPalette::WindowText, QColor(0xEEEEEE));
    dark.setColor(QPalette::Link, QColor(0x8AB4F8));
    const auto shown = [](QWidget& about, const char* name) {
        return about.findChild<QLabel*>(QString::fromLatin1(name))->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF;
    };
    QApplication::setPalette(dark);
    {
        frmAbout about(platform);
        EXPECT_EQ(shown(about, "lblTitle"), 0xEEEEEEu);
        EXPECT_EQ(shown(about, "lblDescription"), 0xEEEEEEu);
        EXPECT_EQ(shown(about, "lblDisclaimer"), 0x8AB4F8u);
        QApplication::setPalette(original); // the desktop turns light while the dialog is open
        QApplication::processEvents();
        if (original.color(QPalette::Window).lightness() > 200) {
            EXPECT_EQ(shown(about, "lblTitle"), 0x000000u) << "the described black where it can be read";
            EXPECT_EQ(shown(about, "lblDisclaimer"), 0x0000FFu);
        }
    }
    QApplication::setPalette(original);
}

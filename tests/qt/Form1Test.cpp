#include "FakePlatform.h"
#include "LayoutCheck.h"
#include "DocumentText.h"
#include "Form1.h"
#include "app/Limits.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace tavimor;
using namespace tavimor::test;

namespace {

struct Form1Test : ::testing::Test
{
    FakePlatform platform;
    FakeFileDialog dialog;
    Form1 form{platform, &dialog};

    template <typename T>
    T* child(const char* name) const
    {
        T* found = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    QPushButton* button(const QString& name) const { return form.findChild<QPushButton*>(name); }
    QString pasteName(int slot) const
    {
        return slot == 1 ? QStringLiteral("Cmdpaste1") : QStringLiteral("cmdPaste%1").arg(slot);
    }
    void showExposed()
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    // True once the window has the keyboard focus. A compositor may give none
    // to a window that the user did not click (Weston without input devices).
    bool showActive()
    {
        form.show();
        form.activateWindow();
        return QTest::qWaitForWindowExposed(&form) && QTest::qWaitFor([&] { return form.isActiveWindow(); }, 1000);
    }
};

constexpr const char* kNoFocus = "the display server gives this window no keyboard focus";

} // namespace

TEST_F(Form1Test, HasTheCaptionMenusAndControlsByName)
{
    EXPECT_EQ(form.windowTitle(), "Tavimor");
    EXPECT_EQ(form.windowIcon().pixmap(32, 32).size(), QSize(32, 32));
    EXPECT_EQ(child<QMenu>("MnuFile")->title(), "&File");
    EXPECT_EQ(child<QMenu>("MnuHelp")->title(), "&Help");
    const std::pair<const char*, const char*> actions[] = {
        {"MnuFileOpen", "Open"}, {"MnuFileSave", "Save"}, {"MnuFileExit", "Exit"}, {"MnuHelpAbout", "About"}};
    for (const auto& [name, text] : actions) {
        QAction* action = child<QAction>(name);
        ASSERT_TRUE(action);
        EXPECT_EQ(action->text(), text);
        EXPECT_TRUE(action->shortcut().isEmpty()) << name;
    }
    EXPECT_EQ(form.findChildren<QPushButton*>().size(), 18);
    for (int slot = 1; slot <= 6; ++slot) {
        auto* edit = form.findChild<QPlainTextEdit*>(QStringLiteral("Text%1").arg(slot));
        ASSERT_TRUE(edit);
        EXPECT_TRUE(edit->toPlainText().isEmpty());
        EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
        EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_TRUE(edit->tabChangesFocus());
        EXPECT_FALSE(edit->isReadOnly());
        EXPECT_EQ(edit->font().family(), "Courier New");
        EXPECT_DOUBLE_EQ(edit->font().pointSizeF(), 9.75);
        EXPECT_EQ(edit->accessibleName(), QStringLiteral("Slot %1").arg(slot));
        const std::pair<QString, const char*> buttons[] = {{QStringLiteral("cmdFile%1").arg(slot), "File Open"},
                                                           {pasteName(slot), "Paste"},
                                                           {QStringLiteral("cmdCopy%1").arg(slot), "Copy"}};
        for (const auto& [name, caption] : buttons) {
            QPushButton* b = button(name);
            ASSERT_TRUE(b) << name.toStdString();
            EXPECT_EQ(b->text(), caption);
            EXPECT_FALSE(b->isDefault());
            EXPECT_FALSE(b->autoDefault());
            EXPECT_EQ(b->accessibleName(), QStringLiteral("%1, slot %2").arg(QLatin1String(caption)).arg(slot));
        }
    }
}

TEST_F(Form1Test, ControlsStandWhereTheLayoutPutsThem)
{
    showExposed();
    EXPECT_EQ(form.centralWidget()->size(), QSize(792, 530));
    const QPoint origins[6] = {{8, 8}, {8, 184}, {8, 360}, {424, 8}, {424, 184}, {424, 360}};
    auto expectLayout = [&] {
        for (int slot = 1; slot <= 6; ++slot) {
            const QPoint o = origins[slot - 1];
            EXPECT_EQ(form.slotEdit(slot)->geometry(), QRect(o.x() + 104, o.y(), 249, 161)) << slot;
            EXPECT_EQ(button(QStringLiteral("cmdFile%1").arg(slot))->geometry(), QRect(o.x(), o.y() + 16, 89, 33));
            EXPECT_EQ(button(pasteName(slot))->geometry(), QRect(o.x(), o.y() + 64, 89, 33));
            EXPECT_EQ(button(QStringLiteral("cmdCopy%1").arg(slot))->geometry(), QRect(o.x(), o.y() + 112, 89, 33));
        }
    };
    expectLayout();
    form.resize(1200, 900);
    QApplication::processEvents();
    expectLayout();
    form.resize(300, 200);
    QApplication::processEvents();
    expectLayout();
}

// Run at several scale factors by CTest.
TEST_F(Form1Test, LayoutEveryControlInsideAndUncut)
{
    showExposed();
    EXPECT_EQ(layoutProblems(*form.centralWidget()), std::vector<std::string>{});
}

TEST_F(Form1Test, TabRunsSlotBySlotFromText1)
{
    if (!showActive())
        GTEST_SKIP() << kNoFocus;
    EXPECT_EQ(QApplication::focusWidget(), form.slotEdit(1));
    QStringList order;
    for (int i = 0; i < 24; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QStringList expected;
    for (int slot = 1; slot <= 6; ++slot)
        expected << QStringLiteral("Text%1").arg(slot) << QStringLiteral("cmdFile%1").arg(slot) << pasteName(slot)
                 << QStringLiteral("cmdCopy%1").arg(slot);
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(form.slotEdit(1)->toPlainText().isEmpty()) << "Tab inserts no tab character";
}

TEST_F(Form1Test, EnterAndEscapePressNoButton)
{
    if (!showActive())
        GTEST_SKIP() << kNoFocus;
    platform.clipboard = "clip";
    form.slotEdit(2)->setPlainText("two");
    for (const QString& name : {QStringLiteral("cmdPaste2"), QStringLiteral("cmdCopy3")}) {
        button(name)->setFocus();
        QTest::keyClick(button(name), Qt::Key_Return);
        QTest::keyClick(button(name), Qt::Key_Enter);
        QTest::keyClick(button(name), Qt::Key_Escape);
    }
    form.slotEdit(1)->setFocus();
    QTest::keyClick(form.slotEdit(1), Qt::Key_Escape);
    EXPECT_EQ(form.slotText(2), "two");
    EXPECT_EQ(platform.clipboard, "clip");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(form.isVisible());
}

TEST_F(Form1Test, SlotTextsComeBackCharacterForCharacter)
{
    // No-break space, line separator, tab, a character outside the BMP, CR LF.
    const std::string text = "a\xC2\xA0" "b\xE2\x80\xA8" "c\td\xF0\x9F\x98\x80\r\n\r\nlast";
    form.setSlotText(3, text);
    EXPECT_EQ(form.slotText(3), text);
    EXPECT_EQ(form.slotEdit(3)->document()->blockCount(), 3);
    form.setSlotText(3, "lf\nand cr\rend");
    EXPECT_EQ(form.slotText(3), "lf\r\nand cr\r\nend");
    const std::string controls("nul\0\x01\x1B\x1F\x7F", 9);
    form.setSlotText(3, controls);
    EXPECT_EQ(form.slotText(3), controls);
    form.setSlotText(3, "");
    EXPECT_EQ(form.slotText(3), "");
}

TEST_F(Form1Test, AVeryLongLineIsShownWrappedAndKeepsEveryCharacter)
{
    if (!showActive())
        GTEST_SKIP() << kNoFocus;
    QPlainTextEdit* edit = form.slotEdit(4);
    std::string line;
    for (int i = 0; i < 250'000; ++i)
        line += char('a' + i % 26);
    const std::string text = "short\r\n" + line + "\xC3\xA9\r\nend";
    form.setSlotText(4, text);
    QApplication::processEvents();
    EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(form.slotText(4), text);
    // The end of the line can be scrolled to: the wrapped line is many rows high.
    EXPECT_GT(edit->verticalScrollBar()->maximum(), 0);
    edit->moveCursor(QTextCursor::End);
    QApplication::processEvents();
    EXPECT_TRUE(edit->viewport()->rect().intersects(edit->cursorRect()));

    // Typing into the slot keeps its characters; short text again means the usual display.
    edit->setFocus();
    QTest::keyClicks(edit, "!");
    EXPECT_EQ(form.slotText(4), text + "!");
    form.setSlotText(4, "a\r\nb");
    QApplication::processEvents();
    EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(edit->font().styleStrategy(), form.slotEdit(1)->font().styleStrategy());

    // The same through the box itself: a long line pasted in stays in the
    // display it had, cut into pieces that the text does not have; a box
    // emptied by hand shows as usual.
    form.setSlotText(4, "");
    edit->insertPlainText(QString::fromStdString(line));
    QApplication::processEvents();
    EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_GE(edit->document()->blockCount(), 250'000 / kPieceLimit);
    EXPECT_EQ(form.slotText(4), line);
    form.setSlotText(4, text);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QApplication::processEvents();
    EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(form.slotText(4), "");
}

// A line at the limit keeps its display while it is edited: it is not laid
// out again, unwrapped and wrapped, at every keystroke.
TEST_F(Form1Test, ALineAtTheLongLineLimitKeepsItsDisplayWhileEdited)
{
    if (!showActive())
        GTEST_SKIP() << kNoFocus;
    QPlainTextEdit* edit = form.slotEdit(5);
    form.setSlotText(5, std::string(kLongLine, 'x'));
    edit->setFocus();
    edit->moveCursor(QTextCursor::End);
    const struct
    {
        Qt::Key key;
        int selected; // characters selected before the key, back from the end
        QPlainTextEdit::LineWrapMode shown;
    } steps[] = {{Qt::Key_Backspace, 0, QPlainTextEdit::WidgetWidth}, {Qt::Key_X, 0, QPlainTextEdit::WidgetWidth},
                 {Qt::Key_Backspace, 2, QPlainTextEdit::WidgetWidth},
                 {Qt::Key_Backspace, kLongLine / 10, QPlainTextEdit::WidgetWidth}};
    EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    for (const auto& step : steps) {
        edit->moveCursor(QTextCursor::End);
        QTextCursor cursor = edit->textCursor();
        cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, step.selected);
        edit->setTextCursor(cursor);
        QTest::keyClick(edit, step.key);
        QApplication::processEvents();
        EXPECT_EQ(edit->lineWrapMode(), step.shown) << edit->document()->characterCount() - 1 << " characters";
    }
}

TEST_F(Form1Test, ShiftEnterAndSeparatorKeysStartANewLine)
{
    if (!showActive())
        GTEST_SKIP() << kNoFocus;
    QPlainTextEdit* edit = form.slotEdit(3);
    edit->setFocus();
    QTest::keyClicks(edit, "a");
    QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(edit, "b");
    QTest::keyClick(edit, Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
    QTest::keyClicks(edit, "c");
    // A key that types a separator character itself (a keyboard layout or an input method may).
    QKeyEvent separator(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar::LineSeparator));
    QApplication::sendEvent(edit, &separator);
    QKeyEvent paragraph(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar::ParagraphSeparator));
    QApplication::sendEvent(edit, &paragraph);
    EXPECT_EQ(form.slotText(3), "a\r\nb\r\nc\r\n\r\n");
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.slotText(3), "a\r\nb\r\nc\r\n") << "undone one key at a time";
}

TEST_F(Form1Test, PasteReplacesEverythingAndCanBeUndone)
{
    if (!showActive())
        GTEST_SKIP() << kNoFocus;
    QPlainTextEdit* edit = form.slotEdit(2);
    edit->setFocus();
    QTest::keyClicks(edit, "typed");
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
    platform.clipboard = "from\r\nclipboard";
    button("cmdPaste2")->click();
    EXPECT_EQ(form.slotText(2), "from\r\nclipboard");
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.slotText(2), "typed");
}

// The undo history keeps the replaced texts only up to a bound: Ctrl+Z still
// brings back the last one, but no longer every earlier one.
TEST_F(Form1Test, UndoKeepsTheLastReplacementOfLargeTexts)
{
    if (!showActive())
        GTEST_SKIP() << kNoFocus;
    // Four texts, each large enough that three in the history pass the bound.
    const std::size_t size = kUndoAllowance / 2 + 1024 * 1024;
    const auto text = [&](char fill) {
        std::string lines;
        while (lines.size() < size)
            lines += std::string(78, fill) + "\r\n";
        return lines;
    };
    QPlainTextEdit* edit = form.slotEdit(6);
    for (const char fill : {'a', 'b', 'c', 'd'})
        form.setSlotText(6, text(fill));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(form.slotText(6) == text('c')) << "the last replacement is undone";
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(form.slotText(6) == text('b')) << "and the one before, within the bound";
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(form.slotText(6) == text('b')) << "the oldest ones are no longer held";

    // Small texts are all kept.
    for (const char* small : {"1", "2", "3"})
        form.setSlotText(6, small);
    for (const char* back : {"2", "1"}) {
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(form.slotText(6), back);
    }
}

TEST_F(Form1Test, ButtonsAndMenusRunTheirSlotsCommands)
{
    form.setSlotText(4, "four");
    button("cmdCopy4")->click();
    EXPECT_EQ(platform.clipboard, "four");
    button("Cmdpaste1")->click();
    EXPECT_EQ(form.slotText(1), "four");

    platform.store.files["/f/a.txt"] = "file text";
    dialog.answers = {"/f/a.txt"};
    button("cmdFile6")->click();
    EXPECT_EQ(form.slotText(6), "file text\r\n");

    dialog.answers = {"/f/set.tvm", "/f/set.tvm"};
    child<QAction>("MnuFileSave")->trigger();
    for (int slot = 1; slot <= 6; ++slot)
        form.setSlotText(slot, "changed");
    child<QAction>("MnuFileOpen")->trigger();
    EXPECT_EQ(form.slotText(1), "four");
    EXPECT_EQ(form.slotText(2), "");
    EXPECT_EQ(form.slotText(6), "file text\r\n");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Form1Test, AClipboardFailureIsReportedAndChangesNoSlot)
{
    form.setSlotText(1, "safe");
    platform.clipboard = "x";
    platform.clipboardFails = true;
    button("Cmdpaste1")->click();
    EXPECT_EQ(form.slotText(1), "safe");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].rfind("Error: ", 0), 0u);
}

TEST_F(Form1Test, ExitClosesAtOnce)
{
    showExposed();
    form.setSlotText(1, "unsaved");
    child<QAction>("MnuFileExit")->trigger();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(platform.messages.empty());
}

// A slot's text box: every text comes back exactly, whatever its size and
// wherever its pieces are cut, and replacements, Ctrl+Z and Ctrl+Y take it
// from one state to the next with the display that each text needs at once.
#include "DocumentText.h"
#include "RandomSlotText.h"
#include "SlotText.h"
#include "app/Limits.h"
#include "platform/TextCodec.h"

#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace tavimor;

namespace {

struct SlotTextTest : ::testing::Test
{
    QPlainTextEdit edit;
    SlotText* slot = nullptr;
    SlotTextTest()
    {
        edit.setLineWrapMode(QPlainTextEdit::NoWrap); // as a slot's box is
        slot = new SlotText(&edit);
    }
    bool wrapped() const { return edit.lineWrapMode() == QPlainTextEdit::WidgetWidth; }
    void expectShown(const std::string& text, bool longLines, const char* step)
    {
        const std::string got = slot->text();
        EXPECT_TRUE(got == text) << step << ": " << got.size() << " bytes, not " << text.size();
        EXPECT_EQ(wrapped(), longLines) << step;
    }
};

// What a slot gives back: line breaks as CR LF, a paragraph separator among them.
std::string givenBack(const std::string& text)
{
    const QString crLf = exactUtf16(withCrLf(text));
    return QString(crLf).replace(QChar::ParagraphSeparator, QStringLiteral("\r\n")).toStdString();
}

qsizetype longestLine(const std::string& text) // in UTF-16 units, as the box counts
{
    qsizetype longest = 0;
    for (const QString& line : exactUtf16(text).split(QStringLiteral("\r\n")))
        longest = std::max(longest, line.size());
    return longest;
}

} // namespace

TEST_F(SlotTextTest, EveryTextComesBackWhole)
{
    std::mt19937 random(20261209);
    std::vector<std::string> texts;
    for (int i = 0; i < 150; ++i)
        texts.push_back(test::randomSlotText(random, random() % 300, true));
    // Lines on both sides of the long-line limit, counted in UTF-16 units (a
    // character past the BMP counts two).
    for (const int units : {kLongLine - 1, kLongLine, kLongLineBack - 1, kLongLineBack})
        texts.push_back("a\r\n" + std::string(std::size_t(units) - 2, 'x') + "\xF0\x9F\x98\x80\r\nb");
    // On both sides of a piece: lines that begin with U+FEFF, and one long
    // line with a U+FEFF about where it is cut.
    for (const std::size_t bytes : {kPieceBytes - 7, kPieceBytes + 7}) {
        std::string lines;
        while (lines.size() < bytes)
            lines += "\xEF\xBB\xBF" + test::randomSlotText(random, random() % 80, true, false) + "\r\n";
        texts.push_back(lines);
    }
    for (const std::size_t at : {kPieceBytes - 2, kPieceBytes - 1, kPieceBytes, kPieceBytes + 1})
        texts.push_back(std::string(kPieceBytes + 64, 'p').replace(at, 3, "\xEF\xBB\xBF"));
    std::shuffle(texts.begin(), texts.end(), random);
    bool wasLong = false;
    for (const std::string& text : texts) {
        slot->replace(withCrLf(text)); // as every command hands it over
        const bool isLong = longestLine(givenBack(text)) >= (wasLong ? kLongLineBack : kLongLine);
        expectShown(givenBack(text), isLong, "replaced");
        wasLong = isLong;
        // A surrogate left unpaired in the box (by an input method) reads as U+FFFD.
        if (random() % 4 == 0) {
            edit.moveCursor(QTextCursor::End);
            edit.insertPlainText(QString(QChar(char16_t(random() % 2 ? 0xD800 : 0xDC00))));
            EXPECT_EQ(slot->text(), givenBack(text) + "\xEF\xBF\xBD");
        }
    }
}

// Each step takes the slot to its state at once, before any event is handled.
// A large text is one whose replacement drops the history.
TEST_F(SlotTextTest, ReplacementsAndCtrlZGoFromStateToState)
{
    const std::string longLine(std::size_t(kLongLine) * 3, 'j'), small = "small\r\n";
    std::string large;
    while (large.size() < kUndoAllowance / sizeof(QChar) + 1024 * 1024)
        large += std::string(78, 'L') + "\r\n";
    const struct
    {
        const char* step;
        const std::string* replacement; // nullptr: the key
        Qt::Key key;
        const std::string& shown;
        bool wrapped;
    } steps[] = {
        {"a long line", &longLine, {}, longLine, true}, {"long line to short", &small, {}, small, false},
        {"Ctrl+Z: the long line", nullptr, Qt::Key_Z, longLine, true}, {"Ctrl+Y: short", nullptr, Qt::Key_Y, small, false},
        {"large", &large, {}, large, false}, {"large to small", &small, {}, small, false},
        {"Ctrl+Z: large", nullptr, Qt::Key_Z, large, false}, {"Ctrl+Y: small", nullptr, Qt::Key_Y, small, false},
        {"small to large", &large, {}, large, false}, {"Ctrl+Z: small", nullptr, Qt::Key_Z, small, false},
        {"Ctrl+Y: large", nullptr, Qt::Key_Y, large, false}, {"large to a long line", &longLine, {}, longLine, true},
        {"Ctrl+Z: large", nullptr, Qt::Key_Z, large, false},
    };
    for (const auto& step : steps) {
        if (step.replacement)
            slot->replace(*step.replacement);
        else
            QTest::keyClick(&edit, step.key, Qt::ControlModifier);
        expectShown(step.shown, step.wrapped, step.step);
    }
}

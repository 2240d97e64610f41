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

    void SetUp() override
    {
        edit.setLineWrapMode(QPlainTextEdit::NoWrap);
        edit.resize(249, 161);
        edit.show();
        slot = new SlotText(&edit);
    }
    bool wrapped() const { return edit.lineWrapMode() == QPlainTextEdit::WidgetWidth; }
    void key(Qt::Key key) { QTest::keyClick(&edit, key, Qt::ControlModifier); }
};

// What a slot gives back: line breaks as CR LF, a paragraph separator among them.
std::string givenBack(const std::string& text)
{
    const std::string crLf = withCrLf(text);
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = crLf.find("\xE2\x80\xA9", from)) != std::string::npos; from = at + 3)
        out.append(crLf, from, at - from).append("\r\n");
    return out.append(crLf, from);
}

// The longest line in UTF-16 units, as the box counts.
qsizetype longestLine(const std::string& text)
{
    qsizetype longest = 0;
    for (const QString& line : exactUtf16(text).split(QStringLiteral("\r\n")))
        longest = std::max(longest, line.size());
    return longest;
}

std::string firstDifference(const std::string& got, const std::string& expected)
{
    std::size_t at = 0;
    while (at < got.size() && at < expected.size() && got[at] == expected[at])
        ++at;
    return "sizes " + std::to_string(got.size()) + " and " + std::to_string(expected.size()) + ", first difference at byte "
        + std::to_string(at);
}

std::vector<std::string> mixedTexts(std::mt19937& random)
{
    using test::randomLine;
    using test::randomSlotText;
    std::vector<std::string> texts;
    for (int i = 0; i < 150; ++i)
        texts.push_back(randomSlotText(random, random() % 300, {}));
    // On both sides of the long-line limit, in UTF-16 units.
    for (const int units : {kLongLine - 1, kLongLine, kLongLine + 1, kLongLineBack - 1, kLongLineBack})
        texts.push_back(randomSlotText(random, 40, {}) + "\r\n" + randomLine(random, std::size_t(units)) + "\n"
                        + randomSlotText(random, 40, {}));
    // On both sides of a piece: lines that begin with U+FEFF, one after
    // another, and one long line with a U+FEFF about where it is cut.
    for (const std::size_t bytes : {kPieceBytes - 7, kPieceBytes + 7}) {
        std::string lines;
        while (lines.size() < bytes)
            lines += "\xEF\xBB\xBF" + randomSlotText(random, random() % 80, {true, 80}) + "\r\n";
        texts.push_back(lines);
    }
    for (const std::size_t at : {kPieceBytes - 2, kPieceBytes - 1, kPieceBytes, kPieceBytes + 1}) {
        std::string line(kPieceBytes + 64, 'p');
        line.replace(at, 3, "\xEF\xBB\xBF");
        texts.push_back(line);
    }
    std::shuffle(texts.begin(), texts.end(), random);
    return texts;
}

} // namespace

TEST_F(SlotTextTest, EveryTextComesBackWhole)
{
    std::mt19937 random(20261209);
    bool wasLong = false;
    for (const std::string& text : mixedTexts(random)) {
        slot->replace(withCrLf(text)); // as every command hands it over
        const std::string expected = givenBack(text);
        const std::string got = slot->text();
        ASSERT_TRUE(got == expected) << firstDifference(got, expected);
        const bool isLong = longestLine(expected) >= (wasLong ? kLongLineBack : kLongLine);
        EXPECT_EQ(wrapped(), isLong) << longestLine(expected) << " units";
        wasLong = isLong;
        // A surrogate left unpaired in the box (by an input method) reads as U+FFFD.
        if (random() % 4 == 0) {
            edit.moveCursor(QTextCursor::End);
            edit.insertPlainText(QString(QChar(char16_t(random() % 2 ? 0xD800 : 0xDC00))));
            EXPECT_EQ(slot->text(), expected + "\xEF\xBF\xBD");
        }
    }
}

// Each step takes the slot to its state at once, before any event is handled:
// the text, and the display that it needs. A large text is one whose
// replacement drops the history (past its bound).
TEST_F(SlotTextTest, ReplacementsAndCtrlZGoFromStateToState)
{
    const std::string longLine(std::size_t(kLongLine) * 3, 'j');
    std::string large;
    while (large.size() < kUndoAllowance / sizeof(QChar) + 1024 * 1024)
        large += std::string(78, 'L') + "\r\n";
    const struct
    {
        const char* step;
        const std::string* replacement; // nullptr: a key instead
        Qt::Key key;
        const std::string* shown;
        bool wrapped;
    } steps[] = {
        {"a long line", &longLine, {}, &longLine, true},
        {"long line to short", nullptr, {}, nullptr, false},
        {"Ctrl+Z: the long line", nullptr, Qt::Key_Z, &longLine, true},
        {"Ctrl+Y: short again", nullptr, Qt::Key_Y, nullptr, false},
        {"large", &large, {}, &large, false},
        {"large to small", nullptr, {}, nullptr, false},
        {"Ctrl+Z: large", nullptr, Qt::Key_Z, &large, false},
        {"Ctrl+Y: small", nullptr, Qt::Key_Y, nullptr, false},
        {"small to large", &large, {}, &large, false},
        {"Ctrl+Z: small", nullptr, Qt::Key_Z, nullptr, false},
        {"Ctrl+Y: large", nullptr, Qt::Key_Y, &large, false},
        {"large to a long line", &longLine, {}, &longLine, true},
        {"Ctrl+Z: large", nullptr, Qt::Key_Z, &large, false},
    };
    const std::string small = "small\r\n";
    for (const auto& step : steps) {
        if (step.key != Qt::Key_unknown && step.key)
            key(step.key);
        else
            slot->replace(step.replacement ? *step.replacement : small);
        const std::string& shown = step.shown ? *step.shown : small;
        const std::string got = slot->text();
        EXPECT_TRUE(got == shown) << step.step << ": " << firstDifference(got, shown);
        EXPECT_EQ(wrapped(), step.wrapped) << step.step;
    }
}

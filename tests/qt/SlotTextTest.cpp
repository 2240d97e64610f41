// A slot's text box: every text comes back exactly, whatever its size and
// wherever its pieces are cut; replacements, typing, Ctrl+Z and Ctrl+Y take
// it from one state to the next with the display that each text needs at
// once; and editing across the breaks between the pieces of a long line keeps
// the line exact.
#include "DocumentText.h"
#include "RandomSlotText.h"
#include "SlotEdit.h"
#include "SlotText.h"
#include "app/Limits.h"
#include "platform/TextCodec.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

using namespace tavimor;

namespace {

struct SlotTextTest : ::testing::Test
{
    SlotEdit edit{QFont(QStringLiteral("Courier New")), nullptr};
    SlotText* slot = &edit.slot();

    bool wrapped() const { return edit.lineWrapMode() == QPlainTextEdit::WidgetWidth; }
    void expectShown(const std::string& text, bool longLines, const char* step)
    {
        const std::string got = slot->text();
        EXPECT_TRUE(got == text) << step << ": " << got.size() << " bytes, not " << text.size();
        EXPECT_EQ(wrapped(), longLines) << step;
    }
};

// What a slot gives back: line breaks as CR LF, the characters that the box
// turns into line breaks among them.
std::string givenBack(const std::string& text)
{
    QString crLf = exactUtf16(withCrLf(text));
    for (const QChar c : {QChar(QChar::ParagraphSeparator), QChar(0xFDD0), QChar(0xFDD1)})
        crLf.replace(c, QStringLiteral("\r\n"));
    return crLf.toStdString();
}

qsizetype longestLine(const std::string& text) // in UTF-16 units, as the box counts
{
    qsizetype longest = 0;
    for (const QString& line : exactUtf16(text).split(QStringLiteral("\r\n")))
        longest = std::max(longest, line.size());
    return longest;
}

// The model of the property test works on the UTF-8 bytes put in: the
// character (or CR LF) at a byte offset, and an offset in the box's text
// (UTF-16 units, a line break one) as a byte offset.
std::size_t nextCharacter(const std::string& text, std::size_t at)
{
    if (at >= text.size())
        return at;
    const auto c = static_cast<unsigned char>(text[at]);
    return at + (c == '\r' ? 2 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1);
}

std::size_t previousCharacter(const std::string& text, std::size_t at)
{
    if (at >= 2 && text.compare(at - 2, 2, "\r\n") == 0)
        return at - 2;
    while (at > 0 && (static_cast<unsigned char>(text[--at]) & 0xC0) == 0x80) {
    }
    return at;
}

std::size_t byteAt(const std::string& text, int units)
{
    std::size_t at = 0;
    while (at < text.size() && units >= (static_cast<unsigned char>(text[at]) >= 0xF0 ? 2 : 1)) {
        units -= static_cast<unsigned char>(text[at]) >= 0xF0 ? 2 : 1;
        at = nextCharacter(text, at);
    }
    return at;
}

std::string withLf(std::string text)
{
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

} // namespace

TEST_F(SlotTextTest, EveryTextComesBackWhole)
{
    std::mt19937 random(20261209);
    std::vector<std::string> texts;
    for (int i = 0; i < 150; ++i)
        texts.push_back(test::randomSlotText(random, random() % 300, true));
    // Lines on both sides of the piece length and of the long-line limit,
    // counted in UTF-16 units (a character past the BMP counts two, and the
    // cut must not fall between its halves).
    for (const int units : {kPieceUnits - 1, kPieceUnits, kPieceUnits + 1, kLongLine - 1, kLongLine})
        texts.push_back("a\r\n" + std::string(std::size_t(units) - 2, 'x') + "\xF0\x9F\x98\x80\r\nb");
    // A long line split by U+FDD0 is two lines to the box.
    texts.push_back(std::string(kLongLine - 5, 'y') + "\xEF\xB7\x90" + std::string(kLongLine - 5, 'z'));
    // On both sides of a part: lines that begin with U+FEFF, and one long
    // line with a U+FEFF about where it is cut.
    for (const std::size_t bytes : {kPartBytes - 7, kPartBytes + 7}) {
        std::string lines;
        while (lines.size() < bytes)
            lines += "\xEF\xBB\xBF" + test::randomSlotText(random, random() % 80, true, false) + "\r\n";
        texts.push_back(lines);
    }
    for (const std::size_t at : {kPartBytes - 2, kPartBytes - 1, kPartBytes, kPartBytes + 1})
        texts.push_back(std::string(kPartBytes + 64, 'p').replace(at, 3, "\xEF\xBB\xBF"));
    std::shuffle(texts.begin(), texts.end(), random);
    for (const std::string& text : texts) {
        slot->replace(withCrLf(text)); // as every command hands it over
        expectShown(givenBack(text), longestLine(givenBack(text)) >= kLongLine, "replaced");
        // A surrogate left unpaired in the box (by an input method) reads as U+FFFD.
        if (random() % 4 == 0) {
            edit.moveCursor(QTextCursor::End);
            edit.insertPlainText(QString(QChar(char16_t(random() % 2 ? 0xD800 : 0xDC00))));
            EXPECT_EQ(slot->text(), givenBack(text) + "\xEF\xBF\xBD");
        }
    }
}

// Each step takes the slot to its state at once, before any event is handled.
// A large text is one that the history cannot hold beside another.
TEST_F(SlotTextTest, ReplacementsTypingAndCtrlZGoFromStateToState)
{
    const std::string longLine(std::size_t(kLongLine) * 3, 'j'), small = "small\r\n";
    std::string large;
    while (large.size() < kUndoAllowance + 1024 * 1024)
        large += std::string(78, 'L') + "\r\n";
    const std::string old = "old text", hello = "hello", typed = "hello!", typedOld = "old text?";
    const struct
    {
        const char* step;
        const std::string* replacement; // else the keys
        Qt::Key key;
        const char* typed; // typed at the end, or nothing
        const std::string& shown;
        bool wrapped;
    } steps[] = {
        {"a long line", &longLine, {}, nullptr, longLine, true},
        {"long line to short", &small, {}, nullptr, small, false},
        {"Ctrl+Z: the long line", nullptr, Qt::Key_Z, nullptr, longLine, true},
        {"Ctrl+Y: short", nullptr, Qt::Key_Y, nullptr, small, false},
        {"large", &large, {}, nullptr, large, false},
        {"large to small", &small, {}, nullptr, small, false},
        {"Ctrl+Z: large", nullptr, Qt::Key_Z, nullptr, large, false},
        {"Ctrl+Y: small", nullptr, Qt::Key_Y, nullptr, small, false},
        {"small to large", &large, {}, nullptr, large, false},
        {"Ctrl+Z: small", nullptr, Qt::Key_Z, nullptr, small, false},
        {"Ctrl+Y: large", nullptr, Qt::Key_Y, nullptr, large, false},
        {"large to a long line", &longLine, {}, nullptr, longLine, true},
        {"Ctrl+Z: large", nullptr, Qt::Key_Z, nullptr, large, false},
        // The earlier steps were dropped past the bound: rounds over the one kept.
        {"Ctrl+Z: nothing older is held", nullptr, Qt::Key_Z, nullptr, large, false},
        {"round 1: Ctrl+Y", nullptr, Qt::Key_Y, nullptr, longLine, true},
        {"round 1: Ctrl+Z", nullptr, Qt::Key_Z, nullptr, large, false},
        {"round 2: Ctrl+Y", nullptr, Qt::Key_Y, nullptr, longLine, true},
        {"round 2: Ctrl+Z", nullptr, Qt::Key_Z, nullptr, large, false},
        // Typing after a Paste is a step of its own.
        {"old text", &old, {}, nullptr, old, false},
        {"Paste of hello", &hello, {}, nullptr, hello, false},
        {"typed !", nullptr, {}, "!", typed, false},
        {"Ctrl+Z: the typing", nullptr, Qt::Key_Z, nullptr, hello, false},
        {"Ctrl+Z: the Paste", nullptr, Qt::Key_Z, nullptr, old, false},
        {"Ctrl+Y: the Paste", nullptr, Qt::Key_Y, nullptr, hello, false},
        {"Ctrl+Z: the Paste again", nullptr, Qt::Key_Z, nullptr, old, false},
        // Typing replaced by a Paste comes back, and then the text before it.
        {"typed ?", nullptr, {}, "?", typedOld, false},
        {"Paste over the typing", &hello, {}, nullptr, hello, false},
        {"Ctrl+Z: the typed text", nullptr, Qt::Key_Z, nullptr, typedOld, false},
        {"Ctrl+Z: before the typing", nullptr, Qt::Key_Z, nullptr, old, false},
    };
    for (const auto& step : steps) {
        if (step.replacement) {
            slot->replace(*step.replacement);
        } else if (step.typed) {
            edit.moveCursor(QTextCursor::End);
            QTest::keyClicks(&edit, QString::fromLatin1(step.typed));
        } else {
            QTest::keyClick(&edit, step.key, Qt::ControlModifier);
        }
        expectShown(step.shown, step.wrapped, step.step);
    }
}

// Random edits of a slot holding a long line, at and around the breaks
// between its pieces: after each step the slot's text, a selection copied
// out of the box and a screen reader's text equal a plain model of the text.
TEST_F(SlotTextTest, EditsAcrossPieceBreaksKeepTheLineExact)
{
    std::mt19937 random(20261210);
    const std::pair<std::string, int> atoms[] = {{"abcdefg", 7}, {"\xC3\xA9", 1}, {"\xF0\x9F\x98\x80", 2}, {"\xE2\x82\xAC", 1}};
    const auto line = [&](int units) { // exactly this long
        std::string text;
        for (int length = 0; length < units;) {
            const auto& [atom, size] = units - length >= 7 ? atoms[random() % std::size(atoms)] : atoms[1];
            text += atom;
            length += size;
        }
        return text;
    };
    QAccessibleTextInterface* reader = QAccessible::queryAccessibleInterface(&edit)->textInterface();
    ASSERT_TRUE(reader);
    QClipboard& clipboard = *QGuiApplication::clipboard();
    std::vector<std::string> states{slot->text()};
    for (const int length : {kPieceUnits - 2, kPieceUnits + 2, 3 * kPieceUnits + 5}) {
        states = {states.back(), "head\r\n" + line(length) + "\r\ntail"};
        std::size_t now = 1;
        slot->replace(states[now]);
        QTextDocument& document = *edit.document();
        // A position at or next to the start or end of a random piece.
        const auto nearBreak = [&] {
            const QTextBlock block = document.findBlock(int(random() % std::size_t(document.characterCount())));
            int position = block.position() + int(random() % 2 ? 0 : block.length() - 1);
            position = std::clamp(position + int(random() % 3) - 1, 0, document.characterCount() - 1);
            return document.characterAt(position).isLowSurrogate() ? position - 1 : position;
        };
        for (int step = 0; step < 60; ++step) {
            QTextCursor cursor(&document);
            cursor.setPosition(nearBreak());
            const int caret = plainOffset(document, cursor.position());
            std::string model = states[now];
            const std::size_t at = byteAt(model, caret);
            const std::size_t next = nextCharacter(model, at), previous = previousCharacter(model, at);
            const auto edited = [&](std::string text) {
                states.resize(now + 1);
                if (text != states[now]) {
                    states.push_back(std::move(text));
                    ++now;
                }
            };
            edit.setTextCursor(cursor);
            switch (random() % 8) {
            case 0: {
                QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("q\u00E9"));
                QApplication::sendEvent(&edit, &typed);
                edited(model.insert(at, "q\xC3\xA9"));
                break;
            }
            case 1: QTest::keyClick(&edit, Qt::Key_Return); edited(model.insert(at, "\r\n")); break;
            case 2: QTest::keyClick(&edit, Qt::Key_Backspace); edited(model.erase(previous, at - previous)); break;
            case 3: QTest::keyClick(&edit, Qt::Key_Delete); edited(model.erase(at, next - at)); break;
            case 4: {
                const int other = plainOffset(document, nearBreak());
                cursor.setPosition(documentPosition(document, other), QTextCursor::KeepAnchor);
                edit.setTextCursor(cursor);
                QTest::keyClicks(&edit, QStringLiteral("s"));
                const std::size_t from = byteAt(model, std::min(caret, other)), to = byteAt(model, std::max(caret, other));
                edited(model.replace(from, to - from, "s"));
                break;
            }
            case 5: {
                const std::string pasted = line(int(random() % 2 ? 3 : kPieceUnits + 9)) + "\r\n" + line(5);
                clipboard.setText(QString::fromStdString(withLf(pasted)));
                QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
                edited(model.insert(at, pasted));
                break;
            }
            case 6: // Ctrl+Z: some earlier state, exactly (none older than the line's)
                if (now == 0)
                    break;
                QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
                while (now > 0 && slot->text() != states[now])
                    --now;
                break;
            default: // Ctrl+Shift+Z: some later state, exactly
                QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
                while (now + 1 < states.size() && slot->text() != states[now])
                    ++now;
            }
            QApplication::processEvents();
            ASSERT_TRUE(slot->text() == states[now]) << "step " << step << ", line " << length;

            // A selection across breaks, copied out of the box and read by a screen reader.
            const int from = plainOffset(document, nearBreak()), to = plainOffset(document, nearBreak());
            if (from == to)
                continue;
            const std::size_t a = byteAt(states[now], std::min(from, to)), b = byteAt(states[now], std::max(from, to));
            const std::string selected = withLf(states[now].substr(a, b - a));
            cursor.setPosition(documentPosition(document, from));
            cursor.setPosition(documentPosition(document, to), QTextCursor::KeepAnchor);
            edit.setTextCursor(cursor);
            edit.copy();
            ASSERT_EQ(clipboard.text().toStdString(), selected) << "step " << step;
            ASSERT_EQ(reader->text(std::min(from, to), std::max(from, to)).toStdString(), selected);
        }
    }
}

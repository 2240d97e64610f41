// What the desktop hands the program: a file to open at start (the program
// itself is run for the rows that end it at once), and files or text dropped
// on its window.
#include "FakePlatform.h"
#include "FileFixture.h"
#include "Form1.h"
#include "RecordingQtPlatform.h"
#include "app/MainCommands.h"
#include "app/StartArguments.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace tavimor;
using namespace tavimor::test;

namespace {

struct StartAndDrop : FileStoreTest
{
    RecordingQtPlatform platform;
    FakeFileDialog dialog;
    Form1 form{platform, &dialog};
    std::string set, damaged, text;

    StartAndDrop()
    {
        const std::string sep = "***** Separator ****** zmtwcpe271958rgkb5vs3\r\n";
        set = path("set.tvm");
        put(set, "Tavimor file zmtwcpe271958rgkb5vs3\r\none\r\n" + sep + "two\r\n" + sep + sep + sep + sep + "six\r\n" + sep);
        damaged = path("cut.tvm");
        put(damaged, "Tavimor file zmtwcpe271958rgkb5vs3\r\none\r\n");
        text = path("notes.txt");
        put(text, "a note\nsecond line");
    }
    std::string shown() const
    {
        std::string all;
        for (int slot = 1; slot <= kSlotCount; ++slot)
            all += form.slotText(slot) + "|";
        return all;
    }
    void drop(QWidget* on, QMimeData* data)
    {
        // As the toolkit delivers a drop: entered, then dropped.
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(on, &enter);
        QDropEvent event(QPointF(2, 2), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(on, &event);
        QApplication::processEvents(); // the drop opens once it has ended
        delete data;
    }
    static QMimeData* files(const std::vector<std::string>& paths)
    {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const std::string& p : paths)
            urls << QUrl::fromLocalFile(QString::fromStdString(p));
        data->setUrls(urls);
        return data;
    }
};

const std::string kSixFromTheSet = "one|two||||six|";
const std::string kEmpty = "||||||";

} // namespace

TEST_F(StartAndDrop, ArgumentsAtStart)
{
    const std::string missing = path("gone.tvm");
    const struct
    {
        std::vector<std::string> arguments;
        const std::string& texts;
        std::string message; // its start; for the rows that end at once, what is printed
        int exitStatus;      // -1: the window opens
    } rows[] = {
        {{}, kEmpty, "", -1},
        {{set}, kSixFromTheSet, "", -1},
        {{"--", set}, kSixFromTheSet, "", -1},
        {{damaged}, kEmpty, "Error: ", -1},
        {{text}, kEmpty, "Invalid file format!", -1},
        {{missing}, kEmpty, "Error: \"" + missing + "\"", -1},
        {{set, set}, kEmpty, "Usage: tavimor [FILE]", 2},
        {{"--bogus"}, kEmpty, "Usage: tavimor [FILE]", 2},
        {{"--help"}, kEmpty, "Usage: tavimor [FILE]", 0},
    };
    for (const auto& row : rows) {
        const std::string name = row.arguments.empty() ? "(none)" : row.arguments.back();
        if (row.exitStatus >= 0) {
            QProcess tavimor;
            QStringList arguments;
            for (const std::string& argument : row.arguments)
                arguments << QString::fromStdString(argument);
            tavimor.start(QStringLiteral(TAVIMOR_PROGRAM), arguments);
            ASSERT_TRUE(tavimor.waitForFinished(20000)) << name;
            EXPECT_EQ(tavimor.exitCode(), row.exitStatus) << name;
            const QByteArray printed = row.exitStatus == 0 ? tavimor.readAllStandardOutput() : tavimor.readAllStandardError();
            EXPECT_TRUE(printed.contains(QByteArray::fromStdString(row.message))) << name << ": " << printed.data();
            continue;
        }
        // What the program does with the window up.
        platform.messages.clear();
        for (int slot = 1; slot <= kSlotCount; ++slot)
            form.setSlotText(slot, "");
        const StartArguments start = readStartArguments(row.arguments);
        ASSERT_FALSE(start.usage) << name;
        if (start.file)
            form.openAtStart(*start.file);
        EXPECT_EQ(shown(), row.texts) << name;
        if (row.message.empty())
            EXPECT_TRUE(platform.messages.empty()) << name;
        else
            EXPECT_TRUE(platform.messages.size() == 1 && platform.messages[0].rfind(row.message, 0) == 0)
                << name << ": " << (platform.messages.empty() ? "no message" : platform.messages[0]);
    }
}

TEST_F(StartAndDrop, FilesAndTextDroppedOnTheWindow)
{
    QPlainTextEdit* slot2 = form.slotEdit(2);
    QPushButton* button = form.findChild<QPushButton*>(QStringLiteral("cmdCopy4"));
    const auto plain = [] {
        auto* data = new QMimeData;
        data->setText(QStringLiteral("dropped "));
        return data;
    };
    const struct
    {
        const char* what;
        QWidget* on;
        QMimeData* data;
        std::string texts;
        const char* message;
    } rows[] = {
        {"a text file on slot 2", slot2->viewport(), files({text}), "kept|a note\nsecond line\r\n|kept|kept|kept|kept|", nullptr},
        {"a slot set on a slot", slot2->viewport(), files({set}), kSixFromTheSet, nullptr},
        {"a slot set on a button", button, files({set}), kSixFromTheSet, nullptr},
        {"a text file on a button", button, files({text}), "kept|kept|kept|kept|kept|kept|", kDropOnASlot},
        {"two files on a slot", slot2->viewport(), files({text, set}), "kept|kept|kept|kept|kept|kept|", kDropOneFile},
        {"a damaged set on a slot", slot2->viewport(), files({damaged}), "kept|kept|kept|kept|kept|kept|", "Error: "},
        {"text on slot 2", slot2->viewport(), plain(), "kept|dropped kept|kept|kept|kept|kept|", nullptr},
    };
    for (const auto& row : rows) {
        for (int slot = 1; slot <= kSlotCount; ++slot)
            form.setSlotText(slot, "kept");
        platform.messages.clear();
        drop(row.on, row.data);
        std::string expected = row.texts;
        for (std::size_t at; (at = expected.find('\n')) != std::string::npos && expected[at - 1] != '\r';)
            expected.replace(at, 1, "\r\n");
        EXPECT_EQ(shown(), expected) << row.what;
        if (row.message)
            EXPECT_TRUE(platform.messages.size() == 1 && platform.messages[0].rfind(row.message, 0) == 0)
                << row.what << ": " << (platform.messages.empty() ? "no message" : platform.messages[0]);
        else
            EXPECT_TRUE(platform.messages.empty()) << row.what << ": " << platform.messages.front();
    }
    // A file dropped on a slot is one step for Ctrl+Z.
    form.setSlotText(2, "before");
    drop(slot2->viewport(), files({text}));
    QTest::keyClick(slot2, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.slotText(2), "before");
}

// File Open, File > Open and File > Save end to end on real files, each beside
// its floor: the same bytes read or written alone, and the text set into the
// widgets alone. Run: build/bench/tavimor_bench (TAVIMOR_BENCH_QUICK=1: tiny sizes).
#include "FakePlatform.h"
#include "Form1.h"
#include "BenchMain.h"
#include "QtPlatform.h"
#include "slotset/SlotSetFormat.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>

using namespace tavimor;

namespace {

QTemporaryDir* workDir;

std::string linesOf(std::size_t bytes)
{
    std::string text;
    text.reserve(bytes + 82);
    const std::string line(78, 'x');
    for (int i = 0; text.size() < bytes; ++i) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string oneLine(std::size_t bytes)
{
    return std::string(bytes, 'y') + "\r\n";
}

std::string fileWith(const std::string& name, const std::string& bytes)
{
    const std::string path = workDir->filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

struct Window
{
    QtPlatform platform;
    test::FakeFileDialog dialog;
    Form1 form{platform, &dialog};
};

void fileOpen(benchmark::State& state, std::string (*make)(std::size_t))
{
    const std::string path = fileWith("open.txt", make(std::size_t(state.range(0))));
    Window w;
    auto* button = w.form.findChild<QPushButton*>("cmdFile1");
    for (auto _ : state) {
        w.dialog.answers = {path};
        button->click();
        QApplication::processEvents();
    }
    if (!w.platform.textFile().isOpen() && w.form.slotEdit(1)->document()->isEmpty())
        state.SkipWithError("nothing was loaded");
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void readBytes(benchmark::State& state, std::string (*make)(std::size_t))
{
    const std::string path = fileWith("read.txt", make(std::size_t(state.range(0))));
    for (auto _ : state) {
        QFile file(QString::fromStdString(path));
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void setPlainText(benchmark::State& state, std::string (*make)(std::size_t))
{
    const QString text = QString::fromStdString(make(std::size_t(state.range(0))));
    QPlainTextEdit edit;
    edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    for (auto _ : state) {
        edit.setPlainText(text);
        QApplication::processEvents();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Paste of a large text through the Paste button, from the host's clipboard,
// into an empty slot.
void paste(benchmark::State& state)
{
    Window w;
    QGuiApplication::clipboard()->setText(QString::fromStdString(linesOf(std::size_t(state.range(0)))));
    auto* button = w.form.findChild<QPushButton*>("Cmdpaste1");
    for (auto _ : state) {
        state.PauseTiming();
        w.form.setSlotText(1, "");
        QApplication::processEvents();
        state.ResumeTiming();
        button->click();
        QApplication::processEvents();
    }
    if (w.form.slotEdit(1)->document()->isEmpty())
        state.SkipWithError("nothing was pasted");
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

SlotTexts sixSlots(std::size_t each)
{
    SlotTexts texts;
    for (std::string& t : texts) {
        t = linesOf(each);
        t.resize(t.size() - 2); // as the widget gives it back: no line end of its own at the end
    }
    return texts;
}

void slotSetSave(benchmark::State& state)
{
    Window w;
    const SlotTexts texts = sixSlots(std::size_t(state.range(0)));
    for (int slot = 1; slot <= kSlotCount; ++slot)
        w.form.setSlotText(slot, texts[slot - 1]);
    const std::string path = workDir->filePath("save.tvm").toStdString();
    auto* save = w.form.findChild<QAction*>("MnuFileSave");
    for (auto _ : state) {
        w.dialog.answers = {path};
        save->trigger();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * kSlotCount);
}

// What File > Save does before its dialog appears: take the six texts from
// the slots and check them for separator lines.
void gatherSixSlots(benchmark::State& state)
{
    Window w;
    const SlotTexts texts = sixSlots(std::size_t(state.range(0)));
    for (int slot = 1; slot <= kSlotCount; ++slot)
        w.form.setSlotText(slot, texts[slot - 1]);
    for (auto _ : state) {
        SlotTexts storage;
        SlotTextViews gathered;
        for (int slot = 1; slot <= kSlotCount; ++slot)
            gathered[slot - 1] = w.form.slotTextView(slot, storage[slot - 1]);
        benchmark::DoNotOptimize(slotWithSeparatorLine(gathered));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * kSlotCount);
}

void slotSetOpen(benchmark::State& state)
{
    Window w;
    const SlotTexts texts = sixSlots(std::size_t(state.range(0)));
    test::MemoryFileStore memory;
    TextFile writer(memory);
    writer.OpenOutput("m");
    WriteSlotSet(writer, texts);
    writer.Close();
    const std::string path = fileWith("open.tvm", memory.files["m"]);
    auto* open = w.form.findChild<QAction*>("MnuFileOpen");
    for (auto _ : state) {
        w.dialog.answers = {path};
        open->trigger();
        QApplication::processEvents();
    }
    if (!w.platform.textFile().isOpen() && w.form.slotText(6) != texts[5])
        state.SkipWithError("the set did not come back");
    state.SetBytesProcessed(state.iterations() * state.range(0) * kSlotCount);
}

void writeBytes(benchmark::State& state)
{
    const std::string bytes = linesOf(std::size_t(state.range(0)) * kSlotCount);
    const QString path = workDir->filePath("write.bin");
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes.data(), qint64(bytes.size()));
        file.close();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * kSlotCount);
}

void readSixSlotBytes(benchmark::State& state)
{
    const std::string path = fileWith("read6.bin", linesOf(std::size_t(state.range(0)) * kSlotCount));
    for (auto _ : state) {
        QFile file(QString::fromStdString(path));
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * kSlotCount);
}

void setSixWidgets(benchmark::State& state)
{
    const QString text = QString::fromStdString(linesOf(std::size_t(state.range(0))));
    std::vector<std::unique_ptr<QPlainTextEdit>> edits;
    for (int i = 0; i < kSlotCount; ++i)
        edits.push_back(std::make_unique<QPlainTextEdit>());
    for (auto _ : state) {
        for (auto& edit : edits)
            edit->setPlainText(text);
        QApplication::processEvents();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * kSlotCount);
}

// One line of varied letters, so that nothing about it is cheaper than real text.
QString variedLine(std::size_t length)
{
    QString line(qsizetype(length), QLatin1Char(' '));
    for (std::size_t i = 0; i < length; ++i)
        line[qsizetype(i)] = QLatin1Char(char('a' + (i * 7) % 26));
    return line;
}

// The slot's text box as it was before the long-line display: never wrapped, shaped.
struct PlainSlot
{
    QPlainTextEdit edit;
    PlainSlot()
    {
        edit.setLineWrapMode(QPlainTextEdit::NoWrap);
        QFont font(QStringLiteral("Courier New"));
        font.setStyleHint(QFont::Monospace);
        font.setPointSizeF(9.75);
        edit.setFont(font);
        edit.resize(249, 161);
        edit.show();
    }
};

QPlainTextEdit& slotUnderTest(bool remedy, Window& w, PlainSlot& plain)
{
    if (!remedy)
        return plain.edit;
    w.form.show();
    return *w.form.slotEdit(1);
}

void setLongText(bool remedy, Window& w, QPlainTextEdit& edit, const QString& text)
{
    if (remedy)
        w.form.setSlotText(1, text.toStdString());
    else
        edit.setPlainText(text);
    QApplication::processEvents();
}

// Can the end of the text be scrolled to? Unwrapped, the scroll range must
// cover the last line's width: the toolkit's layout width overflows for lines
// of millions of characters, so the width is reckoned from the monospace font.
bool endReachable(QPlainTextEdit& edit)
{
    QApplication::processEvents();
    if (edit.lineWrapMode() != QPlainTextEdit::NoWrap)
        return edit.verticalScrollBar()->maximum() > 0;
    const qreal width = QFontMetricsF(edit.font()).horizontalAdvance(QLatin1Char('m'))
        * qreal(edit.document()->lastBlock().length());
    return width <= edit.horizontalScrollBar()->maximum() + edit.viewport()->width() + 20;
}

void longLineKeystroke(benchmark::State& state, bool remedy)
{
    Window w;
    PlainSlot plain;
    QPlainTextEdit& edit = slotUnderTest(remedy, w, plain);
    setLongText(remedy, w, edit, variedLine(std::size_t(state.range(0))));
    edit.setFocus();
    edit.moveCursor(QTextCursor::Start);
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(&edit, &press);
        QApplication::sendEvent(&edit, &release);
        QApplication::processEvents();
        edit.viewport()->repaint();
    }
}

void longLineLoad(benchmark::State& state, bool remedy)
{
    Window w;
    PlainSlot plain;
    QPlainTextEdit& edit = slotUnderTest(remedy, w, plain);
    const QString text = variedLine(std::size_t(state.range(0)));
    for (auto _ : state) {
        setLongText(remedy, w, edit, QString());
        setLongText(remedy, w, edit, text);
        edit.viewport()->repaint();
    }
    state.counters["endReachable"] = endReachable(edit) ? 1 : 0;
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

constexpr std::int64_t MB = 1000 * 1000;

void registerAll(bool quick)
{
    const std::vector<std::int64_t> lineSizes = quick ? std::vector<std::int64_t>{64 * 1000}
                                                      : std::vector<std::int64_t>{1 * MB, 10 * MB, 50 * MB, 100 * MB};
    const std::int64_t longLine = quick ? 64 * 1000 : 1 * MB;
    const std::int64_t slotSize = quick ? 64 * 1000 : 10 * MB;
    auto sized = [](benchmark::internal::Benchmark* b, const std::vector<std::int64_t>& sizes) {
        for (auto s : sizes)
            b->Arg(s);
        b->Unit(benchmark::kMillisecond)->UseRealTime();
    };
    sized(benchmark::RegisterBenchmark("FileOpen/lines", fileOpen, linesOf), lineSizes);
    sized(benchmark::RegisterBenchmark("FloorReadBytes/lines", readBytes, linesOf), lineSizes);
    sized(benchmark::RegisterBenchmark("FloorSetPlainText/lines", setPlainText, linesOf), lineSizes);
    sized(benchmark::RegisterBenchmark("Paste/lines", paste), {quick ? 64 * 1000 : 20 * MB});
    sized(benchmark::RegisterBenchmark("FileOpen/oneLine", fileOpen, oneLine), {longLine});
    sized(benchmark::RegisterBenchmark("FloorReadBytes/oneLine", readBytes, oneLine), {longLine});
    sized(benchmark::RegisterBenchmark("FloorSetPlainText/oneLine", setPlainText, oneLine), {longLine});
    sized(benchmark::RegisterBenchmark("SlotSetSave/sixSlots", slotSetSave), {slotSize});
    sized(benchmark::RegisterBenchmark("FloorWriteBytes/sixSlots", writeBytes), {slotSize});
    sized(benchmark::RegisterBenchmark("SaveGather/sixSlots", gatherSixSlots), {slotSize});
    sized(benchmark::RegisterBenchmark("SlotSetOpen/sixSlots", slotSetOpen), {slotSize});
    sized(benchmark::RegisterBenchmark("FloorReadBytes/sixSlots", readSixSlotBytes), {slotSize});
    sized(benchmark::RegisterBenchmark("FloorSetWidgets/sixSlots", setSixWidgets), {slotSize});
    // A single long line: before is the text box as it was, after is the slot as it is.
    const std::int64_t keystrokeLine = quick ? 64 * 1000 : 1 * MB;
    const std::int64_t loadLine = quick ? 64 * 1000 : 10 * MB;
    // After the remedy, a keystroke still costs more the longer the line: measured up to 10 MB.
    const std::vector<std::int64_t> keystrokeLines = quick ? std::vector<std::int64_t>{keystrokeLine}
                                                           : std::vector<std::int64_t>{1 * MB, 2 * MB, 10 * MB};
    for (const auto& [name, remedy] : {std::pair{"before", false}, std::pair{"after", true}}) {
        sized(benchmark::RegisterBenchmark((std::string("LongLineKeystroke/") + name).c_str(), longLineKeystroke, remedy),
              remedy ? keystrokeLines : std::vector<std::int64_t>{keystrokeLine});
        sized(benchmark::RegisterBenchmark((std::string("LongLineLoad/") + name).c_str(), longLineLoad, remedy),
              {loadLine});
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir dir;
    workDir = &dir;
    return bench::runBenchmarks(argc, argv, registerAll);
}

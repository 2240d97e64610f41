// Working inside a slot, as the user gets it: the real window on an X
// display, active, painted, the caret blinking. The CPU used while idle with
// the caret in a long line; a keystroke at the start, middle and end of a
// long line; Ctrl+End and Page Down; Ctrl+A over 40 MB of lines; rounds of
// Ctrl+Z and Ctrl+Shift+Z over a replacement of 40 MB, with the peak memory;
// File > Save of six 10 MB slots, unedited and edited, beside writing the
// same bytes. Run under X:
//   tests/with-xvfb env QT_QPA_PLATFORM=xcb build/bench/qt/tavimor_slot_bench
// (TAVIMOR_BENCH_QUICK=1: tiny sizes).
#include "BenchMain.h"
#include "FakePlatform.h"
#include "Form1.h"
#include "QtPlatform.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

using namespace tavimor;
using bench::memoryMiB;

namespace {

bool quick = false;
QTemporaryDir* workDir;
constexpr std::int64_t MB = 1000 * 1000;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// One line of varied letters (minified JSON or base64 pasted in).
std::string oneLine(std::int64_t bytes)
{
    std::string line(std::size_t(bytes), ' ');
    for (std::size_t i = 0; i < line.size(); ++i)
        line[i] = char('a' + (i * 7) % 26);
    return line;
}

std::string linesOf(std::int64_t bytes)
{
    std::string text;
    while (std::int64_t(text.size()) < bytes)
        text += std::string(78, 'x') + "\r\n";
    return text;
}

// The main window, shown and active, with slot 1's box holding the focus.
struct Window
{
    QtPlatform platform;
    test::FakeFileDialog dialog;
    Form1 form{platform, &dialog};
    QPlainTextEdit& edit = *form.slotEdit(1);

    explicit Window(const std::string& text)
    {
        form.show();
        form.activateWindow(); // no window manager does it under Xvfb
        if (!QTest::qWaitForWindowActive(&form))
            qWarning("the window did not become active: the caret does not blink");
        form.setSlotText(1, text);
        edit.setFocus();
        painted();
    }
    void painted()
    {
        QApplication::processEvents();
        edit.viewport()->repaint();
    }
    // The caret at a share (0 to 1) of the text, as a click would put it.
    void caretAt(double share)
    {
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(int(share * (edit.document()->characterCount() - 1)));
        edit.setTextCursor(cursor);
        painted();
    }
    // A key as the user presses it, until the box is painted again: seconds.
    double key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(&edit, key, modifiers);
        painted();
        return double(timer.nsecsElapsed()) / 1e9;
    }
};

// Idle, with the caret blinking in the middle of one long line.
void idle(benchmark::State& state)
{
    Window w(oneLine(state.range(0)));
    w.caretAt(0.5);
    for (auto _ : state) {
        const double cpu = cpuSeconds();
        QElapsedTimer timer;
        timer.start();
        QEventLoop loop;
        QTimer::singleShot(quick ? 300 : 10'000, &loop, &QEventLoop::quit);
        loop.exec();
        const double wall = double(timer.nsecsElapsed()) / 1e9;
        state.SetIterationTime(wall);
        state.counters["cpu_percent"] = 100 * (cpuSeconds() - cpu) / wall;
    }
}

// One keystroke at the start, the middle or the end of one long line.
void keystroke(benchmark::State& state)
{
    Window w(oneLine(state.range(0)));
    for (auto _ : state) {
        w.caretAt(double(state.range(1)) / 2);
        state.SetIterationTime(w.key(Qt::Key_X));
    }
}

// Ctrl+End or Page Down from the start of one long line.
void move(benchmark::State& state, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    Window w(oneLine(state.range(0)));
    for (auto _ : state) {
        w.caretAt(0);
        state.SetIterationTime(w.key(key, modifiers));
    }
}

void selectAll(benchmark::State& state)
{
    Window w(linesOf(state.range(0)));
    for (auto _ : state) {
        w.caretAt(0);
        state.SetIterationTime(w.key(Qt::Key_A, Qt::ControlModifier));
    }
}

// Paste of "hi" over 40 MB of lines, then five rounds of Ctrl+Z and
// Ctrl+Shift+Z in the slot: each step's time, and the peak memory.
void undoRedo(benchmark::State& state)
{
    for (auto _ : state) {
        Window w(linesOf(state.range(0)));
        QGuiApplication::clipboard()->setText(QStringLiteral("hi"));
        w.form.findChild<QPushButton*>(QStringLiteral("Cmdpaste1"))->click();
        w.edit.setFocus();
        w.painted();
        bench::resetPeak();
        double total = 0;
        for (int round = 1; round <= 5; ++round) {
            const double undo = w.key(Qt::Key_Z, Qt::ControlModifier);
            const double redo = w.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            state.counters["undo" + std::to_string(round) + "_ms"] = undo * 1000;
            state.counters["redo" + std::to_string(round) + "_ms"] = redo * 1000;
            state.counters["rss" + std::to_string(round) + "_MiB"] = memoryMiB("VmRSS:");
            total += undo + redo;
        }
        state.counters["peak_MiB"] = memoryMiB("VmHWM:");
        state.SetIterationTime(total);
    }
}

// File > Save of six slots, each unedited or edited once before each Save.
void save(benchmark::State& state, bool edited)
{
    Window w(linesOf(state.range(0)));
    for (int slot = 2; slot <= kSlotCount; ++slot)
        w.form.setSlotText(slot, linesOf(state.range(0)));
    const std::string path = workDir->filePath(QStringLiteral("save.tvm")).toStdString();
    auto* saveAction = w.form.findChild<QAction*>(QStringLiteral("MnuFileSave"));
    for (auto _ : state) {
        for (int slot = 1; edited && slot <= kSlotCount; ++slot) {
            QPlainTextEdit& edit = *w.form.slotEdit(slot);
            edit.moveCursor(QTextCursor::End);
            QTest::keyClick(&edit, Qt::Key_X);
        }
        w.dialog.answers = {path};
        QElapsedTimer timer;
        timer.start();
        saveAction->trigger();
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
}

// The floor of a safe Save: the same bytes written and synced.
void writeBytes(benchmark::State& state)
{
    const std::string bytes = linesOf(state.range(0) * kSlotCount);
    const std::string path = workDir->filePath(QStringLiteral("write.bin")).toStdString();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
        ::fsync(fd);
        ::close(fd);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
}

void registerAll(bool quickSizes)
{
    quick = quickSizes;
    const auto sizes = [](std::vector<std::int64_t> full) {
        return quick ? std::vector<std::int64_t>{64 * 1000} : full;
    };
    const auto timed = [](benchmark::internal::Benchmark* b, int iterations) {
        b->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(quick ? 1 : iterations);
    };
    for (const auto bytes : sizes({1 * MB, 6 * MB, 50 * MB}))
        timed(benchmark::RegisterBenchmark("Idle/oneLine", idle)->Arg(bytes), 1);
    for (const auto bytes : sizes({1 * MB, 10 * MB, 50 * MB})) {
        for (const auto& [where, half] : {std::pair{"start", 0}, std::pair{"middle", 1}, std::pair{"end", 2}})
            timed(benchmark::RegisterBenchmark((std::string("Keystroke/") + where).c_str(), keystroke)
                      ->Args({bytes, half}),
                  5);
        timed(benchmark::RegisterBenchmark("CtrlEnd/oneLine", move, Qt::Key_End, Qt::ControlModifier)->Arg(bytes), 5);
        timed(benchmark::RegisterBenchmark("PageDown/oneLine", move, Qt::Key_PageDown, Qt::NoModifier)->Arg(bytes), 5);
    }
    for (const auto bytes : sizes({40 * MB}))
        timed(benchmark::RegisterBenchmark("CtrlA/lines", selectAll)->Arg(bytes), 5);
    for (const auto bytes : sizes({40 * MB}))
        timed(benchmark::RegisterBenchmark("UndoRedoRounds/lines", undoRedo)->Arg(bytes), 1);
    for (const auto bytes : sizes({10 * MB})) {
        timed(benchmark::RegisterBenchmark("Save/sixSlots/unedited", save, false)->Arg(bytes), 5);
        timed(benchmark::RegisterBenchmark("Save/sixSlots/editedOnce", save, true)->Arg(bytes), 5);
        timed(benchmark::RegisterBenchmark("FloorWriteAndSync/sixSlots", writeBytes)->Arg(bytes), 5);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir dir;
    workDir = &dir;
    return bench::runBenchmarks(argc, argv, registerAll);
}

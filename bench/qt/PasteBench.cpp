// Paste from another X11 program that sends its text in 64 KiB parts (INCR):
// the program's own reader beside Qt's clipboard, for 100 MiB
// (TAVIMOR_BENCH_QUICK=1: 1 MiB). The owner is the tests' clipboard_owner,
// named by TAVIMOR_CLIPBOARD_OWNER; on an X display (run under tests/with-xvfb
// with QT_QPA_PLATFORM=xcb).
//   TAVIMOR_CLIPBOARD_OWNER=build/tests/qt/clipboard_owner build/bench/qt/tavimor_paste_bench
#include "BenchMain.h"
#include "QtPlatform.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>

#include <benchmark/benchmark.h>

using namespace tavimor;

namespace {

std::int64_t bytes = 100ll * 1024 * 1024;

template <typename Read>
void paste(benchmark::State& state, Read read)
{
    QProcess owner;
    owner.start(qEnvironmentVariable("TAVIMOR_CLIPBOARD_OWNER"),
                {"--lines", QString::number(bytes), "--chunk", QString::number(64 * 1024)});
    if (!owner.waitForReadyRead(10000)) {
        state.SkipWithError("no clipboard owner: set TAVIMOR_CLIPBOARD_OWNER");
        return;
    }
    QGuiApplication::processEvents(); // the new owner's announcement
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const std::size_t got = read();
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        if (got < std::size_t(bytes))
            state.SkipWithError("the text did not arrive whole");
    }
    owner.kill();
    owner.waitForFinished();
}

void registerAll(bool quick)
{
    if (quick)
        bytes = 1024 * 1024;
    benchmark::RegisterBenchmark("Paste/ownReader", paste<std::size_t (*)()>, [] {
        static QtPlatform platform;
        return platform.ClipboardGetText().size();
    })->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(quick ? 1 : 3);
    benchmark::RegisterBenchmark("Paste/QtClipboard", paste<std::size_t (*)()>, [] {
        return std::size_t(QGuiApplication::clipboard()->text().toUtf8().size());
    })->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(quick ? 1 : 3);
}

} // namespace

int main(int argc, char* argv[])
{
    return bench::runBenchmarks(argc, argv, registerAll);
}

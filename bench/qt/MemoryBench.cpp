// Memory of repeated replacements: ten Pastes of 30 MB into one slot, each
// through the Paste button, with the peak resident memory of the process
// (VmHWM) after one and after ten. The peak is reset before each benchmark,
// so each reports its own. Run: build/bench/qt/tavimor_memory_bench
// (TAVIMOR_BENCH_QUICK=1: 1 MB).
#include "FakePlatform.h"
#include "Form1.h"
#include "BenchMain.h"

#include <QApplication>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <fstream>

using namespace tavimor;
using bench::memoryMiB;
using bench::resetPeak;

namespace {


std::string linesOf(std::size_t bytes, char fill)
{
    std::string text;
    text.reserve(bytes + 82);
    const std::string line(78, fill);
    while (text.size() < bytes) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void repeatedPaste(benchmark::State& state)
{
    const auto bytes = std::size_t(state.range(0));
    const int pastes = int(state.range(1));
    for (auto _ : state) {
        test::FakePlatform platform;
        test::FakeFileDialog dialog;
        Form1 form(platform, &dialog);
        auto* paste = form.findChild<QPushButton*>("Cmdpaste1");
        QApplication::processEvents();
        const double start = memoryMiB("VmRSS:");
        resetPeak();
        for (int i = 0; i < pastes; ++i) {
            platform.clipboard = linesOf(bytes, char('a' + i % 26)); // a new text every time
            paste->click();
            platform.clipboard.reset();
            QApplication::processEvents();
        }
        state.counters["start_MiB"] = start;
        state.counters["peak_MiB"] = memoryMiB("VmHWM:");
        state.counters["end_MiB"] = memoryMiB("VmRSS:");
    }
}

} // namespace

int main(int argc, char* argv[])
{
    return bench::runBenchmarks(argc, argv, [](bool quick) {
        benchmark::RegisterBenchmark("RepeatedPaste/oneSlot", repeatedPaste)
            ->Args({quick ? 1'000'000 : 30'000'000, 1})
            ->Args({quick ? 1'000'000 : 30'000'000, 10})
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    });
}

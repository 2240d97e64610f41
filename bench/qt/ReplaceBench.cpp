// Replacing a slot's text: a large slot, and a slot holding one long line,
// replaced by Paste of a short text, each beside its floor, the load of the
// text that is replaced. Run: build/bench/qt/tavimor_replace_bench
// (TAVIMOR_BENCH_QUICK=1: tiny sizes).
#include "Form1.h"
#include "BenchMain.h"
#include "QtPlatform.h"
#include "FakePlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

using namespace tavimor;

namespace {

std::string linesOf(std::size_t bytes)
{
    std::string text;
    text.reserve(bytes + 82);
    const std::string line(78, 'x');
    while (text.size() < bytes) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// One line of varied letters (minified JSON or base64 pasted in).
std::string oneLine(std::size_t bytes)
{
    std::string line(bytes, ' ');
    for (std::size_t i = 0; i < bytes; ++i)
        line[i] = char('a' + (i * 7) % 26);
    return line;
}

struct Window
{
    QtPlatform platform;
    test::FakeFileDialog dialog;
    Form1 form{platform, &dialog};
    Window()
    {
        form.show();
        QApplication::processEvents();
    }
};

// The floor: the text that will be replaced, loaded into an empty slot.
void load(benchmark::State& state, std::string (*make)(std::size_t))
{
    const std::string text = make(std::size_t(state.range(0)));
    Window w;
    for (auto _ : state) {
        state.PauseTiming();
        w.form.setSlotText(1, "");
        QApplication::processEvents();
        state.ResumeTiming();
        w.form.setSlotText(1, text);
        QApplication::processEvents();
        w.form.slotEdit(1)->viewport()->repaint();
    }
}

// Paste of "hi" over the slot holding that text.
void pasteShortOver(benchmark::State& state, std::string (*make)(std::size_t))
{
    const std::string text = make(std::size_t(state.range(0)));
    Window w;
    QGuiApplication::clipboard()->setText(QStringLiteral("hi"));
    auto* paste = w.form.findChild<QPushButton*>("Cmdpaste1");
    for (auto _ : state) {
        state.PauseTiming();
        w.form.setSlotText(1, text);
        QApplication::processEvents();
        w.form.slotEdit(1)->viewport()->repaint();
        state.ResumeTiming();
        paste->click();
        QApplication::processEvents();
        w.form.slotEdit(1)->viewport()->repaint();
    }
    if (w.form.slotText(1) != "hi")
        state.SkipWithError("the short text did not arrive");
}

} // namespace

int main(int argc, char* argv[])
{
    return bench::runBenchmarks(argc, argv, [](bool quick) {
        const std::int64_t large = quick ? 200'000 : 40'000'000;
        const std::int64_t longLine = quick ? 200'000 : 6'000'000;
        // A few iterations each: every one first loads the large text, untimed.
        const auto timed = [quick](benchmark::internal::Benchmark* b, std::int64_t size) {
            b->Arg(size)->Iterations(quick ? 1 : 3)->Unit(benchmark::kMillisecond)->UseRealTime();
        };
        timed(benchmark::RegisterBenchmark("PasteShortOver/lines", pasteShortOver, linesOf), large);
        timed(benchmark::RegisterBenchmark("FloorLoad/lines", load, linesOf), large);
        timed(benchmark::RegisterBenchmark("PasteShortOver/oneLine", pasteShortOver, oneLine), longLine);
        timed(benchmark::RegisterBenchmark("FloorLoad/oneLine", load, oneLine), longLine);
    });
}

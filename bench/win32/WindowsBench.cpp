// Benchmarks of the Win32 front end, run under Wine (bench/win32/run): File
// Open of 10 MB of lines into a slot against setting the same text into the
// same text box alone, and the text box chosen by measurement (the multi-line
// EDIT control against RichEdit). Prints the median of several runs. With the
// argument "memory": the memory that ten Pastes of 30 MB into one slot hold.
#include "FakePlatform.h"
#include "MainWindow.h"
#include "WideText.h"
#include "Win32Platform.h"

#include <psapi.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <vector>

using namespace tavimor;
using namespace tavimor::win32;

namespace {

double seconds()
{
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

// The median time of `runs` runs of `step`, each after `reset`.
double median(int runs, const std::function<void()>& reset, const std::function<void()>& step)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        reset();
        const double start = seconds();
        step();
        times.push_back(seconds() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void replaceAll(HWND edit, const std::wstring& text)
{
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void report(const char* what, double value)
{
    std::printf("%-58s %9.1f ms\n", what, value * 1000);
}

double mebibytes(SIZE_T bytes)
{
    return double(bytes) / (1024.0 * 1024.0);
}

// Ten Pastes of 30 MB of lines into one slot through its Paste button, and the
// memory of the process before, at its peak and after. Run in a process of
// its own, so that the peak is this step's.
int repeatedPaste(bool quick)
{
    const std::size_t bytes = quick ? 1000 * 1000 : 30 * 1000 * 1000;
    test::FakePlatform platform;
    test::FakeFileDialog dialog;
    MainWindow window(platform, &dialog, false);
    window.show(SW_SHOW);
    PROCESS_MEMORY_COUNTERS before{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &before, sizeof before);
    const double start = seconds();
    for (int i = 0; i < 10; ++i) {
        std::string lines;
        while (lines.size() < bytes)
            lines += std::string(78, char('a' + i)) + "\r\n"; // a new text every time
        platform.clipboard = std::move(lines);
        ::SendMessageW(window.control("Cmdpaste1"), BM_CLICK, 0, 0);
        platform.clipboard.reset();
    }
    const double took = seconds() - start;
    PROCESS_MEMORY_COUNTERS after{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &after, sizeof after);
    std::printf("ten Pastes of %zu bytes of lines into one slot: %.1f s\n", bytes, took);
    std::printf("%-58s %9.1f MiB\n", "working set before", mebibytes(before.WorkingSetSize));
    std::printf("%-58s %9.1f MiB\n", "peak working set", mebibytes(after.PeakWorkingSetSize));
    std::printf("%-58s %9.1f MiB\n", "working set after", mebibytes(after.WorkingSetSize));
    return 0;
}

std::string linesOf(std::size_t bytes)
{
    std::string lines;
    while (lines.size() < bytes)
        lines += std::string(78, 'x') + "\r\n";
    return lines;
}

// Windows broadcasts WM_SETTINGCHANGE for the environment, policies, the
// theme: answered with 3 MB in a slot, beside the same with empty slots.
// And a large slot, or one long line, replaced by Paste of a short text,
// beside loading that text (File Open of it).
int replacements(bool quick)
{
    const int runs = quick ? 1 : 5;
    test::FakePlatform platform;
    test::FakeFileDialog dialog;
    MainWindow window(platform, &dialog, false);
    window.show(SW_SHOW);
    const auto broadcast = [&] {
        ::SendMessageW(window.hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
    };
    const double empty = median(runs, [] {}, broadcast);
    window.setSlotText(1, linesOf(quick ? 64 * 1000 : 3 * 1000 * 1000));
    const double full = median(runs, [] {}, broadcast);
    report("WM_SETTINGCHANGE (\"Environment\"), 3 MB in a slot", full);
    report("floor: the same with empty slots", empty);

    const HWND paste = window.control("Cmdpaste1");
    const std::pair<const char*, std::string> texts[] = {
        {"40 MB of lines", linesOf(quick ? 200 * 1000 : 40 * 1000 * 1000)},
        {"one 6 MB line", std::string(quick ? 200 * 1000 : 6 * 1000 * 1000, 'y')}};
    // Each step is painted before it ends, as the window would be before the next command.
    for (const auto& [what, text] : texts) {
        const auto clear = [&] {
            window.setSlotText(1, "");
            ::UpdateWindow(window.control("Text1"));
        };
        const auto load = [&] {
            window.setSlotText(1, text);
            ::UpdateWindow(window.control("Text1"));
        };
        const double loading = median(quick ? 1 : 3, clear, load);
        platform.clipboard = "hi";
        const double replacing = median(quick ? 1 : 3, load, [&] {
            ::SendMessageW(paste, BM_CLICK, 0, 0);
            ::UpdateWindow(window.control("Text1"));
        });
        std::printf("%-58s %9.1f ms\n", (std::string("Paste of \"hi\" over ") + what).c_str(), replacing * 1000);
        std::printf("%-58s %9.1f ms\n", (std::string("floor: loading ") + what).c_str(), loading * 1000);
    }
    return 0;
}

// A keystroke at the end of one long line, painted: in a slot, beside the
// same in an EDIT of the slot's styles alone (the floor). (An EDIT that wraps
// its lines takes a keystroke in a fifth of the time, but under Wine took
// 56 s to take in a line of 64 KB: no display for long lines.)
int keystrokes(bool quick)
{
    const int runs = quick ? 1 : 5;
    test::FakePlatform platform;
    test::FakeFileDialog dialog;
    MainWindow window(platform, &dialog, false);
    window.show(SW_SHOW);
    const HWND slot = window.control("Text1");
    const auto bare = [&](DWORD style) {
        return ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | style,
                                 0, 0, 249, 161, window.hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    };
    const HWND alone = bare(WS_HSCROLL | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN);
    ::SendMessageW(alone, EM_SETLIMITTEXT, 0, 0);
    const char* size = std::getenv("TAVIMOR_BENCH_BYTES"); // to look at other sizes by hand
    for (const std::size_t bytes : {size ? std::strtoull(size, nullptr, 10) : quick ? 64 * 1000 : 1000 * 1000}) {
        std::string line(bytes, ' ');
        for (std::size_t i = 0; i < bytes; ++i)
            line[i] = char('a' + (i * 7) % 26);
        double start = seconds();
        window.setSlotText(1, line);
        report(("loading the line into a slot (" + std::to_string(bytes) + " bytes)").c_str(), seconds() - start);
        start = seconds();
        replaceAll(alone, wide(line));
        ::UpdateWindow(alone);
        report("loading it into an EDIT alone", seconds() - start);
        const std::pair<const char*, HWND> boxes[] = {{"a slot", slot}, {"floor: EDIT alone", alone}};
        for (const auto& [what, edit] : boxes) {
            const double key = median(
                runs,
                [edit = edit] {
                    ::SendMessageW(edit, EM_SETSEL, WPARAM(-1), LPARAM(-1)); // the caret at the end
                    ::SendMessageW(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
                    ::UpdateWindow(edit);
                },
                [edit = edit] {
                    ::SendMessageW(edit, WM_CHAR, 'x', 1);
                    ::UpdateWindow(edit);
                });
            std::printf("%-58s %9.1f ms\n",
                        ("keystroke at the end of a " + std::to_string(bytes) + "-byte line, " + what).c_str(),
                        key * 1000);
        }
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const bool quick = std::getenv("TAVIMOR_BENCH_QUICK") != nullptr;
    if (argc > 1 && std::wstring(argv[1]) == L"memory")
        return repeatedPaste(quick);
    if (argc > 1 && std::wstring(argv[1]) == L"replace")
        return replacements(quick);
    if (argc > 1 && std::wstring(argv[1]) == L"keys")
        return keystrokes(quick);
    const char* size = std::getenv("TAVIMOR_BENCH_BYTES"); // to look at other sizes by hand
    const std::size_t bytes = size ? std::strtoull(size, nullptr, 10) : quick ? 64 * 1000 : 10 * 1000 * 1000;
    const int runs = quick ? 1 : 5;

    std::string lines;
    while (lines.size() < bytes)
        lines += std::string(78, 'x') + "\r\n";
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    const std::string path = narrow(folder) + "tavimor-bench-lines.txt";
    std::ofstream(wide(path).c_str(), std::ios::binary) << lines;
    const std::wstring text = wide(lines);

    Win32Platform platform;
    test::FakeFileDialog dialog;
    MainWindow window(platform, &dialog, false);
    window.show(SW_SHOW);
    const HWND edit = window.control("Text1");
    const HWND fileOpen = window.control("cmdFile1");
    const auto clear = [&] { window.setSlotText(1, ""); };

    std::printf("%zu bytes of 80-character lines, median of %d runs\n", lines.size(), runs);
    const double tavimor = median(runs, clear, [&] {
        dialog.answers = {path};
        ::SendMessageW(fileOpen, BM_CLICK, 0, 0);
    });
    if (window.slotText(1) != lines)
        std::printf("error: the slot does not hold the file's text\n");
    const double floor = median(runs, clear, [&] { replaceAll(edit, text); });
    const double setText = median(runs, clear, [&] { ::SetWindowTextW(edit, text.c_str()); });
    platform.ClipboardClear();
    platform.ClipboardSetText(lines);
    const double paste = median(runs, clear, [&] { ::SendMessageW(window.control("Cmdpaste1"), BM_CLICK, 0, 0); });
    report("File Open into a slot (Tavimor)", tavimor);
    report("Paste of the same text into a slot (Tavimor)", paste);
    report("floor: the same text into the same EDIT (EM_REPLACESEL)", floor);
    report("for comparison: WM_SETTEXT into the same EDIT (no undo)", setText);
    std::printf("%-58s %9.2f\n", "Tavimor / floor", tavimor / floor);

    // The other candidate for the slots: RichEdit, unwrapped, without a limit.
    // A fresh one for each run: emptying a large RichEdit costs more than filling it.
    ::LoadLibraryW(L"Msftedit.dll");
    HWND rich = nullptr;
    const auto freshRichEdit = [&] {
        if (rich)
            ::DestroyWindow(rich);
        rich = ::CreateWindowExW(WS_EX_CLIENTEDGE, MSFTEDIT_CLASS, L"",
                                 WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL
                                     | ES_AUTOVSCROLL | ES_WANTRETURN,
                                 0, 0, 249, 161, window.hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(rich, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
        ::SendMessageW(rich, EM_SETTARGETDEVICE, 0, 1); // no wrapping
    };
    const double richEdit = median(runs, freshRichEdit, [&] { replaceAll(rich, text); });
    report("RichEdit 5: the same text (EM_REPLACESEL)", richEdit);
    ::DeleteFileW(wide(path).c_str());
    return 0;
}

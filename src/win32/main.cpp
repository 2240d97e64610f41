#include "FileErrors.h"
#include "MainWindow.h"
#include "MessageLoop.h"
#include "ProcessHygiene.h"
#include "WideText.h"
#include "Win32Platform.h"
#include "app/StartArguments.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

// The arguments after the program's name, as UTF-8. The shell's library,
// which splits them, is loaded only when there are any.
std::vector<std::string> startArguments(const wchar_t* afterName)
{
    std::vector<std::string> arguments;
    if (std::wstring_view(afterName).find_first_not_of(L" \t") == std::wstring_view::npos)
        return arguments;
    int count = 0;
    wchar_t** all = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    for (int i = 1; all && i < count; ++i)
        arguments.push_back(tavimor::win32::narrow(all[i]));
    ::LocalFree(all);
    return arguments;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int showCommand)
{
    // Before anything can load a library: the libraries that the program
    // loads later (the file dialogs', COM's, accessibility's) come from the
    // system folder only, never from beside the program or the current folder.
    tavimor::win32::limitLibrarySearch();
    tavimor::win32::leaveTheStartFolder();
    const tavimor::win32::Handle running(tavimor::win32::holdRunningMark());
    // Per-monitor DPI awareness is declared in the manifest; asking here too
    // covers a start without it. A host that refuses (Wine does) is no failure.
    ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const tavimor::StartArguments start = tavimor::readStartArguments(startArguments(commandLine));
    if (start.usage || start.help) {
        ::MessageBoxW(nullptr, tavimor::win32::wide(tavimor::kUsage).c_str(), L"Tavimor",
                      MB_OK | (start.usage ? MB_ICONWARNING : MB_ICONINFORMATION));
        return start.usage ? 2 : 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    tavimor::win32::Win32Platform platform;
    tavimor::win32::MainWindow window(platform);
    window.show(showCommand);
    if (start.file) // over the window, once it is there
        window.openAtStart(*start.file);
    return tavimor::win32::runMessageLoop();
}

#include "FileErrors.h"
#include "MainWindow.h"
#include "MessageLoop.h"
#include "ProcessHygiene.h"
#include "Win32Platform.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
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
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    tavimor::win32::Win32Platform platform;
    tavimor::win32::MainWindow window(platform);
    window.show(showCommand);
    return tavimor::win32::runMessageLoop();
}

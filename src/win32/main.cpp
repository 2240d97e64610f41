#include "MainWindow.h"
#include "MessageLoop.h"
#include "Win32Platform.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
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

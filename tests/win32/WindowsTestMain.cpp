#include "WindowsApi.h"

#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

// The tests run in the setting the program makes for itself at its start:
// per-monitor DPI awareness, the common controls, and COM for the file dialogs
// and accessibility objects.
int main(int argc, char* argv[])
{
    ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

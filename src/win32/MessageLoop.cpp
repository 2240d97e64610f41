#include "MessageLoop.h"

#include "WindowsApi.h"

namespace tavimor::win32 {

int runMessageLoop()
{
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        const HWND window = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (window && ::IsDialogMessageW(window, &message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return int(message.wParam);
}

} // namespace tavimor::win32

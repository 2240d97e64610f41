// A helper of the end-to-end test, run in the same Wine prefix as the program:
//   wine_probe message        prints the text of the open "Tavimor" message box
//                             and closes it with OK (exit 1 when there is none);
//   wine_probe hold FILE MS   holds the file open for MS milliseconds as another
//                             program may, without letting it be deleted or
//                             renamed, and says "held" once it holds it;
//   wine_probe                stands in for the system information tool: it
//                             leaves the file "started" beside itself.
// (Wine 8 does not copy a message box's text on Ctrl+C.)
#include "WideText.h"
#include "WindowsApi.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr int kMessageTextId = 0xFFFF; // the static text of a message box

HWND findMessageBox()
{
    for (int tries = 0; tries < 100; ++tries) {
        // A message box is a dialog (#32770) captioned with the program's title.
        if (const HWND box = ::FindWindowW(L"#32770", L"Tavimor"))
            return box;
        ::Sleep(50);
    }
    return nullptr;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc > 1 && std::wstring(argv[1]) == L"message") {
        const HWND box = findMessageBox();
        if (!box)
            return 1;
        wchar_t text[4096] = {};
        ::GetDlgItemTextW(box, kMessageTextId, text, 4096);
        std::fputs(tavimor::win32::narrow(text).c_str(), stdout);
        std::fputs("\n", stdout);
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        return 0;
    }
    if (argc > 3 && std::wstring(argv[1]) == L"hold") {
        const HANDLE file = ::CreateFileW(argv[2], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return 1;
        std::fputs("held\n", stdout);
        std::fflush(stdout);
        ::Sleep(DWORD(std::wcstoul(argv[3], nullptr, 10)));
        ::CloseHandle(file);
        return 0;
    }
    std::wstring marker(argv[0]);
    marker = marker.substr(0, marker.find_last_of(L"\\/") + 1) + L"started";
    const HANDLE file = ::CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(file);
    return 0;
}

// A library that an attacker might plant beside a downloaded tavimor.exe,
// named after one that the program loads late (the end-to-end test copies it
// as comdlg32.dll). Loaded, it leaves the file "planted-loaded" beside itself.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH];
        const DWORD length = ::GetModuleFileNameW(self, path, MAX_PATH);
        std::wstring marker(path, length);
        marker = marker.substr(0, marker.find_last_of(L'\\') + 1) + L"planted-loaded";
        ::CloseHandle(::CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    return TRUE;
}

#pragma once

#include "WindowsApi.h"

namespace tavimor::win32 {

// Libraries are loaded from the system folder only: a DLL planted beside a
// copy of tavimor.exe in Downloads, or in the current folder, is never loaded.
void limitLibrarySearch();

// The current folder becomes the system folder, so that the program holds no
// folder of the user's open (the one it was started from, a USB stick's)
// against renaming, deleting or ejecting it.
void leaveTheStartFolder();

// Keeps the current folder as it was over a step that may change it (a file
// dialog moves it into the folder the user picked).
class KeepCurrentFolder
{
public:
    KeepCurrentFolder();
    ~KeepCurrentFolder();
    KeepCurrentFolder(const KeepCurrentFolder&) = delete;
    KeepCurrentFolder& operator=(const KeepCurrentFolder&) = delete;

private:
    wchar_t m_folder[MAX_PATH + 1] = {};
};

// The name of the mark that the program holds while it runs, so that its
// installer and uninstaller wait (they cannot replace a file in use; the
// installer's script, cmake/NSIS.template.in, names it too).
inline constexpr const wchar_t* kRunningMutex = L"Global\\TavimorRunning";

// Makes the mark, or opens it where another instance made it, asking only to
// wait on it (SYNCHRONIZE). It is made so that every user may do that: an
// instance of another account, or one that is not elevated, holds the mark
// too, where asking for all access to a mark made by another would be refused.
// Returns the handle, or nothing where no mark can be had.
using CreateMutexExCall = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LPCWSTR, DWORD, DWORD);
HANDLE holdRunningMark(CreateMutexExCall create = ::CreateMutexExW);
// Everyone may wait on the mark; no one needs more. The label lets processes
// of low integrity wait on it too.
inline constexpr const wchar_t* kRunningMarkSecurity = L"D:(A;;0x00100000;;;WD)S:(ML;;NW;;;LW)";

} // namespace tavimor::win32

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

} // namespace tavimor::win32

#pragma once

#include "WindowsApi.h"
#include "platform/FileDialog.h"

#include <commdlg.h>

namespace tavimor::win32 {

// The dialog functions of the system, or a test's stand-ins.
struct DialogCalls
{
    BOOL(WINAPI* open)(OPENFILENAMEW*);
    BOOL(WINAPI* save)(OPENFILENAMEW*);
};
DialogCalls systemDialogCalls();

// The Windows Open and Save As dialogs behind the FileDialog properties.
class Win32FileDialog : public FileDialog
{
public:
    explicit Win32FileDialog(HWND owner, DialogCalls calls = systemDialogCalls())
        : m_owner(owner)
        , m_calls(calls)
    {
    }

    void ShowOpen() override;
    void ShowSave() override;

private:
    void show(bool save);
    void repaintOwner() const;
    HWND m_owner;
    DialogCalls m_calls;
    // Where the next dialog opens: the folder of the file chosen last in this
    // run, or else the user's Documents. Without one, Windows opens the
    // current folder if it holds files of the filter's type: the program
    // keeps the system folder current, which holds .txt files.
    std::wstring m_folder;
};

// The user's Documents folder; empty where the system names none.
std::wstring documentsFolder();

// "Text files (*.txt)|*.txt" -> "Text files (*.txt)\0*.txt\0\0", as the dialogs take it.
std::wstring win32Filter(const std::string& filter);

} // namespace tavimor::win32

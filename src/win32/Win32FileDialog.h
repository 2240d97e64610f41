#pragma once

#include "WindowsApi.h"
#include "platform/FileDialog.h"

namespace tavimor::win32 {

// The Windows Open and Save As dialogs behind the FileDialog properties.
class Win32FileDialog : public FileDialog
{
public:
    explicit Win32FileDialog(HWND owner)
        : m_owner(owner)
    {
    }

    void ShowOpen() override;
    void ShowSave() override;

private:
    void show(bool save);
    HWND m_owner;
};

// "Text files (*.txt)|*.txt" -> "Text files (*.txt)\0*.txt\0\0", as the dialogs take it.
std::wstring win32Filter(const std::string& filter);

} // namespace tavimor::win32

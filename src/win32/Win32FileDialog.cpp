#include "Win32FileDialog.h"

#include "Com.h"
#include "ProcessHygiene.h"
#include "WideText.h"
#include "platform/PlatformError.h"

#include <commdlg.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <vector>

namespace tavimor::win32 {

std::wstring win32Filter(const std::string& filter)
{
    std::wstring result = wide(filter);
    for (wchar_t& c : result)
        if (c == L'|')
            c = L'\0';
    result.push_back(L'\0');
    result.push_back(L'\0');
    return result;
}

DialogCalls systemDialogCalls()
{
    return {::GetOpenFileNameW, ::GetSaveFileNameW};
}

std::wstring documentsFolder()
{
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr, &path)))
        folder = path;
    ::CoTaskMemFree(path);
    return folder;
}

// The closed dialog's place is painted at once, before the command goes on
// to read or write a file, which may take long on a large one.
void Win32FileDialog::repaintOwner() const
{
    MSG paint;
    for (int i = 0; i < 100 && ::PeekMessageW(&paint, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        ::DispatchMessageW(&paint);
    ::RedrawWindow(m_owner, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Win32FileDialog::ShowOpen()
{
    show(false);
}

void Win32FileDialog::ShowSave()
{
    show(true);
}

void Win32FileDialog::show(bool save)
{
    ensureCom(); // the dialogs are built on the shell's COM objects
    const std::wstring filter = win32Filter(Filter);
    std::vector<wchar_t> name(32768, L'\0'); // room for the longest path Windows allows
    const std::wstring initial = wide(FileName);
    initial.copy(name.data(), std::min(initial.size(), name.size() - 1));

    if (m_folder.empty())
        m_folder = documentsFolder();
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_owner;
    // Documents at first: as the same folder that was given the first time
    // ever, Windows takes it for the folder the user chose last, which it
    // remembers; later in the run, the folder of the file chosen last.
    dialog.lpstrInitialDir = m_folder.empty() ? nullptr : m_folder.c_str();
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = DWORD(name.size());
    // The caller's flags (hide the read-only box) and no others that it would
    // notice: a missing file is not refused, and replacing one asks nothing.
    // The dialog keeps the working folder as it was and adds nothing to the
    // user's recent files: Tavimor writes only the files the user saves.
    dialog.Flags = DWORD(Flags) | OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    BOOL chosen = FALSE;
    {
        // The Open dialog makes the chosen file's folder the current one
        // (OFN_NOCHANGEDIR works for Save As only): that folder would stay
        // held, and could not be renamed or ejected, while the program runs.
        const KeepCurrentFolder keep;
        chosen = save ? m_calls.save(&dialog) : m_calls.open(&dialog);
    }
    if (chosen) {
        FileName = narrow(name.data());
        const std::wstring chosenName = name.data();
        if (const std::size_t slash = chosenName.find_last_of(L'\\'); slash != std::wstring::npos)
            m_folder = chosenName.substr(0, slash);
        repaintOwner();
        return;
    }
    // Cancelled: FileName stays as it was. Anything else is a failure.
    if (const DWORD error = ::CommDlgExtendedError())
        throw PlatformError("the file dialog failed (error " + std::to_string(error) + ")");
}

} // namespace tavimor::win32

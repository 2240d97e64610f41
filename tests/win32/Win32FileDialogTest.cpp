// The Windows file dialogs as the program asks for them: long names come back
// whole, and the current folder is the program's own again afterwards (the
// real Open dialog moves it into the chosen folder; Wine's does not, so a
// stand-in does here what Windows does).
#include "UnixSide.h"
#include "Win32FileDialog.h"

#include <gtest/gtest.h>

using namespace tavimor;
using namespace tavimor::win32;

namespace {

std::wstring g_chosen;

BOOL WINAPI chooseAndMoveIntoItsFolder(OPENFILENAMEW* dialog)
{
    EXPECT_GE(dialog->nMaxFile, 32767u) << "room for the longest path Windows allows";
    EXPECT_TRUE(dialog->Flags & OFN_NOCHANGEDIR);
    g_chosen.copy(dialog->lpstrFile, g_chosen.size());
    dialog->lpstrFile[g_chosen.size()] = L'\0';
    ::SetCurrentDirectoryW(L"C:\\windows\\temp");
    return TRUE;
}

std::wstring currentFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryW(MAX_PATH + 1, folder);
    return folder;
}

} // namespace

TEST(Win32FileDialog, ReturnsLongNamesWholeAndLeavesTheCurrentFolderAlone)
{
    const std::wstring before = currentFolder();
    g_chosen = L"\\\\?\\C:\\" + std::wstring(300, L'x') + L"\\" + std::wstring(200, L'y') + L".tvm";
    Win32FileDialog dialog(nullptr, {chooseAndMoveIntoItsFolder, chooseAndMoveIntoItsFolder});
    for (const bool save : {false, true}) {
        dialog.FileName.clear();
        save ? dialog.ShowSave() : dialog.ShowOpen();
        EXPECT_EQ(wide(dialog.FileName), g_chosen);
        EXPECT_EQ(currentFolder(), before) << (save ? "Save As" : "Open");
    }
}

// The Windows file dialogs as the program asks for them: long names come back
// whole, and the current folder is the program's own again afterwards (the
// real Open dialog moves it into the chosen folder; Wine's does not, so a
// stand-in does here what Windows does).
#include "UnixSide.h"
#include "Win32FileDialog.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tavimor;
using namespace tavimor::win32;

namespace {

std::wstring g_chosen;
std::vector<std::wstring> g_openedIn;

BOOL WINAPI chooseAndMoveIntoItsFolder(OPENFILENAMEW* dialog)
{
    g_openedIn.push_back(dialog->lpstrInitialDir ? dialog->lpstrInitialDir : L"<none>");
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

// The first dialog of a run opens in Documents, never where the program keeps
// the current folder (the system folder, which holds .txt files); the next in
// the folder of the file chosen last.
TEST(Win32FileDialog, OpensInDocumentsAndThenWhereTheLastFileWas)
{
    g_openedIn.clear();
    g_chosen = L"C:\\users\\tavimor\\notes\\a.txt";
    Win32FileDialog dialog(nullptr, {chooseAndMoveIntoItsFolder, chooseAndMoveIntoItsFolder});
    dialog.ShowOpen();
    dialog.ShowSave();
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    ASSERT_EQ(g_openedIn.size(), 2u);
    EXPECT_EQ(g_openedIn[0], documentsFolder());
    EXPECT_FALSE(documentsFolder().empty());
    EXPECT_NE(g_openedIn[0], std::wstring(system));
    EXPECT_EQ(g_openedIn[1], L"C:\\users\\tavimor\\notes");
}

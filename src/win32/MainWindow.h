#pragma once

#include "DescribedControls.h"
#include "Window.h"
#include "app/MainCommands.h"
#include "app/SlotAccess.h"

#include <memory>
#include <string_view>
#include <vector>

namespace tavimor::win32 {

class Win32FileDialog;

// The main window Form1, built from its description: six slots, each a text
// box with its File Open, Paste and Copy buttons, and the File and Help menus.
// Nothing moves when the window is resized; everything is placed again when
// its dots per inch change.
class MainWindow final : public Window, public SlotAccess
{
public:
    // Without a dialog the window makes its own, the host's. A window that is
    // not the program's (in the tests) ends no message loop when it closes.
    explicit MainWindow(Platform& platform, FileDialog* dialog = nullptr, bool endsProgram = true);
    ~MainWindow() override;

    std::string slotText(int slot) const override;

    void show(int showCommand);
    // A slot-set file given at start, opened as File > Open opens it.
    void openAtStart(const std::string& path);
    HWND control(std::string_view name) const { return m_controls.find(name); }
    // The WM_COMMAND id of a menu item, by its name ("MnuFileSave"); 0 for none.
    int menuCommandId(std::string_view name) const;

protected:
    void storeSlotText(int slot, std::string text) override;
    std::optional<std::string> refusal(std::string_view text) const override;
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onDestroyed() override;

private:
    struct MenuCommand
    {
        int id;
        const ui::MenuItem* item;
    };

    LRESULT onCommand(WPARAM wParam, LPARAM lParam);
    void run(ui::Command command, int slot);
    LRESULT onActivate(WPARAM wParam);
    LRESULT onDpiChanged(WPARAM wParam, LPARAM lParam);
    LRESULT onSettingChange();
    // Files dropped on a slot's box (`on`) or elsewhere on the window.
    LRESULT onDropFiles(HDROP drop, HWND on);
    HMENU buildMenus();
    void showAbout();
    HWND edit(int slot) const;

    Platform& m_platform;
    std::unique_ptr<Win32FileDialog> m_ownDialog;
    FileDialog* m_dialog;
    DescribedControls m_controls;
    std::vector<MenuCommand> m_menuCommands;
    std::unique_ptr<MainCommands> m_commands;
    HWND m_lastFocus = nullptr;
    bool m_endsProgram;
};

} // namespace tavimor::win32

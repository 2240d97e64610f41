#pragma once

// The main window Form1: six slots in two columns, each a text box with its
// File Open, Paste and Copy buttons, and the File and Help menus.
#include "Version.h"
#include "app/SlotAccess.h"
#include "ui/WindowDescription.h"

#include <array>

namespace tavimor::ui {

inline constexpr std::string_view kMainCaption = kApplicationTitle;

namespace form1 {

inline constexpr int kClientWidth = 11880;
inline constexpr int kClientHeight = 7950;
inline constexpr int kRowTop[3] = {120, 2760, 5400};
inline constexpr int kColumnLeft[2] = {120, 6360};
inline constexpr Rect kTextBox{1560, 0, 3735, 2415}; // from the slot's button column and row
inline constexpr Font kSlotFont{"Courier New", 975, 400};

struct ButtonKind
{
    std::string_view prefix;
    std::string_view caption;
    int top; // below the row top
    Command command;
};
inline constexpr ButtonKind kButtons[3] = {
    {"cmdFile", "File Open", 240, Command::SlotFileOpen},
    {"cmdPaste", "Paste", 960, Command::SlotPaste},
    {"cmdCopy", "Copy", 1680, Command::SlotCopy},
};

constexpr std::array<Control, 4 * kSlotCount> slotControls()
{
    std::array<Control, 4 * kSlotCount> controls{};
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const int x = kColumnLeft[(slot - 1) / 3];
        const int y = kRowTop[(slot - 1) % 3];
        const int first = 4 * (slot - 1);
        Control& text = controls[std::size_t(first)];
        text.kind = Kind::TextBox;
        text.name = Text("Text", slot);
        text.accessibleName = Text("Slot ", slot);
        text.rect = {x + kTextBox.left, y, kTextBox.width, kTextBox.height};
        text.tabIndex = first;
        text.font = kSlotFont;
        text.slot = slot;
        for (int kind = 0; kind < 3; ++kind) {
            const ButtonKind& b = kButtons[kind];
            Control& button = controls[std::size_t(first + 1 + kind)];
            button.kind = Kind::Button;
            // Slot 1's paste button has always been named so.
            button.name = (slot == 1 && b.command == Command::SlotPaste) ? Text("Cmdpaste1") : Text(b.prefix, slot);
            button.caption = Text(b.caption);
            button.accessibleName = Text(b.caption);
            button.accessibleName.append(", slot ");
            button.accessibleName.append(Text("", slot).view());
            button.rect = {x, y + b.top, 1335, 495};
            button.tabIndex = first + 1 + kind;
            button.command = b.command;
            button.slot = slot;
        }
    }
    return controls;
}

inline constexpr std::array<Control, 4 * kSlotCount> kControls = slotControls();

inline constexpr MenuItem kFileItems[] = {
    {Text("MnuFileOpen"), Text("Open"), Command::FileOpen},
    {Text("MnuFileSave"), Text("Save"), Command::FileSave},
    {Text("MnuFileExit"), Text("Exit"), Command::FileExit},
};
inline constexpr MenuItem kHelpItems[] = {
    {Text("MnuHelpAbout"), Text("About"), Command::HelpAbout},
};
inline constexpr Menu kMenus[] = {
    {Text("MnuFile"), Text("&File"), kFileItems},
    {Text("MnuHelp"), Text("&Help"), kHelpItems},
};

} // namespace form1

inline constexpr Window kForm1{Text("Form1"), form1::kClientWidth, form1::kClientHeight, form1::kControls,
                               form1::kMenus};

} // namespace tavimor::ui

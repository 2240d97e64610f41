#pragma once

// The About dialog frmAbout: the program's picture, title, version, a
// description and a two-line notice, with OK and System Info.
#include "Version.h"
#include "ui/WindowDescription.h"

#include <string>

namespace tavimor::ui {

namespace about {

inline constexpr Font kSmall{"MS Sans Serif", 975, 400};
inline constexpr Font kButton{"MS Sans Serif", 800, 400};

inline constexpr Control kControls[] = {
    {.kind = Kind::Picture, .name = Text("picIcon"), .rect = {120, 120, 810, 810}, .tabIndex = 1},
    {.kind = Kind::Label, .name = Text("lblTitle"), .caption = Text("Application Title"),
     .rect = {1080, 240, 3885, 480}, .tabIndex = 5,
     .font = {"MS Sans Serif", 1800, 400}, .colour = 0x000000},
    {.kind = Kind::Label, .name = Text("lblVersion"), .caption = Text("Version"), .rect = {1080, 1200, 3885, 225}, .tabIndex = 6, .font = kSmall},
    {.kind = Kind::Label, .name = Text("lblDescription"),
     .caption = Text("This program allows you to easily copy items to the clipboard or paste from the clipboard."),
     .rect = {1080, 1680, 4245, 645}, .tabIndex = 3, .font = kSmall,
     .colour = 0x000000},
    {.kind = Kind::Button, .name = Text("cmdOK"), .caption = Text("OK"), .accessibleName = Text("OK"),
     .rect = {4245, 2625, 1260, 345}, .tabIndex = 0, .font = kButton, .command = Command::AboutOk,
     .isDefault = true, .isCancel = true},
    {.kind = Kind::Button, .name = Text("cmdSysInfo"), .caption = Text("&System Info..."),
     .accessibleName = Text("System Info..."), .rect = {4260, 3075, 1245, 345}, .tabIndex = 2, .font = kButton,
     .command = Command::SysInfo},
    {.kind = Kind::Label, .name = Text("lblDisclaimer"), .rect = {480, 2760, 3390, 705}, .tabIndex = 4, .font = kSmall,
     .colour = 0x0000FF, .colourRole = ColourRole::Link},
    // The etched separator: a grey stroke with a white one just below it.
    {.kind = Kind::Line, .name = Text("Line1"), .rect = {90, 2445, 5654 - 90, 0}, .colour = 0x808080,
     .colourRole = ColourRole::Line, .index = 1, .lineWidth = 1},
    {.kind = Kind::Line, .name = Text("Line1"), .rect = {105, 2460, 5654 - 105, 0}, .colour = 0xFFFFFF,
     .colourRole = ColourRole::LineHighlight, .index = 0, .lineWidth = 2},
};

} // namespace about

inline constexpr Window kFrmAbout{Text("frmAbout"), 5730, 3555, about::kControls};

// The texts that the dialog takes when it loads, in place of the stored ones.
struct AboutTexts
{
    std::string caption;    // "About Tavimor"
    std::string title;      // lblTitle
    std::string version;    // lblVersion: "Version 1.0.10"
    std::string disclaimer; // lblDisclaimer: two lines, the first beginning with ©
};

inline AboutTexts aboutTexts()
{
    const std::string title = kApplicationTitle;
    return {"About " + title, title,
            "Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "."
                + std::to_string(kVersionRevision),
            "\xC2\xA9 2026 the Tavimor developers.\r\nReports: the project's tracker."};
}

} // namespace tavimor::ui

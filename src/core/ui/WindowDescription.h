#pragma once

// The description of a window that both front ends build from: its controls
// with their names, captions, accessible names, rectangles, tab order, fonts,
// colours and commands, and its menus. The tables are constexpr, so the core
// tests check them once for both hosts; a front end only converts units.
#include <optional>
#include <span>
#include <string_view>

namespace tavimor::ui {

// Positions and sizes are in twips: 1/1440 inch, 15 to a pixel at 96 dots per inch.
inline constexpr int kTwipsPerInch = 1440;

struct Rect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
};

enum class Kind { TextBox, Button, Label, Picture, Line };

// What a click runs. The slot commands take the control's slot number.
enum class Command { None, SlotFileOpen, SlotPaste, SlotCopy, FileOpen, FileSave, FileExit, HelpAbout, AboutOk, SysInfo };

struct Font
{
    std::string_view face; // empty: the host's usual font for the control
    int centipoints = 0;   // 975 is 9.75 points
    int weight = 400;
};

// A short text held in place, so that constexpr functions can compose names
// such as "cmdPaste2" and "File Open, slot 2" for the six slots.
struct Text
{
    char chars[96]{};
    int length = 0;

    constexpr Text() = default;
    constexpr Text(std::string_view text) { append(text); }
    constexpr Text(std::string_view text, int number)
    {
        append(text);
        chars[length++] = char('0' + number);
    }
    constexpr void append(std::string_view text)
    {
        for (char c : text)
            chars[length++] = c; // overflowing the array is a compile error in a constant
    }
    constexpr std::string_view view() const { return {chars, std::size_t(length)}; }
};

// What a control's colour stands for, which decides what takes its place
// where it cannot be read (see Colours.h).
enum class ColourRole { Text, Link, Line, LineHighlight };

struct Control
{
    Kind kind{};
    Text name{};
    Text caption{};        // "&" marks the access key; empty for none
    Text accessibleName{}; // what a screen reader says; empty: the caption
    Rect rect{};
    int tabIndex = -1;   // place in the tab order; labels and pictures never take the focus
    Font font{};
    std::optional<unsigned> colour{}; // text or line colour, 0xRRGGBB; nothing: the host's
    ColourRole colourRole = ColourRole::Text;
    Command command = Command::None;
    int slot = 0;        // 1 to 6 for a slot's controls
    int index = -1;      // place in a control array (Line1), else -1
    int lineWidth = 0;   // pixels, for lines
    bool isDefault = false; // Enter presses it
    bool isCancel = false;  // Esc presses it

    constexpr bool takesFocus() const { return kind == Kind::TextBox || kind == Kind::Button; }
};

struct MenuItem
{
    Text name;
    Text caption;
    Command command;
};

struct Menu
{
    Text name;
    Text caption;
    std::span<const MenuItem> items;
};

struct Window
{
    Text name;
    int clientWidth;
    int clientHeight;
    std::span<const Control> controls;
    std::span<const Menu> menus = {};
};

// A label's text that a host's font sets larger than its box is set smaller,
// in these steps and down to this size, rather than cut off.
inline constexpr int kFitStepCentipoints = 25;
inline constexpr int kSmallestFitCentipoints = 600;

// The access key of a caption ("&File" -> 'F'), upper-cased; nothing without one.
constexpr std::optional<char> accessKey(std::string_view caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i; // "&&" is a plain ampersand
            continue;
        }
        const char c = caption[i + 1];
        return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    }
    return std::nullopt;
}

} // namespace tavimor::ui

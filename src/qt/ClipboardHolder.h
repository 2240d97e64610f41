#pragma once

#include <QString>

#include <chrono>
#include <string>

namespace tavimor {

// Copy outlives the program. Where the X11 clipboard has no manager to hand
// it to (plain X, i3, Openbox, many remote desktops), or on a Wayland
// compositor that lets a program without a window set the clipboard (the
// data-control protocol of sway, Hyprland and other wlroots ones), a
// program's clipboard ends with the program; Windows keeps it. So when
// Tavimor ends owning the clipboard, a small process of its own (this
// program, started with kHoldClipboardArgument and the host) takes the text
// over: it serves it to other programs, large texts in parts, until another
// program takes the clipboard or the display ends. It shows no window and
// writes no file.

inline constexpr const char* kHoldClipboardArgument = "--hold-clipboard";
inline constexpr const char* kHoldForX11 = "x11";
inline constexpr const char* kHoldForWayland = "wayland";

// In the program that ends: hands the clipboard's text to a holder (the
// program holderProgram) when it owns the clipboard and nobody else keeps it.
// Returns whether a holder took it; at once when none is needed.
bool keepClipboardAfterExit(const QString& holderProgram);

// The longest the program takes to end once its window is gone.
inline constexpr std::chrono::milliseconds kEndBound{2000};
// Ends the program with status after kEndBound, whatever it still waits for.
void boundTheEnd(int status);

// In the holder: reads the text from standard input (its size, then its
// bytes), owns the clipboard of the host with it, says "owning" on standard
// output, serves it. Returns the exit status.
int holdClipboard(const char* host);
int holdWaylandClipboard(const std::string& text);

} // namespace tavimor

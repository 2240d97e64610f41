#pragma once

#include <QString>

#include <chrono>
#include <string>

namespace tavimor {

// Copy outlives the program. Where the X11 clipboard has no manager to hand
// it to (plain X, i3, Openbox, many remote desktops), a program's clipboard
// ends with the program; Windows keeps it. So when Tavimor ends owning the
// clipboard, a small process of its own (this program, started with
// kHoldClipboardArgument) takes the text over: it serves it to other programs,
// large texts in parts, until another program takes the clipboard or the
// display ends. It shows no window and writes no file.

inline constexpr const char* kHoldClipboardArgument = "--hold-clipboard";

// In the program that ends: hands the clipboard's text to a holder (the
// program holderProgram) when it owns the clipboard and no manager takes it.
// Returns whether a holder took it; at once when none is needed.
bool keepClipboardAfterExit(const QString& holderProgram);

// The longest the program takes to end once its window is gone.
inline constexpr std::chrono::milliseconds kEndBound{2000};
// Ends the program with status after kEndBound, whatever it still waits for.
void boundTheEnd(int status);

// In the holder: reads the text (UTF-8) from standard input, owns the X11
// clipboard with it, says "owning" on standard output, serves it. Returns the
// exit status.
int holdClipboard();

} // namespace tavimor

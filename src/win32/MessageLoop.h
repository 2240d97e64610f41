#pragma once

namespace tavimor::win32 {

// Runs the program's message loop until the main window has closed. Keys go
// through the dialog manager of the window they are for, so Tab and Shift+Tab
// move the focus in every window; returns the program's exit code.
int runMessageLoop();

} // namespace tavimor::win32

#pragma once

namespace tavimor::win32 {

// Initialises COM on this (the user-interface) thread the first time a part
// of the program needs it: the file dialogs and the accessibility objects.
// Not at start-up, where loading COM would only delay the window.
void ensureCom();

} // namespace tavimor::win32

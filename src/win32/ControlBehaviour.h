#pragma once

#include "WindowsApi.h"
#include "ui/WindowDescription.h"

namespace tavimor::win32 {

// A slot's text box: Tab and Shift+Tab leave it (a multi-line edit control
// would type a tab), Esc closes nothing, and Ctrl+A selects the whole text.
void addSlotEditKeys(HWND edit);

// A screen reader hears this name for the control (a text box has no caption
// to be read by); the name lives in the window's static description.
// (See AccessibleNames.h.)
void addAccessibleName(HWND control, const ui::Text& name);

} // namespace tavimor::win32

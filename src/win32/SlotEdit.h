#pragma once

#include "WindowsApi.h"

#include <string>

namespace tavimor::win32 {

// The whole text of a slot's edit control, as UTF-8 with CR LF line breaks.
std::string editText(HWND edit);

// Replaces the whole text as one step that Ctrl+Z undoes (WM_SETTEXT would
// leave nothing to undo), with the caret at the start.
void replaceEditText(HWND edit, const std::string& text);

} // namespace tavimor::win32

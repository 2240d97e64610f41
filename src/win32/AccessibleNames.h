#pragma once

#include "WindowsApi.h"

#include <string>

struct IAccPropServices;

namespace tavimor::win32 {

// The names that screen readers say for the controls, set the way Windows
// documents for standard controls: Dynamic Annotation of the name property
// (PROPID_ACC_NAME) of the control's own accessible object, which stays in
// place with everything else it tells (an edit control's text by character,
// word and line, for one).

// The process's annotation services, made on first use; nothing where the
// system has none. Tests may put a recording stand-in here first.
IAccPropServices*& accessibilityServices();

void setAccessibleName(HWND control, const std::wstring& name);
void clearAccessibleName(HWND control);

} // namespace tavimor::win32

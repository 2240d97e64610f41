#pragma once

#include "WindowsApi.h"

#include <string>

namespace tavimor::win32 {

// The answer to WM_GETOBJECT for a control's client object: the standard
// accessible object of the control, with the given name. 0 when none could be made.
LRESULT namedAccessibleResult(HWND control, std::wstring name, WPARAM wParam);

} // namespace tavimor::win32

#pragma once

#include "WindowsApi.h"

namespace tavimor::win32 {

// Shows the wait cursor for the lifetime of the object, while a long step
// runs on the user-interface thread (no message is handled meanwhile, so
// nothing sets the cursor back early).
class WaitCursor
{
public:
    explicit WaitCursor(bool show = true)
    {
        if (show)
            m_previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        m_shown = show;
    }
    ~WaitCursor()
    {
        if (m_shown)
            ::SetCursor(m_previous);
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_previous = nullptr;
    bool m_shown = false;
};

} // namespace tavimor::win32

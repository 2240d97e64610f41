#pragma once

#include "app/Limits.h"

#include <QGuiApplication>

namespace tavimor {

// Shows the wait cursor for the lifetime of the object, while a long step
// runs on the user-interface thread.
class WaitCursor
{
public:
    explicit WaitCursor(bool show = true);
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_shown = false;
};

} // namespace tavimor

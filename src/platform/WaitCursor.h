#pragma once

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

// Files and texts from this size on take long enough to be worth the cursor.
inline constexpr qint64 kWaitCursorBytes = 4 * 1024 * 1024;

} // namespace tavimor

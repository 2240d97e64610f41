#pragma once

#include "WindowsApi.h"

namespace tavimor::win32 {

// Shows the wait cursor for the lifetime of the object, while a long step
// runs on the user-interface thread (no message is handled meanwhile, so
// nothing sets the cursor back early). Inside a command (CommandCursor) the
// cursor, once it shows waiting, keeps doing so until the command ends,
// rather than flickering between the command's long steps.
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

// The span of one command: a wait cursor shown during it goes when it ends.
class CommandCursor
{
public:
    CommandCursor();
    ~CommandCursor();
    CommandCursor(const CommandCursor&) = delete;
    CommandCursor& operator=(const CommandCursor&) = delete;
};

} // namespace tavimor::win32

#include "WaitCursor.h"

namespace tavimor::win32 {

namespace {

int g_commands = 0;       // commands running (a modal dialog's command may run inside another)
bool g_waitShown = false; // the wait cursor shows, until the outermost command ends

void showArrow()
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW)); // the next mouse move sets the control's own
    g_waitShown = false;
}

} // namespace

WaitCursor::WaitCursor(bool show)
{
    if (!show)
        return;
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    m_shown = true;
    g_waitShown = true;
}

WaitCursor::~WaitCursor()
{
    if (m_shown && g_commands == 0)
        showArrow();
}

CommandCursor::CommandCursor()
{
    ++g_commands;
}

CommandCursor::~CommandCursor()
{
    if (--g_commands == 0 && g_waitShown)
        showArrow();
}

} // namespace tavimor::win32

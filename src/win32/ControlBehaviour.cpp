#include "ControlBehaviour.h"

#include "AccessibleNames.h"
#include "WideText.h"

#include <commctrl.h>

namespace tavimor::win32 {

namespace {

constexpr UINT_PTR kSlotKeys = 1;
constexpr UINT_PTR kAccessibleName = 2;

// A control's accessible name, and whether it has been given yet.
struct Named
{
    const ui::Text* name;
    bool done = false;
};

bool pressed(int key)
{
    return (::GetKeyState(key) & 0x8000) != 0;
}

LRESULT CALLBACK slotEditKeys(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_GETDLGCODE: {
        LRESULT code = ::DefSubclassProc(edit, message, wParam, lParam);
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        // Tab (without Ctrl) and Esc are the dialog manager's: Tab moves the
        // focus, Esc presses no button since the window has none.
        if (msg && msg->message == WM_KEYDOWN
            && ((msg->wParam == VK_TAB && !pressed(VK_CONTROL)) || msg->wParam == VK_ESCAPE))
            code &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
        return code;
    }
    case WM_KEYDOWN:
        // The edit control would post WM_CLOSE to its parent for Esc.
        if (wParam == VK_ESCAPE)
            return 0;
        if (wParam == 'A' && pressed(VK_CONTROL) && !pressed(VK_MENU)) {
            ::SendMessageW(edit, EM_SETSEL, 0, -1);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == 0x01 || wParam == VK_ESCAPE) // Ctrl+A's character and Esc's: nothing to type
            return 0;
        break;
    case WM_DROPFILES:
        // The window opens files dropped on a slot, which it knows by the box.
        return ::SendMessageW(::GetParent(edit), WM_DROPFILES, wParam, reinterpret_cast<LPARAM>(edit));
    case WM_NCDESTROY: ::RemoveWindowSubclass(edit, slotEditKeys, kSlotKeys); break;
    }
    return ::DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK accessibleName(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    switch (message) {
    case WM_GETOBJECT: {
        // Named when something first asks for the control's accessible object
        // (a screen reader, UI Automation), before the control answers itself:
        // loading the accessibility libraries at start-up would slow it down.
        auto& named = *reinterpret_cast<Named*>(data);
        if (!named.done) {
            setAccessibleName(control, wide(named.name->view()));
            named.done = true;
        }
        break;
    }
    case WM_NCDESTROY: {
        auto* named = reinterpret_cast<Named*>(data);
        if (named->done)
            clearAccessibleName(control);
        delete named;
        ::RemoveWindowSubclass(control, accessibleName, kAccessibleName);
        break;
    }
    }
    return ::DefSubclassProc(control, message, wParam, lParam);
}

} // namespace

void addSlotEditKeys(HWND edit)
{
    ::SetWindowSubclass(edit, slotEditKeys, kSlotKeys, 0);
}

void addAccessibleName(HWND control, const ui::Text& name)
{
    ::SetWindowSubclass(control, accessibleName, kAccessibleName, reinterpret_cast<DWORD_PTR>(new Named{&name}));
}

} // namespace tavimor::win32

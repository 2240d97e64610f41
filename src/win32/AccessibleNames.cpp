#include "AccessibleNames.h"

#include "Com.h"

// The ids are defined here rather than imported: oleacc.dll is loaded by COM
// only once a screen reader asks.
#include <initguid.h>
#include <oleacc.h>

namespace tavimor::win32 {

IAccPropServices*& accessibilityServices()
{
    static IAccPropServices* services = [] {
        ensureCom();
        IAccPropServices* made = nullptr;
        if (FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                      reinterpret_cast<void**>(&made))))
            made = nullptr;
        return made; // kept for the life of the program
    }();
    return services;
}

void setAccessibleName(HWND control, const std::wstring& name)
{
    if (IAccPropServices* services = accessibilityServices())
        services->SetHwndPropStr(control, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
}

void clearAccessibleName(HWND control)
{
    if (IAccPropServices* services = accessibilityServices())
        services->ClearHwndProps(control, DWORD(OBJID_CLIENT), CHILDID_SELF, &PROPID_ACC_NAME, 1);
}

} // namespace tavimor::win32

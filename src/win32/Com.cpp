#include "Com.h"

#include "WindowsApi.h"

#include <objbase.h>

namespace tavimor::win32 {

void ensureCom()
{
    // Once per thread; the program has one. COM stays initialised until the program ends.
    static thread_local const bool initialised = SUCCEEDED(
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    (void)initialised;
}

} // namespace tavimor::win32

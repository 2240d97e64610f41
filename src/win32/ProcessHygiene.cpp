#include "ProcessHygiene.h"

#include <sddl.h>

namespace tavimor::win32 {

void limitLibrarySearch()
{
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    ::SetDllDirectoryW(L""); // nor the current folder for a library loaded the old way
}

void leaveTheStartFolder()
{
    wchar_t system[MAX_PATH + 1] = {};
    if (::GetSystemDirectoryW(system, MAX_PATH))
        ::SetCurrentDirectoryW(system);
}

// The current folder is the system folder or one the program set itself:
// never longer than MAX_PATH.
KeepCurrentFolder::KeepCurrentFolder()
{
    if (::GetCurrentDirectoryW(MAX_PATH + 1, m_folder) > MAX_PATH)
        m_folder[0] = L'\0';
}

KeepCurrentFolder::~KeepCurrentFolder()
{
    if (m_folder[0])
        ::SetCurrentDirectoryW(m_folder);
}

HANDLE holdRunningMark(CreateMutexExCall create)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ::ConvertStringSecurityDescriptorToSecurityDescriptorW(kRunningMarkSecurity, SDDL_REVISION_1, &descriptor, nullptr);
    SECURITY_ATTRIBUTES security{sizeof security, descriptor, FALSE};
    const HANDLE mark = create(descriptor ? &security : nullptr, kRunningMutex, 0, SYNCHRONIZE);
    ::LocalFree(descriptor);
    return mark;
}

} // namespace tavimor::win32

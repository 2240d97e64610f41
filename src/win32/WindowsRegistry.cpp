#include "WindowsRegistry.h"

#include "WideText.h"
#include "WindowsApi.h"

namespace tavimor {

namespace {

HKEY handleOf(Registry::Key key)
{
    return reinterpret_cast<HKEY>(key);
}

} // namespace

long WindowsRegistry::RegOpenKeyEx(Key root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                                   Key& result)
{
    // The root is the predefined handle value (0x80000002 for HKEY_LOCAL_MACHINE),
    // sign-extended as Windows defines it on 64-bit hosts.
    const HKEY rootKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
    HKEY opened = nullptr;
    const LONG status = ::RegOpenKeyExA(rootKey, subKey.c_str(), options, access, &opened);
    result = reinterpret_cast<Key>(opened);
    return status;
}

long WindowsRegistry::RegQueryValueEx(Key key, const std::string& valueName, std::uint32_t& type,
                                      unsigned char* data, std::uint32_t& size)
{
    DWORD valueType = 0;
    DWORD bytes = size;
    const LONG status = ::RegQueryValueExA(handleOf(key), valueName.c_str(), nullptr, &valueType, data, &bytes);
    type = valueType;
    size = bytes;
    return status;
}

long WindowsRegistry::RegCloseKey(Key key)
{
    return ::RegCloseKey(handleOf(key));
}

std::string WindowsRegistry::ExpandEnvironment(const std::string& text)
{
    const std::wstring from = win32::wide(text);
    std::wstring expanded(from.size() + MAX_PATH, L'\0');
    for (;;) {
        const DWORD needed = ::ExpandEnvironmentStringsW(from.c_str(), expanded.data(), DWORD(expanded.size()));
        if (needed == 0)
            return text;
        if (needed <= expanded.size()) {
            expanded.resize(needed - 1); // without its terminating zero
            return win32::narrow(expanded);
        }
        expanded.resize(needed);
    }
}

} // namespace tavimor

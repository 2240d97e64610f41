#pragma once

#include "platform/Registry.h"

namespace tavimor {

// The Windows registry through advapi32's ANSI functions.
class WindowsRegistry : public Registry
{
public:
    long RegOpenKeyEx(Key root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                      Key& result) override;
    long RegQueryValueEx(Key key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                         std::uint32_t& size) override;
    long RegCloseKey(Key key) override;
    std::string ExpandEnvironment(const std::string& text) override;
};

} // namespace tavimor

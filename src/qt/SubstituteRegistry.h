#pragma once

#include "platform/Registry.h"

#include <vector>

namespace tavimor {

// Stands in for the Windows registry on other hosts: the key that names the
// system information tool answers with the first desktop viewer found on PATH
// (hardinfo, kinfocenter, gnome-system-monitor, in that order); every other key
// is missing.
class SubstituteRegistry : public Registry
{
public:
    SubstituteRegistry();
    explicit SubstituteRegistry(std::vector<std::string> viewers);

    long RegOpenKeyEx(Key root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                      Key& result) override;
    long RegQueryValueEx(Key key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                         std::uint32_t& size) override;
    long RegCloseKey(Key key) override;

private:
    std::vector<std::string> m_viewers;
};

} // namespace tavimor

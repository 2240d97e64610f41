#pragma once

#include <cstdint>
#include <string>

namespace tavimor {

// The three registry calls the system information launcher makes, with the
// host's status codes (0 is success), value types and raw bytes.
class Registry
{
public:
    using Key = std::uintptr_t;
    static constexpr Key kLocalMachine = 0x80000002;
    // Read access alone (KEY_READ): Windows refuses more under
    // HKEY_LOCAL_MACHINE to every process that is not elevated.
    static constexpr std::uint32_t kAccess = 0x20019;
    // Access that changes something: none of it is ever asked for.
    static constexpr std::uint32_t kWriteAccess = 0x2 | 0x4 | 0x20 | 0x10000 | 0x40000 | 0x80000;
    static constexpr std::uint32_t kTypeText = 1;       // REG_SZ
    static constexpr std::uint32_t kTypeExpandText = 2; // REG_EXPAND_SZ: with %VARIABLES% to expand
    static constexpr std::uint32_t kTypeNumber = 4;     // REG_DWORD, little-endian

    virtual ~Registry() = default;
    virtual long RegOpenKeyEx(Key root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                              Key& result) = 0;
    // size holds the buffer's size on entry and the data's byte count on return.
    virtual long RegQueryValueEx(Key key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                                 std::uint32_t& size) = 0;
    virtual long RegCloseKey(Key key) = 0;
    // A REG_EXPAND_SZ text with its environment variables put in.
    virtual std::string ExpandEnvironment(const std::string& text) { return text; }
};

} // namespace tavimor

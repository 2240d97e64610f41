#include "SysInfo.h"

#include "platform/Platform.h"
#include "platform/TextCodec.h"

#include <array>
#include <optional>

namespace tavimor {

namespace {

constexpr std::uint32_t kBufferSize = 1024;

// Registry text is in the host's 8-bit code page; UTF-8 passes as it is.
std::string textOf(const unsigned char* data, std::uint32_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    return isValidUtf8(bytes) ? std::string(bytes) : windows1252ToUtf8(bytes);
}

} // namespace

bool GetKeyValue(Registry& registry, Registry::Key keyRoot, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal)
{
    Registry::Key key = 0;
    bool found = false;
    try {
        std::array<unsigned char, kBufferSize> buffer{};
        std::uint32_t type = 0;
        std::uint32_t size = kBufferSize;
        if (registry.RegOpenKeyEx(keyRoot, keyName, 0, Registry::kAccess, key) == 0
            && registry.RegQueryValueEx(key, subKeyRef, type, buffer.data(), size) == 0 && size > 0
            && size <= kBufferSize) {
            if (buffer[size - 1] == 0)
                --size; // a text value's terminating zero, one at most
            if (type == Registry::kTypeText) {
                keyVal = textOf(buffer.data(), size);
            } else if (type == Registry::kTypeExpandText) {
                keyVal = registry.ExpandEnvironment(textOf(buffer.data(), size));
            } else if (type == Registry::kTypeNumber) {
                if (size > 4)
                    throw PlatformError("the registry value " + subKeyRef + " is not a 32-bit number");
                std::uint32_t number = 0;
                for (std::uint32_t i = size; i-- > 0;)
                    number = (number << 8) | buffer[i];
                keyVal = std::to_string(number);
            }
            found = true;
        } else {
            keyVal.clear();
        }
    } catch (...) {
        registry.RegCloseKey(key);
        throw;
    }
    registry.RegCloseKey(key);
    return found;
}

namespace {

// The tool's path: the registry's own entry for it (taken as it is), the tool
// in the folder that the registry names for shared tools, or the one in the
// system folder.
std::optional<std::string> findSysInfo(Platform& platform)
{
    Registry& registry = platform.registry();
    std::string path;
    if (GetKeyValue(registry, Registry::kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path))
        return path;
    if (GetKeyValue(registry, Registry::kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", path)
        && platform.FileExists(path + "\\MSINFO32.EXE"))
        return path + "\\MSINFO32.EXE";
    // Windows keeps the tool in its system folder, where the registry may not name it.
    const std::string system = platform.SystemFolder();
    if (!system.empty() && platform.FileExists(system + "\\msinfo32.exe"))
        return system + "\\msinfo32.exe";
    return std::nullopt;
}

} // namespace

void StartSysInfo(Platform& platform)
{
    try {
        if (const std::optional<std::string> path = findSysInfo(platform)) {
            platform.StartProgram(*path);
            return;
        }
    } catch (const std::exception&) {
        // Any failure on the way ends in the one message below.
    }
    platform.ShowMessage(kSysInfoUnavailable);
}

} // namespace tavimor

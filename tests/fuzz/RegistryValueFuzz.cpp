// Registry values of any type, size and content: GetKeyValue finds exactly the
// values of 1 to 1024 bytes, gives UTF-8 for text (expandable text too), decimal digits for a number,
// leaves other types' values as passed, and always closes the key.
#include "FakePlatform.h"
#include "FuzzSupport.h"
#include "about/SysInfo.h"

#include <cstdlib>
#include <cstring>

using namespace tavimor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 6)
        return 0;
    std::uint32_t type = 0;
    std::memcpy(&type, data, 4);
    type %= 12; // the registry's types, and a few beyond them
    // The next two bytes stretch the value past the buffer now and then.
    const std::size_t extra = (std::size_t(data[4]) << 8 | data[5]) % 1200;
    std::string bytes(reinterpret_cast<const char*>(data + 6), size - 6);
    bytes.resize(bytes.size() + (extra > 1024 ? extra : 0), 'x');

    test::ScriptedRegistry registry;
    registry.keys["K"]["V"] = {type, bytes};
    std::string value = "as passed";
    bool found = false;
    try {
        found = GetKeyValue(registry, Registry::kLocalMachine, "K", "V", value);
    } catch (const PlatformError&) {
        // A number longer than four bytes is an error that the launcher reports.
        if (type != Registry::kTypeNumber)
            std::abort();
    }
    if (registry.closed != 1)
        std::abort();
    if (found != (!bytes.empty() && bytes.size() <= 1024) && type != Registry::kTypeNumber)
        std::abort();
    const bool text = type == Registry::kTypeText || type == Registry::kTypeExpandText;
    if (found && text && !fuzz::strictUtf8(value))
        std::abort();
    if (found && type == Registry::kTypeNumber
        && (value.empty() || value.find_first_not_of("0123456789") != std::string::npos || value.size() > 10))
        std::abort();
    if (found && !text && type != Registry::kTypeNumber && value != "as passed")
        std::abort();
    return 0;
}

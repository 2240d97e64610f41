#pragma once

#include <string>

#include "platform/Registry.h"

namespace tavimor {

class Platform;

inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";

// Reads one registry value as text, opening its key for reading only. A text
// value loses one terminating zero, and one of REG_EXPAND_SZ is expanded;
// a 32-bit number becomes its decimal text, read as unsigned (0x80000000 is
// "2147483648"); another type counts as found and leaves keyVal as it was.
// A value with no data at all fails, like a missing one. The key is closed
// on every path.
bool GetKeyValue(Registry& registry, Registry::Key keyRoot, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal);

// Finds the system information tool through the registry (or in the system
// folder) and starts it, or tells the user that it is unavailable.
void StartSysInfo(Platform& platform);

} // namespace tavimor

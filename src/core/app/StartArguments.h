#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavimor {

// What the program is started with: nothing, or one slot-set file to open
// (as the desktop passes a file that the user double-clicked).
struct StartArguments
{
    std::optional<std::string> file;
    bool usage = false; // anything else: the usage is shown instead
    bool help = false;  // --help: the usage is what was asked for
};

inline constexpr const char* kUsage = "Usage: tavimor [FILE]\n"
                                      "Starts Tavimor, with the slot set in FILE opened when one is given.";

// The arguments after the program's name. A file whose name begins with "-"
// follows "--"; --help alone asks for the usage.
inline StartArguments readStartArguments(const std::vector<std::string>& arguments)
{
    StartArguments start;
    bool options = true;
    for (const std::string& argument : arguments) {
        if (options && (argument == "--help" || argument == "-h") && arguments.size() == 1) {
            return {std::nullopt, false, true};
        } else if (options && argument == "--") {
            options = false;
        } else if ((options && argument.rfind('-', 0) == 0) || start.file || argument.empty()) {
            return {std::nullopt, true};
        } else {
            start.file = argument;
        }
    }
    return start;
}

} // namespace tavimor

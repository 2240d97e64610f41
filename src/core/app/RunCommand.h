#pragma once

#include "platform/Platform.h"

#include <exception>
#include <string>

namespace tavimor {

// The message for a failure: "Error: " and the host's description.
inline std::string errorMessage(const std::exception& failure)
{
    return std::string("Error: ") + failure.what();
}

// Runs one command for a click. A failure that the command does not handle
// itself ends only that command, and the user is told; the program goes on.
template <typename Command>
void runCommand(Platform& platform, Command&& command)
{
    try {
        command();
    } catch (const std::exception& failure) {
        platform.ShowMessage(errorMessage(failure));
    }
}

// Runs a command that works on the program's one text file: a failure of any
// of its steps closes the file without putting anything in place, and the
// user is told.
template <typename Command>
void runFileCommand(Platform& platform, Command&& command)
{
    TextFile& file = platform.textFile();
    try {
        command(file);
    } catch (const std::exception& failure) {
        file.Discard();
        platform.ShowMessage(errorMessage(failure));
    }
}

} // namespace tavimor

#pragma once

// One open or one save through the program's text file, the way a command
// does it, for the tests of a host's file store: the error's text, or "" when
// the step went through. No file is left open either way.
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <string>

namespace tavimor::test {

inline const ReadLimit kSlotLimit{100ull * 1024 * 1024, "a slot"};

inline std::string openError(TextFile& file, const std::string& path, const ReadLimit& limit = kSlotLimit)
{
    try {
        file.OpenInput(path, limit);
    } catch (const PlatformError& e) {
        EXPECT_FALSE(file.isOpen());
        return e.what();
    }
    file.Close();
    return {};
}

inline std::string saveError(TextFile& file, const std::string& path, const std::string& line)
{
    try {
        file.OpenOutput(path);
        file.WriteLine(line);
        file.Close();
    } catch (const PlatformError& e) {
        file.Discard();
        return e.what();
    }
    return {};
}

} // namespace tavimor::test

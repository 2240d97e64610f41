#pragma once

#include <stdexcept>
#include <string>

namespace tavimor {

// A host operation failed. what() is the description shown after "Error: ".
class PlatformError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace tavimor

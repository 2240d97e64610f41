#pragma once

#include "QtPlatform.h"

#include <string>
#include <vector>

namespace tavimor::test {

// The host's platform with its message boxes recorded instead of shown.
class RecordingQtPlatform : public QtPlatform
{
public:
    std::vector<std::string> messages;
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
};

} // namespace tavimor::test

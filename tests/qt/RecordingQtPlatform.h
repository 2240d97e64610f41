#pragma once

#include "QtPlatform.h"

#include <string>
#include <vector>

namespace tavimor::test {

// The host's platform with its message boxes recorded instead of shown, and
// its questions recorded and answered.
class RecordingQtPlatform : public QtPlatform
{
public:
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool answer = true;
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskYesNo(const std::string& text) override
    {
        questions.push_back(text);
        return answer;
    }
};

} // namespace tavimor::test

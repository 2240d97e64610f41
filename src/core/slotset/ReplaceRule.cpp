#include "ReplaceRule.h"

#include "SlotSetFormat.h"
#include "platform/TextCodec.h"

namespace tavimor {

bool asksBeforeReplacing(const std::optional<std::string>& head)
{
    if (!head || head->empty())
        return false;
    // Read as File > Open would read it: decoded, up to the first line end.
    const std::optional<DecodedText> text = decodeText(*head, Nul::Accepted);
    if (!text)
        return true;
    const std::string_view all = text->utf8;
    return all.substr(0, all.find_first_of("\r\n")) != kHeaderLine;
}

std::string replaceQuestion(const std::string& path)
{
    return "\"" + path + "\" already exists and is not a Tavimor slot-set file.\r\n\r\n"
           "Saving replaces everything in it with the six slots. Replace its contents?";
}

} // namespace tavimor

#include "SlotSetFormat.h"

#include "platform/TextFile.h"

namespace tavimor {

void WriteSlotSet(TextFile& file, const SlotTexts& texts)
{
    file.WriteLine(kHeaderLine);
    for (const std::string& text : texts) {
        file.WriteLine(text);
        file.WriteLine(kSeparatorLine);
    }
}

std::optional<SlotTexts> ReadSlotSet(TextFile& file)
{
    if (file.ReadLine() != kHeaderLine)
        return std::nullopt;
    SlotTexts texts;
    for (std::string& text : texts) {
        bool firstLine = true;
        for (std::string line = file.ReadLine(); line != kSeparatorLine; line = file.ReadLine()) {
            // The writer ends each text with one line end of its own; joining
            // the lines, instead of ending each, takes exactly that one away.
            if (!firstLine)
                text += "\r\n";
            text += line;
            firstLine = false;
        }
    }
    return texts;
}

std::optional<int> slotWithSeparatorLine(const SlotTexts& texts)
{
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::string_view text = texts[slot - 1];
        // Lines as the reader will see them: ended by CR LF or a lone CR.
        std::size_t start = 0;
        while (start <= text.size()) {
            const std::size_t cr = text.find('\r', start);
            const std::size_t end = cr == std::string_view::npos ? text.size() : cr;
            if (text.substr(start, end - start) == kSeparatorLine)
                return slot;
            if (cr == std::string_view::npos)
                break;
            start = (cr + 1 < text.size() && text[cr + 1] == '\n') ? cr + 2 : cr + 1;
        }
    }
    return std::nullopt;
}

} // namespace tavimor

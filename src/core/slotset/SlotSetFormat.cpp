#include "SlotSetFormat.h"

#include "platform/TextFile.h"

#include <cctype>

namespace tavimor {

SlotTextViews viewsOf(const SlotTexts& texts)
{
    SlotTextViews views;
    for (std::size_t i = 0; i < texts.size(); ++i)
        views[i] = texts[i];
    return views;
}

void WriteSlotSet(TextFile& file, const SlotTextViews& texts)
{
    file.WriteLine(kHeaderLine);
    for (const std::string_view text : texts) {
        file.WriteLine(text);
        file.WriteLine(kSeparatorLine);
    }
}

void WriteSlotSet(TextFile& file, const SlotTexts& texts)
{
    WriteSlotSet(file, viewsOf(texts));
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

bool isSlotSetName(std::string_view path)
{
    constexpr std::string_view kExtension = ".tvm";
    if (path.size() < kExtension.size())
        return false;
    const std::string_view end = path.substr(path.size() - kExtension.size());
    for (std::size_t i = 0; i < end.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(end[i])) != kExtension[i])
            return false;
    return true;
}

std::optional<int> slotWithSeparatorLine(const SlotTextViews& texts)
{
    auto isBreak = [](char c) { return c == '\r' || c == '\n'; };
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::string_view text = texts[slot - 1];
        // Look for the separator's text, then check that it is a whole line as
        // the reader sees lines (ended by CR LF, CR or LF): one fast search
        // instead of a look at every line of a large slot.
        for (std::size_t at = text.find(kSeparatorLine); at != std::string_view::npos;
             at = text.find(kSeparatorLine, at + 1)) {
            const std::size_t end = at + kSeparatorLine.size();
            if ((at == 0 || isBreak(text[at - 1])) && (end == text.size() || isBreak(text[end])))
                return slot;
        }
    }
    return std::nullopt;
}

} // namespace tavimor

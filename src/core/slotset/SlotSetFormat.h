#pragma once

#include <optional>
#include <string_view>

#include "app/SlotAccess.h"

namespace tavimor {

class TextFile;

inline constexpr std::string_view kHeaderLine = "Tavimor file zmtwcpe271958rgkb5vs3";
inline constexpr std::string_view kSeparatorLine = "***** Separator ****** zmtwcpe271958rgkb5vs3";

// Writes the header line, then each slot's text followed by the separator line.
void WriteSlotSet(TextFile& file, const SlotTextViews& texts);
void WriteSlotSet(TextFile& file, const SlotTexts& texts);

// Reads all six sections. Nothing when the first line is not the header line;
// a read failure (a file that ends before its sixth separator) throws.
// Each section's lines are joined with CR LF, so a text saved by WriteSlotSet
// comes back exactly as it was saved.
std::optional<SlotTexts> ReadSlotSet(TextFile& file);

// Whether a file's name marks it as a slot set: it ends in ".tvm", in any case.
bool isSlotSetName(std::string_view path);

// The first slot (1 to 6) whose text holds a line equal to the separator line:
// such a set would not read back as it was saved.
std::optional<int> slotWithSeparatorLine(const SlotTextViews& texts);

SlotTextViews viewsOf(const SlotTexts& texts);

} // namespace tavimor

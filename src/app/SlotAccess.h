#pragma once

#include <array>
#include <string>

namespace tavimor {

inline constexpr int kSlotCount = 6;

// The six slot texts, read and replaced whole. Slot numbers run from 1 to 6;
// texts are UTF-8 with CR LF line breaks.
class SlotAccess
{
public:
    virtual ~SlotAccess() = default;
    virtual std::string slotText(int slot) const = 0;
    virtual void setSlotText(int slot, const std::string& text) = 0;
};

using SlotTexts = std::array<std::string, kSlotCount>;

} // namespace tavimor

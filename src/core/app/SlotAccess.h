#pragma once

#include <array>
#include <string>

#include "platform/TextCodec.h"

namespace tavimor {

inline constexpr int kSlotCount = 6;

// The six slot texts, read and replaced whole. Slot numbers run from 1 to 6;
// texts are UTF-8 with CR LF line breaks.
class SlotAccess
{
public:
    virtual ~SlotAccess() = default;
    virtual std::string slotText(int slot) const = 0;

    // Replaces the whole text. Every line break enters a slot as CR LF (a lone
    // LF or CR becomes CR LF), so a slot never holds a break that the line
    // reader would read back differently.
    void setSlotText(int slot, std::string text) { storeSlotText(slot, withCrLf(std::move(text))); }

protected:
    // The text box's part: store a text whose line breaks are all CR LF.
    virtual void storeSlotText(int slot, const std::string& text) = 0;
};

using SlotTexts = std::array<std::string, kSlotCount>;

} // namespace tavimor

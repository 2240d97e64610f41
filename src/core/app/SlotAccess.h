#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/PlatformError.h"
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
    // The whole text without copying it where the host keeps it as it is
    // shown; `storage` holds it otherwise. Valid until the slot changes.
    virtual std::string_view slotTextView(int slot, std::string& storage) const
    {
        storage = slotText(slot);
        return storage;
    }

    // Replaces the whole text. Every line break enters a slot as CR LF (a lone
    // LF or CR becomes CR LF), so a slot never holds a break that the line
    // reader would read back differently. A text that the host's text box
    // cannot hold whole is refused (PlatformError) and the slot is unchanged.
    void setSlotText(int slot, std::string text)
    {
        text = withCrLf(std::move(text));
        checkSlotText(slot, text);
        storeSlotText(slot, std::move(text));
    }

    // Throws as setSlotText would for this text, and changes nothing.
    void checkSlotText(int slot, std::string_view text) const
    {
        if (const std::optional<std::string> why = refusal(text))
            throw PlatformError("slot " + std::to_string(slot) + ": " + *why);
    }

protected:
    // The text box's part: store a text whose line breaks are all CR LF. The
    // text is handed over: a host may keep it.
    virtual void storeSlotText(int slot, std::string text) = 0;
    // Why the text box cannot hold this text without losing part of it; nothing when it can.
    virtual std::optional<std::string> refusal(std::string_view) const { return std::nullopt; }
};

using SlotTexts = std::array<std::string, kSlotCount>;
using SlotTextViews = std::array<std::string_view, kSlotCount>;

} // namespace tavimor

// Slot-set files: any file read back either fails cleanly or gives six texts;
// and six texts made from the input, once written, read back exactly.
#include "FakePlatform.h"
#include "FuzzSupport.h"
#include "slotset/SlotSetFormat.h"
#include "platform/TextCodec.h"

#include <cstdlib>

using namespace tavimor;

namespace {

// Six texts cut from the input at byte 0xFF, which valid UTF-8 never holds.
SlotTexts sixTexts(std::string_view input)
{
    SlotTexts texts;
    std::size_t slot = 0;
    for (char c : input) {
        if (static_cast<unsigned char>(c) == 0xFF) {
            if (++slot == texts.size())
                break;
        } else {
            texts[slot] += c;
        }
    }
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    test::MemoryFileStore store;
    TextFile file(store);

    // Any file: a clean refusal or six texts, and the file is closed either way.
    store.files["any.tvm"] = bytes;
    try {
        file.OpenInput("any.tvm", ReadLimit{1 << 22, "a slot set", kHeaderLine});
        const auto texts = ReadSlotSet(file);
        file.Close();
        (void)texts;
    } catch (const PlatformError&) {
        file.Discard();
    }
    if (file.isOpen())
        std::abort();

    // The round trip: the texts must be what the writer's reader gives back.
    // Inputs that are not UTF-8 or hold a separator line would be refused or
    // changed by design; line breaks are CR LF, as in every slot. NUL and the
    // other control characters must come back like any other.
    SlotTexts texts = sixTexts(bytes);
    for (std::string& t : texts) {
        if (!fuzz::strictUtf8(t) || t.rfind("\xEF\xBB\xBF", 0) == 0)
            return 0;
        t = withCrLf(std::move(t));
    }
    if (slotWithSeparatorLine(viewsOf(texts)))
        return 0;
    file.OpenOutput("set.tvm");
    WriteSlotSet(file, texts);
    file.Close();
    file.OpenInput("set.tvm", ReadLimit{1 << 24, "a slot set", kHeaderLine});
    const auto back = ReadSlotSet(file);
    file.Close();
    if (!back || *back != texts)
        std::abort();
    return 0;
}

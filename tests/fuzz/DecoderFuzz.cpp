// Arbitrary bytes as a text file: the decoder and the line reader must not
// fail in any other way than refusing the file, and what they give is UTF-8.
#include "FakePlatform.h"
#include "FuzzSupport.h"
#include "platform/TextCodec.h"

#include <cstdlib>

using namespace tavimor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto decoded = decodeText(bytes);
    if (decoded && !fuzz::strictUtf8(decoded->utf8))
        std::abort();

    test::MemoryFileStore store;
    store.files["f"] = bytes;
    TextFile file(store);
    try {
        file.OpenInput("f", ReadLimit{1 << 20, "a slot"});
    } catch (const PlatformError&) {
        if (decoded || size > (1 << 20))
            std::abort(); // text within the limit must open
        return 0;
    }
    std::size_t total = 0;
    while (!file.AtEnd()) {
        const std::string line = file.ReadLine();
        // A line never holds a CR or an LF: CR LF, CR and LF all end it.
        if (line.find_first_of("\r\n") != std::string::npos || !fuzz::strictUtf8(line))
            std::abort();
        total += line.size();
    }
    if (total > decoded->utf8.size())
        std::abort();
    file.Close();
    return 0;
}

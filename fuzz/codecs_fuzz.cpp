// Decoding then encoding gives back every byte of a Latin field, and every byte that
// TIS-620 defines; text that encodes decodes back to itself.

#include "thaitext/codec.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto latin = thaitext::encodeCp1252(thaitext::decodeCp1252(bytes));
    if (!latin || *latin != bytes)
        std::abort();
    const std::u16string thai = thaitext::decodeTis620(bytes);
    const auto back = thaitext::encodeTis620(thai);
    const bool allDefined = thai.find(u'\uFFFD') == std::u16string::npos;
    if (allDefined != back.has_value() || (back && *back != bytes))
        std::abort();
    // The same bytes as UTF-16 text, two at a time.
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    for (bool isThai : {false, true}) {
        const auto encoded = isThai ? thaitext::encodeTis620(text) : thaitext::encodeCp1252(text);
        if (encoded &&
            (isThai ? thaitext::decodeTis620(*encoded) : thaitext::decodeCp1252(*encoded)) != text)
            std::abort();
    }
    thaitext::utf8ToUtf16(bytes);
    return 0;
}

#pragma once
// Byte-exact conversion between the kit's single-byte text and UTF-16.
// Thai fields use TIS-620; every other field uses code page 1252.

#include <optional>
#include <string>
#include <string_view>

namespace thaitext {

// One byte to one UTF-16 unit. TIS-620: bytes it does not define give U+FFFD.
char16_t tis620ToUnicode(unsigned char byte);
// Code page 1252: the five unassigned bytes give the C1 control of the same value,
// so every byte decodes to a distinct character.
char16_t cp1252ToUnicode(unsigned char byte);

// The reverse: the byte for a character, or nothing when the code set lacks it.
std::optional<unsigned char> unicodeToTis620(char16_t ch);
std::optional<unsigned char> unicodeToCp1252(char16_t ch);

std::u16string decodeTis620(std::string_view bytes);
std::u16string decodeCp1252(std::string_view bytes);

// Encoding refuses text with a character the code set lacks: no replacement.
std::optional<std::string> encodeTis620(std::u16string_view text);
std::optional<std::string> encodeCp1252(std::u16string_view text);

} // namespace thaitext

namespace thaitext {

// UTF-8 to UTF-16, for sources kept in UTF-8 (the starter dictionary). Empty on a
// malformed sequence.
std::optional<std::u16string> utf8ToUtf16(std::string_view utf8);

} // namespace thaitext

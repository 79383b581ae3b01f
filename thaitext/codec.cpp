#include "codec.h"

#include <array>

namespace thaitext {
namespace {

// Code page 1252 at 0x80-0x9F; 0 marks the bytes it leaves unassigned.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char16_t kReplacement = 0xFFFD;

template <typename Decode> std::u16string decodeWith(std::string_view bytes, Decode decode) {
    std::u16string out;
    out.resize(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        out[i] = decode(static_cast<unsigned char>(bytes[i]));
    return out;
}

template <typename Encode>
std::optional<std::string> encodeWith(std::u16string_view text, Encode encode) {
    std::string out;
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = encode(text[i]);
        if (!byte)
            return std::nullopt;
        out[i] = static_cast<char>(*byte);
    }
    return out;
}

} // namespace

char16_t tis620ToUnicode(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    if (byte >= 0xA1 && byte <= 0xDA)
        return static_cast<char16_t>(0x0E01 + (byte - 0xA1));
    if (byte >= 0xDF && byte <= 0xFB)
        return static_cast<char16_t>(0x0E3F + (byte - 0xDF));
    return kReplacement;
}

char16_t cp1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        const char16_t mapped = kCp1252High[byte - 0x80];
        return mapped ? mapped : static_cast<char16_t>(byte);
    }
    return byte;
}

std::optional<unsigned char> unicodeToTis620(char16_t ch) {
    if (ch < 0x80)
        return static_cast<unsigned char>(ch);
    if (ch >= 0x0E01 && ch <= 0x0E3A)
        return static_cast<unsigned char>(0xA1 + (ch - 0x0E01));
    if (ch >= 0x0E3F && ch <= 0x0E5B)
        return static_cast<unsigned char>(0xDF + (ch - 0x0E3F));
    return std::nullopt;
}

std::optional<unsigned char> unicodeToCp1252(char16_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return static_cast<unsigned char>(ch);
    for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
        const char16_t mapped = kCp1252High[i];
        if (mapped == ch || (mapped == 0 && ch == 0x80 + i))
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::u16string decodeTis620(std::string_view bytes) {
    return decodeWith(bytes, tis620ToUnicode);
}
std::u16string decodeCp1252(std::string_view bytes) {
    return decodeWith(bytes, cp1252ToUnicode);
}

std::optional<std::string> encodeTis620(std::u16string_view text) {
    return encodeWith(text, unicodeToTis620);
}
std::optional<std::string> encodeCp1252(std::u16string_view text) {
    return encodeWith(text, unicodeToCp1252);
}

} // namespace thaitext

namespace thaitext {

std::optional<std::u16string> utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t extra;
        char32_t cp;
        if (lead < 0x80) {
            cp = lead;
            extra = 0;
        } else if ((lead & 0xE0) == 0xC0) {
            cp = lead & 0x1F;
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            cp = lead & 0x0F;
            extra = 2;
        } else if ((lead & 0xF8) == 0xF0) {
            cp = lead & 0x07;
            extra = 3;
        } else {
            return std::nullopt;
        }
        if (i + extra >= utf8.size())
            return std::nullopt;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            cp = (cp << 6) | (next & 0x3F);
        }
        i += 1 + extra;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

} // namespace thaitext

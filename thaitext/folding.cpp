#include "folding.h"

#include <array>

namespace thaitext {
namespace {

std::array<unsigned char, 256> makeTable() {
    std::array<unsigned char, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[static_cast<std::size_t>(b)] = static_cast<unsigned char>(b);
    auto set = [&table](int from, int to) {
        table[static_cast<std::size_t>(from)] = static_cast<unsigned char>(to);
    };
    for (int b = 'A'; b <= 'Z'; ++b)
        set(b, b + 32);
    // Code page 1252's capitals: À to Þ but the multiplication sign, and Š, Œ, Ž, Ÿ.
    for (int b = 0xC0; b <= 0xDE; ++b)
        if (b != 0xD7)
            set(b, b + 32);
    set(0x8A, 0x9A);
    set(0x8C, 0x9C);
    set(0x8E, 0x9E);
    set(0x9F, 0xFF);
    // The small accented vowels to their plain letters.
    const struct {
        int from, to;
        char plain;
    } vowels[] = {{0xE0, 0xE5, 'a'}, {0xE8, 0xEB, 'e'}, {0xEC, 0xEF, 'i'}, {0xF2, 0xF6, 'o'},
                  {0xF9, 0xFC, 'u'}, {0xFD, 0xFD, 'y'}, {0xFF, 0xFF, 'y'}};
    for (const auto& v : vowels)
        for (int b = v.from; b <= v.to; ++b)
            set(b, v.plain);
    // Capitals fold through their small letters.
    for (int b = 0; b < 256; ++b)
        table[static_cast<std::size_t>(b)] = table[table[static_cast<std::size_t>(b)]];
    return table;
}

const std::array<unsigned char, 256>& table() {
    static const std::array<unsigned char, 256> folded = makeTable();
    return folded;
}

} // namespace

unsigned char foldLatin(unsigned char byte) {
    return table()[byte];
}

const unsigned char* foldingTable() {
    return table().data();
}

std::string foldLatin(std::string_view bytes) {
    std::string folded(bytes);
    for (char& c : folded)
        c = static_cast<char>(table()[static_cast<unsigned char>(c)]);
    return folded;
}

} // namespace thaitext

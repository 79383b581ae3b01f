#pragma once
// The 46 letters of the chart: the Thai character codes 0xA1 to 0xCE, the 44 consonants
// with RU and LU among them. Compiled-in data; strings are UTF-8.

#include "thaitext/palette.h"

#include <array>

namespace chartola {

enum class ConsonantClass { Mid, High, Low, VowelLetter };

struct Consonant {
    int number;               // 1..46, the N of CommandN
    unsigned char code;       // TIS-620 code, always 0xA0 + number
    const char* standardName; // the character's standard name, "KO KAI"
    const char* reading;      // shown in Text1
    const char* nameLine;     // shown in Text2
    const char* soundFile;    // file name in the sound folder
    thaitext::Rgb background;
    ConsonantClass letterClass;
    bool obsolete; // no longer used in writing

    int row() const { return (number - 1) / 8; }
    int column() const { return (number - 1) % 8; }
};

inline constexpr int kConsonantCount = 46;

const std::array<Consonant, kConsonantCount>& consonantTable();
// Entry N, 1..46.
const Consonant& consonant(int number);

} // namespace chartola

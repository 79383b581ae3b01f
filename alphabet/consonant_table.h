#pragma once
// The 46 letters of the Thai alphabet chart: the character codes 0xA1 to 0xCE, the 44
// consonants with RU and LU among them. Compiled-in data; strings are UTF-8. Chartola's chart
// and Ripasso's drills both read it.

#include "thaitext/palette.h"

#include <array>

namespace alphabet {

enum class ConsonantClass { Mid, High, Low, VowelLetter };

struct Consonant {
    int number;               // 1..46, the place on the chart (Chartola's CommandN)
    unsigned char code;       // TIS-620 code, always 0xA0 + number
    const char* standardName; // the character's standard name, "KO KAI"
    const char* reading;      // how it reads, "ko-kài"
    const char* nameLine;     // its name with the sounds it stands for
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

} // namespace alphabet

#pragma once
// How eSpeak NG's Thai voice is told to say what the syllable reader read: each syllable as the
// voice's own phonemes (its "[[...]]" input), never as Thai text, whose rules misread Thai.
// A syllable is written initial, stress mark, vowel, tone digit, final: ช้าง "tS;h'a:4N",
// ไก่ "k'ai2", ขวด "k_hu'@:2t", a short open syllable with its glottal stop: จุ "tS;'u2?".
// The tone digits were measured on the voice (data/sounds/letter_names.tsv): mid 3, low 2,
// falling 5, high 4, rising 1.

#include "syllable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace thaiscript {

// The phonemes of one syllable read by the reader.
std::string espeakPhonemes(const Syllable& syllable);

// A word's syllables in the order spoken, each with its phonemes and the number of the
// written piece it belongs to (pieces are split at '-' and spaces: "กอ ไก่" is two words,
// ระฆัง one word of two syllables). Nothing when any piece cannot be read: a word that does not
// read whole is not spoken.
struct SpokenSyllable {
    std::string phonemes;
    int word = 0; // 0, 1, ...: syllables of one written piece share it
};
std::optional<std::vector<SpokenSyllable>> spokenSyllables(std::string_view tis620);

} // namespace thaiscript

#include "phonemes.h"

namespace thaiscript {

std::string espeakPhonemes(const Syllable&) {
    return {};
}

std::optional<std::vector<SpokenSyllable>> spokenSyllables(std::string_view) {
    return std::nullopt;
}

} // namespace thaiscript

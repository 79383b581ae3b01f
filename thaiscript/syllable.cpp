#include "syllable.h"

namespace thaiscript {

std::optional<Syllable> readSyllable(std::string_view) {
    return std::nullopt;
}

std::vector<Piece> readWord(std::string_view) {
    return {};
}

bool readsWhole(const std::vector<Piece>& pieces) {
    for (const Piece& p : pieces)
        if (!p.syllable)
            return false;
    return !pieces.empty();
}

FinalSound finalSoundOf(unsigned char) {
    return FinalSound::None;
}

const char* toneName(Tone) {
    return "";
}
const char* markName(Mark) {
    return "";
}
const char* finalSoundName(FinalSound) {
    return "";
}
const char* lengthName(Length) {
    return "";
}

Tone ruleTone(alphabet::ConsonantClass, bool, Length, Mark) {
    return Tone::Mid;
}

} // namespace thaiscript

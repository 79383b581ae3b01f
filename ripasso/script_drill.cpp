#include "script_drill.h"

namespace ripasso {

std::vector<thaiscript::Syllable> toneDrillSyllables(const std::filesystem::path&, std::size_t) {
    return {};
}

const std::vector<thaiscript::Syllable>& commonSyllables() {
    static const std::vector<thaiscript::Syllable> none;
    return none;
}

const std::vector<std::vector<unsigned char>>& lookAlikeGroups() {
    static const std::vector<std::vector<unsigned char>> none;
    return none;
}

ScriptDrillMaker::ScriptDrillMaker(DrillKind kind, std::uint32_t seed,
                                   std::vector<thaiscript::Syllable> syllables)
    : kind_(kind), random_(seed), syllables_(std::move(syllables)) {}

std::vector<ScriptQuestion> ScriptDrillMaker::makeRound(const std::vector<LetterScore>&, int) {
    return {};
}

} // namespace ripasso

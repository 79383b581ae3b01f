#pragma once
// The drills of the script beyond the consonants: vowel forms (reading, sound, length), tone
// marks, the tone of a syllable, final consonants, and letters that look alike. A round draws
// its items as the letter drills do (no item twice, weights growing with the misses), and each
// question offers distinct choices with the right one among them.

#include "letter_drill.h"
#include "progress_store.h"

#include "thaiscript/syllable.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace ripasso {

struct ScriptQuestion {
    int code = 0;          // the item's key in the letter table, under the drill's number
    std::string prompt;    // UTF-8, shown big: a vowel form, a mark on อ, a syllable, a final
    std::string soundFile; // a file of the sound folder to play, or empty
    // UTF-8, as offered. The length and tone drills give the English names ("long",
    // "falling"), which the page translates.
    std::array<std::string, 4> choices{};
    int choiceCount = 4;
    int right = 0;
    // The tone drill: the reading that gives the tone, for the rule shown with the answer.
    std::optional<thaiscript::Syllable> syllable;
};

// The syllables the tone drill asks: the one-syllable Thai fields of the folder's forward
// records that the reader reads, each spelling once; the kit's list of common words when the
// folder gives fewer than `atLeast`.
std::vector<thaiscript::Syllable> toneDrillSyllables(const std::filesystem::path& folder,
                                                     std::size_t atLeast = kQuestionsPerRound);
// The kit's list of common one-syllable words, read by the reader.
const std::vector<thaiscript::Syllable>& commonSyllables();

// The tone drill's key of a syllable in the letter table: the rule that gives its tone, so
// that a miss weighs every syllable of that rule. Hundreds: the class (1 mid, 2 high, 3 low),
// or 9 for a word read against the rules; tens: 0 with a mark, 1 live, 2 dead (mid and high
// class, either length), 3 dead short, 4 dead long (low class); units: the mark (0 none,
// 1 mai ek .. 4 mai chattawa). Stored with the answers: never renumber.
int toneRuleKey(const thaiscript::Syllable& syllable);

// The groups of letters that look alike (TIS-620 codes), each of two or more.
const std::vector<std::vector<unsigned char>>& lookAlikeGroups();

class ScriptDrillMaker {
public:
    // `syllables` feeds the tone drill and is unused by the others.
    ScriptDrillMaker(DrillKind kind, std::uint32_t seed,
                     std::vector<thaiscript::Syllable> syllables = {});

    std::vector<ScriptQuestion> makeRound(const std::vector<LetterScore>& scores,
                                          int count = kQuestionsPerRound);

private:
    ScriptQuestion makeQuestion(int code, std::size_t index);

    DrillKind kind_;
    std::mt19937 random_;
    std::vector<thaiscript::Syllable> syllables_;
};

} // namespace ripasso

#pragma once
// The letter drills: hear a letter and pick it, see a letter and pick its reading, see a
// letter and pick its class. A round asks 20 letters, drawn with weights that grow with the
// misses of each letter, so that the letters answered wrong before come more often.

#include "progress_store.h"

#include "alphabet/consonant_table.h"

#include <array>
#include <cstdint>
#include <random>
#include <vector>

namespace ripasso {

struct DrillQuestion {
    int letter = 0; // number of the letter asked, 1..46
    // The letter numbers offered (sound and reading drills), or the classes (class drill:
    // Mid, High, Low, in that order always); unused places are 0.
    std::array<int, 4> choices{};
    int choiceCount = 4;
    int right = 0; // index of the right choice
};

inline constexpr int kQuestionsPerRound = 20;

// The letters a drill asks: the 44 consonants (RU and LU are vowel letters, without class
// or reading of their own).
std::vector<const alphabet::Consonant*> drillLetters();

// How likely a letter is drawn, from its miss weight.
double drawWeight(double missWeight);
// The score after one more answer: a miss adds one to the weight (at most 4), a right
// answer halves it.
LetterScore scoreAfter(LetterScore score, bool right);

class DrillMaker {
public:
    DrillMaker(DrillKind kind, std::uint32_t seed) : kind_(kind), random_(seed) {}

    // `count` questions, no letter twice, drawn by the weights of `scores` (letters without a
    // score weigh as never missed).
    std::vector<DrillQuestion> makeRound(const std::vector<LetterScore>& scores,
                                         int count = kQuestionsPerRound);

private:
    DrillQuestion makeQuestion(const alphabet::Consonant& asked);

    DrillKind kind_;
    std::mt19937 random_;
};

} // namespace ripasso

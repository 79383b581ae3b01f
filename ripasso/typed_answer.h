#pragma once
// A typed answer of the review held against the answers a card accepts: how near it is, as
// the look-up measures it (datafiles/near_words.h), the grade that nearness proposes, and the
// letters side by side for showing what differs. Bytes in code page 1252 throughout.

#include "fsrs.h"

#include "datafiles/near_words.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ripasso {

// What differs, for the note beside the proposal.
enum class AnswerDifference {
    None,           // the very answer
    LetterCase,     // letter case alone
    Accents,        // accents alone (and maybe letter case)
    DoubledVowel,   // a vowel written once or twice (pronunciations only)
    LetterAdded,    // one letter too many
    LetterMissing,  // one letter left out
    LetterChanged,  // one letter for another
    LettersSwapped, // two neighbours swapped
    Far,            // more than that
    Empty,          // nothing typed
};

// One step of the letters side by side.
enum class LetterOp {
    Same,    // the expected letter
    Folded,  // the expected letter but for its case or accent
    Changed, // another letter in its place
    Swapped, // one of two neighbours typed the other way round
    Added,   // a letter typed that the answer lacks (no expected letter)
    Missing, // a letter of the answer not typed (no typed letter)
};

struct LetterStep {
    LetterOp op = LetterOp::Same;
    char typed = 0;    // none for Missing
    char expected = 0; // none for Added
    friend bool operator==(const LetterStep&, const LetterStep&) = default;
};

struct AnswerComparison {
    datafiles::Nearness nearness = datafiles::Nearness::None; // None: the very answer, or far
    AnswerDifference difference = AnswerDifference::Empty;
    Grade proposed = Grade::Again;
    std::size_t matched = 0; // the accepted answer compared with, the nearest
    std::size_t accents = 0; // the letters that differ by their accent (for the note)
    std::vector<LetterStep> steps;
};

// `typed` (its spaces at both ends left out) against every one of `accepted` (at least one),
// the nearest taken: the same, Good; letter case, accents or a doubled vowel apart
// (`isPronunciation` alone), Good; one letter apart, Hard; further or nothing typed, Again.
AnswerComparison compareAnswer(std::string_view typed, const std::vector<std::string>& accepted,
                               bool isPronunciation);

// The letters of `typed` set against `expected`, the fewest changes first.
std::vector<LetterStep> letterSteps(std::string_view typed, std::string_view expected);

} // namespace ripasso

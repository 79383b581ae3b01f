#pragma once
// Reading written Thai as a Thai reads it: one syllable's initial, vowel, final, tone mark,
// live or dead, and tone; a word split into its syllables where exactly one split reads.
// Text is TIS-620 bytes, as the data files hold it. A syllable that cannot be read with
// certainty is reported so, never guessed: words read against the rules are listed with their
// reading, not computed.

#include "alphabet/consonant_table.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace thaiscript {

enum class Tone { Mid, Low, Falling, High, Rising };
enum class Length { Short, Long };
enum class Mark { None, MaiEk, MaiTho, MaiTri, MaiChattawa };
enum class FinalSound { None, K, T, P, M, N, Ng, W, Y };

struct Syllable {
    std::string text;    // the syllable as written, TIS-620
    std::string initial; // the letters of the initial as written, leading ห or อ included
                         // ("หม", "กร", "อย"), TIS-620
    // The class whose rules give the tone: the initial's first letter, or the leading ห (high)
    // or อ (mid). Never VowelLetter.
    alphabet::ConsonantClass toneClass = alphabet::ConsonantClass::Mid;
    std::string vowel; // the vowel's reading in the kit's romanisation: "a", "aa", "uea", "am"
    Length length = Length::Short;
    std::string finalLetters; // the final's letters as written (silenced ones left out), TIS-620
    FinalSound finalSound = FinalSound::None;
    bool live = true;
    Mark mark = Mark::None;
    Tone tone = Tone::Mid;
    bool listed = false; // read from the list of words read against the rules
};

// One written syllable; nothing when it is not exactly one syllable that reads with
// certainty (nothing Thai, a mark alone, two syllables, an unknown spelling).
std::optional<Syllable> readSyllable(std::string_view tis620);

// A piece of a word: the text and its reading, or no reading when it cannot be read.
struct Piece {
    std::string text; // TIS-620
    std::optional<Syllable> syllable;
};

// A word: the pieces between '-' and spaces are each read; a piece without separators that
// is more than one syllable is split where exactly one split reads into syllables (สับปะรด),
// and otherwise stays one piece without a reading (several splits read, or none).
std::vector<Piece> readWord(std::string_view tis620);
// True when every piece of the word has a reading.
bool readsWhole(const std::vector<Piece>& pieces);

// The sound a letter (TIS-620 code) has as a final, None for the letters that do not end a
// syllable (ฃ ฅ ฉ ผ ฝ ห อ ฮ) and for non-consonants.
FinalSound finalSoundOf(unsigned char letter);

// Names for lines and messages, in the kit's English: "mid", "falling"; "mai ek", "none";
// "-k", "-ng", "-" (no final); "short", "long".
const char* toneName(Tone tone);
const char* markName(Mark mark);
const char* finalSoundName(FinalSound sound);
const char* lengthName(Length length);

// The tone of a syllable by the rules alone: its class, live or dead, length and mark.
Tone ruleTone(alphabet::ConsonantClass toneClass, bool live, Length length, Mark mark);

} // namespace thaiscript

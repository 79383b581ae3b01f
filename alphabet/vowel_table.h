#pragma once
// The vowel forms of Thai writing, as the vowel drills show and sound them: each form with
// its reading and length, written on อ (or on a consonant where the form needs one), and
// the sound file the kit makes for it. Compiled-in data; strings are UTF-8.

#include <vector>

namespace alphabet {

enum class VowelLength { Short, Long };

struct VowelForm {
    int number;       // 1.., the order of the table, used as the drill's key
    const char* form; // the form with "–" for the consonant: "เ–ีย"
    const char* written; // the form written on อ, or on a consonant where it needs one: "เอีย"
    const char* reading; // the kit's romanisation: "iia"
    VowelLength length;
    int partner;           // number of its short or long partner, 0 when none
    const char* soundFile; // file name in the sound folder
};

const std::vector<VowelForm>& vowelTable();
// Entry N, 1..vowelTable().size().
const VowelForm& vowelForm(int number);

// The tone marks: ่ ้ ๊ ๋ with their names ("mai ek").
struct ToneMarkEntry {
    int number;       // 1..4
    const char* mark; // UTF-8, the mark alone
    const char* onO;  // written on อ: "อ่"
    const char* name; // "mai ek"
};
const std::vector<ToneMarkEntry>& toneMarkTable();

} // namespace alphabet

#include "phonemes.h"

#include <array>
#include <utility>

namespace thaiscript {
namespace {

// The sound of each letter as an initial, by TIS-620 code from ก (0xA1) to ฮ (0xCE); ฤ and ฦ
// are read with their vowel (vowelOf).
constexpr std::array<const char*, 46> kInitials = {
    "k",    "k_h",  "k_h", "k_h",  "k_h", "k_h", "N",   "tS;", // ก ข ฃ ค ฅ ฆ ง จ
    "tS;h", "tS;h", "s",   "tS;h", "j",   "d",   "t",   "t_h", // ฉ ช ซ ฌ ญ ฎ ฏ ฐ
    "t_h",  "t_h",  "n",   "d",    "t",   "t_h", "t_h", "t_h", // ฑ ฒ ณ ด ต ถ ท ธ
    "n",    "b",    "p",   "p_h",  "f",   "p_h", "f",   "p_h", // น บ ป ผ ฝ พ ฟ ภ
    "m",    "j",    "R",   "",     "l",   "",    "w",   "s",   // ม ย ร ฤ ล ฦ ว ศ
    "s",    "s",    "h",   "l",    "?",   "h"};                // ษ ส ห ฬ อ ฮ

constexpr unsigned char kHoHip = 0xCB, kOAng = 0xCD, kRoRua = 0xC3, kThoThahan = 0xB7;

std::string letterSound(unsigned char letter) {
    if (letter < 0xA1 || letter > 0xCE)
        return {};
    return kInitials[static_cast<std::size_t>(letter - 0xA1)];
}

// The initial's letters as sounds: a leading ห or อ is silent; a true cluster says both
// letters; ร after any other letter is silent (จริง, สร้าง, ศรี), and ทร is s (ทราย).
std::string initialOf(const std::string& letters) {
    if (letters.size() == 1)
        return letterSound(static_cast<unsigned char>(letters[0]));
    if (letters.size() != 2)
        return {};
    const auto first = static_cast<unsigned char>(letters[0]);
    const auto second = static_cast<unsigned char>(letters[1]);
    if (first == kHoHip || first == kOAng)
        return letterSound(second);
    if (second == kRoRua) {
        if (first == kThoThahan)
            return "s";
        const std::string sound = letterSound(first);
        // The clusters with ร: กร ขร คร ปร พร ตร.
        if (sound == "k" || sound == "k_h" || sound == "p" || sound == "p_h" || sound == "t")
            return sound + "R";
        return sound;
    }
    return letterSound(first) + letterSound(second);
}

// A vowel's phonemes: before the stress mark (the first, unstressed part of a diphthong), the
// stressed nucleus, and the final it brings (ำ m, ใ ไ j, เ–า w).
struct Vowel {
    std::string before;
    std::string nucleus;
    FinalSound brings = FinalSound::None;
};

Vowel vowelOf(const std::string& reading) {
    using F = FinalSound;
    static const std::array<std::pair<const char*, Vowel>, 32> kVowels = {{
        {"a", {"", "a"}},          {"aa", {"", "a:"}},        {"i", {"", "i"}},
        {"ii", {"", "i:"}},        {"ue", {"", "W"}},         {"uee", {"", "W:"}},
        {"u", {"", "u"}},          {"uu", {"", "u:"}},        {"e", {"", "e"}},
        {"ee", {"", "e:"}},        {"ae", {"", "E"}},         {"aae", {"", "E:"}},
        {"o", {"", "o"}},          {"oo", {"", "o:"}},        {"ɔ", {"", "O"}},
        {"ɔɔ", {"", "O:"}},        {"oe", {"", "@"}},         {"oee", {"", "@:"}},
        {"ia", {"i", "@"}},        {"iia", {"i", "@:"}},      {"uea", {"W", "@"}},
        {"ueea", {"W", "@:"}},     {"ua", {"u", "@"}},        {"uua", {"u", "@:"}},
        {"am", {"", "a", F::M}},   {"aam", {"", "a:", F::M}}, {"ai", {"", "a", F::Y}},
        {"aai", {"", "a:", F::Y}}, {"ao", {"", "a", F::W}},   {"aao", {"", "a:", F::W}},
        {"rue", {"", "W"}},        {"ruee", {"", "W:"}},
    }};
    for (const auto& [name, vowel] : kVowels)
        if (reading == name)
            return vowel;
    if (reading == "lue" || reading == "luee")
        return {"", reading == "lue" ? "W" : "W:"};
    return {};
}

// The voice's diphthongs that end in a glide: a vowel and i or u said as one phoneme. Other
// vowels take the glide as a final after the tone digit (สร้อย s'O:5j, เขียว k_hi'@:1w).
bool isGlidePhoneme(const std::string& phoneme) {
    static const std::array<const char*, 12> kDiphthongs = {"ai", "a:i", "au", "a:u", "iu", "Wi",
                                                            "ui", "eu",  "Eu", "oi",  "Oi", "@i"};
    for (const char* d : kDiphthongs)
        if (phoneme == d)
            return true;
    return false;
}

const char* finalOf(FinalSound sound) {
    static constexpr const char* kFinals[] = {"", "k", "t", "p", "m", "n", "N", "w", "j"};
    return kFinals[static_cast<int>(sound)];
}

// The tone digits measured on the voice (data/sounds/letter_names.tsv).
char toneDigit(Tone tone) {
    static constexpr char kDigits[] = {'3', '2', '5', '4', '1'}; // mid low falling high rising
    return kDigits[static_cast<int>(tone)];
}

} // namespace

std::string espeakPhonemes(const Syllable& s) {
    std::string initial = initialOf(s.initial);
    if (s.vowel.starts_with("rue"))
        initial = "R";
    else if (s.vowel.starts_with("lue"))
        initial = "l";
    const Vowel vowel = vowelOf(s.vowel);
    if (initial.empty() || vowel.nucleus.empty())
        return {};
    const FinalSound final = vowel.brings != FinalSound::None ? vowel.brings : s.finalSound;
    std::string nucleus = vowel.nucleus;
    std::string after;
    if (final == FinalSound::W || final == FinalSound::Y) {
        const std::string glided = nucleus + (final == FinalSound::W ? "u" : "i");
        if (vowel.before.empty() && isGlidePhoneme(glided))
            nucleus = glided;
        else
            after = finalOf(final);
    } else if (final != FinalSound::None) {
        after = finalOf(final);
    } else if (s.length == Length::Short) {
        after = "?"; // a short open syllable ends in a glottal stop
    }
    return initial + vowel.before + "'" + nucleus + toneDigit(s.tone) + after;
}

std::optional<std::vector<SpokenSyllable>> spokenSyllables(std::string_view tis620) {
    // Each run between separators is one written word; readWord splits the same runs.
    std::vector<SpokenSyllable> spoken;
    int word = 0;
    std::size_t from = 0;
    while (true) {
        const std::size_t to = tis620.find_first_of("- ", from);
        const std::vector<Piece> pieces =
            readWord(tis620.substr(from, to == std::string_view::npos ? tis620.npos : to - from));
        if (!readsWhole(pieces))
            return std::nullopt;
        for (const Piece& piece : pieces) {
            std::string phonemes = espeakPhonemes(*piece.syllable);
            if (phonemes.empty())
                return std::nullopt;
            spoken.push_back({std::move(phonemes), word});
        }
        if (to == std::string_view::npos)
            return spoken;
        from = to + 1;
        ++word;
    }
}

} // namespace thaiscript

#include "syllable.h"

#include "thaitext/codec.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>

namespace thaiscript {
namespace {

using alphabet::ConsonantClass;

// TIS-620 codes the reader looks at by name.
constexpr unsigned char kRu = 0xC4, kLu = 0xC6, kLakkhangyao = 0xE5;
constexpr unsigned char kHoHip = 0xCB, kOAng = 0xCD, kYoYak = 0xC2, kRoRua = 0xC3, kWoWaen = 0xC7;
constexpr unsigned char kMaiTaikhu = 0xE7, kThanthakhat = 0xEC;
constexpr unsigned char kSaraI = 0xD4, kSaraU = 0xD8;

bool isConsonant(unsigned char c) {
    return c >= 0xA1 && c <= 0xCE && c != kRu && c != kLu;
}
bool isLeadingVowel(unsigned char c) {
    return c >= 0xE0 && c <= 0xE4; // เ แ โ ใ ไ
}
// The signs written above or below the consonant, before the tone mark: ั ิ ี ึ ื ุ ู ็.
bool isAboveOrBelow(unsigned char c) {
    return c == 0xD1 || (c >= 0xD4 && c <= 0xD9) || c == kMaiTaikhu;
}
bool isToneMark(unsigned char c) {
    return c >= 0xE8 && c <= 0xEB;
}
// The bytes a syllable may hold: consonants, ฤ ฦ, the vowel signs, ๅ and the marks.
bool isSyllableByte(unsigned char c) {
    return (c >= 0xA1 && c <= 0xCE) || (c >= 0xD0 && c <= 0xD9) || (c >= 0xE0 && c <= 0xE5) ||
           (c >= 0xE7 && c <= 0xEC);
}

ConsonantClass classOf(unsigned char c) {
    return alphabet::consonant(c - 0xA0).letterClass;
}
bool isSonorant(unsigned char c) {
    // ง ญ ณ น ม ย ร ล ว ฬ: the low letters without a high partner.
    static constexpr std::array<unsigned char, 10> kSonorants = {0xA7, 0xAD, 0xB3, 0xB9, 0xC1,
                                                                 0xC2, 0xC3, 0xC5, 0xC7, 0xCC};
    return std::find(kSonorants.begin(), kSonorants.end(), c) != kSonorants.end();
}

// Text of the tables, kept in UTF-8 here and taken to TIS-620 once.
std::string tis(const char* utf8) {
    const auto wide = thaitext::utf8ToUtf16(utf8);
    const auto bytes = wide ? thaitext::encodeTis620(*wide) : std::nullopt;
    if (!bytes)
        throw std::logic_error("a table of the syllable reader is not TIS-620 text");
    return *bytes;
}

// True clusters: the first letter and ร ล ว read together, with the first letter's class.
bool isTrueCluster(unsigned char first, unsigned char second) {
    static const std::array<std::string, 15> kClusters = {
        tis("กร"), tis("กล"), tis("กว"), tis("ขร"), tis("ขล"), tis("ขว"), tis("คร"), tis("คล"),
        tis("คว"), tis("ปร"), tis("ปล"), tis("พร"), tis("พล"), tis("ตร"), tis("ผล")};
    const char pair[] = {static_cast<char>(first), static_cast<char>(second)};
    return std::find(kClusters.begin(), kClusters.end(), std::string_view(pair, 2)) !=
           kClusters.end();
}

// The four words in which อ leads ย.
bool isLeadingOWord(std::string_view text) {
    static const std::array<std::string, 4> kWords = {tis("อย่า"), tis("อยู่"), tis("อย่าง"),
                                                      tis("อยาก")};
    return std::find(kWords.begin(), kWords.end(), text) != kWords.end();
}

enum class Finals { Never, May, Must };

// A vowel form: the sign written before the consonant (or 0), the signs after the initial up to
// the final, whether a final follows, the reading and the length.
struct VowelShape {
    unsigned char before;
    std::string after;
    Finals finals;
    const char* reading;
    Length length;
};

const std::vector<VowelShape>& vowelShapes() {
    constexpr auto S = Length::Short, L = Length::Long;
    constexpr auto Never = Finals::Never, May = Finals::May, Must = Finals::Must;
    const auto e = static_cast<unsigned char>(0xE0), ae = static_cast<unsigned char>(0xE1),
               o = static_cast<unsigned char>(0xE2);
    static const std::vector<VowelShape> shapes = {
        {0, tis("ะ"), Never, "a", S},
        {0, tis("ั"), Must, "a", S},
        {0, tis("า"), May, "aa", L},
        {0, tis("ำ"), Never, "am", S},
        {0, tis("ิ"), May, "i", S},
        {0, tis("ี"), May, "ii", L},
        {0, tis("ึ"), May, "ue", S},
        {0, tis("ือ"), Never, "uee", L},
        {0, tis("ื"), Must, "uee", L},
        {0, tis("ุ"), May, "u", S},
        {0, tis("ู"), May, "uu", L},
        {e, tis("ะ"), Never, "e", S},
        {e, tis("็"), Must, "e", S},
        {e, "", May, "ee", L},
        {ae, tis("ะ"), Never, "ae", S},
        {ae, tis("็"), Must, "ae", S},
        {ae, "", May, "aae", L},
        {o, tis("ะ"), Never, "o", S},
        {o, "", May, "oo", L},
        {e, tis("าะ"), Never, "ɔ", S},
        {0, tis("อ"), May, "ɔɔ", L},
        {e, tis("อะ"), Never, "oe", S},
        {e, tis("อ"), Never, "oee", L},
        {e, tis("ิ"), Must, "oee", L},
        {e, tis("ียะ"), Never, "ia", S},
        {e, tis("ีย"), May, "iia", L},
        {e, tis("ือะ"), Never, "uea", S},
        {e, tis("ือ"), May, "ueea", L},
        {0, tis("ัวะ"), Never, "ua", S},
        {0, tis("ัว"), Never, "uua", L},
        {0, tis("ว"), Must, "uua", L},
        {static_cast<unsigned char>(0xE3), "", Never, "ai", S},
        {static_cast<unsigned char>(0xE4), "", Never, "ai", S},
        {e, tis("า"), Never, "ao", S},
        {0, "", Must, "o", S}, // the inherent o of a closed syllable: นก คน รถ
    };
    return shapes;
}

// Letters silenced by ์: one or two consonants, the last maybe with ิ or ุ, then ์, at the end.
bool isSilenced(std::string_view rest) {
    if (rest.size() < 2 || static_cast<unsigned char>(rest.back()) != kThanthakhat)
        return false;
    rest.remove_suffix(1);
    const auto last = static_cast<unsigned char>(rest.back());
    if (last == kSaraI || last == kSaraU)
        rest.remove_suffix(1);
    return (rest.size() == 1 || rest.size() == 2) &&
           std::all_of(rest.begin(), rest.end(),
                       [](char c) { return isConsonant(static_cast<unsigned char>(c)); });
}

// Live or dead, and the tone by the rules.
void finish(Syllable& s) {
    if (s.vowel == "am" || s.vowel == "ai" || s.vowel == "ao")
        s.live = true;
    else if (s.finalSound != FinalSound::None)
        s.live = s.finalSound != FinalSound::K && s.finalSound != FinalSound::T &&
                 s.finalSound != FinalSound::P;
    else
        s.live = s.length == Length::Long;
    s.tone = ruleTone(s.toneClass, s.live, s.length, s.mark);
}

// The syllable `text` with the initial `text[start, start + size)` of the class `toneClass`,
// after the sign `before` written ahead of it; nothing when no vowel form fits the rest.
std::vector<Syllable> readWithInitial(std::string_view text, unsigned char before,
                                      std::size_t start, std::size_t size,
                                      ConsonantClass toneClass) {
    std::string rest(text.substr(start + size));
    Mark mark = Mark::None;
    // The tone mark sits on the initial's last letter, after a sign above or below it.
    const std::size_t markAt =
        !rest.empty() && isAboveOrBelow(static_cast<unsigned char>(rest[0])) ? 1 : 0;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const auto c = static_cast<unsigned char>(rest[i]);
        if (!isToneMark(c))
            continue;
        if (i != markAt || mark != Mark::None)
            return {};
        mark = static_cast<Mark>(c - 0xE7);
    }
    if (mark != Mark::None) {
        rest.erase(markAt, 1);
        if (rest.find(static_cast<char>(kMaiTaikhu)) != std::string::npos)
            return {};
        if ((mark == Mark::MaiTri || mark == Mark::MaiChattawa) && toneClass != ConsonantClass::Mid)
            return {};
    }
    const auto lastOfInitial = static_cast<unsigned char>(text[start + size - 1]);
    std::vector<Syllable> found;
    for (const VowelShape& shape : vowelShapes()) {
        if (shape.before != before || !std::string_view(rest).starts_with(shape.after))
            continue;
        const std::string_view after = std::string_view(rest).substr(shape.after.size());
        Syllable s;
        s.text = std::string(text);
        s.initial = std::string(text.substr(start, size));
        s.toneClass = toneClass;
        s.vowel = shape.reading;
        s.length = shape.length;
        s.mark = mark;
        // A final letter, maybe with silenced letters after it (จันทร์); else an open vowel,
        // maybe with silenced letters (เสาร์).
        if (!after.empty() && (after.size() == 1 || isSilenced(after.substr(1)))) {
            const auto letter = static_cast<unsigned char>(after[0]);
            s.finalSound = finalSoundOf(letter);
            if (s.finalSound == FinalSound::None || shape.finals == Finals::Never)
                continue;
            s.finalLetters = std::string(1, static_cast<char>(letter));
        } else if (shape.finals == Finals::Must || !(after.empty() || isSilenced(after))) {
            continue;
        }
        const std::string_view reading = shape.reading;
        const bool closed = s.finalSound != FinalSound::None;
        // –ั– before ว is the vowel –ัว; the inherent o never closes on ร (read -ɔɔn), ว or ย,
        // nor follows a cluster with ว, whose ว is then the vowel –ว–.
        if (reading == "a" && shape.finals == Finals::Must && s.finalSound == FinalSound::W)
            continue;
        if (reading == "o" && shape.before == 0 && closed &&
            (after[0] == static_cast<char>(kRoRua) || s.finalSound == FinalSound::W ||
             s.finalSound == FinalSound::Y || lastOfInitial == kWoWaen))
            continue;
        // เ–ย reads oee with the glide: เลย, เคย.
        if (reading == "ee" && s.finalSound == FinalSound::Y)
            s.vowel = "oee";
        finish(s);
        found.push_back(std::move(s));
    }
    return found;
}

bool sameReading(const Syllable& a, const Syllable& b) {
    return a.initial == b.initial && a.toneClass == b.toneClass && a.vowel == b.vowel &&
           a.length == b.length && a.finalLetters == b.finalLetters &&
           a.finalSound == b.finalSound && a.live == b.live && a.mark == b.mark && a.tone == b.tone;
}

// Words read against the rules, with their reading; an empty initial marks a spelling that
// reads two ways, which the reader refuses: เขา "he" and ฉัน "I" are high in speech and rising
// as written (เขา "mountain" is rising); โทร is "thoo" alone, "tho-ra" in โทรศัพท์.
struct ListedWord {
    const char* text;
    const char* initial;
    ConsonantClass toneClass;
    const char* vowel;
    Length length;
    const char* finalLetters;
    FinalSound finalSound;
    Mark mark;
    Tone tone;
};

Syllable listedSyllable(const ListedWord& w) {
    using F = FinalSound;
    Syllable s;
    s.text = tis(w.text);
    s.initial = tis(w.initial);
    s.toneClass = w.toneClass;
    s.vowel = w.vowel;
    s.length = w.length;
    s.finalLetters = tis(w.finalLetters);
    s.finalSound = w.finalSound;
    s.mark = w.mark;
    s.tone = w.tone;
    s.live = w.vowel == std::string_view("ai") || w.vowel == std::string_view("ao") ||
             (w.finalSound == F::None
                  ? w.length == Length::Long
                  : w.finalSound != F::K && w.finalSound != F::T && w.finalSound != F::P);
    s.listed = true;
    return s;
}

const std::map<std::string, std::optional<Syllable>>& listedWords() {
    constexpr auto M = ConsonantClass::Mid, H = ConsonantClass::High, L = ConsonantClass::Low;
    constexpr auto S = Length::Short, Lg = Length::Long;
    using F = FinalSound;
    using K = Mark;
    using T = Tone;
    static const ListedWord kWords[] = {
        {"ก็", "ก", M, "ɔ", S, "", F::None, K::None, T::Falling},
        {"น้ำ", "น", L, "aam", Lg, "", F::None, K::MaiTho, T::High},
        {"ไม้", "ม", L, "aai", Lg, "", F::None, K::MaiTho, T::High},
        {"ได้", "ด", M, "aai", Lg, "", F::None, K::MaiTho, T::Falling},
        {"ใต้", "ต", M, "aai", Lg, "", F::None, K::MaiTho, T::Falling},
        {"เก้า", "ก", M, "aao", Lg, "", F::None, K::MaiTho, T::Falling},
        {"เช้า", "ช", L, "aao", Lg, "", F::None, K::MaiTho, T::High},
        {"เปล่า", "ปล", M, "aao", Lg, "", F::None, K::MaiEk, T::Low},
        {"เล่น", "ล", L, "e", S, "น", F::N, K::MaiEk, T::Falling},
        {"เล่ม", "ล", L, "e", S, "ม", F::M, K::MaiEk, T::Falling},
        {"เก่ง", "ก", M, "e", S, "ง", F::Ng, K::MaiEk, T::Low},
        {"เว้น", "ว", L, "e", S, "น", F::N, K::MaiTho, T::High},
        {"แต่ง", "ต", M, "ae", S, "ง", F::Ng, K::MaiEk, T::Low},
        {"แห่ง", "ห", H, "ae", S, "ง", F::Ng, K::MaiEk, T::Low},
        {"ช่าง", "ช", L, "a", S, "ง", F::Ng, K::MaiEk, T::Falling},
        {"เงิน", "ง", L, "oe", S, "น", F::N, K::None, T::Mid},
        {"ไทย", "ท", L, "ai", S, "", F::None, K::None, T::Mid},
        {"พร", "พ", L, "ɔɔ", Lg, "ร", F::N, K::None, T::Mid},
        {"จริง", "จร", M, "i", S, "ง", F::Ng, K::None, T::Mid},
        {"สร้าง", "สร", H, "aa", Lg, "ง", F::Ng, K::MaiTho, T::Falling},
        {"สร้อย", "สร", H, "ɔɔ", Lg, "ย", F::Y, K::MaiTho, T::Falling},
        {"เสร็จ", "สร", H, "e", S, "จ", F::T, K::None, T::Low},
        {"เศร้า", "ศร", H, "ao", S, "", F::None, K::MaiTho, T::Falling},
        {"ศรี", "ศร", H, "ii", Lg, "", F::None, K::None, T::Rising},
        {"ทราย", "ทร", L, "aa", Lg, "ย", F::Y, K::None, T::Mid},
        {"ทราบ", "ทร", L, "aa", Lg, "บ", F::P, K::None, T::Falling},
        {"ทรง", "ทร", L, "o", S, "ง", F::Ng, K::None, T::Mid},
        {"ทรัพย์", "ทร", L, "a", S, "พ", F::P, K::None, T::High},
        {"เพชร", "พ", L, "e", S, "ช", F::T, K::None, T::High},
        {"เขา", "", H, "", S, "", F::None, K::None, T::Mid},
        {"ฉัน", "", H, "", S, "", F::None, K::None, T::Mid},
        {"โทร", "", L, "", S, "", F::None, K::None, T::Mid},
    };
    static const auto table = [] {
        std::map<std::string, std::optional<Syllable>> words;
        for (const ListedWord& w : kWords) {
            std::optional<Syllable>& entry = words[tis(w.text)];
            if (*w.initial != '\0')
                entry = listedSyllable(w);
        }
        return words;
    }();
    return table;
}

// Words of several syllables read against the rules: an unwritten a after the first letter,
// whose class then gives the tone of a next syllable that begins with a sonorant (ขนม
// khà-nǒm). Each is given as its pieces, the word's own bytes split, with their readings.
const std::map<std::string, std::vector<Piece>>& listedWordsOfSeveral() {
    constexpr auto M = ConsonantClass::Mid, H = ConsonantClass::High, L = ConsonantClass::Low;
    constexpr auto S = Length::Short, Lg = Length::Long;
    using F = FinalSound;
    using K = Mark;
    using T = Tone;
    struct Word {
        const char* text;
        std::vector<ListedWord> pieces;
    };
    static const Word kWords[] = {
        // Letter names.
        {"ชฎา",
         {{"ช", "ช", L, "a", S, "", F::None, K::None, T::High},
          {"ฎา", "ฎ", M, "aa", Lg, "", F::None, K::None, T::Mid}}},
        {"ปฏัก",
         {{"ป", "ป", M, "a", S, "", F::None, K::None, T::Low},
          {"ฏัก", "ฏ", M, "a", S, "ก", F::K, K::None, T::Low}}},
        {"มณโฑ",
         {{"มณ", "ม", L, "o", S, "ณ", F::N, K::None, T::Mid},
          {"โฑ", "ฑ", L, "oo", Lg, "", F::None, K::None, T::Mid}}},
        {"ทหาร",
         {{"ท", "ท", L, "a", S, "", F::None, K::None, T::High},
          {"หาร", "ห", H, "aa", Lg, "ร", F::N, K::None, T::Rising}}},
        // Common words.
        {"สบาย",
         {{"ส", "ส", H, "a", S, "", F::None, K::None, T::Low},
          {"บาย", "บ", M, "aa", Lg, "ย", F::Y, K::None, T::Mid}}},
        {"ขนม",
         {{"ข", "ข", H, "a", S, "", F::None, K::None, T::Low},
          {"นม", "น", H, "o", S, "ม", F::M, K::None, T::Rising}}},
        {"ถนน",
         {{"ถ", "ถ", H, "a", S, "", F::None, K::None, T::Low},
          {"นน", "น", H, "o", S, "น", F::N, K::None, T::Rising}}},
        {"ตลาด",
         {{"ต", "ต", M, "a", S, "", F::None, K::None, T::Low},
          {"ลาด", "ล", M, "aa", Lg, "ด", F::T, K::None, T::Low}}},
        {"ฉลาด",
         {{"ฉ", "ฉ", H, "a", S, "", F::None, K::None, T::Low},
          {"ลาด", "ล", H, "aa", Lg, "ด", F::T, K::None, T::Low}}},
        {"สนุก",
         {{"ส", "ส", H, "a", S, "", F::None, K::None, T::Low},
          {"นุก", "น", H, "u", S, "ก", F::K, K::None, T::Low}}},
        {"อร่อย",
         {{"อ", "อ", M, "a", S, "", F::None, K::None, T::Low},
          {"ร่อย", "ร", M, "ɔɔ", Lg, "ย", F::Y, K::MaiEk, T::Low}}},
    };
    static const auto table = [] {
        std::map<std::string, std::vector<Piece>> words;
        for (const Word& w : kWords) {
            std::vector<Piece>& pieces = words[tis(w.text)];
            for (const ListedWord& piece : w.pieces)
                pieces.push_back({tis(piece.text), listedSyllable(piece)});
            std::string joined;
            for (const Piece& piece : pieces)
                joined += piece.text;
            if (joined != tis(w.text))
                throw std::logic_error("a listed word's pieces are not its letters");
        }
        return words;
    }();
    return table;
}

const std::vector<Piece>* listedPieces(std::string_view text) {
    const auto& words = listedWordsOfSeveral();
    const auto it = words.find(std::string(text));
    return it == words.end() ? nullptr : &it->second;
}

// ฤ ฤๅ ฦ ฦๅ standing alone: the letter is the initial and the vowel.
std::optional<Syllable> readVowelLetter(std::string_view text) {
    const auto first = static_cast<unsigned char>(text[0]);
    if ((first != kRu && first != kLu) || text.size() > 2 ||
        (text.size() == 2 && static_cast<unsigned char>(text[1]) != kLakkhangyao))
        return std::nullopt;
    Syllable s;
    s.text = std::string(text);
    s.initial = std::string(text.substr(0, 1));
    s.toneClass = ConsonantClass::Low; // read as รึ รือ ลึ ลือ
    s.length = text.size() == 2 ? Length::Long : Length::Short;
    s.vowel = std::string(first == kRu ? "rue" : "lue") + (text.size() == 2 ? "e" : "");
    finish(s);
    return s;
}

constexpr std::size_t kLongestSyllable = 12; // bytes: เครื่อง and เปลี่ยน have 7

} // namespace

std::optional<Syllable> readSyllable(std::string_view text) {
    if (text.empty() || text.size() > kLongestSyllable ||
        !std::all_of(text.begin(), text.end(),
                     [](char c) { return isSyllableByte(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    const auto& listed = listedWords();
    if (const auto it = listed.find(std::string(text)); it != listed.end())
        return it->second;
    if (const auto first = static_cast<unsigned char>(text[0]); first == kRu || first == kLu)
        return readVowelLetter(text);
    std::size_t start = 0;
    unsigned char before = 0;
    if (isLeadingVowel(static_cast<unsigned char>(text[0]))) {
        before = static_cast<unsigned char>(text[0]);
        start = 1;
    }
    if (start >= text.size() || !isConsonant(static_cast<unsigned char>(text[start])))
        return std::nullopt;
    const auto first = static_cast<unsigned char>(text[start]);
    std::vector<Syllable> found = readWithInitial(text, before, start, 1, classOf(first));
    if (start + 1 < text.size() && isConsonant(static_cast<unsigned char>(text[start + 1]))) {
        const auto second = static_cast<unsigned char>(text[start + 1]);
        std::optional<ConsonantClass> pairClass;
        if (first == kHoHip && isSonorant(second))
            pairClass = ConsonantClass::High;
        else if (first == kOAng && second == kYoYak && isLeadingOWord(text))
            pairClass = ConsonantClass::Mid;
        else if (isTrueCluster(first, second))
            pairClass = classOf(first);
        if (pairClass) {
            std::vector<Syllable> more = readWithInitial(text, before, start, 2, *pairClass);
            found.insert(found.end(), more.begin(), more.end());
        }
    }
    if (found.empty())
        return std::nullopt;
    for (const Syllable& s : found)
        if (!sameReading(s, found.front()))
            return std::nullopt; // two readings: not certain
    return found.front();
}

namespace {

// Syllables that a word of several may hold for another reading. The inherent o may stand for
// an unwritten vowel: กรกฎาคม is not กรก ฎา คม, ไปรษณีย์ not ไป รษ ณีย์, โรงพยาบาล not โร งพ ยา
// บาล; it is doubtful after a cluster, before a final that only loan words end on, and after
// a syllable whose vowel its first letter may close (not after ปะ in สับปะรด). A short i or u
// without a final or mark at the end of a word is often silent: ชาติ is châat, not ชา ติ.
bool doubtfulInWord(const Syllable& s, bool afterOpen, bool last) {
    static const std::string kLoanFinals = tis("ฆฌญฎฏฐฑฒณธภศษฬ");
    if (s.listed)
        return false;
    if (last && (s.vowel == "i" || s.vowel == "u") && s.finalLetters.empty() &&
        s.mark == Mark::None)
        return true;
    if (s.vowel != "o" || s.finalLetters.empty())
        return false;
    const auto first = static_cast<unsigned char>(s.initial[0]);
    return afterOpen || (s.initial.size() == 2 && first != kHoHip && first != kOAng) ||
           kLoanFinals.find(s.finalLetters[0]) != std::string::npos;
}

// True when the next letter could be the syllable's final: a vowel written the same way with
// a final after it, and no final yet.
bool closable(const Syllable& s) {
    static const std::array<std::string_view, 12> kVowels = {
        "aa", "i", "ii", "ue", "u", "uu", "ee", "aae", "oo", "ɔɔ", "iia", "ueea"};
    const auto last = static_cast<unsigned char>(s.text.back());
    return s.finalLetters.empty() && last != 0xD0 && last != kThanthakhat && !s.listed &&
           std::find(kVowels.begin(), kVowels.end(), s.vowel) != kVowels.end();
}

// One piece without separators: one syllable, or split where exactly one split into two or
// more syllables reads.
std::vector<Piece> readPiece(std::string_view piece) {
    if (piece.empty())
        return {Piece{}};
    if (const std::vector<Piece>* listed = listedPieces(piece))
        return *listed;
    if (std::optional<Syllable> whole = readSyllable(piece))
        return {Piece{std::string(piece), std::move(whole)}};
    // ways[i][open]: how many splits of piece[i..] read after a syllable that its next letter
    // may close (1) or not (0), counted up to 2, a doubtful syllable counting as two;
    // next[i][open]: the length of the first syllable of the one split. Each syllable is read once.
    const std::size_t n = piece.size();
    std::vector<std::array<int, 2>> ways(n + 1, {0, 0});
    std::vector<std::array<std::size_t, 2>> next(n + 1, {0, 0});
    ways[n] = {1, 1};
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t len = 1; len <= kLongestSyllable && i + len <= n; ++len) {
            if (len == n || ways[i + len] == std::array<int, 2>{0, 0})
                continue;
            // A listed word of several syllables, or one syllable.
            const std::vector<Piece>* listed = listedPieces(piece.substr(i, len));
            const std::optional<Syllable> s =
                listed ? listed->back().syllable : readSyllable(piece.substr(i, len));
            if (!s)
                continue;
            const int rest = ways[i + len][closable(*s) ? 1 : 0];
            for (const int open : {0, 1}) {
                if (rest == 0)
                    continue;
                const bool doubtful = !listed && doubtfulInWord(*s, open == 1, i + len == n);
                int& w = ways[i][static_cast<std::size_t>(open)];
                w = std::min(2, w + (doubtful ? 2 : rest));
                next[i][static_cast<std::size_t>(open)] = len;
            }
        }
    }
    if (ways[0][0] != 1)
        return {Piece{std::string(piece), std::nullopt}};
    std::vector<Piece> pieces;
    std::size_t open = 0;
    for (std::size_t i = 0; i < n;) {
        const std::string_view text = piece.substr(i, next[i][open]);
        i += text.size();
        if (const std::vector<Piece>* listed = listedPieces(text))
            pieces.insert(pieces.end(), listed->begin(), listed->end());
        else
            pieces.push_back({std::string(text), readSyllable(text)});
        open = closable(*pieces.back().syllable) ? 1 : 0;
    }
    return pieces;
}

} // namespace

std::vector<Piece> readWord(std::string_view text) {
    std::vector<Piece> pieces;
    std::size_t from = 0;
    while (true) {
        const std::size_t to = text.find_first_of("- ", from);
        std::vector<Piece> more =
            readPiece(text.substr(from, to == std::string_view::npos ? text.npos : to - from));
        pieces.insert(pieces.end(), std::make_move_iterator(more.begin()),
                      std::make_move_iterator(more.end()));
        if (to == std::string_view::npos)
            return pieces;
        from = to + 1;
    }
}

bool readsWhole(const std::vector<Piece>& pieces) {
    for (const Piece& p : pieces)
        if (!p.syllable)
            return false;
    return !pieces.empty();
}

FinalSound finalSoundOf(unsigned char letter) {
    // By TIS-620 code from ก (0xA1) to ฮ (0xCE).
    using F = FinalSound;
    static constexpr std::array<FinalSound, 46> kSounds = {
        F::K,    F::K, F::None, F::K,    F::None, F::K,    F::Ng, F::T, // ก..จ
        F::None, F::T, F::T,    F::T,    F::N,    F::T,    F::T,  F::T, // ฉ..ฐ
        F::T,    F::T, F::N,    F::T,    F::T,    F::T,    F::T,  F::T, // ฑ..ธ
        F::N,    F::P, F::P,    F::None, F::None, F::P,    F::P,  F::P, // น..ภ
        F::M,    F::Y, F::N,    F::None, F::N,    F::None, F::W,  F::T, // ม..ศ
        F::T,    F::T, F::None, F::N,    F::None, F::None};             // ษ..ฮ
    if (letter < 0xA1 || letter > 0xCE)
        return F::None;
    return kSounds[static_cast<std::size_t>(letter - 0xA1)];
}

const char* toneName(Tone tone) {
    static constexpr const char* kNames[] = {"mid", "low", "falling", "high", "rising"};
    return kNames[static_cast<int>(tone)];
}
const char* markName(Mark mark) {
    static constexpr const char* kNames[] = {"none", "mai ek", "mai tho", "mai tri",
                                             "mai chattawa"};
    return kNames[static_cast<int>(mark)];
}
const char* finalSoundName(FinalSound sound) {
    static constexpr const char* kNames[] = {"-", "-k", "-t", "-p", "-m", "-n", "-ng", "-w", "-y"};
    return kNames[static_cast<int>(sound)];
}
const char* lengthName(Length length) {
    return length == Length::Short ? "short" : "long";
}

Tone ruleTone(ConsonantClass toneClass, bool live, Length length, Mark mark) {
    const bool low = toneClass == ConsonantClass::Low;
    switch (mark) {
    case Mark::None:
        if (live)
            return toneClass == ConsonantClass::High ? Tone::Rising : Tone::Mid;
        if (!low)
            return Tone::Low;
        return length == Length::Short ? Tone::High : Tone::Falling;
    case Mark::MaiEk:
        return low ? Tone::Falling : Tone::Low;
    case Mark::MaiTho:
        return low ? Tone::High : Tone::Falling;
    // Written on mid letters only: the reader refuses them elsewhere.
    case Mark::MaiTri:
        return Tone::High;
    case Mark::MaiChattawa:
        return Tone::Rising;
    }
    return Tone::Mid;
}

} // namespace thaiscript

#include "script_drill.h"

#include "forward_records.h"

#include "alphabet/vowel_table.h"
#include "datafiles/dictionary_record.h"
#include "datafiles/path_mapping.h"
#include "thaitext/codec.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <unordered_set>
#include <utility>

namespace ripasso {
namespace {

// The common words, one syllable each, in UTF-8 with spaces between them (turned into TIS-620
// once). The first twenty already cover every class, mark, live and dead syllable, both
// lengths and the leading ห and อ, since a folder without words gives the tone drill the first
// twenty alone.
constexpr const char* kCommonWords[] = {
    // The first twenty.
    "มา ไก่ ขาว นก บ้าน สิบ มาก หมา พ่อ โต๊ะ ห้า ช้าง ตั๋ว อยู่ เด็ก ปลา ไข่ ดอก ใหม่ ไม่",
    // Mid class, อ among them.
    "ดี ตา กิน ไป บิน จาน ดำ จำ ใจ ตัว กลัว เกลือ ครู เจอ เก้า ได้ ต้อง แก่ กว่า ปิด จบ ตก เตะ "
    "ป๊า จ๋า อ่าน อ้วน อิ่ม เอา อาบ อย่า อย่าง อยาก แดง บอก",
    // High class.
    "ขา สี สอง หู ถุง ผม ฝน สวย ขอ เสือ เสีย หัว ขวา ขับ ผัก ถูก หก ขวด สุด ข้าว ถ้า สี่ ผ่าน "
    "ห้อง ข้าง ส่ง",
    // Low class.
    "ชา คน ลม ยาว งาน วัน ไฟ ทาง เรา ใคร ทำ มือ แมว ลุง เรือ เรียน เธอ ความ รัก คิด และ พระ "
    "ลูก ชอบ ยาก แม่ ที่ ใช่ ชื่อ เล่น ว่า เพื่อน น้อง ร้อน ม้า ใช้ ซื้อ ร้าน น้ำ",
    // A leading ห.
    "หนู หมู หนัง หลาย หญิง หวาน หลัง ไหน หนาว หมอ หมด หยุด หนัก หนึ่ง หน้า ใหญ่",
};

// UTF-16 of the Thai block and ASCII to UTF-8 (three bytes at most: the kit's text is BMP).
std::string utf8Of(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string thaiUtf8(std::string_view tis620) {
    return utf8Of(thaitext::decodeTis620(tis620));
}

std::string letterUtf8(unsigned char code) {
    return utf8Of(std::u16string(1, thaitext::tis620ToUnicode(code)));
}

const char* const kToneNames[] = {"mid", "low", "falling", "high", "rising"};

// One question's item: its key in the letter table and its place in the drill's own list.
struct Item {
    int code;
    std::size_t index;
};

// A choice as shown, and what must differ between two choices (a reading, a sound).
struct Offer {
    std::string shown;
    std::string key;
};

// The chart's letter of a TIS-620 code.
const alphabet::Consonant& letterOf(unsigned char code) {
    return alphabet::consonant(code - 0xA0);
}

// The letters asked by the look-alike drill, in the order of the groups.
std::vector<unsigned char> lookAlikeLetters() {
    std::vector<unsigned char> letters;
    for (const std::vector<unsigned char>& group : lookAlikeGroups())
        for (const unsigned char letter : group)
            if (std::find(letters.begin(), letters.end(), letter) == letters.end())
                letters.push_back(letter);
    return letters;
}

} // namespace

int toneRuleKey(const thaiscript::Syllable& s) {
    using thaiscript::Mark;
    if (s.listed)
        return 900;
    const bool low = s.toneClass == alphabet::ConsonantClass::Low;
    int state = 0; // a mark alone decides
    if (s.mark == Mark::None)
        state = s.live ? 1 : !low ? 2 : s.length == thaiscript::Length::Short ? 3 : 4;
    return 100 * (static_cast<int>(s.toneClass) + 1) + 10 * state + static_cast<int>(s.mark);
}

std::vector<thaiscript::Syllable> toneDrillSyllables(const std::filesystem::path& folder,
                                                     std::size_t atLeast) {
    std::vector<thaiscript::Syllable> syllables;
    std::unordered_set<std::string> seen;
    const auto keep = [&](const thaiscript::Syllable& s) {
        if (seen.insert(s.text).second)
            syllables.push_back(s);
    };
    // A letter without its file has no words; a file that cannot be read gives none.
    readForwardRecords(
        [&folder](const std::string& name) {
            const std::string found = datafiles::findCaseInsensitive(folder, name);
            return folder / (found.empty() ? name : found);
        },
        datafiles::FileAccess{},
        [&](const datafiles::RecordView& record) {
            if (record.isCrossReference())
                return;
            const std::string_view thai = unmarked(record.thai(), datafiles::kNoThai);
            if (thai.empty() || seen.count(std::string(thai)))
                return;
            if (const std::optional<thaiscript::Syllable> s = thaiscript::readSyllable(thai))
                keep(*s);
        });
    for (const thaiscript::Syllable& s : commonSyllables()) {
        if (syllables.size() >= atLeast)
            break;
        keep(s);
    }
    return syllables;
}

const std::vector<thaiscript::Syllable>& commonSyllables() {
    static const std::vector<thaiscript::Syllable> syllables = [] {
        std::vector<thaiscript::Syllable> read;
        for (const char* words : kCommonWords) {
            const std::string tis =
                thaitext::encodeTis620(thaitext::utf8ToUtf16(words).value_or(u"")).value_or("");
            for (std::size_t from = 0; from < tis.size();) {
                const std::size_t to = std::min(tis.find(' ', from), tis.size());
                if (std::optional<thaiscript::Syllable> s =
                        thaiscript::readSyllable(std::string_view(tis).substr(from, to - from)))
                    read.push_back(std::move(*s));
                from = to + 1;
            }
        }
        return read;
    }();
    return syllables;
}

const std::vector<std::vector<unsigned char>>& lookAlikeGroups() {
    // Letters that differ by a tail, a loop's place or a notch. Every letter's groups together
    // hold four letters or more, so that each question offers four.
    static const std::vector<std::vector<unsigned char>> groups = [] {
        const char* const lines[] = {
            "ข ฃ ช ซ", "ค ฅ ด ต", "บ ป ษ", "ผ ฝ พ ฟ", "ศ ษ ส", "ภ ถ", "ฎ ฏ", "ม ฆ",
            "ก ด ถ ภ", // an arch with a beak or a loop; ด and ถ alike in plain fonts
            "ด ต ฎ ฏ", // ฎ and ฏ: ด and ต with a tail below
            "บ ป ม",   // the loop above or below
            "น ม ห ฆ", // the loop's place
            "ท ห น",   "ท ฑ ฒ",   "ฑ ฒ ฆ",
            "ร ธ ว ฐ", // the hook on top
            "ญ ณ ฌ ฐ", // the tail below
            "ค ศ ล ส", // ศ and ส: ค and ล with a tail
            "ด ต อ ฮ", // a round body, notched on top or not
        };
        std::vector<std::vector<unsigned char>> all;
        for (const char* line : lines) {
            std::vector<unsigned char> group;
            const std::u16string text = thaitext::utf8ToUtf16(line).value_or(u"");
            for (const char16_t c : text)
                if (c != u' ')
                    group.push_back(thaitext::unicodeToTis620(c).value());
            all.push_back(std::move(group));
        }
        return all;
    }();
    return groups;
}

ScriptDrillMaker::ScriptDrillMaker(DrillKind kind, std::uint32_t seed,
                                   std::vector<thaiscript::Syllable> syllables)
    : kind_(kind), random_(seed), syllables_(std::move(syllables)) {}

namespace {

// The right choice and up to three others, none alike in shown text or key, in random order.
void offer(ScriptQuestion& q, const Offer& right, std::vector<Offer> others, std::mt19937& random) {
    std::shuffle(others.begin(), others.end(), random);
    std::vector<Offer> chosen = {right};
    for (const Offer& o : others) {
        if (chosen.size() == q.choices.size())
            break;
        if (std::none_of(chosen.begin(), chosen.end(),
                         [&o](const Offer& c) { return c.shown == o.shown || c.key == o.key; }))
            chosen.push_back(o);
    }
    std::vector<std::size_t> order(chosen.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::shuffle(order.begin(), order.end(), random);
    q.choiceCount = static_cast<int>(chosen.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        q.choices[i] = chosen[order[i]].shown;
        if (order[i] == 0)
            q.right = static_cast<int>(i);
    }
}

std::vector<Item> itemsOf(DrillKind kind, const std::vector<thaiscript::Syllable>& syllables) {
    std::vector<Item> items;
    const std::vector<alphabet::VowelForm>& vowels = alphabet::vowelTable();
    for (std::size_t i = 0; i < vowels.size(); ++i) {
        const alphabet::VowelForm& v = vowels[i];
        if (kind == DrillKind::VowelReading ||
            (kind == DrillKind::VowelSound && v.soundFile && *v.soundFile) ||
            (kind == DrillKind::VowelLength && v.partner != 0))
            items.push_back({v.number, i});
    }
    if (kind == DrillKind::ToneMark)
        for (std::size_t i = 0; i < alphabet::toneMarkTable().size(); ++i)
            items.push_back({alphabet::toneMarkTable()[i].number, i});
    if (kind == DrillKind::Tone)
        for (std::size_t i = 0; i < syllables.size(); ++i)
            items.push_back({toneRuleKey(syllables[i]), i});
    if (kind == DrillKind::Final)
        for (const alphabet::Consonant* c : drillLetters())
            if (thaiscript::finalSoundOf(c->code) != thaiscript::FinalSound::None)
                items.push_back({c->code, 0});
    if (kind == DrillKind::LookAlike)
        for (const unsigned char letter : lookAlikeLetters())
            items.push_back({letter, 0});
    return items;
}

} // namespace

std::vector<ScriptQuestion> ScriptDrillMaker::makeRound(const std::vector<LetterScore>& scores,
                                                        int count) {
    std::map<int, double> missWeight;
    for (const LetterScore& s : scores)
        missWeight[s.code] = s.weight;
    std::vector<Item> pool = itemsOf(kind_, syllables_);
    std::vector<ScriptQuestion> round;
    while (static_cast<int>(round.size()) < count && !pool.empty()) {
        std::vector<double> weights;
        for (const Item& item : pool) {
            const auto it = missWeight.find(item.code);
            weights.push_back(drawWeight(it == missWeight.end() ? 0 : it->second));
        }
        std::discrete_distribution<std::size_t> draw(weights.begin(), weights.end());
        const std::size_t picked = draw(random_);
        round.push_back(makeQuestion(pool[picked].code, pool[picked].index));
        pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(picked));
    }
    return round;
}

ScriptQuestion ScriptDrillMaker::makeQuestion(int code, std::size_t index) {
    ScriptQuestion q;
    q.code = code;
    const std::vector<alphabet::VowelForm>& vowels = alphabet::vowelTable();
    switch (kind_) {
    case DrillKind::VowelReading:
    case DrillKind::VowelSound: {
        const alphabet::VowelForm& asked = vowels[index];
        const bool reading = kind_ == DrillKind::VowelReading;
        std::vector<Offer> others;
        for (const alphabet::VowelForm& v : vowels)
            others.push_back({reading ? v.reading : v.written, v.reading});
        if (reading)
            q.prompt = asked.written;
        else
            q.soundFile = asked.soundFile;
        offer(q, {reading ? asked.reading : asked.written, asked.reading}, std::move(others),
              random_);
        break;
    }
    case DrillKind::VowelLength: {
        const alphabet::VowelForm& asked = vowels[index];
        q.prompt = asked.written;
        q.choiceCount = 2;
        q.choices[0] = "short";
        q.choices[1] = "long";
        q.right = asked.length == alphabet::VowelLength::Long ? 1 : 0;
        break;
    }
    case DrillKind::ToneMark: {
        const std::vector<alphabet::ToneMarkEntry>& marks = alphabet::toneMarkTable();
        q.prompt = marks[index].onO;
        std::vector<Offer> others;
        for (const alphabet::ToneMarkEntry& m : marks)
            others.push_back({m.name, m.name});
        offer(q, others[index], others, random_);
        break;
    }
    case DrillKind::Tone: {
        // Four of the five tones, the right one always among them, in the tones' own order:
        // the learner finds each tone at its place.
        const thaiscript::Syllable& asked = syllables_[index];
        q.prompt = thaiUtf8(asked.text);
        q.syllable = asked;
        const int right = static_cast<int>(asked.tone);
        std::uniform_int_distribution<int> other(0, 3);
        int left = other(random_);
        if (left >= right)
            ++left;
        int place = 0;
        for (int tone = 0; tone < 5; ++tone) {
            if (tone == left)
                continue;
            if (tone == right)
                q.right = place;
            q.choices[static_cast<std::size_t>(place++)] = kToneNames[tone];
        }
        break;
    }
    case DrillKind::Final: {
        const unsigned char letter = static_cast<unsigned char>(code);
        q.prompt = letterUtf8(letter);
        const char* right = thaiscript::finalSoundName(thaiscript::finalSoundOf(letter));
        std::vector<Offer> others;
        for (int s = static_cast<int>(thaiscript::FinalSound::K);
             s <= static_cast<int>(thaiscript::FinalSound::Y); ++s) {
            const char* name = thaiscript::finalSoundName(static_cast<thaiscript::FinalSound>(s));
            others.push_back({name, name});
        }
        offer(q, {right, right}, std::move(others), random_);
        break;
    }
    case DrillKind::LookAlike: {
        // The letter and three of those sharing a group with it; none read as it does, so
        // that the reading asked names one choice alone.
        const unsigned char letter = static_cast<unsigned char>(code);
        const alphabet::Consonant& asked = letterOf(letter);
        q.prompt = asked.reading;
        q.soundFile = asked.soundFile;
        std::vector<Offer> others;
        for (const std::vector<unsigned char>& group : lookAlikeGroups())
            if (std::find(group.begin(), group.end(), letter) != group.end())
                for (const unsigned char other : group)
                    if (std::strcmp(letterOf(other).reading, asked.reading) != 0)
                        others.push_back({letterUtf8(other), letterUtf8(other)});
        offer(q, {letterUtf8(letter), letterUtf8(letter)}, std::move(others), random_);
        break;
    }
    default:
        break;
    }
    return q;
}

} // namespace ripasso

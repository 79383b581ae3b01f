#include "word_cards.h"

#include "forward_records.h"

#include "datafiles/dictionary_record.h"
#include "datafiles/file_naming.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace ripasso {
namespace {

struct KeyView {
    std::string_view headword;
    std::string_view pronunciation;
};
struct WordKey {
    std::string headword;
    std::string pronunciation;
};

KeyView view(const WordKey& key) {
    return {key.headword, key.pronunciation};
}
KeyView view(KeyView key) {
    return key;
}

struct KeyHash {
    using is_transparent = void;
    template <typename K> std::size_t operator()(const K& key) const noexcept {
        const KeyView v = view(key);
        const std::hash<std::string_view> hash;
        return hash(v.headword) * 1000003u ^ hash(v.pronunciation);
    }
};
struct KeyEqual {
    using is_transparent = void;
    template <typename A, typename B> bool operator()(const A& a, const B& b) const noexcept {
        const KeyView x = view(a), y = view(b);
        return x.headword == y.headword && x.pronunciation == y.pronunciation;
    }
};

// What the scan knows of one head word and pronunciation, per direction.
struct Slot {
    std::array<int, 2> known{-1, -1};    // index into the stored cards
    std::array<int, 2> selected{-1, -1}; // index into due (known) or fresh (new)
    std::array<bool, 2> seen{false, false};
};

// Up to eight bytes of a field as a number: its first and last four or eight bytes, which
// overlap in a short field, so that no byte is read twice in a loop. Words that differ only in
// their middle bytes share it, and are told apart by the full comparison that follows.
std::uint64_t ends(std::string_view field) {
    const char* p = field.data();
    const std::size_t n = field.size();
    std::uint64_t first = 0, last = 0;
    if (n >= 8) {
        std::memcpy(&first, p, 8);
        std::memcpy(&last, p + n - 8, 8);
        return first ^ (last >> 1 | last << 63);
    }
    if (n >= 4) {
        std::uint32_t a = 0, b = 0;
        std::memcpy(&a, p, 4);
        std::memcpy(&b, p + n - 4, 4);
        return std::uint64_t(a) << 32 | b;
    }
    for (std::size_t i = 0; i < n; ++i)
        first = first << 8 | static_cast<unsigned char>(p[i]);
    return first;
}

// A quick hash of a head word and its pronunciation: every record is hashed.
std::uint64_t quickHash(std::string_view headword, std::string_view pronunciation) {
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
    std::uint64_t hash = (ends(headword) ^ headword.size() << 56) * kMultiplier;
    hash ^= hash >> 32;
    hash = (hash ^ ends(pronunciation) ^ pronunciation.size() << 48) * kMultiplier;
    return hash ^ hash >> 29;
}

// One bit per hash, by its top bits: a clear bit says that no key of that hash was put in, so
// most records are told apart from the known cards and from each other without a look-up.
class HashBits {
public:
    explicit HashBits(unsigned bits) : shift_(64 - bits), words_(std::size_t(1) << (bits - 6)) {}
    bool test(std::uint64_t hash) const { return words_[word(hash)] & bit(hash); }
    // Whether the bit was set already.
    bool set(std::uint64_t hash) {
        std::uint64_t& w = words_[word(hash)];
        const bool was = w & bit(hash);
        w |= bit(hash);
        return was;
    }
    void clear() { std::fill(words_.begin(), words_.end(), 0); }

private:
    std::size_t word(std::uint64_t hash) const {
        return static_cast<std::size_t>(hash >> shift_) >> 6;
    }
    std::uint64_t bit(std::uint64_t hash) const {
        return std::uint64_t(1) << ((hash >> shift_) & 63);
    }
    unsigned shift_;
    std::vector<std::uint64_t> words_;
};

// The number of bits for about 64 per key, at least 2^12.
unsigned bitsFor(std::size_t keys) {
    unsigned bits = 12;
    while (bits < 30 && (std::size_t(1) << bits) < keys * 64)
        ++bits;
    return bits;
}

// The distinct head words and pronunciations of one file: while it is read, each key as its
// place in the file, and a bit for its hash; then the keys whose hash came twice are compared
// in full. Twelve bytes a record, since the file's keys are kept until its end.
class DistinctKeys {
public:
    void add(KeyView key, std::uint64_t hash) {
        if (kept_.empty() && others_.empty())
            base_ = key.headword.data(); // the file's first key: the others come after it
        const auto at = [this](std::string_view field) {
            return static_cast<std::uint32_t>(field.data() - base_);
        };
        if (key.headword.size() > 0xFFFF || key.pronunciation.size() > 0xFFFF ||
            key.pronunciation.data() - base_ > 0xFFFFFFFF)
            others_.push_back(key); // compared in full, whatever their hash
        else
            kept_.push_back({at(key.headword), at(key.pronunciation),
                             static_cast<std::uint16_t>(key.headword.size()),
                             static_cast<std::uint16_t>(key.pronunciation.size())});
        if (seen_.set(hash))
            again_.set(hash);
    }
    // The distinct keys of the file read; ready for the next file.
    std::size_t fileRead() {
        std::size_t distinct = kept_.size() + others_.size();
        std::unordered_set<KeyView, KeyHash, KeyEqual> twice;
        for (const Kept& k : kept_) {
            const KeyView key{{base_ + k.headwordAt, k.headwordSize},
                              {base_ + k.pronunciationAt, k.pronunciationSize}};
            if (again_.test(quickHash(key.headword, key.pronunciation)) &&
                !twice.insert(key).second)
                --distinct;
        }
        for (const KeyView& key : others_)
            if (!twice.insert(key).second)
                --distinct;
        if (distinct > 0) {
            seen_.clear();
            again_.clear();
        }
        kept_.clear();
        others_.clear();
        return distinct;
    }

private:
    struct Kept {
        std::uint32_t headwordAt, pronunciationAt;
        std::uint16_t headwordSize, pronunciationSize;
    };
    const char* base_ = nullptr;
    std::vector<Kept> kept_;
    std::vector<KeyView> others_;
    HashBits seen_{21}, again_{21};
};

std::string moreLine(const datafiles::RecordView& record) {
    std::string line(unmarked(record.attribute(), datafiles::kNoAttribute));
    const std::string_view note = unmarked(record.note(), datafiles::kNoNote);
    if (!line.empty() && !note.empty())
        line += ' ';
    line += note;
    return line;
}

WordCard makeCard(const datafiles::RecordView& record, CardDirection direction) {
    WordCard card;
    card.key = {std::string(record.headword()), std::string(record.counterpart()), direction};
    card.thai = unmarked(record.thai(), datafiles::kNoThai);
    card.thaiSound = record.fields[5];
    card.attribute = unmarked(record.attribute(), datafiles::kNoAttribute);
    card.note = unmarked(record.note(), datafiles::kNoNote);
    return card;
}

} // namespace

FolderCards collectCards(const PathOf& pathOf, const std::vector<StoredCard>& known, int today,
                         std::size_t newAllowance, const datafiles::FileAccess& access) {
    FolderCards result;
    // The progress's cards and the new ones taken, by head word and pronunciation; `slotBits`
    // holds their hashes, so that a record of none of them is passed at the cost of its hash.
    std::unordered_map<WordKey, Slot, KeyHash, KeyEqual> slots;
    slots.reserve(known.size() + newAllowance);
    HashBits slotBits(bitsFor(known.size() + newAllowance));
    for (std::size_t i = 0; i < known.size(); ++i) {
        const CardKey& key = known[i].key;
        slots[WordKey{key.headword, key.pronunciation}]
            .known[static_cast<std::size_t>(key.direction)] = static_cast<int>(i);
        slotBits.set(quickHash(key.headword, key.pronunciation));
    }
    // Two records of the same word and pronunciation are one card each way.
    DistinctKeys distinct;
    std::size_t words = 0, knownSeen = 0;

    auto take = [&](const datafiles::RecordView& record) {
        ++result.records;
        const std::string_view pronunciation = record.counterpart();
        if (record.isCrossReference() || pronunciation.empty() || pronunciation == "-")
            return;
        const KeyView key{record.headword(), pronunciation};
        const std::uint64_t hash = quickHash(key.headword, key.pronunciation);
        distinct.add(key, hash);
        auto found = slotBits.test(hash) ? slots.find(key) : slots.end();
        for (const CardDirection direction :
             {CardDirection::ItalianToThai, CardDirection::ThaiToItalian}) {
            const auto d = static_cast<std::size_t>(direction);
            if (found != slots.end() && found->second.seen[d]) {
                // Another record of a card already met: its line goes with the card.
                if (const int at = found->second.selected[d]; at >= 0) {
                    WordCard& card = found->second.known[d] >= 0
                                         ? result.due[static_cast<std::size_t>(at)]
                                         : result.fresh[static_cast<std::size_t>(at)];
                    if (std::string line = moreLine(record); !line.empty())
                        card.more.push_back(std::move(line));
                }
                continue;
            }
            if (found != slots.end() && found->second.known[d] >= 0) {
                found->second.seen[d] = true;
                ++knownSeen;
                const StoredCard& stored = known[static_cast<std::size_t>(found->second.known[d])];
                if (stored.state.dueDay <= today) {
                    found->second.selected[d] = static_cast<int>(result.due.size());
                    result.due.push_back(makeCard(record, direction));
                    result.due.back().state = stored.state;
                }
                continue;
            }
            if (result.fresh.size() >= newAllowance)
                continue;
            if (found == slots.end()) {
                found =
                    slots
                        .emplace(WordKey{std::string(key.headword), std::string(key.pronunciation)},
                                 Slot{})
                        .first;
                slotBits.set(hash);
            }
            found->second.seen[d] = true;
            found->second.selected[d] = static_cast<int>(result.fresh.size());
            result.fresh.push_back(makeCard(record, direction));
        }
    };
    result.problems =
        readForwardRecords(pathOf, access, take, [&] { words += distinct.fileRead(); });
    result.cards = 2 * words;
    result.unseen = result.cards - std::min(result.cards, knownSeen);

    std::stable_sort(result.due.begin(), result.due.end(), [](const auto& a, const auto& b) {
        return a.state->dueDay < b.state->dueDay;
    });
    std::stable_partition(result.fresh.begin(), result.fresh.end(), [](const WordCard& card) {
        return card.key.direction == CardDirection::ItalianToThai;
    });
    return result;
}

std::vector<std::string> folderAnswers(const WordCard& card, const PathOf& pathOf,
                                       const datafiles::FileAccess& access) {
    const bool toThai = card.key.direction == CardDirection::ItalianToThai;
    // A reverse record is a forward one with its first two fields swapped.
    const std::string& front = toThai ? card.key.headword : card.key.pronunciation;
    const std::optional<std::string> name =
        toThai ? datafiles::forwardFileForLookup(front) : datafiles::reverseFile(front);
    std::vector<std::string> answers;
    datafiles::FileBytes bytes;
    if (!name || datafiles::appendWholeFile(pathOf(*name), access, bytes) != 0)
        return answers;
    datafiles::RecordReader reader(bytes.view());
    datafiles::RecordView record;
    while (!reader.atEnd()) {
        const datafiles::ReadStatus status = reader.next(record);
        if (status == datafiles::ReadStatus::Truncated)
            break;
        if (status != datafiles::ReadStatus::Record || record.headword() != front ||
            record.isCrossReference())
            continue;
        const std::string_view answer = unmarked(record.counterpart(), "-");
        if (answer.empty() || (!toThai && unmarked(record.thai(), datafiles::kNoThai) != card.thai))
            continue;
        if (std::find(answers.begin(), answers.end(), answer) == answers.end())
            answers.emplace_back(answer);
    }
    return answers;
}

} // namespace ripasso

#include "word_cards.h"

#include "forward_records.h"

#include "datafiles/dictionary_record.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>
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
    card.attribute = unmarked(record.attribute(), datafiles::kNoAttribute);
    card.note = unmarked(record.note(), datafiles::kNoNote);
    return card;
}

} // namespace

FolderCards collectCards(const PathOf& pathOf, const std::vector<StoredCard>& known, int today,
                         std::size_t newAllowance, const datafiles::FileAccess& access) {
    FolderCards result;
    std::unordered_map<WordKey, Slot, KeyHash, KeyEqual> slots;
    slots.reserve(known.size() + newAllowance);
    for (std::size_t i = 0; i < known.size(); ++i) {
        const CardKey& key = known[i].key;
        slots[WordKey{key.headword, key.pronunciation}]
            .known[static_cast<std::size_t>(key.direction)] = static_cast<int>(i);
    }

    result.problems = readForwardRecords(pathOf, access, [&](const datafiles::RecordView& record) {
        ++result.records;
        const std::string_view pronunciation = record.counterpart();
        if (record.isCrossReference() || pronunciation.empty() || pronunciation == "-")
            return;
        result.cards += 2;
        const KeyView key{record.headword(), pronunciation};
        auto found = slots.empty() ? slots.end() : slots.find(key);
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
                const StoredCard& stored = known[static_cast<std::size_t>(found->second.known[d])];
                if (stored.state.dueDay <= today) {
                    found->second.selected[d] = static_cast<int>(result.due.size());
                    result.due.push_back(makeCard(record, direction));
                    result.due.back().state = stored.state;
                }
                continue;
            }
            ++result.unseen;
            if (result.fresh.size() >= newAllowance)
                continue;
            if (found == slots.end())
                found =
                    slots
                        .emplace(WordKey{std::string(key.headword), std::string(key.pronunciation)},
                                 Slot{})
                        .first;
            found->second.seen[d] = true;
            found->second.selected[d] = static_cast<int>(result.fresh.size());
            result.fresh.push_back(makeCard(record, direction));
        }
    });

    std::stable_sort(result.due.begin(), result.due.end(), [](const auto& a, const auto& b) {
        return a.state->dueDay < b.state->dueDay;
    });
    std::stable_partition(result.fresh.begin(), result.fresh.end(), [](const WordCard& card) {
        return card.key.direction == CardDirection::ItalianToThai;
    });
    return result;
}

} // namespace ripasso

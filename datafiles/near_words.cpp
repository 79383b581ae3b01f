#include "near_words.h"

#include "headword_scan.h"
#include "thaitext/folding.h"

#include <algorithm>

namespace datafiles {
namespace {

unsigned char fold(char c) {
    return thaitext::foldLatin(static_cast<unsigned char>(c));
}

bool isVowel(unsigned char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

// Whether `word`, folded, is `folded`.
bool equalFolded(std::string_view word, std::string_view folded) {
    return word.size() == folded.size() &&
           std::equal(word.begin(), word.end(), folded.begin(),
                      [](char a, char b) { return fold(a) == static_cast<unsigned char>(b); });
}

// Whether `word`, folded, is one edit from `folded` (and not equal to it).
bool oneEditFolded(std::string_view word, std::string_view folded) {
    const std::size_t n = word.size(), m = folded.size();
    if (n + 1 < m || m + 1 < n)
        return false;
    std::size_t i = 0;
    while (i < n && i < m && fold(word[i]) == static_cast<unsigned char>(folded[i]))
        ++i;
    if (i == n && i == m)
        return false; // equal
    auto sameFrom = [&](std::size_t a, std::size_t b) {
        return n - a == m - b && equalFolded(word.substr(a), folded.substr(b));
    };
    if (n == m)
        return sameFrom(i + 1, i + 1) || // changed
               (i + 1 < n && fold(word[i]) == static_cast<unsigned char>(folded[i + 1]) &&
                fold(word[i + 1]) == static_cast<unsigned char>(folded[i]) &&
                sameFrom(i + 2, i + 2));                    // swapped
    return n > m ? sameFrom(i + 1, i) : sameFrom(i, i + 1); // added, removed
}

// The folded bytes with each run of one vowel written once.
std::string collapsed(std::string_view word) {
    std::string out;
    out.reserve(word.size());
    for (const char c : word) {
        const unsigned char f = fold(c);
        if (out.empty() || !isVowel(f) || static_cast<unsigned char>(out.back()) != f)
            out += static_cast<char>(f);
    }
    return out;
}

class NearTest : public HeadwordTest {
public:
    NearTest(std::string_view typed, bool doubledVowels)
        : typed_(typed), folded_(thaitext::foldLatin(typed)), doubledVowels_(doubledVowels),
          collapsed_(doubledVowels ? collapsed(typed) : std::string()) {}

    Nearness of(std::string_view headword) const {
        if (headword == typed_)
            return Nearness::None;
        if (equalFolded(headword, folded_))
            return Nearness::CaseAndAccents;
        if (oneEditFolded(headword, folded_))
            return Nearness::OneEdit;
        // A run of vowels shortens a word: only words at least as long, of the same initial.
        if (doubledVowels_ && headword.size() >= collapsed_.size() && !headword.empty() &&
            !folded_.empty() &&
            fold(headword.front()) == static_cast<unsigned char>(folded_.front()) &&
            collapsed(headword) == collapsed_)
            return Nearness::DoubledVowels;
        return Nearness::None;
    }
    bool wantsLine(const char* line, std::size_t room) const override {
        const std::optional<std::string_view> headword = headwordOfLine(line, room);
        return headword && wants(*headword);
    }
    bool wants(std::string_view headword) const override { return of(headword) != Nearness::None; }

private:
    std::string_view typed_;
    std::string folded_;
    bool doubledVowels_;
    std::string collapsed_;
};

} // namespace

Nearness nearnessOf(std::string_view typed, std::string_view headword, bool doubledVowels) {
    return NearTest(typed, doubledVowels).of(headword);
}

std::vector<NearWord> nearHeadwords(const std::filesystem::path& path, std::string_view typed,
                                    bool doubledVowels, const FileAccess& access,
                                    std::size_t most) {
    const NearTest test(typed, doubledVowels);
    const HeadwordScan found = scanAllHeadwords(path, test, access);
    std::vector<NearWord> near;
    for (const DictionaryRecord& record : found.records)
        if (std::none_of(near.begin(), near.end(),
                         [&record](const NearWord& n) { return n.headword == record.headword; }))
            near.push_back({test.of(record.headword), record.headword});
    std::stable_sort(near.begin(), near.end(), [](const NearWord& a, const NearWord& b) {
        return a.nearness < b.nearness;
    });
    if (near.size() > most)
        near.resize(most);
    return near;
}

} // namespace datafiles

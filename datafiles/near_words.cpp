#include "near_words.h"

#include "thaitext/folding.h"

#include <algorithm>
#include <cstring>

namespace datafiles {
namespace {

const unsigned char* const kFold = thaitext::foldingTable();

unsigned char fold(char c) {
    return kFold[static_cast<unsigned char>(c)];
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

// Whether `word`, folded with its runs of one vowel written once, is `target`.
bool equalCollapsed(std::string_view word, std::string_view target) {
    std::size_t t = 0;
    unsigned char previous = 0;
    for (const char c : word) {
        const unsigned char f = fold(c);
        if (isVowel(f) && f == previous)
            continue;
        if (t == target.size() || static_cast<unsigned char>(target[t]) != f)
            return false;
        ++t;
        previous = f;
    }
    return t == target.size();
}

} // namespace

NearTest::NearTest(std::string_view typed, bool doubledVowels)
    : typed_(typed), folded_(thaitext::foldLatin(typed)), doubledVowels_(doubledVowels),
      collapsed_(doubledVowels ? collapsed(typed) : std::string()) {}

Nearness NearTest::of(std::string_view headword) const {
    if (headword == typed_)
        return Nearness::None;
    if (equalFolded(headword, folded_))
        return Nearness::CaseAndAccents;
    // Runs of vowels lengthen a pronunciation, up to twice its length.
    if (doubledVowels_ && headword.size() >= collapsed_.size() &&
        headword.size() <= 2 * typed_.size() + 1 && equalCollapsed(headword, collapsed_))
        return Nearness::DoubledVowels;
    if (oneEditFolded(headword, folded_))
        return Nearness::OneEdit;
    return Nearness::None;
}

bool NearTest::wantsLine(const char* line, std::size_t room) const {
    // Where the closing quote of a head word near the word can stand: a quick look at those
    // few bytes turns most lines away.
    const std::size_t length = typed_.size();
    const std::size_t shortest =
        std::min(length > 0 ? length - 1 : 0, doubledVowels_ ? collapsed_.size() : length);
    const std::size_t longest = doubledVowels_ ? 2 * length + 1 : length + 1;
    const std::size_t end = std::min(room, longest + 2); // past the latest closing quote
    std::size_t quote = shortest + 1;
    while (quote < end && line[quote] != '"')
        ++quote;
    if (quote >= end)
        return false;
    // Its head word holds no quote before it: the first quote after the opening one.
    const std::string_view headword(line + 1, quote - 1);
    return headword.find('"') == std::string_view::npos && wants(headword);
}

std::vector<NearWord> nearest(const NearTest& test, const std::vector<std::string>& headwords,
                              std::size_t most) {
    std::vector<NearWord> near;
    for (const std::string& headword : headwords)
        if (std::none_of(near.begin(), near.end(),
                         [&headword](const NearWord& n) { return n.headword == headword; }))
            near.push_back({test.of(headword), headword});
    std::stable_sort(near.begin(), near.end(),
                     [](const NearWord& a, const NearWord& b) { return a.nearness < b.nearness; });
    if (near.size() > most)
        near.resize(most);
    return near;
}

Nearness nearnessOf(std::string_view typed, std::string_view headword, bool doubledVowels) {
    return NearTest(typed, doubledVowels).of(headword);
}

std::vector<NearWord> nearHeadwords(const std::filesystem::path& path, std::string_view typed,
                                    bool doubledVowels, const FileAccess& access, std::size_t most,
                                    const FileStamp* shaped) {
    const NearTest test(typed, doubledVowels);
    const HeadwordScan found = scanAllHeadwords(path, test, access, shaped);
    std::vector<std::string> headwords;
    for (const DictionaryRecord& record : found.records)
        if (!record.isCrossReference())
            headwords.push_back(record.headword);
    return nearest(test, headwords, most);
}

} // namespace datafiles

#include "dictionary_generator.h"

#include "datafiles/file_naming.h"
#include "datafiles/record_writer.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace bench {
namespace {

constexpr std::array<const char*, 24> kSyllables = {
    "ca", "sa", "to", "re", "mi", "la", "no", "ve", "ri", "pa", "di",  "co",
    "ne", "ta", "li", "ma", "ro", "se", "zo", "gu", "fi", "be", "qua", "tre"};
constexpr std::array<const char*, 8> kAttributes = {"s.m.", "s.f.", "v.", "agg.",
                                                    "avv.", "-",    "-",  "-"};

class Words {
public:
    explicit Words(unsigned seed) : rng_(seed) {}

    std::string latin(char initial, int syllables) {
        std::string word(1, initial);
        for (int i = 0; i < syllables; ++i)
            word += kSyllables[pick(kSyllables.size())];
        return word;
    }
    std::string thai() {
        std::string bytes;
        const int length = 4 + static_cast<int>(pick(9));
        for (int i = 0; i < length; ++i)
            bytes += static_cast<char>(i % 3 == 1 ? 0xD0 + pick(10) : 0xA1 + pick(46));
        return bytes;
    }
    std::size_t pick(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
    }

private:
    std::mt19937 rng_;
};

// Initials of a letter file: the letter, and for the five vowels their accented forms.
char initialFor(char letter, Words& words) {
    static const std::array<std::pair<char, const char*>, 5> accented = {{{'a', "\xE0\xE1"},
                                                                          {'e', "\xE8\xE9"},
                                                                          {'i', "\xEC\xED"},
                                                                          {'o', "\xF2\xF3"},
                                                                          {'u', "\xF9\xFA"}}};
    for (const auto& [vowel, forms] : accented)
        if (vowel == letter && words.pick(10) == 0)
            return forms[words.pick(2)];
    return letter;
}

datafiles::DictionaryRecord makeRecord(Words& words, char letter, bool forward) {
    const char initial = forward ? initialFor(letter, words) : letter;
    datafiles::DictionaryRecord r;
    r.headword = words.latin(initial, 1 + static_cast<int>(words.pick(3)));
    if (words.pick(50) == 0) {
        r.counterpart = "-";
        r.attribute = "-";
        r.note = "*";
        r.thai = words.latin(letter, 2);
        r.thaiSound = words.pick(2) ? words.latin(letter, 2) : "$";
        r.italianSound = "$";
    } else {
        r.counterpart = words.latin(static_cast<char>('a' + words.pick(26)),
                                    1 + static_cast<int>(words.pick(2)));
        r.attribute = kAttributes[words.pick(kAttributes.size())];
        r.note = words.pick(5) == 0 ? "nota " + words.latin('n', 2) : "-";
        r.thai = words.thai();
        r.thaiSound = "$";
        r.italianSound = "$";
    }
    return r;
}

// How many records of every thousand begin with each letter, "a" to "z": Italian head words
// in the forward files, Thai pronunciations in the reverse ones. A real dictionary is
// uneven: "c" alone holds about one entry in seven.
constexpr std::array<int, 26> kForwardShare = {78, 45, 136, 60, 25, 45,  35, 3,  45, 1, 2, 30, 60,
                                               20, 20, 96,  5,  55, 130, 50, 10, 35, 2, 1, 1,  10};
constexpr std::array<int, 26> kReverseShare = {30, 40, 60, 40, 10, 10, 5,   30, 10, 10, 160, 50, 60,
                                               60, 10, 80, 1,  30, 70, 151, 10, 1,  40, 1,   30, 1};

// Records of each letter: the shares of `total`, the remainder given to the largest
// fractions, so that the counts add up exactly.
std::array<std::size_t, 26> spread(std::size_t total, const std::array<int, 26>& share) {
    std::array<std::size_t, 26> counts{};
    std::array<std::size_t, 26> remainders{};
    std::size_t given = 0;
    for (std::size_t i = 0; i < 26; ++i) {
        counts[i] = total * static_cast<std::size_t>(share[i]) / 1000;
        remainders[i] = total * static_cast<std::size_t>(share[i]) % 1000;
        given += counts[i];
    }
    while (given < total) {
        const auto largest = static_cast<std::size_t>(
            std::max_element(remainders.begin(), remainders.end()) - remainders.begin());
        ++counts[largest];
        remainders[largest] = 0;
        ++given;
    }
    return counts;
}

} // namespace

std::string generateLetterFile(char letter, std::size_t records, unsigned seed) {
    Words words(seed);
    std::string bytes;
    bytes.reserve(records * 48);
    for (std::size_t i = 0; i < records; ++i)
        bytes += datafiles::formatRecordLine(makeRecord(words, letter, true));
    return bytes;
}

GeneratedDictionary generateDictionary(const std::filesystem::path& folder,
                                       std::size_t recordsPerDirection, unsigned seed) {
    std::filesystem::create_directories(folder);
    Words words(seed);
    GeneratedDictionary result;
    for (auto direction : {datafiles::Direction::Forward, datafiles::Direction::Reverse}) {
        const bool forward = direction == datafiles::Direction::Forward;
        const auto counts = spread(recordsPerDirection, forward ? kForwardShare : kReverseShare);
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            const std::size_t count = counts[static_cast<std::size_t>(letter - 'a')];
            std::string bytes;
            bytes.reserve(count * 48);
            for (std::size_t i = 0; i < count; ++i)
                bytes += datafiles::formatRecordLine(makeRecord(words, letter, forward));
            const std::string name =
                datafiles::dataFileName(direction, static_cast<char>(letter - 'a' + 'A'));
            std::ofstream(folder / name, std::ios::binary | std::ios::trunc) << bytes;
            result.bytes += bytes.size();
            (forward ? result.forwardRecords : result.reverseRecords) += count;
        }
    }
    return result;
}

} // namespace bench

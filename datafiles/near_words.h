#pragma once
// The head words of a letter file near a word that was typed otherwise than it is stored:
// the same but for letter case and the accents of vowels ("perche", "Citta"); then, for
// pronunciations, the same when a doubled vowel counts as one ("ban", "baan"), the learner's
// usual slip with a vowel's length; then one letter added, removed, changed, or two
// neighbours swapped ("casaa", "csaa"). The head word of a cross-reference is never offered:
// looking it up only asks for the words it points to. Nothing is stored for it: the file is
// read as a look-up reads it.

#include "file_io.h"
#include "headword_scan.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace datafiles {

// The ways of being near, the nearest first.
enum class Nearness {
    None,           // not near, or the very word typed
    CaseAndAccents, // equal with letter case and accents set aside
    DoubledVowels,  // equal when a doubled vowel counts as one (pronunciations only)
    OneEdit,        // one letter added, removed or changed, or two neighbours swapped
};

// How near `headword` is to `typed`, the nearest way that holds ("baan" to "ban" is one
// letter added and a doubled vowel, so a doubled vowel); `doubledVowels` for the files of
// pronunciations.
Nearness nearnessOf(std::string_view typed, std::string_view headword, bool doubledVowels);

struct NearWord {
    Nearness nearness = Nearness::None;
    std::string headword;
};

// The test of head words near one typed word, for a scan of a file (headword_scan.h).
class NearTest : public HeadwordTest {
public:
    NearTest(std::string_view typed, bool doubledVowels);
    Nearness of(std::string_view headword) const;
    // Only a head word about as long as the word typed can be near it: its closing quote is
    // looked for there, not along the whole line.
    bool wantsLine(const char* line, std::size_t room) const override;
    bool wants(std::string_view headword) const override { return of(headword) != Nearness::None; }

private:
    std::string typed_;
    std::string folded_;
    bool doubledVowels_;
    std::string collapsed_;
};

// The `most` nearest of `headwords` (each passed by `test`), the nearest first and, as near,
// in their order; each once.
std::vector<NearWord> nearest(const NearTest& test, const std::vector<std::string>& headwords,
                              std::size_t most = 3);

// Up to `most` head words of the file near `typed`, the nearest first and, as near, in the
// file's order; each once; none of a cross-reference record. None when the file cannot be
// read.
// `shaped`: as for scanHeadwords.
std::vector<NearWord> nearHeadwords(const std::filesystem::path& path, std::string_view typed,
                                    bool doubledVowels, const FileAccess& access = {},
                                    std::size_t most = 3, const FileStamp* shaped = nullptr);

} // namespace datafiles

#pragma once
// The head words of a letter file near a word that was typed otherwise than it is stored:
// the same but for letter case and the accents of vowels ("perche", "Citta"); then one
// letter added, removed, changed, or two neighbours swapped ("casaa", "csaa"); and, for
// pronunciations, the same when a doubled vowel counts as one ("ban", "baan"). Nothing is
// stored for it: the file is read as a look-up reads it.

#include "file_io.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace datafiles {

enum class Nearness {
    None,           // not near, or the very word typed
    CaseAndAccents, // equal with letter case and accents set aside
    OneEdit,        // one letter added, removed or changed, or two neighbours swapped
    DoubledVowels,  // equal when a doubled vowel counts as one (pronunciations only)
};

// How near `headword` is to `typed`, the nearest way that holds; `doubledVowels` for the
// files of pronunciations.
Nearness nearnessOf(std::string_view typed, std::string_view headword, bool doubledVowels);

struct NearWord {
    Nearness nearness = Nearness::None;
    std::string headword;
};

// Up to `most` head words of the file near `typed`, the nearest first and, as near, in the
// file's order; each once. None when the file cannot be read.
std::vector<NearWord> nearHeadwords(const std::filesystem::path& path, std::string_view typed,
                                    bool doubledVowels, const FileAccess& access = {},
                                    std::size_t most = 3);

} // namespace datafiles

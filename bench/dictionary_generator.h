#pragma once
// Generates a large dictionary in the kit's file format: realistic word lengths, Thai
// bytes, about one cross-reference record in 50, some accented initials, and letters as
// unevenly filled as in a real dictionary.

#include <cstddef>
#include <filesystem>
#include <string>

namespace bench {

struct GeneratedDictionary {
    std::size_t forwardRecords = 0;
    std::size_t reverseRecords = 0;
    std::size_t bytes = 0; // of all 52 files
};

// Writes the 52 files into `folder`, `recordsPerDirection` records in each direction,
// spread over the 26 letters by how often each begins a word ("c" about 13.6% of the
// forward records). The same seed gives the same files.
GeneratedDictionary generateDictionary(const std::filesystem::path& folder,
                                       std::size_t recordsPerDirection, unsigned seed = 1);

// One forward letter file of `records` records; returns its bytes.
std::string generateLetterFile(char letter, std::size_t records, unsigned seed = 1);

} // namespace bench

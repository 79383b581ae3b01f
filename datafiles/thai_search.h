#pragma once
// The records of a reverse file whose Thai script is a given word, found at the speed the
// file can be read: the file is read in blocks that end at a line end, the quoted word is
// looked for in each block by one byte of it that Thai text seldom holds, and only around a
// hit is a line parsed, to check that the hit is the record's fifth field itself. Memory
// holds one block (and one line, when a line is longer).
//
// When nothing matches, the words near the one typed are found in one more pass: one edit
// apart (a letter added, removed or changed, or two neighbours swapped), counted on the
// TIS-620 characters, those differing only in tone marks and vowel signs first.

#include "dictionary_record.h"
#include "file_io.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace datafiles {

inline constexpr std::size_t kThaiSearchBlock = std::size_t(1) << 20;

// Reads a file by the readers' rules (a shared lock, only a regular file) in blocks of about
// `block` bytes, each ending at a line end (CR or LF) or at the file's end, and gives each to
// `onLines`. 0 or the reason the file could not be read (openForReading's, a read's,
// kErrorSavedAsUtf8, kErrorRecordTooLong for a line over kMaxRecordBytes).
int forEachLineBlock(const std::filesystem::path& path, const FileAccess& access, std::size_t block,
                     const std::function<void(std::string_view)>& onLines);

struct ThaiScriptMatches {
    int error = 0;                         // as forEachLineBlock's
    std::vector<DictionaryRecord> records; // the matches in the file's order
};

// The records of the file whose Thai field is `thai` (TIS-620 bytes), cross-references
// left out. The Thai field "@" (none) matches nothing.
ThaiScriptMatches findThaiScript(const std::filesystem::path& path, std::string_view thai,
                                 const FileAccess& access = {},
                                 std::size_t block = kThaiSearchBlock);
// The same over bytes in memory, ending at a line end or being a file's last bytes.
void findThaiScriptIn(std::string_view lines, std::string_view thai,
                      std::vector<DictionaryRecord>& into);

// Tone marks (0xE8-0xEB) and vowel signs (0xD0-0xD9, 0xE0-0xE5, 0xE7, 0xEC) of TIS-620.
bool isToneMarkOrVowelSign(unsigned char byte);

// The ways of being near, the nearest first.
enum class ThaiNearness {
    None,           // not near, or the very word
    MarksAndVowels, // one edit of tone marks or vowel signs only: the consonants equal
    OneEdit,        // one edit anywhere
};

ThaiNearness thaiNearnessOf(std::string_view typed, std::string_view thai);

// The Thai words near a typed one, gathered file after file.
class ThaiNearWords {
public:
    struct Word {
        ThaiNearness nearness = ThaiNearness::None;
        std::string thai;
        int file = 0; // the tag of the file it was found in
    };

    explicit ThaiNearWords(std::string_view typed, std::size_t most = 3);
    // Reads one more file, `file` tagging its words; 0 or the reason it could not be read.
    int read(const std::filesystem::path& path, int file, const FileAccess& access = {},
             std::size_t block = kThaiSearchBlock);
    // The same over bytes in memory, as findThaiScriptIn's.
    void readLines(std::string_view lines, int file);
    // Up to `most`, the nearest first and, as near, in the order read; each word once.
    std::vector<Word> nearest() const;

private:
    std::string typed_;
    std::size_t most_;
    std::vector<Word> marks_;
    std::vector<Word> edits_;
};

} // namespace datafiles

#pragma once
// The records of a letter file whose head word is a given word, found at the speed the file
// can be read: when every line of the file is one record as the writer lays it out (seven
// quoted values without quotes or line ends in them, commas between, CR LF after; blank
// lines only at the very end), each line starts a record, so the file is checked sixty-four
// bytes at a time and only the lines that begin with the quoted word are parsed. A file of
// any other shape is left undecided: its look-up reads it record by record (RecordStream),
// which gives the same records for the files decided here.
//
// The whole file is read under one shared lock, so the records found are those of the file
// as it was at one moment.

#include "dictionary_record.h"
#include "file_io.h"
#include "records_end.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace datafiles {

struct HeadwordScan {
    int error = 0;        // the file could not be read (openForReading's reasons, or a read's)
    bool decided = false; // the file has the writer's shape: `records` are all the matches
    std::vector<DictionaryRecord> records; // the matching records, in the file's order
    bool lastRecordMatched = false;        // the file's last record is among them
    // A decided file as it was when it was read, for a second reading of the same file.
    std::optional<FileStamp> shape;
};

// What a scan looks for in the head words of a file's records.
class HeadwordTest {
public:
    virtual ~HeadwordTest() = default;
    // Whether the record of a line of the writer's shape is wanted: `line` is its first byte
    // (the quote before the head word), `room` the bytes from there to the end of the lines
    // being checked, which hold the whole line.
    virtual bool wantsLine(const char* line, std::size_t room) const = 0;
    // The same for a head word read by the reader.
    virtual bool wants(std::string_view headword) const = 0;
};

// The head word of the writer's line at `line`: the bytes between its first two quotes.
std::optional<std::string_view> headwordOfLine(const char* line, std::size_t room);

// The records whose head word passes `test`, from a file decided as above. With `shaped`,
// the stamp of a scan that decided the file: while the file is still as it was then, its
// lines are not checked again, only read.
HeadwordScan scanHeadwords(const std::filesystem::path& path, const HeadwordTest& test,
                           const FileAccess& access = {},
                           std::size_t window = std::size_t(256) << 10,
                           const FileStamp* shaped = nullptr);
// The same for a file of any shape, read record by record when it is not of the writer's;
// undecided only when it ends in the middle of a record or holds one too long.
HeadwordScan scanAllHeadwords(const std::filesystem::path& path, const HeadwordTest& test,
                              const FileAccess& access = {}, const FileStamp* shaped = nullptr);

// `key` empty (a word the files cannot hold) matches no record; the file is checked all the
// same.
// The file is read in windows of `window` bytes (more for a longer line).
HeadwordScan scanHeadwords(const std::filesystem::path& path, std::optional<std::string_view> key,
                           const FileAccess& access = {},
                           std::size_t window = std::size_t(256) << 10);

// The same over bytes already read: decided, and the matches, or undecided.
HeadwordScan scanHeadwordsInBytes(std::string_view bytes, std::optional<std::string_view> key);

// Where the records of a file of the writer's shape end, read through `read` (pread's
// contract); nothing when the file has another shape, or a read fails: the writer then finds
// the end with the reader's own code.
std::optional<RecordsEnd>
writerShapedRecordsEnd(const std::function<ssize_t(char*, std::size_t, std::uint64_t)>& read);

} // namespace datafiles

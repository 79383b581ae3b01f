#pragma once
// Reads seven-field records from the bytes of one data file.
//
// A field is either quoted (every byte up to the next double quote) or bare (up to the
// next comma or line end). A line end ends a field but not a record: a record always
// takes seven fields, borrowing from the next line when a line is short.
//
// The reader parses in place: a RecordView points into the bytes, and nothing is copied
// until a caller keeps a field.

#include "dictionary_record.h"
#include "file_io.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace datafiles {

enum class ReadStatus {
    Record,    // seven fields were read
    Truncated, // the bytes ended in the middle of a record
    TooLong,   // the record runs over kMaxRecordBytes (whether or not the bytes end in it)
};

// The seven fields of one record, as views into the file's bytes.
struct RecordView {
    std::array<std::string_view, DictionaryRecord::kFieldCount> fields;

    std::string_view headword() const { return fields[0]; }
    std::string_view counterpart() const { return fields[1]; }
    std::string_view attribute() const { return fields[2]; }
    std::string_view note() const { return fields[3]; }
    std::string_view thai() const { return fields[4]; }
    bool isCrossReference() const { return fields[3] == kCrossReferenceNote; }
    // Copies the fields into `record`.
    void copyTo(DictionaryRecord& record) const;
};

// Whether only blanks and line ends follow a position of bytes that may grow since the last
// call: the run seen is remembered, so each byte is looked at once over all calls.
class BlankRun {
public:
    bool reachesEnd(std::string_view bytes, std::size_t pos);

private:
    // Every byte in [from_, to_) is a blank or a line end; to_ is the first byte after them
    // that is not (or the end).
    std::size_t from_ = 0;
    std::size_t to_ = 0;
};

class RecordReader {
public:
    // The reader does not copy: the bytes must outlive it and every view it gives.
    explicit RecordReader(std::string_view bytes, std::size_t maxRecord = kMaxRecordBytes)
        : bytes_(bytes), maxRecord_(maxRecord) {}

    // The end of the file. Blank lines after the last record count as the end, since
    // hand-edited files often have them. Each byte is looked at once over all calls, so a
    // long run of blank lines costs no more than reading it.
    bool atEnd() const;

    // Reads the next record. On Truncated the fields read before the end are set, the
    // others are empty, and the reader is at its end. A record that spans more than
    // `maxRecord` bytes gives TooLong, its fields unset.
    ReadStatus next(RecordView& record);
    // The same, copying the fields into `record`, overwriting all seven.
    ReadStatus next(DictionaryRecord& record);

    // Line (from 1) on which the last record read starts, or the next one before any read;
    // for messages, so it is counted only when asked for.
    std::size_t line() const;
    std::size_t offset() const { return pos_; }

private:
    enum class FieldEnd { Delimiter, EndOfData, UnclosedQuote };
    FieldEnd readField(std::string_view& out);
    bool readWriterLine(RecordView& record);

    std::string_view bytes_;
    std::size_t maxRecord_;
    std::size_t pos_ = 0;
    std::size_t recordStart_ = 0;
    mutable BlankRun blankRun_;
};

// How many lines end before `end` in `bytes`: CR LF, a lone CR and a lone LF each end one.
std::size_t countLineEnds(std::string_view bytes, std::size_t end);

struct ReadAllResult {
    std::vector<DictionaryRecord> records;
    bool truncated = false;
    bool tooLong = false;          // the broken record is longer than kMaxRecordBytes
    std::size_t truncatedLine = 0; // line where the broken record starts
};

// Every record of a file's bytes, stopping at a broken last record.
ReadAllResult readAllRecords(std::string_view bytes);

} // namespace datafiles

#pragma once
// Reads seven-field records from the bytes of one data file.
//
// A field is either quoted (every byte up to the next double quote) or bare (up to the
// next comma or line end). A line end ends a field but not a record: a record always
// takes seven fields, borrowing from the next line when a line is short.

#include "dictionary_record.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace datafiles {

enum class ReadStatus {
    Record,    // seven fields were read
    Truncated, // the bytes ended in the middle of a record
};

class RecordReader {
public:
    // The reader does not copy: the bytes must outlive it.
    explicit RecordReader(std::string_view bytes) : bytes_(bytes) {}

    // The end of the file. Blank lines after the last record count as the end, since
    // hand-edited files often have them.
    bool atEnd() const;

    // Reads the next record into `record`, overwriting all seven fields it reads.
    // On Truncated the fields read before the end are set and the reader is at its end.
    ReadStatus next(DictionaryRecord& record);

    // Line (from 1) on which the next record starts, for messages.
    std::size_t line() const { return line_; }
    std::size_t offset() const { return pos_; }

private:
    enum class FieldEnd { Delimiter, EndOfData, UnclosedQuote };
    FieldEnd readField(std::string& out);
    void skipLineEnd();

    std::string_view bytes_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
};

struct ReadAllResult {
    std::vector<DictionaryRecord> records;
    bool truncated = false;
    std::size_t truncatedLine = 0; // line where the broken record starts
};

// Every record of a file's bytes, stopping at a broken last record.
ReadAllResult readAllRecords(std::string_view bytes);

} // namespace datafiles

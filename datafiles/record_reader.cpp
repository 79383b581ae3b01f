#include "record_reader.h"

namespace datafiles {
namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

bool RecordReader::atEnd() const {
    for (std::size_t i = pos_; i < bytes_.size(); ++i) {
        const char c = bytes_[i];
        if (!isLineEnd(c) && !isBlank(c))
            return false;
    }
    return true;
}

void RecordReader::skipLineEnd() {
    // CR LF, a lone CR or a lone LF each count as one line end.
    if (pos_ < bytes_.size() && bytes_[pos_] == '\r') {
        ++pos_;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\n')
            ++pos_;
    } else if (pos_ < bytes_.size() && bytes_[pos_] == '\n') {
        ++pos_;
    }
    ++line_;
}

RecordReader::FieldEnd RecordReader::readField(std::string& out) {
    const std::size_t size = bytes_.size();
    while (pos_ < size && isBlank(bytes_[pos_]))
        ++pos_;
    if (pos_ >= size) {
        out.clear();
        return FieldEnd::EndOfData;
    }

    if (bytes_[pos_] == '"') {
        const std::size_t start = pos_ + 1;
        const std::size_t close = bytes_.find('"', start);
        if (close == std::string_view::npos) {
            out.assign(bytes_.substr(start));
            pos_ = size;
            return FieldEnd::UnclosedQuote;
        }
        out.assign(bytes_.substr(start, close - start));
        for (std::size_t i = start; i < close; ++i)
            if (bytes_[i] == '\n' || (bytes_[i] == '\r' && (i + 1 >= close || bytes_[i + 1] != '\n')))
                ++line_;
        // Move past whatever stands between the closing quote and the delimiter.
        pos_ = close + 1;
        while (pos_ < size && bytes_[pos_] != ',' && !isLineEnd(bytes_[pos_]))
            ++pos_;
    } else {
        const std::size_t start = pos_;
        while (pos_ < size && bytes_[pos_] != ',' && !isLineEnd(bytes_[pos_]))
            ++pos_;
        std::size_t end = pos_;
        while (end > start && isBlank(bytes_[end - 1]))
            --end;
        out.assign(bytes_.substr(start, end - start));
    }

    if (pos_ >= size)
        return FieldEnd::EndOfData;
    if (bytes_[pos_] == ',')
        ++pos_;
    else
        skipLineEnd();
    return FieldEnd::Delimiter;
}

ReadStatus RecordReader::next(DictionaryRecord& record) {
    for (int i = 0; i < DictionaryRecord::kFieldCount; ++i) {
        if (pos_ >= bytes_.size())
            return ReadStatus::Truncated;
        const FieldEnd end = readField(record.field(i));
        if (end == FieldEnd::UnclosedQuote)
            return ReadStatus::Truncated;
        if (end == FieldEnd::EndOfData && i + 1 < DictionaryRecord::kFieldCount)
            return ReadStatus::Truncated;
    }
    return ReadStatus::Record;
}

ReadAllResult readAllRecords(std::string_view bytes) {
    ReadAllResult result;
    RecordReader reader(bytes);
    while (!reader.atEnd()) {
        const std::size_t line = reader.line();
        DictionaryRecord record;
        if (reader.next(record) == ReadStatus::Truncated) {
            result.truncated = true;
            result.truncatedLine = line;
            break;
        }
        result.records.push_back(std::move(record));
    }
    return result;
}

} // namespace datafiles

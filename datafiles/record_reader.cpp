#include "record_reader.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace datafiles {
namespace {

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

void RecordView::copyTo(DictionaryRecord& record) const {
    for (int i = 0; i < DictionaryRecord::kFieldCount; ++i)
        record.field(i).assign(fields[static_cast<std::size_t>(i)]);
}

bool BlankRun::reachesEnd(std::string_view bytes, std::size_t pos) {
    if (pos < from_ || pos > to_) {
        from_ = pos;
        to_ = pos;
    }
    while (to_ < bytes.size() && (isLineEnd(bytes[to_]) || isBlank(bytes[to_])))
        ++to_;
    return to_ >= bytes.size();
}

bool RecordReader::atEnd() const {
    return blankRun_.reachesEnd(bytes_, pos_);
}

std::size_t countLineEnds(std::string_view bytes, std::size_t end) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < end; ++i) {
        if (bytes[i] == '\n')
            ++lines;
        else if (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))
            ++lines;
    }
    return lines;
}

std::size_t RecordReader::line() const {
    return 1 + countLineEnds(bytes_, recordStart_);
}

RecordReader::FieldEnd RecordReader::readField(std::string_view& out) {
    const char* const data = bytes_.data();
    const std::size_t size = bytes_.size();
    std::size_t p = pos_;
    while (p < size && isBlank(data[p]))
        ++p;
    if (p >= size) {
        out = {};
        pos_ = p;
        return FieldEnd::EndOfData;
    }

    if (data[p] == '"') {
        const std::size_t start = p + 1;
        const void* close = start < size ? std::memchr(data + start, '"', size - start) : nullptr;
        if (!close) {
            out = bytes_.substr(start);
            pos_ = size;
            return FieldEnd::UnclosedQuote;
        }
        const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(close) - data);
        out = std::string_view(data + start, end - start);
        p = end + 1;
        // The writer puts the delimiter right after the quote; anything else standing
        // between them is passed over.
        if (p < size && data[p] != ',' && !isLineEnd(data[p])) {
            while (p < size && data[p] != ',' && !isLineEnd(data[p]))
                ++p;
        }
    } else {
        const std::size_t start = p;
        while (p < size && data[p] != ',' && !isLineEnd(data[p]))
            ++p;
        std::size_t end = p;
        while (end > start && isBlank(data[end - 1]))
            --end;
        out = std::string_view(data + start, end - start);
    }

    if (p >= size) {
        pos_ = p;
        return FieldEnd::EndOfData;
    }
    if (data[p] == ',') {
        pos_ = p + 1;
    } else if (data[p] == '\r') {
        pos_ = (p + 1 < size && data[p + 1] == '\n') ? p + 2 : p + 1;
    } else {
        pos_ = p + 1;
    }
    return FieldEnd::Delimiter;
}

// The line as the writer lays it out: seven quoted values, commas, CR LF (or the end).
// Gives the same fields as the general reading below, faster: it finds the first 14
// double quotes sixteen bytes at a time and checks the commas between them. False
// leaves the record to the general reading.
bool RecordReader::readWriterLine(RecordView& record) {
    constexpr int kQuotes = 2 * DictionaryRecord::kFieldCount;
    const char* const data = bytes_.data();
    const std::size_t size = bytes_.size();
    if (pos_ >= size || data[pos_] != '"')
        return false;
    // One bit per byte of a 64-byte block: which bytes are double quotes.
    auto quoteMask = [&](std::size_t base) -> std::uint64_t {
        std::uint64_t mask = 0;
        if (base + 64 <= size) {
#if defined(__SSE2__)
            const __m128i quote = _mm_set1_epi8('"');
            for (int k = 0; k < 4; ++k) {
                const __m128i chunk =
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + base + 16 * k));
                mask |= std::uint64_t(
                            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, quote))))
                        << (16 * k);
            }
            return mask;
#endif
        }
        for (std::size_t k = 0; k < 64 && base + k < size; ++k)
            if (data[base + k] == '"')
                mask |= std::uint64_t(1) << k;
        return mask;
    };
    std::size_t quotes[kQuotes];
    std::size_t base = pos_;
    std::uint64_t mask = quoteMask(base);
    for (int i = 0; i < kQuotes; ++i) {
        while (mask == 0) {
            base += 64;
            if (base >= size)
                return false;
            mask = quoteMask(base);
        }
        quotes[i] = base + static_cast<std::size_t>(__builtin_ctzll(mask));
        mask &= mask - 1;
    }
    for (int i = 0; i < DictionaryRecord::kFieldCount; ++i) {
        const std::size_t open = quotes[2 * i];
        const std::size_t close = quotes[2 * i + 1];
        if (i + 1 < DictionaryRecord::kFieldCount &&
            (quotes[2 * i + 2] != close + 2 || data[close + 1] != ','))
            return false;
        record.fields[static_cast<std::size_t>(i)] =
            std::string_view(data + open + 1, close - open - 1);
    }
    const std::size_t end = quotes[kQuotes - 1] + 1;
    if (end == size) {
        pos_ = end;
        return true;
    }
    if (end + 1 < size && data[end] == '\r' && data[end + 1] == '\n') {
        pos_ = end + 2;
        return true;
    }
    return false;
}

ReadStatus RecordReader::next(RecordView& record) {
    recordStart_ = pos_;
    ReadStatus status = ReadStatus::Record;
    if (!readWriterLine(record)) {
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            if (pos_ >= bytes_.size()) {
                for (std::size_t k = i; k < record.fields.size(); ++k)
                    record.fields[k] = {};
                status = ReadStatus::Truncated;
                break;
            }
            const FieldEnd end = readField(record.fields[i]);
            const bool last = i + 1 == record.fields.size();
            if (end == FieldEnd::UnclosedQuote || (end == FieldEnd::EndOfData && !last)) {
                for (std::size_t k = i + 1; k < record.fields.size(); ++k)
                    record.fields[k] = {};
                status = ReadStatus::Truncated;
                break;
            }
        }
    }
    if (pos_ - recordStart_ > maxRecord_) {
        record = {};
        return ReadStatus::TooLong;
    }
    return status;
}

ReadStatus RecordReader::next(DictionaryRecord& record) {
    RecordView view;
    const ReadStatus status = next(view);
    view.copyTo(record);
    return status;
}

ReadAllResult readAllRecords(std::string_view bytes) {
    ReadAllResult result;
    RecordReader reader(bytes);
    RecordView view;
    while (!reader.atEnd()) {
        if (const ReadStatus status = reader.next(view); status != ReadStatus::Record) {
            result.truncated = true;
            result.tooLong = status == ReadStatus::TooLong;
            result.truncatedLine = reader.line();
            break;
        }
        view.copyTo(result.records.emplace_back());
    }
    return result;
}

} // namespace datafiles

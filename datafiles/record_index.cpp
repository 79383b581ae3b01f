#include "record_index.h"

#include <bit>
#include <cstdint>

namespace datafiles {
namespace {

// Whether the line at `p`, whose quotes, commas and line feeds are `quotes`, `commas` and
// `lineFeeds` (one bit per byte from `p`, the first line feed within them), is one record as
// the writer lays it out: seven quoted values joined by single commas, then CR LF. Those are
// exactly the lines that RecordReader reads as one record of those values. Gives the length
// of the line with its line end, or 0.
std::size_t writerLineLength(const char* p, std::uint64_t quotes, std::uint64_t commas,
                             std::uint64_t lineFeeds, bool& crossReference) {
    const int lineFeed = std::countr_zero(lineFeeds);
    // The shortest such line is seven empty values: 14 quotes, 6 commas and the CR.
    if (lineFeed < 21 || p[lineFeed - 1] != '\r')
        return 0;
    const int end = lineFeed - 1; // the CR
    const std::uint64_t q = quotes & ((std::uint64_t(1) << end) - 1);
    const std::uint64_t last = std::uint64_t(1) << (end - 1);
    if (!(q & 1) || !(q & last))
        return 0;
    // Bit i of `inside` is set when an odd number of quotes stand at or before byte i: set at
    // each opening quote, clear at each closing one.
    const std::uint64_t inside = prefixXor(q);
    if (inside & last) // an odd number of quotes
        return 0;
    // Every closing quote but the last is followed by a comma and the next opening quote...
    const std::uint64_t closing = q & ~inside & ~last;
    if (((closing << 1) & ~commas) != 0 || ((closing << 2) & ~q) != 0)
        return 0;
    // ... and there are six of them. The third closes the attribute; the note follows.
    std::uint64_t rest = closing;
    for (int k = 0; k < 2; ++k)
        rest &= rest - 1;
    const int note = std::countr_zero(rest) + 2;
    for (int k = 0; k < 3; ++k)
        rest &= rest - 1;
    if (rest == 0 || (rest & (rest - 1)) != 0)
        return 0;
    crossReference = p[note + 1] == '*' && p[note + 2] == '"';
    return static_cast<std::size_t>(lineFeed) + 1;
}

bool isBlankOrLineEnd(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

bool RecordIndexer::atEnd() const {
    if (pos_ < bytes_.size() && bytes_[pos_] == '"')
        return false;
    return blankRun_.reachesEnd(bytes_, pos_);
}

std::size_t RecordIndexer::nextWriterLines(IndexedRecord* out, std::size_t room) {
    const char* const data = bytes_.data();
    const std::size_t size = bytes_.size();
    std::size_t pos = pos_;
    std::size_t block = block_;
    ByteMasks masks = masks_;
    ByteMasks following = following_;
    std::size_t n = 0;
    while (n < room && pos < size) {
        // The bytes of this record's 64-byte block and the next, from the record on: lines
        // up to 64 bytes with their line end are looked at this way, the rest by the reader.
        const std::size_t at = pos & 63;
        if (pos - at != block) {
            // Blocks are looked at in order: the one after the last is usually known already.
            masks = pos - at == block + 64 && block != kNone
                        ? following
                        : byteMasks<false>(data + pos - at, size - (pos - at));
            block = pos - at;
            following = block + 64 < size ? byteMasks<false>(data + block + 64, size - block - 64)
                                          : ByteMasks{};
        }
        std::uint64_t quotes = masks.quote >> at, commas = masks.comma >> at,
                      lineFeeds = masks.lf >> at;
        if (at > 0) {
            quotes |= following.quote << (64 - at);
            commas |= following.comma << (64 - at);
            lineFeeds |= following.lf << (64 - at);
        }
        bool crossReference = false;
        const std::size_t length =
            lineFeeds ? writerLineLength(data + pos, quotes, commas, lineFeeds, crossReference) : 0;
        if (length == 0 || length > maxRecord_)
            break;
        out[n++] = {pos, crossReference};
        pos += length;
    }
    if (n > 0)
        recordStart_ = out[n - 1].start;
    pos_ = pos;
    block_ = block;
    masks_ = masks;
    following_ = following;
    return n;
}

bool RecordIndexer::nextOtherRecord(IndexedRecord& record) {
    // Not at the end whatever follows: something else than blanks and line ends comes.
    std::size_t p = pos_;
    while (p < bytes_.size() && isBlankOrLineEnd(bytes_[p]))
        ++p;
    if (p >= bytes_.size())
        return false;
    // A record that ends before these bytes do ended at delimiters that more bytes do not move.
    RecordReader reader(bytes_.substr(pos_), maxRecord_);
    RecordView view;
    if (reader.next(view) != ReadStatus::Record || pos_ + reader.offset() >= bytes_.size())
        return false;
    recordStart_ = pos_;
    record = {pos_, view.isCrossReference()};
    pos_ += reader.offset();
    return true;
}

std::size_t RecordIndexer::nextDecided(IndexedRecord* out, std::size_t room) {
    std::size_t n = 0;
    while (n < room) {
        n += nextWriterLines(out + n, room - n);
        if (n == room || !nextOtherRecord(out[n]))
            break;
        ++n;
    }
    return n;
}

ReadStatus RecordIndexer::next(IndexedRecord& record) {
    if (nextWriterLines(&record, 1) == 1)
        return ReadStatus::Record;
    recordStart_ = pos_;
    record.start = pos_;
    // Any other record: the reader's own reading, from here.
    RecordReader reader(bytes_.substr(pos_), maxRecord_);
    RecordView view;
    const ReadStatus status = reader.next(view);
    record.crossReference = view.isCrossReference();
    pos_ = status == ReadStatus::Record ? pos_ + reader.offset() : bytes_.size();
    return status;
}

std::size_t RecordIndexer::line() const {
    return 1 + countLineEnds(bytes_, recordStart_);
}

} // namespace datafiles

#pragma once
// Where the records of a data file end, as the writer must know before it appends: found
// with the reader's own code over windows of the file, so that memory stays bounded by the
// longest record.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace datafiles {

// Where the records of a file's bytes end, as the writer finds it before appending: the
// bytes before `keep` stay, `prefix` goes before the new line, and a `fragment` (a last
// record cut short) takes nothing. The writer reads the file in windows of 1 MiB; this
// takes the window size so that tests can check that any window agrees with the reader.
struct RecordsEnd {
    int error = 0;
    bool fragment = false;
    bool tooLong = false; // the fragment is a record longer than kMaxRecordBytes
    std::size_t fragmentLine = 0;
    std::uint64_t keep = 0;
    std::string prefix;
};
RecordsEnd findRecordsEnd(std::string_view bytes, std::size_t window);

// The same over a file read through `readAt` (0 or an errno value), `size` bytes long, in
// windows of `window` bytes at first.
using ReadAt = std::function<int(char* out, std::size_t size, std::uint64_t offset)>;
RecordsEnd findRecordsEnd(const ReadAt& readAt, std::uint64_t size, std::size_t window);

} // namespace datafiles

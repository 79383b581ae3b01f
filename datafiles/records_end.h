#pragma once
// Where the records of a data file end, as the writer must know before it appends: found
// with the reader's own code over windows of the file, so that memory stays bounded by the
// longest record.

#include "file_io.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

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

// How the records end when the last one ends at `end` with `lastByte`, the byte that ended
// it (0 when there is no record): what the end search finds, and what a reader that read a
// whole file knows.
RecordsEnd recordsEndAt(std::uint64_t end, char lastByte);

// A file as it is now: the same file (device and inode), size, and the times of its last
// change. Every write changes a time or the size; a file replaced by an editor is another.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0, modifiedNanoseconds = 0;
    std::int64_t changedSeconds = 0, changedNanoseconds = 0;

    static std::optional<FileStamp> of(FileOps& ops, int fd);
    static FileStamp of(const struct stat& info);
    bool operator==(const FileStamp&) const = default;
};

// The records' end of the files this process has read to their end or written, kept for
// as long as each file stays as it was then. The write of an entry that follows a look-up
// of its word, or another write to the same files, then reads nothing of them: its cost
// does not grow with the files. A whole end or none: a fragment is not kept.
void rememberRecordsEnd(const FileStamp& stamp, const RecordsEnd& end);
std::optional<RecordsEnd> knownRecordsEnd(const FileStamp& stamp);

} // namespace datafiles

#pragma once
// Reads the records of one data file a window at a time, for a reader that goes through a
// file once: the same records, in the same order and with the same line numbers, as a
// RecordReader over the whole file, but in memory bounded by the window and the longest
// record, and without first reading the whole file into fresh memory (which took as long
// as parsing it in a large letter file).
//
// Each read of a window holds a shared lock, as readWholeFile does for its one read, so a
// window never holds half of what a writer is appending; between windows a writer may
// append, and the stream then reads on into what it appended. Whether the file ends after
// the last record read is decided under one lock, from bytes read then: a writer removes
// the blank lines after the last record before it appends, so bytes read earlier past
// that record may no longer be there. The stream sees the file as it was before a write
// or as it is after it, never half of each.

#include "file_io.h"
#include "record_reader.h"
#include "records_end.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>

namespace datafiles {

class RecordStream {
public:
    static constexpr std::size_t kDefaultWindow = std::size_t(128) << 10;

    explicit RecordStream(const FileAccess& access = {}, std::size_t window = kDefaultWindow,
                          std::size_t maxRecord = kMaxRecordBytes);
    ~RecordStream();
    RecordStream(const RecordStream&) = delete;
    RecordStream& operator=(const RecordStream&) = delete;

    // Opens the file with readWholeFile's rules (regular files only, at most
    // kMaxDataFileBytes, not saved as UTF-8) and reads its first window; 0 or the reason it
    // cannot be read.
    int open(const std::filesystem::path& path);
    // A stream with no record, for a file that does not exist yet.
    void openEmpty();

    // As RecordReader::atEnd over the whole file; false while a read error waits to be
    // reported by next().
    bool atEnd();
    // As RecordReader::next over the whole file; a record longer than `maxRecord` gives
    // TooLong without being held whole. The views stay valid until the next call of atEnd()
    // or next(). A read that fails on the way gives Truncated with error() set; so does a
    // file that another program changed before the last record read.
    ReadStatus next(RecordView& record);
    // The reason a read failed after open(), or 0.
    int error() const { return error_; }
    // Line (from 1) on which the last record read starts; reads the file again up to it, so
    // it is for messages only.
    std::size_t line();

private:
    // Keeps the bytes from `keepFrom` on, then reads the file's next bytes after them.
    void readOn(std::size_t keepFrom);
    // With only blanks and line ends left in the window: whether the file ends in them. The
    // window then starts where the reader stands, read afresh.
    bool endsInBlanks();
    // The last byte of the file is read, under the lock taken for it.
    void reachEnd();
    // pread to the end of `size` bytes or of the file; the count, or -1 with errno.
    ssize_t readAt(char* out, std::size_t size, std::uint64_t offset);

    const FileAccess access_;
    int fd_ = -1;
    std::unique_ptr<char[]> window_;
    std::size_t capacity_;
    const std::size_t maxRecord_;
    std::size_t filled_ = 0;              // bytes of the file held in window_
    std::uint64_t windowAt_ = 0;          // where in the file window_[0] is
    char beforeWindow_ = 0;               // the byte before window_[0] when it was read
    bool fileEnd_ = false;                // the last byte of the file is held
    std::optional<FileStamp> stampAtEnd_; // the file as it was when its end was read
    // A byte that is neither blank nor a line end lies here: the blanks and line ends before
    // it are fields of records, not the file's end.
    std::uint64_t contentAt_ = 0;
    int error_ = 0;
    RecordReader reader_{std::string_view()};
    std::uint64_t recordAt_ = 0; // where in the file the last record read starts
};

} // namespace datafiles

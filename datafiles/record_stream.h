#pragma once
// Reads the records of one data file a window at a time, for a reader that goes through a
// file once: the same records, in the same order and with the same line numbers, as a
// RecordReader over the whole file, but in memory bounded by the window and the longest
// record, and without first reading the whole file into fresh memory (which took as long
// as parsing it in a large letter file).
//
// Each read of a window holds a shared lock, as readWholeFile does for its one read, so a
// window never holds half of what a writer is appending; between windows a writer may
// append, and the stream then reads on into what it appended.

#include "file_io.h"
#include "record_reader.h"

#include <cstddef>
#include <filesystem>
#include <memory>

namespace datafiles {

class RecordStream {
public:
    static constexpr std::size_t kDefaultWindow = std::size_t(128) << 10;

    explicit RecordStream(const FileAccess& access = {}, std::size_t window = kDefaultWindow);
    ~RecordStream();
    RecordStream(const RecordStream&) = delete;
    RecordStream& operator=(const RecordStream&) = delete;

    // Opens the file with readWholeFile's rules (regular files only, at most
    // kMaxDataFileBytes) and reads its first window; 0 or the reason it cannot be read.
    int open(const std::filesystem::path& path);

    // As RecordReader::atEnd over the whole file; false while a read error waits to be
    // reported by next().
    bool atEnd();
    // As RecordReader::next over the whole file. The views stay valid until the next call
    // of atEnd() or next(). A read that fails on the way gives Truncated with error() set.
    ReadStatus next(RecordView& record);
    // The reason a read failed after open(), or 0.
    int error() const { return error_; }
    // Line (from 1) on which the last record read starts; reads the file again up to it, so
    // it is for messages only.
    std::size_t line();

private:
    // Keeps the bytes from `keepFrom` on, then reads the file's next bytes after them.
    void readOn(std::size_t keepFrom);

    const FileAccess access_;
    int fd_ = -1;
    std::unique_ptr<char[]> window_;
    std::size_t capacity_;
    std::size_t filled_ = 0;     // bytes of the file held in window_
    std::uint64_t windowAt_ = 0; // where in the file window_[0] is
    bool fileEnd_ = false;       // the last byte of the file is held
    int error_ = 0;
    RecordReader reader_{std::string_view()};
    std::uint64_t recordAt_ = 0; // where in the file the last record read starts
};

} // namespace datafiles

#include "records_end.h"

#include "file_io.h"
#include "record_reader.h"

#include <algorithm>
#include <mutex>
#include <sys/stat.h>
#include <vector>

namespace datafiles {
namespace {

// The offset of the first byte from `from` on that is neither blank nor a line end, or
// `size` when there is none; read in pieces of `piece` bytes.
int firstNonBlank(const ReadAt& readAt, std::uint64_t from, std::uint64_t size, std::size_t piece,
                  std::uint64_t& found) {
    std::string bytes;
    for (std::uint64_t at = from; at < size;) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(piece, size - at));
        bytes.resize(n);
        if (const int error = readAt(bytes.data(), n, at))
            return error;
        const std::size_t k = bytes.find_first_not_of(" \t\r\n");
        if (k != std::string::npos) {
            found = at + k;
            return 0;
        }
        at += n;
    }
    found = size;
    return 0;
}

// Where the last whole record of a file ends, found with the reader's own code over
// windows of the file, so that memory stays bounded by the largest record.
} // namespace

RecordsEnd findRecordsEnd(const ReadAt& readAt, std::uint64_t size, std::size_t firstWindow) {
    RecordsEnd result;
    std::size_t window = firstWindow;
    std::uint64_t start = 0; // a record boundary: all before it reads as whole records
    std::size_t line = 1;    // the line `start` is on
    char lastRecordByte = 0; // the last byte of the last whole record (its delimiter)
    // Blank lines are the file's end when nothing but blank lines follows them, and fields
    // otherwise; where the next byte that is not blank lies, once a window ended in them.
    std::uint64_t contentAfter = 0;
    std::string bytes;
    for (;;) {
        const std::uint64_t left = size - start;
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(window, left));
        bytes.resize(n);
        if (const int error = readAt(bytes.data(), n, start)) {
            result.error = error;
            return result;
        }
        if (start == 0 && beginsWithUtf8Mark(bytes)) {
            result.error = kErrorSavedAsUtf8;
            return result;
        }
        const bool toTheEnd = n == left;
        RecordReader reader(bytes);
        RecordView record;
        std::size_t done = 0; // end of the last record read whole in this window
        bool more = false;    // the window ends inside a record, or among blank lines
        for (;;) {
            if (toTheEnd ? reader.atEnd() : reader.offset() >= n) {
                more = !toTheEnd;
                break;
            }
            if (!toTheEnd && reader.atEnd()) {
                // The window ends in blank lines: look past it, in pieces, for what follows.
                const std::uint64_t here = start + reader.offset();
                if (contentAfter <= here) {
                    const int error =
                        firstNonBlank(readAt, start + n, size, firstWindow, contentAfter);
                    if (error) {
                        result.error = error;
                        return result;
                    }
                }
                if (contentAfter >= size)
                    break; // only blank lines to the end: the records end here
            }
            const std::size_t recordStart = reader.offset();
            const ReadStatus status = reader.next(record);
            if ((status == ReadStatus::Truncated && toTheEnd) || status == ReadStatus::TooLong) {
                result.fragment = true;
                result.tooLong = status == ReadStatus::TooLong;
                result.fragmentLine = line + countLineEnds(bytes, recordStart);
                return result;
            }
            // A record that reaches the window's end may go on in the file.
            if (status == ReadStatus::Truncated || (!toTheEnd && reader.offset() >= n)) {
                more = true;
                break;
            }
            done = reader.offset();
            lastRecordByte = bytes[done - 1];
        }
        if (!more)
            return recordsEndAt(start + done, lastRecordByte);
        if (done > 0) {
            line += countLineEnds(bytes, done);
            start += done;
            window = firstWindow;
        } else if (n > kMaxRecordBytes) {
            result.fragment = true; // a record that runs on past the longest one allowed
            result.tooLong = true;
            result.fragmentLine = line;
            return result;
        } else {
            window *= 2; // one record larger than the window
        }
    }
}

RecordsEnd findRecordsEnd(std::string_view bytes, std::size_t window) {
    const ReadAt readAt = [bytes](char* out, std::size_t n, std::uint64_t offset) {
        bytes.copy(out, n, static_cast<std::size_t>(offset));
        return 0;
    };
    return findRecordsEnd(readAt, bytes.size(), std::max<std::size_t>(window, 1));
}

RecordsEnd recordsEndAt(std::uint64_t end, char lastByte) {
    RecordsEnd result;
    if (end == 0) {
        result.keep = 0; // nothing but blank lines: they all go
    } else if (lastByte == '\r' || lastByte == '\n') {
        result.keep = end;
    } else if (lastByte == ',') {
        // A comma after the seventh field would make the line end that follows the first
        // field of the next record; the line end takes its place.
        result.keep = end - 1;
        result.prefix = "\r\n";
    } else {
        result.keep = end; // the last record runs to the end without a line end
        result.prefix = "\r\n";
    }
    return result;
}

std::optional<FileStamp> FileStamp::of(FileOps& ops, int fd) {
    struct stat info {};
    if (ops.fstat(fd, &info) != 0)
        return std::nullopt;
    return of(info);
}

FileStamp FileStamp::of(const struct stat& info) {
    return FileStamp{
        info.st_dev,         info.st_ino,          static_cast<std::uint64_t>(info.st_size),
        info.st_mtim.tv_sec, info.st_mtim.tv_nsec, info.st_ctim.tv_sec,
        info.st_ctim.tv_nsec};
}

namespace {

struct Known {
    FileStamp stamp;
    RecordsEnd end;
};

std::mutex& knownLock() {
    static std::mutex lock;
    return lock;
}

std::vector<Known>& known() {
    static std::vector<Known> files;
    return files;
}

} // namespace

void rememberRecordsEnd(const FileStamp& stamp, const RecordsEnd& end) {
    if (end.error != 0 || end.fragment)
        return;
    const std::lock_guard guard(knownLock());
    std::vector<Known>& files = known();
    const auto same = std::find_if(files.begin(), files.end(), [&stamp](const Known& k) {
        return k.stamp.device == stamp.device && k.stamp.inode == stamp.inode;
    });
    if (same != files.end())
        *same = {stamp, end};
    else if (files.size() < 128) // the 52 letter files, and room for a few data folders
        files.push_back({stamp, end});
}

std::optional<RecordsEnd> knownRecordsEnd(const FileStamp& stamp) {
    const std::lock_guard guard(knownLock());
    for (const Known& k : known())
        if (k.stamp == stamp)
            return k.end;
    return std::nullopt;
}

} // namespace datafiles

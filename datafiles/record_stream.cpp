#include "record_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/file.h>

namespace datafiles {
namespace {

bool isBlankOrLineEnd(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Releases a shared lock when it goes.
struct SharedLock {
    FileOps& ops;
    int fd;
    int error;
    SharedLock(FileOps& o, int f, std::chrono::milliseconds timeout)
        : ops(o), fd(f), error(lockWithin(o, f, LOCK_SH, timeout)) {}
    ~SharedLock() {
        if (error == 0)
            ops.flock(fd, LOCK_UN);
    }
    SharedLock(const SharedLock&) = delete;
    SharedLock& operator=(const SharedLock&) = delete;
};

} // namespace

RecordStream::RecordStream(const FileAccess& access, std::size_t window, std::size_t maxRecord)
    : access_(access), capacity_(window > 0 ? window : 1), maxRecord_(maxRecord) {}

RecordStream::~RecordStream() {
    if (fd_ >= 0)
        access_.ops->close(fd_);
}

int RecordStream::open(const std::filesystem::path& path) {
    std::uint64_t size = 0;
    if (const int refused = openForReading(path, access_, fd_, size))
        return refused;
    try {
        window_ = std::make_unique<char[]>(capacity_);
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    }
    // The first bytes tell a file saved as UTF-8.
    do
        readOn(0);
    while (error_ == 0 && filled_ < 3 && !fileEnd_);
    if (error_ == 0 && beginsWithUtf8Mark({window_.get(), filled_}))
        error_ = kErrorSavedAsUtf8;
    return error_;
}

void RecordStream::openEmpty() {
    fileEnd_ = true;
    reader_ = RecordReader(std::string_view(), maxRecord_);
}

ssize_t RecordStream::readAt(char* out, std::size_t size, std::uint64_t offset) {
    for (;;) {
        const ssize_t got = access_.ops->pread(fd_, out, size, static_cast<off_t>(offset));
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

void RecordStream::readOn(std::size_t keepFrom) {
    const std::size_t kept = filled_ - keepFrom;
    if (keepFrom > 0)
        beforeWindow_ = window_[keepFrom - 1];
    // A record longer than half the window doubles it, so that each read brings at least
    // as many bytes as are kept and a long record is read in linear time; next() stops a
    // record before it outgrows the longest one allowed.
    if (kept > capacity_ / 2) {
        try {
            auto larger = std::make_unique<char[]>(capacity_ * 2);
            std::memcpy(larger.get(), window_.get() + keepFrom, kept);
            window_ = std::move(larger);
            capacity_ *= 2;
        } catch (const std::bad_alloc&) {
            error_ = ENOMEM;
        }
    } else if (kept > 0) {
        std::memmove(window_.get(), window_.get() + keepFrom, kept);
    }
    if (error_ == 0) {
        windowAt_ += keepFrom;
        filled_ = kept;
        const SharedLock lock(*access_.ops, fd_, access_.lockTimeout);
        error_ = lock.error;
        if (error_ == 0) {
            const ssize_t got =
                readAt(window_.get() + filled_, capacity_ - filled_, windowAt_ + filled_);
            if (got < 0)
                error_ = errno;
            else if (got == 0)
                reachEnd();
            else
                filled_ += static_cast<std::size_t>(got);
        }
    }
    reader_ = RecordReader(std::string_view(window_.get(), error_ == 0 ? filled_ : 0), maxRecord_);
}

bool RecordStream::endsInBlanks() {
    const std::size_t offset = reader_.offset();
    const std::uint64_t at = windowAt_ + offset;
    const char had = offset > 0 ? window_[offset - 1] : beforeWindow_;
    const SharedLock lock(*access_.ops, fd_, access_.lockTimeout);
    if ((error_ = lock.error) != 0)
        return false;
    // The byte before `at` ended the last record read. A writer changes nothing before
    // where the last record ends but a comma after its seventh field, which it replaces by
    // a line end: the record is the same, and what follows it starts after that line end.
    std::uint64_t from = at;
    char before = had;
    if (at > 0) {
        char now[2];
        const ssize_t got = readAt(now, sizeof now, at - 1);
        if (got < 0) {
            error_ = errno;
            return false;
        }
        if (got == 0) { // cut back before it: an unfinished write was undone
            fileEnd_ = true;
            reader_ = RecordReader(std::string_view(), maxRecord_);
            windowAt_ = at;
            return true;
        }
        if (now[0] != had) {
            if (had == ',' && now[0] == '\r' && got == 2 && now[1] == '\n') {
                from = at + 1;
                before = '\n';
            } else {
                error_ = kErrorChangedMeanwhile;
                return false;
            }
        }
    }
    // Whatever follows, read now and under this one lock.
    for (std::uint64_t piece = from;;) {
        const ssize_t got = readAt(window_.get(), capacity_, piece);
        if (got < 0) {
            error_ = errno;
            return false;
        }
        const char* const bytes = window_.get();
        const char* const end = bytes + got;
        const char* const found = std::find_if_not(bytes, end, isBlankOrLineEnd);
        if (got == 0 || found != end) {
            if (got == 0) {
                reachEnd(); // only blanks and line ends to the end of the file
            } else {
                contentAt_ = piece + static_cast<std::uint64_t>(found - bytes);
                if (piece != from) { // the blanks before it belong to the next record
                    const ssize_t again = readAt(window_.get(), capacity_, from);
                    if (again < 0) {
                        error_ = errno;
                        return false;
                    }
                    filled_ = static_cast<std::size_t>(again);
                } else {
                    filled_ = static_cast<std::size_t>(got);
                }
            }
            windowAt_ = from;
            beforeWindow_ = before;
            if (fileEnd_)
                filled_ = 0;
            reader_ = RecordReader(std::string_view(window_.get(), filled_), maxRecord_);
            return fileEnd_;
        }
        piece += static_cast<std::uint64_t>(got);
    }
}

void RecordStream::reachEnd() {
    fileEnd_ = true;
    stampAtEnd_ = FileStamp::of(*access_.ops, fd_); // under the lock the end was read with
}

bool RecordStream::atEnd() {
    if (error_ != 0)
        return false;
    if (!reader_.atEnd())
        return false;
    if (!fileEnd_) {
        // Only blanks and line ends are left in the window: what follows them decides.
        if (windowAt_ + reader_.offset() < contentAt_ || !endsInBlanks())
            return false;
    }
    // Read to its end: a write that follows need not read the file again.
    if (stampAtEnd_) {
        const std::size_t offset = reader_.offset();
        rememberRecordsEnd(
            *stampAtEnd_,
            recordsEndAt(windowAt_ + offset, offset > 0 ? window_[offset - 1] : beforeWindow_));
        stampAtEnd_.reset();
    }
    return true;
}

ReadStatus RecordStream::next(RecordView& record) {
    for (;;) {
        if (error_ != 0) {
            record = {};
            return ReadStatus::Truncated;
        }
        const std::size_t start = reader_.offset();
        const ReadStatus status = reader_.next(record);
        // A record that ends before the last byte of the window was read without looking at
        // that byte, so the bytes after the window cannot change it; at the end of the file
        // the window holds all there is.
        const bool whole = status == ReadStatus::Record && reader_.offset() < filled_;
        if (fileEnd_ || whole || status == ReadStatus::TooLong) {
            recordAt_ = windowAt_ + start;
            return status;
        }
        if (filled_ - start > maxRecord_) { // it goes on past the longest record allowed
            recordAt_ = windowAt_ + start;
            record = {};
            return ReadStatus::TooLong;
        }
        readOn(start);
    }
}
std::size_t RecordStream::line() {
    // The reader's count: a line feed ends a line, and so does a carriage return that no
    // line feed follows.
    std::size_t lines = 0;
    char piece[1 << 16];
    std::uint64_t at = 0;
    bool carriageReturn = false;
    FileOps& ops = *access_.ops;
    while (at <= recordAt_) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(sizeof piece, recordAt_ + 1 - at));
        const ssize_t got = ops.pread(fd_, piece, want, static_cast<off_t>(at));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        for (ssize_t i = 0; i < got && at + static_cast<std::uint64_t>(i) < recordAt_; ++i) {
            const char c = piece[i];
            if (carriageReturn && c != '\n')
                ++lines;
            carriageReturn = c == '\r';
            if (c == '\n')
                ++lines;
        }
        // The byte at the record's start only tells whether a carriage return before it
        // ends a line.
        if (at + static_cast<std::uint64_t>(got) > recordAt_) {
            if (carriageReturn && piece[recordAt_ - at] != '\n')
                ++lines;
            carriageReturn = false;
            break;
        }
        at += static_cast<std::uint64_t>(got);
    }
    if (carriageReturn) // the file ends right after it
        ++lines;
    return 1 + lines;
}

} // namespace datafiles

#include "record_stream.h"

#include <cerrno>
#include <cstring>
#include <sys/file.h>

namespace datafiles {

RecordStream::RecordStream(const FileAccess& access, std::size_t window)
    : access_(access), capacity_(window > 0 ? window : 1) {}

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
    readOn(0);
    return error_;
}

void RecordStream::readOn(std::size_t keepFrom) {
    const std::size_t kept = filled_ - keepFrom;
    // A record longer than half the window doubles it, so that each read brings at least
    // as many bytes as are kept and a long record or blank run is read in linear time.
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
        FileOps& ops = *access_.ops;
        error_ = lockWithin(ops, fd_, LOCK_SH, access_.lockTimeout);
        while (error_ == 0) {
            const ssize_t got = ops.pread(fd_, window_.get() + filled_, capacity_ - filled_,
                                          static_cast<off_t>(windowAt_ + filled_));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                error_ = errno;
            else if (got == 0)
                fileEnd_ = true;
            else
                filled_ += static_cast<std::size_t>(got);
            break;
        }
        ops.flock(fd_, LOCK_UN);
    }
    reader_ = RecordReader(std::string_view(window_.get(), error_ == 0 ? filled_ : 0));
}

bool RecordStream::atEnd() {
    for (;;) {
        if (error_ != 0)
            return false;
        if (!reader_.atEnd())
            return false;
        if (fileEnd_)
            return true;
        // Only blanks and line ends are left in the window: what follows them decides.
        readOn(reader_.offset());
    }
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
        if (fileEnd_ || (status == ReadStatus::Record && reader_.offset() < filled_)) {
            recordAt_ = windowAt_ + start;
            return status;
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

#include "locked_file.h"

#include "headword_scan.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace datafiles {
namespace {

constexpr std::size_t kEndWindow = std::size_t(1) << 20;

// Writes all of `bytes` at the file's end. A short write is followed by another, so that a
// disk that fills up reports why (ENOSPC) instead of a bare short count.
int writeAll(FileOps& ops, int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t done = ops.write(fd, bytes.data(), bytes.size());
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0)
            return errnoOr(EIO);
        if (done == 0)
            return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return 0;
}

} // namespace

LockedFile::~LockedFile() {
    if (fd_ >= 0)
        ops_.close(fd_); // closing releases the lock
}

int LockedFile::open(const std::filesystem::path& path, std::chrono::milliseconds timeout,
                     bool create) {
    path_ = path;
    constexpr int kFlags = O_RDWR | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    // A file replaced by a change while this waited for its lock is no longer the file at its
    // name: the new one is opened and locked instead, so that nothing is appended to a file
    // that has left its folder.
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (fd_ >= 0)
            ops_.close(fd_);
        fd_ = ops_.open(path.c_str(), kFlags, 0);
        if (fd_ < 0 && errno == ENOENT && create) {
            fd_ = ops_.open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0644);
            created_ = fd_ >= 0;
            if (fd_ < 0 && errno == EEXIST)
                continue;
        }
        if (fd_ < 0)
            return errnoOr(EIO);
        struct stat info {};
        if (ops_.fstat(fd_, &info) != 0)
            return errnoOr(EIO);
        if (S_ISDIR(info.st_mode))
            return EISDIR;
        if (!S_ISREG(info.st_mode))
            return kErrorNotRegularFile;
        if (const int error = lockWithin(ops_, fd_, LOCK_EX, timeout))
            return error;
        // The size once the lock is ours: another writer may have appended meanwhile.
        if (ops_.fstat(fd_, &info) != 0)
            return errnoOr(EIO);
        struct stat named {};
        if (ops_.stat(path.c_str(), &named) != 0 || named.st_dev != info.st_dev ||
            named.st_ino != info.st_ino) {
            if (created_) // made by this call, then replaced or removed: not ours to remove
                created_ = false;
            continue;
        }
        size_ = info.st_size;
        stamp_ = FileStamp::of(info);
        // The readers refuse a larger file; it is not read here either.
        return static_cast<std::uint64_t>(size_) > kMaxDataFileBytes ? EFBIG : 0;
    }
    return EWOULDBLOCK;
}

int LockedFile::readAt(std::uint64_t offset, std::string& out) {
    return readExactly(ops_, fd_, out.data(), out.size(), offset);
}

int LockedFile::readBefore(std::uint64_t offset, std::size_t most, std::string& out) {
    out.resize(static_cast<std::size_t>(std::min<std::uint64_t>(most, offset)));
    return readAt(offset - out.size(), out);
}

// Whether the file still ends as `known` says, by its last bytes: a change of the same size
// within one tick of the file system's clock leaves the times as they were.
bool LockedFile::endStillHolds(const RecordsEnd& known) {
    const auto size = static_cast<std::uint64_t>(size_);
    if (known.keep > size || size - known.keep > kEndWindow)
        return false;
    std::string last(static_cast<std::size_t>(size - known.keep) + (known.keep > 0 ? 1 : 0), '\0');
    if (readAt(size - last.size(), last) != 0)
        return false;
    const std::string_view after = std::string_view(last).substr(known.keep > 0 ? 1 : 0);
    const char lastByte = known.keep > 0 ? last.front() : '\n';
    if (known.prefix.empty()) // a line end, then blanks
        return (lastByte == '\r' || lastByte == '\n') &&
               after.find_first_not_of(" \t\r\n") == std::string_view::npos;
    if (!after.empty() && after.front() == ',') // a comma after the seventh field
        return after.find_first_not_of(" \t\r\n", 1) == std::string_view::npos;
    return after.empty() && lastByte != '\r' && lastByte != '\n';
}

RecordsEnd LockedFile::findEnd() {
    if (std::optional<RecordsEnd> known = knownRecordsEnd(stamp_); known && endStillHolds(*known))
        return std::move(*known);
    // A file of the writer's lines is checked sixty-four bytes at a time; any other is read
    // with the reader's own code.
    std::optional<RecordsEnd> shaped =
        writerShapedRecordsEnd([this](char* out, std::size_t n, std::uint64_t offset) {
            return ops_.pread(fd_, out, n, static_cast<off_t>(offset));
        });
    const ReadAt readAt = [this](char* out, std::size_t n, std::uint64_t offset) {
        return readExactly(ops_, fd_, out, n, offset);
    };
    RecordsEnd end = shaped ? std::move(*shaped)
                            : findRecordsEnd(readAt, static_cast<std::uint64_t>(size_), kEndWindow);
    rememberRecordsEnd(stamp_, end);
    return end;
}

void LockedFile::rememberWritten(std::string_view written) {
    RecordsEnd end = findRecordsEnd(written, written.size() + 1);
    if (end.error != 0 || end.fragment || end.keep == 0 || !writtenStamp_)
        return; // no whole record in them: what was known before is not known to last
    end.keep += static_cast<std::uint64_t>(keep_);
    rememberRecordsEnd(*writtenStamp_, end);
}

int LockedFile::write(off_t keep, std::string_view bytes) {
    keep_ = keep;
    touched_ = true;
    if (size_ > keep && ops_.ftruncate(fd_, keep) != 0)
        return errnoOr(EIO);
    if (const int error = writeAll(ops_, fd_, bytes))
        return error;
    // The file as this write left it, taken at once under the lock: a program that takes no
    // lock and changes it later, by the same number of bytes, changes this stamp.
    writtenStamp_ = FileStamp::of(ops_, fd_);
    if (ops_.fdatasync(fd_) != 0)
        return errnoOr(EIO);
    return 0;
}

int LockedFile::cutTo(off_t size) {
    if (ops_.ftruncate(fd_, size) != 0)
        return errnoOr(EIO);
    ops_.fdatasync(fd_);
    size_ = size;
    return 0;
}

int LockedFile::undo() {
    if (!touched_)
        return removeIfCreated();
    if (ops_.ftruncate(fd_, keep_) != 0)
        return errnoOr(EIO);
    if (ops_.fdatasync(fd_) != 0)
        unsynced_ = true;
    return removeIfCreated();
}

int LockedFile::remove() {
    if (ops_.unlink(path_.c_str()) != 0 && errno != ENOENT)
        return errnoOr(EIO);
    return 0;
}

int LockedFile::removeIfCreated() {
    if (created_ && remove() != 0)
        return errnoOr(EIO);
    created_ = false;
    return 0;
}

} // namespace datafiles

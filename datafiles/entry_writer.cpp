#include "entry_writer.h"

#include "record_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace datafiles {
namespace {

using File = EntryWriteResult::File;
using Problem = EntryWriteResult::Problem;

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

using ReadAt = std::function<int(char* out, std::size_t size, std::uint64_t offset)>;

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
RecordsEnd findEnd(const ReadAt& readAt, std::uint64_t size, std::size_t firstWindow) {
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
        if (!more) {
            const std::uint64_t end = start + done;
            if (end == 0) {
                result.keep = 0; // nothing but blank lines: they all go
            } else if (lastRecordByte == '\r' || lastRecordByte == '\n') {
                result.keep = end;
            } else if (lastRecordByte == ',') {
                // A comma after the seventh field would make the line end that follows
                // the first field of the next record; the line end takes its place.
                result.keep = end - 1;
                result.prefix = "\r\n";
            } else {
                result.keep = end; // the last record runs to the end without a line end
                result.prefix = "\r\n";
            }
            return result;
        }
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

constexpr std::size_t kEndWindow = std::size_t(1) << 20;

// An open, exclusively locked file of the data folder.
class LockedFile {
public:
    explicit LockedFile(FileOps& ops) : ops_(ops) {}
    ~LockedFile() {
        if (fd_ >= 0)
            ops_.close(fd_); // closing releases the lock
    }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    // Opens the file for appending, creating it when `create` is set and it is missing.
    int open(const fs::path& path, std::chrono::milliseconds timeout, bool create) {
        path_ = path;
        constexpr int kFlags = O_RDWR | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        fd_ = ops_.open(path.c_str(), kFlags, 0);
        if (fd_ < 0 && errno == ENOENT && create) {
            fd_ = ops_.open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0644);
            created_ = fd_ >= 0;
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
        size_ = info.st_size;
        // The readers refuse a larger file; it is not read here either.
        return static_cast<std::uint64_t>(size_) > kMaxDataFileBytes ? EFBIG : 0;
    }

    // Up to `most` bytes just before `offset`.
    int readBefore(std::uint64_t offset, std::size_t most, std::string& out) {
        out.resize(static_cast<std::size_t>(std::min<std::uint64_t>(most, offset)));
        return readExactly(ops_, fd_, out.data(), out.size(), offset - out.size());
    }

    RecordsEnd findEnd() {
        const ReadAt readAt = [this](char* out, std::size_t n, std::uint64_t offset) {
            return readExactly(ops_, fd_, out, n, offset);
        };
        return datafiles::findEnd(readAt, static_cast<std::uint64_t>(size_), kEndWindow);
    }

    // Removes what follows the last record, then writes `bytes` and syncs them.
    int write(off_t keep, std::string_view bytes) {
        keep_ = keep;
        touched_ = true;
        if (size_ > keep && ops_.ftruncate(fd_, keep) != 0)
            return errnoOr(EIO);
        if (const int error = writeAll(ops_, fd_, bytes))
            return error;
        if (ops_.fdatasync(fd_) != 0)
            return errnoOr(EIO);
        return 0;
    }

    // Back to where the new bytes began; a file this write created goes again. 0, or why
    // the new bytes could not be removed. A failed sync after the cut leaves `unsynced`.
    int undo() {
        if (!touched_)
            return removeIfCreated();
        if (ops_.ftruncate(fd_, keep_) != 0)
            return errnoOr(EIO);
        if (ops_.fdatasync(fd_) != 0)
            unsynced_ = true;
        return removeIfCreated();
    }

    bool created() const { return created_; }
    bool unsynced() const { return unsynced_; }
    off_t size() const { return size_; }
    const fs::path& path() const { return path_; }

private:
    int removeIfCreated() {
        if (created_ && ops_.unlink(path_.c_str()) != 0 && errno != ENOENT)
            return errnoOr(EIO);
        created_ = false;
        return 0;
    }

    FileOps& ops_;
    fs::path path_;
    int fd_ = -1;
    off_t size_ = 0;
    off_t keep_ = 0;
    bool touched_ = false;
    bool created_ = false;
    bool unsynced_ = false;
};

EntryWriteResult failure(Problem problem, File file, int error) {
    EntryWriteResult r;
    r.problem = problem;
    r.file = file;
    r.error = error;
    return r;
}

} // namespace

RecordsEnd findRecordsEnd(std::string_view bytes, std::size_t window) {
    const ReadAt readAt = [bytes](char* out, std::size_t n, std::uint64_t offset) {
        bytes.copy(out, n, static_cast<std::size_t>(offset));
        return 0;
    };
    return findEnd(readAt, bytes.size(), std::max<std::size_t>(window, 1));
}

FileResult appendLine(const fs::path& path, std::string_view line, const FileAccess& access) {
    LockedFile file(*access.ops);
    FileResult result;
    if ((result.error = file.open(path, access.lockTimeout, true)))
        return result;
    const RecordsEnd end = file.findEnd();
    if (end.error || end.fragment) {
        result.error = end.error ? end.error : end.tooLong ? kErrorRecordTooLong : EILSEQ;
        file.undo();
        return result;
    }
    if ((result.error = file.write(static_cast<off_t>(end.keep), end.prefix + std::string(line))))
        file.undo();
    return result;
}

EntryWriteResult appendEntry(const fs::path& forwardPath, const std::string& forwardLine,
                             const fs::path& reversePath, const std::string& reverseLine,
                             const FileAccess& access) {
    FileOps& ops = *access.ops;
    const fs::path folder = forwardPath.parent_path();
    // The journal can only speak of two letter files of its own folder.
    if (reversePath.parent_path() != folder || !isLetterFileName(forwardPath.filename().string()) ||
        !isLetterFileName(reversePath.filename().string()))
        return failure(Problem::OpenFailed, File::Forward, EINVAL);
    if (forwardLine.size() > kMaxRecordBytes || reverseLine.size() > kMaxRecordBytes)
        return failure(Problem::TooLong, File::Forward, 0);
    auto inJournal = [](EntryWriteResult r) {
        r.inJournal = true;
        return r;
    };
    Journal journal(ops, folder);
    if (const int error = journal.acquire(access.lockTimeout, true)) {
        // A journal that could not be made tells of its folder, as the data files would.
        struct stat info {};
        const bool there = ops.lstat(journal.path().c_str(), &info) == 0;
        EntryWriteResult r = failure(Problem::OpenFailed, File::Forward, error);
        r.inJournal = there;
        return r;
    }
    RecoveryResult recovered = journal.recover(access.lockTimeout);
    if (!recovered.settled()) {
        EntryWriteResult r = failure(Problem::OpenFailed, File::Forward, recovered.error);
        r.inJournal = recovered.errorFile == journal.path();
        r.recovered = std::move(recovered);
        return r;
    }
    // A damaged journal was set aside: this write takes a new one.
    if (recovered.error == kErrorJournalDamaged) {
        if (const int error = journal.acquire(access.lockTimeout, true)) {
            EntryWriteResult r = inJournal(failure(Problem::OpenFailed, File::Forward, error));
            r.recovered = std::move(recovered);
            return r;
        }
    }

    // Forward files are always locked before reverse ones; with the journal locked first,
    // two writers never wait on each other in a circle.
    LockedFile forward(ops), reverse(ops);
    LockedFile* files[] = {&forward, &reverse};
    const fs::path* paths[] = {&forwardPath, &reversePath};
    const std::string* lines[] = {&forwardLine, &reverseLine};
    JournalEntry entry;
    JournalIntent* intents[] = {&entry.forward, &entry.reverse};
    auto giveUp = [&](EntryWriteResult r) {
        reverse.undo(); // only files this write created go
        forward.undo();
        journal.remove();
        r.recovered = std::move(recovered);
        return r;
    };
    for (int i = 0; i < 2; ++i) {
        const File which = i == 0 ? File::Forward : File::Reverse;
        if (const int error = files[i]->open(*paths[i], access.lockTimeout, true))
            return giveUp(failure(Problem::OpenFailed, which, error));
    }
    for (int i = 0; i < 2; ++i) {
        const File which = i == 0 ? File::Forward : File::Reverse;
        const RecordsEnd end = files[i]->findEnd();
        if (end.error)
            return giveUp(failure(Problem::OpenFailed, which, end.error));
        if (end.fragment) {
            EntryWriteResult r =
                failure(end.tooLong ? Problem::TooLong : Problem::Fragment, which, 0);
            r.fragmentLine = end.fragmentLine;
            return giveUp(std::move(r));
        }
        JournalIntent& intent = *intents[i];
        intent.name = paths[i]->filename().string();
        intent.originalSize = static_cast<std::uint64_t>(files[i]->size());
        intent.keep = end.keep;
        intent.created = files[i]->created();
        intent.bytes = end.prefix + *lines[i];
        if (intent.keep + intent.bytes.size() > kMaxDataFileBytes)
            return giveUp(failure(Problem::WriteFailed, which, EFBIG));
        if (const int error = files[i]->readBefore(intent.keep, kJournalBefore, intent.before))
            return giveUp(failure(Problem::OpenFailed, which, error));
    }
    if (const int error = journal.record(entry))
        return giveUp(inJournal(failure(Problem::WriteFailed, File::Forward, error)));
    if (forward.created() || reverse.created())
        syncFolder(ops, folder);

    // Writes in order; on a failure both files go back to where their new bytes began. The
    // entry counts as written once both lines are durable and the journal is emptied.
    auto rollBack = [&](EntryWriteResult r) {
        for (int k = 1; k >= 0; --k) { // a file not written yet only goes if it was created
            if (const int undoError = files[k]->undo()) {
                r.problem = Problem::RollbackFailed;
                r.undoFile = k == 0 ? File::Forward : File::Reverse;
                r.undoError = undoError;
            }
        }
        // With a line left behind, or a cut not surely on the disk, the journal stays: the
        // next write or start-up finishes the undo.
        if (r.problem != Problem::RollbackFailed && !forward.unsynced() && !reverse.unsynced())
            journal.remove();
        r.recovered = std::move(recovered);
        return r;
    };
    for (int i = 0; i < 2; ++i) {
        const File which = i == 0 ? File::Forward : File::Reverse;
        if (const int error =
                files[i]->write(static_cast<off_t>(intents[i]->keep), intents[i]->bytes))
            return rollBack(failure(Problem::WriteFailed, which, error));
    }
    if (const int error = journal.clear())
        return rollBack(inJournal(failure(Problem::WriteFailed, File::Forward, error)));
    journal.remove();
    EntryWriteResult written;
    written.recovered = std::move(recovered);
    return written;
}

} // namespace datafiles

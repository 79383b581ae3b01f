#include "entry_writer.h"

#include "record_reader.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace datafiles {
namespace {

using File = EntryWriteResult::File;
using Problem = EntryWriteResult::Problem;

int errnoOr(int fallback) {
    return errno ? errno : fallback;
}

// Every byte of [offset, offset + size), or an errno value.
int readExactly(FileOps& ops, int fd, char* out, std::size_t size, off_t offset) {
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got =
            ops.pread(fd, out + filled, size - filled, offset + static_cast<off_t>(filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got < 0 ? errnoOr(EIO) : EIO;
        filled += static_cast<std::size_t>(got);
    }
    return 0;
}

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

// Makes a new or removed folder entry durable. Some file systems cannot sync a folder;
// the data itself is synced regardless, so a failure here is not the write's.
void syncFolder(FileOps& ops, const fs::path& folder) {
    const int fd =
        ops.open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0)
        return;
    ops.fsync(fd);
    ops.close(fd);
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
            if (status == ReadStatus::Truncated && toTheEnd) {
                result.fragment = true;
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
        return 0;
    }

    RecordsEnd findEnd() {
        const ReadAt readAt = [this](char* out, std::size_t n, std::uint64_t offset) {
            return readExactly(ops_, fd_, out, n, static_cast<off_t>(offset));
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

// --- the journal

// What the journal says of one file: enough to find the entry's new bytes again.
struct Intent {
    fs::path path;
    std::uint64_t originalSize = 0;
    std::uint64_t keep = 0; // where the new bytes begin
    bool created = false;
    std::string bytes; // the new bytes: a line end the file lacked, then the line
};

constexpr std::string_view kJournalHeader = "VOCABORO JOURNAL 1\n";

std::uint64_t checksum(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string serialize(const Intent& forward, const Intent& reverse) {
    std::string out(kJournalHeader);
    for (const Intent* intent : {&forward, &reverse}) {
        const std::string path = intent->path.string();
        out += std::to_string(intent->originalSize) + ' ' + std::to_string(intent->keep) + ' ' +
               (intent->created ? '1' : '0') + ' ' + std::to_string(path.size()) + ' ' +
               std::to_string(intent->bytes.size()) + '\n';
        out += path;
        out += intent->bytes;
        out += '\n';
    }
    char hex[16];
    const auto end = std::to_chars(hex, hex + sizeof hex, checksum(out), 16).ptr;
    out.append(hex, end);
    out += '\n';
    return out;
}

// Parses a journal; nothing when it is torn or not one of ours.
std::optional<std::pair<Intent, Intent>> parse(std::string_view text) {
    const std::size_t sumLine = text.rfind('\n', text.size() >= 2 ? text.size() - 2 : 0);
    if (text.size() < kJournalHeader.size() ||
        text.substr(0, kJournalHeader.size()) != kJournalHeader || text.back() != '\n' ||
        sumLine == std::string_view::npos)
        return std::nullopt;
    const std::string_view body = text.substr(0, sumLine + 1);
    const std::string_view sumText = text.substr(sumLine + 1, text.size() - sumLine - 2);
    std::uint64_t sum = 0;
    if (std::from_chars(sumText.data(), sumText.data() + sumText.size(), sum, 16).ptr !=
            sumText.data() + sumText.size() ||
        sum != checksum(body))
        return std::nullopt;

    std::string_view rest = body.substr(kJournalHeader.size());
    auto number = [&rest](std::uint64_t& value, char after) {
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
        if (error != std::errc() || end == rest.data() + rest.size() || *end != after)
            return false;
        rest.remove_prefix(static_cast<std::size_t>(end - rest.data()) + 1);
        return true;
    };
    Intent intents[2];
    for (Intent& intent : intents) {
        std::uint64_t created = 0, pathSize = 0, bytesSize = 0;
        if (!number(intent.originalSize, ' ') || !number(intent.keep, ' ') ||
            !number(created, ' ') || !number(pathSize, ' ') || !number(bytesSize, '\n') ||
            created > 1 || rest.size() < pathSize + bytesSize + 1 ||
            rest[pathSize + bytesSize] != '\n')
            return std::nullopt;
        intent.created = created == 1;
        intent.path = std::string(rest.substr(0, pathSize));
        intent.bytes = std::string(rest.substr(pathSize, bytesSize));
        rest.remove_prefix(pathSize + bytesSize + 1);
    }
    if (!rest.empty())
        return std::nullopt;
    return std::pair{std::move(intents[0]), std::move(intents[1])};
}

// The journal of one data folder, locked for the time of one write or one recovery.
class Journal {
public:
    Journal(FileOps& ops, fs::path folder)
        : ops_(ops), folder_(std::move(folder)), path_(folder_ / kJournalFileName) {}
    ~Journal() {
        if (fd_ >= 0)
            ops_.close(fd_);
    }
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // Opens and locks the journal; `create` makes it when missing. ENOENT when it is not
    // there (and not to be made). A journal removed by the writer that held it while this
    // one waited is opened anew.
    int acquire(std::chrono::milliseconds timeout, bool create) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            fd_ = ops_.open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC, 0);
            if (fd_ < 0 && errno == ENOENT && create) {
                fd_ = ops_.open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC,
                                0644);
                if (fd_ < 0 && errno == EEXIST)
                    continue;
                created_ = fd_ >= 0;
            }
            if (fd_ < 0)
                return errnoOr(EIO);
            if (const int error = lockWithin(ops_, fd_, LOCK_EX, timeout))
                return error;
            struct stat held {
            }, named{};
            if (ops_.fstat(fd_, &held) != 0)
                return errnoOr(EIO);
            if (!S_ISREG(held.st_mode))
                return kErrorNotRegularFile;
            if (ops_.stat(path_.c_str(), &named) == 0 && named.st_ino == held.st_ino &&
                named.st_dev == held.st_dev) {
                size_ = held.st_size;
                return 0;
            }
            ops_.close(fd_); // removed meanwhile: its write is over
            fd_ = -1;
            created_ = false;
        }
        return EWOULDBLOCK;
    }

    // The journal's text, empty when it holds nothing.
    int read(std::string& text) {
        text.resize(static_cast<std::size_t>(size_));
        return readExactly(ops_, fd_, text.data(), text.size(), 0);
    }

    // The intent, durable before any data file is touched.
    int record(const std::string& text) {
        if (ops_.ftruncate(fd_, 0) != 0)
            return errnoOr(EIO);
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n =
                ops_.pwrite(fd_, text.data() + done, text.size() - done, static_cast<off_t>(done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return n < 0 ? errnoOr(EIO) : EIO;
            done += static_cast<std::size_t>(n);
        }
        if (ops_.fdatasync(fd_) != 0)
            return errnoOr(EIO);
        if (created_)
            syncFolder(ops_, folder_);
        return 0;
    }

    // Empties the journal durably: from here on the entry counts as written (or the
    // recovery as done), whatever happens to the journal file itself.
    int clear() {
        if (ops_.ftruncate(fd_, 0) != 0 || ops_.fdatasync(fd_) != 0)
            return errnoOr(EIO);
        return 0;
    }

    // Removes the journal file while it is still locked. Neither the removal nor its
    // reaching the disk matters to the entry: an empty journal that stays, or comes back
    // after a power cut, means nothing to the next writer.
    void remove() { ops_.unlink(path_.c_str()); }

private:
    FileOps& ops_;
    fs::path folder_;
    fs::path path_;
    int fd_ = -1;
    off_t size_ = 0;
    bool created_ = false;
};

// The headword and counterpart of the line in an intent's bytes, for telling the user.
void describeEntry(const Intent& intent, RecoveryResult& result) {
    std::string_view line = intent.bytes;
    while (!line.empty() && (line.front() == '\r' || line.front() == '\n'))
        line.remove_prefix(1);
    RecordReader reader(line);
    RecordView record;
    reader.next(record);
    result.headword = std::string(record.headword());
    result.counterpart = std::string(record.counterpart());
}

// Cuts one file back to where the intent's bytes began, if what follows is those bytes or
// a torn start of them. 0, or why not.
int undoIntent(FileOps& ops, const Intent& intent, std::chrono::milliseconds timeout,
               bool& undone) {
    const int fd = ops.open(intent.path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
    if (fd < 0)
        return errno == ENOENT && intent.created ? 0 : errnoOr(EIO);
    struct Closer {
        FileOps& ops;
        int fd;
        ~Closer() { ops.close(fd); }
    } closer{ops, fd};
    struct stat info {};
    if (ops.fstat(fd, &info) != 0)
        return errnoOr(EIO);
    if (!S_ISREG(info.st_mode))
        return kErrorNotRegularFile;
    if (const int error = lockWithin(ops, fd, LOCK_EX, timeout))
        return error;
    if (ops.fstat(fd, &info) != 0)
        return errnoOr(EIO);
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size >= intent.keep && size - intent.keep <= intent.bytes.size()) {
        std::string found(static_cast<std::size_t>(size - intent.keep), '\0');
        if (const int error =
                readExactly(ops, fd, found.data(), found.size(), static_cast<off_t>(intent.keep)))
            return error;
        if (intent.bytes.compare(0, found.size(), found) == 0) {
            if (size > intent.keep) {
                if (ops.ftruncate(fd, static_cast<off_t>(intent.keep)) != 0)
                    return errnoOr(EIO);
                ops.fdatasync(fd);
                undone = true;
            }
            if (intent.created && intent.keep == 0 && ops.unlink(intent.path.c_str()) != 0 &&
                errno != ENOENT)
                return errnoOr(EIO);
            return 0;
        }
    }
    if (size == intent.originalSize)
        return 0; // the write never reached this file
    return kErrorChangedMeanwhile;
}

// Deals with what a locked journal holds. Fails only when the journal must stay.
RecoveryResult recoverLocked(FileOps& ops, Journal& journal, std::chrono::milliseconds timeout) {
    RecoveryResult result;
    std::string text;
    if (const int error = journal.read(text)) {
        result.error = error;
        return result;
    }
    if (text.empty())
        return result; // a finished write whose journal was not removed
    result.found = true;
    if (const auto intents = parse(text)) {
        describeEntry(intents->first, result);
        // The reverse file first: the forward line is never left without a chance to go.
        for (const Intent* intent : {&intents->second, &intents->first}) {
            const int error = undoIntent(ops, *intent, timeout, result.undone);
            if (error == kErrorChangedMeanwhile && result.error == 0) {
                result.error = error; // reported, but nothing more can be done about it
                result.errorFile = intent->path;
            } else if (error != 0) {
                result.error = error; // the journal stays for another try
                result.errorFile = intent->path;
                return result;
            }
        }
    } // a torn journal: the crash came before any data file was touched
    if (const int error = journal.clear()) {
        if (result.error == 0)
            result.error = error;
        return result;
    }
    return result;
}

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

RecoveryResult recoverUnfinishedWrite(const fs::path& folder, const FileAccess& access) {
    Journal journal(*access.ops, folder);
    if (const int error = journal.acquire(access.lockTimeout, false)) {
        RecoveryResult none;
        if (error != ENOENT && error != ENOTDIR) {
            none.error = error;
            none.errorFile = folder / kJournalFileName;
        }
        return none;
    }
    RecoveryResult result = recoverLocked(*access.ops, journal, access.lockTimeout);
    if (result.error == 0 || result.error == kErrorChangedMeanwhile)
        journal.remove();
    return result;
}

FileResult appendLine(const fs::path& path, std::string_view line, const FileAccess& access) {
    LockedFile file(*access.ops);
    FileResult result;
    if ((result.error = file.open(path, access.lockTimeout, true)))
        return result;
    const RecordsEnd end = file.findEnd();
    if (end.error || end.fragment) {
        result.error = end.error ? end.error : EILSEQ;
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
    Journal journal(ops, forwardPath.parent_path());
    if (const int error = journal.acquire(access.lockTimeout, true))
        return failure(Problem::OpenFailed, File::Forward, error);
    RecoveryResult recovered = recoverLocked(ops, journal, access.lockTimeout);
    if (recovered.error != 0 && recovered.error != kErrorChangedMeanwhile) {
        EntryWriteResult r = failure(Problem::OpenFailed, File::Forward, recovered.error);
        r.recovered = std::move(recovered);
        return r;
    }

    // Forward files are always locked before reverse ones; with the journal locked first,
    // two writers never wait on each other in a circle.
    LockedFile forward(ops), reverse(ops);
    LockedFile* files[] = {&forward, &reverse};
    const fs::path* paths[] = {&forwardPath, &reversePath};
    const std::string* lines[] = {&forwardLine, &reverseLine};
    Intent intents[2];
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
            EntryWriteResult r = failure(Problem::Fragment, which, 0);
            r.fragmentLine = end.fragmentLine;
            return giveUp(std::move(r));
        }
        Intent& intent = intents[i];
        intent.path = fs::absolute(*paths[i]);
        intent.originalSize = static_cast<std::uint64_t>(files[i]->size());
        intent.keep = end.keep;
        intent.created = files[i]->created();
        intent.bytes = end.prefix + *lines[i];
    }
    if (const int error = journal.record(serialize(intents[0], intents[1])))
        return giveUp(failure(Problem::WriteFailed, File::Forward, error));
    if (forward.created() || reverse.created())
        syncFolder(ops, forwardPath.parent_path());

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
                files[i]->write(static_cast<off_t>(intents[i].keep), intents[i].bytes))
            return rollBack(failure(Problem::WriteFailed, which, error));
    }
    if (const int error = journal.clear())
        return rollBack(failure(Problem::WriteFailed, File::Forward, error));
    journal.remove();
    EntryWriteResult written;
    written.recovered = std::move(recovered);
    return written;
}

} // namespace datafiles

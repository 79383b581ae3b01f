#include "journal.h"

#include "entry_editor.h"
#include "entry_writer.h"
#include "locked_file.h"
#include "path_mapping.h"
#include "record_reader.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace datafiles {
namespace {

// The first line: a fixed form that says whether the rest is sealed, and its checksum.
constexpr std::string_view kMagic = "VOCABORO JOURNAL 3 ";
constexpr std::string_view kUnsealed = "unsealed ";
constexpr std::string_view kSealed = "sealed   ";
constexpr std::size_t kSumDigits = 16;
static_assert(kMagic.size() + kSealed.size() + kSumDigits + 1 == kJournalCommitSize);
static_assert(kUnsealed.size() == kSealed.size());
// What the kit's earlier journals began with, after their sixteen-digit first line.
constexpr std::string_view kEarlierHeader = "VOCABORO JOURNAL 2\n";
constexpr std::size_t kEarlierCommitSize = 17;

// FNV-1a, 64 bits: any one byte changed changes it.
std::uint64_t checksum(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string hex16(std::uint64_t value) {
    std::string out(kSumDigits, '0');
    for (std::size_t i = 0; i < kSumDigits; ++i)
        out[i] = "0123456789abcdef"[(value >> (4 * (kSumDigits - 1 - i))) & 0xF];
    return out;
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

// Reads the fields of a body one after another.
class BodyReader {
public:
    explicit BodyReader(std::string_view rest) : rest_(rest) {}
    std::optional<std::string_view> field(char after) {
        const std::size_t end = rest_.find(after);
        if (end == std::string_view::npos)
            return std::nullopt;
        const std::string_view value = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
        return value;
    }
    bool number(std::uint64_t& value, char after, int base = 10) {
        const std::optional<std::string_view> text = field(after);
        if (!text || text->empty())
            return false;
        const auto [end, error] =
            std::from_chars(text->data(), text->data() + text->size(), value, base);
        return error == std::errc() && end == text->data() + text->size();
    }
    // `size` bytes and a line end after them; as many as there are into `out` regardless.
    bool bytes(std::uint64_t size, std::string& out) {
        const std::uint64_t take = std::min<std::uint64_t>(size, rest_.size());
        out = std::string(rest_.substr(0, static_cast<std::size_t>(take)));
        if (take < size || rest_.size() == take || rest_[take] != '\n')
            return false;
        rest_.remove_prefix(static_cast<std::size_t>(take) + 1);
        return true;
    }
    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};

// One file's line of an append and the bytes after it, as far as they go; true when whole.
bool parseIntent(BodyReader& in, JournalIntent& intent) {
    const std::optional<std::string_view> name = in.field(' ');
    if (!name)
        return false;
    intent.name = std::string(*name);
    std::uint64_t created = 0, beforeSize = 0, bytesSize = 0;
    if (!in.number(intent.originalSize, ' ') || !in.number(intent.keep, ' ') ||
        !in.number(created, ' ') || !in.number(beforeSize, ' ') || !in.number(bytesSize, '\n') ||
        created > 1)
        return false;
    intent.created = created == 1;
    std::string both;
    const bool whole = in.bytes(beforeSize + bytesSize, both);
    const auto split = static_cast<std::size_t>(std::min<std::uint64_t>(beforeSize, both.size()));
    intent.before = both.substr(0, split);
    intent.bytes = both.substr(split);
    return whole;
}

// The two lines of an append, as far as they go; true when both are whole.
bool parseAppend(BodyReader& in, JournalEntry& out) {
    return parseIntent(in, out.forward) && parseIntent(in, out.reverse);
}

// A batch's count of entries and its files, as far as they go; true when all is whole. The
// files are read up to the count its header gives, and never more than a batch can name.
bool parseBatch(BodyReader& in, JournalBatch& out) {
    std::uint64_t files = 0;
    if (in.field(' ') != "entries" || !in.number(out.entries, ' ') || in.field(' ') != "files" ||
        !in.number(files, '\n') || files > kMaxBatchFiles)
        return false;
    for (std::uint64_t i = 0; i < files; ++i) {
        out.files.emplace_back();
        if (!parseIntent(in, out.files.back()))
            return false;
    }
    return true;
}

// A change's entry line and replaced files, as far as they go; true when all is whole.
bool parseChange(BodyReader& in, JournalChange& out) {
    std::uint64_t lineSize = 0;
    if (in.field(' ') != "entry" || !in.number(lineSize, '\n') ||
        !in.bytes(lineSize, out.forwardLine))
        return false;
    while (!in.rest().empty()) {
        JournalReplacement file;
        std::uint64_t existed = 0;
        const std::optional<std::string_view> word = in.field(' ');
        const std::optional<std::string_view> name =
            word == "replace" ? in.field(' ') : std::nullopt;
        if (!name)
            return false;
        file.name = std::string(*name);
        if (!in.number(existed, ' ') || existed > 1 || !in.number(file.oldSize, ' ') ||
            !in.number(file.oldSum, ' ', 16) || !in.number(file.newSize, ' ') ||
            !in.number(file.newSum, '\n', 16))
            return false;
        file.existed = existed == 1;
        out.files.push_back(std::move(file));
    }
    return true;
}

// Reads a body of either kind into `parsed`; true when it is whole and nothing follows.
bool parseBody(std::string_view body, ParsedJournal& parsed) {
    BodyReader in(body);
    const std::optional<std::string_view> kind = in.field('\n');
    if (kind == "append") {
        parsed.entry.emplace();
        return parseAppend(in, *parsed.entry) && in.rest().empty();
    }
    if (kind == "change") {
        parsed.change.emplace();
        return parseChange(in, *parsed.change);
    }
    if (kind == "batch") {
        parsed.batch.emplace();
        return parseBatch(in, *parsed.batch) && in.rest().empty();
    }
    return false;
}

// A journal that checks is obeyed only when it speaks of two letter files of its folder and
// of places that can be.
bool obeyable(const JournalChange& change) {
    if (change.files.empty() || change.files.size() > 4)
        return false;
    for (std::size_t i = 0; i < change.files.size(); ++i) {
        if (!isLetterFileName(change.files[i].name))
            return false;
        for (std::size_t k = 0; k < i; ++k)
            if (equalsIgnoringAsciiCase(change.files[i].name, change.files[k].name))
                return false;
    }
    return true;
}

bool obeyable(const JournalIntent& intent) {
    return isLetterFileName(intent.name) && intent.keep <= intent.originalSize &&
           intent.before.size() <= kJournalBefore && intent.before.size() <= intent.keep &&
           !intent.bytes.empty();
}

bool obeyable(const JournalEntry& entry) {
    return obeyable(entry.forward) && obeyable(entry.reverse) &&
           equalsIgnoringAsciiCase(entry.forward.name.substr(0, 6), "LEXFWD") &&
           equalsIgnoringAsciiCase(entry.reverse.name.substr(0, 6), "LEXREV");
}

// A batch of at least one entry, naming each of its letter files once.
bool obeyable(const JournalBatch& batch) {
    if (batch.entries == 0 || batch.files.empty() || batch.files.size() > kMaxBatchFiles)
        return false;
    for (std::size_t i = 0; i < batch.files.size(); ++i) {
        if (!obeyable(batch.files[i]))
            return false;
        for (std::size_t k = 0; k < i; ++k)
            if (equalsIgnoringAsciiCase(batch.files[i].name, batch.files[k].name))
                return false;
    }
    return true;
}

bool isForwardName(std::string_view name) {
    return equalsIgnoringAsciiCase(name.substr(0, 6), "LEXFWD");
}

// The headword and counterpart of a line, for telling the user.
void describeEntry(std::string_view line, RecoveryResult& result) {
    while (!line.empty() && (line.front() == '\r' || line.front() == '\n'))
        line.remove_prefix(1);
    RecordReader reader(line);
    RecordView record;
    reader.next(record);
    result.headword = std::string(record.headword());
    result.counterpart = std::string(record.counterpart());
}

// Cuts one file back to where the intent's bytes began, if the bytes before that place
// are the ones the journal kept and what follows is those bytes or a torn start of them.
// 0, or why not.
int undoIntent(FileOps& ops, const fs::path& path, const JournalIntent& intent,
               std::chrono::milliseconds timeout, bool& undone) {
    LockedFile file(ops);
    if (const int error = file.open(path, timeout, false))
        return error == ENOENT ? 0 : error; // a file that is not there holds nothing of the entry
    const auto size = static_cast<std::uint64_t>(file.size());
    if (size >= intent.keep && size - intent.keep <= intent.bytes.size()) {
        std::string found(static_cast<std::size_t>(size - intent.keep), '\0');
        if (const int error = file.readAt(intent.keep, found))
            return error;
        if (intent.bytes.compare(0, found.size(), found) == 0) {
            if (size > intent.keep) {
                std::string before;
                if (const int error = file.readBefore(intent.keep, intent.before.size(), before))
                    return error;
                if (before != intent.before)
                    return kErrorChangedMeanwhile; // not the file the journal speaks of
                if (const int error = file.cutTo(static_cast<off_t>(intent.keep)))
                    return error;
                undone = true;
            }
            if (intent.created && intent.keep == 0)
                return file.remove();
            return 0;
        }
    }
    if (size == intent.originalSize)
        return 0; // the write never reached this file
    return kErrorChangedMeanwhile;
}

// The bytes of a change's new file, never through a link or from anything but a regular file;
// 0 or why not (ENOENT when it is not there).
int readNewFile(FileOps& ops, const fs::path& path, std::string& out) {
    const int fd =
        ops.open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
    if (fd < 0)
        return errno == ELOOP ? kErrorSymbolicLink : errnoOr(EIO);
    struct stat info {};
    int error = ops.fstat(fd, &info) != 0 ? errnoOr(EIO) : 0;
    if (error == 0 && !S_ISREG(info.st_mode))
        error = kErrorNotRegularFile;
    if (error == 0 && static_cast<std::uint64_t>(info.st_size) > kMaxDataFileBytes)
        error = EFBIG;
    if (error == 0) {
        try {
            out.resize(static_cast<std::size_t>(info.st_size));
            error = readExactly(ops, fd, out.data(), out.size(), 0);
        } catch (const std::bad_alloc&) {
            error = ENOMEM;
        }
    }
    ops.close(fd);
    return error;
}

} // namespace

bool isLetterFileName(std::string_view name) {
    if (name.size() != 12)
        return false;
    const char letter = name[7];
    if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')))
        return false;
    return (equalsIgnoringAsciiCase(name.substr(0, 7), "LEXFWD_") ||
            equalsIgnoringAsciiCase(name.substr(0, 7), "LEXREV_")) &&
           equalsIgnoringAsciiCase(name.substr(8), ".DAT");
}

// Thirty-two bytes a step in four independent lanes, each word mixed by a multiplication and
// a rotation, then the lanes and the length together: the whole data file is summed twice
// per change, so this must keep up with the memory, not with one multiplier's latency.
constexpr std::uint64_t kSumK1 = 0x9E3779B97F4A7C15ull, kSumK2 = 0xC2B2AE3D27D4EB4Full;

void ContentSum::mix(const char* block) {
    for (int lane = 0; lane < 4; ++lane) {
        std::uint64_t word = 0;
        std::memcpy(&word, block + 8 * lane, 8);
        std::uint64_t& h = lanes_[lane];
        h ^= word * kSumK1;
        h = ((h << 31) | (h >> 33)) * kSumK2;
    }
}

void ContentSum::add(std::string_view bytes) {
    if (bytes.empty())
        return; // an empty piece may have no bytes to point at
    size_ += bytes.size();
    if (carried_ > 0) {
        const std::size_t take = std::min(bytes.size(), sizeof carry_ - carried_);
        std::memcpy(carry_ + carried_, bytes.data(), take);
        carried_ += take;
        bytes.remove_prefix(take);
        if (carried_ < sizeof carry_)
            return;
        mix(carry_);
        carried_ = 0;
    }
    std::size_t i = 0;
    for (; i + sizeof carry_ <= bytes.size(); i += sizeof carry_)
        mix(bytes.data() + i);
    carried_ = bytes.size() - i;
    std::memcpy(carry_, bytes.data() + i, carried_);
}

std::uint64_t ContentSum::value() const {
    ContentSum last = *this;
    std::memset(last.carry_ + carried_, 0, sizeof carry_ - carried_);
    last.mix(last.carry_);
    std::uint64_t hash = size_ * kSumK2;
    for (const std::uint64_t lane : last.lanes_) {
        hash ^= lane;
        hash = ((hash << 27) | (hash >> 37)) * kSumK1;
    }
    hash ^= hash >> 33;
    hash *= kSumK2;
    hash ^= hash >> 29;
    return hash;
}

std::uint64_t contentChecksum(std::string_view bytes) {
    ContentSum sum;
    sum.add(bytes);
    return sum.value();
}

namespace {

std::string unsealedLine() {
    return std::string(kMagic) + std::string(kUnsealed) + std::string(kSumDigits, '.') + '\n';
}

} // namespace

namespace {

// One file's line of an append, then the bytes before its new bytes and those bytes.
void addIntent(std::string& out, const JournalIntent& intent) {
    out += intent.name + ' ' + std::to_string(intent.originalSize) + ' ' +
           std::to_string(intent.keep) + ' ' + (intent.created ? '1' : '0') + ' ' +
           std::to_string(intent.before.size()) + ' ' + std::to_string(intent.bytes.size()) + '\n';
    out += intent.before;
    out += intent.bytes;
    out += '\n';
}

} // namespace

std::string journalText(const JournalEntry& entry) {
    std::string out = unsealedLine() + "append\n";
    addIntent(out, entry.forward);
    addIntent(out, entry.reverse);
    return out;
}

std::string journalText(const JournalBatch& batch) {
    std::string out = unsealedLine() + "batch\nentries " + std::to_string(batch.entries) +
                      " files " + std::to_string(batch.files.size()) + '\n';
    for (const JournalIntent& intent : batch.files)
        addIntent(out, intent);
    return out;
}

std::string journalText(const JournalChange& change) {
    std::string out = unsealedLine() + "change\nentry " +
                      std::to_string(change.forwardLine.size()) + '\n' + change.forwardLine + '\n';
    for (const JournalReplacement& file : change.files)
        out += "replace " + file.name + ' ' + (file.existed ? '1' : '0') + ' ' +
               std::to_string(file.oldSize) + ' ' + hex16(file.oldSum) + ' ' +
               std::to_string(file.newSize) + ' ' + hex16(file.newSum) + '\n';
    return out;
}

std::string commitJournalLine(std::string_view text) {
    return std::string(kMagic) + std::string(kSealed) +
           hex16(checksum(text.substr(std::min(text.size(), kJournalCommitSize)))) + '\n';
}

ParsedJournal parseJournal(std::string_view text) {
    using State = ParsedJournal::State;
    ParsedJournal parsed;
    if (text.empty())
        return parsed;
    const std::string_view first = text.substr(0, kJournalCommitSize);
    const std::string_view body = text.substr(first.size());
    if (first == unsealedLine()) {
        // Stopped before it was sealed: nothing was changed. What can be read of it names the
        // temporary files a change may have written.
        parsed.state = State::Unfinished;
        if (!parseBody(body, parsed) || !parsed.change || !obeyable(*parsed.change))
            parsed.change.reset();
        parsed.entry.reset();
        parsed.batch.reset();
        return parsed;
    }
    const std::string_view sum =
        first.substr(std::min(first.size(), kMagic.size() + kSealed.size()), kSumDigits);
    bool sealed = first.size() == kJournalCommitSize && first.starts_with(kMagic) &&
                  first.substr(kMagic.size()).starts_with(kSealed) && first.back() == '\n' &&
                  std::all_of(sum.begin(), sum.end(), isHexDigit) &&
                  first == commitJournalLine(text);
    bool whole = parseBody(body, parsed);
    if (!parsed.entry && !parsed.change && !parsed.batch && text.size() > kEarlierCommitSize &&
        text.substr(kEarlierCommitSize).starts_with(kEarlierHeader)) {
        // An append journal of the kit's earlier versions: obeyed only when sealed and whole.
        const std::string_view earlierSum = text.substr(0, kSumDigits);
        BodyReader in(text.substr(kEarlierCommitSize + kEarlierHeader.size()));
        parsed.entry.emplace();
        whole = parseAppend(in, *parsed.entry) && in.rest().empty();
        sealed = text[kSumDigits] == '\n' &&
                 std::all_of(earlierSum.begin(), earlierSum.end(), isHexDigit) &&
                 earlierSum == hex16(checksum(text.substr(kEarlierCommitSize)));
    }
    if (!sealed || !whole)
        parsed.state = State::Damaged;
    else if (parsed.entry   ? obeyable(*parsed.entry)
             : parsed.batch ? obeyable(*parsed.batch)
                            : obeyable(*parsed.change))
        parsed.state = State::Committed;
    else
        parsed.state = State::NotObeyed;
    return parsed;
}

Journal::Journal(FileOps& ops, fs::path folder)
    : ops_(ops), folder_(std::move(folder)), path_(folder_ / kJournalFileName) {}

Journal::~Journal() {
    if (fd_ >= 0)
        ops_.close(fd_);
}

int Journal::acquire(std::chrono::milliseconds timeout, bool create) {
    if (fd_ >= 0)
        ops_.close(fd_);
    fd_ = -1;
    created_ = false;
    // Never through a link, never waiting on a pipe.
    constexpr int kFlags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fd_ = ops_.open(path_.c_str(), kFlags, 0);
        if (fd_ < 0 && errno == ENOENT && create) {
            fd_ = ops_.open(path_.c_str(), kFlags | O_CREAT | O_EXCL, 0644);
            if (fd_ < 0 && errno == EEXIST)
                continue;
            created_ = fd_ >= 0;
        }
        if (fd_ < 0)
            return errno == ELOOP ? kErrorSymbolicLink : errnoOr(EIO);
        struct stat held {
        }, named{};
        if (ops_.fstat(fd_, &held) != 0)
            return errnoOr(EIO);
        if (!S_ISREG(held.st_mode))
            return kErrorNotRegularFile;
        if (const int error = lockWithin(ops_, fd_, LOCK_EX, timeout))
            return error;
        if (ops_.fstat(fd_, &held) != 0)
            return errnoOr(EIO);
        if (ops_.lstat(path_.c_str(), &named) == 0 && named.st_ino == held.st_ino &&
            named.st_dev == held.st_dev) {
            if (held.st_nlink > 1)
                return kErrorHardLink; // what it holds may be another file's
            size_ = static_cast<std::uint64_t>(held.st_size);
            return 0;
        }
        ops_.close(fd_); // removed meanwhile: its write is over
        fd_ = -1;
        created_ = false;
    }
    return EWOULDBLOCK;
}

namespace {

// The longest journal the kit writes: two lines of the longest record, or a batch's lines
// with the bytes before them and a line of at most 100 bytes for each of its files, and room
// for the rest. A larger file is no journal the kit wrote, and is not held in memory to find
// that out.
constexpr std::size_t kMaxJournalBytes =
    std::max(2 * (kMaxRecordBytes + kJournalBefore),
             kMaxBatchBytes + kMaxBatchFiles * (kJournalBefore + 2 + 100)) +
    4096;
static_assert(kMaxJournalBytes >= kMaxBatchBytes + kMaxBatchFiles * 256);

} // namespace

int Journal::read(std::string& text) {
    if (size_ > kMaxJournalBytes)
        return EFBIG;
    try {
        text.resize(static_cast<std::size_t>(size_));
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    }
    return readExactly(ops_, fd_, text.data(), text.size(), 0);
}

int Journal::writeAt(std::string_view bytes, std::uint64_t offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ops_.pwrite(fd_, bytes.data() + done, bytes.size() - done,
                                      static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errnoOr(EIO) : EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int Journal::record(const JournalEntry& entry) {
    const std::string text = journalText(entry);
    if (const int error = begin(text))
        return error;
    return seal(text);
}

int Journal::record(const JournalBatch& batch) {
    const std::string text = journalText(batch);
    if (const int error = begin(text))
        return error;
    return seal(text);
}

int Journal::begin(std::string_view text) {
    if (ops_.ftruncate(fd_, 0) != 0)
        return errnoOr(EIO);
    if (const int error = writeAt(text, 0))
        return error;
    if (ops_.fdatasync(fd_) != 0)
        return errnoOr(EIO);
    if (created_)
        syncFolder(ops_, folder_);
    return 0;
}

int Journal::seal(std::string_view text) {
    if (const int error = writeAt(commitJournalLine(text), 0))
        return error;
    if (ops_.fdatasync(fd_) != 0)
        return errnoOr(EIO);
    return 0;
}

int Journal::clear() {
    if (ops_.ftruncate(fd_, 0) != 0 || ops_.fdatasync(fd_) != 0)
        return errnoOr(EIO);
    return 0;
}

void Journal::remove() {
    ops_.unlink(path_.c_str());
}

int Journal::setAside(fs::path& to) {
    for (int n = 1; n < 1000; ++n) {
        to = folder_ / (std::string(kJournalFileName) + ".damaged-" + std::to_string(n));
        if (ops_.rename(path_.c_str(), to.c_str()) == 0) {
            syncFolder(ops_, folder_);
            return 0;
        }
        if (errno != EEXIST)
            return errnoOr(EIO);
    }
    return EEXIST;
}

RecoveryResult Journal::recover(std::chrono::milliseconds timeout) {
    RecoveryResult result;
    std::string text;
    const int unread = read(text);
    if (unread != 0 && unread != EFBIG) {
        result.error = unread;
        result.errorFile = path_;
        return result;
    }
    const ParsedJournal parsed = unread == EFBIG
                                     ? ParsedJournal{ParsedJournal::State::Damaged, {}, {}, {}}
                                     : parseJournal(text);
    using State = ParsedJournal::State;
    if (parsed.state == State::Empty)
        return result; // a finished write whose journal was not removed
    result.found = true;
    if (parsed.entry) {
        describeEntry(parsed.entry->forward.bytes, result);
        // Only names of this folder's letter files are shown, or used.
        for (const auto& [intent, file] : {std::pair{&parsed.entry->forward, &result.forwardFile},
                                           std::pair{&parsed.entry->reverse, &result.reverseFile}})
            if (isLetterFileName(intent->name))
                *file = folder_ / intent->name;
    }
    if (parsed.batch) {
        result.batchEntries = static_cast<std::size_t>(parsed.batch->entries);
        bool described = false;
        for (const JournalIntent& intent : parsed.batch->files) {
            if (!isLetterFileName(intent.name))
                continue;
            result.batchFiles.push_back(folder_ / intent.name);
            if (!described && isForwardName(intent.name)) {
                describeEntry(intent.bytes, result);
                described = true;
            }
        }
    }
    if (parsed.change) {
        result.change = true;
        describeEntry(parsed.change->forwardLine, result);
        for (const JournalReplacement& file : parsed.change->files) {
            fs::path& named =
                equalsIgnoringAsciiCase(std::string_view(file.name).substr(0, 6), "LEXFWD")
                    ? result.forwardFile
                    : result.reverseFile;
            if (isLetterFileName(file.name) && named.empty())
                named = folder_ / file.name;
        }
    }
    if (parsed.state == State::Damaged || parsed.state == State::NotObeyed) {
        // Kept for whoever wants to look, and never obeyed: the user is told instead.
        if (const int error = setAside(result.setAside)) {
            result.setAside.clear();
            result.error = error;
        } else {
            result.error = kErrorJournalDamaged;
        }
        result.errorFile = path_;
        return result;
    }
    if (parsed.state == State::Unfinished && parsed.change)
        removeNewFiles(*parsed.change);
    if (parsed.state == State::Committed && parsed.change) {
        finishChange(*parsed.change, timeout, result);
        if (!result.settled())
            return result; // the journal stays for another try
    } else if (parsed.state == State::Committed && parsed.batch) {
        // As for one entry: every reverse file first, then the forward ones.
        for (const bool forward : {false, true}) {
            for (const JournalIntent& intent : parsed.batch->files) {
                if (isForwardName(intent.name) != forward)
                    continue;
                const fs::path file = folder_ / intent.name;
                const int error = undoIntent(ops_, file, intent, timeout, result.undone);
                if (error == kErrorChangedMeanwhile && result.error == 0) {
                    result.error = error;
                    result.errorFile = file;
                } else if (error != 0 && error != kErrorChangedMeanwhile) {
                    result.error = error;
                    result.errorFile = file;
                    return result;
                }
            }
        }
    } else if (parsed.state == State::Committed) {
        // The reverse file first: the forward line is never left without a chance to go.
        const JournalEntry& entry = *parsed.entry;
        for (const auto& [intent, file] : {std::pair{&entry.reverse, &result.reverseFile},
                                           std::pair{&entry.forward, &result.forwardFile}}) {
            const int error = undoIntent(ops_, *file, *intent, timeout, result.undone);
            if (error == kErrorChangedMeanwhile && result.error == 0) {
                result.error = error; // reported, but nothing more can be done about it
                result.errorFile = *file;
            } else if (error != 0 && error != kErrorChangedMeanwhile) {
                result.error = error; // the journal stays for another try
                result.errorFile = *file;
                return result;
            }
        }
    } // Unfinished: the stop came before any data file was touched
    if (const int error = clear()) {
        if (result.error == 0) {
            result.error = error;
            result.errorFile = path_;
        }
    }
    return result;
}

void Journal::removeNewFiles(const JournalChange& change) {
    for (const JournalReplacement& file : change.files)
        ops_.unlink((folder_ / (file.name + kNewFileSuffix)).c_str());
}

void Journal::finishChange(const JournalChange& change, std::chrono::milliseconds timeout,
                           RecoveryResult& result) {
    // Every file stays locked until all are done, as the change held them.
    std::vector<std::unique_ptr<LockedFile>> held;
    bool renamed = false;
    for (const JournalReplacement& file : change.files) {
        const fs::path path = folder_ / file.name;
        const fs::path waiting = folder_ / (file.name + kNewFileSuffix);
        auto locked = std::make_unique<LockedFile>(ops_);
        std::string now;
        bool exists = true;
        if (const int error = locked->open(path, timeout, false)) {
            if (error != ENOENT) {
                result.error = error;
                result.errorFile = path;
                return;
            }
            exists = false;
        } else {
            now.resize(static_cast<std::size_t>(locked->size()));
            if (const int unreadable = locked->readAt(0, now)) {
                result.error = unreadable;
                result.errorFile = path;
                return;
            }
        }
        held.push_back(std::move(locked));
        const auto holds = [](std::string_view bytes, std::uint64_t size, std::uint64_t sum) {
            return bytes.size() == size && contentChecksum(bytes) == sum;
        };
        if (exists && holds(now, file.newSize, file.newSum)) {
            ops_.unlink(waiting.c_str()); // replaced already
            continue;
        }
        const bool old =
            exists ? file.existed && holds(now, file.oldSize, file.oldSum) : !file.existed;
        std::string fresh;
        const int unread = readNewFile(ops_, waiting, fresh);
        if (unread != 0 && unread != ENOENT && unread != kErrorSymbolicLink &&
            unread != kErrorNotRegularFile && unread != EFBIG) {
            result.error = unread;
            result.errorFile = waiting;
            return;
        }
        if (old && unread == 0 && holds(fresh, file.newSize, file.newSum)) {
            if (ops_.replace(waiting.c_str(), path.c_str()) != 0) {
                result.error = errnoOr(EIO);
                result.errorFile = path;
                return;
            }
            renamed = true;
            continue;
        }
        // Neither the old bytes nor the new: another program changed the file since, or
        // removed what was waiting. Left as it is, and told.
        if (result.error == 0) {
            result.error = kErrorChangedMeanwhile;
            result.errorFile = path;
        }
        if (unread == 0)
            ops_.unlink(waiting.c_str());
    }
    if (renamed)
        syncFolder(ops_, folder_);
    result.finished = true;
}

int openJournal(Journal& journal, std::chrono::milliseconds timeout, RecoveryResult& recovered) {
    if (const int error = journal.acquire(timeout, true))
        return error;
    recovered = journal.recover(timeout);
    if (!recovered.settled())
        return recovered.error;
    // A damaged journal was set aside: this write takes a new one.
    if (recovered.error == kErrorJournalDamaged)
        return journal.acquire(timeout, true);
    return 0;
}

RecoveryResult recoverUnfinishedWrite(const fs::path& folder, const FileAccess& access) {
    Journal journal(*access.ops, folder);
    if (const int error = journal.acquire(access.lockTimeout, false)) {
        RecoveryResult none;
        if (error != ENOENT && error != ENOTDIR) {
            none.found = true;
            none.error = error;
            none.errorFile = journal.path();
        }
        return none;
    }
    RecoveryResult result = journal.recover(access.lockTimeout);
    if (result.error == 0 || result.error == kErrorChangedMeanwhile)
        journal.remove();
    return result;
}

} // namespace datafiles

#include "journal.h"

#include "locked_file.h"
#include "path_mapping.h"
#include "record_reader.h"

#include <algorithm>
#include <charconv>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace datafiles {
namespace {

constexpr std::string_view kHeader = "VOCABORO JOURNAL 2\n";
constexpr std::size_t kSumDigits = kJournalCommitSize - 1;

// FNV-1a, 64 bits: any one byte changed changes it.
std::uint64_t checksum(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

// Reads the body after the first line into `out`, as far as it goes; true when all of it
// is there and nothing follows.
bool parseBody(std::string_view rest, JournalEntry& out) {
    if (!rest.starts_with(kHeader))
        return false;
    rest.remove_prefix(kHeader.size());
    auto field = [&rest](char after) -> std::optional<std::string_view> {
        const std::size_t end = rest.find(after);
        if (end == std::string_view::npos)
            return std::nullopt;
        const std::string_view value = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        return value;
    };
    auto number = [&field](std::uint64_t& value, char after) {
        const std::optional<std::string_view> text = field(after);
        if (!text || text->empty())
            return false;
        const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
        return error == std::errc() && end == text->data() + text->size();
    };
    for (JournalIntent* intent : {&out.forward, &out.reverse}) {
        const std::optional<std::string_view> name = field(' ');
        if (!name)
            return false;
        intent->name = std::string(*name);
        std::uint64_t created = 0, beforeSize = 0, bytesSize = 0;
        if (!number(intent->originalSize, ' ') || !number(intent->keep, ' ') ||
            !number(created, ' ') || !number(beforeSize, ' ') || !number(bytesSize, '\n') ||
            created > 1)
            return false;
        intent->created = created == 1;
        const std::uint64_t take = std::min<std::uint64_t>(beforeSize + bytesSize, rest.size());
        const std::string_view both = rest.substr(0, static_cast<std::size_t>(take));
        intent->before = std::string(
            both.substr(0, static_cast<std::size_t>(std::min<std::uint64_t>(beforeSize, take))));
        if (take > beforeSize)
            intent->bytes = std::string(both.substr(static_cast<std::size_t>(beforeSize)));
        if (take < beforeSize + bytesSize || rest.size() == take || rest[take] != '\n')
            return false;
        rest.remove_prefix(static_cast<std::size_t>(take) + 1);
    }
    return rest.empty();
}

// A journal that checks is obeyed only when it speaks of two letter files of its folder and
// of places that can be.
bool obeyable(const JournalEntry& entry) {
    for (const JournalIntent* intent : {&entry.forward, &entry.reverse})
        if (!isLetterFileName(intent->name) || intent->keep > intent->originalSize ||
            intent->before.size() > kJournalBefore || intent->before.size() > intent->keep ||
            intent->bytes.empty())
            return false;
    return equalsIgnoringAsciiCase(entry.forward.name.substr(0, 6), "LEXFWD") &&
           equalsIgnoringAsciiCase(entry.reverse.name.substr(0, 6), "LEXREV");
}

// The headword and counterpart of the line in an intent's bytes, for telling the user.
void describeEntry(const JournalIntent& intent, RecoveryResult& result) {
    std::string_view line = intent.bytes;
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

std::string journalText(const JournalEntry& entry) {
    std::string out(kSumDigits, '.');
    out += '\n';
    out += kHeader;
    for (const JournalIntent* intent : {&entry.forward, &entry.reverse}) {
        out += intent->name + ' ' + std::to_string(intent->originalSize) + ' ' +
               std::to_string(intent->keep) + ' ' + (intent->created ? '1' : '0') + ' ' +
               std::to_string(intent->before.size()) + ' ' + std::to_string(intent->bytes.size()) +
               '\n';
        out += intent->before;
        out += intent->bytes;
        out += '\n';
    }
    return out;
}

std::string commitJournalLine(std::string_view text) {
    std::string line(kSumDigits, '0');
    const std::uint64_t sum = checksum(text.substr(std::min(text.size(), kJournalCommitSize)));
    for (std::size_t i = 0; i < kSumDigits; ++i)
        line[i] = "0123456789abcdef"[(sum >> (4 * (kSumDigits - 1 - i))) & 0xF];
    line += '\n';
    return line;
}

ParsedJournal parseJournal(std::string_view text) {
    ParsedJournal parsed;
    if (text.empty())
        return parsed;
    // Stopped while the text was written, before its first line was set: the line reads
    // as it was first written, or not at all (zero bytes where the disk kept nothing).
    const std::string_view first = text.substr(0, kSumDigits);
    if (std::all_of(first.begin(), first.end(), [](char c) { return c == '.' || c == '\0'; })) {
        parsed.state = ParsedJournal::State::Unfinished;
        return parsed;
    }
    JournalEntry entry;
    const bool whole = parseBody(text.substr(std::min(text.size(), kJournalCommitSize)), entry);
    const bool sealed = text.size() >= kJournalCommitSize && text[kSumDigits] == '\n' &&
                        std::all_of(first.begin(), first.end(), isHexDigit) &&
                        first == std::string_view(commitJournalLine(text)).substr(0, kSumDigits);
    if (sealed && whole)
        parsed.state =
            obeyable(entry) ? ParsedJournal::State::Committed : ParsedJournal::State::NotObeyed;
    else
        parsed.state = ParsedJournal::State::Damaged;
    parsed.entry = std::move(entry);
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

int Journal::read(std::string& text) {
    // Two lines of the longest record, and room for the rest: a larger file is no journal
    // the kit wrote, and is not held in memory to find that out.
    if (size_ > 2 * (kMaxRecordBytes + kJournalBefore) + 4096)
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
    if (ops_.ftruncate(fd_, 0) != 0)
        return errnoOr(EIO);
    if (const int error = writeAt(text, 0))
        return error;
    if (ops_.fdatasync(fd_) != 0)
        return errnoOr(EIO);
    if (created_)
        syncFolder(ops_, folder_);
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
    const ParsedJournal parsed =
        unread == EFBIG ? ParsedJournal{ParsedJournal::State::Damaged, {}} : parseJournal(text);
    using State = ParsedJournal::State;
    if (parsed.state == State::Empty)
        return result; // a finished write whose journal was not removed
    result.found = true;
    if (parsed.entry) {
        describeEntry(parsed.entry->forward, result);
        // Only names of this folder's letter files are shown, or used.
        for (const auto& [intent, file] : {std::pair{&parsed.entry->forward, &result.forwardFile},
                                           std::pair{&parsed.entry->reverse, &result.reverseFile}})
            if (isLetterFileName(intent->name))
                *file = folder_ / intent->name;
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
    if (parsed.state == State::Committed) {
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

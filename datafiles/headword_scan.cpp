#include "headword_scan.h"

#include "byte_masks.h"
#include "record_reader.h"
#include "record_stream.h"
#include "records_end.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <sys/file.h>
#include <unistd.h>

namespace datafiles {
namespace {

bool isBlankOrLineEnd(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The records whose head word is a given word.
class ExactKey : public HeadwordTest {
public:
    // A value of the writer's lines holds no quote and no line end: a key with one is the
    // head word of none of them.
    explicit ExactKey(std::optional<std::string_view> key) : key_(key) {
        if (key && key->find_first_of("\"\r\n") == std::string_view::npos) {
            pattern_ = "\"" + std::string(*key) + "\"";
            const std::size_t head = std::min<std::size_t>(pattern_.size(), 8);
            std::memcpy(&headPattern_, pattern_.data(), head);
            headMask_ = head == 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * head)) - 1;
        }
    }
    bool wantsLine(const char* line, std::size_t room) const override {
        if (pattern_.empty() || room < pattern_.size())
            return false;
        if (room < 8)
            return std::memcmp(line, pattern_.data(), pattern_.size()) == 0;
        // Most lines differ in their first eight bytes: one comparison of a word tells.
        std::uint64_t head;
        std::memcpy(&head, line, 8);
        return (head & headMask_) == headPattern_ &&
               (pattern_.size() <= 8 ||
                std::memcmp(line + 8, pattern_.data() + 8, pattern_.size() - 8) == 0);
    }
    bool wants(std::string_view headword) const override { return key_ && headword == *key_; }

private:
    std::optional<std::string_view> key_;
    std::string pattern_;           // the key between quotes; empty: no line begins with it
    std::uint64_t headPattern_ = 0; // its first eight bytes (or fewer) in one word
    std::uint64_t headMask_ = 0;
};

class Scanner {
public:
    // `trusted`: the lines are known to have the writer's shape; they are only read.
    explicit Scanner(const HeadwordTest& test, bool trusted = false)
        : test_(test), trusted_(trusted) {}

    // Checks the complete lines [0, n) of `d` (each ended by LF, the first at a line start),
    // which lie at `at` in the file, and keeps the records of those the test wants.
    bool lines(const char* d, std::size_t n, std::uint64_t at);
    // The bytes after the last complete line: nothing, blanks, or one last record without a
    // line end, then blanks.
    bool last(std::string_view rest, std::uint64_t at);

    HeadwordScan result;
    std::uint64_t recordsEnd = 0; // where the last record ends
    char lastByte = 0;            // the byte that ends it

private:
    // What `lines` does, with the byte masks that `masksOf` makes: with SSE2 for any x86-64,
    // or with AVX2 in `linesAvx2`, a function built for the processors that have it.
    template <ByteMasks (*masksOf)(const char*, std::size_t)>
    bool checkLines(const char* d, std::size_t n, std::uint64_t at);
#if defined(DATAFILES_AVX2_MASKS)
    bool linesAvx2(const char* d, std::size_t n, std::uint64_t at);
#endif
    // Reads lines known to have the writer's shape, only testing where each begins.
    bool readLines(const char* d, std::size_t n, std::uint64_t at);
    // Keeps the records of the lines the test wanted, once their lines are known whole.
    void keepMatched(const char* d, std::size_t n, std::uint64_t at);
    void keep(std::string_view line) {
        DictionaryRecord record;
        RecordReader(line).next(record);
        result.records.push_back(std::move(record));
    }

    const HeadwordTest& test_;
    bool trusted_;
    std::vector<std::size_t> matched_; // line starts in the lines being checked
};

template <ByteMasks (*masksOf)(const char*, std::size_t)>
bool Scanner::checkLines(const char* d, std::size_t n, std::uint64_t at) {
    bool inside = false;
    std::uint64_t carryClose = 0, carryComma = 0, carryCr = 0, carryLf = 1;
    std::size_t lineStart = 0;
    int commas = 0;
    if (n > 0 && test_.wantsLine(d, n))
        matched_.push_back(0);

    for (std::size_t b = 0; b < n; b += 64) {
        const std::size_t length = std::min<std::size_t>(64, n - b);
        const std::uint64_t valid =
            length == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << length) - 1;
        const ByteMasks m = masksOf(d + b, length);
        // Inside a value: the opening quote and the bytes up to the closing one.
        const std::uint64_t in = prefixXor(m.quote) ^ (inside ? ~std::uint64_t(0) : 0);
        inside = (in >> 63) & 1;
        const std::uint64_t open = m.quote & in, close = m.quote & ~in;
        const std::uint64_t value = in & ~m.quote & valid, between = ~in & ~m.quote & valid;
        const std::uint64_t comma = m.comma & between;
        // Between values only a comma, or CR LF; no line end inside a value.
        if ((between & ~(m.comma | m.cr | m.lf)) != 0 || (value & (m.cr | m.lf)) != 0)
            return false;
        // A closing quote, then a comma or CR; CR, then LF; a comma or LF, then an opening quote.
        const std::uint64_t afterClose = (close << 1) | carryClose;
        const std::uint64_t afterComma = (comma << 1) | carryComma;
        const std::uint64_t afterCr = (m.cr << 1) | carryCr;
        const std::uint64_t afterLf = (m.lf << 1) | carryLf;
        if ((((comma | m.cr) ^ afterClose) & valid) != 0 || ((m.lf ^ afterCr) & valid) != 0 ||
            ((open ^ (afterComma | afterLf)) & valid) != 0)
            return false;
        carryClose = close >> 63;
        carryComma = comma >> 63;
        carryCr = m.cr >> 63;
        carryLf = m.lf >> 63;
        // Six commas between values on every line; no line longer than a record may be.
        std::uint64_t counted = 0;
        for (std::uint64_t ends = m.lf; ends != 0; ends &= ends - 1) {
            const int bit = std::countr_zero(ends);
            const std::uint64_t upTo =
                bit == 63 ? ~std::uint64_t(0) : (std::uint64_t(2) << bit) - 1;
            commas += std::popcount(comma & upTo & ~counted);
            counted = upTo;
            const std::size_t lineEnd = b + static_cast<std::size_t>(bit) + 1;
            if (commas != 6 || lineEnd - lineStart > kMaxRecordBytes)
                return false;
            commas = 0;
            lineStart = lineEnd;
            if (lineStart < n && test_.wantsLine(d + lineStart, n - lineStart))
                matched_.push_back(lineStart);
        }
        commas += std::popcount(comma & ~counted);
    }
    if (inside || lineStart != n)
        return false;
    keepMatched(d, n, at);
    return true;
}

// Built twice: for any x86-64, and for processors with AVX2 (32 bytes a comparison, and a
// population count among its instructions), chosen by what the processor says it supports.
bool Scanner::lines(const char* d, std::size_t n, std::uint64_t at) {
    matched_.clear();
    if (trusted_)
        return readLines(d, n, at);
#if defined(DATAFILES_AVX2_MASKS)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2)
        return linesAvx2(d, n, at);
#endif
    return checkLines<byteMasks<true>>(d, n, at);
}

#if defined(DATAFILES_AVX2_MASKS)
[[gnu::target("avx2"), gnu::flatten]] bool Scanner::linesAvx2(const char* d, std::size_t n,
                                                              std::uint64_t at) {
    return checkLines<byteMasksAvx2<true>>(d, n, at);
}
#endif

bool Scanner::readLines(const char* d, std::size_t n, std::uint64_t at) {
    if (n > 0 && test_.wantsLine(d, n))
        matched_.push_back(0);
    for (std::size_t b = 0; b < n; b += 64) {
        for (std::uint64_t ends = byteMasks(d + b, n - b).lf; ends != 0; ends &= ends - 1) {
            const std::size_t start = b + static_cast<std::size_t>(std::countr_zero(ends)) + 1;
            if (start < n && test_.wantsLine(d + start, n - start))
                matched_.push_back(start);
        }
    }
    keepMatched(d, n, at);
    return true;
}

void Scanner::keepMatched(const char* d, std::size_t n, std::uint64_t at) {
    // Every line has the writer's shape: the lines kept are records, whole.
    for (const std::size_t start : matched_) {
        const char* end = static_cast<const char*>(std::memchr(d + start, '\n', n - start));
        keep(std::string_view(d + start, static_cast<std::size_t>(end - d) + 1 - start));
    }
    if (n > 0) {
        // The last line of these is the file's last record so far.
        const std::size_t lastStart = [&] {
            const void* before = n >= 2 ? ::memrchr(d, '\n', n - 1) : nullptr;
            return before ? static_cast<std::size_t>(static_cast<const char*>(before) - d) + 1 : 0;
        }();
        result.lastRecordMatched = !matched_.empty() && matched_.back() == lastStart;
        recordsEnd = at + n;
        lastByte = '\n';
    }
}

bool Scanner::last(std::string_view rest, std::uint64_t at) {
    if (std::all_of(rest.begin(), rest.end(), isBlankOrLineEnd))
        return true;
    // One record, then only blanks: the reader, which starts a record here, says which.
    RecordReader reader(rest);
    RecordView record;
    if (rest.front() != '"' || reader.next(record) != ReadStatus::Record || !reader.atEnd())
        return false;
    const std::string_view line = rest.substr(0, reader.offset());
    const bool match = test_.wants(record.headword());
    if (match)
        keep(line);
    result.lastRecordMatched = match;
    recordsEnd = at + line.size();
    lastByte = line.back();
    return true;
}

// Where the bytes that `lines` can check end in a window: after the LF of the last line that
// has anything but blanks, or at the start of that line when it is not complete. What follows
// waits for the next window, or is the file's last record and blank tail.
std::size_t completeLines(const char* d, std::size_t n) {
    std::size_t ink = n;
    while (ink > 0 && isBlankOrLineEnd(d[ink - 1]))
        --ink;
    if (ink == 0)
        return 0;
    if (const void* lf = std::memchr(d + ink, '\n', n - ink))
        return static_cast<std::size_t>(static_cast<const char*>(lf) - d) + 1;
    const void* before = ::memrchr(d, '\n', ink);
    return before ? static_cast<std::size_t>(static_cast<const char*>(before) - d) + 1 : 0;
}

} // namespace

std::optional<std::string_view> headwordOfLine(const char* line, std::size_t room) {
    const void* close = room > 1 ? std::memchr(line + 1, '"', room - 1) : nullptr;
    if (!close)
        return std::nullopt;
    return std::string_view(line + 1,
                            static_cast<std::size_t>(static_cast<const char*>(close) - line) - 1);
}

HeadwordScan scanHeadwordsInBytes(std::string_view bytes, std::optional<std::string_view> key) {
    const ExactKey test(key);
    Scanner scanner(test);
    const std::size_t cut = completeLines(bytes.data(), bytes.size());
    scanner.result.decided = !beginsWithUtf8Mark(bytes) && scanner.lines(bytes.data(), cut, 0) &&
                             scanner.last(bytes.substr(cut), cut);
    if (!scanner.result.decided)
        scanner.result.records.clear();
    return std::move(scanner.result);
}

namespace {

// Reads a whole file through `read` (pread's contract: the count, 0 at the end, -1 and errno)
// in windows, checking its lines; `error` is set when a read fails, and nothing is decided.
bool scanFile(const std::function<ssize_t(char*, std::size_t, std::uint64_t)>& read,
              Scanner& scanner, std::size_t window, int& error) {
    std::size_t capacity = std::max<std::size_t>(window, 1);
    std::unique_ptr<char[]> bytes;
    try {
        bytes.reset(new char[capacity]); // not cleared: the file is read over it
    } catch (const std::bad_alloc&) {
        error = ENOMEM;
        return false;
    }
    std::size_t held = 0; // bytes in the window
    std::uint64_t at = 0; // where in the file the window's first byte is
    for (bool first = true;; first = false) {
        ssize_t got = 0;
        do
            got = read(bytes.get() + held, capacity - held, at + held);
        while (got < 0 && errno == EINTR);
        if (got < 0) {
            error = errno;
            return false;
        }
        held += static_cast<std::size_t>(got);
        if (first && beginsWithUtf8Mark({bytes.get(), held})) {
            error = kErrorSavedAsUtf8;
            return false;
        }
        if (got == 0) // the end of the file
            return scanner.last({bytes.get(), held}, at);
        const std::size_t cut = completeLines(bytes.get(), held);
        if (!scanner.lines(bytes.get(), cut, at))
            return false;
        std::memmove(bytes.get(), bytes.get() + cut, held - cut);
        at += cut;
        held -= cut;
        if (held == capacity) { // one line, or a blank run, longer than the window
            if (capacity > 2 * kMaxRecordBytes)
                return false;
            try {
                std::unique_ptr<char[]> larger(new char[capacity * 2]);
                std::memcpy(larger.get(), bytes.get(), held);
                bytes = std::move(larger);
                capacity *= 2;
            } catch (const std::bad_alloc&) {
                return false;
            }
        }
    }
}

} // namespace

namespace {

HeadwordScan scanFileHeadwords(const std::filesystem::path& path, const HeadwordTest& test,
                               const FileStamp* shaped, const FileAccess& access,
                               std::size_t window) {
    HeadwordScan none;
    FileOps& ops = *access.ops;
    int fd = -1;
    std::uint64_t size = 0;
    none.error = openForReading(path, access, fd, size);
    struct Closer {
        FileOps& ops;
        int fd;
        ~Closer() {
            if (fd >= 0)
                ops.close(fd); // closing releases the lock
        }
    } closer{ops, fd};
    if (none.error == 0)
        none.error = lockWithin(ops, fd, LOCK_SH, access.lockTimeout);
    if (none.error != 0)
        return none;
    const std::optional<FileStamp> now = FileStamp::of(ops, fd);
    Scanner scanner(test, shaped && now && *now == *shaped);
    const auto read = [&ops, fd](char* out, std::size_t n, std::uint64_t offset) {
        return ops.pread(fd, out, n, static_cast<off_t>(offset));
    };
    if (!scanFile(read, scanner, window, none.error))
        return none;
    // Read to its end under one lock: a write that follows need not read the file again.
    if (now)
        rememberRecordsEnd(*now, recordsEndAt(scanner.recordsEnd, scanner.lastByte));
    scanner.result.shape = now;
    scanner.result.decided = true;
    return std::move(scanner.result);
}

} // namespace

HeadwordScan scanHeadwords(const std::filesystem::path& path, const HeadwordTest& test,
                           const FileAccess& access, std::size_t window, const FileStamp* shaped) {
    return scanFileHeadwords(path, test, shaped, access, window);
}

HeadwordScan scanHeadwords(const std::filesystem::path& path, std::optional<std::string_view> key,
                           const FileAccess& access, std::size_t window) {
    return scanFileHeadwords(path, ExactKey(key), nullptr, access, window);
}

HeadwordScan scanAllHeadwords(const std::filesystem::path& path, const HeadwordTest& test,
                              const FileAccess& access, const FileStamp* shaped) {
    HeadwordScan found = scanHeadwords(path, test, access, std::size_t(256) << 10, shaped);
    if (found.decided || found.error != 0)
        return found;
    RecordStream records(access);
    if ((found.error = records.open(path)) != 0)
        return found;
    RecordView record;
    while (!records.atEnd()) {
        if (records.next(record) != ReadStatus::Record) {
            found.error = records.error();
            found.records.clear();
            return found;
        }
        found.lastRecordMatched = test.wants(record.headword());
        if (found.lastRecordMatched)
            record.copyTo(found.records.emplace_back());
    }
    found.decided = true;
    return found;
}

std::optional<RecordsEnd>
writerShapedRecordsEnd(const std::function<ssize_t(char*, std::size_t, std::uint64_t)>& read) {
    const ExactKey nothing(std::nullopt);
    Scanner scanner(nothing);
    int error = 0;
    if (!scanFile(read, scanner, std::size_t(256) << 10, error))
        return std::nullopt;
    return recordsEndAt(scanner.recordsEnd, scanner.lastByte);
}

} // namespace datafiles

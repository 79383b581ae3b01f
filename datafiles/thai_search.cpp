#include "thai_search.h"

#include "record_reader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <sys/file.h>

namespace datafiles {
namespace {

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// How common a TIS-620 byte is in Thai text, highest first; a byte not listed is rare. Every
// ASCII byte is common: the other fields of a record are Latin.
int commonness(unsigned char byte) {
    static const unsigned char kCommonThai[] = {
        0xD2, 0xC3, 0xB9, 0xA1, 0xCD, 0xC1, 0xA7, 0xE8, 0xE0, 0xC2, 0xC7, 0xE9, 0xB4, 0xB5,
        0xD1, 0xC5, 0xCA, 0xD5, 0xD4, 0xBA, 0xBB, 0xBE, 0xCB, 0xB7, 0xE1, 0xD0, 0xD3, 0xE4,
        0xB8, 0xA4, 0xAB, 0xBC, 0xBD, 0xBF, 0xD6, 0xD7, 0xD8, 0xD9, 0xE2, 0xE3};
    if (byte < 0x80)
        return 1000;
    const unsigned char* const end = std::end(kCommonThai);
    const unsigned char* const at = std::find(std::begin(kCommonThai), end, byte);
    return at == end ? 0 : static_cast<int>(end - at);
}

// Whether `a` is one edit from `b`, and not equal to it.
bool oneEdit(std::string_view a, std::string_view b) {
    const std::size_t n = a.size(), m = b.size();
    if (n + 1 < m || m + 1 < n)
        return false;
    std::size_t i = 0;
    while (i < n && i < m && a[i] == b[i])
        ++i;
    if (i == n && i == m)
        return false;
    if (n == m) {
        if (a.substr(i + 1) == b.substr(i + 1))
            return true; // changed
        return i + 1 < n && a[i] == b[i + 1] && a[i + 1] == b[i] &&
               a.substr(i + 2) == b.substr(i + 2); // swapped
    }
    return n > m ? a.substr(i + 1) == b.substr(i) : a.substr(i) == b.substr(i + 1);
}

std::string consonantsOf(std::string_view word) {
    std::string kept;
    for (const char c : word)
        if (!isToneMarkOrVowelSign(static_cast<unsigned char>(c)))
            kept += c;
    return kept;
}

// The bytes of the line around `at` in `lines`.
std::string_view lineAround(std::string_view lines, std::size_t at) {
    std::size_t start = at;
    while (start > 0 && !isLineEnd(lines[start - 1]))
        --start;
    std::size_t end = at;
    while (end < lines.size() && !isLineEnd(lines[end]))
        ++end;
    return lines.substr(start, end - start);
}

} // namespace

bool isToneMarkOrVowelSign(unsigned char b) {
    return (b >= 0xD0 && b <= 0xD9) || (b >= 0xE0 && b <= 0xE5) || b == 0xE7 ||
           (b >= 0xE8 && b <= 0xEB) || b == 0xEC;
}

int forEachLineBlock(const std::filesystem::path& path, const FileAccess& access, std::size_t block,
                     const std::function<void(std::string_view)>& onLines) {
    FileOps& ops = *access.ops;
    int fd = -1;
    std::uint64_t size = 0;
    int error = openForReading(path, access, fd, size);
    struct Closer {
        FileOps& ops;
        int fd;
        ~Closer() {
            if (fd >= 0)
                ops.close(fd); // closing releases the lock
        }
    } closer{ops, fd};
    if (error == 0)
        error = lockWithin(ops, fd, LOCK_SH, access.lockTimeout);
    if (error != 0)
        return error;
    block = std::max<std::size_t>(block, 64);
    std::size_t capacity = block;
    std::unique_ptr<char[]> buffer(new char[capacity]);
    std::size_t kept = 0; // bytes of an unfinished line at the buffer's start
    std::uint64_t offset = 0;
    for (;;) {
        if (kept == capacity) {
            // A line longer than a block: the buffer grows to hold it, up to a record's limit.
            if (capacity > kMaxRecordBytes + block)
                return kErrorRecordTooLong;
            std::unique_ptr<char[]> larger(new char[capacity * 2]);
            std::memcpy(larger.get(), buffer.get(), kept);
            buffer = std::move(larger);
            capacity *= 2;
        }
        const ssize_t n =
            ops.pread(fd, buffer.get() + kept, capacity - kept, static_cast<off_t>(offset));
        if (n < 0)
            return errnoOr(EIO);
        if (offset == 0 && beginsWithUtf8Mark(std::string_view(buffer.get(), std::size_t(n))))
            return kErrorSavedAsUtf8;
        offset += static_cast<std::uint64_t>(n);
        if (n == 0) {
            if (kept > 0)
                onLines(std::string_view(buffer.get(), kept)); // the last line, without an end
            return 0;
        }
        const std::size_t filled = kept + static_cast<std::size_t>(n);
        std::size_t end = filled;
        while (end > kept && !isLineEnd(buffer[end - 1]))
            --end;
        if (end == filled && buffer[end - 1] == '\r') {
            // A CR at the end of the bytes read may be the first half of a CR LF: the block
            // ends at the line end before it.
            --end;
            while (end > kept && !isLineEnd(buffer[end - 1]))
                --end;
        }
        if (end == kept) {
            kept = filled; // no line ends in the new bytes
            continue;
        }
        onLines(std::string_view(buffer.get(), end));
        kept = filled - end;
        std::memmove(buffer.get(), buffer.get() + end, kept);
    }
}

void findThaiScriptIn(std::string_view lines, std::string_view thai,
                      std::vector<DictionaryRecord>& into) {
    if (thai.empty() || thai == kNoThai)
        return;
    const std::string needle = '"' + std::string(thai) + '"';
    // The needle's rarest byte is looked for with memchr; the rest is compared at a hit.
    std::size_t rare = 1;
    for (std::size_t i = 2; i + 1 < needle.size(); ++i)
        if (commonness(static_cast<unsigned char>(needle[i])) <
            commonness(static_cast<unsigned char>(needle[rare])))
            rare = i;
    const char rareByte = needle[rare];
    const char* const begin = lines.data();
    const char* const end = begin + lines.size();
    const char* from = begin; // the first place a needle may start
    while (end - from >= static_cast<std::ptrdiff_t>(needle.size())) {
        const void* hit =
            std::memchr(from + rare, rareByte, static_cast<std::size_t>(end - from) - rare);
        if (!hit)
            return;
        const char* start = static_cast<const char*>(hit) - rare;
        from = start + 1;
        if (static_cast<std::size_t>(end - start) < needle.size() ||
            std::memcmp(start, needle.data(), needle.size()) != 0)
            continue;
        // The hit must be the line's record's fifth field, quoted.
        const std::string_view line = lineAround(lines, static_cast<std::size_t>(start - begin));
        RecordReader reader(line);
        RecordView record;
        if (reader.next(record) != ReadStatus::Record || record.thai().data() != start + 1 ||
            record.thai().size() != thai.size())
            continue;
        if (!record.isCrossReference()) {
            DictionaryRecord kept;
            record.copyTo(kept);
            into.push_back(std::move(kept));
        }
        from = line.data() + line.size(); // one match a line
    }
}

ThaiScriptMatches findThaiScript(const std::filesystem::path& path, std::string_view thai,
                                 const FileAccess& access, std::size_t block) {
    ThaiScriptMatches found;
    found.error = forEachLineBlock(path, access, block, [&](std::string_view lines) {
        findThaiScriptIn(lines, thai, found.records);
    });
    if (found.error != 0)
        found.records.clear();
    return found;
}

ThaiNearness thaiNearnessOf(std::string_view typed, std::string_view thai) {
    if (!oneEdit(typed, thai))
        return ThaiNearness::None;
    return consonantsOf(typed) == consonantsOf(thai) ? ThaiNearness::MarksAndVowels
                                                     : ThaiNearness::OneEdit;
}

ThaiNearWords::ThaiNearWords(std::string_view typed, std::size_t most)
    : typed_(typed), most_(most) {}

void ThaiNearWords::readLines(std::string_view lines, int file) {
    RecordReader reader(lines);
    RecordView record;
    while (!reader.atEnd()) {
        if (reader.next(record) != ReadStatus::Record)
            return;
        const std::string_view thai = record.thai();
        if (thai.size() + 1 < typed_.size() || typed_.size() + 1 < thai.size() || thai == kNoThai ||
            record.isCrossReference())
            continue;
        const ThaiNearness nearness = thaiNearnessOf(typed_, thai);
        if (nearness == ThaiNearness::None)
            continue;
        std::vector<Word>& words = nearness == ThaiNearness::MarksAndVowels ? marks_ : edits_;
        if (words.size() >= most_ ||
            std::any_of(words.begin(), words.end(), [&](const Word& w) { return w.thai == thai; }))
            continue;
        words.push_back({nearness, std::string(thai), file});
    }
}

int ThaiNearWords::read(const std::filesystem::path& path, int file, const FileAccess& access,
                        std::size_t block) {
    return forEachLineBlock(path, access, block,
                            [&](std::string_view lines) { readLines(lines, file); });
}

std::vector<ThaiNearWords::Word> ThaiNearWords::nearest() const {
    std::vector<Word> words = marks_;
    words.insert(words.end(), edits_.begin(), edits_.end());
    if (words.size() > most_)
        words.resize(most_);
    return words;
}

} // namespace datafiles

#include "anki_export.h"

#include "datafiles/dictionary_record.h"
#include "thaitext/codec.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ripasso {
namespace {

// UTF-8 of each byte of a single-byte code set.
struct Utf8 {
    char bytes[3];
    unsigned char size;
};
using ByteTable = std::array<Utf8, 256>;

ByteTable makeTable(char16_t (*decode)(unsigned char)) {
    ByteTable table{};
    for (int b = 0; b < 256; ++b) {
        const char16_t c = decode(static_cast<unsigned char>(b));
        Utf8& u = table[static_cast<std::size_t>(b)];
        if (c < 0x80) {
            u = {{static_cast<char>(c), 0, 0}, 1};
        } else if (c < 0x800) {
            u = {{static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F)), 0}, 2};
        } else {
            u = {{static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                  static_cast<char>(0x80 | (c & 0x3F))},
                 3};
        }
    }
    return table;
}

const ByteTable& latinTable() {
    static const ByteTable table = makeTable(thaitext::cp1252ToUnicode);
    return table;
}
const ByteTable& thaiTable() {
    static const ByteTable table = makeTable(thaitext::tis620ToUnicode);
    return table;
}

void appendDecoded(std::string& out, std::string_view bytes, const ByteTable& table) {
    for (const char b : bytes) {
        const Utf8& u = table[static_cast<unsigned char>(b)];
        out.append(u.bytes, u.size);
    }
}

bool needsQuotes(std::string_view text, bool firstColumn) {
    return text.find_first_of("\t\r\n\"") != std::string_view::npos ||
           (firstColumn && !text.empty() && text.front() == '#');
}

// A field in the code set's bytes, decoded as Anki reads it. The bytes that call for quotes
// are ASCII, the same in both code sets and in UTF-8.
void appendField(std::string& out, std::string_view bytes, const ByteTable& table,
                 bool firstColumn = false) {
    if (!needsQuotes(bytes, firstColumn)) {
        appendDecoded(out, bytes, table);
        return;
    }
    out += '"';
    for (const char b : bytes) {
        if (b == '"')
            out += '"';
        const Utf8& u = table[static_cast<unsigned char>(b)];
        out.append(u.bytes, u.size);
    }
    out += '"';
}

// A tag per attribute: Anki's tags are separated by spaces, so spaces inside become "_".
void appendTag(std::string& out, std::string_view attribute) {
    for (const char b : attribute) {
        const bool blank = b == ' ' || b == '\t' || b == '\r' || b == '\n';
        const Utf8& u = latinTable()[static_cast<unsigned char>(blank ? '_' : b)];
        out.append(u.bytes, u.size);
    }
}

std::uint64_t fnv1a(std::string_view a, std::string_view b) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    auto mix = [&hash](std::string_view bytes) {
        for (const char c : bytes) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 0x100000001b3ull;
        }
    };
    mix(a);
    mix(std::string_view("\x1f", 1));
    mix(b);
    return hash;
}

// How many times each 64-bit key was counted: open addressing in one array, since a million
// keys in node-based maps took most of the export's time.
class KeyCounter {
public:
    int count(std::uint64_t key) {
        if (key == 0) // 0 marks a free slot
            return ++zeroCount_;
        if (used_ * 2 >= slots_.size())
            grow();
        for (std::size_t i = index(key);; i = (i + 1) & (slots_.size() - 1)) {
            if (slots_[i].key == key)
                return ++slots_[i].count;
            if (slots_[i].key == 0) {
                slots_[i] = {key, 1};
                ++used_;
                return 1;
            }
        }
    }

private:
    struct Slot {
        std::uint64_t key;
        int count;
    };
    std::size_t index(std::uint64_t key) const {
        return static_cast<std::size_t>(key * 0x9E3779B97F4A7C15ull >> 20) & (slots_.size() - 1);
    }
    void grow() {
        std::vector<Slot> old(slots_.empty() ? 1024 : slots_.size() * 2, Slot{0, 0});
        old.swap(slots_);
        for (const Slot& s : old)
            if (s.key != 0) {
                std::size_t i = index(s.key);
                while (slots_[i].key != 0)
                    i = (i + 1) & (slots_.size() - 1);
                slots_[i] = s;
            }
    }
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
    int zeroCount_ = 0;
};

// Writes everything, or gives the errno of the failure.
int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

} // namespace

std::string noteId(std::string_view headword, std::string_view pronunciation, int occurrence) {
    char id[32];
    std::snprintf(id, sizeof id, "ripasso-%016llx",
                  static_cast<unsigned long long>(fnv1a(headword, pronunciation)));
    return occurrence > 1 ? id + ("-" + std::to_string(occurrence)) : std::string(id);
}

std::string ankiField(std::string_view utf8, bool firstColumn) {
    if (!needsQuotes(utf8, firstColumn))
        return std::string(utf8);
    std::string out = "\"";
    for (const char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

ExportResult exportForAnki(const PathOf& pathOf, const fs::path& target, std::string_view deck,
                           const datafiles::FileAccess& access) {
    ExportResult result;
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    // A file with no name while it is written: a crash leaves nothing behind. It gets a name
    // beside the target once it is complete, and that name is renamed over the target.
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
    const bool unnamed = fd >= 0;
    if (!unnamed)
        fd = ::mkstemp(temporary.data()); // a file system without unnamed files
    if (fd < 0) {
        result.error = "cannot write in " + folder.string() + ": " + std::strerror(errno);
        return result;
    }
    ::fchmod(fd, 0644);

    std::string out = "#separator:tab\n#html:false\n#notetype:";
    out += kAnkiNoteType;
    out += "\n#deck:";
    for (const char c : deck) // a header line ends at its line end
        out += c == '\r' || c == '\n' ? ' ' : c;
    out += "\n#columns:Front\tBack\tThai\tAttribute\tNote\tTags\tGUID\n#tags:ripasso\n"
           "#tags column:6\n#guid column:7\n";
    int error = 0;
    KeyCounter occurrences;
    result.problems = readForwardRecords(pathOf, access, [&](const datafiles::RecordView& r) {
        if (r.isCrossReference() || error != 0)
            return;
        const std::uint64_t pair = fnv1a(r.headword(), r.counterpart());
        const int occurrence = occurrences.count(pair);
        appendField(out, r.headword(), latinTable(), true);
        out += '\t';
        appendField(out, r.counterpart(), latinTable());
        out += '\t';
        appendField(out, unmarked(r.thai(), datafiles::kNoThai), thaiTable());
        out += '\t';
        appendField(out, unmarked(r.attribute(), datafiles::kNoAttribute), latinTable());
        out += '\t';
        appendField(out, unmarked(r.note(), datafiles::kNoNote), latinTable());
        out += '\t';
        appendTag(out, unmarked(r.attribute(), datafiles::kNoAttribute));
        out += '\t';
        out += noteId(r.headword(), r.counterpart(), occurrence);
        out += '\n';
        ++result.notes;
        if (out.size() >= (std::size_t(1) << 20)) {
            error = writeAll(fd, out);
            out.clear();
        }
    });
    if (error == 0)
        error = writeAll(fd, out);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    bool named = !unnamed;
    if (error == 0 && unnamed) {
        temporary = (folder / ("." + target.filename().string() + "." + std::to_string(::getpid())))
                        .string();
        ::unlink(temporary.c_str()); // left by an earlier process of the same number
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        named =
            ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0;
        if (!named)
            error = errno;
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        if (named)
            ::unlink(temporary.c_str());
        result.error = "cannot write " + target.string() + ": " + std::strerror(error);
        return result;
    }
    datafiles::syncFolder(*access.ops, folder);
    result.written = true;
    return result;
}

} // namespace ripasso

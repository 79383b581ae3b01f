#pragma once
// What the exports for Anki (the text file, anki_export.h, and the package, anki_package.h)
// share: the records of the forward letter files, their fields as HTML in UTF-8, and the
// writing of the export's file beside its target, renamed over it once complete and synced,
// never over anything but an ordinary file.

#include "forward_records.h"

#include "datafiles/file_io.h"
#include "datafiles/record_reader.h"

#include <QString>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>

namespace ripasso::exporting {

// A message in the user's language, as UTF-8, with its %1, %2... filled in.
template <typename... Values> std::string say(const QString& message, const Values&... values) {
    return message.arg(values...).toStdString();
}

QString pathText(const std::filesystem::path& path);

// Each byte of a single-byte code set as it stands in an HTML field: its UTF-8, or for the
// characters HTML gives a meaning to, their entity, and for a line end, a <br>.
struct Utf8 {
    char bytes[6];
    unsigned char size;
};
using ByteTable = std::array<Utf8, 256>;

const ByteTable& latinTable(); // code page 1252
const ByteTable& thaiTable();  // TIS-620

// A field in the code set's bytes as HTML: the characters HTML gives a meaning to written as
// entities, each line end (CR LF, LF or CR) a <br>.
void appendHtml(std::string& out, std::string_view bytes, const ByteTable& table);

// A tag per attribute: Anki's tags are separated by spaces, so blanks inside become "_". A
// tag is no HTML: the ASCII characters stay as they are.
void appendTag(std::string& out, std::string_view attribute);

// The 64-bit FNV-1a hash of a head word and pronunciation (code page 1252 bytes): the key of
// the note ids.
inline std::uint64_t pairHash(std::string_view a, std::string_view b) {
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

// Takes a record; false stops the reading.
using TakeRecord = std::function<bool(const datafiles::RecordView&)>;

// The records of the forward letter files, LEXFWD_A.DAT to LEXFWD_Z.DAT, given to `take` in
// the files' order. A letter without its file has no words yet; a record that cannot be read
// is left out and told in `problems`; a file that is there but cannot be read (held by
// another program past the wait, no permission, a folder) stops the reading: an export
// without one letter's words would pass for a whole one. Empty, or why the reading stopped.
std::string readLetters(const PathOf& pathOf, const datafiles::FileAccess& access,
                        std::vector<std::string>& problems, const TakeRecord& take);

// Writes everything, or gives the errno of the failure.
int writeAll(int fd, std::string_view bytes);

// "TARGET cannot be written: REASON".
std::string cannotWrite(const std::filesystem::path& target, int error);

// Fills the export's file through `fd`: empty, or why it could not (the file is then not
// put at the target).
using FillFile = std::function<std::string(int fd)>;

// Puts the file that `fill` writes at `target`. The file is written with no name beside the
// target where the file system allows it (a crash then leaves nothing behind), else under a
// temporary name; it is synced, named, and renamed over the target, whose permissions it
// keeps. Only an ordinary file is replaced: renaming over a device or a pipe would put a file
// in its place, and over a symbolic link would replace the link instead of the file it leads
// to, which the kit never follows when it writes; what stands at the target is checked
// before and again after the filling. Empty, or why nothing was written (then the old file,
// if any, is as it was, and no temporary file is left).
std::string replaceTarget(const std::filesystem::path& target, const datafiles::FileAccess& access,
                          const FillFile& fill);

} // namespace ripasso::exporting

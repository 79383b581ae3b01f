#include "anki_export.h"

#include "datafiles/dictionary_record.h"
#include "datafiles/file_naming.h"
#include "platform/error_text.h"
#include "thaitext/codec.h"

#include <QCoreApplication>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ripasso {

struct ExportText {
    Q_DECLARE_TR_FUNCTIONS(ripasso::ExportText)
};

namespace {

// A message in the user's language, as UTF-8, with its %1, %2... filled in.
template <typename... Values> std::string say(const QString& message, const Values&... values) {
    return message.arg(values...).toStdString();
}

QString pathText(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// Each byte of a single-byte code set as it stands in an HTML field: its UTF-8, or for the
// characters HTML gives a meaning to, their entity, and for a line end, a <br>.
struct Utf8 {
    char bytes[6];
    unsigned char size;
};
using ByteTable = std::array<Utf8, 256>;

ByteTable makeTable(char16_t (*decode)(unsigned char)) {
    ByteTable table{};
    for (int b = 0; b < 256; ++b) {
        const char16_t c = decode(static_cast<unsigned char>(b));
        Utf8& u = table[static_cast<std::size_t>(b)];
        if (c < 0x80) {
            u = {{static_cast<char>(c)}, 1};
        } else if (c < 0x800) {
            u = {{static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))}, 2};
        } else {
            u = {{static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                  static_cast<char>(0x80 | (c & 0x3F))},
                 3};
        }
    }
    // The bytes below 128 are ASCII in both code sets.
    table['&'] = {{'&', 'a', 'm', 'p', ';'}, 5};
    table['<'] = {{'&', 'l', 't', ';'}, 4};
    table['>'] = {{'&', 'g', 't', ';'}, 4};
    table['"'] = {{'&', 'q', 'u', 'o', 't', ';'}, 6};
    table['\n'] = table['\r'] = {{'<', 'b', 'r', '>'}, 4};
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

bool needsQuotes(std::string_view text, bool firstColumn) {
    return text.find_first_of("\t\r\n\"") != std::string_view::npos ||
           (firstColumn && !text.empty() && text.front() == '#');
}

// A field in the code set's bytes as HTML: the characters HTML gives a meaning to written as
// entities, each line end (CR LF, LF or CR) a <br>. A quote is an entity by then: only a
// tab, or a "#" that begins a line, still calls for Anki's quotes around the whole field.
void appendHtml(std::string& out, std::string_view bytes, const ByteTable& table) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const Utf8& u = table[static_cast<unsigned char>(bytes[i])];
        out.append(u.bytes, u.size);
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i; // one <br> for CR LF
    }
}

bool hasTab(std::string_view bytes) {
    return bytes.find('\t') != std::string_view::npos;
}

// The front of the card: the Italian word.
void appendFront(std::string& out, std::string_view headword) {
    const bool quoted = hasTab(headword) || (!headword.empty() && headword.front() == '#');
    if (quoted)
        out += '"';
    appendHtml(out, headword, latinTable());
    if (quoted)
        out += '"';
}

// The back of the card: the pronunciation, the Thai script, the attribute and the note, one a
// line; a field that holds only its "none" marker leaves no line.
void appendBack(std::string& out, const datafiles::RecordView& r) {
    const std::string_view thai = unmarked(r.thai(), datafiles::kNoThai);
    const std::string_view attribute = unmarked(r.attribute(), datafiles::kNoAttribute);
    const std::string_view note = unmarked(r.note(), datafiles::kNoNote);
    const bool quoted =
        hasTab(r.counterpart()) || hasTab(thai) || hasTab(attribute) || hasTab(note);
    if (quoted)
        out += '"';
    bool first = true;
    auto line = [&](std::string_view bytes, const ByteTable& table) {
        if (bytes.empty())
            return;
        if (!first)
            out += "<br>";
        first = false;
        appendHtml(out, bytes, table);
    };
    line(r.counterpart(), latinTable());
    line(thai, thaiTable());
    line(attribute, latinTable());
    line(note, latinTable());
    if (quoted)
        out += '"';
}

// A tag per attribute: Anki's tags are separated by spaces, so spaces inside become "_". A
// tag is no HTML: the ASCII characters stay as they are.
void appendTag(std::string& out, std::string_view attribute) {
    for (const char b : attribute) {
        if (static_cast<unsigned char>(b) >= 0x80) {
            const Utf8& u = latinTable()[static_cast<unsigned char>(b)];
            out.append(u.bytes, u.size);
        } else {
            const bool blank = b == ' ' || b == '\t' || b == '\r' || b == '\n';
            out += blank ? '_' : b;
        }
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

// The output is written each time it holds this much.
constexpr std::size_t kFlushBytes = std::size_t(1) << 20;

using FileStatus = struct stat;
// Takes a record; false stops the reading.
using TakeRecord = std::function<bool(const datafiles::RecordView&)>;

// What stands at the target before the export replaces it.
struct Target {
    bool exists = false;
    mode_t mode = 0644; // the permissions the new file gets: the old file's, else these
};

// Empty when the export may put its file at `target`, else why not. The export replaces
// only an ordinary file: renaming over a device or a pipe would put a file in its place, and
// over a symbolic link would replace the link instead of the file it leads to, which the kit
// never follows when it writes.
std::string checkTarget(const fs::path& target, Target& found) {
    FileStatus info{};
    if (::lstat(target.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            found = {};
            return {};
        }
        return say(QCoreApplication::translate("ripasso::ExportText", "%1 cannot be reached: %2"),
                   pathText(target), platform::errorText(errno));
    }
    if (S_ISLNK(info.st_mode)) {
        std::error_code ignored;
        const fs::path leadsTo = fs::read_symlink(target, ignored);
        return leadsTo.empty() ? say(QCoreApplication::translate(
                                         "ripasso::ExportText",
                                         "%1 is a symbolic link, and the export replaces no link: "
                                         "give the file it leads to, or another name"),
                                     pathText(target))
                               : say(QCoreApplication::translate(
                                         "ripasso::ExportText",
                                         "%1 is a symbolic link to %2, and the export replaces no "
                                         "link: give the file it leads to, or another name"),
                                     pathText(target), pathText(leadsTo));
    }
    if (S_ISDIR(info.st_mode))
        return say(QCoreApplication::translate("ripasso::ExportText",
                                               "%1 is a folder: give the name of a file in it"),
                   pathText(target));
    if (!S_ISREG(info.st_mode))
        return say(QCoreApplication::translate(
                       "ripasso::ExportText",
                       "%1 is not an ordinary file (a device, a pipe or a socket), "
                       "and the export replaces only a file"),
                   pathText(target));
    found = {true, static_cast<mode_t>(info.st_mode & 07777)};
    return {};
}

// The records of the forward letter files, LEXFWD_A.DAT to LEXFWD_Z.DAT, given to `take` in
// the files' order. A letter without its file has no words yet; a record that cannot be read
// is left out and told in `problems`; a file that is there but cannot be read (held by
// another program past the wait, no permission, a folder) stops the reading: an export
// without one letter's words would pass for a whole one. Empty, or why the reading stopped.
std::string readLetters(const PathOf& pathOf, const datafiles::FileAccess& access,
                        std::vector<std::string>& problems, const TakeRecord& take) {
    int missing = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string name = datafiles::dataFileName(datafiles::Direction::Forward, letter);
        const fs::path path = pathOf(name);
        const datafiles::ReadBytesResult file = datafiles::readWholeFileBytes(path, access);
        if (file.error == ENOENT) {
            ++missing;
            continue;
        }
        if (!file.ok())
            return say(
                QCoreApplication::translate("ripasso::ExportText", "%1 could not be read: %2"),
                pathText(path), platform::errorText(file.error));
        datafiles::RecordReader reader(file.bytes.view());
        datafiles::RecordView record;
        std::size_t skipped = 0, firstSkippedLine = 0;
        while (!reader.atEnd()) {
            const datafiles::ReadStatus status = reader.next(record);
            if (status == datafiles::ReadStatus::Record && !record.headword().empty()) {
                if (!take(record))
                    return {};
                continue;
            }
            if (skipped++ == 0)
                firstSkippedLine = reader.line();
            if (status == datafiles::ReadStatus::Truncated)
                break;
        }
        if (skipped == 1)
            problems.push_back(
                say(QCoreApplication::translate("ripasso::ExportText",
                                                "1 record could not be read in %1 (on line %2) "
                                                "and was left out."),
                    QString::fromStdString(name), QString::number(firstSkippedLine)));
        else if (skipped > 1)
            problems.push_back(
                say(QCoreApplication::translate("ripasso::ExportText",
                                                "%1 records could not be read in %2 (the first "
                                                "on line %3) and were left out."),
                    QString::number(skipped), QString::fromStdString(name),
                    QString::number(firstSkippedLine)));
    }
    if (missing == 26)
        problems.insert(problems.begin(), QCoreApplication::translate(
                                              "ripasso::ExportText",
                                              "This folder holds none of the files LEXFWD_A.DAT to "
                                              "LEXFWD_Z.DAT.")
                                              .toStdString());
    return {};
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
    Target old;
    result.error = checkTarget(target, old);
    if (!result.error.empty())
        return result;
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    // A file with no name while it is written: a crash leaves nothing behind. It gets a name
    // beside the target once it is complete, and that name is renamed over the target.
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    const bool unnamed = fd >= 0;
    if (!unnamed)
        fd = ::mkstemp(temporary.data()); // a file system without unnamed files
    if (fd < 0) {
        result.error = say(ExportText::tr("%1 cannot be written in: %2"), pathText(folder),
                           platform::errorText(errno));
        return result;
    }
    bool named = !unnamed;
    auto fail = [&](const std::string& error) {
        ::close(fd);
        if (named)
            ::unlink(temporary.c_str());
        result.error = old.exists ? say(ExportText::tr("%1; %2 is as it was"),
                                        QString::fromStdString(error), pathText(target))
                                  : error;
        result.written = false;
        return result;
    };
    if (::fchmod(fd, old.mode) != 0)
        return fail(say(ExportText::tr("%1 cannot be written: %2"), pathText(target),
                        platform::errorText(errno)));

    std::string out = "#separator:tab\n#html:true\n#notetype:";
    out += kAnkiNoteType;
    out += "\n#deck:";
    for (const char c : deck) // a header line ends at its line end
        out += c == '\r' || c == '\n' ? ' ' : c;
    // Anki's stock note type has the fields Front and Back alone, and Anki fills fields by the
    // columns' names: every field the learner needs is in one of those two.
    out += "\n#columns:Front\tBack\tTags\tGUID\n#tags:ripasso\n#tags column:3\n#guid column:4\n";
    out.reserve(kFlushBytes + (std::size_t(1) << 20));
    int error = 0;
    KeyCounter occurrences;
    const std::string unread =
        readLetters(pathOf, access, result.problems, [&](const datafiles::RecordView& r) {
            if (r.isCrossReference())
                return true;
            const std::uint64_t pair = fnv1a(r.headword(), r.counterpart());
            const int occurrence = occurrences.count(pair);
            appendFront(out, r.headword());
            out += '\t';
            appendBack(out, r);
            out += '\t';
            appendTag(out, unmarked(r.attribute(), datafiles::kNoAttribute));
            out += '\t';
            out += noteId(r.headword(), r.counterpart(), occurrence);
            out += '\n';
            ++result.notes;
            if (out.size() >= kFlushBytes) {
                error = writeAll(fd, out);
                out.clear();
            }
            return error == 0;
        });
    if (!unread.empty())
        return fail(unread);
    if (error == 0)
        error = writeAll(fd, out);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
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
    if (error != 0)
        return fail(say(ExportText::tr("%1 cannot be written: %2"), pathText(target),
                        platform::errorText(error)));
    // What stands at the target may have changed while the files were read.
    Target now;
    if (std::string changed = checkTarget(target, now); !changed.empty())
        return fail(changed);
    if (::close(fd) != 0)
        error = errno;
    fd = -1;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        result.error = say(ExportText::tr("%1 cannot be written: %2"), pathText(target),
                           platform::errorText(error));
        return result;
    }
    datafiles::syncFolder(*access.ops, folder);
    result.written = true;
    return result;
}

} // namespace ripasso

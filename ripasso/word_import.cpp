#include "word_import.h"

#include "anki_package.h"
#include "datafiles/file_naming.h"
#include "datafiles/record_stream.h"
#include "datafiles/record_writer.h"
#include "datafiles/sound_files.h"
#include "platform/error_text.h"
#include "recordings.h"
#include "thaitext/codec.h"
#include "vocaboro/entry_check.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <array>
#include <cerrno>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ripasso {

struct ImportText {
    Q_DECLARE_TR_FUNCTIONS(ripasso::ImportText)
};

namespace {

// The source is read this much at a time.
constexpr std::size_t kBlockBytes = std::size_t(1) << 20;
// A row longer than this is no word of a dictionary: it is refused without being held whole.
constexpr std::size_t kMaxRowBytes = std::size_t(1) << 20;
// A batch is written when it holds this many rows, or half of what one journal takes.
constexpr std::size_t kBatchRows = 2000;
constexpr std::size_t kBatchBytes = datafiles::kMaxBatchBytes / 2;

QString pathText(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// --- the source file

// The file to import, opened without waiting on a pipe or a device: only an ordinary file is
// read.
class Source {
public:
    ~Source() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    // 0, or the reason: an errno value, EISDIR for a folder, kErrorNotRegularFile for the rest.
    int open(const fs::path& path) {
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd_ < 0)
            return errno;
        struct stat info {};
        if (::fstat(fd_, &info) != 0)
            return errno;
        if (S_ISDIR(info.st_mode))
            return EISDIR;
        if (!S_ISREG(info.st_mode))
            return datafiles::kErrorNotRegularFile;
        return 0;
    }
    // Up to `size` bytes; 0 at the end, -1 with errno.
    ssize_t read(char* out, std::size_t size) {
        for (;;) {
            const ssize_t n = ::read(fd_, out, size);
            if (n >= 0 || errno != EINTR)
                return n;
        }
    }
    bool rewind() { return ::lseek(fd_, 0, SEEK_SET) == 0; }

private:
    int fd_ = -1;
};

// What the first pass found wrong with the bytes; empty when the file is UTF-8 text.
QString checkText(Source& source, const QString& name, std::size_t& bomBytes) {
    std::vector<char> block(kBlockBytes);
    std::size_t line = 1, leadLine = 0, offset = 0;
    int need = 0;
    unsigned char lead = 0, low = 0x80, high = 0xBF;
    bomBytes = 0;
    auto notUtf8 = [&](unsigned char byte, std::size_t at) {
        const QChar latin(thaitext::cp1252ToUnicode(byte));
        return ImportText::tr("%1 is not UTF-8 text: line %2 holds the byte 0x%3, which UTF-8 "
                              "does not have there (\"%4\" in Latin-1); save it as UTF-8 and "
                              "import it again. Nothing was imported.")
            .arg(name, QString::number(at),
                 QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper(), latin);
    };
    for (;;) {
        const ssize_t n = source.read(block.data(), block.size());
        if (n < 0)
            return ImportText::tr("%1 cannot be read: %2. Nothing was imported.")
                .arg(name, platform::errorText(errno));
        if (n == 0)
            break;
        std::string_view bytes(block.data(), static_cast<std::size_t>(n));
        if (offset == 0) {
            const auto starts = [&](std::string_view mark) { return bytes.starts_with(mark); };
            using namespace std::string_view_literals;
            if (starts("\xFF\xFE"sv) || starts("\xFE\xFF"sv) || starts("\0\0\xFE\xFF"sv))
                return ImportText::tr("%1 is saved as UTF-16 (or UTF-32), not as UTF-8: save it "
                                      "as UTF-8 and import it again. Nothing was imported.")
                    .arg(name);
            if (starts("\xEF\xBB\xBF"sv))
                bomBytes = 3;
        }
        offset += bytes.size();
        for (const char c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            if (need > 0) {
                if (b < low || b > high)
                    return notUtf8(lead, leadLine);
                low = 0x80;
                high = 0xBF;
                --need;
                continue;
            }
            if (b == 0)
                return ImportText::tr("%1 is not a text file: line %2 holds a zero byte. Nothing "
                                      "was imported.")
                    .arg(name, QString::number(line));
            if (b < 0x80) {
                line += b == '\n';
                continue;
            }
            lead = b;
            leadLine = line;
            if (b >= 0xC2 && b <= 0xDF)
                need = 1;
            else if (b >= 0xE0 && b <= 0xEF)
                need = 2, low = b == 0xE0 ? 0xA0 : 0x80, high = b == 0xED ? 0x9F : 0xBF;
            else if (b >= 0xF0 && b <= 0xF4)
                need = 3, low = b == 0xF0 ? 0x90 : 0x80, high = b == 0xF4 ? 0x8F : 0xBF;
            else
                return notUtf8(b, line);
        }
    }
    if (need > 0)
        return notUtf8(lead, leadLine);
    if (!source.rewind())
        return ImportText::tr("%1 cannot be read: %2. Nothing was imported.")
            .arg(name, platform::errorText(errno));
    return {};
}

// --- rows

struct Row {
    std::size_t line = 0; // where the row starts
    std::vector<std::string> fields;
    bool tooLong = false;  // longer than kMaxRowBytes: the fields are not held
    bool unclosed = false; // the file ends inside a quoted field
    bool blank() const { return fields.size() == 1 && fields[0].empty(); }
};

// The rows of a table, a block of the file at a time: fields split by a separator, a field in
// double quotes holding separators, doubled quotes and line breaks.
class RowReader {
public:
    RowReader(Source& source, std::size_t skip) : source_(source) {
        while (skip-- > 0)
            get();
    }
    int error() const { return error_; }
    int peek() {
        if (pos_ == buffer_.size() && !fill())
            return -1;
        return static_cast<unsigned char>(buffer_[pos_]);
    }
    // One line as it stands, without its line end; false at the end of the file.
    bool rawLine(std::string& out, std::size_t& line) {
        out.clear();
        line = line_;
        if (peek() < 0)
            return false;
        for (int c = get(); c >= 0 && c != '\n'; c = get())
            if (out.size() < kMaxRowBytes)
                out += static_cast<char>(c);
        ++line_;
        if (!out.empty() && out.back() == '\r')
            out.pop_back();
        return true;
    }
    // The next row; false at the end of the file.
    bool next(char separator, Row& row) {
        row.fields.assign(1, std::string());
        row.line = line_;
        row.tooLong = row.unclosed = false;
        if (peek() < 0)
            return false;
        std::size_t bytes = 0;
        bool quoted = false, fieldStart = true;
        for (int c = get(); c >= 0; c = get()) {
            if (row.tooLong) { // read on to the next line end
                if (c == '\n') {
                    ++line_;
                    break;
                }
                continue;
            }
            if (++bytes > kMaxRowBytes) {
                row.tooLong = true;
                row.fields.assign(1, std::string());
                quoted = false;
                if (c == '\n') {
                    ++line_;
                    break;
                }
                continue;
            }
            const char ch = static_cast<char>(c);
            std::string& field = row.fields.back();
            if (ch == '\r' && peek() == '\n')
                continue;
            if (quoted) {
                if (ch == '"') {
                    if (peek() == '"')
                        field += static_cast<char>(get());
                    else
                        quoted = false;
                    continue;
                }
                line_ += ch == '\n';
                field += ch;
                continue;
            }
            if (ch == '"' && fieldStart) {
                quoted = true;
                fieldStart = false;
            } else if (ch == separator) {
                row.fields.emplace_back();
                fieldStart = true;
            } else if (ch == '\n') {
                ++line_;
                return true;
            } else {
                field += ch;
                fieldStart = false;
            }
        }
        row.unclosed = quoted;
        return true;
    }

private:
    int get() {
        if (pos_ == buffer_.size() && !fill())
            return -1;
        return static_cast<unsigned char>(buffer_[pos_++]);
    }
    bool fill() {
        if (ended_)
            return false;
        buffer_.resize(kBlockBytes);
        const ssize_t n = source_.read(buffer_.data(), buffer_.size());
        if (n < 0)
            error_ = errno;
        buffer_.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        pos_ = 0;
        ended_ = n <= 0;
        return n > 0;
    }

    Source& source_;
    std::string buffer_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
    bool ended_ = false;
    int error_ = 0;
};

// A header line's names, split by the separator; quotes as in a row.
std::vector<std::string> splitLine(std::string_view line, char separator) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c != '"')
                fields.back() += c;
            else if (i + 1 < line.size() && line[i + 1] == '"')
                fields.back() += line[++i];
            else
                quoted = false;
        } else if (c == '"' && fields.back().empty()) {
            quoted = true;
        } else if (c == separator) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// --- what a column holds

enum Role {
    Italian,
    Pronunciation,
    Thai,
    Attribute,
    Note,
    Sound,
    Front, // the kit's own text export: the Italian word and its recording
    Back,  // the kit's own text export: the rest, a line each
    Tags,
    kRoles,
    Unread,  // a column of another name
    SetAside // a column of Anki's note ids, note types or decks
};

// The role of a column by its name, in either language and any case; `anki` also takes the
// stock note type's Front and Back.
int roleOf(const QString& name, bool anki) {
    static const std::array<std::pair<const char*, Role>, 12> names = {{
        {"italiano", Italian},
        {"italian", Italian},
        {"pronuncia", Pronunciation},
        {"pronunciation", Pronunciation},
        {"thai", Thai},
        {"attributo", Attribute},
        {"attribute", Attribute},
        {"note", Note},
        {"notes", Note},
        {"suono", Sound},
        {"sound", Sound},
        {"front", Front},
    }};
    const QString key = name.trimmed().toLower();
    for (const auto& [text, role] : names)
        if (key == QLatin1String(text))
            return role != Front || anki ? role : Unread;
    if (anki && key == QLatin1String("back"))
        return Back;
    return Unread;
}

using Values = std::array<std::optional<QString>, kRoles>;

// An HTML field as text: each <br> a line break, the entities as their characters, other
// tags dropped.
QString fromHtml(const QString& html) {
    QString out;
    out.reserve(html.size());
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html[i];
        if (c == QLatin1Char('<')) {
            const qsizetype end = html.indexOf(QLatin1Char('>'), i);
            if (end < 0) {
                out += c;
                continue;
            }
            const QString tag = html.mid(i + 1, end - i - 1).trimmed().toLower();
            if (tag == QLatin1String("br") || tag.startsWith(QLatin1String("br ")) ||
                tag.startsWith(QLatin1String("br/")))
                out += QLatin1Char('\n');
            i = end;
            continue;
        }
        if (c == QLatin1Char('&')) {
            const qsizetype end = html.indexOf(QLatin1Char(';'), i);
            if (end > i + 1 && end - i <= 10) {
                const QString entity = html.mid(i + 1, end - i - 1);
                static const std::array<std::pair<const char*, char>, 6> named = {{{"amp", '&'},
                                                                                   {"lt", '<'},
                                                                                   {"gt", '>'},
                                                                                   {"quot", '"'},
                                                                                   {"apos", '\''},
                                                                                   {"nbsp", ' '}}};
                std::optional<char32_t> found;
                for (const auto& [text, character] : named)
                    if (entity == QLatin1String(text))
                        found = static_cast<char32_t>(character);
                if (!found && entity.startsWith(QLatin1Char('#'))) {
                    bool number = false;
                    const bool hex = entity.size() > 1 && (entity[1] == QLatin1Char('x') ||
                                                           entity[1] == QLatin1Char('X'));
                    const uint code = entity.mid(hex ? 2 : 1).toUInt(&number, hex ? 16 : 10);
                    if (number && code > 0 && code <= 0x10FFFF)
                        found = code;
                }
                if (found) {
                    out += QString::fromUcs4(&*found, 1);
                    i = end;
                    continue;
                }
            }
        }
        out += c;
    }
    return out;
}

bool hasThaiScript(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x0E00 && c.unicode() <= 0x0E7F)
            return true;
    return false;
}

// A recording of the user's: a name that is not the synthetic voice's.
QString recording(const QString& name) {
    return name.startsWith(QLatin1String(kVoiceMediaPrefix)) ? QString() : name.trimmed();
}

// The Thai and the Italian recording of a sound field: "[sound:NAME]" is the Thai one, inside
// the span of class "italiano" the Italian one; a text without brackets names the Thai one.
void takeSounds(QString field, bool html, QString& thai, QString& italian) {
    static const QRegularExpression span(
        QStringLiteral("<span\\s+class=\"%1\">\\s*\\[sound:([^\\]]*)\\]\\s*</span>")
            .arg(QLatin1String(kItalianSoundClass)));
    static const QRegularExpression sound(QStringLiteral("\\[sound:([^\\]]*)\\]"));
    if (const QRegularExpressionMatch m = span.match(field); m.hasMatch()) {
        italian = recording(html ? fromHtml(m.captured(1)) : m.captured(1));
        field.remove(m.capturedStart(), m.capturedLength());
    }
    bool bracketed = false;
    for (auto it = sound.globalMatch(field); it.hasNext();) {
        bracketed = true;
        const QString captured = it.next().captured(1);
        const QString name = recording(html ? fromHtml(captured) : captured);
        if (thai.isEmpty())
            thai = name;
    }
    if (!bracketed && thai.isEmpty())
        thai = (html ? fromHtml(field) : field).trimmed();
}

// The entry panel's seven texts of a row, by what its columns hold.
vocaboro::EntryTexts entryOf(const Values& v, bool html) {
    vocaboro::EntryTexts texts;
    const auto text = [&](Role role) {
        return v[role] ? (html ? fromHtml(*v[role]) : *v[role]).trimmed() : QString();
    };
    QString& italian = texts[0];
    QString& attribute = texts[1];
    QString& thai = texts[2];
    QString& pronunciation = texts[3];
    QString& note = texts[4];
    QString& thaiSound = texts[5];
    QString& italianSound = texts[6];
    italian = text(Italian);
    attribute = text(Attribute);
    thai = text(Thai);
    pronunciation = text(Pronunciation);
    note = text(Note);
    if (v[Sound])
        takeSounds(*v[Sound], html, thaiSound, italianSound);
    static const QRegularExpression endSound(QStringLiteral("\\s*\\[sound:([^\\]]*)\\]\\s*$"));
    if (v[Front]) {
        QString front = *v[Front];
        if (const QRegularExpressionMatch m = endSound.match(front); m.hasMatch()) {
            italianSound = recording(html ? fromHtml(m.captured(1)) : m.captured(1));
            front.truncate(m.capturedStart());
        }
        italian = (html ? fromHtml(front) : front).trimmed();
    }
    if (v[Back]) {
        // The pronunciation; the Thai script when there is some; the attribute when the tags
        // say there is one; the note; the Thai recording.
        QStringList lines;
        for (const QString& line : (html ? fromHtml(*v[Back]) : *v[Back]).split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty())
                lines << line.trimmed();
        if (!lines.isEmpty())
            if (const QRegularExpressionMatch m = endSound.match(lines.back());
                m.hasMatch() && m.capturedStart() == 0) {
                thaiSound = recording(m.captured(1));
                lines.removeLast();
            }
        if (!lines.isEmpty())
            pronunciation = lines.takeFirst();
        if (!lines.isEmpty() && hasThaiScript(lines.front()))
            thai = lines.takeFirst();
        if (!lines.isEmpty() && v[Tags] && !v[Tags]->trimmed().isEmpty())
            attribute = lines.takeFirst();
        if (!lines.isEmpty())
            note = lines.join(QLatin1Char('\n'));
    }
    return texts;
}

// --- the dictionary's entries

// Keys of the forward records (their head word, pronunciation and Thai script, or all their
// fields), as 64-bit hashes in one open-addressed array: 16 bytes or less per entry of the
// dictionary (as it is after the import), whatever the size of the file imported. Two
// different entries with the same hash would count the second as there already; at 64 bits
// that takes billions of entries.
class EntryKeys {
public:
    static std::uint64_t keyOf(std::initializer_list<std::string_view> parts) {
        std::uint64_t hash = 0xcbf29ce484222325ull;
        for (const std::string_view part : parts) {
            for (const char c : part) {
                hash ^= static_cast<unsigned char>(c);
                hash *= 0x100000001b3ull;
            }
            hash ^= 0x1f; // between the fields: "ab","c" is not "a","bc"
            hash *= 0x100000001b3ull;
        }
        return hash | 1; // never 0, the free slot's mark
    }
    bool contains(std::uint64_t key) const {
        if (slots_.empty())
            return false;
        for (std::size_t i = index(key);; i = (i + 1) & (slots_.size() - 1)) {
            if (slots_[i] == key)
                return true;
            if (slots_[i] == 0)
                return false;
        }
    }
    // Whether the key is new; it is there afterwards.
    bool insert(std::uint64_t key) {
        if (used_ * 2 >= slots_.size())
            grow();
        for (std::size_t i = index(key);; i = (i + 1) & (slots_.size() - 1)) {
            if (slots_[i] == key)
                return false;
            if (slots_[i] == 0) {
                slots_[i] = key;
                ++used_;
                return true;
            }
        }
    }

private:
    std::size_t index(std::uint64_t key) const {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 20) & (slots_.size() - 1);
    }
    void grow() {
        std::vector<std::uint64_t> old(slots_.empty() ? 1024 : slots_.size() * 2, 0);
        old.swap(slots_);
        for (const std::uint64_t key : old)
            if (key != 0) {
                std::size_t i = index(key);
                while (slots_[i] != 0)
                    i = (i + 1) & (slots_.size() - 1);
                slots_[i] = key;
            }
    }
    std::vector<std::uint64_t> slots_;
    std::size_t used_ = 0;
};

// Takes the rows, checks them, counts them and writes them in batches.
class Importer {
public:
    Importer(const fs::path& folder, const vocaboro::TypedPath& typed, const ImportOptions& options,
             const RefusedRow& refused, const datafiles::FileAccess& access, ImportReport& report)
        : folder_(folder), typed_(typed), options_(options), refused_(refused), access_(access),
          report_(report) {}

    // Reads the keys of the forward files; false, with the report's error, when one of them
    // cannot be read.
    bool readDictionary() {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const fs::path path =
                folder_ / datafiles::dataFileName(datafiles::Direction::Forward, letter);
            datafiles::RecordStream stream(access_);
            int error = stream.open(path);
            if (error == ENOENT)
                continue;
            datafiles::RecordView record;
            while (error == 0 && !stream.atEnd()) {
                const datafiles::ReadStatus status = stream.next(record);
                error = stream.error();
                if (status == datafiles::ReadStatus::Record && !record.isCrossReference())
                    remember(record.headword(), record.counterpart(), record.attribute(),
                             record.note(), record.thai(), record.fields[5], record.fields[6]);
                else if (status == datafiles::ReadStatus::Truncated)
                    break;
            }
            if (error != 0) {
                report_.error = ImportText::tr("The data file \"%1\" could not be read: %2. "
                                               "Nothing was imported.")
                                    .arg(typed_(path), platform::errorText(error));
                return false;
            }
        }
        return true;
    }

    void refuse(std::size_t line, const QString& message) {
        ++report_.refused;
        if (refused_)
            refused_(line, message);
    }

    // Checks a row and queues it; false when a batch could not be written.
    bool take(std::size_t line, const vocaboro::EntryTexts& texts) {
        const vocaboro::CheckResult check = vocaboro::checkEntry(texts);
        if (!check.passed()) {
            refuse(line, check.failure);
            return true;
        }
        const datafiles::DictionaryRecord& r = check.record;
        // Already there: the same entry, field for field, in the dictionary or earlier in the
        // file; or a row that gives no more than the head word, pronunciation and Thai script
        // of an entry the dictionary held before the import (whatever its other fields). The
        // same word with another attribute or note is another entry, as the dictionary's own
        // files have them; and a file's rows are all kept, so that a dictionary exported and
        // imported into an empty folder comes back whole.
        const bool bare = r.attribute == datafiles::kNoAttribute && r.note == datafiles::kNoNote &&
                          r.thaiSound == datafiles::kNoSound &&
                          r.italianSound == datafiles::kNoSound;
        if (entries_.contains(entryKey(r.headword, r.counterpart, r.attribute, r.note, r.thai,
                                       r.thaiSound, r.italianSound)) ||
            (bare && words_.contains(EntryKeys::keyOf({r.headword, r.counterpart, r.thai})))) {
            ++report_.already;
            return true;
        }
        entries_.insert(entryKey(r.headword, r.counterpart, r.attribute, r.note, r.thai,
                                 r.thaiSound, r.italianSound));
        for (const std::string* sound : {&r.thaiSound, &r.italianSound}) {
            std::string_view name;
            if (datafiles::soundField(*sound, &name) == datafiles::SoundField::Name)
                sounds_.insert(std::string(name));
        }
        datafiles::BatchEntry& entry = batch_.emplace_back();
        entry.forwardName = check.forwardFile.toStdString();
        entry.forwardLine = datafiles::formatRecordLine(r);
        entry.reverseName = check.reverseFile.toStdString();
        entry.reverseLine = datafiles::formatRecordLine(datafiles::reverseOf(r));
        batchBytes_ += entry.forwardLine.size() + entry.reverseLine.size();
        if (batch_.size() >= kBatchRows || batchBytes_ >= kBatchBytes)
            return flush();
        return true;
    }

    // Writes the rows queued; false, with the report's error, when they could not be.
    bool flush() {
        if (batch_.empty())
            return true;
        if (!options_.dryRun) {
            const datafiles::BatchWriteResult result =
                datafiles::appendEntries(folder_, batch_, access_);
            if (firstBatch_)
                report_.recovered = result.recovered;
            firstBatch_ = false;
            if (!result.ok()) {
                report_.error = vocaboro::batchFailureText(result, typed_, options_.program);
                if (report_.added > 0)
                    report_.error +=
                        ImportText::tr(" The %n entries added before it are stored; the rows after "
                                       "them were not imported: import the file again once this "
                                       "is mended (what is there already is skipped).",
                                       nullptr, static_cast<int>(report_.added));
                batch_.clear();
                return false;
            }
        }
        report_.added += batch_.size();
        batch_.clear();
        batchBytes_ = 0;
        return true;
    }

private:
    const fs::path folder_;
    const vocaboro::TypedPath& typed_;
    const ImportOptions& options_;
    const RefusedRow& refused_;
    const datafiles::FileAccess& access_;
    ImportReport& report_;
    static std::uint64_t entryKey(std::string_view headword, std::string_view counterpart,
                                  std::string_view attribute, std::string_view note,
                                  std::string_view thai, std::string_view thaiSound,
                                  std::string_view italianSound) {
        return EntryKeys::keyOf(
            {headword, counterpart, attribute, note, thai, thaiSound, italianSound});
    }
    void remember(std::string_view headword, std::string_view counterpart,
                  std::string_view attribute, std::string_view note, std::string_view thai,
                  std::string_view thaiSound, std::string_view italianSound) {
        words_.insert(EntryKeys::keyOf({headword, counterpart, thai}));
        entries_.insert(
            entryKey(headword, counterpart, attribute, note, thai, thaiSound, italianSound));
    }

public:
    // The recordings that the entries added name.
    const std::set<std::string>& sounds() const { return sounds_; }

private:
    std::set<std::string> sounds_;
    EntryKeys words_;   // head word, pronunciation and Thai script, of the dictionary before
    EntryKeys entries_; // every field, of the dictionary and of the rows added
    std::vector<datafiles::BatchEntry> batch_;
    std::size_t batchBytes_ = 0;
    bool firstBatch_ = true;
};

// --- the formats

QString fieldCountText(std::size_t found, std::size_t expected) {
    return ImportText::tr("the row has %1 fields where the header names %2")
        .arg(QString::number(found), QString::number(expected));
}

// Refuses a row that cannot be split into the columns; true when it can.
bool rowFits(Importer& importer, const Row& row, std::size_t columns) {
    if (row.tooLong)
        importer.refuse(row.line, ImportText::tr("the row is longer than 1 MiB and was not read"));
    else if (row.unclosed)
        importer.refuse(row.line,
                        ImportText::tr("a field opened with a double quote is never closed"));
    else if (row.fields.size() != columns)
        importer.refuse(row.line, fieldCountText(row.fields.size(), columns));
    else
        return true;
    return false;
}

// Takes a row that fits its columns (their roles, in order); false when the import stops.
bool takeRow(Importer& importer, const Row& row, const std::vector<int>& roles, bool html) {
    if (!rowFits(importer, row, roles.size()))
        return true;
    Values values;
    for (std::size_t i = 0; i < roles.size(); ++i)
        if (roles[i] < kRoles)
            values[static_cast<std::size_t>(roles[i])] = QString::fromUtf8(row.fields[i]);
    return importer.take(row.line, entryOf(values, html));
}

// Tells a file that could not be read to its end.
void tellUnread(const RowReader& reader, const QString& name, ImportReport& report) {
    if (reader.error() != 0)
        report.error = ImportText::tr("%1 could not be read to its end: %2")
                           .arg(name, platform::errorText(reader.error()));
}

// A CSV or TSV table with a header line.
void importTable(RowReader& reader, Importer& importer, const QString& name, ImportReport& report) {
    std::string header;
    std::size_t line = 0;
    while (reader.rawLine(header, line) && header.empty()) {
    }
    if (header.empty()) {
        report.error =
            ImportText::tr("%1 holds no header line naming its columns. Nothing was imported.")
                .arg(name);
        return;
    }
    const char separator =
        header.find('\t') != std::string::npos                                           ? '\t'
        : header.find(';') != std::string::npos && header.find(',') == std::string::npos ? ';'
                                                                                         : ',';
    const std::vector<std::string> names = splitLine(header, separator);
    std::vector<int> roles;
    bool seen[kRoles] = {};
    for (const std::string& column : names) {
        const QString columnName = QString::fromUtf8(column).trimmed();
        const int role = roleOf(columnName, false);
        if (role == Unread || seen[role]) {
            report.notes
                << ImportText::tr("%1: the column \"%2\" is not read.").arg(name, columnName);
            roles.push_back(Unread);
            continue;
        }
        seen[role] = true;
        roles.push_back(role);
    }
    QStringList missing;
    if (!seen[Italian])
        missing << QStringLiteral("italiano");
    if (!seen[Pronunciation])
        missing << QStringLiteral("pronuncia");
    if (!missing.isEmpty()) {
        report.error =
            ImportText::tr("%1 has no column %2 (its header holds: %3). Nothing was "
                           "imported.")
                .arg(name, missing.join(QStringLiteral(", ")), QString::fromUtf8(header));
        return;
    }
    Row row;
    while (reader.next(separator, row)) {
        if (!row.tooLong && !row.unclosed && row.blank())
            continue;
        if (!takeRow(importer, row, roles, false))
            return;
    }
    tellUnread(reader, name, report);
}

// The fields of the note types the import knows, in their order.
std::optional<std::vector<QString>> fieldsOfNoteType(const QString& noteType) {
    if (noteType == QLatin1String(kPackageNoteType)) {
        std::vector<QString> names;
        for (const char* field : kPackageFields)
            names.push_back(QLatin1String(field));
        return names;
    }
    if (noteType == QLatin1String(kAnkiNoteType) || noteType == QLatin1String("Basic"))
        return std::vector<QString>{QStringLiteral("Front"), QStringLiteral("Back")};
    return std::nullopt;
}

char separatorNamed(const QString& value) {
    static const std::array<std::pair<const char*, char>, 6> names = {{{"tab", '\t'},
                                                                       {"comma", ','},
                                                                       {"semicolon", ';'},
                                                                       {"space", ' '},
                                                                       {"pipe", '|'},
                                                                       {"colon", ':'}}};
    for (const auto& [text, c] : names)
        if (value.compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
            return c;
    return value.size() == 1 && value[0].unicode() < 0x80 ? static_cast<char>(value[0].unicode())
                                                          : '\0';
}

// Anki's text export, with its "#" header lines.
void importAnkiText(RowReader& reader, Importer& importer, const QString& name,
                    ImportReport& report) {
    char separator = '\t';
    bool html = false;
    QString noteType;
    std::optional<std::string> columnsLine;
    std::size_t noteTypeColumn = 0, tagsColumn = 0;
    std::vector<std::size_t> setAside; // 1-based
    std::string line;
    std::size_t lineNumber = 0;
    while (reader.peek() == '#' && reader.rawLine(line, lineNumber)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        const QString key = QString::fromUtf8(line.substr(1, colon - 1)).trimmed().toLower();
        const QString value = QString::fromUtf8(line.substr(colon + 1));
        const std::size_t column = value.trimmed().toUInt();
        if (key == QLatin1String("separator")) {
            separator = separatorNamed(value);
            if (separator == '\0') {
                report.error = ImportText::tr("%1: the separator \"%2\" is not one the import "
                                              "reads. Nothing was imported.")
                                   .arg(name, value);
                return;
            }
        } else if (key == QLatin1String("html")) {
            html = value.trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
        } else if (key == QLatin1String("columns")) {
            columnsLine = line.substr(colon + 1);
        } else if (key == QLatin1String("notetype")) {
            noteType = value.trimmed();
        } else if (key == QLatin1String("notetype column")) {
            noteTypeColumn = column;
            setAside.push_back(column);
        } else if (key == QLatin1String("tags column")) {
            tagsColumn = column;
            setAside.push_back(column);
        } else if (key == QLatin1String("deck column") || key == QLatin1String("guid column")) {
            setAside.push_back(column);
        }
    }
    const auto isSetAside = [&](std::size_t index) { // 0-based
        for (const std::size_t c : setAside)
            if (c == index + 1)
                return true;
        return false;
    };
    // The roles of the columns by their names; the note type's fields take the columns that
    // are not set aside, in order.
    const auto rolesOf = [&](const std::vector<QString>& names, std::size_t columns) {
        std::vector<int> roles;
        std::size_t next = 0;
        for (std::size_t i = 0; i < columns; ++i) {
            if (i + 1 == tagsColumn)
                roles.push_back(Tags);
            else if (isSetAside(i))
                roles.push_back(SetAside);
            else
                roles.push_back(next < names.size() ? roleOf(names[next++], true) : Unread);
        }
        return roles;
    };
    std::vector<int> fixedRoles;
    if (columnsLine) {
        std::vector<QString> names;
        for (const std::string& n : splitLine(*columnsLine, separator))
            names.push_back(QString::fromUtf8(n).trimmed());
        fixedRoles.resize(names.size(), Unread);
        bool seen[kRoles] = {};
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (i + 1 == tagsColumn) {
                fixedRoles[i] = Tags;
                continue;
            }
            if (isSetAside(i)) {
                fixedRoles[i] = SetAside;
                continue;
            }
            const int role = roleOf(names[i], true);
            if (role == Unread || seen[role])
                report.notes
                    << ImportText::tr("%1: the column \"%2\" is not read.").arg(name, names[i]);
            else
                seen[role] = true, fixedRoles[i] = role;
        }
        if (!seen[Front] && (!seen[Italian] || !seen[Pronunciation])) {
            report.error =
                ImportText::tr("%1 has neither the columns Italiano and Pronuncia nor "
                               "Front and Back (its columns: %2). Nothing was imported.")
                    .arg(name, QString::fromUtf8(*columnsLine)
                                   .replace(QLatin1Char(separator), QStringLiteral(", ")));
            return;
        }
    } else if (noteTypeColumn == 0 && !fieldsOfNoteType(noteType)) {
        report.error = ImportText::tr("%1 names neither its columns (#columns:) nor a note type "
                                      "the import knows (#notetype: \"%2\"). Nothing was "
                                      "imported.")
                           .arg(name, noteType);
        return;
    }
    Row row;
    while (true) {
        if (reader.peek() == '#') { // a comment line
            reader.rawLine(line, lineNumber);
            continue;
        }
        if (!reader.next(separator, row))
            break;
        if (!row.tooLong && !row.unclosed && row.blank())
            continue;
        std::vector<int> roles = fixedRoles;
        if (!columnsLine) {
            QString type = noteType;
            if (noteTypeColumn > 0 && noteTypeColumn <= row.fields.size())
                type = QString::fromUtf8(row.fields[noteTypeColumn - 1]);
            const std::optional<std::vector<QString>> fields = fieldsOfNoteType(type);
            if (!fields) {
                importer.refuse(row.line, ImportText::tr("a note of the note type \"%1\", which "
                                                         "the import does not read")
                                              .arg(type));
                continue;
            }
            roles = rolesOf(*fields, std::max(row.fields.size(), std::size_t(1)));
            if (!row.tooLong && !row.unclosed &&
                row.fields.size() != setAside.size() + fields->size()) {
                importer.refuse(
                    row.line, fieldCountText(row.fields.size(), setAside.size() + fields->size()));
                continue;
            }
        }
        if (!takeRow(importer, row, roles, html))
            return;
    }
    tellUnread(reader, name, report);
}

// An Anki package of the kit's note type.
void importPackage(const fs::path& source, Importer& importer, const QString& name,
                   ImportReport& report) {
    std::size_t number = 0;
    bool stopped = false;
    const std::string problem = readAnkiPackage(source, [&](const PackageNote& note) {
        ++number;
        if (note.noteType != kPackageNoteType) {
            importer.refuse(number, ImportText::tr("a note of the note type \"%1\", which the "
                                                   "import does not read")
                                        .arg(QString::fromStdString(note.noteType)));
            return true;
        }
        Values values;
        for (std::size_t i = 0; i < note.names.size() && i < note.values.size(); ++i) {
            const int role = roleOf(QString::fromStdString(note.names[i]), false);
            if (role < kRoles)
                values[static_cast<std::size_t>(role)] = QString::fromStdString(note.values[i]);
        }
        stopped = !importer.take(number, entryOf(values, true));
        return !stopped;
    });
    if (!problem.empty() && !stopped)
        report.error = ImportText::tr("%1 cannot be read as an Anki package: %2")
                           .arg(name, QString::fromStdString(problem));
}

// The recordings a package brings for the entries added, copied into the data folder where
// it has no file of that name: each a WAVE file, written through a temporary file and linked
// into place, never over a file (a name taken meanwhile keeps its file).
void copyRecordings(const fs::path& source, const fs::path& folder,
                    const std::set<std::string>& names, const vocaboro::TypedPath& typed,
                    ImportReport& report) {
    std::size_t copied = 0;
    auto failed = [&](const std::string& name, const QString& why) {
        report.notes << ImportText::tr("The recording %1 was not copied into the folder: %2.")
                            .arg(typed(folder / name), why);
    };
    const std::string problem = readPackageMedia(
        source,
        [&](const std::string& name) {
            struct stat info {};
            return names.contains(name) && ::lstat((folder / name).c_str(), &info) != 0 &&
                   errno == ENOENT;
        },
        [&](const std::string& name, const std::string& bytes, const std::string& why) {
            if (!why.empty())
                return failed(name, QString::fromStdString(why));
            if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 ||
                bytes.compare(8, 4, "WAVE") != 0)
                return failed(name, ImportText::tr("it is not a WAVE file"));
            if (const int error = saveRecording(folder, name, QByteArray::fromStdString(bytes)))
                return failed(name, platform::errorText(error));
            ++copied;
        });
    if (!problem.empty())
        report.notes << QString::fromStdString(problem);
    if (copied > 0)
        report.notes << ImportText::tr("%n recording(s) of the package copied into the folder.",
                                       nullptr, static_cast<int>(copied));
}

bool isPackage(const fs::path& source, Source& file) {
    std::string ext = source.extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    char start[4] = {};
    const ssize_t n = file.read(start, sizeof start);
    file.rewind();
    return ext == ".apkg" ||
           (n == 4 && std::string_view(start, 4) == std::string_view("PK\3\4", 4));
}

} // namespace

ImportReport importWords(const fs::path& source, const fs::path& folder,
                         const vocaboro::TypedPath& typed, const ImportOptions& options,
                         const RefusedRow& refused, const datafiles::FileAccess& access) {
    ImportReport report;
    const QString name = pathText(source);
    Source file;
    if (const int error = file.open(source); error != 0) {
        report.error =
            error == EISDIR
                ? ImportText::tr("%1 is a folder, not a file. Nothing was imported.").arg(name)
            : error == datafiles::kErrorNotRegularFile
                ? ImportText::tr("%1 is not an ordinary file (a pipe, a device or a socket). "
                                 "Nothing was imported.")
                      .arg(name)
                : ImportText::tr("%1 cannot be read: %2. Nothing was imported.")
                      .arg(name, platform::errorText(error));
        return report;
    }
    const bool package = isPackage(source, file);
    std::size_t bomBytes = 0;
    if (!package) {
        // The whole file is checked before anything is written.
        report.error = checkText(file, name, bomBytes);
        if (!report.error.isEmpty())
            return report;
    }
    Importer importer(folder, typed, options, refused, access, report);
    if (!importer.readDictionary())
        return report;
    if (package) {
        report.notes << ImportText::tr("%1: read as an Anki package.").arg(name);
        importPackage(source, importer, name, report);
    } else {
        RowReader reader(file, bomBytes);
        if (reader.peek() == '#') {
            report.notes << ImportText::tr("%1: read as Anki's text export.").arg(name);
            importAnkiText(reader, importer, name, report);
        } else {
            importTable(reader, importer, name, report);
        }
    }
    if (report.error.isEmpty())
        importer.flush();
    if (package && report.error.isEmpty() && !options.dryRun && !importer.sounds().empty())
        copyRecordings(source, folder, importer.sounds(), typed, report);
    return report;
}

QString importSummary(const ImportReport& report) {
    return QCoreApplication::translate("ripasso::ImportText",
                                       "%1 added, %2 already there, %3 refused")
        .arg(report.added)
        .arg(report.already)
        .arg(report.refused);
}

} // namespace ripasso

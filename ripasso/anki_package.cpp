#include "anki_package.h"

#include "export_files.h"
#include "links.h"
#include "progress_store.h"

#include "datafiles/dictionary_record.h"
#include "datafiles/sound_files.h"
#include "platform/espeak_voice.h"
#include "platform/wav.h"
#include "thaiscript/phonemes.h"
#include "thaitext/codec.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sqlite3.h>
#include <zip.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>

namespace fs = std::filesystem;

namespace ripasso {

namespace {

using namespace exporting;

// The note type's id: fixed, so that a later package updates the notes of an earlier one
// instead of bringing a second note type.
constexpr std::int64_t kNoteTypeId = 1718300000517;
// Anki's deck "Default" and its options, present in every collection.
constexpr std::int64_t kDefaultDeckId = 1;
constexpr std::int64_t kOptionsId = 1;
// The legacy collection's version: every Anki since 2.1 reads it.
constexpr int kCollectionVersion = 11;
// The largest collection read from a package.
constexpr zip_uint64_t kLargestCollection = zip_uint64_t(1) << 30;

// The tables and indexes of the legacy collection.
constexpr char kSchema[] = R"sql(
CREATE TABLE col (id integer PRIMARY KEY, crt integer NOT NULL, mod integer NOT NULL,
  scm integer NOT NULL, ver integer NOT NULL, dty integer NOT NULL, usn integer NOT NULL,
  ls integer NOT NULL, conf text NOT NULL, models text NOT NULL, decks text NOT NULL,
  dconf text NOT NULL, tags text NOT NULL);
CREATE TABLE notes (id integer PRIMARY KEY, guid text NOT NULL, mid integer NOT NULL,
  mod integer NOT NULL, usn integer NOT NULL, tags text NOT NULL, flds text NOT NULL,
  sfld integer NOT NULL, csum integer NOT NULL, flags integer NOT NULL, data text NOT NULL);
CREATE TABLE cards (id integer PRIMARY KEY, nid integer NOT NULL, did integer NOT NULL,
  ord integer NOT NULL, mod integer NOT NULL, usn integer NOT NULL, type integer NOT NULL,
  queue integer NOT NULL, due integer NOT NULL, ivl integer NOT NULL, factor integer NOT NULL,
  reps integer NOT NULL, lapses integer NOT NULL, left integer NOT NULL, odue integer NOT NULL,
  odid integer NOT NULL, flags integer NOT NULL, data text NOT NULL);
CREATE TABLE revlog (id integer PRIMARY KEY, cid integer NOT NULL, usn integer NOT NULL,
  ease integer NOT NULL, ivl integer NOT NULL, lastIvl integer NOT NULL, factor integer NOT NULL,
  time integer NOT NULL, type integer NOT NULL);
CREATE TABLE graves (usn integer NOT NULL, oid integer NOT NULL, type integer NOT NULL);
CREATE INDEX ix_notes_usn ON notes (usn);
CREATE INDEX ix_cards_usn ON cards (usn);
CREATE INDEX ix_revlog_usn ON revlog (usn);
CREATE INDEX ix_cards_nid ON cards (nid);
CREATE INDEX ix_cards_sched ON cards (did, queue, due);
CREATE INDEX ix_revlog_cid ON revlog (cid);
CREATE INDEX ix_notes_csum ON notes (csum);
)sql";

constexpr char kCss[] = R"css(.card {
  font-family: "Noto Sans", "DejaVu Sans", sans-serif;
  font-size: 22px;
  text-align: center;
  color: black;
  background-color: white;
}
.thai { font-family: "Noto Sans Thai", "Loma", "Tlwg Typo", sans-serif; font-size: 48px; }
.italiano { font-size: 32px; }
.pronuncia { font-style: italic; }
.attributo, .note { font-size: 18px; color: #555; }
)css";

// The two cards of a note: Italian to Thai, and Thai to Italian.
struct Template {
    const char* name;
    const char* front;
    const char* back;
};
constexpr Template kTemplates[] = {
    {"Italiano \u2192 Thai", "<div class=\"italiano\">{{Italiano}}</div>",
     "{{FrontSide}}\n<hr id=answer>\n<div class=\"thai\">{{Thai}}</div>\n"
     "<div class=\"pronuncia\">{{Pronuncia}}</div>\n"
     "<div class=\"attributo\">{{Attributo}}</div>\n<div class=\"note\">{{Note}}</div>\n"
     "{{Suono}}"},
    // The sound only on the back: Suono may hold the Italian word's recording too, which would
    // give the answer away on this card's front.
    {"Thai \u2192 Italiano", "<div class=\"thai\">{{Thai}}</div>",
     "{{FrontSide}}\n<hr id=answer>\n<div class=\"italiano\">{{Italiano}}</div>\n"
     "<div class=\"pronuncia\">{{Pronuncia}}</div>\n"
     "<div class=\"attributo\">{{Attributo}}</div>\n<div class=\"note\">{{Note}}</div>\n"
     "{{Suono}}"},
};

QString utf8(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The first `digits` hex digits of the SHA-1 of `bytes`.
QByteArray sha1Hex(std::string_view bytes, int digits) {
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), qsizetype(bytes.size())),
                                    QCryptographicHash::Sha1)
        .toHex()
        .left(digits);
}

// A deck's id from its name: the same deck on every export.
std::int64_t deckId(const std::string& name) {
    const std::int64_t hash = sha1Hex(name, 8).toLongLong(nullptr, 16);
    return (std::int64_t(1) << 30) + hash % (std::int64_t(1) << 30);
}

QJsonObject noteTypeJson(std::int64_t deck, std::int64_t now) {
    QJsonArray fields;
    for (std::size_t i = 0; i < kPackageFields.size(); ++i)
        fields.append(QJsonObject{{"name", kPackageFields[i]},
                                  {"ord", int(i)},
                                  {"sticky", false},
                                  {"rtl", false},
                                  {"font", i == 2 ? "Noto Sans Thai" : "Arial"},
                                  {"size", i == 2 ? 28 : 20},
                                  {"media", QJsonArray()}});
    QJsonArray templates;
    for (int i = 0; i < 2; ++i)
        templates.append(QJsonObject{{"name", QString::fromUtf8(kTemplates[i].name)},
                                     {"ord", i},
                                     {"qfmt", kTemplates[i].front},
                                     {"afmt", kTemplates[i].back},
                                     {"did", QJsonValue::Null},
                                     {"bqfmt", ""},
                                     {"bafmt", ""}});
    // Which fields make a card: Italiano for the first, Thai for the second.
    const QJsonArray required{QJsonArray{0, "any", QJsonArray{0}},
                              QJsonArray{1, "any", QJsonArray{2}}};
    return QJsonObject{{"id", QString::number(kNoteTypeId)},
                       {"name", kPackageNoteType},
                       {"type", 0},
                       {"mod", qint64(now / 1000)},
                       {"usn", -1},
                       {"sortf", 0},
                       {"did", qint64(deck)},
                       {"tmpls", templates},
                       {"flds", fields},
                       {"css", kCss},
                       {"latexPre",
                        "\\documentclass[12pt]{article}\n\\special{papersize=3in,5in}\n"
                        "\\usepackage[utf8]{inputenc}\n\\usepackage{amssymb,amsmath}\n"
                        "\\pagestyle{empty}\n\\setlength{\\parindent}{0in}\n\\begin{document}\n"},
                       {"latexPost", "\\end{document}"},
                       {"req", required},
                       {"tags", QJsonArray()},
                       {"vers", QJsonArray()}};
}

QJsonObject deckJson(std::int64_t id, const QString& name, std::int64_t now) {
    return QJsonObject{{"id", qint64(id)},
                       {"name", name},
                       {"desc", ""},
                       {"dyn", 0},
                       {"conf", qint64(kOptionsId)},
                       {"collapsed", false},
                       {"browserCollapsed", false},
                       {"extendNew", 10},
                       {"extendRev", 50},
                       {"usn", -1},
                       {"mod", qint64(now / 1000)},
                       {"newToday", QJsonArray{0, 0}},
                       {"revToday", QJsonArray{0, 0}},
                       {"lrnToday", QJsonArray{0, 0}},
                       {"timeToday", QJsonArray{0, 0}}};
}

QJsonObject optionsJson() {
    return QJsonObject{{"id", qint64(kOptionsId)},
                       {"name", "Default"},
                       {"mod", 0},
                       {"usn", 0},
                       {"maxTaken", 60},
                       {"autoplay", true},
                       {"timer", 0},
                       {"replayq", true},
                       {"dyn", false},
                       {"new", QJsonObject{{"bury", false},
                                           {"delays", QJsonArray{1, 10}},
                                           {"initialFactor", 2500},
                                           {"ints", QJsonArray{1, 4, 0}},
                                           {"order", 1},
                                           {"perDay", 20}}},
                       {"lapse", QJsonObject{{"delays", QJsonArray{10}},
                                             {"leechAction", 1},
                                             {"leechFails", 8},
                                             {"minInt", 1},
                                             {"mult", 0}}},
                       {"rev", QJsonObject{{"bury", false},
                                           {"ease4", 1.3},
                                           {"ivlFct", 1},
                                           {"maxIvl", 36500},
                                           {"perDay", 200},
                                           {"hardFactor", 1.2}}}};
}

std::string compact(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

// A field's text as Anki compares notes by it: the HTML's tags left out, its entities read.
// The Italian word has no tags but the <br> of its line ends.
std::string plainText(std::string_view latin) {
    QString text = QString::fromStdU16String(thaitext::decodeCp1252(latin));
    text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    return text.toStdString();
}

// An SQLite database, closed at the end of its scope.
struct Database {
    sqlite3* db = nullptr;
    ~Database() { sqlite3_close(db); }
    std::string error() const { return db ? sqlite3_errmsg(db) : "out of memory"; }
};

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

// One file of the package's media: a recording of the data folder, or the voice's rendering.
struct Media {
    std::string name; // UTF-8
    fs::path path;    // a recording
    std::string wav;  // the voice's
};

// The package as it is made: the collection's statements, the media found so far.
class PackageMaker {
public:
    PackageMaker(const PathOf& pathOf, const PackageOptions& options, PackageResult& result)
        : pathOf_(pathOf), options_(options), result_(result) {}

    std::string open(const std::vector<StoredCard>& answered, int today);
    bool add(const datafiles::RecordView& r, int occurrence);
    std::string finish();
    // The archive's bytes, given a piece at a time.
    std::string writeZip(int fd, const fs::path& target);

private:
    std::string recording(const datafiles::RecordView& r, std::string_view field);
    std::string voice(std::string_view thai);
    bool bind(sqlite3_stmt* stmt, const std::vector<std::int64_t>& numbers,
              const std::vector<std::string>& texts);

    const PathOf& pathOf_;
    const PackageOptions& options_;
    PackageResult& result_;
    Database db_;
    Statement note_, card_;
    std::int64_t now_ = 0;  // milliseconds since 1970
    std::int64_t deck_ = 0; // the deck's id
    int crtDay_ = 0;        // the collection's day of creation, as Ripasso counts days
    std::int64_t position_ = 0;
    std::unordered_map<std::string, CardState> progress_; // by head word, pronunciation, direction
    std::map<std::string, std::string> recordings_;       // field bytes -> media name, or ""
    std::map<std::string, std::string> voices_;           // Thai bytes -> media name, or ""
    std::vector<Media> media_;
    std::string sqlError_;
};

std::string progressKey(std::string_view headword, std::string_view pronunciation, int direction) {
    std::string key(headword);
    key += '\x1f';
    key += pronunciation;
    key += '\x1f';
    key += char('0' + direction);
    return key;
}

std::string PackageMaker::open(const std::vector<StoredCard>& answered, int today) {
    now_ = QDateTime::currentMSecsSinceEpoch();
    deck_ = deckId(options_.deck);
    crtDay_ = today;
    for (const StoredCard& card : answered) {
        progress_[progressKey(card.key.headword, card.key.pronunciation,
                              static_cast<int>(card.key.direction))] = card.state;
        crtDay_ = std::min(crtDay_, card.state.firstDay);
    }
    if (sqlite3_open(":memory:", &db_.db) != SQLITE_OK ||
        sqlite3_exec(db_.db, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_exec(db_.db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db_.db, "INSERT INTO notes VALUES (?,?,?,?,-1,?,?,?,?,0,'')", -1,
                           &note_.stmt, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db_.db,
                           "INSERT INTO cards VALUES (?,?,?,?,?,-1,?,?,?,?,?,?,?,0,0,0,0,'')", -1,
                           &card_.stmt, nullptr) != SQLITE_OK)
        return db_.error();
    return {};
}

bool PackageMaker::bind(sqlite3_stmt* stmt, const std::vector<std::int64_t>& numbers,
                        const std::vector<std::string>& texts) {
    sqlite3_reset(stmt);
    int column = 1;
    for (const std::int64_t n : numbers)
        sqlite3_bind_int64(stmt, column++, n);
    for (const std::string& t : texts)
        sqlite3_bind_text(stmt, column++, t.data(), int(t.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(stmt) == SQLITE_DONE)
        return true;
    sqlError_ = db_.error();
    return false;
}

// The media name of the recording a sound field names, taking it among the media the first
// time; empty, with the reason in the problems, when it names none that can be brought.
std::string PackageMaker::recording(const datafiles::RecordView& r, std::string_view field) {
    std::string_view name;
    const datafiles::SoundField kind = datafiles::soundField(field, &name);
    if (kind == datafiles::SoundField::None)
        return {};
    const auto [known, isNew] = recordings_.try_emplace(std::string(field));
    if (!isNew)
        return known->second;
    const QString word = QString::fromStdU16String(thaitext::decodeCp1252(r.headword()));
    const QString file = QString::fromStdU16String(thaitext::decodeCp1252(field));
    if (kind == datafiles::SoundField::Refused) {
        result_.problems.push_back(
            say(QCoreApplication::translate(
                    "ripasso::PackageText",
                    "The recording \"%1\" of %2 is not a plain file name: it was left out."),
                file, word));
        return {};
    }
    const fs::path path = pathOf_(std::string(name));
    QString why;
    switch (datafiles::checkSoundFile(path)) {
    case datafiles::SoundFileCheck::Good:
        known->second = file.toStdString();
        media_.push_back({known->second, path, {}});
        return known->second;
    case datafiles::SoundFileCheck::Missing:
        why = QCoreApplication::translate("ripasso::PackageText", "there is no such file");
        break;
    case datafiles::SoundFileCheck::Unreadable:
        why = QCoreApplication::translate("ripasso::PackageText", "it cannot be read");
        break;
    case datafiles::SoundFileCheck::NotRegular:
        why = QCoreApplication::translate("ripasso::PackageText", "it is not an ordinary file");
        break;
    case datafiles::SoundFileCheck::TooLarge:
        why = QCoreApplication::translate("ripasso::PackageText", "it is larger than 16 MiB");
        break;
    case datafiles::SoundFileCheck::NotWave:
        why = QCoreApplication::translate("ripasso::PackageText", "it is not a WAVE file");
        break;
    }
    result_.problems.push_back(
        say(QCoreApplication::translate("ripasso::PackageText",
                                        "The recording %1 of %2 was left out: %3."),
            pathText(path), word, why));
    return {};
}

// The media name of the voice's rendering of a word, rendered the first time; empty, with the
// reason in the problems, when the voice cannot say it.
std::string PackageMaker::voice(std::string_view thai) {
    const auto [known, isNew] = voices_.try_emplace(std::string(thai));
    if (!isNew)
        return known->second;
    const QString word = QString::fromStdU16String(thaitext::decodeTis620(thai));
    const std::optional<std::vector<thaiscript::SpokenSyllable>> syllables =
        thaiscript::spokenSyllables(thai);
    if (!syllables || syllables->empty()) {
        result_.problems.push_back(
            say(QCoreApplication::translate("ripasso::PackageText",
                                            "%1 does not read whole: the voice does not say it."),
                word));
        return {};
    }
    const std::vector<std::int16_t> samples = platform::renderThaiWhole(*syllables);
    if (samples.empty()) {
        result_.problems.push_back(
            say(QCoreApplication::translate("ripasso::PackageText", "The voice could not say %1."),
                word));
        return {};
    }
    known->second = kVoiceMediaPrefix + sha1Hex(thai, 16).toStdString() + ".wav";
    media_.push_back({known->second, {}, platform::wavFile(samples, platform::kVoiceRate)});
    return known->second;
}

bool PackageMaker::add(const datafiles::RecordView& r, int occurrence) {
    const std::string_view thai = unmarked(r.thai(), datafiles::kNoThai);
    std::string fields[6];
    appendHtml(fields[0], r.headword(), latinTable());
    appendHtml(fields[1], r.counterpart(), latinTable());
    appendHtml(fields[2], thai, thaiTable());
    appendHtml(fields[3], unmarked(r.attribute(), datafiles::kNoAttribute), latinTable());
    appendHtml(fields[4], unmarked(r.note(), datafiles::kNoNote), latinTable());
    std::string thaiSound = recording(r, r.fields[5]);
    if (thaiSound.empty() && options_.withSpeech && !thai.empty())
        thaiSound = voice(thai);
    const std::string italianSound = recording(r, r.fields[6]);
    if (!thaiSound.empty())
        fields[5] = "[sound:" + thaiSound + "]";
    if (!italianSound.empty())
        fields[5] += (fields[5].empty() ? "" : " ") + std::string("<span class=\"") +
                     kItalianSoundClass + "\">[sound:" + italianSound + "]</span>";
    std::string joined = fields[0];
    for (int i = 1; i < 6; ++i)
        joined += '\x1f' + fields[i];
    std::string tags = " ripasso ";
    if (const std::string_view attribute = unmarked(r.attribute(), datafiles::kNoAttribute);
        !attribute.empty()) {
        appendTag(tags, attribute);
        tags += ' ';
    }
    // Anki's checksum of the first field: its plain text's SHA-1, the first 32 bits.
    const std::string sortText = plainText(r.headword());
    const std::int64_t checksum = sha1Hex(sortText, 8).toLongLong(nullptr, 16);
    ++position_;
    const std::int64_t noteRowId = now_ + position_;
    const std::string guid = noteId(r.headword(), r.counterpart(), occurrence);
    sqlite3_reset(note_.stmt);
    sqlite3_bind_int64(note_.stmt, 1, noteRowId);
    sqlite3_bind_text(note_.stmt, 2, guid.data(), int(guid.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(note_.stmt, 3, kNoteTypeId);
    sqlite3_bind_int64(note_.stmt, 4, now_ / 1000);
    sqlite3_bind_text(note_.stmt, 5, tags.data(), int(tags.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(note_.stmt, 6, joined.data(), int(joined.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(note_.stmt, 7, sortText.data(), int(sortText.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(note_.stmt, 8, checksum);
    if (sqlite3_step(note_.stmt) != SQLITE_DONE) {
        sqlError_ = db_.error();
        return false;
    }
    // A word without its Thai script has no Thai -> Italian card: its front would be empty.
    for (int ord = 0; ord < (thai.empty() ? 1 : 2); ++ord) {
        // A card answered in Ripasso is a review card, due on the same day; the others new,
        // in the files' order.
        std::int64_t type = 0, due = position_, interval = 0, factor = 0, reps = 0, lapses = 0;
        const auto answered = progress_.find(progressKey(r.headword(), r.counterpart(), ord));
        if (answered != progress_.end()) {
            const CardState& s = answered->second;
            type = 2;
            due = s.dueDay - crtDay_;
            interval = std::max(1, s.dueDay - s.lastDay);
            factor = 2500;
            reps = s.reviews;
            lapses = s.lapses;
        }
        if (!bind(card_.stmt,
                  {now_ + 2 * position_ + ord, noteRowId, deck_, ord, now_ / 1000, type, type, due,
                   interval, factor, reps, lapses},
                  {}))
            return false;
    }
    ++result_.notes;
    return true;
}

// The row of col, then the collection's bytes: the database as one file.
std::string PackageMaker::finish() {
    if (!sqlError_.empty())
        return sqlError_;
    const std::int64_t crt =
        QDateTime(QDate(1970, 1, 1).addDays(crtDay_), QTime(4, 0)).toSecsSinceEpoch();
    const QJsonObject conf{{"activeDecks", QJsonArray{qint64(deck_)}},
                           {"curDeck", qint64(deck_)},
                           {"curModel", QString::number(kNoteTypeId)},
                           {"newSpread", 0},
                           {"collapseTime", 1200},
                           {"timeLim", 0},
                           {"estTimes", true},
                           {"dueCounts", true},
                           {"nextPos", qint64(position_ + 1)},
                           {"sortType", "noteFld"},
                           {"sortBackwards", false},
                           {"addToCur", true}};
    const QJsonObject models{{QString::number(kNoteTypeId), noteTypeJson(deck_, now_)}};
    QJsonObject decks{{QString::number(kDefaultDeckId),
                       deckJson(kDefaultDeckId, QStringLiteral("Default"), now_)}};
    decks.insert(QString::number(deck_), deckJson(deck_, utf8(options_.deck), now_));
    const QJsonObject dconf{{QString::number(kOptionsId), optionsJson()}};
    Statement col;
    if (sqlite3_prepare_v2(db_.db, "INSERT INTO col VALUES (1,?,?,?,?,0,0,0,?,?,?,?,'{}')", -1,
                           &col.stmt, nullptr) != SQLITE_OK ||
        !bind(col.stmt, {crt, now_, now_, kCollectionVersion},
              {compact(conf), compact(models), compact(decks), compact(dconf)}) ||
        sqlite3_exec(db_.db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        return sqlError_.empty() ? db_.error() : sqlError_;
    return {};
}

// The zip: the collection, the media map, the media; made in memory, then written to `fd`.
std::string PackageMaker::writeZip(int fd, const fs::path& target) {
    sqlite3_int64 size = 0;
    std::unique_ptr<unsigned char, decltype(&sqlite3_free)> collection(
        sqlite3_serialize(db_.db, "main", &size, 0), &sqlite3_free);
    if (!collection)
        return cannotWrite(target, ENOMEM);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer)
        return cannotWrite(target, ENOMEM);
    zip_source_keep(buffer);
    std::unique_ptr<zip_source_t, decltype(&zip_source_free)> keep(buffer, &zip_source_free);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive)
        return say(QCoreApplication::translate("ripasso::PackageText", "%1 cannot be made: %2"),
                   pathText(target), zip_error_strerror(&error));
    QJsonObject names;
    for (std::size_t i = 0; i < media_.size(); ++i)
        names.insert(QString::number(i), QString::fromStdString(media_[i].name));
    const std::string map = compact(names);
    auto add = [&](const std::string& member, zip_source_t* source, bool stored) {
        if (!source)
            return false;
        const zip_int64_t index = zip_file_add(archive, member.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            return false;
        }
        // A WAVE file gains little from compression.
        return !stored ||
               zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0) == 0;
    };
    bool added = add("collection.anki2",
                     zip_source_buffer(archive, collection.get(), zip_uint64_t(size), 0), false) &&
                 add("media", zip_source_buffer(archive, map.data(), map.size(), 0), false);
    for (std::size_t i = 0; added && i < media_.size(); ++i) {
        const Media& m = media_[i];
        zip_source_t* source = m.path.empty()
                                   ? zip_source_buffer(archive, m.wav.data(), m.wav.size(), 0)
                                   : zip_source_file(archive, m.path.c_str(), 0, -1);
        added = add(std::to_string(i), source, true);
    }
    // The recordings are read as the archive is closed.
    if (!added || zip_close(archive) != 0) {
        const std::string why = zip_strerror(archive);
        zip_discard(archive);
        return say(QCoreApplication::translate("ripasso::PackageText", "%1 cannot be made: %2"),
                   pathText(target), QString::fromStdString(why));
    }
    if (zip_source_open(buffer) != 0)
        return cannotWrite(target, ENOMEM);
    std::string piece(std::size_t(1) << 20, '\0');
    int failed = 0;
    for (;;) {
        const zip_int64_t read = zip_source_read(buffer, piece.data(), piece.size());
        if (read <= 0)
            break;
        if ((failed = writeAll(fd, std::string_view(piece.data(), std::size_t(read)))) != 0)
            break;
    }
    zip_source_close(buffer);
    return failed == 0 ? std::string() : cannotWrite(target, failed);
}

// Reads a zip member into memory that SQLite may take over; empty, or why not.
std::string readMember(zip_t* archive, zip_int64_t index, const QString& file,
                       unsigned char*& bytes, zip_uint64_t& size) {
    zip_stat_t info;
    zip_stat_init(&info);
    if (zip_stat_index(archive, zip_uint64_t(index), 0, &info) != 0 ||
        !(info.valid & ZIP_STAT_SIZE))
        return say(QCoreApplication::translate("ripasso::PackageText", "%1 is damaged: %2"), file,
                   QString::fromUtf8(zip_strerror(archive)));
    if (info.size > kLargestCollection)
        return say(QCoreApplication::translate(
                       "ripasso::PackageText",
                       "The collection of %1 is larger than 1 GiB: it is not read."),
                   file);
    size = info.size;
    bytes = static_cast<unsigned char*>(sqlite3_malloc64(std::max<zip_uint64_t>(size, 1)));
    std::unique_ptr<zip_file_t, decltype(&zip_fclose)> member(
        zip_fopen_index(archive, zip_uint64_t(index), 0), &zip_fclose);
    zip_uint64_t got = 0;
    while (bytes && member && got < size) {
        const zip_int64_t read = zip_fread(member.get(), bytes + got, size - got);
        if (read <= 0)
            break;
        got += zip_uint64_t(read);
    }
    if (!bytes || !member || got != size) {
        sqlite3_free(bytes);
        bytes = nullptr;
        return say(QCoreApplication::translate("ripasso::PackageText", "%1 is damaged: %2"), file,
                   QString::fromUtf8(zip_strerror(archive)));
    }
    return {};
}

// Each note type's name and field names, by its id.
struct NoteType {
    std::string name;
    std::vector<std::string> fields;
};

std::map<std::int64_t, NoteType> noteTypes(const std::string& json) {
    std::map<std::int64_t, NoteType> types;
    const QJsonObject models = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    for (auto it = models.begin(); it != models.end(); ++it) {
        const QJsonObject model = it.value().toObject();
        NoteType type{model.value("name").toString().toStdString(), {}};
        std::vector<std::pair<int, std::string>> fields;
        for (const QJsonValue& field : model.value("flds").toArray())
            fields.emplace_back(field.toObject().value("ord").toInt(),
                                field.toObject().value("name").toString().toStdString());
        std::sort(fields.begin(), fields.end());
        for (auto& field : fields)
            type.fields.push_back(std::move(field.second));
        types[it.key().toLongLong()] = std::move(type);
    }
    return types;
}

} // namespace

PackageResult exportAnkiPackage(const PathOf& pathOf, const fs::path& target,
                                const PackageOptions& options,
                                const datafiles::FileAccess& access) {
    PackageResult result;
    if (options.withSpeech && !platform::voiceInstalled()) {
        result.error = QCoreApplication::translate(
                           "ripasso::PackageText",
                           "The synthetic voice (eSpeak NG with its Thai voice) is not installed: "
                           "the package is not written without the words it would say. Install "
                           "it, or export without the voice.")
                           .toStdString();
        return result;
    }
    std::vector<StoredCard> answered;
    if (options.progress && !options.progress->loadCards(answered)) {
        result.error = options.progress->lastError().message;
        return result;
    }
    PackageMaker maker(pathOf, options, result);
    const int today = options.today > 0 ? options.today : currentDay();
    result.error = replaceTarget(target, access, [&](int fd) -> std::string {
        if (std::string failed = maker.open(answered, today); !failed.empty())
            return say(QCoreApplication::translate("ripasso::PackageText", "%1 cannot be made: %2"),
                       pathText(target), QString::fromStdString(failed));
        KeyCounter occurrences;
        std::string unread =
            readLetters(pathOf, access, result.problems, [&](const datafiles::RecordView& r) {
                if (r.isCrossReference())
                    return true;
                const int occurrence = occurrences.count(pairHash(r.headword(), r.counterpart()));
                return maker.add(r, occurrence);
            });
        if (!unread.empty())
            return unread;
        std::string failed = maker.finish();
        if (!failed.empty())
            return say(QCoreApplication::translate("ripasso::PackageText", "%1 cannot be made: %2"),
                       pathText(target), QString::fromStdString(failed));
        return maker.writeZip(fd, target);
    });
    result.written = result.error.empty();
    return result;
}

std::string readAnkiPackage(const fs::path& file,
                            const std::function<bool(const PackageNote&)>& take) {
    const QString name = pathText(file);
    int code = 0;
    zip_t* opened = zip_open(file.c_str(), ZIP_RDONLY, &code);
    if (!opened) {
        if (code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS)
            return say(QCoreApplication::translate("ripasso::PackageText",
                                                   "%1 is not an Anki package: it is no zip file."),
                       name);
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const std::string why = zip_error_strerror(&error);
        zip_error_fini(&error);
        return say(QCoreApplication::translate("ripasso::PackageText", "%1 cannot be read: %2"),
                   name, QString::fromStdString(why));
    }
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(opened, &zip_discard);
    zip_int64_t index = zip_name_locate(opened, "collection.anki21", 0);
    if (index < 0)
        index = zip_name_locate(opened, "collection.anki2", 0);
    if (index < 0)
        return zip_name_locate(opened, "collection.anki21b", 0) >= 0
                   ? say(QCoreApplication::translate(
                             "ripasso::PackageText",
                             "%1 holds only the collection format of recent Anki versions, which "
                             "is not read here: export the deck again from Anki with \"Support "
                             "older Anki versions\" ticked."),
                         name)
                   : say(QCoreApplication::translate(
                             "ripasso::PackageText",
                             "%1 is not an Anki package: it holds no collection."),
                         name);
    unsigned char* bytes = nullptr;
    zip_uint64_t size = 0;
    if (std::string failed = readMember(opened, index, name, bytes, size); !failed.empty())
        return failed;
    // The bytes are SQLite's from here: freed with the database, or by a failed deserialize.
    Database db;
    const bool ready =
        sqlite3_open_v2(":memory:", &db.db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    if (!ready)
        sqlite3_free(bytes);
    if (!ready || sqlite3_deserialize(
                      db.db, "main", bytes, sqlite3_int64(size), sqlite3_int64(size),
                      SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY) != SQLITE_OK)
        return say(QCoreApplication::translate("ripasso::PackageText",
                                               "The collection of %1 cannot be read: %2"),
                   name, QString::fromStdString(db.error()));
    auto damaged = [&] {
        return say(QCoreApplication::translate("ripasso::PackageText",
                                               "The collection of %1 is damaged: %2"),
                   name, QString::fromStdString(db.error()));
    };
    Statement models, notes;
    if (sqlite3_prepare_v2(db.db, "SELECT models FROM col", -1, &models.stmt, nullptr) !=
            SQLITE_OK ||
        sqlite3_step(models.stmt) != SQLITE_ROW)
        return damaged();
    const auto* json = reinterpret_cast<const char*>(sqlite3_column_text(models.stmt, 0));
    const std::map<std::int64_t, NoteType> types = noteTypes(json ? json : "");
    if (sqlite3_prepare_v2(db.db, "SELECT mid, guid, flds FROM notes ORDER BY id", -1, &notes.stmt,
                           nullptr) != SQLITE_OK)
        return damaged();
    int step;
    while ((step = sqlite3_step(notes.stmt)) == SQLITE_ROW) {
        PackageNote note;
        const auto type = types.find(sqlite3_column_int64(notes.stmt, 0));
        if (type != types.end()) {
            note.noteType = type->second.name;
            note.names = type->second.fields;
        }
        const auto* guid = reinterpret_cast<const char*>(sqlite3_column_text(notes.stmt, 1));
        note.guid = guid ? guid : "";
        const auto* fields = reinterpret_cast<const char*>(sqlite3_column_blob(notes.stmt, 2));
        const std::string_view all(fields ? fields : "",
                                   std::size_t(sqlite3_column_bytes(notes.stmt, 2)));
        for (std::size_t from = 0;;) {
            const std::size_t end = all.find('\x1f', from);
            note.values.emplace_back(all.substr(from, end - from));
            if (end == std::string_view::npos)
                break;
            from = end + 1;
        }
        if (!take(note))
            return {};
    }
    return step == SQLITE_DONE ? std::string() : damaged();
}

} // namespace ripasso

namespace ripasso {

std::string readPackageMedia(
    const fs::path& file, const std::function<bool(const std::string&)>& wanted,
    const std::function<void(const std::string&, const std::string&, const std::string&)>& take) {
    const QString name = pathText(file);
    int code = 0;
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(
        zip_open(file.c_str(), ZIP_RDONLY, &code), &zip_discard);
    if (!archive)
        return say(QCoreApplication::translate("ripasso::PackageText",
                                               "%1 is not an Anki package: it is no zip file."),
                   name);
    const zip_int64_t map = zip_name_locate(archive.get(), "media", 0);
    if (map < 0)
        return {}; // a package without media
    // The map and each file are read whole: the map is small, a recording at most 16 MiB.
    auto read = [&](zip_int64_t index, zip_uint64_t largest, std::string& out) -> std::string {
        zip_stat_t info;
        zip_stat_init(&info);
        if (zip_stat_index(archive.get(), zip_uint64_t(index), 0, &info) != 0 ||
            !(info.valid & ZIP_STAT_SIZE))
            return zip_strerror(archive.get());
        if (info.size > largest)
            return QCoreApplication::translate("ripasso::PackageText", "it is larger than 16 MiB")
                .toStdString();
        out.resize(std::size_t(info.size));
        std::unique_ptr<zip_file_t, decltype(&zip_fclose)> member(
            zip_fopen_index(archive.get(), zip_uint64_t(index), 0), &zip_fclose);
        zip_uint64_t got = 0;
        while (member && got < info.size) {
            const zip_int64_t n = zip_fread(member.get(), out.data() + got, info.size - got);
            if (n <= 0)
                break;
            got += zip_uint64_t(n);
        }
        return member && got == info.size ? std::string() : zip_strerror(archive.get());
    };
    std::string json;
    if (std::string failed = read(map, datafiles::kLargestSoundFile, json); !failed.empty())
        return say(QCoreApplication::translate("ripasso::PackageText", "%1 is damaged: %2"), name,
                   QString::fromStdString(failed));
    const QJsonObject members = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    for (auto member = members.begin(); member != members.end(); ++member) {
        const std::string media = member.value().toString().toStdString();
        if (media.empty() || !wanted(media))
            continue;
        const zip_int64_t index = zip_name_locate(archive.get(), member.key().toUtf8().data(), 0);
        std::string bytes;
        const std::string problem =
            index < 0 ? QCoreApplication::translate("ripasso::PackageText",
                                                    "the package does not hold it")
                            .toStdString()
                      : read(index, datafiles::kLargestSoundFile, bytes);
        take(media, problem.empty() ? bytes : std::string(), problem);
    }
    return {};
}

} // namespace ripasso

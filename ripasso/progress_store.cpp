#include "progress_store.h"

#include "platform/error_text.h"
#include "platform/install_paths.h"

#include <QCoreApplication>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ripasso {
namespace {

struct StoreText {
    Q_DECLARE_TR_FUNCTIONS(ripasso::StoreText)
};

// A message in the user's language, as UTF-8, with its %1, %2... filled in.
template <typename... Values> std::string say(const QString& message, const Values&... values) {
    return message.arg(QString::fromStdString(values)...).toStdString();
}

const char* const kSchema = R"sql(
CREATE TABLE setting (name TEXT PRIMARY KEY, value BLOB NOT NULL) WITHOUT ROWID;
CREATE TABLE card (
    headword BLOB NOT NULL,
    pronunciation BLOB NOT NULL,
    direction INTEGER NOT NULL,
    stability REAL NOT NULL,
    difficulty REAL NOT NULL,
    due_day INTEGER NOT NULL,
    last_day INTEGER NOT NULL,
    first_day INTEGER NOT NULL,
    reviews INTEGER NOT NULL,
    lapses INTEGER NOT NULL,
    PRIMARY KEY (headword, pronunciation, direction)) WITHOUT ROWID;
CREATE INDEX card_first_day ON card (first_day);
CREATE TABLE review (
    id INTEGER PRIMARY KEY,
    headword BLOB NOT NULL,
    pronunciation BLOB NOT NULL,
    direction INTEGER NOT NULL,
    day INTEGER NOT NULL,
    grade INTEGER NOT NULL,
    stability REAL NOT NULL,
    difficulty REAL NOT NULL,
    due_day INTEGER NOT NULL);
CREATE TABLE letter (
    drill INTEGER NOT NULL,
    code INTEGER NOT NULL,
    asked INTEGER NOT NULL,
    missed INTEGER NOT NULL,
    weight REAL NOT NULL,
    PRIMARY KEY (drill, code)) WITHOUT ROWID;
)sql";

// What version 2 adds to version 1: the moves of a word's history that a change of the word
// in the Words page has announced and not yet made.
const char* const kSchemaV2 = R"sql(
CREATE TABLE pending_move (
    id INTEGER PRIMARY KEY,
    folder BLOB NOT NULL,
    old_headword BLOB NOT NULL,
    old_pronunciation BLOB NOT NULL,
    new_headword BLOB NOT NULL,
    new_pronunciation BLOB NOT NULL);
)sql";

// A prepared statement, finalised when it goes.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        code_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr);
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return code_ == SQLITE_OK || code_ == SQLITE_ROW || code_ == SQLITE_DONE; }
    int code() const { return code_; }

    Statement& bind(int index, std::string_view bytes) {
        if (ok())
            code_ = sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()),
                                      SQLITE_TRANSIENT);
        return *this;
    }
    Statement& bind(int index, int value) {
        if (ok())
            code_ = sqlite3_bind_int(stmt_, index, value);
        return *this;
    }
    Statement& bind(int index, std::int64_t value) {
        if (ok())
            code_ = sqlite3_bind_int64(stmt_, index, value);
        return *this;
    }
    Statement& bind(int index, double value) {
        if (ok())
            code_ = sqlite3_bind_double(stmt_, index, value);
        return *this;
    }
    // True while there is a row; false at the end or on an error (see code()).
    bool step() {
        if (!ok())
            return false;
        code_ = sqlite3_step(stmt_);
        return code_ == SQLITE_ROW;
    }
    int integer(int column) const { return sqlite3_column_int(stmt_, column); }
    std::int64_t integer64(int column) const { return sqlite3_column_int64(stmt_, column); }
    std::string text(int column) const {
        const unsigned char* data = sqlite3_column_text(stmt_, column);
        return data ? std::string(reinterpret_cast<const char*>(data)) : std::string();
    }
    double real(int column) const { return sqlite3_column_double(stmt_, column); }
    std::string bytes(int column) const {
        const void* data = sqlite3_column_blob(stmt_, column);
        const int size = sqlite3_column_bytes(stmt_, column);
        return data ? std::string(static_cast<const char*>(data), static_cast<std::size_t>(size))
                    : std::string();
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
    int code_ = SQLITE_OK;
};

StoreError problem(StoreProblem kind, std::string message) {
    return {kind, std::move(message)};
}

std::string quoted(const fs::path& file) {
    return "\"" + file.string() + "\"";
}

// Reads one integer pragma or count; the SQLite code on failure.
int readInteger(sqlite3* db, const char* sql, int& value) {
    Statement query(db, sql);
    if (query.step()) {
        value = query.integer(0);
        return SQLITE_OK;
    }
    return query.code() == SQLITE_DONE ? SQLITE_ERROR : query.code();
}

} // namespace

StoreError describeStoreError(const fs::path& file, int sqliteCode, std::string_view detail) {
    const std::string name = quoted(file);
    const std::string why =
        detail.empty() ? std::string(sqlite3_errstr(sqliteCode)) : std::string(detail);
    switch (sqliteCode & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return problem(StoreProblem::Locked,
                       say(StoreText::tr("The progress file %1 is locked by another program. "
                                         "Nothing was changed in it; try again when that "
                                         "program has finished with it."),
                           name));
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return problem(StoreProblem::ReadOnly,
                       say(StoreText::tr("The progress file %1 cannot be written: it, or its "
                                         "folder, is read-only. It was left as it is."),
                           name));
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return problem(StoreProblem::Damaged,
                       say(StoreText::tr("The progress file %1 is damaged (%2). It was left "
                                         "as it is: move it away and Ripasso starts a new one, "
                                         "or restore it from a copy."),
                           name, why));
    case SQLITE_FULL:
        return problem(StoreProblem::CannotOpen,
                       say(StoreText::tr("The progress file %1 cannot be written: the disk is "
                                         "full."),
                           name));
    default:
        return problem(StoreProblem::CannotOpen,
                       say(StoreText::tr("The progress file %1 cannot be used: %2."), name, why));
    }
}

fs::path defaultProgressFile() {
    return platform::userDataHome() / "thai-kit" / "ripasso.sqlite";
}

std::unique_ptr<ProgressStore> ProgressStore::open(const fs::path& file, StoreError& error,
                                                   StoreOptions options) {
    error = {};
    const std::string name = quoted(file);
    auto fromErrno = [&](int err) {
        if (err == EACCES || err == EROFS || err == EPERM)
            return problem(StoreProblem::ReadOnly,
                           say(StoreText::tr("The progress file %1 cannot be written: it, or "
                                             "its folder, is read-only. It was left as it is."),
                               name));
        return problem(StoreProblem::CannotOpen,
                       say(StoreText::tr("The progress file %1 cannot be used: %2."), name,
                           platform::errorText(err).toStdString()));
    };

    int lockFd = -1;
    if (!options.readOnly) {
        std::error_code ec;
        fs::create_directories(file.parent_path(), ec);
        if (ec) {
            error = fromErrno(ec.value());
            return nullptr;
        }
        // This copy's hold on the file: a second copy of Ripasso finds it taken. The
        // descriptor stays open until SQLite has closed the file, since closing any
        // descriptor of a file drops the process's POSIX locks on it, SQLite's included.
        lockFd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (lockFd < 0) {
            error = errno == ELOOP ? problem(StoreProblem::CannotOpen,
                                             say(StoreText::tr("The progress file %1 is a "
                                                               "link; Ripasso follows none. It "
                                                               "was left as it is."),
                                                 name))
                                   : fromErrno(errno);
            return nullptr;
        }
        struct stat info {};
        if (::fstat(lockFd, &info) != 0 || !S_ISREG(info.st_mode)) {
            ::close(lockFd);
            error =
                problem(StoreProblem::CannotOpen,
                        say(StoreText::tr("The progress file %1 is not a regular file."), name));
            return nullptr;
        }
        if (::flock(lockFd, LOCK_EX | LOCK_NB) != 0) {
            const int err = errno;
            ::close(lockFd);
            error = err == EWOULDBLOCK
                        ? problem(StoreProblem::InUse,
                                  say(StoreText::tr("The progress file %1 is in use by another "
                                                    "copy of Ripasso. Close that one first: "
                                                    "this one ends without touching it."),
                                      name))
                        : fromErrno(err);
            return nullptr;
        }
        // Write-ahead logging puts two more files beside it.
        if (::access(file.parent_path().c_str(), W_OK) != 0) {
            error = fromErrno(errno);
            ::close(lockFd);
            return nullptr;
        }
    }

    sqlite3* db = nullptr;
    const int flags = (options.readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                      SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_FULLMUTEX;
    const int opened = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
    std::unique_ptr<ProgressStore> store(new ProgressStore(file, db, lockFd));
    if (opened != SQLITE_OK) {
        error = describeStoreError(file, opened, db ? sqlite3_errmsg(db) : "");
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, static_cast<int>(options.busyTimeout.count()));
    if (!options.readOnly && sqlite3_db_readonly(db, "main") == 1) {
        error = describeStoreError(file, SQLITE_READONLY, "");
        return nullptr;
    }

    int applicationId = 0, version = 0, objects = 0;
    int code = readInteger(db, "PRAGMA application_id", applicationId);
    if (code == SQLITE_OK)
        code = readInteger(db, "PRAGMA user_version", version);
    if (code == SQLITE_OK)
        code = readInteger(db, "SELECT count(*) FROM sqlite_schema", objects);
    if (code != SQLITE_OK) {
        error = describeStoreError(file, code, sqlite3_errmsg(db));
        return nullptr;
    }
    const bool empty = applicationId == 0 && version == 0 && objects == 0;
    if (!empty && applicationId != kApplicationId) {
        error = problem(StoreProblem::NotOurs,
                        say(StoreText::tr("The file %1 is not Ripasso's progress: it belongs to "
                                          "another program and was left as it is. Move it away "
                                          "and Ripasso starts a new one."),
                            name));
        return nullptr;
    }
    if (version > kSchemaVersion) {
        error = problem(StoreProblem::NewerVersion,
                        say(StoreText::tr("The progress file %1 was written by a newer Ripasso "
                                          "(version %2; this one knows version %3). It was left "
                                          "as it is: use the newer Ripasso."),
                            name, std::to_string(version), std::to_string(kSchemaVersion)));
        return nullptr;
    }
    // A damaged file is refused before anything is written to it: SQLite finds most damage
    // only when a statement reaches the damaged page, and would go on writing beside it.
    if (!empty) {
        Statement check(db, "PRAGMA quick_check(1)");
        if (!check.step()) {
            error = describeStoreError(file,
                                       check.code() == SQLITE_DONE ? SQLITE_CORRUPT : check.code(),
                                       sqlite3_errmsg(db));
            return nullptr;
        }
        if (const std::string verdict = check.text(0); verdict != "ok") {
            error = describeStoreError(file, SQLITE_CORRUPT, verdict);
            return nullptr;
        }
    }
    if (options.readOnly) {
        if (empty) {
            error =
                problem(StoreProblem::CannotOpen,
                        say(StoreText::tr("The progress file %1 holds no progress yet."), name));
            return nullptr;
        }
        return store;
    }

    // Each answer is committed to the log at once; a synced log at each commit is what a
    // power cut would need, a written one is what kill -9 needs.
    {
        Statement mode(db, "PRAGMA journal_mode=WAL");
        if (!mode.step() || mode.bytes(0) != "wal") {
            error = mode.ok() ? problem(StoreProblem::CannotOpen,
                                        say(StoreText::tr("The progress file %1 cannot use "
                                                          "write-ahead logging."),
                                            name))
                              : describeStoreError(file, mode.code(), sqlite3_errmsg(db));
            return nullptr;
        }
    }
    if (!store->exec("PRAGMA synchronous=NORMAL") || !store->exec("BEGIN IMMEDIATE")) {
        error = store->lastError_;
        return nullptr;
    }
    // A new file gets the whole schema; one of an older version what it lacks, in place.
    const std::string pragmas = "PRAGMA application_id=" + std::to_string(kApplicationId) +
                                ";PRAGMA user_version=" + std::to_string(kSchemaVersion);
    if ((empty && !store->exec(kSchema)) || (version < 2 && !store->exec(kSchemaV2)) ||
        (version < kSchemaVersion && !store->exec(pragmas.c_str()))) {
        error = store->lastError_;
        store->exec("ROLLBACK");
        return nullptr;
    }
    if (!store->exec("COMMIT")) {
        error = store->lastError_;
        store->exec("ROLLBACK");
        return nullptr;
    }
    return store;
}

ProgressStore::~ProgressStore() {
    if (db_)
        sqlite3_close_v2(db_);
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

bool ProgressStore::fail(int code) {
    lastError_ = describeStoreError(file_, code, sqlite3_errmsg(db_));
    return false;
}

bool ProgressStore::exec(const char* sql) {
    const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    return code == SQLITE_OK || fail(code);
}

std::optional<std::string> ProgressStore::setting(std::string_view name) {
    Statement query(db_, "SELECT value FROM setting WHERE name = ?");
    query.bind(1, name);
    if (query.step())
        return query.bytes(0);
    if (query.code() != SQLITE_DONE)
        fail(query.code());
    return std::nullopt;
}

bool ProgressStore::setSetting(std::string_view name, std::string_view value) {
    Statement update(db_, "INSERT INTO setting (name, value) VALUES (?, ?) "
                          "ON CONFLICT (name) DO UPDATE SET value = excluded.value");
    update.bind(1, name).bind(2, value);
    update.step();
    return update.code() == SQLITE_DONE || fail(update.code());
}

bool ProgressStore::loadCards(std::vector<StoredCard>& cards) {
    cards.clear();
    Statement query(db_, "SELECT headword, pronunciation, direction, stability, difficulty, "
                         "due_day, last_day, first_day, reviews, lapses FROM card");
    while (query.step()) {
        StoredCard card;
        card.key.headword = query.bytes(0);
        card.key.pronunciation = query.bytes(1);
        card.key.direction =
            query.integer(2) == 1 ? CardDirection::ThaiToItalian : CardDirection::ItalianToThai;
        card.state.memory = {query.real(3), query.real(4)};
        card.state.dueDay = query.integer(5);
        card.state.lastDay = query.integer(6);
        card.state.firstDay = query.integer(7);
        card.state.reviews = query.integer(8);
        card.state.lapses = query.integer(9);
        cards.push_back(std::move(card));
    }
    return query.code() == SQLITE_DONE || fail(query.code());
}

std::optional<int> ProgressStore::cardsFirstAnsweredOn(int day) {
    Statement query(db_, "SELECT count(*) FROM card WHERE first_day = ?");
    query.bind(1, day);
    if (query.step())
        return query.integer(0);
    fail(query.code());
    return std::nullopt;
}

bool ProgressStore::saveAnswer(const StoredCard& card, Grade grade) {
    if (!exec("BEGIN IMMEDIATE"))
        return false;
    const int direction = static_cast<int>(card.key.direction);
    const CardState& s = card.state;
    Statement upsert(db_, "INSERT INTO card (headword, pronunciation, direction, stability, "
                          "difficulty, due_day, last_day, first_day, reviews, lapses) "
                          "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
                          "ON CONFLICT (headword, pronunciation, direction) DO UPDATE SET "
                          "stability = excluded.stability, difficulty = excluded.difficulty, "
                          "due_day = excluded.due_day, last_day = excluded.last_day, "
                          "first_day = excluded.first_day, reviews = excluded.reviews, "
                          "lapses = excluded.lapses");
    upsert.bind(1, card.key.headword)
        .bind(2, card.key.pronunciation)
        .bind(3, direction)
        .bind(4, s.memory.stability)
        .bind(5, s.memory.difficulty)
        .bind(6, s.dueDay)
        .bind(7, s.lastDay)
        .bind(8, s.firstDay)
        .bind(9, s.reviews)
        .bind(10, s.lapses);
    upsert.step();
    Statement log(db_, "INSERT INTO review (headword, pronunciation, direction, day, grade, "
                       "stability, difficulty, due_day) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    log.bind(1, card.key.headword)
        .bind(2, card.key.pronunciation)
        .bind(3, direction)
        .bind(4, s.lastDay)
        .bind(5, static_cast<int>(grade))
        .bind(6, s.memory.stability)
        .bind(7, s.memory.difficulty)
        .bind(8, s.dueDay);
    if (upsert.code() == SQLITE_DONE)
        log.step();
    const int code = upsert.code() != SQLITE_DONE ? upsert.code() : log.code();
    if (code != SQLITE_DONE) {
        fail(code);
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    if (!exec("COMMIT")) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    return true;
}

std::optional<bool> ProgressStore::hasCards(std::string_view headword,
                                            std::string_view pronunciation) {
    Statement query(db_, "SELECT count(*) FROM card WHERE headword = ? AND pronunciation = ?");
    query.bind(1, headword).bind(2, pronunciation);
    if (query.step())
        return query.integer(0) > 0;
    fail(query.code());
    return std::nullopt;
}

std::optional<std::int64_t> ProgressStore::announceMove(const PendingMove& move) {
    // Synced at this commit: the change of the files that follows must find it after a crash.
    if (!exec("PRAGMA synchronous=FULL"))
        return std::nullopt;
    Statement insert(db_, "INSERT INTO pending_move (folder, old_headword, old_pronunciation, "
                          "new_headword, new_pronunciation) VALUES (?, ?, ?, ?, ?)");
    insert.bind(1, move.folder)
        .bind(2, move.oldHeadword)
        .bind(3, move.oldPronunciation)
        .bind(4, move.newHeadword)
        .bind(5, move.newPronunciation);
    insert.step();
    const int code = insert.code();
    const std::int64_t id = sqlite3_last_insert_rowid(db_);
    exec("PRAGMA synchronous=NORMAL");
    if (code != SQLITE_DONE) {
        fail(code);
        return std::nullopt;
    }
    return id;
}

std::optional<MoveResult> ProgressStore::finishMove(std::int64_t id) {
    if (!exec("BEGIN IMMEDIATE"))
        return std::nullopt;
    auto rollback = [&](int code) -> std::optional<MoveResult> {
        fail(code);
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return std::nullopt;
    };
    MoveResult result;
    PendingMove move;
    {
        Statement query(db_, "SELECT old_headword, old_pronunciation, new_headword, "
                             "new_pronunciation FROM pending_move WHERE id = ?");
        query.bind(1, id);
        if (query.step()) {
            move = {id, {}, query.bytes(0), query.bytes(1), query.bytes(2), query.bytes(3)};
        } else if (query.code() == SQLITE_DONE) {
            result.found = false;
        } else {
            return rollback(query.code());
        }
    }
    const bool same =
        move.oldHeadword == move.newHeadword && move.oldPronunciation == move.newPronunciation;
    for (int direction = 0; direction < 2 && result.found && !same; ++direction) {
        auto count = [&](const std::string& headword, const std::string& pronunciation,
                         int& value) {
            Statement query(db_, "SELECT count(*) FROM card WHERE headword = ? AND "
                                 "pronunciation = ? AND direction = ?");
            query.bind(1, headword).bind(2, pronunciation).bind(3, direction);
            if (query.step()) {
                value = query.integer(0);
                return SQLITE_OK;
            }
            return query.code();
        };
        int before = 0, there = 0;
        if (int code = count(move.oldHeadword, move.oldPronunciation, before); code != SQLITE_OK)
            return rollback(code);
        if (before == 0)
            continue;
        if (int code = count(move.newHeadword, move.newPronunciation, there); code != SQLITE_OK)
            return rollback(code);
        if (there > 0) {
            ++result.kept;
            continue;
        }
        for (const char* sql :
             {"UPDATE card SET headword = ?, pronunciation = ? WHERE headword = ? AND "
              "pronunciation = ? AND direction = ?",
              "UPDATE review SET headword = ?, pronunciation = ? WHERE headword = ? AND "
              "pronunciation = ? AND direction = ?"}) {
            Statement update(db_, sql);
            update.bind(1, move.newHeadword)
                .bind(2, move.newPronunciation)
                .bind(3, move.oldHeadword)
                .bind(4, move.oldPronunciation)
                .bind(5, direction);
            update.step();
            if (update.code() != SQLITE_DONE)
                return rollback(update.code());
        }
        ++result.moved;
    }
    Statement remove(db_, "DELETE FROM pending_move WHERE id = ?");
    remove.bind(1, id);
    remove.step();
    if (remove.code() != SQLITE_DONE)
        return rollback(remove.code());
    if (!exec("COMMIT")) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return std::nullopt;
    }
    return result;
}

bool ProgressStore::dropMove(std::int64_t id) {
    Statement remove(db_, "DELETE FROM pending_move WHERE id = ?");
    remove.bind(1, id);
    remove.step();
    return remove.code() == SQLITE_DONE || fail(remove.code());
}

bool ProgressStore::pendingMoves(std::string_view folder, std::vector<PendingMove>& moves) {
    moves.clear();
    Statement query(db_, "SELECT id, folder, old_headword, old_pronunciation, new_headword, "
                         "new_pronunciation FROM pending_move WHERE folder = ? ORDER BY id");
    query.bind(1, folder);
    while (query.step())
        moves.push_back({query.integer64(0), query.bytes(1), query.bytes(2), query.bytes(3),
                         query.bytes(4), query.bytes(5)});
    return query.code() == SQLITE_DONE || fail(query.code());
}

bool ProgressStore::loadLetterScores(DrillKind drill, std::vector<LetterScore>& scores) {
    scores.clear();
    Statement query(db_, "SELECT code, asked, missed, weight FROM letter WHERE drill = ?");
    query.bind(1, static_cast<int>(drill));
    while (query.step())
        scores.push_back({query.integer(0), query.integer(1), query.integer(2), query.real(3)});
    return query.code() == SQLITE_DONE || fail(query.code());
}

bool ProgressStore::saveLetterScore(DrillKind drill, const LetterScore& score) {
    Statement update(db_, "INSERT INTO letter (drill, code, asked, missed, weight) "
                          "VALUES (?, ?, ?, ?, ?) ON CONFLICT (drill, code) DO UPDATE SET "
                          "asked = excluded.asked, missed = excluded.missed, "
                          "weight = excluded.weight");
    update.bind(1, static_cast<int>(drill))
        .bind(2, score.code)
        .bind(3, score.asked)
        .bind(4, score.missed)
        .bind(5, score.weight);
    update.step();
    return update.code() == SQLITE_DONE || fail(update.code());
}

} // namespace ripasso

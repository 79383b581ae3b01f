// Ripasso's progress database: what is saved comes back; a helper killed with kill -9 while it
// answers loses no answer it gave; a database that cannot be used is told, named, and left
// byte for byte as it was.

#include "ripasso/progress_store.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <memory>
#include <random>

using namespace ripasso;
namespace fs = std::filesystem;

namespace {

void sql(const fs::path& file, const char* statements) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    QCOMPARE(sqlite3_exec(db, statements, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

QByteArray hashOf(const fs::path& file) {
    QFile f(QString::fromStdString(file.string()));
    return f.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
               : QByteArray("missing");
}

StoredCard card(const std::string& word, int day, Grade grade) {
    return {{word, "p", CardDirection::ThaiToItalian}, answerCard(std::nullopt, day, grade)};
}

void makeStore(const fs::path& file) {
    StoreError error;
    QVERIFY(ProgressStore::open(file, error));
}

std::uint32_t bigEndian(const QByteArray& bytes, qsizetype at) {
    std::uint32_t value = 0;
    for (qsizetype i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// A real progress whose review table spans many pages, closed (its log written back), then
// the cell pointers of one leaf page of that table overwritten, as a failing disk would.
void damageReviewTable(const fs::path& file) {
    {
        StoreError error;
        const auto store = ProgressStore::open(file, error);
        QVERIFY(store);
        for (int i = 0; i < 2000; ++i)
            QVERIFY(store->saveAnswer(card("w" + std::to_string(i), 10, Grade::Good), Grade::Good));
    }
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_stmt* query = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT rootpage, (SELECT page_size FROM pragma_page_size) FROM "
                       "sqlite_schema WHERE name = 'review'",
                       -1, &query, nullptr);
    QCOMPARE(sqlite3_step(query), SQLITE_ROW);
    const int root = sqlite3_column_int(query, 0), pageSize = sqlite3_column_int(query, 1);
    sqlite3_finalize(query);
    sqlite3_close(db);
    QFile f(QString::fromStdString(file.string()));
    QVERIFY(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    const qsizetype rootAt = qsizetype(root - 1) * pageSize;
    QCOMPARE(int(static_cast<unsigned char>(bytes[rootAt])), 0x05); // an interior page
    const qsizetype leafAt = qsizetype(bigEndian(bytes, rootAt + 8) - 1) * pageSize;
    QCOMPARE(int(static_cast<unsigned char>(bytes[leafAt])), 0x0D); // a leaf of the table
    for (qsizetype i = 8; i < 64; ++i)
        bytes[leafAt + i] = char(0xFF);
    QVERIFY(f.seek(0));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray integrity(const fs::path& file) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_stmt* check = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr);
    QByteArray verdict =
        sqlite3_step(check) == SQLITE_ROW
            ? QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)))
            : QByteArray(sqlite3_errmsg(db));
    sqlite3_finalize(check);
    sqlite3_close(db);
    return verdict;
}

} // namespace

class TestRipassoProgress : public QObject {
    Q_OBJECT
private slots:
    void answersAndSettingsAreKeptInANewFolder();
    void aVersion1ProgressIsUpgradedInPlace();
    void aKilledReviewKeepsEveryAnswerGiven();
    void aStoreThatCannotBeUsedIsToldAndLeftAsItIs_data();
    void aStoreThatCannotBeUsedIsToldAndLeftAsItIs();
};

void TestRipassoProgress::answersAndSettingsAreKeptInANewFolder() {
    QTemporaryDir dir;
    const fs::path file = dir.path().toStdString() + "/new/folder/ripasso.sqlite";
    for (const int day : {10, 11}) {
        StoreError error;
        const auto store = ProgressStore::open(file, error);
        QVERIFY2(store, error.message.c_str());
        QVERIFY(
            store->saveAnswer(card("casa" + std::to_string(day), day, Grade::Good), Grade::Good));
        QVERIFY(store->setSetting("wordsFolder", "C:\\" + std::to_string(day)));
    }
    StoreError error;
    const auto store = ProgressStore::open(file, error);
    std::vector<StoredCard> cards;
    QVERIFY(store && store->loadCards(cards));
    QCOMPARE(int(cards.size()), 2);
    QCOMPARE(store->cardsFirstAnsweredOn(11), std::optional<int>(1));
    QCOMPARE(store->setting("wordsFolder"), std::optional<std::string>("C:\\11"));
}

void TestRipassoProgress::aVersion1ProgressIsUpgradedInPlace() {
    QTemporaryDir dir;
    const fs::path file = dir.path().toStdString() + "/ripasso.sqlite";
    // Version 1 as the first Ripasso made it, one answer in it.
    sql(file,
        "PRAGMA application_id=1380536385; PRAGMA user_version=1; PRAGMA journal_mode=WAL;"
        "CREATE TABLE setting (name TEXT PRIMARY KEY, value BLOB NOT NULL) WITHOUT ROWID;"
        "CREATE TABLE card (headword BLOB NOT NULL, pronunciation BLOB NOT NULL, direction "
        "INTEGER NOT NULL, stability REAL NOT NULL, difficulty REAL NOT NULL, due_day "
        "INTEGER NOT NULL, last_day INTEGER NOT NULL, first_day INTEGER NOT NULL, reviews "
        "INTEGER NOT NULL, lapses INTEGER NOT NULL, PRIMARY KEY (headword, pronunciation, "
        "direction)) WITHOUT ROWID; CREATE INDEX card_first_day ON card (first_day);"
        "CREATE TABLE review (id INTEGER PRIMARY KEY, headword BLOB NOT NULL, pronunciation "
        "BLOB NOT NULL, direction INTEGER NOT NULL, day INTEGER NOT NULL, grade INTEGER NOT "
        "NULL, stability REAL NOT NULL, difficulty REAL NOT NULL, due_day INTEGER NOT NULL);"
        "CREATE TABLE letter (drill INTEGER NOT NULL, code INTEGER NOT NULL, asked INTEGER "
        "NOT NULL, missed INTEGER NOT NULL, weight REAL NOT NULL, PRIMARY KEY (drill, code)) "
        "WITHOUT ROWID;"
        "INSERT INTO card VALUES (x'63617361', x'6261616e', 0, 3.2, 5.0, 13, 10, 10, 1, 0);"
        "INSERT INTO review VALUES (1, x'63617361', x'6261616e', 0, 10, 3, 3.2, 5.0, 13);"
        "INSERT INTO letter VALUES (1, 161, 3, 1, 0.5);"
        "INSERT INTO setting VALUES (CAST('wordsFolder' AS BLOB), CAST('C:\\THAI\\' AS BLOB));");
    {
        StoreError error;
        const auto store = ProgressStore::open(file, error);
        QVERIFY2(store, error.message.c_str());
        std::vector<StoredCard> cards;
        QVERIFY(store->loadCards(cards));
        QCOMPARE(int(cards.size()), 1);
        // The table version 2 brings is there: a move is announced and made.
        const std::optional<std::int64_t> move =
            store->announceMove({0, "C:/THAI/", "casa", "baan", "casetta", "baan"});
        QVERIFY(move);
        const std::optional<MoveResult> moved = store->finishMove(*move);
        QVERIFY(moved && moved->moved == 1 && moved->kept == 0);
        QVERIFY(store->loadCards(cards));
        QCOMPARE(cards[0].key.headword, std::string("casetta"));
        // The drills of the script keep their scores beside the letters' in the same table,
        // and the old rows stay as they were.
        QVERIFY(store->saveLetterScore(DrillKind::Tone, {7, 1, 1, 1.0}));
        std::vector<LetterScore> scores;
        QVERIFY(store->loadLetterScores(DrillKind::Reading, scores));
        QVERIFY(scores.size() == 1 && scores[0].code == 161 && scores[0].asked == 3 &&
                scores[0].missed == 1 && scores[0].weight == 0.5);
        QVERIFY(store->loadLetterScores(DrillKind::Tone, scores));
        QVERIFY(scores.size() == 1 && scores[0].code == 7 && scores[0].missed == 1);
        QCOMPARE(store->setting("wordsFolder"), std::optional<std::string>("C:\\THAI\\"));
        // The card answered before the upgrade is answered again.
        QVERIFY(store->saveAnswer(cards[0], Grade::Good));
    }
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_stmt* query = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &query, nullptr);
    QCOMPARE(sqlite3_step(query), SQLITE_ROW);
    QCOMPARE(sqlite3_column_int(query, 0), kSchemaVersion);
    sqlite3_finalize(query);
    sqlite3_prepare_v2(db, "SELECT count(*), min(headword) FROM review", -1, &query, nullptr);
    QCOMPARE(sqlite3_step(query), SQLITE_ROW);
    QCOMPARE(sqlite3_column_int(query, 0), 2); // the old answer, moved, and the new one
    QCOMPARE(QByteArray(static_cast<const char*>(sqlite3_column_blob(query, 1)),
                        sqlite3_column_bytes(query, 1)),
             QByteArray("casetta"));
    sqlite3_finalize(query);
    sqlite3_close(db);
}

void TestRipassoProgress::aKilledReviewKeepsEveryAnswerGiven() {
    const int kills =
        qEnvironmentVariableIntValue("KILLS") > 0 ? qEnvironmentVariableIntValue("KILLS") : 40;
    const unsigned seed = std::random_device{}();
    qInfo("seed %u, %d kills", seed, kills);
    std::mt19937 random(seed);
    QTemporaryDir dir;
    const fs::path file = dir.path().toStdString() + "/ripasso.sqlite";
    int answers = 0;
    for (int run = 0; run < kills; ++run) {
        QProcess helper;
        helper.start(QStringLiteral(RIPASSO_HELPER),
                     {QStringLiteral("answer"), QString::fromStdString(file.string()),
                      QString::number(run)});
        QVERIFY(helper.waitForStarted());
        QTest::qSleep(static_cast<int>(random() % 60));
        ::kill(static_cast<pid_t>(helper.processId()), SIGKILL);
        QVERIFY(helper.waitForFinished());
        // The answers it said were committed: the last whole line.
        const QList<QByteArray> said = helper.readAllStandardOutput().split('\n');
        const int given = said.size() >= 2 ? said[said.size() - 2].toInt() + 1 : 0;
        StoreError error;
        const auto store = ProgressStore::open(file, error);
        QVERIFY2(store, error.message.c_str());
        std::vector<StoredCard> cards;
        QVERIFY(store->loadCards(cards));
        const std::string prefix = std::to_string(run) + "-";
        const auto kept = std::count_if(cards.begin(), cards.end(), [&](const StoredCard& c) {
            return c.key.headword.rfind(prefix, 0) == 0;
        });
        // Every answer given is there; one more may have been committed but not yet said.
        QVERIFY2(
            kept == given || kept == given + 1,
            qPrintable(QStringLiteral("run %1: %2 said, %3 kept").arg(run).arg(given).arg(kept)));
        answers += given;
    }
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_stmt* check = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr);
    QCOMPARE(sqlite3_step(check), SQLITE_ROW);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(check, 0))), "ok");
    sqlite3_finalize(check);
    sqlite3_close(db);
    qInfo("%d kills, %d answers said committed, all kept", kills, answers);
}

using Setup = std::function<std::shared_ptr<void>(const fs::path&)>;
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(StoreProblem)

void TestRipassoProgress::aStoreThatCannotBeUsedIsToldAndLeftAsItIs_data() {
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<StoreProblem>("problem");
    QTest::addColumn<QString>("told");
    QTest::newRow("another copy of Ripasso")
        << Setup([](const fs::path& file) -> std::shared_ptr<void> {
               StoreError error;
               return ProgressStore::open(file, error);
           })
        << StoreProblem::InUse << QStringLiteral("in use by another copy of Ripasso");
    QTest::newRow("locked by another program")
        << Setup([](const fs::path& file) -> std::shared_ptr<void> {
               makeStore(file);
               auto holder = std::make_shared<QProcess>();
               holder->start(QStringLiteral(RIPASSO_HELPER),
                             {QStringLiteral("hold"), QString::fromStdString(file.string())});
               holder->waitForReadyRead();
               return holder; // killed when it goes
           })
        << StoreProblem::Locked << QStringLiteral("locked by another program");
    QTest::newRow("not a database") << Setup([](const fs::path& file) -> std::shared_ptr<void> {
        std::ofstream(file) << std::string(5000, 'x');
        return nullptr;
    }) << StoreProblem::Damaged << QStringLiteral("is damaged (file is not a database)");
    QTest::newRow("a newer version") << Setup([](const fs::path& file) -> std::shared_ptr<void> {
        makeStore(file);
        sql(file, "PRAGMA user_version=3");
        return nullptr;
    }) << StoreProblem::NewerVersion << QStringLiteral("written by a newer Ripasso (version 3");
    QTest::newRow("a damaged review table")
        << Setup([](const fs::path& file) -> std::shared_ptr<void> {
               damageReviewTable(file);
               const QByteArray verdict = integrity(file);
               if (verdict == "ok")
                   qFatal("the damage was not seen");
               return nullptr;
           })
        << StoreProblem::Damaged << QStringLiteral("is damaged (");
    QTest::newRow("another program's database")
        << Setup([](const fs::path& file) -> std::shared_ptr<void> {
               sql(file, "CREATE TABLE notes (text)");
               return nullptr;
           })
        << StoreProblem::NotOurs << QStringLiteral("is not Ripasso's progress");
    QTest::newRow("read-only") << Setup([](const fs::path& file) -> std::shared_ptr<void> {
        makeStore(file);
        fs::permissions(file,
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        // The helper opens it as a user of no rights: its folders let it through.
        for (const fs::path& folder : {file.parent_path(), file.parent_path().parent_path()})
            fs::permissions(folder, fs::perms::others_exec, fs::perm_options::add);
        return nullptr;
    }) << StoreProblem::ReadOnly
                               << QStringLiteral("cannot be written: it, or its folder, is "
                                                 "read-only");
}

void TestRipassoProgress::aStoreThatCannotBeUsedIsToldAndLeftAsItIs() {
    QFETCH(Setup, setup);
    QFETCH(StoreProblem, problem);
    QFETCH(QString, told);
    QTemporaryDir dir;
    const fs::path file = dir.path().toStdString() + "/disk/ripasso.sqlite";
    fs::create_directory(file.parent_path());
    const std::shared_ptr<void> held = setup(file);
    const QByteArray before = hashOf(file);
    StoreError error;
    StoreOptions options;
    options.busyTimeout = std::chrono::milliseconds(300);
    if (problem == StoreProblem::ReadOnly) {
        QProcess opener;
        opener.start(QStringLiteral(RIPASSO_HELPER),
                     {QStringLiteral("open"), QString::fromStdString(file.string())});
        QVERIFY(opener.waitForFinished());
        const QList<QByteArray> said = opener.readAllStandardOutput().split('\n');
        error = {StoreProblem(said.value(0).toInt()), said.value(1).toStdString()};
    } else {
        QVERIFY(!ProgressStore::open(file, error, options));
    }
    QCOMPARE(error.problem, problem);
    const QString message = QString::fromStdString(error.message);
    QVERIFY2(message.contains(told) &&
                 message.contains(QString::fromStdString("\"" + file.string() + "\"")),
             qPrintable(message));
    QCOMPARE(hashOf(file), before);
}

QTEST_MAIN(TestRipassoProgress)
#include "test_ripasso_progress.moc"

// Two processes append 400 entries each to the same letter files through the kit's
// writer while a third reads them in a loop; writers killed at random moments; an append
// beside changes that replace its files; and changes killed at random moments.

#include "datafiles/entry_editor.h"
#include "datafiles/entry_writer.h"
#include "datafiles/file_io.h"
#include "datafiles/record_reader.h"
#include "datafiles/record_stream.h"
#include "datafiles/record_writer.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <csignal>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <thread>

class TestConcurrentWriters : public QObject {
    Q_OBJECT
private slots:
    void twoWritersAndAReader();
    void killedWritersLeaveEachEntryInBothFilesOrNeither();
    void aLookUpBesideAWriteSeesTheFileBeforeOrAfterIt();
    void appendsBesideChangesAndKilledChangesKeepEveryEntryInStep();
    void killedRecordingsLeaveNoHalfFileAndNoRecordNamingAMissingOne();
    void killedImportsLeaveEveryEntryWholeAndNoneTwice();
};

void TestConcurrentWriters::twoWritersAndAReader() {
    constexpr int kEntries = 400;
    QTemporaryDir dir;
    const QString helper = QStringLiteral(CONCURRENT_HELPER);
    const QString stop = dir.filePath(QStringLiteral("stop"));
    QProcess reader, writerA, writerB;
    reader.start(helper, {QStringLiteral("read"), dir.path(), stop});
    writerA.start(helper, {QStringLiteral("write"), dir.path(), QStringLiteral("a"),
                           QString::number(kEntries)});
    writerB.start(helper, {QStringLiteral("write"), dir.path(), QStringLiteral("b"),
                           QString::number(kEntries)});
    for (QProcess* writer : {&writerA, &writerB}) {
        QVERIFY(writer->waitForFinished(120000));
        QCOMPARE(writer->exitCode(), 0);
    }
    std::ofstream(stop.toStdString()) << "done";
    QVERIFY(reader.waitForFinished(60000));
    QCOMPARE(reader.exitCode(), 0);
    const QString readerSaid = QString::fromLatin1(reader.readAllStandardOutput()).trimmed();
    qInfo("reader: %s", qPrintable(readerSaid));
    // The reader's shared lock keeps it out while a writer holds the file: it never sees a
    // record that is still being written.
    QVERIFY2(readerSaid.endsWith(QStringLiteral(" torn-last 0")), qPrintable(readerSaid));

    // Every record parses, and each entry is in both files exactly once.
    std::map<std::string, int> forward, reverse;
    for (const auto& [name, seen] :
         {std::pair{"LEXFWD_C.DAT", &forward}, std::pair{"LEXREV_B.DAT", &reverse}}) {
        const auto bytes =
            datafiles::readWholeFile(dir.filePath(QLatin1String(name)).toStdString());
        QVERIFY(bytes.ok());
        const auto read = datafiles::readAllRecords(bytes.bytes);
        QVERIFY(!read.truncated);
        QCOMPARE(read.records.size(), std::size_t(2 * kEntries));
        for (const auto& r : read.records) {
            const std::string italian = seen == &forward ? r.headword : r.counterpart;
            const std::string thai = seen == &forward ? r.counterpart : r.headword;
            QCOMPARE(thai.substr(1), italian.substr(1)); // the pair belongs together
            ++(*seen)[italian];
        }
    }
    QCOMPARE(forward.size(), std::size_t(2 * kEntries));
    QVERIFY(forward == reverse);
    for (const auto& [word, count] : forward)
        QCOMPARE(count, 1);
}

void TestConcurrentWriters::killedWritersLeaveEachEntryInBothFilesOrNeither() {
    // A writer is killed at a random moment, over and over, with small records and with
    // large ones (whose write takes long enough to be torn). After each second kill the
    // start-up recovery runs; after the other ones the next writer's own recovery does.
    // Each time: both files read as whole records and hold the same entries. KILLS in the
    // environment runs longer.
    const int kills =
        qEnvironmentVariableIntValue("KILLS") > 0 ? qEnvironmentVariableIntValue("KILLS") : 200;
    const unsigned seed = std::random_device{}();
    qInfo("seed %u, %d kills", seed, kills);
    std::mt19937 random(seed);
    int undone = 0, checks = 0;
    std::size_t entries = 0;
    for (const bool large : {false, true}) {
        QTemporaryDir dir;
        const std::filesystem::path folder = dir.path().toStdString();
        for (int k = 0; k < kills / 2; ++k) {
            QProcess writer;
            writer.start(QStringLiteral(CONCURRENT_HELPER),
                         {QStringLiteral("forever"), dir.path(), QString::number(k),
                          QString::number(large ? 256 * 1024 : 1)});
            QVERIFY(writer.waitForStarted() && writer.waitForReadyRead(60000));
            // One kill in four comes after a whole entry, so that the folder holds some
            // however slow the disk's syncs are.
            while (k % 4 == 0 && !writer.readAllStandardOutput().contains("appended"))
                QVERIFY(writer.waitForReadyRead(60000));
            QTest::qSleep(static_cast<int>(random() % 40));
            ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished());
            if (k % 2 == 1 && k + 1 < kills / 2)
                continue;
            const datafiles::RecoveryResult recovered = datafiles::recoverUnfinishedWrite(folder);
            QVERIFY2(recovered.ok(), datafiles::describeError(recovered.error).c_str());
            undone += recovered.undone;
            QVERIFY(!std::filesystem::exists(folder / datafiles::kJournalFileName));
            std::multiset<std::string> seen[2];
            int side = 0;
            for (const char* name : {"LEXFWD_C.DAT", "LEXREV_B.DAT"}) {
                const auto bytes = datafiles::readWholeFile(folder / name);
                if (bytes.error == ENOENT) {
                    ++side;
                    continue;
                }
                QVERIFY(bytes.ok());
                const auto read = datafiles::readAllRecords(bytes.bytes);
                QVERIFY2(!read.truncated, name);
                for (const auto& r : read.records)
                    seen[side].insert(side == 0 ? r.headword : r.counterpart);
                ++side;
            }
            QVERIFY(seen[0] == seen[1]);
            entries = seen[0].size();
            ++checks;
        }
    }
    qInfo("%d kills, %d checks, %d unfinished entries undone, %zu entries in the last folder",
          kills, checks, undone, entries);
}

void TestConcurrentWriters::aLookUpBesideAWriteSeesTheFileBeforeOrAfterIt() {
    // Each entry's line ends with a comma after its seventh field and blank lines, so each
    // write replaces that comma by a line end and removes the blank lines before it
    // appends. A look-up reading in small windows meanwhile never sees a torn record and
    // never loses one it saw before.
    QTemporaryDir dir;
    const std::filesystem::path forward = dir.path().toStdString() + "/LEXFWD_C.DAT";
    const std::filesystem::path reverse = dir.path().toStdString() + "/LEXREV_B.DAT";
    const std::string tail = ",\r\n" + std::string(400, ' ') + "\r\n\r\n\r\n";
    auto line = [&tail](int i) {
        const std::string whole = datafiles::formatRecordLine(
            {"casa" + std::to_string(i), "baan", "-", "-", "@", "$", "$"});
        return whole.substr(0, whole.size() - 2) + tail;
    };
    QVERIFY(datafiles::appendEntry(forward, line(0), reverse, line(0)).ok());
    std::atomic<bool> done{false};
    std::atomic<long> scans{0};
    std::atomic<bool> failed{false};
    std::string fault; // the reader's until `failed` or the end
    std::thread reader([&] {
        std::size_t seen = 0;
        while (!done && fault.empty()) {
            datafiles::RecordStream stream({}, 16);
            if (const int error = stream.open(forward)) {
                fault = "open: " + datafiles::describeError(error);
                break;
            }
            std::size_t records = 0;
            datafiles::RecordView record;
            while (fault.empty() && !stream.atEnd()) {
                if (stream.next(record) != datafiles::ReadStatus::Record)
                    fault = "a torn record on line " + std::to_string(stream.line()) + ": " +
                            datafiles::describeError(stream.error());
                else if (record.fields[6] != "$" || !record.headword().starts_with("casa"))
                    fault = "a record out of step on line " + std::to_string(stream.line());
                ++records;
            }
            if (fault.empty() && records < seen)
                fault =
                    "records lost: " + std::to_string(records) + " after " + std::to_string(seen);
            seen = records;
            ++scans;
            failed = !fault.empty();
        }
    });
    std::mt19937 random(7);
    for (int i = 1; i <= 300 && !failed; ++i) {
        QVERIFY(datafiles::appendEntry(forward, line(i), reverse, line(i)).ok());
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 2000));
    }
    done = true;
    reader.join();
    QVERIFY2(fault.empty(), fault.c_str());
    qInfo("%ld scans beside 300 writes", scans.load());
}

void TestConcurrentWriters::appendsBesideChangesAndKilledChangesKeepEveryEntryInStep() {
    // One process appends while another moves entries' reverse records between LEXREV_B and
    // LEXREV_P, replacing both files at each change, and a third reads. Then changes are
    // killed at random moments, each followed by the recovery of the next program. Every
    // time: each forward record has its reverse record, nothing else is in the folder.
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    for (int i = 0; i < 20; ++i) {
        const datafiles::DictionaryRecord r{
            "ck_" + std::to_string(i), "bk_" + std::to_string(i), "-", "-", "@", "$", "$"};
        QVERIFY(datafiles::appendEntry(folder / "LEXFWD_C.DAT", datafiles::formatRecordLine(r),
                                       folder / "LEXREV_B.DAT",
                                       datafiles::formatRecordLine(datafiles::reverseOf(r)))
                    .ok());
    }
    auto inStep = [&folder](std::size_t appended) {
        std::multiset<std::pair<std::string, std::string>> forward, reverse;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            QVERIFY2(name.ends_with(".DAT") || name == "stop", name.c_str());
            if (!name.ends_with(".DAT"))
                continue;
            const auto bytes = datafiles::readWholeFile(entry.path());
            QVERIFY(bytes.ok());
            const auto read = datafiles::readAllRecords(bytes.bytes);
            QVERIFY2(!read.truncated, name.c_str());
            for (const auto& r : read.records)
                (name.starts_with("LEXFWD") ? forward : reverse)
                    .insert(name.starts_with("LEXFWD") ? std::pair{r.headword, r.counterpart}
                                                       : std::pair{r.counterpart, r.headword});
        }
        QCOMPARE(forward.size(), 20 + appended);
        QVERIFY(forward == reverse);
    };
    const QString helper = QStringLiteral(CONCURRENT_HELPER);
    const QString stop = dir.filePath(QStringLiteral("stop"));
    QProcess reader, writer, changer;
    reader.start(helper, {QStringLiteral("read"), dir.path(), stop});
    writer.start(helper,
                 {QStringLiteral("write"), dir.path(), QStringLiteral("a"), QStringLiteral("200")});
    changer.start(helper, {QStringLiteral("change"), dir.path(), QStringLiteral("200")});
    for (QProcess* p : {&writer, &changer}) {
        QVERIFY(p->waitForFinished(120000));
        QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
    }
    std::ofstream(stop.toStdString()) << "done";
    QVERIFY(reader.waitForFinished(60000));
    QCOMPARE(reader.exitCode(), 0);
    inStep(200);

    const int kills =
        qEnvironmentVariableIntValue("KILLS") > 0 ? qEnvironmentVariableIntValue("KILLS") / 2 : 60;
    std::mt19937 random(std::random_device{}());
    int finished = 0;
    for (int k = 0; k < kills; ++k) {
        QProcess killed;
        killed.start(helper, {QStringLiteral("change"), dir.path(), QStringLiteral("0")});
        QVERIFY(killed.waitForStarted() && killed.waitForReadyRead(60000));
        QTest::qSleep(static_cast<int>(random() % 30));
        ::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
        QVERIFY(killed.waitForFinished());
        const datafiles::RecoveryResult recovered = datafiles::recoverUnfinishedWrite(folder);
        QVERIFY2(recovered.ok(), datafiles::describeError(recovered.error).c_str());
        finished += recovered.finished;
        inStep(200);
    }
    qInfo("%d changes killed, %d finished by the recovery", kills, finished);
}

void TestConcurrentWriters::killedRecordingsLeaveNoHalfFileAndNoRecordNamingAMissingOne() {
    // A word is recorded again and again, as the Words page records it, and the process is
    // killed at random moments. After each kill and the next program's recovery: both records
    // name the same sound, the file they name is there and whole, and every recording under a
    // real name is whole (a cut one may only stay under its temporary name).
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    const datafiles::DictionaryRecord casa{"casa", "baan", "s.f.", "-", "\xBA\xE9\xD2\xB9",
                                           "$",    "$"};
    std::ofstream(folder / "LEXFWD_C.DAT", std::ios::binary) << datafiles::formatRecordLine(casa);
    std::ofstream(folder / "LEXREV_B.DAT", std::ios::binary)
        << datafiles::formatRecordLine(datafiles::reverseOf(casa));
    // A WAV whose header tells the size the file has.
    auto whole = [](const std::filesystem::path& file) {
        const auto bytes = datafiles::readWholeFile(file);
        if (!bytes.ok() || bytes.bytes.size() < 44 || bytes.bytes.compare(0, 4, "RIFF") != 0)
            return false;
        std::uint32_t data = 0;
        std::memcpy(&data, bytes.bytes.data() + 40, 4);
        return bytes.bytes.size() == 44 + std::size_t(data);
    };
    const int kills = 40;
    std::mt19937 random(std::random_device{}());
    std::set<std::string> named;
    for (int k = 0; k < kills; ++k) {
        QProcess recorder;
        recorder.start(QStringLiteral(CONCURRENT_HELPER), {QStringLiteral("record"), dir.path()});
        QVERIFY(recorder.waitForStarted() && recorder.waitForReadyRead(60000));
        // Every other kill comes after a finished take, so that the records name a file
        // however slow the disk's syncs are; the others may come before the first one.
        while (k % 2 == 0 && !recorder.readAllStandardOutput().contains("take"))
            QVERIFY(recorder.waitForReadyRead(60000));
        QTest::qSleep(static_cast<int>(random() % 60));
        ::kill(static_cast<pid_t>(recorder.processId()), SIGKILL);
        QVERIFY(recorder.waitForFinished());
        QCOMPARE(recorder.exitStatus(), QProcess::CrashExit); // killed, not failed
        QVERIFY(datafiles::recoverUnfinishedWrite(folder).ok());
        std::string sound[2];
        int side = 0;
        for (const char* name : {"LEXFWD_C.DAT", "LEXREV_B.DAT"}) {
            const auto read =
                datafiles::readAllRecords(datafiles::readWholeFile(folder / name).bytes);
            QCOMPARE(read.records.size(), std::size_t(1));
            sound[side++] = read.records.front().thaiSound;
        }
        QCOMPARE(sound[0], sound[1]);
        if (sound[0] != "$") {
            QVERIFY2(whole(folder / sound[0]), sound[0].c_str());
            named.insert(sound[0]);
        }
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".wav" &&
                !entry.path().filename().string().starts_with("."))
                QVERIFY2(whole(entry.path()), entry.path().filename().c_str());
    }
    qInfo("%d recordings killed; the records named %zu different files", kills, named.size());
    QVERIFY(!named.empty());
}

void TestConcurrentWriters::killedImportsLeaveEveryEntryWholeAndNoneTwice() {
    // A large import is killed at random moments, over and over, each run going on from where
    // the one before stopped. After each kill and the next program's recovery, every entry is
    // in its forward and its reverse file or in neither, and none is there twice; the last
    // run, left to its end, adds exactly what is still missing. KILLS in the environment runs
    // longer.
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString() + "/words";
    std::filesystem::create_directory(folder);
    const int rows = 30000;
    const QString csv = dir.filePath(QStringLiteral("words.csv"));
    {
        std::ofstream out(csv.toStdString(), std::ios::binary);
        out << "italiano,pronuncia,thai,note\n";
        for (int i = 0; i < rows; ++i)
            out << char('a' + i % 26) << "parola" << i << ',' << char('a' + i * 7 % 26) << 'p' << i
                << ",\xe0\xb8\x9a\xe0\xb9\x89\xe0\xb8\xb2\xe0\xb8\x99,riga " << i << "\n";
    }
    auto import = [&](QProcess& process) {
        process.start(QStringLiteral(THAI_KIT_PROGRAM),
                      {QStringLiteral("import"), csv, QStringLiteral("--folder"),
                       QString::fromStdString(folder.string() + "/")});
        return process.waitForStarted();
    };
    // Each kill lands within the time of a whole import, measured first in another folder.
    QElapsedTimer timer;
    timer.start();
    {
        QProcess whole;
        QVERIFY(import(whole) && whole.waitForFinished(120000));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directory(folder);
    }
    const int spanMs = std::max<int>(20, static_cast<int>(timer.elapsed()));
    const int kills =
        qEnvironmentVariableIntValue("KILLS") > 0 ? qEnvironmentVariableIntValue("KILLS") : 25;
    const unsigned seed = std::random_device{}();
    qInfo("seed %u, %d kills within %d ms", seed, kills, spanMs);
    std::mt19937 random(seed);
    int undone = 0;
    std::size_t entries = 0;
    for (int k = 0; k <= kills; ++k) {
        QProcess run;
        QVERIFY(import(run));
        if (k < kills) {
            QTest::qSleep(static_cast<int>(random() % static_cast<unsigned>(spanMs / 2)));
            ::kill(static_cast<pid_t>(run.processId()), SIGKILL);
        }
        QVERIFY(run.waitForFinished(120000));
        if (k == kills) {
            QCOMPARE(run.exitStatus(), QProcess::NormalExit);
            QCOMPARE(run.exitCode(), 0);
            QVERIFY2(run.readAllStandardOutput().contains(
                         QStringLiteral("%1 added, %2 already there, 0 refused")
                             .arg(rows - static_cast<int>(entries))
                             .arg(entries)
                             .toUtf8()),
                     "the last run did not add exactly what was missing");
        }
        const datafiles::RecoveryResult recovered = datafiles::recoverUnfinishedWrite(folder);
        QVERIFY2(recovered.ok(), datafiles::describeError(recovered.error).c_str());
        undone += recovered.undone;
        // (head word, pronunciation) of each forward record, and the same of each reverse one.
        std::multiset<std::string> seen[2];
        for (const auto& file : std::filesystem::directory_iterator(folder)) {
            const std::string name = file.path().filename().string();
            QVERIFY2(name.size() == 12 && name.ends_with(".DAT"), name.c_str());
            const auto bytes = datafiles::readWholeFile(file.path());
            QVERIFY(bytes.ok());
            const auto read = datafiles::readAllRecords(bytes.bytes);
            QVERIFY2(!read.truncated, name.c_str());
            const bool forward = name.starts_with("LEXFWD");
            for (const auto& r : read.records)
                seen[forward ? 0 : 1].insert(forward ? r.headword + '=' + r.counterpart
                                                     : r.counterpart + '=' + r.headword);
        }
        QVERIFY(seen[0] == seen[1]);
        QVERIFY(std::set<std::string>(seen[0].begin(), seen[0].end()).size() == seen[0].size());
        entries = seen[0].size();
    }
    QCOMPARE(entries, std::size_t(rows));
    qInfo("%d imports killed, %d unfinished batches undone by the recovery", kills, undone);
}

QTEST_APPLESS_MAIN(TestConcurrentWriters)
#include "test_concurrent_writers.moc"

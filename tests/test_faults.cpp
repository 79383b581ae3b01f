// Faults that hold for root too: a folder where a file should be, a path through a
// regular file, a file size limit in a child process, huge fields and random bytes. Each
// ends with a message box naming the file, the program running, and every stored byte
// as it was.

#include "console_fixture.h"

#include "datafiles/entry_writer.h"
#include "datafiles/file_io.h"
#include "datafiles/record_reader.h"
#include "datafiles/record_writer.h"
#include "failing_file_ops.h"
#include "real_input.h"
#include "watchdog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <random>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::Answer;

namespace {

// The bytes as they are, whatever lock another program holds.
std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void openPanelWith(ConsoleFixture& f, const QString& italian, const QString& pronunciation) {
    f.control<QPushButton>("Command5")->click();
    f.control<QLineEdit>("Text1")->setText(italian);
    f.control<QLineEdit>("Text4")->setText(pronunciation);
    f.control<QPushButton>("Command3D5")->click();
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void forwardAppendFailingWritesNothing();
    void dataFolderThroughAFile();
    void partialWriteIsCutBack();
    void hugeFieldsAndRandomBytes();
    void pipesAndDevicesAreRefusedWithoutWaiting();
    void anotherProgramsLockIsWaitedForThenReported();
    void anInterruptedWriteIsUndoneAtStartUp();
    void whatStartUpCannotFinishIsToldAtOnce();
    void blankLinesAtTheEndDoNotSwallowTheNextEntry();
    void longWordsCanBeLookedUp();
};

void TestFaults::forwardAppendFailingWritesNothing() {
    ConsoleFixture f;
    std::filesystem::create_directory(f.file("LEXFWD_C.DAT"));
    const std::string reverse = datafiles::formatRecordLine(entry("bok", "dire"));
    f.writeBytes("LEXREV_B.DAT", reverse);
    f.start();
    openPanelWith(f, "casa", "baan");
    f.dialogs().expectMessage(
        QStringLiteral("LEXFWD_C.DAT\" could not be written: it is a folder"));
    f.control<QPushButton>("Command3D3")->click();
    QCOMPARE(readAll(f.file("LEXREV_B.DAT")), reverse);
    QVERIFY(!f.control<QWidget>("Command3D3")->isHidden()); // still ready to write
    QVERIFY(!f.ended());
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestFaults::dataFolderThroughAFile() {
    ConsoleFixture f;
    f.writeBytes("plain", "not a folder");
    f.start(f.folder() + QStringLiteral("plain/"));
    f.dialogs().expectMessage(
        QStringLiteral("plain/LEXFWD_C.DAT\" could not be read: a part of the path is a file"));
    f.lookUp(QStringLiteral("casa"));
    openPanelWith(f, "casa", "baan");
    f.dialogs().expectMessage(QStringLiteral("plain/LEXFWD_C.DAT\" could not be written"));
    f.control<QPushButton>("Command3D3")->click();
    QCOMPARE(readAll(f.file("plain")), std::string("not a folder"));
    QVERIFY(!f.ended());
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestFaults::partialWriteIsCutBack() {
    // A file size limit lets the journal and the forward line in but cuts the reverse line
    // short: the reverse file is cut back and the forward line removed again.
    QTemporaryDir dir;
    const std::filesystem::path forward = dir.filePath("LEXFWD_C.DAT").toStdString();
    const std::filesystem::path reverse = dir.filePath("LEXREV_B.DAT").toStdString();
    const std::string before = datafiles::formatRecordLine(entry("cane", "maa"));
    std::string longer;
    for (int i = 0; i < 20; ++i)
        longer += before;
    std::ofstream(forward, std::ios::binary) << before;
    std::ofstream(reverse, std::ios::binary) << longer;
    const std::string line = datafiles::formatRecordLine(entry("casa", "baan"));
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{longer.size() + 10, longer.size() + 10};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto result = datafiles::appendEntry(forward, line, reverse, line);
        const bool expected = result.problem == datafiles::EntryWriteResult::Problem::WriteFailed &&
                              result.file == datafiles::EntryWriteResult::File::Reverse &&
                              result.error == EFBIG;
        ::_exit(expected ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(readAll(forward), before);
    QCOMPARE(readAll(reverse), longer);
    QVERIFY(!std::filesystem::exists(dir.filePath(datafiles::kJournalFileName).toStdString()));
}

void TestFaults::hugeFieldsAndRandomBytes() {
    ConsoleFixture f;
    // A 1 MiB note, read and written whole.
    const std::string huge(1 << 20, 'n');
    f.writeRecords("LEXFWD_C.DAT", {entry("casa", "baan", "-", huge)});
    std::mt19937 rng(42);
    std::string noise(64 * 1024, '\0');
    for (char& c : noise)
        c = static_cast<char>(rng());
    f.writeBytes("LEXFWD_R.DAT", noise);
    f.start();
    f.dialogs().expectMessage(QStringLiteral("Wish insert another"), Answer::No);
    f.lookUp(QStringLiteral("casa"));
    // The note's pieces, however many rows it takes, hold "  (", the whole note and ")".
    qsizetype noteLength = 0;
    for (const platform::PrintedPiece& piece : f.form().console()->pieces())
        if (piece.color == platform::Palette::LightGrey)
            noteLength += piece.text.size();
    QCOMPARE(noteLength, (1 << 20) + 4);
    // Random bytes: the look-up ends with the message about a torn record, or, when they
    // happen to read as whole records, with the not-found question.
    if (datafiles::readAllRecords(noise).truncated)
        f.dialogs().expectMessage(QStringLiteral("LEXFWD_R.DAT\" could not be read"));
    else
        f.dialogs().expectMessage(QStringLiteral("Not Found"), Answer::No);
    f.lookUp(QStringLiteral("rumore"));
    QCOMPARE(f.dialogs().problems(), QStringList());
    QCOMPARE(readAll(f.file("LEXFWD_R.DAT")), noise);
    // The entry panel writes a 1 MiB note in one line.
    openPanelWith(f, "casa", "baan");
    f.control<QPushButton>("Command3D4")->click();
    f.control<QLineEdit>("Text1")->setText(QStringLiteral("casa"));
    f.control<QLineEdit>("Text4")->setText(QStringLiteral("baan"));
    f.control<QLineEdit>("Text5")->setText(QString(1 << 20, QLatin1Char('m')));
    f.control<QPushButton>("Command3D5")->click();
    f.control<QPushButton>("Command3D3")->click();
    const auto records = datafiles::readAllRecords(readAll(f.file("LEXFWD_C.DAT"))).records;
    QCOMPARE(records.size(), std::size_t(2));
    QCOMPARE(records[1].note.size(), std::size_t(1 << 20));
    QVERIFY(!f.ended());
}

void TestFaults::pipesAndDevicesAreRefusedWithoutWaiting() {
    // Opening a pipe for reading waits for a writer, and a device never ends: the look-up
    // says so at once instead.
    Watchdog watchdog(20);
    ConsoleFixture f;
    QCOMPARE(::mkfifo(f.file("LEXFWD_C.DAT").c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/zero", f.file("LEXFWD_Z.DAT"));
    f.start();
    f.dialogs().expectMessage(
        QStringLiteral("LEXFWD_C.DAT\" could not be read: it is not an ordinary file"));
    f.lookUp(QStringLiteral("casa"));
    f.dialogs().expectMessage(
        QStringLiteral("LEXFWD_Z.DAT\" could not be read: it is not an ordinary file"));
    f.lookUp(QStringLiteral("zero"));
    openPanelWith(f, "casa", "baan");
    f.dialogs().expectMessage(
        QStringLiteral("LEXFWD_C.DAT\" could not be written: it is not an ordinary file"));
    f.control<QPushButton>("Command3D3")->click();
    QVERIFY(!std::filesystem::exists(f.file("LEXREV_B.DAT")));
    QVERIFY(!f.ended());
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestFaults::anotherProgramsLockIsWaitedForThenReported() {
    ConsoleFixture f;
    const std::string cane = datafiles::formatRecordLine(entry("cane", "maa"));
    f.writeBytes("LEXFWD_C.DAT", cane);
    const int fd = ::open(f.file("LEXFWD_C.DAT").c_str(), O_RDWR);
    QVERIFY(fd >= 0);
    QCOMPARE(::flock(fd, LOCK_EX), 0);
    f.start();
    f.dialogs().expectMessage(
        QStringLiteral("LEXFWD_C.DAT\" could not be read: it is in use by another program"));
    f.lookUp(QStringLiteral("cane"));
    openPanelWith(f, "casa", "baan");
    f.dialogs().expectMessage(QStringLiteral(
        "LEXFWD_C.DAT\" is in use by another program. Nothing was stored; try again in a moment."));
    f.control<QPushButton>("Command3D3")->click();
    QVERIFY(!f.control<QWidget>("Command3D3")->isHidden()); // ready to try again
    QCOMPARE(readAll(f.file("LEXFWD_C.DAT")), cane);
    QVERIFY(!std::filesystem::exists(f.file("LEXREV_B.DAT")));
    // The other program lets go: the same click writes.
    ::close(fd);
    f.control<QPushButton>("Command3D3")->click();
    QCOMPARE(readAll(f.file("LEXFWD_C.DAT")),
             cane + datafiles::formatRecordLine(entry("casa", "baan")));
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestFaults::anInterruptedWriteIsUndoneAtStartUp() {
    // An earlier write that could neither finish nor be rolled back (the disk failed)
    // left the forward line alone; the next start removes it and says so.
    ConsoleFixture f;
    const std::string cane = datafiles::formatRecordLine(entry("cane", "maa"));
    const std::string maa = datafiles::formatRecordLine(entry("maa", "cane"));
    f.writeBytes("LEXFWD_C.DAT", cane);
    f.writeBytes("LEXREV_B.DAT", maa);
    FailingFileOps ops;
    ops.fail({FailingFileOps::Call::Write, "LEXREV", 1, ENOSPC});
    ops.fail({FailingFileOps::Call::Ftruncate, "LEXFWD", 1, EIO});
    const auto line = datafiles::formatRecordLine(entry("casa", "baan"));
    QCOMPARE(datafiles::appendEntry(f.file("LEXFWD_C.DAT"), line, f.file("LEXREV_B.DAT"),
                                    datafiles::formatRecordLine(entry("baan", "casa")),
                                    {&ops, std::chrono::milliseconds(100)})
                 .problem,
             datafiles::EntryWriteResult::Problem::RollbackFailed);
    QCOMPARE(readAll(f.file("LEXFWD_C.DAT")), cane + line);
    f.dialogs().expectInput(QStringLiteral("Path Folder"), f.folder());
    f.dialogs().expectMessage(QStringLiteral(
        "Vocaboro stopped before it had finished writing the entry \"casa\" = \"baan\". The "
        "part already stored has been removed"));
    f.startAsScripted();
    QCOMPARE(readAll(f.file("LEXFWD_C.DAT")), cane);
    QCOMPARE(readAll(f.file("LEXREV_B.DAT")), maa);
    QVERIFY(!std::filesystem::exists(f.file(QLatin1String(datafiles::kJournalFileName))));
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestFaults::whatStartUpCannotFinishIsToldAtOnce() {
    // A write that left the forward line alone and its journal, then what happened to the
    // folder before the next start; the start tells it, naming the file.
    const std::string cane = datafiles::formatRecordLine(entry("cane", "maa"));
    const std::string line = datafiles::formatRecordLine(entry("casa", "baan"));
    auto interrupt = [&](ConsoleFixture& f) {
        f.writeBytes("LEXFWD_C.DAT", cane);
        f.writeBytes("LEXREV_B.DAT", datafiles::formatRecordLine(entry("maa", "cane")));
        FailingFileOps ops;
        ops.fail({FailingFileOps::Call::Write, "LEXREV", 1, ENOSPC});
        ops.fail({FailingFileOps::Call::Ftruncate, "LEXFWD", 1, EIO});
        datafiles::appendEntry(f.file("LEXFWD_C.DAT"), line, f.file("LEXREV_B.DAT"),
                               datafiles::formatRecordLine(entry("baan", "casa")),
                               {&ops, std::chrono::milliseconds(100)});
    };
    const QString journal = QLatin1String(datafiles::kJournalFileName);
    struct Case {
        std::function<void(ConsoleFixture&, std::vector<int>& held)> before;
        QString told;      // the message of the start
        std::string stays; // the forward file afterwards
    };
    auto hold = [](const std::filesystem::path& file, std::vector<int>& held) {
        held.push_back(::open(file.c_str(), O_RDWR));
        ::flock(held.back(), LOCK_EX);
    };
    const Case cases[] = {
        {[&](ConsoleFixture& f, auto&) {
             interrupt(f);
             std::filesystem::resize_file(f.file(journal),
                                          std::filesystem::file_size(f.file(journal)) - 1);
         },
         QStringLiteral("writing the entry \"casa\" = \"baan\", and its record of that write, "
                        "\"%1VOCABORO.JNL\", is damaged. Nothing was removed, so the entry may "
                        "be in one data file only: please check the last lines of "
                        "\"%1LEXFWD_C.DAT\" and \"%1LEXREV_B.DAT\". The damaged record was "
                        "kept as \"%1VOCABORO.JNL.damaged-1\"."),
         cane + line},
        {[&](ConsoleFixture& f, auto& held) {
             interrupt(f);
             hold(f.file(journal), held);
         },
         QStringLiteral("Vocaboro cannot use \"%1VOCABORO.JNL\", its record of an unfinished "
                        "write: it is in use by another program."),
         cane + line},
        {[&](ConsoleFixture& f, auto& held) {
             interrupt(f);
             hold(f.file("LEXFWD_C.DAT"), held);
         },
         QStringLiteral("the part already stored in \"%1LEXFWD_C.DAT\" could not be removed "
                        "yet: it is in use by another program."),
         cane + line},
        {[&](ConsoleFixture& f, auto&) {
             interrupt(f);
             std::filesystem::remove(f.file("LEXREV_B.DAT"));
         },
         QStringLiteral("The part already stored has been removed"), cane},
        {[&](ConsoleFixture& f, auto&) {
             f.writeBytes("LEXFWD_C.DAT", cane);
             f.writeBytes("notes.txt", "mine");
             std::filesystem::create_symlink(f.file("notes.txt"), f.file(journal));
         },
         QStringLiteral("\"%1VOCABORO.JNL\" is where Vocaboro keeps the record of an "
                        "unfinished write, but it is a symbolic link. Vocaboro "
                        "neither reads nor changes it"),
         cane},
    };
    for (const Case& c : cases) {
        ConsoleFixture f;
        std::vector<int> held;
        c.before(f, held);
        f.dialogs().expectInput(QStringLiteral("Path Folder"), f.folder());
        f.dialogs().expectMessage(QString(c.told).replace(QLatin1String("%1"), f.folder()));
        f.startAsScripted();
        QCOMPARE(f.dialogs().problems(), QStringList());
        QCOMPARE(readAll(f.file("LEXFWD_C.DAT")), c.stays);
        for (const int fd : held)
            ::close(fd);
    }
    // A write beside a journal that is a link names the journal, and stores nothing.
    ConsoleFixture f;
    f.writeBytes("notes.txt", "mine");
    std::filesystem::create_symlink(f.file("notes.txt"), f.file(journal));
    f.dialogs().expectInput(QStringLiteral("Path Folder"), f.folder());
    f.dialogs().expectMessage(QStringLiteral("is a symbolic link"));
    f.startAsScripted();
    openPanelWith(f, "casa", "baan");
    f.dialogs().expectMessage(f.folder() +
                              QStringLiteral("VOCABORO.JNL\" cannot be Vocaboro's journal of "
                                             "unfinished writes: it is a symbolic link"));
    f.control<QPushButton>("Command3D3")->click();
    QCOMPARE(readAll(f.file("notes.txt")), std::string("mine"));
    QVERIFY(!std::filesystem::exists(f.file("LEXFWD_C.DAT")));
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestFaults::blankLinesAtTheEndDoNotSwallowTheNextEntry() {
    // A hand-edited file that ends with blank lines, and one whose short last record ends
    // with its line end: the first takes the entry where the look-up then finds it, the
    // second is refused with its line named, as it cannot take a record.
    ConsoleFixture f;
    const std::string cane = datafiles::formatRecordLine(entry("cane", "maa"));
    f.writeBytes("LEXFWD_C.DAT", cane + "\r\n\r\n");
    f.writeBytes("LEXREV_B.DAT", "\"bok\",\"dire\"\r\n");
    f.start();
    openPanelWith(f, "casa", "naa");
    f.control<QPushButton>("Command3D3")->click();
    QVERIFY(f.control<QWidget>("Command3D3")->isHidden()); // written
    f.dialogs().expectMessage(QStringLiteral("Wish insert another"), Answer::No);
    f.lookUp(QStringLiteral("casa"));
    QVERIFY(f.consoleLines().join(QLatin1Char('|')).contains(QStringLiteral("[ naa ]")));

    f.control<QPushButton>("Command3D6")->click();
    openPanelWith(f, "cosa", "baan");
    f.dialogs().expectMessage(QStringLiteral(
        "LEXREV_B.DAT\" ends with an incomplete record on line 1. Nothing was stored"));
    f.control<QPushButton>("Command3D3")->click();
    QCOMPARE(datafiles::readAllRecords(readAll(f.file("LEXFWD_C.DAT"))).records.size(),
             std::size_t(2));
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestFaults::longWordsCanBeLookedUp() {
    // The look-up box takes a word of any length, as the entry boxes do.
    ConsoleFixture f;
    const std::string word = "c" + std::string(40000, 'a');
    f.writeRecords("LEXFWD_C.DAT", {entry(word, "yaaw")});
    f.start();
    f.dialogs().expectMessage(QStringLiteral("Wish insert another"), Answer::No);
    real::activate(&f.form());
    real::click(f.control<QPushButton>("Command3D10"));
    real::paste(QString::fromStdString(word));
    real::press(Qt::Key_Return);
    QCOMPARE(f.form().matchCount(), 1);
    QCOMPARE(f.dialogs().problems(), QStringList());
}

QTEST_MAIN(TestFaults)
#include "test_faults.moc"

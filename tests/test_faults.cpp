// Faults that hold for root too: a folder where a file should be, a path through a
// regular file, a file size limit in a child process, huge fields and random bytes. Each
// ends with a message box naming the file, the program running, and every stored byte
// as it was.

#include "console_fixture.h"

#include "datafiles/entry_writer.h"
#include "datafiles/file_io.h"
#include "datafiles/record_writer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <csignal>
#include <fstream>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::Answer;

namespace {

std::string readAll(const std::filesystem::path& p) {
    return datafiles::readWholeFile(p).bytes;
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
    void forwardAppendFailingWritesNothing();
    void dataFolderThroughAFile();
    void partialWriteIsCutBack();
    void hugeFieldsAndRandomBytes();
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
    // A file size limit lets the forward line in but cuts the reverse line short: the
    // reverse file is cut back and the forward line removed again.
    QTemporaryDir dir;
    const std::filesystem::path forward = dir.filePath("LEXFWD_C.DAT").toStdString();
    const std::filesystem::path reverse = dir.filePath("LEXREV_B.DAT").toStdString();
    const std::string before = datafiles::formatRecordLine(entry("cane", "maa"));
    std::ofstream(forward, std::ios::binary) << before;
    std::ofstream(reverse, std::ios::binary) << before + before;
    const std::string line = datafiles::formatRecordLine(entry("casa", "baan"));
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{before.size() * 2 + 10, before.size() * 2 + 10};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto result = datafiles::appendEntry(forward, line, reverse, line);
        const bool expected = result.problem == datafiles::EntryWriteResult::Problem::WriteFailed &&
                              result.reverseFile && result.error == EIO;
        ::_exit(expected ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(readAll(forward), before);
    QCOMPARE(readAll(reverse), before + before);

    // A write to a full disk fails whole.
    if (std::filesystem::exists("/dev/full")) {
        const auto full = datafiles::appendEntry(forward, line, "/dev/full", line);
        QCOMPARE(full.problem, datafiles::EntryWriteResult::Problem::WriteFailed);
        QCOMPARE(full.error, ENOSPC);
        QCOMPARE(readAll(forward), before);
    }
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
        if (piece.color == 7)
            noteLength += piece.text.size();
    QCOMPARE(noteLength, (1 << 20) + 4);
    // Random bytes: whatever they hold, the look-up ends with a question or a message.
    f.lookUp(QStringLiteral("rumore"));
    QVERIFY(f.dialogs().asked().size() >= 3);
    const QString last = f.dialogs().asked().last().text;
    QVERIFY2(last.contains(QStringLiteral("Not Found")) ||
                 last.contains(QStringLiteral("LEXFWD_R.DAT")),
             qPrintable(last.left(200)));
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

QTEST_MAIN(TestFaults)
#include "test_faults.moc"

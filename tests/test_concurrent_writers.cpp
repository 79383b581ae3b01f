// Two processes append 2,000 entries each to the same letter files through the kit's
// writer while a third reads them in a loop.

#include "datafiles/file_io.h"
#include "datafiles/record_reader.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <map>

class TestConcurrentWriters : public QObject {
    Q_OBJECT
private slots:
    void twoWritersAndAReader();
};

void TestConcurrentWriters::twoWritersAndAReader() {
    constexpr int kEntries = 2000;
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

QTEST_APPLESS_MAIN(TestConcurrentWriters)
#include "test_concurrent_writers.moc"

// The export for Anki, read back by an independent parser (Python's csv module, after Anki's
// header lines): every field as the data files hold it, decoded; the note ids stay when words
// are added; an export killed at any moment leaves the old file or the whole new one.

#include "datafiles/record_reader.h"
#include "ripasso/anki_export.h"
#include "thaitext/codec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fstream>
#include <random>
#include <set>

using namespace ripasso;
namespace fs = std::filesystem;

namespace {

// The header lines, then each row's fields, as Python reads the file.
const char* const kReader = R"py(
import csv, io, json, sys
text = open(sys.argv[1], encoding='utf-8', newline='').read()
header = []
while text.startswith('#'):
    line, text = text.split('\n', 1)
    header.append(line)
rows = list(csv.reader(io.StringIO(text, newline=''), delimiter='\t'))
print(json.dumps([header] + rows))
)py";

QList<QStringList> readByPython(const fs::path& file) {
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"), QLatin1String(kReader),
                                             QString::fromStdString(file.string())});
    if (!python.waitForFinished() || python.exitCode() != 0)
        qWarning("%s", python.readAllStandardError().constData());
    QList<QStringList> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(python.readAllStandardOutput()).array())
        rows << row.toVariant().toStringList();
    return rows;
}

QString latin(std::string_view bytes, const char* none = "") {
    return bytes == none ? QString() : QString::fromStdU16String(thaitext::decodeCp1252(bytes));
}

// Each forward record that is no cross-reference, as its note should read.
QList<QStringList> expectedNotes(const fs::path& folder) {
    QList<QStringList> notes;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const auto file =
            datafiles::readWholeFile(folder / ("LEXFWD_" + std::string(1, letter) + ".DAT"));
        for (const datafiles::DictionaryRecord& r : datafiles::readAllRecords(file.bytes).records)
            if (!r.isCrossReference())
                notes << QStringList{
                    latin(r.headword), latin(r.counterpart),
                    r.thai == "@" ? QString()
                                  : QString::fromStdU16String(thaitext::decodeTis620(r.thai)),
                    latin(r.attribute, "-"), latin(r.note, "-")};
    }
    return notes;
}

ExportResult exportFolder(const fs::path& folder, const fs::path& target) {
    return exportForAnki([&](const std::string& name) { return folder / name; }, target,
                         kDefaultDeck);
}

} // namespace

class TestRipassoExport : public QObject {
    Q_OBJECT
private slots:
    void everyFieldComesBackAsTheFilesHoldIt_data();
    void everyFieldComesBackAsTheFilesHoldIt();
    void aKilledExportLeavesTheOldFileOrTheWholeNewOne();
};

void TestRipassoExport::everyFieldComesBackAsTheFilesHoldIt_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QByteArray>("added"); // to LEXFWD_C.DAT of a copy, before a second export
    QTest::newRow("starter dictionary") << QStringLiteral(STARTER_FOLDER)
                                        << QByteArray("\"cavolo\",\"ka lam\",\"s.m.\",\"-\","
                                                      "\"@\",\"$\",\"$\"\r\n");
    // A bare field may hold a double quote, a quoted one a tab or a line break; a head word
    // that begins with "#" would be a comment line to Anki.
    QTest::newRow("tabs, quotes, line breaks")
        << QString()
        << QByteArray("ca\"sa,\"baan\",\"s. f.\",\"con\ttab\",\"@\",\"$\",\"$\"\r\n"
                      "\"#uno\",\"nung\",\"-\",\"riga\r\nseconda\",\"\xB9\",\"$\","
                      "\"$\"\r\n\"caff\xE8\",\"kafee\",\"-\",\"-\",\"@\",\"$\",\"$\"\r\n");
}

void TestRipassoExport::everyFieldComesBackAsTheFilesHoldIt() {
    QFETCH(QString, folder);
    QFETCH(QByteArray, added);
    QTemporaryDir dir;
    const fs::path words = dir.path().toStdString() + "/words";
    fs::create_directory(words);
    if (!folder.isEmpty())
        fs::copy(folder.toStdString(), words);
    const fs::path target = dir.path().toStdString() + "/anki.txt";
    QMap<QString, QString> idsBefore;
    for (const int pass : {1, 2}) {
        const ExportResult result = exportFolder(words, target);
        QVERIFY2(result.written, result.error.c_str());
        const QList<QStringList> rows = readByPython(target);
        QVERIFY(!rows.isEmpty());
        QCOMPARE(rows[0], (QStringList{"#separator:tab", "#html:false",
                                       "#notetype:Basic (and reversed card)", "#deck:Thai",
                                       "#columns:Front\tBack\tThai\tAttribute\tNote\tTags\tGUID",
                                       "#tags:ripasso", "#tags column:6", "#guid column:7"}));
        const QList<QStringList> expected = expectedNotes(words);
        QCOMPARE(rows.size() - 1, expected.size());
        QCOMPARE(int(result.notes), expected.size());
        QSet<QString> ids;
        QMap<QString, int> seen; // the records of each word and pronunciation so far
        for (qsizetype i = 1; i < rows.size(); ++i) {
            const QStringList& row = rows[i];
            QCOMPARE(row.mid(0, 5), expected[i - 1]);
            QCOMPARE(row[5], QString(row[3]).replace(QLatin1Char(' '), QLatin1Char('_')));
            ids.insert(row[6]);
            const QString word = row[0] + QLatin1Char('|') + row[1] + QLatin1Char('|') +
                                 QString::number(++seen[row[0] + QLatin1Char('|') + row[1]]);
            if (pass == 2 && idsBefore.contains(word))
                QCOMPARE(row[6], idsBefore[word]); // the same note again, not a new one
            if (!idsBefore.contains(word))
                idsBefore[word] = row[6];
        }
        QCOMPARE(ids.size(), rows.size() - 1);
        std::ofstream(words / "LEXFWD_C.DAT", std::ios::app | std::ios::binary)
            << added.toStdString();
    }
    QCOMPARE(int(std::distance(fs::directory_iterator(dir.path().toStdString()),
                               fs::directory_iterator())),
             2); // no temporary file left
}

void TestRipassoExport::aKilledExportLeavesTheOldFileOrTheWholeNewOne() {
    QTemporaryDir dir;
    const fs::path words = dir.path().toStdString() + "/words";
    fs::create_directory(words);
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        std::ofstream file(words / ("LEXFWD_" + std::string(1, letter) + ".DAT"), std::ios::binary);
        for (int i = 0; i < 6000; ++i)
            file << "\"" << letter << "parola" << i << "\",\"kham " << i
                 << "\",\"s.f.\",\"una nota\",\"\xA4\xD3\",\"$\",\"$\"\r\n";
    }
    const fs::path target = dir.path().toStdString() + "/anki.txt";
    const std::string old = "an older export\n";
    std::mt19937 random(std::random_device{}());
    int whole = 0;
    for (int run = 0; run < 12; ++run) {
        std::ofstream(target, std::ios::binary | std::ios::trunc) << old;
        QProcess exporter;
        exporter.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        exporter.start(QStringLiteral(RIPASSO_PROGRAM),
                       {QStringLiteral("--export-anki"), QString::fromStdString(target.string()),
                        QStringLiteral("--folder"), QString::fromStdString(words.string())});
        QVERIFY(exporter.waitForStarted());
        QTest::qSleep(static_cast<int>(random() % 250));
        ::kill(static_cast<pid_t>(exporter.processId()), SIGKILL);
        exporter.waitForFinished();
        const auto now = datafiles::readWholeFile(target);
        if (now.bytes != old) {
            QVERIFY(now.bytes.ends_with("\n"));
            QCOMPARE(std::count(now.bytes.begin(), now.bytes.end(), '\n'), 8 + 26 * 6000);
            ++whole;
        }
        QCOMPARE(int(std::distance(fs::directory_iterator(dir.path().toStdString()),
                                   fs::directory_iterator())),
                 2);
    }
    qInfo("12 exports killed, %d of them after the new file was complete", whole);
}

QTEST_MAIN(TestRipassoExport)
#include "test_ripasso_export.moc"

// The kit's own round trip: a dictionary exported as an Anki package or as the text file for
// Anki, then imported into an empty folder, gives the same 52 files record for record. The
// forward files keep their order (the export reads them in order, the import appends in that
// order); a reverse file's records may come in another order, since the import appends them
// in the order of the forward files rather than in the order they were first written.
// Cross-references are no notes of Anki's and are left out of both exports.

#include "datafiles/dictionary_record.h"
#include "datafiles/entry_writer.h"
#include "datafiles/file_io.h"
#include "datafiles/file_naming.h"
#include "datafiles/record_reader.h"
#include "datafiles/record_writer.h"
#include "ripasso/anki_export.h"
#include "ripasso/anki_package.h"
#include "ripasso/recordings.h"
#include "ripasso/word_import.h"
#include "thaitext/codec.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The records of a data file as the writer lays them out; none for a file not there.
std::vector<std::string> recordLines(const fs::path& file, bool crossReferences) {
    std::vector<std::string> lines;
    const datafiles::ReadBytesResult read = datafiles::readWholeFileBytes(file);
    if (!read.ok())
        return lines;
    for (const datafiles::DictionaryRecord& r :
         datafiles::readAllRecords(read.bytes.view()).records)
        if (crossReferences || !r.isCrossReference())
            lines.push_back(datafiles::formatRecordLine(r));
    return lines;
}

std::string latin(const char* utf8) {
    return thaitext::encodeCp1252(thaitext::utf8ToUtf16(utf8).value()).value();
}
std::string thai(const char* utf8) {
    return thaitext::encodeTis620(thaitext::utf8ToUtf16(utf8).value()).value();
}

} // namespace

class TestWordRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void exportedAndImportedBackGivesTheSameFiles();
};

void TestWordRoundTrip::exportedAndImportedBackGivesTheSameFiles() {
    // The starter dictionary, with words that test the fields' edges: accents, characters that
    // HTML gives a meaning to, a recording in each direction, the same word three times with
    // another attribute or none.
    QTemporaryDir source;
    const fs::path folder = source.path().toStdString();
    for (const fs::directory_entry& file : fs::directory_iterator(STARTER_FOLDER))
        fs::copy_file(file.path(), folder / file.path().filename());
    const QByteArray pcm(3200, '\x10');
    for (const char* name : {"rec_baan.wav", "casa_it.wav"}) {
        std::ofstream(folder / name, std::ios::binary)
            << ripasso::waveFile(pcm, 16000).toStdString();
    }
    const datafiles::DictionaryRecord added[] = {
        {latin("perché"), "tham-mai", latin("avv."), latin("domanda <& risposta>"), thai("ทำไม"),
         "$", "$"},
        {"casa", "baan", "s.f.", "-", thai("บ้าน"), "rec_baan.wav", "casa_it.wav"},
        {"casa", "baan", "s.m.", latin("l'edificio"), thai("บ้าน"), "$", "$"},
        {"casa", "baan", "-", "-", thai("บ้าน"), "$", "$"},
        {latin("città"), "muang", "-", "-", "@", "$", "$"},
    };
    for (const datafiles::DictionaryRecord& r : added) {
        const fs::path forward = folder / *datafiles::forwardFileForWriting(r.headword);
        const fs::path reverse = folder / *datafiles::reverseFile(r.counterpart);
        QVERIFY(datafiles::appendEntry(forward, datafiles::formatRecordLine(r), reverse,
                                       datafiles::formatRecordLine(datafiles::reverseOf(r)))
                    .ok());
    }
    const ripasso::PathOf pathOf = [&](const std::string& name) { return folder / name; };
    QTemporaryDir out;
    const fs::path package = fs::path(out.path().toStdString()) / "words.apkg";
    const fs::path text = fs::path(out.path().toStdString()) / "words.txt";
    const ripasso::PackageResult packaged = ripasso::exportAnkiPackage(pathOf, package, {});
    QVERIFY2(packaged.written, packaged.error.c_str());
    const ripasso::ExportResult exported = ripasso::exportForAnki(pathOf, text, "Thai");
    QVERIFY2(exported.written, exported.error.c_str());

    for (const fs::path& file : {package, text}) {
        QTemporaryDir empty;
        const fs::path into = empty.path().toStdString();
        QStringList refused;
        const ripasso::ImportReport report = ripasso::importWords(
            file, into, [](const fs::path& p) { return QString::fromStdString(p.string()); }, {},
            [&](std::size_t line, const QString& message) {
                refused << QString::number(line) + QStringLiteral(": ") + message;
            });
        QVERIFY2(report.finished(), qPrintable(report.error));
        QVERIFY2(refused.isEmpty(), qPrintable(refused.join(QLatin1Char('\n'))));
        QCOMPARE(report.added, packaged.notes);
        QCOMPARE(report.already, std::size_t(0));
        // The package brings the recordings its words name; the text file only names them.
        for (const char* name : {"rec_baan.wav", "casa_it.wav"}) {
            const datafiles::ReadBytesResult brought = datafiles::readWholeFileBytes(into / name);
            if (file == package)
                QVERIFY2(brought.ok() &&
                             brought.bytes.view() ==
                                 datafiles::readWholeFileBytes(folder / name).bytes.view(),
                         name);
            else
                QVERIFY(!brought.ok());
        }
        for (const datafiles::Direction direction :
             {datafiles::Direction::Forward, datafiles::Direction::Reverse}) {
            for (char letter = 'A'; letter <= 'Z'; ++letter) {
                const std::string name = datafiles::dataFileName(direction, letter);
                std::vector<std::string> was = recordLines(folder / name, false);
                std::vector<std::string> now = recordLines(into / name, true);
                if (direction == datafiles::Direction::Reverse) {
                    std::sort(was.begin(), was.end());
                    std::sort(now.begin(), now.end());
                }
                QVERIFY2(was == now, (file.filename().string() + ": " + name).c_str());
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestWordRoundTrip)
#include "test_word_round_trip.moc"

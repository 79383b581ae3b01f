// The record index against the record reader: on generated files that mix the writer's lines
// with every other shape a hand-edited file takes, and on every cut of them, both find the
// same records at the same places, the same cross-references and the same failure. The
// byte masks they read lines by are the same whichever instructions make them.

#include "datafiles/byte_masks.h"
#include "datafiles/record_index.h"
#include "datafiles/record_reader.h"

#include <QTest>

#include <random>
#include <string>
#include <vector>

using namespace datafiles;

namespace {

// Where each record starts, whether it is a cross-reference, and how the reading ended.
struct Reading {
    std::vector<std::pair<std::size_t, bool>> records;
    ReadStatus end = ReadStatus::Record;
    std::size_t line = 0;
    bool operator==(const Reading&) const = default;
};

Reading byReader(std::string_view bytes, std::size_t maxRecord) {
    Reading r;
    RecordReader reader(bytes, maxRecord);
    RecordView record;
    while (!reader.atEnd()) {
        const std::size_t start = reader.offset();
        if ((r.end = reader.next(record)) != ReadStatus::Record) {
            r.line = reader.line();
            break;
        }
        r.records.emplace_back(start, record.isCrossReference());
    }
    return r;
}

// With `piece`, the bytes arrive that many at a time, as from a file being read, and the
// records they decide are taken as they come.
Reading byIndex(std::string_view bytes, std::size_t maxRecord, std::size_t piece = 0) {
    Reading r;
    RecordIndexer indexer(piece ? std::string_view() : bytes, maxRecord);
    IndexedRecord record;
    for (std::size_t read = piece; piece && read < bytes.size() + piece; read += piece) {
        indexer.extend(bytes.substr(0, read));
        while (indexer.nextDecided(&record, 1) == 1)
            r.records.emplace_back(record.start, record.crossReference);
    }
    indexer.extend(bytes);
    while (!indexer.atEnd()) {
        if ((r.end = indexer.next(record)) != ReadStatus::Record) {
            r.line = indexer.line();
            break;
        }
        r.records.emplace_back(record.start, record.crossReference);
    }
    return r;
}

std::string value(std::mt19937& rng, std::size_t longest) {
    // Commas, blanks, stars and line ends inside values, and now and then a long one.
    static const std::string alphabet = "ab*, \t\r\n-\xE0\xA1";
    std::string v(rng() % 8 == 0 ? 60 + rng() % longest : rng() % 6, 'x');
    for (char& c : v)
        c = rng() % 3 ? static_cast<char>('a' + rng() % 26) : alphabet[rng() % alphabet.size()];
    return v;
}

std::string piece(std::mt19937& rng) {
    std::string line;
    const auto kind = rng() % 10;
    const std::size_t fields = kind == 0 ? 1 + rng() % 6 : 7; // a short line
    for (std::size_t f = 0; f < fields; ++f) {
        std::string v = f == 3 && rng() % 3 == 0 ? "*" : value(rng, 100);
        if (kind != 1) // bare fields
            v = '"' + v + '"';
        static const char* odd[] = {",", ", ", " ,", ",,", ",x", "x,"};
        line += (f ? (kind == 2 ? odd[rng() % 6] : ",") : "") + v;
    }
    static const char* ends[] = {"\r\n", "\r\n", "\r\n", "\n", "\r", "", "\r\n\r\n", " \r\n"};
    return line + (kind == 3 ? "\r\n" : ends[rng() % 8]) + (kind == 4 ? "\"" : "");
}

} // namespace

class TestRecordIndex : public QObject {
    Q_OBJECT
private slots:
    void findsTheRecordsTheReaderReads();
    void theMasksAreTheSameWithWiderInstructions();
};

void TestRecordIndex::findsTheRecordsTheReaderReads() {
    std::mt19937 rng(7);
    for (int file = 0; file < 3000; ++file) {
        std::string bytes;
        for (auto n = rng() % 12; n > 0; --n)
            bytes += piece(rng);
        // Some files with records too long for a small limit.
        const std::size_t maxRecord = file % 5 == 0 ? 80 : kMaxRecordBytes;
        for (std::size_t cut : {bytes.size(), rng() % (bytes.size() + 1)}) {
            const std::string_view part = std::string_view(bytes).substr(0, cut);
            const Reading expected = byReader(part, maxRecord);
            const Reading found = byIndex(part, maxRecord);
            const Reading inPieces = byIndex(part, maxRecord, 1 + rng() % 100);
            if (!(found == expected) || !(inPieces == expected))
                QFAIL(qPrintable(QStringLiteral("file %1 cut at %2 of %3: %4 records, reader %5")
                                     .arg(file)
                                     .arg(cut)
                                     .arg(bytes.size())
                                     .arg(found.records.size())
                                     .arg(expected.records.size())));
        }
    }
}

void TestRecordIndex::theMasksAreTheSameWithWiderInstructions() {
#if defined(DATAFILES_AVX2_MASKS)
    if (!__builtin_cpu_supports("avx2"))
        QSKIP("this processor has no AVX2");
    std::mt19937 rng(11);
    const char bytes[] = {'"', ',', '\r', '\n', 'a', ' ', '\xE9', '\0'};
    char block[64];
    for (int round = 0; round < 20000; ++round) {
        for (char& c : block)
            c = bytes[rng() % sizeof bytes];
        const std::size_t available = round % 3 == 0 ? rng() % 65 : 64;
        const ByteMasks narrow = byteMasks(block, available),
                        wide = byteMasksAvx2(block, available);
        QVERIFY(narrow.quote == wide.quote && narrow.comma == wide.comma && narrow.cr == wide.cr &&
                narrow.lf == wide.lf);
    }
#else
    QSKIP("built without the AVX2 masks");
#endif
}

QTEST_GUILESS_MAIN(TestRecordIndex)
#include "test_record_index.moc"

#include "datafiles/entry_writer.h"
#include "datafiles/file_io.h"
#include "datafiles/file_naming.h"
#include "datafiles/headword_scan.h"
#include "datafiles/record_reader.h"
#include "datafiles/record_stream.h"
#include "datafiles/record_writer.h"

#include "test_support.h"
#include "watchdog.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace datafiles;
using namespace std::string_literals;

Q_DECLARE_METATYPE(std::string)

namespace {

DictionaryRecord casa() {
    return {"casa", "baan", "-", "-", "\xBA\xE9\xD2\xB9", "$", "$"};
}

std::string slurp(const std::filesystem::path& p) {
    return readWholeFile(p).bytes;
}

// The system's calls, but fstat tells a file smaller than it is, as when another program
// appends between the size check and the reading.
class ShrinkingStat : public FileOps {
public:
    int fstat(int fd, struct stat* info) override {
        const int result = FileOps::fstat(fd, info);
        info->st_size /= 3;
        return result;
    }
};

// The system's calls, but the `nth` positioned read fails with EIO.
class FailingPread : public FileOps {
public:
    explicit FailingPread(int nth) : nth_(nth) {}
    ssize_t pread(int fd, void* buffer, std::size_t size, off_t offset) override {
        if (++calls_ == nth_) {
            errno = EIO;
            return -1;
        }
        return FileOps::pread(fd, buffer, size, offset);
    }

private:
    int nth_;
    int calls_ = 0;
};

// Reads `bytes` whole and through a stream with the given window, side by side; empty when
// both give the same ends, statuses, fields and lines, else where they part.
std::string streamAgainstWholeReader(const std::filesystem::path& file, const std::string& bytes,
                                     std::size_t window, std::size_t maxRecord = kMaxRecordBytes) {
    { std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes; }
    RecordReader whole(bytes, maxRecord);
    RecordStream stream({}, window, maxRecord);
    if (const int error = stream.open(file))
        return "open: " + describeError(error);
    for (int record = 0;; ++record) {
        const std::string at =
            "window " + std::to_string(window) + ", record " + std::to_string(record) + ": ";
        const bool end = whole.atEnd();
        if (stream.atEnd() != end)
            return at + "the end differs";
        if (end)
            return {};
        RecordView a, b;
        const ReadStatus sa = whole.next(a);
        const ReadStatus sb = stream.next(b);
        if (sa != sb)
            return at + "the status differs";
        if (a.fields != b.fields)
            return at + "the fields differ";
        if (whole.line() != stream.line())
            return at + "line " + std::to_string(whole.line()) + " against " +
                   std::to_string(stream.line());
        if (sa != ReadStatus::Record)
            return stream.error() == 0 ? std::string() : at + "an error";
    }
}

// Runs `body` in a child process whose address space has only `spare` bytes beyond what it
// uses at the start; the child's exit status, or -1 when it did not exit (a crash). The child
// ends there whatever happens: an exception must not reach the test library, whose threads
// the child does not have.
[[maybe_unused]] int inChildWithSpareMemory(rlim_t spare, const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            long pages = 0;
            std::ifstream("/proc/self/statm") >> pages;
            const rlim_t room = static_cast<rlim_t>(pages) * 4096 + spare;
            const rlimit limit{room, room};
            ::_exit(::setrlimit(RLIMIT_AS, &limit) != 0 ? 2 : body());
        } catch (...) {
            ::_exit(3);
        }
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// The look-up's fast search against the reader: where it decides a file (in windows of any
// size, or over the bytes at once), the same matches; a file of the writer's lines is decided.
std::string fastSearchAgainstReader(const std::filesystem::path& file, const std::string& bytes,
                                    std::size_t window) {
    const ReadAllResult whole = readAllRecords(bytes);
    for (const std::string key : {"casa", "cane", "a"}) {
        const HeadwordScan fast = scanHeadwords(file, key, {}, window);
        const HeadwordScan inBytes = scanHeadwordsInBytes(bytes, key);
        const std::string at = "window " + std::to_string(window) + ", key " + key + ": ";
        if (fast.decided != inBytes.decided || fast.records != inBytes.records)
            return at + "the file and its bytes differ";
        if (!fast.decided)
            continue;
        std::vector<DictionaryRecord> matches;
        for (const DictionaryRecord& r : whole.records)
            if (r.headword == key)
                matches.push_back(r);
        if (whole.truncated || fast.records != matches)
            return at + "not the reader's matches";
        if (fast.lastRecordMatched != (!matches.empty() && whole.records.back() == matches.back()))
            return at + "the last record";
    }
    return {};
}

std::string hex(const std::string& bytes) {
    return QByteArray::fromStdString(bytes).toHex(' ').toUpper().toStdString();
}

} // namespace

class TestDataFiles : public QObject {
    Q_OBJECT
private slots:
    void workedExampleIsByteExact();
    void everyByteValueSurvivesWriteAndRead();
    void writerLinesReadLikeAnyOtherLine();
    void readerFieldSyntax();
    void shortLinesLendFieldsToTheNextRecord();
    void lineEndsAndTrailingBlankLines();
    void brokenFilesAreReportedNotCrashed();
    void forwardNaming_data();
    void forwardNaming();
    void reverseNamingAndLoaderNames();
    void appendCreatesAndAppends();
    void fileErrorsAreReported();
    void onlyOrdinaryFilesAreRead();
    void blankLinesAreReadInLinearTime();
    void wholeFileBytesAreTheFile();
    void noMemoryIsAMessageNotACrash();
    void aStreamReadsAsTheWholeFileReader();
    void aStreamReportsAReadThatFails();
    void hugeRecordsAndFilesTakeBoundedMemory();
    void aFileSavedAsUtf8IsNamedSoByEveryReaderAndTheWriter();
};

void TestDataFiles::workedExampleIsByteExact() {
    const std::string forward = formatRecordLine(casa());
    QCOMPARE(forward.size(), std::size_t(38));
    QCOMPARE(hex(forward),
             "22 63 61 73 61 22 2C 22 62 61 61 6E 22 2C 22 2D 22 2C 22 2D 22 2C 22 BA "
             "E9 D2 B9 22 2C 22 24 22 2C 22 24 22 0D 0A"s);
    const std::string reverse = formatRecordLine(reverseOf(casa()));
    QCOMPARE(reverse.size(), std::size_t(38));
    QCOMPARE(hex(reverse),
             "22 62 61 61 6E 22 2C 22 63 61 73 61 22 2C 22 2D 22 2C 22 2D 22 2C 22 BA "
             "E9 D2 B9 22 2C 22 24 22 2C 22 24 22 0D 0A"s);
}

void TestDataFiles::everyByteValueSurvivesWriteAndRead() {
    // Every byte but the double quote can stand inside a quoted value, line ends included.
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (b != '"')
            all += static_cast<char>(b);
    DictionaryRecord r{all, "casa, villa", "   ", "n", "\xA1\xFB", "a.wav", "b.wav"};
    const std::string bytes = formatRecordLine(r) + formatRecordLine(casa());
    const ReadAllResult read = readAllRecords(bytes);
    QVERIFY(!read.truncated);
    QCOMPARE(read.records.size(), std::size_t(2));
    QCOMPARE(read.records[0], r);
    QCOMPARE(read.records[1], casa());
}

void TestDataFiles::writerLinesReadLikeAnyOtherLine() {
    // Lines as the writer lays them out take a faster path; a blank before each value sends
    // the same records down the general one. Both must give the same fields.
    std::vector<DictionaryRecord> records = {
        casa(), {"a,b", "", "\r\n", "x\ny", "\xA1", "$", "$"}, {"", "", "", "", "", "", ""}};
    for (int i = 0; i < 40; ++i)
        records.push_back({std::string(static_cast<std::size_t>(i), 'q'), "p", "-", "*", "t", "$",
                           std::string(70, 'z')});
    std::string fast, general;
    for (const DictionaryRecord& r : records) {
        const std::string line = formatRecordLine(r);
        fast += line;
        bool inside = false;
        for (char c : line) {
            if (c == '"' && !inside)
                general += ' '; // before each opening quote
            if (c == '"')
                inside = !inside;
            general += c;
        }
    }
    const ReadAllResult a = readAllRecords(fast);
    const ReadAllResult b = readAllRecords(general);
    QVERIFY(!a.truncated && !b.truncated);
    QCOMPARE(a.records.size(), records.size());
    QCOMPARE(a.records, records);
    QCOMPARE(b.records, records);
}

void TestDataFiles::readerFieldSyntax() {
    // Bare values end at a comma or a line end; leading blanks go, and so do trailing ones.
    auto one = [](const std::string& bytes) {
        const ReadAllResult read = readAllRecords(bytes);
        return read.records.empty() ? DictionaryRecord{} : read.records.front();
    };
    QCOMPARE(one("casa,baan,-,-,@,$,$\r\n"),
             (DictionaryRecord{"casa", "baan", "-", "-", "@", "$", "$"}));
    QCOMPARE(one("  casa  ,\t\"baan\" ,-,-,@,$,$\r\n"),
             (DictionaryRecord{"casa", "baan", "-", "-", "@", "$", "$"}));
    // Text between a closing quote and the comma is passed over.
    QCOMPARE(one("\"ca\"sa,b,c,d,e,f,g\r\n").headword, "ca"s);
    // Empty values: an empty quoted value and an empty bare one.
    QCOMPARE(one("\"\",,c,d,e,f,g\r\n"), (DictionaryRecord{"", "", "c", "d", "e", "f", "g"}));
    // The last record may lack its line end.
    QCOMPARE(one("\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\"").italianSound, "g"s);
}

void TestDataFiles::shortLinesLendFieldsToTheNextRecord() {
    // A line with four fields, then an empty line (one empty value), then two more lines.
    const std::string bytes = "\"a\",\"b\",\"c\",\"d\"\r\n\r\n\"e\",\"f\"\r\n"
                              "\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\"\r\n";
    const ReadAllResult read = readAllRecords(bytes);
    QVERIFY(!read.truncated);
    QCOMPARE(read.records.size(), std::size_t(2));
    QCOMPARE(read.records[0], (DictionaryRecord{"a", "b", "c", "d", "", "e", "f"}));
    QCOMPARE(read.records[1], (DictionaryRecord{"1", "2", "3", "4", "5", "6", "7"}));

    // Seven and seven: two whole records across three lines.
    const ReadAllResult even =
        readAllRecords("\"a\",\"b\",\"c\"\r\n\"d\",\"e\",\"f\",\"g\",\"h\"\r\n"
                       "\"i\",\"j\",\"k\",\"l\",\"m\",\"n\"\r\n");
    QVERIFY(!even.truncated);
    QCOMPARE(even.records.size(), std::size_t(2));
    QCOMPARE(even.records[1], (DictionaryRecord{"h", "i", "j", "k", "l", "m", "n"}));
}

void TestDataFiles::lineEndsAndTrailingBlankLines() {
    const std::string rec = "\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\"";
    for (const std::string& end : {"\r\n"s, "\n"s, "\r"s}) {
        const ReadAllResult read = readAllRecords(rec + end + rec + end);
        QVERIFY(!read.truncated);
        QCOMPARE(read.records.size(), std::size_t(2));
    }
    // Blank lines after the last record end the file there instead of making a record.
    const ReadAllResult blank = readAllRecords(rec + "\r\n\r\n\r\n  \r\n");
    QVERIFY(!blank.truncated);
    QCOMPARE(blank.records.size(), std::size_t(1));
    const std::string withBlank = rec + "\r\n\r\n";
    RecordReader reader(withBlank);
    QVERIFY(!reader.atEnd());
    DictionaryRecord r;
    QCOMPARE(reader.next(r), ReadStatus::Record);
    QVERIFY(reader.atEnd());
    QVERIFY(RecordReader("").atEnd());
}

void TestDataFiles::brokenFilesAreReportedNotCrashed() {
    // A record cut short after three fields, as after a crash.
    const std::string good = formatRecordLine(casa());
    ReadAllResult cut = readAllRecords(good + "\"x\",\"y\",\"z\"");
    QVERIFY(cut.truncated);
    QCOMPARE(cut.records.size(), std::size_t(1));
    QCOMPARE(cut.truncatedLine, std::size_t(2));
    // A value whose closing quote never comes.
    cut = readAllRecords(good + "\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g");
    QVERIFY(cut.truncated);
    // Random bytes of every value, NUL included, and a very long line.
    std::string noise;
    for (int i = 0; i < 5000; ++i)
        noise += static_cast<char>((i * 7919) % 256);
    readAllRecords(noise);
    const std::string longValue(1 << 20, 'x');
    const ReadAllResult big = readAllRecords("\"" + longValue + "\",b,c,d,e,f,g\r\n");
    QCOMPARE(big.records.size(), std::size_t(1));
    QCOMPARE(big.records[0].headword.size(), longValue.size());
}

void TestDataFiles::forwardNaming_data() {
    QTest::addColumn<std::string>("word");
    QTest::addColumn<std::string>("writing");
    QTest::addColumn<std::string>("lookup");
    QTest::newRow("casa") << "casa"s
                          << "LEXFWD_C.DAT"s
                          << "LEXFWD_C.DAT"s;
    QTest::newRow("a") << "a"s
                       << "LEXFWD_A.DAT"s
                       << "LEXFWD_A.DAT"s;
    QTest::newRow("z") << "zucca"s
                       << "LEXFWD_Z.DAT"s
                       << "LEXFWD_Z.DAT"s;
    QTest::newRow("j") << "jeans"s
                       << "LEXFWD_J.DAT"s
                       << "LEXFWD_J.DAT"s;
    QTest::newRow("à") << "\xE0"s
                       << "LEXFWD_A.DAT"s
                       << "LEXFWD_A.DAT"s;
    QTest::newRow("á") << "\xE1"s
                       << ""s
                       << "LEXFWD_A.DAT"s;
    QTest::newRow("è") << "\xE8ra"s
                       << ""s
                       << "LEXFWD_E.DAT"s;
    QTest::newRow("é") << "\xE9"s
                       << ""s
                       << "LEXFWD_E.DAT"s;
    QTest::newRow("ì") << "\xECndice"s
                       << ""s
                       << "LEXFWD_I.DAT"s;
    QTest::newRow("í") << "\xED"s
                       << ""s
                       << "LEXFWD_I.DAT"s;
    QTest::newRow("ò") << "\xF2"s
                       << ""s
                       << "LEXFWD_O.DAT"s;
    QTest::newRow("ó") << "\xF3"s
                       << ""s
                       << "LEXFWD_O.DAT"s;
    QTest::newRow("ù") << "\xF9"s
                       << ""s
                       << "LEXFWD_U.DAT"s;
    QTest::newRow("ú") << "\xFA"s
                       << ""s
                       << "LEXFWD_U.DAT"s;
    QTest::newRow("capital") << "Casa"s
                             << ""s
                             << ""s;
    QTest::newRow("capital À") << "\xC0"s
                               << ""s
                               << ""s;
    QTest::newRow("digit") << "3"s
                           << ""s
                           << ""s;
    QTest::newRow("space") << " casa"s
                           << ""s
                           << ""s;
    QTest::newRow("sign") << "#"s
                          << ""s
                          << ""s;
    QTest::newRow("thai byte") << "\xA1"s
                               << ""s
                               << ""s;
    QTest::newRow("empty") << ""s
                           << ""s
                           << ""s;
}

void TestDataFiles::forwardNaming() {
    QFETCH(std::string, word);
    QFETCH(std::string, writing);
    QFETCH(std::string, lookup);
    QCOMPARE(forwardFileForWriting(word).value_or(""), writing);
    QCOMPARE(forwardFileForLookup(word).value_or(""), lookup);
}

void TestDataFiles::reverseNamingAndLoaderNames() {
    QCOMPARE(reverseFile("baan").value_or(""), "LEXREV_B.DAT"s);
    QCOMPARE(reverseFile("a").value_or(""), "LEXREV_A.DAT"s);
    QCOMPARE(reverseFile("zz").value_or(""), "LEXREV_Z.DAT"s);
    for (const std::string& bad : {"\xE0"s, "Baan"s, "1"s, ""s, " b"s})
        QVERIFY(!reverseFile(bad).has_value());
    QCOMPARE(letterLoaderFileName(Direction::Forward, 'c'), "\\lexfwd_c.dat"s);
    QCOMPARE(letterLoaderFileName(Direction::Reverse, 'z'), "\\lexrev_z.dat"s);
    QCOMPARE(dataFileName(Direction::Reverse, 'Q'), "LEXREV_Q.DAT"s);
}

void TestDataFiles::appendCreatesAndAppends() {
    QTemporaryDir dir;
    const std::filesystem::path file = dir.filePath("LEXFWD_C.DAT").toStdString();
    QVERIFY(appendLine(file, formatRecordLine(casa())).ok());
    QCOMPARE(slurp(file), formatRecordLine(casa()));
    DictionaryRecord other = casa();
    other.counterpart = "ruean";
    QVERIFY(appendLine(file, formatRecordLine(other)).ok());
    QCOMPARE(slurp(file), formatRecordLine(casa()) + formatRecordLine(other));
}

void TestDataFiles::fileErrorsAreReported() {
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    QCOMPARE(readWholeFile(root / "missing.dat").error, ENOENT);
    QCOMPARE(readWholeFile(root).error, EISDIR);
    { std::ofstream(root / "plain") << "x"; }
    QCOMPARE(readWholeFile(root / "plain" / "LEXFWD_C.DAT").error, ENOTDIR);
    QCOMPARE(appendLine(root / "plain" / "LEXFWD_C.DAT", "x").error, ENOTDIR);
    std::filesystem::create_directory(root / "LEXREV_B.DAT");
    QCOMPARE(appendLine(root / "LEXREV_B.DAT", "x").error, EISDIR);
    QVERIFY(!describeError(ENOENT).empty());
}

void TestDataFiles::onlyOrdinaryFilesAreRead() {
    // A pipe would block the open for ever and a device would never end: neither is read
    // nor written, and nothing waits on them.
    Watchdog watchdog(10);
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    QCOMPARE(::mkfifo((root / "LEXFWD_P.DAT").c_str(), 0644), 0);
    QCOMPARE(readWholeFile(root / "LEXFWD_P.DAT").error, kErrorNotRegularFile);
    QCOMPARE(appendLine(root / "LEXFWD_P.DAT", "x\r\n").error, kErrorNotRegularFile);
    std::filesystem::create_symlink("/dev/zero", root / "LEXFWD_Z.DAT");
    QCOMPARE(readWholeFile(root / "LEXFWD_Z.DAT").error, kErrorNotRegularFile);
    if (std::filesystem::exists("/dev/full"))
        QCOMPARE(appendLine("/dev/full", "x\r\n").error, kErrorNotRegularFile);
    // A file larger than the kit holds is refused before anything is read (a sparse file
    // takes no disk).
    { std::ofstream(root / "LEXFWD_H.DAT") << "x"; }
    std::filesystem::resize_file(root / "LEXFWD_H.DAT", kMaxDataFileBytes + 1);
    QCOMPARE(readWholeFile(root / "LEXFWD_H.DAT").error, EFBIG);
    QVERIFY(describeError(kErrorNotRegularFile).find("not an ordinary file") != std::string::npos);
}

void TestDataFiles::blankLinesAreReadInLinearTime() {
    // One record after a million line feeds: each blank line is an empty field, and the
    // end-of-file test before each of those records must not look at the whole run again.
    Watchdog watchdog(10); // it took 51 s when it did
    constexpr std::size_t kEmptyRecords = 142857;
    const std::string bytes =
        std::string(7 * kEmptyRecords, '\n') + formatRecordLine(casa()) + "\r\n\r\n";
    RecordReader reader(bytes);
    RecordView record;
    std::size_t records = 0;
    while (!reader.atEnd()) {
        QCOMPARE(reader.next(record), ReadStatus::Record);
        ++records;
    }
    QCOMPARE(records, kEmptyRecords + 1);
    QCOMPARE(record.headword(), std::string_view("casa"));
}

void TestDataFiles::wholeFileBytesAreTheFile() {
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    // Every byte value; a file below the size that is mapped by itself and one above it.
    std::string small;
    for (int i = 0; i < 1000; ++i)
        small += static_cast<char>(i * 7);
    const std::string large = std::string(3 << 20, 'x') + small;
    for (const std::string& bytes : {std::string(), small, large}) {
        { std::ofstream(root / "LEXFWD_C.DAT", std::ios::binary | std::ios::trunc) << bytes; }
        ReadBytesResult read = readWholeFileBytes(root / "LEXFWD_C.DAT");
        QCOMPARE(read.error, 0);
        QVERIFY(read.bytes.view() == bytes);
        // A file that grew after its size was taken is read to its end, through the growing
        // buffer (from the heap to a mapping of its own for the large one).
        ShrinkingStat shrinking;
        read = readWholeFileBytes(root / "LEXFWD_C.DAT", {&shrinking});
        QCOMPARE(read.error, 0);
        QVERIFY(read.bytes.view() == bytes);
        // Moved, the bytes go along and the source is left empty.
        FileBytes kept = std::move(read.bytes);
        QVERIFY(kept.view() == bytes);
        QCOMPARE(read.bytes.size(), std::size_t(0));
        kept = FileBytes::copyOf(small);
        QVERIFY(kept.view() == small);
    }
    // Failures as those of the string reading, with nothing kept.
    QCOMPARE(readWholeFileBytes(root / "missing.dat").error, ENOENT);
    QCOMPARE(readWholeFileBytes(root).error, EISDIR);
    QCOMPARE(::mkfifo((root / "LEXFWD_P.DAT").c_str(), 0644), 0);
    QCOMPARE(readWholeFileBytes(root / "LEXFWD_P.DAT").error, kErrorNotRegularFile);
    { std::ofstream(root / "LEXFWD_H.DAT") << "x"; }
    std::filesystem::resize_file(root / "LEXFWD_H.DAT", kMaxDataFileBytes + 1);
    const ReadBytesResult big = readWholeFileBytes(root / "LEXFWD_H.DAT");
    QCOMPARE(big.error, EFBIG);
    QCOMPARE(big.bytes.size(), std::size_t(0));
}

void TestDataFiles::noMemoryIsAMessageNotACrash() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the address sanitizer needs more address space than the limit leaves");
#else
    QTemporaryDir dir;
    const std::filesystem::path file = dir.path().toStdString() + "/LEXFWD_H.DAT";
    { std::ofstream(file) << "x"; }
    std::filesystem::resize_file(file, kMaxDataFileBytes); // sparse: as large as a file may be
    // In a child whose address space cannot hold the file, both readers report ENOMEM.
    QCOMPARE(inChildWithSpareMemory(rlim_t(256) << 20,
                                    [&file] {
                                        const int asBytes = readWholeFileBytes(file).error;
                                        const int asString = readWholeFile(file).error;
                                        return asBytes == ENOMEM && asString == ENOMEM ? 0 : 1;
                                    }),
             0);
    QCOMPARE(describeError(ENOMEM), std::string("there is not enough memory to read it"));
#endif
}

void TestDataFiles::aStreamReadsAsTheWholeFileReader() {
    QTemporaryDir dir;
    const std::filesystem::path file = dir.path().toStdString() + "/LEXFWD_C.DAT";
    const std::string line = formatRecordLine(casa());
    // Files whose records, blank runs, carriage returns and quotes fall on every side of a
    // window's edge.
    std::vector<std::string> files = {
        "",
        "\r\n\r\n  \r\n",
        line,
        line + line + "\r\n\r\n\r\n",
        line + "\r\n\r\n" + line,
        line + "\r" + line + "\n\r" + line,
        line.substr(0, line.size() - 2),
        line + "\"cane\",\"maa\"\r\n",
        line + "\"cane\",\"maa\",\"-\",\"-\",\"@\",\"$\",\"$",
        "cane,maa,-,-,@,$,$\ncasa , baan ,\"-\"x,-,@,$,$\r\n",
        "a\nb\nc\nd\ne\nf\ng\n\n\n",
        std::string(1000, '\n') + line,
        line + std::string(70000, ' ') + "\r\n" + line,
        "\"" + std::string(5000, 'x') + "\"," + line,
    };
    // And random files of the characters that matter to the reader.
    std::uint32_t seed = 12345;
    auto random = [&seed](std::uint32_t below) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % below;
    };
    const char alphabet[] = {'"', ',', '\r', '\n', ' ', '\t', 'a', 'b'};
    for (int i = 0; i < 400; ++i) {
        std::string bytes;
        const std::uint32_t length = random(200);
        for (std::uint32_t k = 0; k < length; ++k)
            bytes += random(4) == 0 ? line[random(static_cast<std::uint32_t>(line.size()))]
                                    : alphabet[random(sizeof alphabet)];
        files.push_back(bytes);
    }
    // Records longer than the longest allowed stop both alike, on the same line.
    for (const std::string& bytes : files)
        for (std::size_t window : {1u, 2u, 3u, 7u, 16u, 64u, 100u, 4096u})
            for (std::size_t maxRecord : {kMaxRecordBytes, std::size_t(30), std::size_t(50)})
                QCOMPARE(streamAgainstWholeReader(file, bytes, window, maxRecord), std::string());
    // The look-up's fast search finds what the reader finds, in every file it decides; it
    // decides the writer's lines, with a blank tail or a last line without its end.
    for (const std::string& bytes : files) {
        { std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes; }
        for (std::size_t window : {1u, 7u, 64u, 100u, 4096u})
            QCOMPARE(fastSearchAgainstReader(file, bytes, window), std::string());
    }
    std::string lines;
    for (int i = 0; i < 300; ++i)
        lines += formatRecordLine(
            i % 7 == 0 ? casa()
                       : DictionaryRecord{"cane", "maa", "s.m., m.", "-", "\xE0", "$", "$"});
    for (const std::string& bytes :
         {lines, lines + "\r\n \r\n", lines.substr(0, lines.size() - 2)}) {
        { std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes; }
        for (std::size_t window : {1u, 100u, 4096u}) {
            const HeadwordScan fast = scanHeadwords(file, "casa", {}, window);
            QVERIFY(fast.decided);
            QCOMPARE(fast.records.size(), std::size_t(43));
            QCOMPARE(fastSearchAgainstReader(file, bytes, window), std::string());
        }
    }
}

void TestDataFiles::hugeRecordsAndFilesTakeBoundedMemory() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the address sanitizer needs more address space than the limit leaves");
#else
    // What a crash can leave: a letter file of zero bytes, as large as a file may be, and
    // one larger still. In a child with 64 MiB of address space to spare, the look-up's
    // stream and the writer report the record or the size, and nothing is written.
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    const std::filesystem::path zeros = root / "LEXFWD_C.DAT", larger = root / "LEXFWD_D.DAT";
    { std::ofstream(zeros) << ""; }
    { std::ofstream(larger) << ""; }
    std::filesystem::resize_file(zeros, kMaxDataFileBytes);
    std::filesystem::resize_file(larger, kMaxDataFileBytes + 1);
    const std::string line = formatRecordLine(casa());
    QCOMPARE(inChildWithSpareMemory(
                 rlim_t(64) << 20,
                 [&] {
                     RecordStream stream;
                     RecordView record;
                     if (stream.open(zeros) != 0 || stream.atEnd() ||
                         stream.next(record) != ReadStatus::TooLong || stream.line() != 1)
                         return 4;
                     const auto tooLong = appendEntry(zeros, line, root / "LEXREV_B.DAT", line);
                     if (tooLong.problem != EntryWriteResult::Problem::TooLong ||
                         tooLong.fragmentLine != 1)
                         return 5;
                     const auto tooLarge = appendEntry(larger, line, root / "LEXREV_B.DAT", line);
                     return tooLarge.error == EFBIG ? 0 : 6;
                 }),
             0);
    QCOMPARE(std::filesystem::file_size(zeros), kMaxDataFileBytes);
    QVERIFY(!std::filesystem::exists(root / "LEXREV_B.DAT"));
#endif
}

void TestDataFiles::aFileSavedAsUtf8IsNamedSoByEveryReaderAndTheWriter() {
    // An editor's UTF-8 byte-order mark before the first record: every reader says what
    // the file is, and the writer adds nothing to it.
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    const std::string bytes = "\xEF\xBB\xBF" + formatRecordLine(casa());
    { std::ofstream(root / "LEXFWD_C.DAT", std::ios::binary) << bytes; }
    QCOMPARE(readWholeFile(root / "LEXFWD_C.DAT").error, kErrorSavedAsUtf8);
    QCOMPARE(readWholeFileBytes(root / "LEXFWD_C.DAT").error, kErrorSavedAsUtf8);
    for (std::size_t window : {1u, 4096u}) {
        RecordStream stream({}, window);
        QCOMPARE(stream.open(root / "LEXFWD_C.DAT"), kErrorSavedAsUtf8);
    }
    const std::string line = formatRecordLine(casa());
    const EntryWriteResult written =
        appendEntry(root / "LEXFWD_C.DAT", line, root / "LEXREV_B.DAT", line);
    QCOMPARE(written.error, kErrorSavedAsUtf8);
    std::ifstream in(root / "LEXFWD_C.DAT", std::ios::binary);
    QCOMPARE(std::string(std::istreambuf_iterator<char>(in), {}), bytes);
    QVERIFY(describeError(kErrorSavedAsUtf8).starts_with("it was saved as UTF-8"));
}

void TestDataFiles::aStreamReportsAReadThatFails() {
    QTemporaryDir dir;
    const std::filesystem::path file = dir.path().toStdString() + "/LEXFWD_C.DAT";
    std::string bytes;
    for (int i = 0; i < 100; ++i)
        bytes += formatRecordLine(casa());
    { std::ofstream(file, std::ios::binary) << bytes; }
    // The second window's read fails: the records of the first come, then the error.
    FailingPread failing(2);
    RecordStream stream({&failing}, 256);
    QCOMPARE(stream.open(file), 0);
    int records = 0;
    RecordView record;
    while (!stream.atEnd() && stream.next(record) == ReadStatus::Record)
        ++records;
    QVERIFY(records > 0 && records < 100);
    QCOMPARE(stream.error(), EIO);
    // Failing at once, the opening says why; so does a file that is not there.
    FailingPread first(1);
    RecordStream unread({&first});
    QCOMPARE(unread.open(file), EIO);
    RecordStream missing;
    QCOMPARE(missing.open(dir.path().toStdString() + "/LEXFWD_X.DAT"), ENOENT);
}

QTEST_APPLESS_MAIN(TestDataFiles)
#include "test_datafiles.moc"

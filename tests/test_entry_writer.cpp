// The write of an entry: where it appends, how it waits for other programs, how every
// failing call is rolled back, and how a write stopped dead at any call is undone later.

#include "datafiles/entry_writer.h"
#include "datafiles/file_io.h"
#include "datafiles/record_reader.h"
#include "datafiles/record_stream.h"
#include "datafiles/record_writer.h"
#include "failing_file_ops.h"
#include "small_disk.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace datafiles;
using namespace std::string_literals;
using Call = FailingFileOps::Call;
using Problem = EntryWriteResult::Problem;
using File = EntryWriteResult::File;

Q_DECLARE_METATYPE(std::string)

namespace QTest {
template <> char* toString(const Problem& p) {
    const char* names[] = {"None", "OpenFailed", "Fragment", "WriteFailed", "RollbackFailed"};
    return qstrdup(names[static_cast<int>(p)]);
}
template <> char* toString(const File& f) {
    return qstrdup(f == File::Forward ? "Forward" : "Reverse");
}
} // namespace QTest

namespace {

namespace fs = std::filesystem;

const std::string kCane = formatRecordLine({"cane", "maa", "s.m.", "-", "@", "$", "$"});
const std::string kOca = formatRecordLine({"oca", "han", "-", "-", "@", "$", "$"});
// The first line of a journal that was stopped before it was sealed.
const std::string kUnsealed = "VOCABORO JOURNAL 3 unsealed ................\n";
// The reverse record of kCane.
const std::string kMaa = formatRecordLine({"maa", "cane", "s.m.", "-", "@", "$", "$"});

DictionaryRecord casa(const std::string& note = "-") {
    return {"casa", "baan", "-", note, "\xBA\xE9\xD2\xB9", "$", "$"};
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

// A data folder with a forward and a reverse file.
struct Folder {
    QTemporaryDir dir;
    fs::path root = dir.path().toStdString();
    fs::path forward = root / "LEXFWD_C.DAT";
    fs::path reverse = root / "LEXREV_B.DAT";
    fs::path journal = root / kJournalFileName;

    EntryWriteResult write(const DictionaryRecord& entry, const FileAccess& access = {}) {
        return appendEntry(forward, formatRecordLine(entry), reverse,
                           formatRecordLine(reverseOf(entry)), access);
    }
    // Each entry is in both files or in neither, and both read as whole records.
    void checkWhole() const {
        std::multiset<std::pair<std::string, std::string>> seen[2];
        int k = 0;
        for (const fs::path& file : {forward, reverse}) {
            const ReadAllResult read = readAllRecords(slurp(file));
            QVERIFY2(!read.truncated, file.c_str());
            for (const DictionaryRecord& r : read.records)
                seen[k].insert(k == 0 ? std::pair{r.headword, r.counterpart}
                                      : std::pair{r.counterpart, r.headword});
            ++k;
        }
        QVERIFY(seen[0] == seen[1]);
    }
};

// The system's calls, counting the bytes read from each file.
class CountingOps : public FileOps {
public:
    int open(const char* path, int flags, mode_t mode) override {
        const int fd = FileOps::open(path, flags, mode);
        if (fd >= 0)
            paths_[fd] = path;
        return fd;
    }
    ssize_t pread(int fd, void* buffer, std::size_t size, off_t offset) override {
        const ssize_t got = FileOps::pread(fd, buffer, size, offset);
        if (got > 0)
            read_[fs::path(paths_[fd]).filename().string()] += static_cast<std::size_t>(got);
        return got;
    }
    std::size_t readFrom(const std::string& name) { return read_[name]; }

private:
    std::map<int, std::string> paths_;
    std::map<std::string, std::size_t> read_;
};

// A write that stopped with the forward line alone in its file and the journal left, as
// when the disk failed under it.
void interrupt(Folder& f) {
    put(f.forward, kCane);
    put(f.reverse, kMaa);
    FailingFileOps ops;
    ops.fail({FailingFileOps::Call::Write, "LEXREV", 1, ENOSPC});
    ops.fail({FailingFileOps::Call::Ftruncate, "LEXFWD", 1, EIO});
    QCOMPARE(f.write(casa(), {&ops, std::chrono::milliseconds(100)}).problem,
             EntryWriteResult::Problem::RollbackFailed);
    QCOMPARE(slurp(f.forward), kCane + formatRecordLine(casa()));
}

// A data folder for batches: three entries across five files, two of them new. "casa" and
// "cena" share their forward file, with "oca" between them in the batch.
struct BatchFolder {
    QTemporaryDir dir;
    fs::path root = dir.path().toStdString();
    std::map<std::string, std::string> before = {
        {"LEXFWD_C.DAT", kCane}, {"LEXREV_A.DAT", kMaa}, {"LEXREV_B.DAT", kMaa}};
    static BatchEntry entry(const DictionaryRecord& r, const char* forward, const char* reverse) {
        return {forward, formatRecordLine(r), reverse, formatRecordLine(reverseOf(r))};
    }
    std::vector<BatchEntry> entries = {
        entry(casa(), "LEXFWD_C.DAT", "LEXREV_B.DAT"),
        entry({"oca", "han", "-", "-", "@", "$", "$"}, "LEXFWD_O.DAT", "LEXREV_H.DAT"),
        entry({"cena", "aahaan", "-", "-", "@", "$", "$"}, "LEXFWD_C.DAT", "LEXREV_A.DAT")};

    void prepare() {
        for (const auto& [name, bytes] : before)
            put(root / name, bytes);
    }
    BatchWriteResult write(FileOps& ops) {
        return appendEntries(root, entries, {&ops, std::chrono::milliseconds(100)});
    }
    // Every file holds what it held before the batch (a file it made is gone).
    void checkUntouched(const QByteArray& where) const {
        for (const char* name :
             {"LEXFWD_C.DAT", "LEXFWD_O.DAT", "LEXREV_A.DAT", "LEXREV_B.DAT", "LEXREV_H.DAT"}) {
            const auto it = before.find(name);
            QVERIFY2(fs::exists(root / name) == (it != before.end()), where + name);
            if (it != before.end())
                QVERIFY2(slurp(root / name) == it->second, where + name);
        }
    }
};

using BatchChange = std::function<void(BatchFolder&)>;

// Stops the writer dead as it empties the journal, its second cut to nothing (a data file is
// only cut where it had blanks): every file holds its new lines and the sealed journal stays.
struct StopBeforeCommit : FileOps {
    int cuts = 0;
    int ftruncate(int fd, off_t size) override {
        if (size == 0 && ++cuts == 2)
            throw FailingFileOps::Crash{};
        return FileOps::ftruncate(fd, size);
    }
};

} // namespace

class TestEntryWriter : public QObject {
    Q_OBJECT
private slots:
    void appendsWhereTheReaderSeesTheEnd_data();
    void appendsWhereTheReaderSeesTheEnd();
    void largeFilesAreCheckedInPieces();
    void otherProgramsLocksMakeItWaitThenGiveUp();
    void everyFailingCallIsRolledBack_data();
    void everyFailingCallIsRolledBack();
    void aWriteStoppedAtAnyCallIsUndoneLater();
    void recoveryLeavesAFileChangedSinceAlone();
    void aFullDiskIsReportedAsFull();
    void aJournalThatIsNotAFileOfItsOwnIsNeverUsed();
    void aCopiedOrMovedFolderUndoesOnlyItsOwnHalfEntry();
    void aDamagedJournalIsSetAsideNeverObeyedNorCleared();
    void aWriteAfterALookUpReadsOnlyTheEnd();
    void aBatchAppendsEachFilesLinesInItsOrder_data();
    void aBatchAppendsEachFilesLinesInItsOrder();
    void aFailingBatchLeavesEveryFileAsItWas_data();
    void aFailingBatchLeavesEveryFileAsItWas();
    void anInterruptedBatchIsUndoneInEveryFile();
};

void TestEntryWriter::appendsWhereTheReaderSeesTheEnd_data() {
    QTest::addColumn<std::string>("before");
    QTest::addColumn<std::string>("kept"); // what stays of `before`
    QTest::addColumn<int>("fragmentLine"); // 0: the write goes through
    const std::string line = formatRecordLine(casa());
    const std::string rec = kCane.substr(0, kCane.size() - 2); // without its line end
    QTest::newRow("empty") << ""s
                           << ""s << 0;
    QTest::newRow("whole lines") << kCane << kCane << 0;
    QTest::newRow("blank lines after") << kCane + "\r\n\r\n" << kCane << 0;
    QTest::newRow("blanks and tabs after") << kCane + "  \t\r\n\n\r " << kCane << 0;
    QTest::newRow("only blank lines") << "\r\n\r\n  \r\n"s
                                      << ""s << 0;
    QTest::newRow("no line end") << rec << rec + "\r\n" << 0;
    QTest::newRow("LF only") << rec + "\n" << rec + "\n" << 0;
    QTest::newRow("CR only") << rec + "\r" << rec + "\r" << 0;
    QTest::newRow("comma after the seventh field") << rec + ",\r\n\r\n" << rec + "\r\n" << 0;
    QTest::newRow("bare fields with blanks") << "a,b,c,d,e,f,g  \r\n\r\n"s
                                             << "a,b,c,d,e,f,g  \r\n"s << 0;
    QTest::newRow("short last record with its line end") << "\"cane\",\"maa\"\r\n"s
                                                         << ""s << 1;
    QTest::newRow("torn last line") << kCane + kOca + "\"casa\",\"ba"
                                    << ""s << 3;
    QTest::newRow("unclosed quote") << kCane + "\r\n\"x"
                                    << ""s << 2;
}

void TestEntryWriter::appendsWhereTheReaderSeesTheEnd() {
    QFETCH(std::string, before);
    QFETCH(std::string, kept);
    QFETCH(int, fragmentLine);
    Folder f;
    put(f.forward, before);
    const EntryWriteResult result = f.write(casa());
    if (fragmentLine > 0) {
        // Refused whole: the file is as it was, the reverse file it would have created is
        // gone again, and so is the journal.
        QCOMPARE(result.problem, Problem::Fragment);
        QCOMPARE(result.file, File::Forward);
        QCOMPARE(result.fragmentLine, std::size_t(fragmentLine));
        QCOMPARE(slurp(f.forward), before);
        QVERIFY(!fs::exists(f.reverse));
        QVERIFY(!fs::exists(f.journal));
        return;
    }
    QVERIFY(result.ok());
    QCOMPARE(slurp(f.forward), kept + formatRecordLine(casa()));
    QCOMPARE(slurp(f.reverse), formatRecordLine(reverseOf(casa())));
    QVERIFY(!fs::exists(f.journal));
    // The reader finds the new entry as the last record, and the next write goes on alike.
    QVERIFY(f.write(casa("2")).ok());
    const ReadAllResult read = readAllRecords(slurp(f.forward));
    QVERIFY(!read.truncated);
    QCOMPARE(read.records.back().note, "2"s);
    QCOMPARE(read.records[read.records.size() - 2].headword, "casa"s);
}

void TestEntryWriter::largeFilesAreCheckedInPieces() {
    // Records across the reading windows, one record larger than a window, blank lines at
    // the very end: the end is found all the same.
    Folder f;
    std::string bytes;
    for (int i = 0; bytes.size() < (3u << 20); ++i)
        bytes += formatRecordLine({"parola" + std::to_string(i), "kham", "-", "-", "@", "$", "$"});
    bytes += formatRecordLine(casa(std::string(3u << 20, 'n')));
    const std::size_t records = readAllRecords(bytes).records.size();
    put(f.forward, bytes + std::string(100000, '\n'));
    QVERIFY(f.write(casa()).ok());
    QCOMPARE(slurp(f.forward), bytes + formatRecordLine(casa()));
    QCOMPARE(readAllRecords(slurp(f.forward)).records.size(), records + 1);

    // A fragment far into a large file is found and named by its line.
    put(f.forward, bytes + "\"casa\",\"baan\"\r\n");
    const EntryWriteResult torn = f.write(casa());
    QCOMPARE(torn.problem, Problem::Fragment);
    QCOMPARE(torn.fragmentLine, records + 1);
}

void TestEntryWriter::otherProgramsLocksMakeItWaitThenGiveUp() {
    Folder f;
    put(f.forward, kCane);
    put(f.reverse, kOca);
    const FileAccess quick{&systemFileOps(), std::chrono::milliseconds(100)};
    for (const auto& [path, operation] :
         {std::pair{f.forward, LOCK_EX}, std::pair{f.forward, LOCK_SH},
          std::pair{f.reverse, LOCK_EX}, std::pair{f.journal, LOCK_EX}}) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::flock(fd, operation), 0);
        const EntryWriteResult result = f.write(casa(), quick);
        QCOMPARE(result.problem, Problem::OpenFailed);
        QCOMPARE(result.error, EWOULDBLOCK);
        QCOMPARE(result.file, path == f.reverse ? File::Reverse : File::Forward);
        // Readers share a file with readers only.
        if (path != f.journal)
            QCOMPARE(readWholeFile(path, quick).error, operation == LOCK_SH ? 0 : EWOULDBLOCK);
        ::close(fd);
        QCOMPARE(slurp(f.forward), kCane);
        QCOMPARE(slurp(f.reverse), kOca);
    }
    QVERIFY(fs::remove(f.journal));
    QVERIFY(f.write(casa(), quick).ok());
    QCOMPARE(describeError(EWOULDBLOCK), "it is in use by another program"s);
}

struct Expected {
    Problem problem;
    File file;
    int error;
    int undoError = 0;
    File undoFile = File::Forward;
};
Q_DECLARE_METATYPE(FailingFileOps::Fault)
Q_DECLARE_METATYPE(Expected)
Q_DECLARE_METATYPE(BatchChange)

void TestEntryWriter::everyFailingCallIsRolledBack_data() {
    QTest::addColumn<QList<FailingFileOps::Fault>>("faults");
    QTest::addColumn<Expected>("expected");
    QTest::addColumn<bool>("journalStays");
    using F = FailingFileOps::Fault;
    const std::string fwd = "LEXFWD", rev = "LEXREV", jnl = kJournalFileName;
    auto row = [](const char* name, QList<F> faults, Expected expected, bool stays = false) {
        QTest::newRow(name) << faults << expected << stays;
    };
    row("journal cannot be opened", {F{Call::Open, jnl, 1, EACCES}},
        {Problem::OpenFailed, File::Forward, EACCES});
    row("forward cannot be opened", {F{Call::Open, fwd, 1, EMFILE}},
        {Problem::OpenFailed, File::Forward, EMFILE});
    row("reverse cannot be opened", {F{Call::Open, rev, 1, ENFILE}},
        {Problem::OpenFailed, File::Reverse, ENFILE});
    row("lock refused", {F{Call::Flock, fwd, 1, ENOLCK}},
        {Problem::OpenFailed, File::Forward, ENOLCK});
    row("reverse cannot be measured", {F{Call::Fstat, rev, 2, EIO}},
        {Problem::OpenFailed, File::Reverse, EIO});
    row("intent cannot be written", {F{Call::Pwrite, jnl, 1, ENOSPC}},
        {Problem::WriteFailed, File::Forward, ENOSPC});
    row("intent cannot be synced", {F{Call::Fdatasync, jnl, 1, EIO}},
        {Problem::WriteFailed, File::Forward, EIO});
    row("forward write fails", {F{Call::Write, fwd, 1, ENOSPC}},
        {Problem::WriteFailed, File::Forward, ENOSPC});
    row("forward write partly fits a full disk", {F{Call::Write, fwd, 1, ENOSPC, 20}},
        {Problem::WriteFailed, File::Forward, ENOSPC});
    row("forward sync fails", {F{Call::Fdatasync, fwd, 1, EIO}},
        {Problem::WriteFailed, File::Forward, EIO});
    row("reverse write fails", {F{Call::Write, rev, 1, EDQUOT}},
        {Problem::WriteFailed, File::Reverse, EDQUOT});
    row("reverse torn, forward cut back", {F{Call::Write, rev, 1, EFBIG, 17}},
        {Problem::WriteFailed, File::Reverse, EFBIG});
    row("forward cannot be cut back",
        {F{Call::Write, rev, 1, ENOSPC}, F{Call::Ftruncate, fwd, 2, EIO}},
        {Problem::RollbackFailed, File::Reverse, ENOSPC, EIO, File::Forward}, true);
    row("torn reverse cannot be cut back",
        {F{Call::Write, rev, 1, ENOSPC, 9}, F{Call::Ftruncate, rev, 1, EPERM}},
        {Problem::RollbackFailed, File::Reverse, ENOSPC, EPERM, File::Reverse}, true);
    // The cut worked, only its sync did not: the line is gone, so nothing claims it stays;
    // the journal stays so that the next start makes sure.
    row("sync after the cut fails",
        {F{Call::Write, rev, 1, ENOSPC}, F{Call::Fdatasync, fwd, 2, EIO}},
        {Problem::WriteFailed, File::Reverse, ENOSPC}, true);
    row("entry cannot be committed", {F{Call::Ftruncate, jnl, 2, EIO}},
        {Problem::WriteFailed, File::Forward, EIO});
}

void TestEntryWriter::everyFailingCallIsRolledBack() {
    QFETCH(QList<FailingFileOps::Fault>, faults);
    QFETCH(Expected, expected);
    QFETCH(bool, journalStays);
    Folder f;
    put(f.forward, kCane + "\r\n"); // a blank line that the write removes
    put(f.reverse, kMaa);
    FailingFileOps ops;
    for (const auto& fault : faults)
        ops.fail(fault);
    const EntryWriteResult result = f.write(casa(), {&ops, std::chrono::milliseconds(100)});
    QCOMPARE(result.problem, expected.problem);
    QCOMPARE(result.file, expected.file);
    QCOMPARE(result.error, expected.error);
    QCOMPARE(result.undoError, expected.undoError);
    if (expected.undoError)
        QCOMPARE(result.undoFile, expected.undoFile);
    QCOMPARE(fs::exists(f.journal), journalStays);

    // Whatever happened, the next start leaves each file as it was (its blank line aside),
    // and the entry can then be written.
    const RecoveryResult recovered = recoverUnfinishedWrite(f.root);
    QVERIFY(recovered.ok());
    QCOMPARE(recovered.undone, expected.problem == Problem::RollbackFailed);
    QVERIFY(!fs::exists(f.journal));
    QVERIFY(slurp(f.forward) == kCane + "\r\n" || slurp(f.forward) == kCane);
    QCOMPARE(slurp(f.reverse), kMaa);
    QVERIFY(f.write(casa()).ok());
    f.checkWhole();
}

void TestEntryWriter::aWriteStoppedAtAnyCallIsUndoneLater() {
    // The writer stops dead at every call in turn (a write puts half its bytes down first),
    // as kill -9 or a power cut would stop it. Afterwards the recovery leaves each entry in
    // both files or in neither, and no torn line.
    for (const bool newFiles : {false, true}) {
        auto prepare = [newFiles](Folder& f) {
            if (!newFiles) {
                put(f.forward, kCane + "\r\n\r\n");
                put(f.reverse, kMaa);
            }
        };
        int calls = 0;
        {
            Folder probe;
            prepare(probe);
            FailingFileOps ops;
            QVERIFY(probe.write(casa(), {&ops, std::chrono::milliseconds(100)}).ok());
            calls = ops.calls();
        }
        QVERIFY(calls > 20);
        for (int stop = 1; stop <= calls + 1; ++stop) {
            Folder f;
            prepare(f);
            FailingFileOps ops;
            ops.crashAtCall(stop);
            bool written = false;
            try {
                written = f.write(casa(), {&ops, std::chrono::milliseconds(100)}).ok();
            } catch (const FailingFileOps::Crash&) {
            }
            const QByteArray where = QByteArray::number(stop) + (newFiles ? " new" : " old");
            const RecoveryResult recovered = recoverUnfinishedWrite(f.root);
            QVERIFY2(recovered.ok(), where);
            QVERIFY2(!fs::exists(f.journal), where);
            f.checkWhole();
            const auto records = readAllRecords(slurp(f.forward)).records;
            const bool stored = !records.empty() && records.back().headword == "casa";
            QVERIFY2(!written || stored, where);
            QVERIFY2(!recovered.undone || !stored, where);
            if (recovered.undone) {
                QCOMPARE(recovered.headword, "casa"s);
                QCOMPARE(recovered.counterpart, "baan"s);
            }
            if (!stored && !newFiles)
                QVERIFY2(slurp(f.forward) == kCane + "\r\n\r\n" || slurp(f.forward) == kCane,
                         where);
        }
    }
}

void TestEntryWriter::recoveryLeavesAFileChangedSinceAlone() {
    Folder f;
    put(f.forward, kCane);
    put(f.reverse, kOca);
    FailingFileOps ops;
    ops.fail({Call::Write, "LEXREV", 1, ENOSPC});
    ops.fail({Call::Ftruncate, "LEXFWD", 1, EIO});
    QCOMPARE(f.write(casa(), {&ops, std::chrono::milliseconds(100)}).problem,
             Problem::RollbackFailed);
    // Someone edits the forward file by hand before the next start.
    put(f.forward, kCane + "\"edited\",\"by\",\"hand\",\"-\",\"@\",\"$\",\"$\"\r\n");
    const std::string edited = slurp(f.forward);
    const RecoveryResult recovered = recoverUnfinishedWrite(f.root);
    QCOMPARE(recovered.error, kErrorChangedMeanwhile);
    QCOMPARE(recovered.errorFile, fs::absolute(f.forward));
    QCOMPARE(slurp(f.forward), edited);
    QVERIFY(!fs::exists(f.journal));
    // No journal, nothing to do.
    const RecoveryResult again = recoverUnfinishedWrite(f.root);
    QVERIFY(again.ok() && !again.found);
    // A torn journal (the stop came while it was written) touched no data file.
    put(f.journal, kUnsealed + "append\nLEXFWD_C.DAT 12 12 0 0 40");
    const RecoveryResult torn = recoverUnfinishedWrite(f.root);
    QVERIFY(torn.ok() && torn.found && !torn.undone);
    QVERIFY(!fs::exists(f.journal));
    QCOMPARE(slurp(f.forward), edited);
}

void TestEntryWriter::aFullDiskIsReportedAsFull() {
    // A real full disk: a tmpfs of 16 pages with one page left, taken by the journal; the
    // forward line then fits only partly into the file's last page.
    Folder f;
    const SmallDisk disk(f.root / "disk");
    if (!disk.mounted())
        QSKIP("cannot mount a small tmpfs here (needs root)");
    const fs::path mount = disk.path();
    const fs::path forward = mount / "LEXFWD_C.DAT", reverse = mount / "LEXREV_B.DAT";
    std::string bytes;
    while (bytes.size() < 4000)
        bytes += kCane;
    put(forward, bytes);
    disk.fillLeaving(1);
    const std::string line = formatRecordLine(casa(std::string(900, 'n')));
    const EntryWriteResult result = appendEntry(
        forward, line, reverse, formatRecordLine(reverseOf(casa(std::string(900, 'n')))));
    QCOMPARE(result.problem, Problem::WriteFailed);
    QCOMPARE(result.file, File::Forward);
    QCOMPARE(result.error, ENOSPC);
    QCOMPARE(describeError(result.error), "the disk is full"s);
    QCOMPARE(slurp(forward), bytes);
    QVERIFY(!fs::exists(reverse)); // created for the write, removed with it
    QVERIFY(!fs::exists(mount / kJournalFileName));
}

void TestEntryWriter::aJournalThatIsNotAFileOfItsOwnIsNeverUsed() {
    // A data folder unpacked or shared with a journal that is a link or another kind of
    // file: neither the start nor a write reads it, writes it or cuts what it leads to.
    const std::pair<std::function<void(const Folder&, const fs::path&)>, int> cases[] = {
        {[](const Folder& f, const fs::path& other) { fs::create_symlink(other, f.journal); },
         kErrorSymbolicLink},
        {[](const Folder& f, const fs::path&) { fs::create_symlink(f.root / "gone", f.journal); },
         kErrorSymbolicLink},
        {[](const Folder& f, const fs::path& other) { fs::create_hard_link(other, f.journal); },
         kErrorHardLink},
        {[](const Folder& f, const fs::path&) { ::mkfifo(f.journal.c_str(), 0644); },
         kErrorNotRegularFile},
        {[](const Folder& f, const fs::path&) { fs::create_directory(f.journal); }, EISDIR},
    };
    const FileAccess quick{&systemFileOps(), std::chrono::milliseconds(100)};
    for (const auto& [make, error] : cases) {
        Folder f;
        put(f.forward, kCane);
        put(f.reverse, kMaa);
        const fs::path other = f.root / "notes.txt";
        put(other, "not a journal at all\n");
        make(f, other);
        const RecoveryResult recovered = recoverUnfinishedWrite(f.root, quick);
        QCOMPARE(recovered.error, error);
        QCOMPARE(recovered.errorFile, f.journal);
        const EntryWriteResult written = f.write(casa(), quick);
        QCOMPARE(written.problem, Problem::OpenFailed);
        QVERIFY(written.inJournal);
        QCOMPARE(written.error, error);
        QCOMPARE(slurp(other), "not a journal at all\n"s);
        QCOMPARE(slurp(f.forward), kCane);
        QCOMPARE(slurp(f.reverse), kMaa);
    }
}

void TestEntryWriter::aCopiedOrMovedFolderUndoesOnlyItsOwnHalfEntry() {
    Folder original;
    interrupt(original);
    QTemporaryDir elsewhere;
    const fs::path copy = fs::path(elsewhere.path().toStdString()) / "copy";
    const fs::path moved = fs::path(elsewhere.path().toStdString()) / "moved";
    fs::copy(original.root, copy, fs::copy_options::recursive);
    fs::copy(original.root, moved.string() + ".before", fs::copy_options::recursive);
    fs::rename(moved.string() + ".before", moved);
    // The original undoes its half entry, then takes a word that is reported written.
    QVERIFY(recoverUnfinishedWrite(original.root).undone);
    QVERIFY(original.write(casa("later")).ok());
    const std::string kept = slurp(original.forward);
    // The copy and the moved folder each undo their own half entry, and only that.
    for (const fs::path& folder : {copy, moved}) {
        const RecoveryResult recovered = recoverUnfinishedWrite(folder);
        QVERIFY(recovered.ok() && recovered.undone);
        QCOMPARE(recovered.forwardFile, folder / "LEXFWD_C.DAT");
        QCOMPARE(slurp(folder / "LEXFWD_C.DAT"), kCane);
        QCOMPARE(slurp(folder / "LEXREV_B.DAT"), kMaa);
        QVERIFY(!fs::exists(folder / kJournalFileName));
    }
    QCOMPARE(slurp(original.forward), kept);
    // A journal copied beside other files of the same names cuts none of them.
    Folder stranger;
    put(stranger.forward, kOca + formatRecordLine(casa()));
    put(stranger.reverse, kMaa);
    interrupt(original);
    fs::copy_file(original.journal, stranger.journal);
    QCOMPARE(recoverUnfinishedWrite(stranger.root).error, kErrorChangedMeanwhile);
    QCOMPARE(slurp(stranger.forward), kOca + formatRecordLine(casa()));
}

void TestEntryWriter::aDamagedJournalIsSetAsideNeverObeyedNorCleared() {
    Folder f;
    interrupt(f);
    const std::string sealed = slurp(f.journal);
    const std::string forward = slurp(f.forward), reverse = slurp(f.reverse);
    // Cut short by damage, or one byte changed, anywhere, or its first bytes overwritten as if
    // it had never been sealed: set aside whole, nothing cut.
    std::vector<std::string> damaged;
    for (std::size_t size = 1; size < sealed.size(); ++size)
        damaged.push_back(sealed.substr(0, size));
    for (std::size_t at = 0; at < sealed.size(); ++at) {
        damaged.push_back(sealed);
        damaged.back()[at] = static_cast<char>(damaged.back()[at] ^ 1);
    }
    for (const char fill : {'\0', '.'})
        damaged.push_back(std::string(16, fill) + sealed.substr(16));
    damaged.push_back(kUnsealed.substr(0, 20) + sealed.substr(20));
    for (const std::string& text : damaged) {
        put(f.journal, text);
        const RecoveryResult recovered = recoverUnfinishedWrite(f.root);
        QCOMPARE(recovered.error, kErrorJournalDamaged);
        QCOMPARE(recovered.setAside, f.root / "VOCABORO.JNL.damaged-1");
        QCOMPARE(slurp(recovered.setAside), text);
        QCOMPARE(slurp(f.forward), forward);
        QCOMPARE(slurp(f.reverse), reverse);
        QVERIFY(!fs::exists(f.journal));
        fs::remove(recovered.setAside);
    }
    put(f.journal, sealed.substr(0, sealed.size() - 1));
    const RecoveryResult named = recoverUnfinishedWrite(f.root);
    QCOMPARE(named.forwardFile, f.forward);
    QCOMPARE(named.reverseFile, f.reverse);
    QCOMPARE(named.headword, "casa"s);
    // Stopped while it was written, before it was sealed: no data file was touched yet, so
    // the journal goes and nothing is said, however much of the rest reached the disk.
    QVERIFY(sealed.starts_with("VOCABORO JOURNAL 3 sealed   "));
    const std::string unsealed = kUnsealed + sealed.substr(kUnsealed.size());
    put(f.forward, kCane);
    for (std::size_t size = kUnsealed.size(); size <= unsealed.size(); ++size) {
        put(f.journal, unsealed.substr(0, size) + std::string(size % 3 == 0 ? 8 : 0, '\0'));
        const RecoveryResult recovered = recoverUnfinishedWrite(f.root);
        QVERIFY(recovered.ok() && recovered.found && !recovered.undone);
        QVERIFY(!fs::exists(f.journal));
        QCOMPARE(slurp(f.forward), kCane);
    }
}

void TestEntryWriter::aWriteAfterALookUpReadsOnlyTheEnd() {
    // A large letter file: the look-up reads it to its end, and the write that follows, and
    // the next ones, read only its last bytes.
    Folder f;
    std::string bytes;
    for (int i = 0; bytes.size() < (1u << 20); ++i)
        bytes += formatRecordLine({"c" + std::to_string(i), "kham", "-", "-", "@", "$", "$"});
    put(f.forward, bytes + "\r\n\r\n");
    put(f.reverse, kMaa);
    RecordStream stream;
    QCOMPARE(stream.open(f.forward), 0);
    RecordView record;
    while (!stream.atEnd())
        QCOMPARE(stream.next(record), ReadStatus::Record);
    for (const char* note : {"1", "2", "3"}) {
        CountingOps ops;
        QVERIFY(f.write(casa(note), {&ops}).ok());
        QVERIFY(ops.readFrom("LEXFWD_C.DAT") < 4096);
        if (note != "1"s)
            QVERIFY(ops.readFrom("LEXREV_B.DAT") < 4096);
    }
    const ReadAllResult read = readAllRecords(slurp(f.forward));
    QVERIFY(!read.truncated);
    QCOMPARE(read.records.back().note, "3"s);
    QCOMPARE(readAllRecords(slurp(f.reverse)).records.size(), std::size_t(4));
    // Changed at its end without changing its size, within one tick of the clock: seen.
    std::string edited = slurp(f.forward);
    edited.replace(edited.size() - 2, 2, ",x");
    {
        std::fstream file(f.forward, std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(static_cast<std::streamoff>(edited.size() - 2));
        file.write(",x", 2);
    }
    QCOMPARE(f.write(casa("4")).problem, Problem::Fragment);
    QCOMPARE(slurp(f.forward), edited);
}

void TestEntryWriter::aBatchAppendsEachFilesLinesInItsOrder_data() {
    QTest::addColumn<std::string>("before"); // of LEXFWD_C.DAT
    QTest::addColumn<std::string>("kept");
    const std::string rec = kCane.substr(0, kCane.size() - 2);
    QTest::newRow("whole lines") << kCane << kCane;
    QTest::newRow("blank lines after") << kCane + "\r\n \r\n\n" << kCane;
    QTest::newRow("no line end") << rec << rec + "\r\n";
}

void TestEntryWriter::aBatchAppendsEachFilesLinesInItsOrder() {
    QFETCH(std::string, before);
    QFETCH(std::string, kept);
    BatchFolder f;
    f.before["LEXFWD_C.DAT"] = before;
    f.prepare();
    QVERIFY(f.write(systemFileOps()).ok());
    QVERIFY(!fs::exists(f.root / kJournalFileName));
    const std::map<std::string, std::string> after = {
        {"LEXFWD_C.DAT", kept + f.entries[0].forwardLine + f.entries[2].forwardLine},
        {"LEXFWD_O.DAT", f.entries[1].forwardLine},
        {"LEXREV_A.DAT", kMaa + f.entries[2].reverseLine},
        {"LEXREV_B.DAT", kMaa + f.entries[0].reverseLine},
        {"LEXREV_H.DAT", f.entries[1].reverseLine}};
    for (const auto& [name, bytes] : after)
        QCOMPARE(slurp(f.root / name), bytes);
}

void TestEntryWriter::aFailingBatchLeavesEveryFileAsItWas_data() {
    QTest::addColumn<QList<FailingFileOps::Fault>>("faults");
    QTest::addColumn<BatchChange>("change");
    QTest::addColumn<int>("problem");
    QTest::addColumn<std::string>("file"); // empty: the journal; "-": none
    using F = FailingFileOps::Fault;
    auto row = [](const char* name, QList<F> faults, BatchChange change, Problem problem,
                  std::string file) {
        QTest::newRow(name) << faults << change << int(problem) << file;
    };
    // Refused before anything is touched, the journal included; an empty batch is no failure.
    row(
        "torn last line", {},
        [](BatchFolder& f) { f.before["LEXFWD_C.DAT"] = kCane + "\"casa\",\"ba"; },
        Problem::Fragment, "LEXFWD_C.DAT");
    row(
        "not a letter file", {}, [](BatchFolder& f) { f.entries[1].forwardName = "LEXFWD_O.TXT"; },
        Problem::OpenFailed, "LEXFWD_O.TXT");
    row(
        "one file in two spellings", {},
        [](BatchFolder& f) { f.entries[2].forwardName = "lexfwd_c.dat"; }, Problem::OpenFailed,
        "lexfwd_c.dat");
    row(
        "more than a batch takes", {},
        [](BatchFolder& f) {
            f.entries[1].forwardLine = formatRecordLine(casa(std::string(kMaxBatchBytes, 'n')));
        },
        Problem::TooLong, "-");
    row(
        "empty", {}, [](BatchFolder& f) { f.entries.clear(); }, Problem::None, "-");
    // Locked and written in the order LEXFWD_C, LEXFWD_O, LEXREV_A, LEXREV_B, LEXREV_H.
    const BatchChange none = [](BatchFolder&) {};
    row("fourth file cannot be locked", {F{Call::Flock, "LEXREV_B", 1, ENOLCK}}, none,
        Problem::OpenFailed, "LEXREV_B.DAT");
    row("third file's write fails", {F{Call::Write, "LEXREV_A", 1, ENOSPC}}, none,
        Problem::WriteFailed, "LEXREV_A.DAT");
    row("batch cannot be committed", {F{Call::Ftruncate, kJournalFileName, 2, EIO}}, none,
        Problem::WriteFailed, "");
    // The journal stays: the next start removes what is left.
    row("first file cannot be cut back",
        {F{Call::Write, "LEXREV_A", 1, ENOSPC}, F{Call::Ftruncate, "LEXFWD_C", 1, EIO}}, none,
        Problem::RollbackFailed, "LEXREV_A.DAT");
}

void TestEntryWriter::aFailingBatchLeavesEveryFileAsItWas() {
    QFETCH(QList<FailingFileOps::Fault>, faults);
    QFETCH(BatchChange, change);
    QFETCH(int, problem);
    QFETCH(std::string, file);
    const bool journalStays = problem == int(Problem::RollbackFailed);
    BatchFolder f;
    change(f);
    f.prepare();
    FailingFileOps ops;
    for (const auto& fault : faults)
        ops.fail(fault);
    const BatchWriteResult result = f.write(ops);
    QCOMPARE(int(result.problem), problem);
    QCOMPARE(result.file,
             file == "-" ? fs::path() : f.root / (file.empty() ? kJournalFileName : file));
    QCOMPARE(result.inJournal, file.empty());
    QCOMPARE(fs::exists(f.root / kJournalFileName), journalStays);
    if (journalStays)
        QCOMPARE(result.undoFile, f.root / "LEXFWD_C.DAT");
    const RecoveryResult recovered = recoverUnfinishedWrite(f.root);
    QVERIFY(recovered.ok());
    QCOMPARE(recovered.batchEntries, std::size_t(journalStays ? 3 : 0));
    f.checkUntouched(QTest::currentDataTag());
}

void TestEntryWriter::anInterruptedBatchIsUndoneInEveryFile() {
    // The journal as the writer left it when it stopped with every file written, and the same
    // journal damaged, never sealed, or naming one file twice under a new seal.
    const std::vector<std::pair<const char*, std::function<std::string(std::string)>>> cases = {
        {"as left", [](std::string t) { return t; }},
        {"one byte changed", [](std::string t) { return t.replace(t.size() / 2, 1, "#"); }},
        {"never sealed", [](std::string t) { return t.replace(0, kUnsealed.size(), kUnsealed); }},
        {"a file named twice", [](std::string t) {
             JournalBatch batch = *parseJournal(t).batch;
             batch.files[1].name = batch.files[0].name;
             t = journalText(batch);
             return t.replace(0, kJournalCommitSize, commitJournalLine(t));
         }}};
    for (const auto& [name, edit] : cases) {
        BatchFolder f;
        f.prepare();
        StopBeforeCommit ops;
        QVERIFY_THROWS_EXCEPTION(FailingFileOps::Crash, f.write(ops));
        const fs::path journal = f.root / kJournalFileName, forward = f.root / "LEXFWD_C.DAT";
        QCOMPARE(parseJournal(slurp(journal)).state, ParsedJournal::State::Committed);
        put(journal, edit(slurp(journal)));
        const std::string written = slurp(forward);
        const RecoveryResult recovered = recoverUnfinishedWrite(f.root);
        QVERIFY2(recovered.found && !fs::exists(journal), name);
        if (name == "as left"s) {
            QVERIFY(recovered.ok() && recovered.undone);
            QCOMPARE(recovered.batchEntries, std::size_t(3));
            QCOMPARE(recovered.headword, "casa"s);
            f.checkUntouched(name);
        } else { // nothing cut
            QCOMPARE(recovered.error, name == "never sealed"s ? 0 : kErrorJournalDamaged);
            QCOMPARE(slurp(forward), written);
        }
    }
}

QTEST_APPLESS_MAIN(TestEntryWriter)
#include "test_entry_writer.moc"

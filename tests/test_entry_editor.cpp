// Changing and removing an entry: the bytes of every file afterwards, the reverse record that
// is missing or doubled, every failing call, a change stopped dead at any call, and an append
// that waited for a file while a change replaced it.

#include "datafiles/entry_editor.h"
#include "datafiles/entry_writer.h"
#include "datafiles/record_reader.h"
#include "datafiles/record_writer.h"
#include "failing_file_ops.h"
#include "small_disk.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <fstream>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace datafiles;
using namespace std::string_literals;
using Problem = EntryEditResult::Problem;
using Call = FailingFileOps::Call;
namespace fs = std::filesystem;

Q_DECLARE_METATYPE(EntryChange)
Q_DECLARE_METATYPE(Problem)

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

const std::string kThai = "\xBA\xE9\xD2\xB9";
const DictionaryRecord kCasa{"casa", "baan", "s.f.", "-", kThai, "$", "$"};
const DictionaryRecord kCane{"cane", "maa", "s.m.", "-", "@", "$", "$"};
const DictionaryRecord kBanca{"banca", "thanaakhaan", "-", "-", "@", "$", "$"};
const DictionaryRecord kCitta{"citt\xE0", "mueang", "-", "-", "@", "$", "$"};

DictionaryRecord with(DictionaryRecord r, int field, std::string value) {
    r.field(field) = std::move(value);
    return r;
}

// The folder as records per file, rendered as the writer lays them out.
using Model = std::map<std::string, std::vector<DictionaryRecord>>;

Model startingModel() {
    Model m;
    for (const DictionaryRecord& r : {kCane, kCasa, kCitta, kBanca}) {
        m["LEXFWD_"s + char(r.headword[0] - 32) + ".DAT"].push_back(r);
        m["LEXREV_"s + char(r.counterpart[0] - 32) + ".DAT"].push_back(reverseOf(r));
    }
    return m;
}

std::string render(const std::vector<DictionaryRecord>& records) {
    std::string out;
    for (const DictionaryRecord& r : records)
        out += formatRecordLine(r);
    return out;
}

// What the change must leave: the record in its place when its file stays, else at the end
// of its new file.
Model applied(Model m, const EntryChange& change) {
    auto move = [&m](const DictionaryRecord& from, const std::optional<DictionaryRecord>& to,
                     std::string fromFile, std::string toFile) {
        auto& list = m[fromFile];
        const auto at = std::find(list.begin(), list.end(), from);
        if (to && fromFile == toFile)
            *at = *to;
        else {
            list.erase(at);
            if (to)
                m[toFile].push_back(*to);
        }
    };
    const DictionaryRecord& f = change.forward;
    const auto& r = change.replacement;
    move(f, r, "LEXFWD_"s + char(f.headword[0] - 32) + ".DAT",
         r ? "LEXFWD_"s + char(r->headword[0] - 32) + ".DAT" : "");
    move(reverseOf(f), r ? std::optional(reverseOf(*r)) : std::nullopt,
         "LEXREV_"s + char(f.counterpart[0] - 32) + ".DAT",
         r ? "LEXREV_"s + char(r->counterpart[0] - 32) + ".DAT" : "");
    return m;
}

struct Folder {
    QTemporaryDir dir;
    fs::path root = dir.path().toStdString();

    explicit Folder(const Model& m = startingModel()) {
        for (const auto& [name, records] : m)
            put(root / name, render(records));
    }
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> out;
        for (const auto& entry : fs::directory_iterator(root))
            out[entry.path().filename().string()] = slurp(entry.path());
        return out;
    }
    static std::map<std::string, std::string> expected(const Model& m) {
        std::map<std::string, std::string> out;
        for (const auto& [name, records] : m)
            out[name] = render(records);
        return out;
    }
};

EntryChange changeOf(const DictionaryRecord& from, std::optional<DictionaryRecord> to) {
    EntryChange c;
    c.forward = from;
    c.replacement = std::move(to);
    return c;
}

} // namespace

class TestEntryEditor : public QObject {
    Q_OBJECT
private slots:
    void everyFileHoldsTheExpectedBytes_data();
    void everyFileHoldsTheExpectedBytes();
    void bytesAroundTheEntryStayAsTheyWere();
    void aMissingOrDoubledReverseRecordIsAskedFirst();
    void refusedChangesWriteNothing_data();
    void refusedChangesWriteNothing();
    void aFullDiskChangesNothing();
    void aChangeStoppedAtAnyCallIsFinishedOrUndone();
    void anAppendThatWaitedForAReplacedFileWritesToTheNewOne();
    void aSameSizeEditAfterAWriteIsNotTakenForTheKnownEnd();
};

void TestEntryEditor::everyFileHoldsTheExpectedBytes_data() {
    QTest::addColumn<EntryChange>("change");
    QTest::newRow("note") << changeOf(kCasa, with(kCasa, 3, "di legno"));
    QTest::newRow("Thai") << changeOf(kCasa, with(kCasa, 4, "\xBA\xE9\xD2"));
    QTest::newRow("pronunciation, same letter") << changeOf(kCasa, with(kCasa, 1, "bahn"));
    QTest::newRow("pronunciation to another letter") << changeOf(kCasa, with(kCasa, 1, "ruean"));
    QTest::newRow("Italian word, same letter") << changeOf(kCasa, with(kCasa, 0, "casetta"));
    QTest::newRow("Italian word to another letter")
        << changeOf(kCasa, with(kCasa, 0, "abitazione"));
    QTest::newRow("both keys to new files")
        << changeOf(kCitta, with(with(kCitta, 0, "urbe"), 1, "nakhon"));
    QTest::newRow("accented initial, removed") << changeOf(kCitta, std::nullopt);
    QTest::newRow("removed") << changeOf(kCasa, std::nullopt);
    QTest::newRow("the last of its file removed") << changeOf(kBanca, std::nullopt);
}

void TestEntryEditor::everyFileHoldsTheExpectedBytes() {
    QFETCH(EntryChange, change);
    Folder f;
    const EntryEditResult result = changeEntry(f.root, change);
    QVERIFY2(result.ok(), QByteArray::number(static_cast<int>(result.problem)));
    QCOMPARE(f.files(), Folder::expected(applied(startingModel(), change)));
    QCOMPARE(result.forwardFrom.filename().string().substr(0, 6), "LEXFWD"s);
}

void TestEntryEditor::bytesAroundTheEntryStayAsTheyWere() {
    // A hand-edited file: line feeds alone, bare fields, a short record lending from the next
    // line, blank lines at the end. Only the entry's own bytes change.
    Folder f;
    const std::string before =
        "\"cane\",maa,\"s.m.\",\"-\",\"@\",\"$\",\"$\"\n\"cavolo\",\"kalam\",\"-\"\n"
        "\"-\",\"@\",\"$\",\"$\"\n";
    const std::string after = "\r\n \r\n";
    put(f.root / "LEXFWD_C.DAT", before + formatRecordLine(kCasa) + after);
    const DictionaryRecord changed = with(kCasa, 2, "s.f. pl.");
    QVERIFY(changeEntry(f.root, changeOf(kCasa, changed)).ok());
    QCOMPARE(slurp(f.root / "LEXFWD_C.DAT"), before + formatRecordLine(changed) + after);
    QVERIFY(changeEntry(f.root, changeOf(changed, std::nullopt)).ok());
    QCOMPARE(slurp(f.root / "LEXFWD_C.DAT"), before + after);
}

void TestEntryEditor::aMissingOrDoubledReverseRecordIsAskedFirst() {
    const DictionaryRecord changed = with(kCasa, 3, "nota");
    {
        // Missing: nothing is touched until the user says to change the forward record alone.
        Model m = startingModel();
        m["LEXREV_B.DAT"] = {reverseOf(kBanca)};
        Folder f(m);
        const auto was = f.files();
        EntryEditResult r = changeEntry(f.root, changeOf(kCasa, changed));
        QCOMPARE(r.problem, Problem::CounterpartMissing);
        QCOMPARE(f.files(), was);
        EntryChange alone = changeOf(kCasa, changed);
        alone.forwardAlone = true;
        QVERIFY(changeEntry(f.root, alone).ok());
        auto expected = was;
        expected["LEXFWD_C.DAT"] = render({kCane, changed, kCitta});
        QCOMPARE(f.files(), expected);
    }
    {
        // Twice beside a forward record written once: which one goes with it is not known.
        Model m = startingModel();
        m["LEXREV_B.DAT"].push_back(reverseOf(kCasa));
        Folder f(m);
        const auto was = f.files();
        const EntryEditResult r = changeEntry(f.root, changeOf(kCasa, changed));
        QCOMPARE(r.problem, Problem::CounterpartNotSingle);
        QCOMPARE(r.counterparts, std::size_t(2));
        QCOMPARE(f.files(), was);
    }
    {
        // An entry written twice: the second forward record goes with the second reverse one.
        Model m = startingModel();
        m["LEXFWD_C.DAT"].push_back(kCasa);
        m["LEXREV_B.DAT"].push_back(reverseOf(kCasa));
        Folder f(m);
        EntryChange second = changeOf(kCasa, changed);
        second.occurrence = 1;
        QVERIFY(changeEntry(f.root, second).ok());
        Model expected = m;
        expected["LEXFWD_C.DAT"].back() = changed;
        expected["LEXREV_B.DAT"].back() = reverseOf(changed);
        QCOMPARE(f.files(), Folder::expected(expected));
    }
}

void TestEntryEditor::refusedChangesWriteNothing_data() {
    QTest::addColumn<EntryChange>("change");
    QTest::addColumn<QList<FailingFileOps::Fault>>("faults");
    QTest::addColumn<Problem>("problem");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("reverseIs"); // what stands at LEXREV_B.DAT's name
    using F = QList<FailingFileOps::Fault>;
    const EntryChange move = changeOf(kCasa, with(kCasa, 1, "ruean"));
    QTest::newRow("not there") << changeOf(with(kCasa, 3, "x"), kCasa) << F{} << Problem::NotFound
                               << 0 << QString();
    QTest::newRow("capital initial")
        << changeOf(kCasa, with(kCasa, 0, "Casa")) << F{} << Problem::BadRecord << 0 << QString();
    QTest::newRow("quote") << changeOf(kCasa, with(kCasa, 3, "a \"b\"")) << F{}
                           << Problem::BadRecord << 0 << QString();
    QTest::newRow("line break") << changeOf(kCasa, with(kCasa, 2, "a\r\nb")) << F{}
                                << Problem::BadRecord << 0 << QString();
    QTest::newRow("empty field") << changeOf(kCasa, with(kCasa, 4, "")) << F{} << Problem::BadRecord
                                 << 0 << QString();
    QTest::newRow("full disk") << move << F{{Call::Write, ".vocaboro-new", 1, ENOSPC, 10}}
                               << Problem::WriteFailed << ENOSPC << QString();
    QTest::newRow("read-only folder") << move << F{{Call::Open, ".vocaboro-new", 1, EROFS}}
                                      << Problem::WriteFailed << EROFS << QString();
    QTest::newRow("new file not synced") << move << F{{Call::Fsync, ".vocaboro-new", 2, EIO}}
                                         << Problem::WriteFailed << EIO << QString();
    QTest::newRow("journal not sealed") << move << F{{Call::Pwrite, "VOCABORO.JNL", 2, EIO}}
                                        << Problem::WriteFailed << EIO << QString();
    QTest::newRow("link") << move << F{} << Problem::OpenFailed << kErrorSymbolicLink
                          << QStringLiteral("link");
    QTest::newRow("second name") << move << F{} << Problem::OpenFailed << kErrorHardLink
                                 << QStringLiteral("second name");
    QTest::newRow("pipe") << move << F{} << Problem::OpenFailed << kErrorNotRegularFile
                          << QStringLiteral("pipe");
}

void TestEntryEditor::refusedChangesWriteNothing() {
    QFETCH(EntryChange, change);
    QFETCH(QList<FailingFileOps::Fault>, faults);
    QFETCH(Problem, problem);
    QFETCH(int, error);
    QFETCH(QString, reverseIs);
    Folder f;
    const fs::path reverse = f.root / "LEXREV_B.DAT";
    QTemporaryDir elsewhere;
    const fs::path target = fs::path(elsewhere.path().toStdString()) / "LEXREV_B.DAT";
    if (reverseIs == QLatin1String("link")) {
        fs::rename(reverse, target);
        fs::create_symlink(target, reverse);
    } else if (reverseIs == QLatin1String("second name")) {
        fs::create_hard_link(reverse, f.root / "copy");
    } else if (reverseIs == QLatin1String("pipe")) {
        fs::remove(reverse);
        QCOMPARE(::mkfifo(reverse.c_str(), 0644), 0);
    }
    const bool pipe = reverseIs == QLatin1String("pipe");
    const auto was = pipe ? std::map<std::string, std::string>{} : f.files();
    const std::string targetWas = slurp(target);
    FailingFileOps ops;
    for (const FailingFileOps::Fault& fault : faults)
        ops.fail(fault);
    const EntryEditResult r = changeEntry(f.root, change, {&ops, std::chrono::milliseconds(50)});
    QCOMPARE(r.problem, problem);
    QCOMPARE(r.error, error);
    // No temporary file, no journal, not one byte changed.
    if (!pipe)
        QCOMPARE(f.files(), was);
    QVERIFY(!fs::exists(f.root / kJournalFileName));
    QCOMPARE(slurp(target), targetWas);
    QCOMPARE(fs::is_symlink(reverse), reverseIs == QLatin1String("link"));
}

void TestEntryEditor::aFullDiskChangesNothing() {
    // A real full disk: a tmpfs of 16 pages, two of them left, where the new forward file
    // needs five.
    QTemporaryDir dir;
    const SmallDisk disk(fs::path(dir.path().toStdString()) / "disk");
    if (!disk.mounted())
        QSKIP("cannot mount a small tmpfs here (needs root)");
    const fs::path mount = disk.path();
    Model m = startingModel();
    while (render(m["LEXFWD_C.DAT"]).size() < 18000)
        m["LEXFWD_C.DAT"].push_back(kCane);
    for (const auto& [name, records] : m)
        put(mount / name, render(records));
    disk.fillLeaving(2);
    const EntryEditResult r = changeEntry(mount, changeOf(kCasa, with(kCasa, 3, "nota")));
    QCOMPARE(r.problem, Problem::WriteFailed);
    QCOMPARE(r.error, ENOSPC);
    for (const auto& [name, bytes] : Folder::expected(m))
        QCOMPARE(slurp(mount / name), bytes);
    for (const auto& entry : fs::directory_iterator(mount))
        QVERIFY2(entry.path().extension() == ".DAT" || entry.path().filename() == "filler",
                 entry.path().c_str());
}

void TestEntryEditor::aChangeStoppedAtAnyCallIsFinishedOrUndone() {
    // Stopped dead at every call in turn, as kill -9 or a power cut would stop it (a write
    // puts half its bytes down first); then the next program that writes recovers. Every file
    // is then all before or all after, and nothing else is in the folder.
    const EntryChange changes[] = {changeOf(kCasa, with(with(kCasa, 0, "abitazione"), 1, "ruean")),
                                   changeOf(kCasa, std::nullopt)};
    for (const EntryChange& change : changes) {
        const auto before = Folder::expected(startingModel());
        const auto after = Folder::expected(applied(startingModel(), change));
        int calls = 0;
        {
            Folder probe;
            FailingFileOps ops;
            QVERIFY(changeEntry(probe.root, change, {&ops, std::chrono::milliseconds(50)}).ok());
            calls = ops.calls();
        }
        QVERIFY(calls > 15);
        bool sawFinished = false, sawUndone = false;
        for (int stop = 1; stop <= calls + 1; ++stop) {
            Folder f;
            FailingFileOps ops;
            ops.crashAtCall(stop);
            bool done = false;
            try {
                done = changeEntry(f.root, change, {&ops, std::chrono::milliseconds(50)}).ok();
            } catch (const FailingFileOps::Crash&) {
            }
            const QByteArray where = QByteArray::number(stop);
            // The next writer is an append, as from Vocaboro: it recovers first.
            const RecoveryResult recovered = recoverUnfinishedWrite(f.root);
            QVERIFY2(recovered.ok(), where);
            const auto now = f.files();
            QVERIFY2(now == before || now == after, where);
            QVERIFY2(!done || now == after, where);
            QVERIFY2(!recovered.finished || now == after, where);
            if (recovered.finished) {
                QVERIFY(recovered.change);
                QCOMPARE(recovered.headword, "casa"s);
            }
            sawFinished |= recovered.finished;
            sawUndone |= now == before;
        }
        QVERIFY(sawFinished && sawUndone);
    }
}

void TestEntryEditor::anAppendThatWaitedForAReplacedFileWritesToTheNewOne() {
    // A writer that takes no journal (an older copy of the kit, or a program of its own) holds
    // the file while a change replaces it; the append that waited must follow the name.
    Folder f;
    const fs::path forward = f.root / "LEXFWD_C.DAT";
    const int held = ::open(forward.c_str(), O_RDONLY);
    QVERIFY(held >= 0 && ::flock(held, LOCK_EX) == 0);
    std::thread appender([&] {
        const EntryWriteResult r = appendEntry(
            forward, formatRecordLine(kCane), f.root / "LEXREV_M.DAT",
            formatRecordLine(reverseOf(kCane)), {&systemFileOps(), std::chrono::seconds(20)});
        QVERIFY(r.ok());
    });
    QTest::qWait(200);
    const std::string replaced = render({kCasa});
    put(f.root / "replacement", replaced);
    fs::rename(f.root / "replacement", forward);
    ::close(held);
    appender.join();
    QCOMPARE(slurp(forward), replaced + formatRecordLine(kCane));
}

void TestEntryEditor::aSameSizeEditAfterAWriteIsNotTakenForTheKnownEnd() {
    // Another program that takes no lock changes the file by the same number of bytes just
    // after a write, while the journal is being emptied: the next write of the same process
    // must see the broken record it left, as a fresh process would.
    class EditingOps : public FileOps {
    public:
        fs::path file;
        int emptied = 0;
        int ftruncate(int fd, off_t size) override {
            const int r = FileOps::ftruncate(fd, size);
            if (size == 0 && ++emptied == 2) { // the journal emptied after the write
                QTest::qSleep(20);             // past the file system clock's tick
                std::string bytes = slurp(file);
                bytes[bytes.size() - 3] = ','; // the last quote goes: a broken record
                std::fstream(file, std::ios::in | std::ios::out | std::ios::binary) << bytes;
            }
            return r;
        }
    } ops;
    Folder f;
    ops.file = f.root / "LEXFWD_C.DAT";
    auto write = [&](const DictionaryRecord& r) {
        return appendEntry(ops.file, formatRecordLine(r), f.root / "LEXREV_B.DAT",
                           formatRecordLine(reverseOf(r)), {&ops, std::chrono::seconds(1)});
    };
    QVERIFY(write(with(kCasa, 3, "uno")).ok());
    QCOMPARE(write(with(kCasa, 3, "due")).problem, EntryWriteResult::Problem::Fragment);
}

QTEST_GUILESS_MAIN(TestEntryEditor)
#include "test_entry_editor.moc"

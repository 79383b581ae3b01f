// thai-kit: the built program on a folder of its own, each command's exit status, what it
// prints and every data file's bytes after it; an interrupted write undone before a command;
// the folder it takes when none is given, run in this process; syllable, which needs none.

#include "failing_file_ops.h"

#include "cli/thai_kit.h"
#include "datafiles/entry_editor.h"
#include "datafiles/entry_writer.h"
#include "datafiles/journal.h"
#include "datafiles/record_writer.h"
#include "ripasso/progress_store.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// A record line with the markers of the fields not given.
std::string line(const char* headword, const char* counterpart, const char* attribute = "-",
                 const char* note = "-", const char* thai = "@") {
    return datafiles::formatRecordLine(
        {headword, counterpart, attribute, note, thai, datafiles::kNoSound, datafiles::kNoSound});
}

constexpr char kBaanThai[] = "\xba\xe9\xd2\xb9"; // บ้าน in TIS-620

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
void appendBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::app) << bytes;
}

struct Ran {
    int status = -1;
    QString out, err;
};

// The built program on `folder` (none when empty), with a data home of its own (no progress,
// no user drive).
Ran runProgram(const QTemporaryDir& home, const QString& folder, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    environment.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(environment);
    process.start(
        QStringLiteral(THAI_KIT_PROGRAM),
        (folder.isEmpty() ? QStringList{} : QStringList{QStringLiteral("--folder"), folder}) +
            arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestThaiKit : public QObject {
    Q_OBJECT
private slots:
    void commandsLeaveTheFilesAsExpected();
    void anInterruptedWriteOrChangeIsDealtWithBeforeTheCommand();
    void withoutAFolderTheOneChosenLastInRipassoElseTheStarter();
    void syllableReadsAWordAndTouchesNoFolder();
};

void TestThaiKit::commandsLeaveTheFilesAsExpected() {
    QTemporaryDir home, dir;
    const QString folder = dir.path() + QStringLiteral("/");
    const fs::path root = dir.path().toStdString();
    using Files = std::map<std::string, std::string>;
    struct Step {
        QStringList args;
        int status;
        QString out; // the whole standard output; or a part, with `outPart`
        QString err; // a part of the standard error; empty: nothing at all
        Files files; // the files the step changes: all their bytes after it
        bool outPart = false;
        std::function<void()> before = {};
        QString folder = {}; // as typed after --folder, when not the folder with its final slash
    };
    const std::string baan = line("baan", "casa", "s.f.", "-", kBaanThai);
    const std::string casa = line("casa", "baan", "s.f.", "-", kBaanThai);
    const std::string casaNote = line("casa", "baan", "s.f.", "la mia casa", kBaanThai);
    const std::string baanNote = line("baan", "casa", "s.f.", "la mia casa", kBaanThai);
    const std::string casaRuean = line("casa", "ruean", "s.f.", "la mia casa", kBaanThai);
    const std::string rueanCasa = line("ruean", "casa", "s.f.", "la mia casa", kBaanThai);
    const std::string cane = line("cane", "maa");
    const QString usage = QStringLiteral("Try \"thai-kit --help\"");
    const QString thaiRefused = QStringLiteral("thai-kit: THAI: Thai script or unaccented "
                                               "letters only\n");
    const std::vector<Step> steps = {
        {{"add", "casa", "baan", "--thai", "บ้าน", "--attribute", "s.f."},
         0,
         "added to",
         {},
         {{"LEXFWD_C.DAT", casa}, {"LEXREV_B.DAT", baan}},
         true},
        {{"lookup", "casa"}, 0, "I-T casa = baan บ้าน (s.f.)\n", {}, {}},
        {{"lookup", "baan"}, 0, "T-I baan = casa บ้าน (s.f.)\n", {}, {}},
        // The folder typed without its final separator.
        {{"lookup", "casa"}, 0, "I-T casa = baan บ้าน (s.f.)\n", {}, {}, false, {}, dir.path()},
        {{"add", "gatto", "maeu", "--thai", "日本"}, 1, {}, thaiRefused, {}},
        {{"add", "città", "maeu"},
         0,
         "added to",
         {},
         {{"LEXFWD_C.DAT", casa + line("citt\xe0", "maeu")},
          {"LEXREV_M.DAT", line("maeu", "citt\xe0")}},
         true},
        {{"add", "caŧ", "maeu"}, 1, {}, "thai-kit: Italy Word: letter not allowed\n", {}},
        {{"delete", "città", "maeu"},
         0,
         "removed from",
         {},
         {{"LEXFWD_C.DAT", casa}, {"LEXREV_M.DAT", ""}},
         true},
        {{"edit", "casa", "baan", "--set", "note=la mia casa"},
         0,
         "changed in",
         {},
         {{"LEXFWD_C.DAT", casaNote}, {"LEXREV_B.DAT", baanNote}},
         true},
        // The reverse record moves to the file of the new pronunciation's letter.
        {{"edit", "casa", "baan", "--set", "pronunciation=ruean"},
         0,
         "changed in",
         {},
         {{"LEXFWD_C.DAT", casaRuean}, {"LEXREV_B.DAT", ""}, {"LEXREV_R.DAT", rueanCasa}},
         true},
        {{"lookup", "ruean"}, 0, "T-I ruean = casa บ้าน (s.f.) -- la mia casa\n", {}, {}},
        {{"lookup", "baan"}, 1, {}, "thai-kit: no entry \"baan\" in either direction", {}},
        {{"edit", "casa", "ruean", "--set", "thai=日本"}, 1, {}, thaiRefused, {}},
        {{"edit", "casa", "ruean", "--set", "note=la mia casa"}, 1, {}, "already reads so", {}},
        // Two different entries of the same words: refused with both listed, then picked.
        {{"add", "casa", "ruean"},
         0,
         "added to",
         {},
         {{"LEXFWD_C.DAT", casaRuean + line("casa", "ruean")},
          {"LEXREV_R.DAT", rueanCasa + line("ruean", "casa")}},
         true},
        {{"delete", "casa", "ruean"}, 1, {}, "2: I-T casa = ruean\n", {}},
        {{"delete", "casa", "ruean", "--record", "2"},
         0,
         "removed from",
         {},
         {{"LEXFWD_C.DAT", casaRuean}, {"LEXREV_R.DAT", rueanCasa}},
         true},
        // A forward record without its reverse one: changed only when asked to.
        {{"delete", "cane", "maa"},
         1,
         {},
         "add --forward-alone",
         {{"LEXFWD_C.DAT", casaRuean + cane}},
         false,
         [&] { appendBytes(root / "LEXFWD_C.DAT", cane); }},
        {{"delete", "cane", "maa", "--forward-alone"},
         0,
         "removed from",
         {},
         {{"LEXFWD_C.DAT", casaRuean}},
         true},
        {{"delete", "cane", "maa"}, 1, {}, "holds no entry \"cane\" = \"maa\"", {}},
        // Wrong command lines change nothing.
        {{}, 2, {}, usage, {}},
        {{"lookup"}, 2, {}, usage, {}},
        {{"lookup", ""}, 2, {}, usage, {}},
        {{"--folder", "", "lookup", "casa"}, 2, {}, usage, {}},
        {{"add", "casa"}, 2, {}, usage, {}},
        {{"edit", "casa", "ruean"}, 2, {}, usage, {}},
        {{"edit", "casa", "ruean", "--set", "colour=red"}, 2, {}, usage, {}},
        {{"lookup", "casa", "--thai", "x"}, 2, {}, usage, {}},
        {{"delete", "casa", "ruean", "--record", "0"}, 2, {}, usage, {}},
        {{"frobnicate"}, 2, {}, usage, {}},
        {{"--version"}, 0, "thai-kit " THAI_KIT_VERSION "\n", {}, {}},
    };
    Files expected;
    for (const Step& step : steps) {
        const QString name = step.args.join(QLatin1Char(' '));
        if (step.before)
            step.before();
        const Ran ran = runProgram(home, step.folder.isEmpty() ? folder : step.folder, step.args);
        QVERIFY2(
            ran.status == step.status,
            qPrintable(QStringLiteral("%1: status %2, %3").arg(name).arg(ran.status).arg(ran.err)));
        if (step.outPart)
            QVERIFY2(ran.out.contains(step.out), qPrintable(name + QStringLiteral(": ") + ran.out));
        else
            QCOMPARE(ran.out, step.out);
        if (step.err.isEmpty())
            QCOMPARE(ran.err, QString());
        else
            QVERIFY2(ran.err.contains(step.err), qPrintable(name + QStringLiteral(": ") + ran.err));
        for (const auto& [file, bytes] : step.files)
            expected[file] = bytes;
        // Every file of the folder as expected, a file not there yet as an empty one.
        for (const auto& [file, bytes] : expected)
            QVERIFY2(readBytes(root / file) == bytes,
                     qPrintable(name + QStringLiteral(": ") + QString::fromStdString(file)));
        for (const auto& entry : fs::directory_iterator(root))
            QVERIFY2(expected.count(entry.path().filename().string()),
                     qPrintable(name + QStringLiteral(": ") +
                                QString::fromStdString(entry.path().filename().string())));
    }
}

void TestThaiKit::anInterruptedWriteOrChangeIsDealtWithBeforeTheCommand() {
    // What a write or a change stopped by a failing disk left in the folder; any command
    // first undoes or finishes it, and says so on the standard error.
    const std::string cane = line("cane", "maa"), maa = line("maa", "cane");
    constexpr std::chrono::milliseconds wait(100);
    using Call = FailingFileOps::Call;
    // An append that could neither finish nor be rolled back: the forward line alone.
    auto append = [&](const fs::path& root, FailingFileOps& ops) {
        ops.fail({Call::Write, "LEXREV", 1, ENOSPC});
        ops.fail({Call::Ftruncate, "LEXFWD", 1, EIO});
        return datafiles::appendEntry(root / "LEXFWD_C.DAT", line("casa", "baan"),
                                      root / "LEXREV_B.DAT", line("baan", "casa"), {&ops, wait})
                   .problem == datafiles::EntryWriteResult::Problem::RollbackFailed;
    };
    // A change sealed, then stopped when a file was to take its new bytes.
    auto change = [&](const fs::path& root, FailingFileOps& ops) {
        ops.fail({Call::Replace, "LEXREV_M", 1, EIO});
        datafiles::EntryChange c;
        c.forward = {"cane", "maa", "-", "-", "@", "$", "$"};
        c.replacement = datafiles::DictionaryRecord{"cane", "maa", "-", "il cane", "@", "$", "$"};
        return datafiles::changeEntry(root, c, {&ops, wait}).problem ==
               datafiles::EntryEditResult::Problem::NotFinished;
    };
    const QString undone = QStringLiteral(
        "thai-kit: thai-kit stopped before it had finished writing the entry \"casa\" = "
        "\"baan\". The part already stored has been removed");
    struct Case {
        std::function<bool(const fs::path&, FailingFileOps&)> interrupt;
        QStringList args;
        int status;
        QString told;                 // the beginning of the standard error
        std::string forward, reverse; // LEXFWD_C.DAT and LEXREV_M.DAT after the command
    };
    const std::vector<Case> cases = {
        {append, {"lookup", "casa"}, 1, undone, cane, maa},
        {append,
         {"add", "cavallo", "maa"},
         0,
         undone,
         cane + line("cavallo", "maa"),
         maa + line("maa", "cavallo")},
        {change,
         {"lookup", "cane"},
         0,
         "thai-kit: A change or removal of the entry \"cane\" = \"maa\" was stopped before "
         "it was finished; thai-kit has now completed it in every data file it concerns.\n",
         line("cane", "maa", "-", "il cane"),
         line("maa", "cane", "-", "il cane")},
    };
    for (const Case& c : cases) {
        QTemporaryDir home, dir;
        const fs::path root = dir.path().toStdString();
        appendBytes(root / "LEXFWD_C.DAT", cane);
        appendBytes(root / "LEXREV_M.DAT", maa);
        FailingFileOps ops;
        QVERIFY(c.interrupt(root, ops));
        QVERIFY(fs::exists(root / datafiles::kJournalFileName));
        const Ran ran = runProgram(home, dir.path(), c.args);
        QCOMPARE(ran.status, c.status);
        QVERIFY2(ran.err.startsWith(c.told), qPrintable(ran.err));
        QCOMPARE(readBytes(root / "LEXFWD_C.DAT"), c.forward);
        QCOMPARE(readBytes(root / "LEXREV_M.DAT"), c.reverse);
        QVERIFY(!fs::exists(root / datafiles::kJournalFileName));
    }
}

void TestThaiKit::withoutAFolderTheOneChosenLastInRipassoElseTheStarter() {
    struct Case {
        bool chosenInRipasso;
        const char* found; // the folder whose casa is printed
    };
    for (const Case c : {Case{true, "ripasso"}, Case{false, "starter"}}) {
        QTemporaryDir dir;
        const fs::path root = dir.path().toStdString();
        for (const char* name : {"ripasso", "drive_c/THAI"}) {
            fs::create_directories(root / name);
            appendBytes(root / name / "LEXFWD_C.DAT",
                        line("casa", name[0] == 'r' ? "ripasso" : "starter"));
        }
        const fs::path progress = root / "ripasso.sqlite";
        if (c.chosenInRipasso) {
            ripasso::StoreError error;
            const auto store = ripasso::ProgressStore::open(progress, error);
            QVERIFY(store);
            QVERIFY(store->setSetting("wordsFolder", (root / "ripasso").string() + "/"));
        }
        std::ostringstream out, err;
        const int status = thaikit::run(
            {QStringLiteral("lookup"), QStringLiteral("casa")},
            {.driveRoot = [&] { return root; }, .progressFile = progress, .fileAccess = {}}, out,
            err);
        QCOMPARE(status, 0);
        QCOMPARE(QString::fromStdString(out.str()),
                 QStringLiteral("I-T casa = %1\n").arg(QLatin1String(c.found)));
        QCOMPARE(QString::fromStdString(err.str()), QString());
    }
}

void TestThaiKit::syllableReadsAWordAndTouchesNoFolder() {
    struct Case {
        const char* word;
        int status;
        const char* out;
    };
    const Case cases[] = {
        {"บ้าน-สับปะรด", 0,
         "บ้าน\tบ\tmid\taa\tlong\tน -n\tlive\tmai tho\tfalling\n"
         "สับ\tส\thigh\ta\tshort\tบ -p\tdead\tnone\tlow\n"
         "ปะ\tป\tmid\ta\tshort\t-\tdead\tnone\tlow\n"
         "รด\tร\tlow\to\tshort\tด -t\tdead\tnone\thigh\n"},
        {"น้ำ สวัสดี", 1, "น้ำ\tน\tlow\taam\tlong\t-\tlive\tmai tho\thigh\nสวัสดี\tcannot read\n"},
    };
    for (const Case& c : cases) {
        QTemporaryDir home;
        const Ran ran =
            runProgram(home, {}, {QStringLiteral("syllable"), QString::fromUtf8(c.word)});
        QCOMPARE(ran.status, c.status);
        QCOMPARE(ran.out, QString::fromUtf8(c.out));
        QCOMPARE(ran.err, QString());
        // Neither the user's drive nor Ripasso's progress was made.
        QVERIFY(QDir(home.path()).isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestThaiKit)
#include "test_thai_kit.moc"

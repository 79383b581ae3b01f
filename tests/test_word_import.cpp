// The import of words: small files of every format read into a folder that holds one entry,
// with the counts, the refused rows with their lines, the error, and every data file's bytes
// afterwards; a dry run that writes nothing; sources that are no ordinary file; and
// `thai-kit import` run as a program, with its output and exit status.

#include "datafiles/record_writer.h"
#include "ripasso/word_import.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <map>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Files = std::map<std::string, std::string>;

// Both records of an entry, by their files.
Files entry(const char* headword, const char* counterpart, const char* attribute = "-",
            const char* note = "-", const char* thai = "@", const char* thaiSound = "$",
            const char* italianSound = "$") {
    const datafiles::DictionaryRecord r{headword, counterpart, attribute,   note,
                                        thai,     thaiSound,   italianSound};
    return {{std::string("LEXFWD_") + char(std::toupper(headword[0])) + ".DAT",
             datafiles::formatRecordLine(r)},
            {std::string("LEXREV_") + char(std::toupper(counterpart[0])) + ".DAT",
             datafiles::formatRecordLine(datafiles::reverseOf(r))}};
}
Files operator+(Files a, const Files& b) {
    for (const auto& [name, bytes] : b)
        a[name] += bytes;
    return a;
}

constexpr char kBaan[] = "\xba\xe9\xd2\xb9";            // บ้าน in TIS-620
constexpr char kMaeNaam[] = "\xe1\xc1\xe8\xb9\xe9\xd3"; // แม่น้ำ
constexpr char kNaam[] = "\xb9\xe9\xd3";                // น้ำ
const Files kBefore = entry("casa", "baan", "s.f.", "-", kBaan);

Files filesOf(const fs::path& folder) {
    Files files;
    for (const auto& file : fs::directory_iterator(folder)) {
        std::ifstream in(file.path(), std::ios::binary);
        files[file.path().filename().string()] = {std::istreambuf_iterator<char>(in), {}};
    }
    return files;
}

// "added/already/refused"
QString counts(const ripasso::ImportReport& r) {
    return QStringLiteral("%1/%2/%3").arg(r.added).arg(r.already).arg(r.refused);
}

struct Imported {
    ripasso::ImportReport report;
    std::vector<std::size_t> refusedLines;
    QStringList messages;
};

// Imports `bytes` saved as `name` into a fresh folder holding kBefore.
Imported importBytes(const QTemporaryDir& dir, const std::string& name, const std::string& bytes,
                     bool dryRun = false) {
    const fs::path root = dir.path().toStdString();
    fs::remove_all(root / "data");
    fs::create_directory(root / "data");
    for (const auto& [file, content] : kBefore)
        std::ofstream(root / "data" / file, std::ios::binary) << content;
    std::ofstream(root / name, std::ios::binary | std::ios::trunc) << bytes;
    Imported out;
    out.report = ripasso::importWords(
        root / name, root / "data",
        [](const fs::path& p) { return QString::fromStdString(p.filename().string()); },
        {.dryRun = dryRun},
        [&](std::size_t row, const QString& message) {
            out.refusedLines.push_back(row);
            out.messages << message;
        });
    return out;
}

} // namespace

class TestWordImport : public QObject {
    Q_OBJECT
private slots:
    void rowsOfEveryFormatLeaveTheFilesAsExpected();
    void aDryRunWritesNothingAndOnlyOrdinaryFilesAreRead();
    void theCommandPrintsRefusedRowsAndTheCounts();
};

void TestWordImport::rowsOfEveryFormatLeaveTheFilesAsExpected() {
    QTemporaryDir dir;
    struct Case {
        const char* what;
        std::string bytes;
        std::size_t added, already, refused;
        std::vector<std::size_t> refusedLines;
        QStringList messages; // a part of each refused row's message
        QString error;        // a part of the error; empty: none
        Files files;          // what the data files hold afterwards
        QString note = {};    // a part of the first note
        std::string name = "words.csv";
    };
    const std::vector<Case> cases = {
        {"CSV, an extra column, a row of the wrong length",
         "Italiano,Pronuncia,Thai,Attributo,Note,Colore\ngatto,maeo,,s.m.,miao,nero\nuno,due\n",
         1,
         0,
         1,
         {3},
         {"2 fields where the header names 6"},
         {},
         kBefore + entry("gatto", "maeo", "s.m.", "miao"),
         "\"Colore\" is not read"},
        {"semicolons, quoted fields, rows the check refuses, empty lines",
         "italiano;pronuncia;note\r\n\"mela; rossa\";apple;\"un \"\"frutto\"\"\"\r\n"
         "\"pera\";phaa;\"due\r\nrighe\"\r\ncane;maa;ok\r\n\r\nuva;Angun;\r\n;khao;\r\n"
         "\"lungo\r\n\r\nfico;mahadeua\r\n",
         1,
         0,
         5,
         {2, 3, 7, 8, 9},
         {"no \" allowed", "no line breaks", "Error word Thai", "missing Italy word",
          "never closed"},
         {},
         kBefore + entry("cane", "maa", "-", "ok")},
        {"a row longer than 1 MiB",
         "italiano,pronuncia\n" + std::string(1100000, 'a') + ",x\ncane,maa\n",
         1,
         0,
         1,
         {2},
         {"longer than 1 MiB"},
         {},
         kBefore + entry("cane", "maa")},
        {"tabs and a byte-order mark",
         "\xEF\xBB\xBFpronuncia\titaliano\tthai\n\"khaa\tthaa\"\tgamba\t\xe0\xb8\x82\xe0\xb8\xb2\n",
         1,
         0,
         0,
         {},
         {},
         {},
         kBefore + entry("gamba", "khaa\tthaa", "-", "-", "\xa2\xd2")},
        {"duplicates of the dictionary and within the file; the same word with another "
         "attribute is another entry, and a bare row is one when only the file had the word",
         "italiano,pronuncia,thai,attributo\ncasa,baan,บ้าน,s.f.\ncasa,baan,บ้าน,\n"
         "casa,baan,บ้าน,s.m.\nsole,daet,,\nsole,daet,,\nluna,duan,,s.f.\nluna,duan,,\n",
         4,
         3,
         0,
         {},
         {},
         {},
         kBefore + entry("casa", "baan", "s.m.", "-", kBaan) + entry("sole", "daet") +
             entry("luna", "duan", "s.f.") + entry("luna", "duan")},
        {"Anki's text export of the kit's note type, as HTML",
         "#separator:Comma\n#html:true\n#notetype:Thai kit (Italiano)\n#deck column:1\n"
         "Thai,acqua,nam,น้ำ,s.f.,l&#39;acqua &amp; il <b>mare</b>,"
         "[sound:nam.wav] <span class=\"italiano\">[sound:acqua.wav]</span>\n"
         "Thai,vento,lom,,,,[sound:thaikit-voice-0123456789abcdef.wav]\n"
         "Thai,x,y\n",
         2,
         0,
         1,
         {7},
         {"3 fields where the header names 7"},
         {},
         kBefore +
             entry("acqua", "nam", "s.f.", "l'acqua & il mare", kNaam, "nam.wav", "acqua.wav") +
             entry("vento", "lom"),
         "Anki"},
        {"the kit's own text export",
         "#separator:tab\n#html:true\n#notetype:Basic (and reversed card)\n#deck:Thai\n"
         "#columns:Front\tBack\tTags\tGUID\n#tags:ripasso\n#tags column:3\n#guid column:4\n"
         "fiume [sound:fiume.wav]\tmae naam<br>แม่น้ำ<br>s.m.<br>il Po<br>[sound:mn.wav]\ts.m.\ta\n"
         "sole\tdaet<br>caldo &lt;molto&gt;\t\tb\n"
         "casa\tbaan<br>บ้าน<br>s.f.\ts.f.\tc\n",
         2,
         1,
         0,
         {},
         {},
         {},
         kBefore + entry("fiume", "mae naam", "s.m.", "il Po", kMaeNaam, "mn.wav", "fiume.wav") +
             entry("sole", "daet", "-", "caldo <molto>")},
        {"Latin-1",
         "italiano,pronuncia\ncane,maa\ncaff\xe8,kaafee\n",
         0,
         0,
         0,
         {},
         {},
         "line 3 holds the byte 0xE8",
         kBefore},
        {"UTF-16", "\xFF\xFEi\0t\0"s, 0, 0, 0, {}, {}, "UTF-16", kBefore},
        {"binary",
         "italiano,pronuncia\nca\0ne,maa\n"s,
         0,
         0,
         0,
         {},
         {},
         "not a text file: line 2",
         kBefore},
        {"no pronunciation column",
         "italiano,thai\ncane,maa\n",
         0,
         0,
         0,
         {},
         {},
         "no column pronuncia (its header holds: italiano,thai)",
         kBefore},
    };
    for (const Case& c : cases) {
        const Imported got = importBytes(dir, c.name, c.bytes);
        const ripasso::ImportReport& r = got.report;
        const QByteArray what = c.what;
        QVERIFY2(r.error.contains(c.error) && (c.error.isEmpty() == r.error.isEmpty()),
                 what + ": " + r.error.toUtf8());
        QCOMPARE(counts(r), QStringLiteral("%1/%2/%3").arg(c.added).arg(c.already).arg(c.refused));
        QCOMPARE(got.refusedLines, c.refusedLines);
        for (qsizetype i = 0; i < c.messages.size(); ++i)
            QVERIFY2(got.messages[i].contains(c.messages[i]),
                     what + ": " + got.messages[i].toUtf8());
        QVERIFY2(c.note.isEmpty() || (!r.notes.isEmpty() && r.notes[0].contains(c.note)),
                 what + ": " + r.notes.join(QLatin1Char('|')).toUtf8());
        QVERIFY2(filesOf(dir.path().toStdString() + "/data") == c.files, what);
    }
}

void TestWordImport::aDryRunWritesNothingAndOnlyOrdinaryFilesAreRead() {
    QTemporaryDir dir;
    const std::string csv =
        "italiano,pronuncia,thai\ncasa,baan,บ้าน\ncane,maa,\ncane,maa,\nuva,Angun,\n";
    const Imported dry = importBytes(dir, "words.csv", csv, true);
    QCOMPARE(counts(dry.report), QStringLiteral("1/2/1"));
    QVERIFY(filesOf(dir.path().toStdString() + "/data") == kBefore); // no journal either
    const Imported wet = importBytes(dir, "words.csv", csv);
    QCOMPARE(counts(wet.report), QStringLiteral("1/2/1"));
    QVERIFY(filesOf(dir.path().toStdString() + "/data") == kBefore + entry("cane", "maa"));

    const fs::path root = dir.path().toStdString();
    QVERIFY(::mkfifo((root / "pipe").c_str(), 0600) == 0); // nobody writes: a read would wait
    const auto report = [&](const fs::path& source) {
        return ripasso::importWords(source, root / "data",
                                    [](const fs::path&) { return QString(); }, {}, {})
            .error;
    };
    QVERIFY2(report(root / "pipe").contains(QLatin1String("not an ordinary file")),
             qPrintable(report(root / "pipe")));
    QVERIFY2(report(root / "data").contains(QLatin1String("is a folder")),
             qPrintable(report(root / "data")));
}

void TestWordImport::theCommandPrintsRefusedRowsAndTheCounts() {
    QTemporaryDir home, dir;
    const QString file = dir.path() + QStringLiteral("/words.csv");
    std::ofstream(file.toStdString()) << "italiano,pronuncia\ncane,maa\nuva,Angun\n";
    std::ofstream(dir.path().toStdString() + "/latin.csv") << "italiano,pronuncia\ncaff\xe8,k\n";
    struct Step {
        QStringList args;
        int status;
        QString out, err;
    };
    const std::vector<Step> steps = {
        {{"import", file, "--dry-run"},
         0,
         "1 added, 0 already there, 1 refused (dry run: nothing was written)\n",
         file + ":3: Error word Thai\n"},
        {{"import", file},
         0,
         "1 added, 0 already there, 1 refused\n",
         file + ":3: Error word Thai\n"},
        {{"import", file}, 0, "0 added, 1 already there, 1 refused\n", {}},
        {{"import", dir.path() + "/latin.csv"}, 1, {}, "line 2 holds the byte 0xE8"},
        {{"import"}, 2, {}, "import takes one file"},
    };
    for (const Step& s : steps) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(THAI_KIT_PROGRAM),
                      QStringList{QStringLiteral("--folder"), dir.path() + "/"} + s.args);
        QVERIFY(process.waitForFinished(60000));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitCode(), s.status);
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), s.out);
        QVERIFY2(err.contains(s.err), qPrintable(err));
    }
}

QTEST_GUILESS_MAIN(TestWordImport)
#include "test_word_import.moc"

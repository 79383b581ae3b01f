// The export for Anki, read back as Anki's importer reads it (in Python, independently of the
// export's code): the columns mapped to the fields of the stock note type "Basic (and reversed
// card)" by their names, or by their places when they have none, and every field of each
// record found, decoded, in a mapped field; the note ids stay when words are added; what
// stands at the target is replaced only when it is an ordinary file and every letter file
// could be read; an export killed at any moment leaves the old file or the whole new one.

#include "datafiles/record_reader.h"
#include "ripasso/anki_export.h"
#include "thaitext/codec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fstream>
#include <functional>
#include <random>
#include <set>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace ripasso;
namespace fs = std::filesystem;

namespace {

// Anki's header lines, then the columns that fill the fields Front and Back of each note: by
// the names of "#columns:", the tags and guid columns left out; with no names, the other
// columns in their order. Lines that begin with "#" are comments.
const char* const kAnkiReader = R"py(
import csv, io, json, sys
lines = open(sys.argv[1], encoding='utf-8', newline='').read().split('\n')
header, meta = [], {}
while lines and lines[0].startswith('#'):
    header.append(lines.pop(0))
    key, colon, value = header[-1][1:].partition(':')
    meta[key.strip().lower()] = value.rstrip('\r')
sep = {'tab': '\t', 'comma': ',', 'semicolon': ';'}.get(meta['separator'].lower(), meta['separator'])
rows = list(csv.reader([l for l in lines if l and not l.startswith('#')], delimiter=sep))
named = sys.argv[2] == 'named' and 'columns' in meta
labels = next(csv.reader([meta['columns']], delimiter=sep)) if named else [''] * len(rows[:1] and rows[0])
special = {int(meta[k]) for k in ('tags column', 'guid column', 'deck column') if k in meta}
free = [c for c in range(1, len(labels) + 1) if c not in special]
by_name = {l: c for c, l in enumerate(labels, 1) if c not in special}
columns = ([by_name.get('Front', 1), by_name.get('Back', 0)] if any(labels)
           else (free + [1, 0][len(free):])[:2])
cell = lambda row, key: row[int(meta.get(key, 0)) - 1] if key in meta else ''
print(json.dumps({'header': header, 'html': meta.get('html') == 'true',
                  'notes': [[r[c - 1] if c else '' for c in columns] +
                            [cell(r, 'tags column'), cell(r, 'guid column')] for r in rows]}))
)py";

struct AnkiFile {
    QStringList header;
    bool html = false;
    QList<QStringList> notes; // Front, Back, tags, id
};

AnkiFile readAsAnki(const fs::path& file, const char* columns) {
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"), QLatin1String(kAnkiReader),
                                             QString::fromStdString(file.string()), columns});
    if (!python.waitForFinished() || python.exitCode() != 0)
        qWarning("%s", python.readAllStandardError().constData());
    const QJsonObject read = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    AnkiFile anki{read["header"].toVariant().toStringList(), read["html"].toBool(), {}};
    for (const QJsonValue& note : read["notes"].toArray())
        anki.notes << note.toVariant().toStringList();
    return anki;
}

// A field as a card shows it: its lines, the HTML's tags set aside.
QString shown(QString field, bool html) {
    if (!html)
        return field;
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return field.replace(QLatin1String("<br>"), QLatin1String("\n"))
        .remove(tag)
        .replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
}

QString latin(std::string_view bytes, const char* none = "") {
    return bytes == none ? QString() : QString::fromStdU16String(thaitext::decodeCp1252(bytes));
}

// Each forward record that is no cross-reference: its Italian word, then the lines the back of
// its card should show (pronunciation, Thai script, attribute, note), its Thai script and its
// tag.
QList<QStringList> expectedNotes(const fs::path& folder) {
    QList<QStringList> notes;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const auto file =
            datafiles::readWholeFile(folder / ("LEXFWD_" + std::string(1, letter) + ".DAT"));
        for (const datafiles::DictionaryRecord& r : datafiles::readAllRecords(file.bytes).records) {
            if (r.isCrossReference())
                continue;
            const QString thai = r.thai == "@"
                                     ? QString()
                                     : QString::fromStdU16String(thaitext::decodeTis620(r.thai));
            // The recordings are named as Anki's sound tags: the Italian one after the word,
            // the Thai one on the last line of the back.
            auto sound = [](const std::string& name) {
                return name == "$" ? QString() : "[sound:" + latin(name) + "]";
            };
            QStringList back{latin(r.counterpart), thai, latin(r.attribute, "-"),
                             latin(r.note, "-").replace(QLatin1String("\r\n"), QLatin1String("\n")),
                             sound(r.thaiSound)};
            back.removeAll(QString());
            const QString italianSound = sound(r.italianSound);
            notes << QStringList{
                latin(r.headword) + (italianSound.isEmpty() ? QString() : " " + italianSound),
                back.join(QLatin1Char('\n')), thai,
                latin(r.attribute, "-").replace(QLatin1Char(' '), QLatin1Char('_'))};
        }
    }
    return notes;
}

ExportResult exportFolder(const fs::path& folder, const fs::path& target,
                          const datafiles::FileAccess& access = {}) {
    return exportForAnki([&](const std::string& name) { return folder / name; }, target,
                         kDefaultDeck, access);
}

} // namespace

class TestRipassoExport : public QObject {
    Q_OBJECT
private slots:
    void everyFieldReachesAFieldOfTheStockNoteType_data();
    void everyFieldReachesAFieldOfTheStockNoteType();
    void onlyAnOrdinaryFileIsReplacedAndOnlyWhenEveryLetterIsRead();
    void aKilledExportLeavesTheOldFileOrTheWholeNewOne();
};

void TestRipassoExport::everyFieldReachesAFieldOfTheStockNoteType_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QByteArray>("added"); // to LEXFWD_C.DAT of a copy, before a second export
    QTest::newRow("starter dictionary") << QStringLiteral(STARTER_FOLDER)
                                        << QByteArray("\"cavolo\",\"ka lam\",\"s.m.\",\"-\","
                                                      "\"@\",\"$\",\"$\"\r\n");
    // A bare field may hold a double quote, a quoted one a tab or a line break; a head word
    // that begins with "#" would be a comment line to Anki; <, > and & are text, not HTML; the
    // recordings are Anki's sound tags.
    QTest::newRow("tabs, quotes, line breaks, HTML's characters")
        << QString()
        << QByteArray("ca\"sa,\"baan\",\"s. f.\",\"con\ttab\",\"@\",\"$\",\"$\"\r\n"
                      "\"#uno\",\"nung\",\"-\",\"riga\r\nseconda <b>&amp;</b>\",\"\xB9\",\"$\","
                      "\"$\"\r\n\"caff\xE8 & <i>\",\"kafee\",\"-\",\"-\",\"@\",\"$\",\"$\"\r\n"
                      "\"cane\",\"maa\",\"-\",\"-\",\"@\",\"cane_th.wav\",\"cane.wav\"\r\n");
}

void TestRipassoExport::everyFieldReachesAFieldOfTheStockNoteType() {
    QFETCH(QString, folder);
    QFETCH(QByteArray, added);
    QTemporaryDir dir;
    const fs::path words = dir.path().toStdString() + "/words";
    fs::create_directory(words);
    if (!folder.isEmpty())
        fs::copy(folder.toStdString(), words);
    const fs::path target = dir.path().toStdString() + "/anki.txt";
    // The id of a note made by earlier exports: a new export must update that note.
    QCOMPARE(noteId("casa", "baan"), std::string("ripasso-ca98af73c9cd3d64"));
    QMap<QString, QString> idsBefore;
    for (const int pass : {1, 2}) {
        const ExportResult result = exportFolder(words, target);
        QVERIFY2(result.written, result.error.c_str());
        const QList<QStringList> expected = expectedNotes(words);
        QCOMPARE(int(result.notes), expected.size());
        for (const char* columns : {"named", "unnamed"}) {
            const AnkiFile anki = readAsAnki(target, columns);
            QCOMPARE(anki.notes.size(), expected.size());
            QSet<QString> ids;
            QMap<QString, int> seen; // the records of each word and pronunciation so far
            for (qsizetype i = 0; i < anki.notes.size(); ++i) {
                const QStringList& note = anki.notes[i];
                const QString front = shown(note[0], anki.html), back = shown(note[1], anki.html);
                QVERIFY2(expected[i][2].isEmpty() ||
                             (front + '\n' + back).split('\n').contains(expected[i][2]),
                         qPrintable(columns + (": no Thai script in " + note.join('|'))));
                QCOMPARE(front, expected[i][0]);
                QCOMPARE(back, expected[i][1]);
                QCOMPARE(note[2], expected[i][3]);
                const QString pronunciation = back.section(QLatin1Char('\n'), 0, 0);
                ids.insert(note[3]);
                const QString word = front + '|' + pronunciation;
                const QString nth = word + '|' + QString::number(++seen[word]);
                if (pass == 2 && idsBefore.contains(nth))
                    QCOMPARE(note[3], idsBefore[nth]); // the same note again, not a new one
                idsBefore.insert(nth, note[3]);
            }
            QCOMPARE(anki.header, (QStringList{"#separator:tab", "#html:true",
                                               "#notetype:Basic (and reversed card)", "#deck:Thai",
                                               "#columns:Front\tBack\tTags\tGUID", "#tags:ripasso",
                                               "#tags column:3", "#guid column:4"}));
            QCOMPARE(ids.size(), anki.notes.size());
        }
        std::ofstream(words / "LEXFWD_C.DAT", std::ios::app | std::ios::binary)
            << added.toStdString();
    }
    QCOMPARE(int(std::distance(fs::directory_iterator(dir.path().toStdString()),
                               fs::directory_iterator())),
             2); // no temporary file left
}

void TestRipassoExport::onlyAnOrdinaryFileIsReplacedAndOnlyWhenEveryLetterIsRead() {
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    const fs::path words = root / "words";
    fs::create_directory(words);
    // Two letters only, as in a folder of one's own: the others have no words yet.
    std::ofstream(words / "LEXFWD_B.DAT", std::ios::binary)
        << "\"bello\",\"suay\",\"agg.\",\"-\",\"\xCA\xC7\xC2\",\"$\",\"$\"\r\n";
    std::ofstream(words / "LEXFWD_C.DAT", std::ios::binary)
        << "\"casa\",\"baan\",\"s.f.\",\"-\",\"\xBA\xE9\xD2\xB9\",\"$\",\"$\"\r\n";
    const std::string old = "an older export\n";
    int lock = -1; // LEXFWD_C.DAT held by another program
    auto oldFile = [&](const fs::path& at, mode_t mode) {
        std::ofstream(at, std::ios::binary) << old;
        ::chmod(at.c_str(), mode);
    };
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> make; // what stands at the target before
        mode_t type;                               // what stands there after
        mode_t mode;                               // its permissions after, for a file
        std::string fault; // the file the refusal names; empty when the export is written
    };
    std::vector<Case> cases{
        {"nothing yet", [](const fs::path&) {}, S_IFREG, 0644, ""},
        {"a private file keeps its permissions", [&](const fs::path& t) { oldFile(t, 0600); },
         S_IFREG, 0600, ""},
        {"a pipe", [](const fs::path& t) { ::mkfifo(t.c_str(), 0644); }, S_IFIFO, 0, "target"},
        {"a folder", [](const fs::path& t) { fs::create_directory(t); }, S_IFDIR, 0, "target"},
        {"a symbolic link",
         [&](const fs::path& t) {
             oldFile(t.parent_path() / "real.txt", 0644);
             fs::create_symlink("real.txt", t);
         },
         S_IFLNK, 0, "target"},
        {"a letter file held past the wait",
         [&](const fs::path& t) {
             oldFile(t, 0644);
             lock = ::open((words / "LEXFWD_C.DAT").c_str(), O_RDONLY | O_CLOEXEC);
             ::flock(lock, LOCK_EX);
         },
         S_IFREG, 0644, (words / "LEXFWD_C.DAT").string()},
    };
    // A device, where the test may make one (a copy of /dev/null's node).
    const fs::path probe = root / "device";
    if (::mknod(probe.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        fs::remove(probe);
        cases.push_back(
            {"a device",
             [](const fs::path& t) { ::mknod(t.c_str(), S_IFCHR | 0666, makedev(1, 3)); }, S_IFCHR,
             0, "target"});
    }
    for (const Case& c : cases) {
        const fs::path folder = root / c.name;
        fs::create_directory(folder);
        const fs::path target = folder / "anki.txt";
        c.make(target);
        const auto made = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
        const ExportResult result = exportFolder(
            words, target, {&datafiles::systemFileOps(), std::chrono::milliseconds(100)});
        ::close(std::exchange(lock, -1));
        QVERIFY2(result.written == c.fault.empty(), c.name);
        const std::string named = c.fault == "target" ? target.string() : c.fault;
        QVERIFY2(result.error.find(named) != std::string::npos,
                 qPrintable(QString::fromUtf8(c.name) + ": " + result.error.c_str()));
        struct stat after {};
        QVERIFY(::lstat(target.c_str(), &after) == 0);
        QVERIFY2((after.st_mode & S_IFMT) == c.type, c.name);
        if (c.type == S_IFREG) {
            QCOMPARE(after.st_mode & 07777, c.mode);
            QVERIFY2((datafiles::readWholeFile(target).bytes == old) != c.fault.empty(), c.name);
        }
        if (c.type == S_IFLNK)
            QCOMPARE(datafiles::readWholeFile(folder / "real.txt").bytes, old);
        QVERIFY2(std::distance(fs::directory_iterator(folder), fs::directory_iterator()) ==
                     std::max<decltype(made)>(made, 1),
                 c.name); // no temporary file left
    }
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

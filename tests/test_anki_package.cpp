// The Anki package of a folder of known records, opened as Anki opens it (in Python, with
// zipfile, sqlite3 and json alone, independently of the export's code) and read back by
// readAnkiPackage; the progress's due days on the answered cards; and what stands at the
// target kept whole when the package cannot be put there.

#include "datafiles/file_io.h"
#include "datafiles/record_reader.h"
#include "platform/wav.h"
#include "ripasso/anki_package.h"
#include "ripasso/progress_store.h"
#include "small_disk.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <functional>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace ripasso;
namespace fs = std::filesystem;

namespace {

// argv: the package, the data folder, the deck, then "notes" and the expected notes as JSON
// (guid and fields each), or "progress" and the answered cards as JSON (guid, ord, due day,
// last day, reviews, lapses; days counted from 1970-01-01 in local time).
const char* const kPackageReader = R"py(
import datetime, hashlib, json, os, re, sqlite3, sys, tempfile, zipfile
package, folder, deck, mode, expected = sys.argv[1:6]
expected = json.loads(expected)
z = zipfile.ZipFile(package)
names = z.namelist()
assert names[:2] == ['collection.anki2', 'media'], names
path = os.path.join(tempfile.mkdtemp(), 'c.anki2')
open(path, 'wb').write(z.read('collection.anki2'))
db = sqlite3.connect(path)
columns = {t: [r[1] for r in db.execute('PRAGMA table_info(%s)' % t)]
           for t in ('col', 'notes', 'cards', 'revlog', 'graves')}
assert columns == {
    'col': 'id crt mod scm ver dty usn ls conf models decks dconf tags'.split(),
    'notes': 'id guid mid mod usn tags flds sfld csum flags data'.split(),
    'cards': ('id nid did ord mod usn type queue due ivl factor reps lapses left odue odid '
              'flags data').split(),
    'revlog': 'id cid usn ease ivl lastIvl factor time type'.split(),
    'graves': 'usn oid type'.split()}, columns
(ver, crt, models, decks, dconf), = db.execute('SELECT ver, crt, models, decks, dconf FROM col')
assert ver == 11, ver
model, = [m for m in json.loads(models).values() if m['name'] == 'Thai kit (Italiano)']
assert [f['name'] for f in sorted(model['flds'], key=lambda f: f['ord'])] == \
    ['Italiano', 'Pronuncia', 'Thai', 'Attributo', 'Note', 'Suono'], model['flds']
assert sorted(t['ord'] for t in model['tmpls']) == [0, 1], model['tmpls']
deck_id, = [int(k) for k, d in json.loads(decks).items() if d['name'] == deck]
assert str(json.loads(decks)[str(deck_id)]['conf']) in json.loads(dconf)
notes = db.execute('SELECT id, guid, mid, flds, sfld, csum FROM notes ORDER BY id').fetchall()
cards = db.execute('SELECT nid, ord, did, type, queue, due, ivl, reps, lapses FROM cards').fetchall()
media = json.loads(z.read('media'))
if mode == 'notes':
    assert [[n[1]] + n[3].split('\x1f') for n in notes] == [[e['guid']] + e['fields'] for e in expected], \
        (notes, expected)
    for nid, guid, mid, flds, sfld, csum in notes:
        assert mid == int(model['id']) and sfld == flds.split('\x1f')[0]
        assert csum == int(hashlib.sha1(sfld.encode()).hexdigest()[:8], 16), (sfld, csum)
        has_thai = flds.split('\x1f')[2] != ''
        assert sorted(c[1] for c in cards if c[0] == nid) == ([0, 1] if has_thai else [0]), guid
    assert all(c[2] == deck_id and c[3] == c[4] == 0 for c in cards), cards
    for member, name in media.items():
        assert z.read(member) == open(os.path.join(folder, name), 'rb').read(), name
    sounds = {s for n in notes for s in re.findall(r'\[sound:([^\]]+)\]', n[3].split('\x1f')[5])}
    assert sounds == set(media.values()), (sounds, media)
    assert len(media) == len(names) - 2
else:
    by_guid = {n[1]: n[0] for n in notes}
    answered = {(by_guid[e['guid']], e['ord']): e for e in expected}
    start = datetime.date.fromtimestamp(crt)
    epoch = datetime.date(1970, 1, 1)
    for nid, ord, did, type, queue, due, ivl, reps, lapses in cards:
        e = answered.get((nid, ord))
        if e is None:
            assert type == queue == 0, (nid, ord, type)
            continue
        assert type == queue == 2, (nid, ord, type)
        assert start + datetime.timedelta(days=due) == epoch + datetime.timedelta(days=e['due']), \
            (start, due, e)
        assert (ivl, reps, lapses) == (e['due'] - e['last'], e['reviews'], e['lapses'])
print('ok')
)py";

// Runs the Python reader; its complaint, or empty.
QString checkAsAnki(const fs::path& package, const fs::path& folder, const char* mode,
                    const QJsonArray& expected, const QString& deck = QStringLiteral("Thai")) {
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"), QLatin1String(kPackageReader),
                  QString::fromStdString(package.string()), QString::fromStdString(folder.string()),
                  deck, QLatin1String(mode),
                  QString::fromUtf8(QJsonDocument(expected).toJson(QJsonDocument::Compact))});
    if (!python.waitForFinished() || python.exitCode() != 0)
        return QString::fromUtf8(python.readAllStandardError());
    return {};
}

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A known record and the note it makes (UTF-8); a cross-reference makes none.
struct Word {
    const char* record; // a line of LEXFWD_<letter>.DAT, code page 1252 and TIS-620
    int occurrence;     // of its head word and pronunciation
    std::vector<QString> fields;
};

const std::vector<Word> kWords = {
    {"\"bello\",\"suay\",\"agg.\",\"-\",\"\xCA\xC7\xC2\",\"bello_th.wav\",\"bello_it.wav\"",
     1,
     {"bello", "suay", "สวย", "agg.", "",
      "[sound:bello_th.wav] <span class=\"italiano\">[sound:bello_it.wav]</span>"}},
    {"\"casa\",\"baan\",\"s.f.\",\"una <nota> & altro\",\"\xBA\xE9\xD2\xB9\",\"manca.wav\","
     "\"finto.wav\"",
     1,
     {"casa", "baan", "บ้าน", "s.f.", "una &lt;nota&gt; &amp; altro", ""}},
    {"\"cane\",\"maa\",\"s.m.\",\"-\",\"\xCB\xC1\xD2\",\"bello_th.wav\",\"$\"",
     1,
     {"cane", "maa", "หมา", "s.m.", "", "[sound:bello_th.wav]"}},
    {"\"cagnolino\",\"maa\",\"-\",\"*\",\"@\",\"$\",\"$\"", 0, {}},
    {"\"riso\",\"khaaw\",\"s.m.\",\"-\",\"\xA2\xE9\xD2\xC7\",\"$\",\"$\"",
     1,
     {"riso", "khaaw", "ข้าว", "s.m.", "", ""}},
    {"\"riso\",\"khaaw\",\"s.m.\",\"-\",\"\xA2\xD2\xC7\",\"$\",\"$\"",
     2,
     {"riso", "khaaw", "ขาว", "s.m.", "", ""}},
    {"\"caff\xE8\",\"kafee\",\"-\",\"-\",\"@\",\"$\",\"$\"", 1, {"caffè", "kafee", "", "", "", ""}},
};

// The folder of kWords (every record in LEXFWD_C.DAT, whatever its initial: the export reads
// the files' records as they come) and its recordings: two WAVE files and one that is none.
fs::path makeFolder(const fs::path& root) {
    const fs::path folder = root / "words";
    fs::create_directory(folder);
    std::string bytes;
    for (const Word& w : kWords)
        bytes += std::string(w.record) + "\r\n";
    writeFile(folder / "LEXFWD_C.DAT", bytes);
    const std::vector<std::int16_t> samples = {0, 1200, -1200, 300};
    writeFile(folder / "bello_th.wav", platform::wavFile(samples, 22050));
    writeFile(folder / "bello_it.wav", platform::wavFile(samples, 11025));
    writeFile(folder / "finto.wav", "not a recording");
    return folder;
}

QString guidOf(const Word& w) {
    const std::string line = std::string(w.record) + "\r\n";
    datafiles::RecordReader reader(line);
    datafiles::RecordView r;
    reader.next(r);
    return QString::fromStdString(noteId(r.headword(), r.counterpart(), w.occurrence));
}

PackageResult exportFolder(const fs::path& folder, const fs::path& target,
                           const PackageOptions& options = {}) {
    return exportAnkiPackage([&](const std::string& name) { return folder / name; }, target,
                             options);
}

std::string contents(const fs::path& file) {
    return datafiles::readWholeFile(file).bytes;
}

} // namespace

class TestAnkiPackage : public QObject {
    Q_OBJECT
private slots:
    void aPackageHoldsEveryWordWithItsRecordingsAndReadsBack();
    void answeredCardsAreDueAsInRipasso();
    void onlyAnOrdinaryFileIsReplacedAndAFailureLeavesItWhole();
};

void TestAnkiPackage::aPackageHoldsEveryWordWithItsRecordingsAndReadsBack() {
    QTemporaryDir dir;
    const fs::path folder = makeFolder(dir.path().toStdString());
    const fs::path target = dir.path().toStdString() + "/parole.apkg";
    QProcess ripasso;
    ripasso.start(QStringLiteral(RIPASSO_PROGRAM),
                  {QStringLiteral("--export-apkg"), QString::fromStdString(target.string()),
                   QStringLiteral("--folder"), QString::fromStdString(folder.string()),
                   QStringLiteral("--deck"), QStringLiteral("Parole & \"frasi\"")});
    QVERIFY(ripasso.waitForFinished());
    const QString told = QString::fromUtf8(ripasso.readAllStandardError());
    QCOMPARE(ripasso.exitCode(), 0);
    // The missing recording and the one that is no WAVE file are told, and left out.
    QVERIFY2(told.contains(QLatin1String("manca.wav")) && told.contains(QLatin1String("finto.wav")),
             qPrintable(told));

    QJsonArray expected;
    for (const Word& w : kWords)
        if (!w.fields.empty())
            expected.append(QJsonObject{
                {"guid", guidOf(w)},
                {"fields", QJsonArray::fromStringList({w.fields.begin(), w.fields.end()})}});
    const QString complaint =
        checkAsAnki(target, folder, "notes", expected, QStringLiteral("Parole & \"frasi\""));
    QVERIFY2(complaint.isEmpty(), qPrintable(complaint));

    std::vector<PackageNote> read;
    const std::string error = readAnkiPackage(target, [&](const PackageNote& note) {
        read.push_back(note);
        return true;
    });
    QVERIFY2(error.empty(), error.c_str());
    QCOMPARE(qsizetype(read.size()), expected.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        QCOMPARE(read[i].noteType, std::string(kPackageNoteType));
        QCOMPARE(read[i].names,
                 std::vector<std::string>(kPackageFields.begin(), kPackageFields.end()));
        QCOMPARE(QString::fromStdString(read[i].guid),
                 expected[qsizetype(i)].toObject()["guid"].toString());
        QStringList values;
        for (const std::string& v : read[i].values)
            values << QString::fromStdString(v);
        QCOMPARE(values, expected[qsizetype(i)].toObject()["fields"].toVariant().toStringList());
    }
    // What is no package is told as such.
    QVERIFY(readAnkiPackage(folder / "finto.wav", [](const PackageNote&) {
                return true;
            }).find("zip") != std::string::npos);
}

void TestAnkiPackage::answeredCardsAreDueAsInRipasso() {
    QTemporaryDir dir;
    const fs::path folder = makeFolder(dir.path().toStdString());
    StoreError error;
    const auto store = ProgressStore::open(dir.path().toStdString() + "/progress.sqlite", error);
    QVERIFY2(store, error.message.c_str());
    const int today = 20000;
    // bello Italian -> Thai answered twice, the second "riso" (the same key as the first)
    // Thai -> Italian once, long ago.
    struct Answer {
        std::size_t word;
        CardDirection direction;
        std::vector<int> days;
        Grade grade;
    };
    const std::vector<Answer> answers = {
        {0, CardDirection::ItalianToThai, {today - 12, today - 3}, Grade::Good},
        {5, CardDirection::ThaiToItalian, {today - 400}, Grade::Again},
    };
    QJsonArray expected;
    for (const Answer& a : answers) {
        const std::vector<QString>& f = kWords[a.word].fields;
        StoredCard card{{f[0].toStdString(), f[1].toStdString(), a.direction}, {}};
        std::optional<CardState> state;
        for (const int day : a.days) {
            state = answerCard(state, day, a.grade);
            card.state = *state;
            QVERIFY(store->saveAnswer(card, a.grade));
        }
        // The card of each note of the same word and pronunciation.
        for (const Word& w : kWords)
            if (!w.fields.empty() && w.fields[0] == f[0] && w.fields[1] == f[1])
                expected.append(QJsonObject{{"guid", guidOf(w)},
                                            {"ord", int(a.direction)},
                                            {"due", state->dueDay},
                                            {"last", state->lastDay},
                                            {"reviews", state->reviews},
                                            {"lapses", state->lapses}});
    }
    const fs::path target = dir.path().toStdString() + "/progress.apkg";
    const PackageResult result =
        exportFolder(folder, target, {.progress = store.get(), .today = today});
    QVERIFY2(result.written, result.error.c_str());
    const QString complaint = checkAsAnki(target, folder, "progress", expected);
    QVERIFY2(complaint.isEmpty(), qPrintable(complaint));
}

void TestAnkiPackage::onlyAnOrdinaryFileIsReplacedAndAFailureLeavesItWhole() {
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    const fs::path folder = makeFolder(root);
    const std::string old = "an older package";
    SmallDisk disk(root / "small disk");
    struct Case {
        const char* name;
        fs::path place;
        std::function<void(const fs::path&)> make; // what stands at the target
        fs::path kept;                             // the file that must keep `old`
    };
    std::vector<Case> cases = {
        {"a symbolic link", root / "link",
         [&](const fs::path& t) {
             writeFile(t.parent_path() / "real.apkg", old);
             fs::create_symlink("real.apkg", t);
         },
         root / "link" / "real.apkg"},
        {"a folder", root / "folder", [](const fs::path& t) { fs::create_directory(t); }, {}},
    };
    if (::geteuid() != 0)
        cases.push_back({"a read-only folder", root / "read-only",
                         [&](const fs::path& t) {
                             writeFile(t, old);
                             ::chmod(t.parent_path().c_str(), 0555);
                         },
                         root / "read-only" / "parole.apkg"});
    if (disk.mounted())
        cases.push_back({"a full disk", disk.path() / "full",
                         [&](const fs::path& t) {
                             writeFile(t, old);
                             disk.fillLeaving(0);
                         },
                         disk.path() / "full" / "parole.apkg"});
    for (const Case& c : cases) {
        fs::create_directories(c.place);
        const fs::path target = c.place / "parole.apkg";
        c.make(target);
        const auto before =
            std::distance(fs::directory_iterator(c.place), fs::directory_iterator());
        const PackageResult result = exportFolder(folder, target);
        QVERIFY2(!result.written && result.error.find(target.string()) != std::string::npos,
                 qPrintable(QString::fromUtf8(c.name) + ": " + result.error.c_str()));
        if (!c.kept.empty())
            QVERIFY2(contents(c.kept) == old, c.name);
        QVERIFY2(std::distance(fs::directory_iterator(c.place), fs::directory_iterator()) == before,
                 c.name); // no temporary file left
        ::chmod(c.place.c_str(), 0755);
    }
}

QTEST_MAIN(TestAnkiPackage)
#include "test_anki_package.moc"

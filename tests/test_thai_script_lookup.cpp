// Vocaboro's look-up by Thai script: the search of the reverse files' Thai field, its near
// words, and the console driven by keys.

#include "console_fixture.h"
#include "real_input.h"

#include "datafiles/record_writer.h"
#include "datafiles/thai_search.h"
#include "platform/text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <fstream>

using platform::Answer;
using platform::PrintedPiece;

namespace {

const std::string kBaan = "\xBA\xE9\xD2\xB9";  // บ้าน
const std::string kBaan1 = "\xBA\xE8\xD2\xB9"; // บ่าน: another tone mark
const std::string kPaan1 = "\xBB\xE8\xD2\xB9"; // ป่าน: another consonant
const QString kAnother = QStringLiteral("Wish insert another translate");
const QString kNotFound = QStringLiteral("Not Found !");
const QString kLabelT = QStringLiteral("Datafile : LEXREV_T.DAT"); // the last file there

std::string line(const datafiles::DictionaryRecord& r, const char* end = "\r\n") {
    std::string bytes = datafiles::formatRecordLine(r);
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r'))
        bytes.pop_back();
    return bytes + end;
}

QString thai(const std::string& bytes) {
    return platform::fromThai(bytes);
}

} // namespace

class TestThaiScriptLookup : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void searchTakesOnlyTheThaiFieldOfWholeRecords();
    void nearWordsDifferingInMarksAndVowelsComeFirst();
    void lookUpByKeysThroughAllReverseFiles();
};

void TestThaiScriptLookup::searchTakesOnlyTheThaiFieldOfWholeRecords() {
    const std::string filler = line(entry("cane", "maa", "s.", "-", "\xCB\xC1\xD2"));
    const struct {
        const char* name;
        std::string bytes;
        std::size_t block;
        QStringList headwords; // of the matches, in order
    } cases[] = {
        {"thai field, LF and CRLF",
         line(entry("casa", "baan", "s.", "-", kBaan), "\n") + filler +
             line(entry("abitazione", "baan", "s.", "-", kBaan)),
         1 << 20,
         {"casa", "abitazione"}},
        {"the word in another field",
         line(entry("casa", "baan", "s.", kBaan)) +
             line(datafiles::DictionaryRecord{kBaan, "casa", "-", "-", "@", "$", "$"}),
         1 << 20,
         {}},
        {"a longer Thai word, and a cross-reference",
         line(entry("casetta", "baan", "s.", "-", kBaan + "\xE0")) + line(pointer("baan", kBaan)),
         1 << 20,
         {}},
        {"the last line without a line end",
         filler + line(entry("casa", "baan", "s.", "-", kBaan), ""),
         1 << 20,
         {"casa"}},
        {"over block boundaries",
         [&] {
             std::string bytes;
             for (int i = 0; i < 40; ++i)
                 bytes += filler + line(entry("casa" + std::to_string(i), "baan", "-", "-", kBaan));
             return bytes;
         }(),
         64,
         [] {
             QStringList words;
             for (int i = 0; i < 40; ++i)
                 words << QStringLiteral("casa%1").arg(i);
             return words;
         }()},
        {"a line longer than a block, CR line ends",
         filler + line(entry(std::string(300, 'x'), "baan", "-", "-", kBaan), "\r"),
         64,
         {QString(300, QLatin1Char('x'))}},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const std::filesystem::path path = dir.filePath("LEXREV_B.DAT").toStdString();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.bytes;
        const datafiles::ThaiScriptMatches found =
            datafiles::findThaiScript(path, kBaan, {}, c.block);
        QVERIFY2(found.error == 0, c.name);
        QStringList headwords;
        for (const auto& r : found.records)
            headwords << QString::fromStdString(r.headword);
        QVERIFY2(headwords == c.headwords,
                 qPrintable(QString::fromUtf8(c.name) + QStringLiteral(": ") +
                            headwords.join(QLatin1Char(','))));
    }
    QCOMPARE(datafiles::findThaiScript(dir.filePath("none").toStdString(), kBaan).error, ENOENT);
}

void TestThaiScriptLookup::nearWordsDifferingInMarksAndVowelsComeFirst() {
    using N = datafiles::ThaiNearness;
    const std::string krung = "\xA1\xC3\xD8\xA7"; // กรุง
    const struct {
        std::string typed, thai;
        N nearness;
    } cases[] = {
        {kBaan, kBaan, N::None},                            // the very word
        {kBaan, "\xBA\xD2\xB9", N::MarksAndVowels},         // บาน: the tone mark removed
        {kBaan, kBaan1, N::MarksAndVowels},                 // the tone mark changed
        {kBaan, "\xBA\xE9\xD2\xB9\xE0", N::MarksAndVowels}, // a vowel sign added
        {kBaan, "\xBA\xD2\xE9\xB9", N::MarksAndVowels},     // tone mark and vowel swapped
        {kBaan, "\xBB\xE9\xD2\xB9", N::OneEdit},            // ป้าน: a consonant changed
        {krung, "\xC3\xA1\xD8\xA7", N::OneEdit},            // two consonants swapped
        {krung, "\xA1\xD8\xA7", N::OneEdit},                // a consonant removed
        {kBaan, "\xBB\xE8\xD2\xB9", N::None},               // two edits
    };
    for (const auto& c : cases)
        QVERIFY2(datafiles::thaiNearnessOf(c.typed, c.thai) == c.nearness,
                 qPrintable(thai(c.thai)));
    // Across files, a mark before an edit of a consonant read earlier; each word once.
    datafiles::ThaiNearWords near(kBaan1);
    near.readLines(line(entry("pianta", "paan", "-", "-", kPaan1)), 0);
    near.readLines(line(entry("casa", "baan", "-", "-", kBaan)) +
                       line(entry("dimora", "baan", "-", "-", kBaan)),
                   1);
    const auto words = near.nearest();
    QCOMPARE(words.size(), std::size_t(2));
    QCOMPARE(words[0].thai, kBaan);
    QCOMPARE(words[0].file, 1);
    QCOMPARE(words[1].thai, kPaan1);
}

void TestThaiScriptLookup::lookUpByKeysThroughAllReverseFiles() {
    using Files = std::vector<std::pair<QString, std::vector<datafiles::DictionaryRecord>>>;
    const Files dictionary = {
        {"LEXREV_A.DAT", {entry("paan", "pianta", "s.", "-", kPaan1)}},
        {"LEXREV_B.DAT",
         {entry("baan", "casa", "s.", "-", kBaan), entry("bai", "foglia", "-", kBaan)}},
        {"LEXREV_R.DAT", {entry("ruean", "dimora", "-", "poet.", kBaan)}},
        {"LEXREV_T.DAT", {pointer("thii", kBaan)}},
    };
    const QStringList baanLines = {
        QStringLiteral(" 1 > baan (s.) =  ") + thai(kBaan) + QStringLiteral("  [ casa ]"),
        QStringLiteral(" 2 > ruean =  ") + thai(kBaan) + QStringLiteral("  [ dimora ]  (poet.)")};
    const struct {
        const char* name;
        QString typed;
        bool go; // "Go !" clicked instead of Enter
        std::vector<std::pair<QString, Answer>> questions;
        QStringList lines;
        QString text3;      // the entry panel's Thai box, when the panel opens
        QStringList labels; // the data-file label while each question is open
        const char* unreadable = nullptr;
    } cases[] = {
        {"found in two files",
         thai(kBaan),
         false,
         {{kAnother, Answer::No}},
         baanLines,
         {},
         {kLabelT}},
        {"blanks around, Go !",
         QStringLiteral(" ") + thai(kBaan) + QStringLiteral(" "),
         true,
         {{kAnother, Answer::No}},
         baanLines,
         {},
         {kLabelT}},
        {"not there",
         QString::fromUtf16(u"ช้าง"),
         false,
         {{kNotFound, Answer::Yes}},
         {},
         QString::fromUtf16(u"ช้าง"),
         {kLabelT}},
        {"near words, the second followed",
         thai(kBaan1),
         false,
         {{QStringLiteral("Maybe you searching [ ") + thai(kBaan) + QStringLiteral(" ]"),
           Answer::No},
          {QStringLiteral("Maybe you searching [ ") + thai(kPaan1) + QStringLiteral(" ]"),
           Answer::Yes},
          {kAnother, Answer::No}},
         {QStringLiteral(" 1 > paan (s.) =  ") + thai(kPaan1) + QStringLiteral("  [ pianta ]")},
         {},
         {QStringLiteral("Datafile : LEXREV_B.DAT"), QStringLiteral("Datafile : LEXREV_A.DAT"),
          kLabelT}},
        {"a character TIS-620 lacks",
         thai(kBaan) + QStringLiteral("€"),
         false,
         {{QStringLiteral("cannot hold the character “€”"), Answer::Ok}},
         {},
         {},
         {QStringLiteral("(hidden)")}},
        {"an unreadable file",
         thai(kBaan),
         false,
         {{QStringLiteral("LEXREV_M.DAT\" could not be read"), Answer::Ok}},
         {baanLines[0]},
         {},
         {QStringLiteral("Datafile : LEXREV_M.DAT")},
         "LEXREV_M.DAT"},
    };
    for (const auto& c : cases) {
        ConsoleFixture f;
        for (const auto& [name, records] : dictionary)
            f.writeRecords(name, records);
        if (c.unreadable)
            std::filesystem::create_directory(f.file(QString::fromLatin1(c.unreadable)));
        f.start();
        QStringList labels; // the data-file label while each question is open
        f.dialogs().whileAsking = [&](const platform::AskedQuestion&) {
            labels << (f.control<QLabel>("Label8")->isVisible()
                           ? f.control<QLabel>("Label8")->text()
                           : QStringLiteral("(hidden)"));
        };
        for (const auto& [text, answer] : c.questions)
            f.dialogs().expectMessage(text, answer);
        real::activate(&f.form());
        real::click(f.control<QPushButton>("Command3D12"));
        QCOMPARE(real::focused(), f.control<QWidget>("Text8"));
        real::type(c.typed);
        if (c.go)
            real::click(f.control<QPushButton>("Command3d9"));
        else
            real::press(Qt::Key_Return);
        const QString name = QString::fromUtf8(c.name);
        QVERIFY2(f.dialogs().problems().isEmpty(),
                 qPrintable(name + QStringLiteral(": ") + f.dialogs().problems().join('|')));
        QVERIFY2(f.consoleLines() == c.lines,
                 qPrintable(name + QStringLiteral(": ") + f.consoleLines().join('|')));
        QCOMPARE(f.form().matchCount(), c.lines.size());

        auto* text3 = f.control<QLineEdit>("Text3");
        QVERIFY2(text3->isVisible() == !c.text3.isNull(), c.name);
        if (!c.text3.isNull())
            QCOMPARE(text3->text(), c.text3);
        QVERIFY2(f.control<QLabel>("Label8")->isHidden(), c.name);
        QVERIFY2(labels == c.labels, qPrintable(name + QStringLiteral(": ") + labels.join('|')));
    }
    // The lines are lexrev's: the same pieces, fonts and colours for the same record.
    ConsoleFixture f;
    for (const auto& [name, records] : dictionary)
        f.writeRecords(name, records);
    f.start();
    f.dialogs().expectMessage(kAnother, Answer::No);
    f.lookUpWith("Command3D12", thai(kBaan));
    const QList<PrintedPiece> script = f.form().console()->pieces();
    QCOMPARE(f.form().state().lastMatch->headword, std::string("ruean"));
    QVERIFY(f.form().state().lastMatchReverse);
    f.dialogs().expectMessage(kAnother, Answer::No);
    f.lookUpWith("Command3D11", QStringLiteral("baan"));
    const QList<PrintedPiece> byPronunciation = f.form().console()->pieces();
    QVERIFY(!byPronunciation.isEmpty() && script.size() > byPronunciation.size());
    for (qsizetype i = 0; i < byPronunciation.size(); ++i) {
        QCOMPARE(script[i].text, byPronunciation[i].text);
        QCOMPARE(script[i].fontName, byPronunciation[i].fontName);
        QCOMPARE(script[i].fontSize, byPronunciation[i].fontSize);
        QCOMPARE(script[i].color, byPronunciation[i].color);
    }
}

QTEST_MAIN(TestThaiScriptLookup)
#include "test_thai_script_lookup.moc"

// The console's look-ups without a window: which file a word opens, what is printed, which
// questions are asked and what the window is told, for both directions.

#include "datafiles/record_writer.h"
#include "platform/fonts.h"
#include "platform/scripted_dialogs.h"
#include "platform/test_doubles.h"
#include "test_support.h"
#include "vocaboro/lookup.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>

using platform::Answer;
using platform::Palette;
using vocaboro::LookupDirection;

namespace {

const QString kAnother = QStringLiteral("Wish insert another translate of this word ? (y/n)");
const QString kNotFound = QStringLiteral("Not Found !");
const char kThaiHouse[] = "\xBA\xE9\xD2\xB9"; // บ้าน

// What the look-up tells the window, as a few words each.
struct RecordingHost : vocaboro::LookupHost {
    explicit RecordingHost(platform::RecordingPrinter& p) : printer(p) {}
    void clearConsole() override { printer.cls(); }
    void setDataLabel(const QString& caption) override { dataLabel = caption; }
    void showDataLabel(bool shown) override { dataLabelShown = shown; }
    void hideGoButton() override {}
    void openEntryPanel(LookupDirection from) override {
        events << (from == LookupDirection::ItalianThai ? "neww" : "newwt");
    }
    void finishLookup(LookupDirection direction, bool hideDataLabel) override {
        events << (direction == LookupDirection::ItalianThai ? "end I-T" : "end T-I");
        if (hideDataLabel)
            dataLabelShown = false;
    }
    void endProgram() override { events << "exit"; }

    platform::RecordingPrinter& printer;
    QString dataLabel;
    bool dataLabelShown = false;
    QStringList events;
};

std::string lines(const std::vector<datafiles::DictionaryRecord>& records) {
    std::string bytes;
    for (const auto& r : records)
        bytes += datafiles::formatRecordLine(r);
    return bytes;
}

datafiles::DictionaryRecord rec(const std::string& head, const std::string& counterpart,
                                const std::string& attribute = "-", const std::string& note = "-",
                                const std::string& thai = "@") {
    return {head, counterpart, attribute, note, thai, "$", "$"};
}

datafiles::DictionaryRecord pointer(const std::string& head, const std::string& first,
                                    const std::string& second = "$") {
    return {head, "-", "-", "*", first, second, "$"};
}

std::vector<datafiles::DictionaryRecord> numbered(int count) {
    std::vector<datafiles::DictionaryRecord> records;
    for (int i = 1; i <= count; ++i)
        records.push_back(rec("b" + std::to_string(i), "x"));
    return records;
}

struct Question {
    QString part;
    Answer answer;
};

struct LookupCase {
    LookupDirection lookup = LookupDirection::ItalianThai;
    QString typed = {};
    std::vector<std::pair<std::string, std::string>> files = {}; // name, bytes
    QList<Question> questions = {};
    QStringList printed = {};
    int matchCount = 0;
    QStringList events = {};
    QString dataLabel = {}; // what the data-file label shows at the end; empty: hidden
    QString lookupFile = {};
    QString direction = {}; // the console's direction afterwards; empty: as it was
};

} // namespace

Q_DECLARE_METATYPE(LookupCase)

class TestLookup : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void initTestCase() { platform::installFontSubstitutes(); }
    void lookUp_data();
    void lookUp();
    void matchLineHasItsPiecesFontsAndColours();
};

void TestLookup::lookUp_data() {
    QTest::addColumn<LookupCase>("c");
    const auto IT = LookupDirection::ItalianThai;
    const auto TI = LookupDirection::ThaiItalian;
    const std::string casaFile =
        lines({rec("cane", "maa", "s.m."), rec("casa", "baan", "s.f.", "abitazione", kThaiHouse),
               rec("casa", "ruean"), rec("casa", "bahn", "-", "-", "@")});
    auto row = [](const char* name, LookupCase c) { QTest::newRow(name) << c; };

    row("every match of the file, numbered",
        {.lookup = IT,
         .typed = "casa",
         .files = {{"LEXFWD_C.DAT", casaFile}},
         .questions = {{kAnother, Answer::No}},
         .printed = {QString::fromUtf16(u" 1 > casa (s.f.) =  บ้าน  [ baan ]  (abitazione)"),
                     QStringLiteral(" 2 > casa =   [ ruean ]"),
                     QStringLiteral(" 3 > casa =   [ bahn ]")},
         .matchCount = 3,
         .events = {"end I-T"},
         .dataLabel = "Datafile : LEXFWD_C.DAT",
         .lookupFile = "LEXFWD_C.DAT"});
    row("not found: the offer to insert, declined", {.lookup = IT,
                                                     .typed = "cipolla",
                                                     .files = {{"LEXFWD_C.DAT", casaFile}},
                                                     .questions = {{kNotFound, Answer::No}},
                                                     .matchCount = 0,
                                                     .events = {"end I-T"}});
    row("not found: the offer accepted opens the panel", {.lookup = IT,
                                                          .typed = "cipolla",
                                                          .files = {{"LEXFWD_C.DAT", casaFile}},
                                                          .questions = {{kNotFound, Answer::Yes}},
                                                          .matchCount = 0,
                                                          .events = {"neww", "end I-T"},
                                                          .dataLabel = "Datafile : LEXFWD_C.DAT",
                                                          .lookupFile = "LEXFWD_C.DAT"});
    row("another translation accepted",
        {.lookup = IT,
         .typed = "cane",
         .files = {{"LEXFWD_C.DAT", casaFile}},
         .questions = {{kAnother, Answer::Yes}},
         .printed = {QStringLiteral(" 1 > cane (s.m.) =   [ maa ]")},
         .matchCount = 1,
         .events = {"neww", "end I-T"},
         .dataLabel = "Datafile : LEXFWD_C.DAT",
         .lookupFile = "LEXFWD_C.DAT"});
    row("a capital initial opens no file",
        {.lookup = IT, .typed = "Casa", .matchCount = 0, .events = {"end I-T"}});
    row("accented initials open their vowel's file",
        {.lookup = IT,
         .typed = QString::fromUtf16(u"èra"),
         .files = {{"LEXFWD_E.DAT", lines({rec("\xE8ra", "yuk")})}},
         .questions = {{kAnother, Answer::No}},
         .printed = {QString::fromUtf16(u" 1 > èra =   [ yuk ]")},
         .matchCount = 1,
         .events = {"end I-T"},
         .dataLabel = "Datafile : LEXFWD_E.DAT",
         .lookupFile = "LEXFWD_E.DAT"});
    row("a suggestion accepted searches the same file again",
        {.lookup = IT,
         .typed = "perche",
         .files = {{"LEXFWD_P.DAT", lines({rec("pane", "khanom"), pointer("perche", "perch\xE9"),
                                           rec("perch\xE9", "phro")})}},
         .questions = {{QString::fromUtf16(u"Maybe you searching [ perché ]"), Answer::Yes},
                       {kAnother, Answer::No}},
         .printed = {QString::fromUtf16(u" 1 > perché =   [ phro ]")},
         .matchCount = 1,
         .events = {"end I-T"},
         .dataLabel = "Datafile : LEXFWD_P.DAT",
         .lookupFile = "LEXFWD_P.DAT"});
    row("every suggestion declined ends without the not-found question",
        {.lookup = IT,
         .typed = "perche",
         .files = {{"LEXFWD_P.DAT", lines({pointer("perche", "perch\xE9", "percio")})}},
         .questions = {{QString::fromUtf16(u"[ perché ]"), Answer::No},
                       {QStringLiteral("[ percio ]"), Answer::No}},
         .matchCount = 0,
         .events = {"end I-T"},
         .dataLabel = "Datafile : LEXFWD_P.DAT",
         .lookupFile = "LEXFWD_P.DAT"});
    row("a suggestion of another initial is searched in the typed word's file",
        {.lookup = IT,
         .typed = "kasa",
         .files = {{"LEXFWD_K.DAT", lines({pointer("kasa", "casa")})}, {"LEXFWD_C.DAT", casaFile}},
         .questions = {{QStringLiteral("[ casa ]"), Answer::Yes}, {kNotFound, Answer::No}},
         .matchCount = 0,
         .events = {"end I-T"}});
    row("an empty file is a word not found", {.lookup = IT,
                                              .typed = "casa",
                                              .files = {{"LEXFWD_C.DAT", ""}},
                                              .questions = {{kNotFound, Answer::No}},
                                              .matchCount = 0,
                                              .events = {"end I-T"}});
    row("a letter with no file yet is a letter with no words yet",
        {.lookup = IT,
         .typed = "casa",
         .questions = {{kNotFound, Answer::Yes}},
         .matchCount = 0,
         .events = {"neww", "end I-T"},
         .dataLabel = "Datafile : LEXFWD_C.DAT",
         .lookupFile = "LEXFWD_C.DAT"});
    row("a torn last record is reported with its line",
        {.lookup = IT,
         .typed = "cosa",
         .files = {{"LEXFWD_C.DAT", casaFile + "\"cosa\",\"sing"}},
         .questions = {{QStringLiteral("ends in the middle of a record (line 5)"), Answer::Ok}},
         .matchCount = 0,
         .events = {"end I-T"},
         .dataLabel = "Datafile : LEXFWD_C.DAT",
         .lookupFile = "LEXFWD_C.DAT"});
    std::string manyLines; // far more than one read of the file brings
    for (int i = 1; i <= 6000; ++i)
        manyLines += datafiles::formatRecordLine(rec("c" + std::to_string(i), "x"));
    row("a long file: the match at its end, then a torn record on its line",
        {.lookup = IT,
         .typed = "casa",
         .files = {{"LEXFWD_C.DAT", manyLines + datafiles::formatRecordLine(rec("casa", "baan")) +
                                        "\"cosa\",\"sing"}},
         .questions = {{QStringLiteral("ends in the middle of a record (line 6002)"), Answer::Ok}},
         .printed = {QStringLiteral(" 1 > casa =   [ baan ]")},
         .matchCount = 1,
         .events = {"end I-T"},
         .dataLabel = "Datafile : LEXFWD_C.DAT",
         .lookupFile = "LEXFWD_C.DAT"});
    row("exit ends the program",
        {.lookup = IT, .typed = "exit", .matchCount = 0, .events = {"exit"}});
    row("# turns to Thai-Italian",
        {.lookup = IT, .typed = "#", .matchCount = 0, .events = {"end I-T"}, .direction = "T-I"});
    row("# turns back to Italian-Thai",
        {.lookup = TI, .typed = "#", .matchCount = 0, .events = {"end T-I"}, .direction = "I-T"});
    row("an empty word shows the bare label",
        {.lookup = IT, .typed = "", .matchCount = 0, .events = {"end I-T"}});

    const std::string baanFile =
        lines({rec("baan", "casa", "s.f.", "-", kThaiHouse), pointer("baan", "casetta")});
    row("Thai-Italian prints pointers as lines and hides the label at the end",
        {.lookup = TI,
         .typed = "baan",
         .files = {{"LEXREV_B.DAT", baanFile}},
         .questions = {{kAnother, Answer::No}},
         .printed = {QString::fromUtf16(u" 1 > baan (s.f.) =  บ้าน  [ casa ]"),
                     QString::fromUtf16(u" 2 > baan =  casetta  [ - ]  (*)")},
         .matchCount = 2,
         .events = {"end T-I"},
         .lookupFile = "LEXREV_B.DAT"});
    row("Thai-Italian: not found, the offer opens the panel by pronunciation",
        {.lookup = TI,
         .typed = "kai",
         .files = {{"LEXREV_K.DAT", ""}},
         .questions = {{kNotFound, Answer::Yes}},
         .matchCount = 0,
         .events = {"newwt", "end T-I"},
         .lookupFile = "LEXREV_K.DAT"});
    row("Thai-Italian: only plain small letters open a file",
        {.lookup = TI, .typed = QString::fromUtf16(u"àa"), .matchCount = 0, .events = {"end T-I"}});

    // A word not found, typed otherwise than stored: its nearest head words are offered,
    // best first, three at most; Yes looks one up in the file where it stands.
    const QString kMaybe = QStringLiteral("Maybe you searching [ ");
    auto maybe = [&kMaybe](const char16_t* word, Answer answer) {
        return Question{kMaybe + QString::fromUtf16(word) + QStringLiteral(" ]"), answer};
    };
    const std::string pFile = lines({rec("pera", "sali"), rec("perch\xE9", "tham mai")});
    row("accents and case set aside",
        {.lookup = IT,
         .typed = "perche",
         .files = {{"LEXFWD_P.DAT", pFile}},
         .questions = {maybe(u"perché", Answer::Yes), {kAnother, Answer::No}},
         .printed = {QString::fromUtf16(u" 1 > perché =   [ tham mai ]")},
         .matchCount = 1,
         .events = {"end I-T"},
         .dataLabel = "Datafile : LEXFWD_P.DAT",
         .lookupFile = "LEXFWD_P.DAT"});
    row("a capital initial: the file of its small letter",
        {.lookup = IT,
         .typed = "Citta",
         .files = {{"LEXFWD_C.DAT", lines({rec("citt\xE0", "mueang")})}},
         .questions = {maybe(u"città", Answer::Yes), {kAnother, Answer::No}},
         .printed = {QString::fromUtf16(u" 1 > città =   [ mueang ]")},
         .matchCount = 1,
         .events = {"end I-T"},
         .dataLabel = "Datafile : LEXFWD_C.DAT",
         .lookupFile = "LEXFWD_C.DAT"});
    row("the head word of a cross-reference is not offered, only the word it points to",
        {.lookup = IT,
         .typed = "Citta",
         .files = {{"LEXFWD_C.DAT",
                    lines({pointer("citta", "citt\xE0"), rec("citt\xE0", "mueang")})}},
         .questions = {maybe(u"città", Answer::Yes), {kAnother, Answer::No}},
         .printed = {QString::fromUtf16(u" 1 > città =   [ mueang ]")},
         .matchCount = 1,
         .events = {"end I-T"},
         .dataLabel = "Datafile : LEXFWD_C.DAT",
         .lookupFile = "LEXFWD_C.DAT"});
    row("one letter added, then two swapped, before the not-found question",
        {.lookup = IT,
         .typed = "csaa",
         .files = {{"LEXFWD_C.DAT", casaFile}},
         .questions = {maybe(u"casa", Answer::No), {kNotFound, Answer::No}},
         .matchCount = 0,
         .events = {"end I-T"}});
    row("one edit from four head words: three asked, in the file's order",
        {.lookup = IT,
         .typed = "cas",
         .files = {{"LEXFWD_C.DAT", lines({rec("caso", "-"), rec("casa", "-"), rec("case", "-"),
                                           rec("cast", "-")})}},
         .questions = {maybe(u"caso", Answer::No),
                       maybe(u"casa", Answer::No),
                       maybe(u"case", Answer::No),
                       {kNotFound, Answer::No}},
         .matchCount = 0,
         .events = {"end I-T"}});
    row("a hand-made cross-reference wins, and nothing else is offered",
        {.lookup = IT,
         .typed = "perche",
         .files = {{"LEXFWD_P.DAT", pFile + lines({pointer("perche", "pera")})}},
         .questions = {maybe(u"pera", Answer::No)},
         .matchCount = 0,
         .events = {"end I-T"},
         .dataLabel = "Datafile : LEXFWD_P.DAT",
         .lookupFile = "LEXFWD_P.DAT"});
    row("nothing near: the not-found question alone",
        {.lookup = IT,
         .typed = "zzzz",
         .files = {{"LEXFWD_Z.DAT", lines({rec("zanzara", "yung")})}},
         .questions = {{kNotFound, Answer::No}},
         .matchCount = 0,
         .events = {"end I-T"}});
    // A word one edit away that is also the typed word with a vowel doubled or halved is a
    // doubled vowel, asked before the words one edit away; as near, in the file's order.
    row("Thai-Italian: a doubled vowel before one edit, even when it is one edit too",
        {.lookup = TI,
         .typed = "ban",
         .files = {{"LEXREV_B.DAT",
                    lines({rec("bin", "-"), rec("bun", "-"), rec("baan", "casa")})}},
         .questions = {maybe(u"baan", Answer::No),
                       maybe(u"bin", Answer::No),
                       maybe(u"bun", Answer::No),
                       {kNotFound, Answer::No}},
         .matchCount = 0,
         .events = {"end T-I"}});
    row("Thai-Italian: vowels doubled or halved, in the file's order",
        {.lookup = TI,
         .typed = "baaan",
         .files = {{"LEXREV_B.DAT", lines({rec("ban", "villaggio"), rec("baan", "casa")})}},
         .questions = {maybe(u"ban", Answer::No),
                       maybe(u"baan", Answer::Yes),
                       {kAnother, Answer::No}},
         .printed = {QString::fromUtf16(u" 1 > baan =   [ casa ]")},
         .matchCount = 1,
         .events = {"end T-I"},
         .lookupFile = "LEXREV_B.DAT"});

    // List mode: pages of 20, a question after each, the last one included.
    std::vector<datafiles::DictionaryRecord> list = numbered(45);
    list.insert(list.begin() + 3, pointer("bx", "b1"));
    QStringList firstPage{QStringLiteral(" --- List of all words of Data FILE : LEXFWD_B.DAT ---"),
                          QString()};
    for (int i = 1; i <= 20; ++i)
        firstPage << QStringLiteral(" %1 > b%1 = x").arg(i);
    QStringList lastPage{QStringLiteral(" --- List of all words of Data FILE : LEXFWD_B.DAT ---"),
                         QString()};
    for (int i = 41; i <= 45; ++i)
        lastPage << QStringLiteral(" %1 > b%1 = x").arg(i);
    row("b* lists the file page by page, pointers unnumbered",
        {.lookup = IT,
         .typed = "b*",
         .files = {{"LEXFWD_B.DAT", lines(list)}},
         .questions = {{QStringLiteral("Continue List...?"), Answer::Yes},
                       {QStringLiteral("Continue List...?"), Answer::Yes},
                       {QStringLiteral("Continue List...?"), Answer::No}},
         .printed = lastPage,
         .matchCount = 0,
         .events = {"end I-T"},
         .dataLabel = "Datafile : LEXFWD_B.DAT",
         .lookupFile = "LEXFWD_B.DAT"});
    row("No after the first page ends the list",
        {.lookup = IT,
         .typed = "b*xyz",
         .files = {{"LEXFWD_B.DAT", lines(list)}},
         .questions = {{QStringLiteral("Continue List...?"), Answer::No}},
         .printed = firstPage,
         .matchCount = 0,
         .events = {"end I-T"},
         .dataLabel = "Datafile : LEXFWD_B.DAT",
         .lookupFile = "LEXFWD_B.DAT"});
}

void TestLookup::lookUp() {
    QFETCH(LookupCase, c);
    QTemporaryDir dir;
    for (const auto& [name, bytes] : c.files)
        std::ofstream(dir.filePath(QString::fromStdString(name)).toStdString(), std::ios::binary)
            << bytes;
    vocaboro::ConsoleState state;
    state.datapath = dir.path() + QLatin1Char('/');
    state.direction =
        c.lookup == LookupDirection::ItalianThai ? QStringLiteral("I-T") : QStringLiteral("T-I");
    platform::ScriptedDialogs dialogs;
    for (const Question& q : c.questions)
        dialogs.expectMessage(q.part, q.answer);
    platform::RecordingPrinter printer;
    RecordingHost host(printer);
    const datafiles::PathMapper paths(dir.path().toStdString());
    const datafiles::FileAccess access;
    vocaboro::Lookup lookup(state, dialogs, printer, host, paths, access);
    c.lookup == LookupDirection::ItalianThai ? lookup.italianThai(c.typed)
                                             : lookup.thaiItalian(c.typed);

    QCOMPARE(dialogs.problems(), QStringList());
    QCOMPARE(printer.lines, c.printed);
    QCOMPARE(state.matchCount, c.matchCount);
    QCOMPARE(host.events, c.events);
    QCOMPARE(host.dataLabelShown ? host.dataLabel : QString(), c.dataLabel);
    QCOMPARE(state.lookupFile, c.lookupFile);
    const QString before =
        c.lookup == LookupDirection::ItalianThai ? QStringLiteral("I-T") : QStringLiteral("T-I");
    QCOMPARE(state.direction, c.direction.isEmpty() ? before : c.direction);
}

void TestLookup::matchLineHasItsPiecesFontsAndColours() {
    QTemporaryDir dir;
    std::ofstream(dir.filePath("LEXFWD_C.DAT").toStdString(), std::ios::binary)
        << lines({rec("casa", "baan", "s.f.", "abitazione", kThaiHouse)});
    vocaboro::ConsoleState state;
    state.datapath = dir.path() + QLatin1Char('/');
    platform::ScriptedDialogs dialogs;
    dialogs.expectMessage(kAnother, Answer::No);
    platform::RecordingPrinter printer;
    printer.setFontName(platform::kSerifFont); // as the window's start-up sets it
    RecordingHost host(printer);
    const datafiles::PathMapper paths(dir.path().toStdString());
    const datafiles::FileAccess access;
    vocaboro::Lookup(state, dialogs, printer, host, paths, access).italianThai("casa");
    const QString serif = platform::kSerifFont;
    const QString thai = platform::kThaiFixedFont;
    using P = platform::RecordingPrinter::Piece;
    const QList<P> expected = {
        {" 1 ", serif, 12, false, Palette::LightGreen, 0},
        {"> ", serif, 12, false, Palette::LightGreen, 0},
        {"casa", serif, 12, false, Palette::White, 0},
        {" (s.f.)", serif, 12, false, Palette::Yellow, 0},
        {" = ", serif, 12, false, Palette::DarkGrey, 0},
        {QString::fromUtf16(u" บ้าน"), thai, 30, false, Palette::White, 0},
        {"  [ baan ]", serif, 12, false, Palette::LightMagenta, 0},
        {"  (abitazione)", serif, 12, false, Palette::LightGrey, 0},
    };
    QCOMPARE(printer.pieces.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QCOMPARE(printer.pieces[i].text, expected[i].text);
        QCOMPARE(printer.pieces[i].fontName, expected[i].fontName);
        QCOMPARE(printer.pieces[i].fontSize, expected[i].fontSize);
        QCOMPARE(printer.pieces[i].colour, expected[i].colour);
    }
    QCOMPARE(state.answerCode, 7);
    QCOMPARE(state.reply, QStringLiteral("n"));
}

QTEST_MAIN(TestLookup)
#include "test_lookup.moc"

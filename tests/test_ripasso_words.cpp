// Ripasso's Words page: the table's search (accents and letter case aside, on the five shown
// columns) and sort on a small folder; the page driven by keys (Alt+W, the search, Enter on a
// row, the form's check message read out, a change written in both directions with the word's
// review history following it, Delete after a question, a new word); and a move of history left
// pending by a program killed between the files and the progress, settled at the next start.

#include "real_input.h"
#include "ripasso_fixture.h"
#include "test_support.h"

#include "datafiles/record_reader.h"
#include "ripasso/words_model.h"
#include "ripasso/words_page.h"

#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTableView>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <cctype>
#include <tuple>

using namespace ripasso;
using datafiles::DictionaryRecord;

Q_DECLARE_METATYPE(std::vector<DictionaryRecord>)
Q_DECLARE_METATYPE(std::vector<CardKey>)

namespace {

DictionaryRecord word(const char* italian, const char* pronunciation, const char* attribute = "-",
                      const char* note = "-", const char* thai = "@") {
    return {italian, pronunciation, attribute, note, thai, "$", "$"};
}

// casa, Città, a cross-reference, caffè; gatto; perché.
const std::vector<DictionaryRecord> kC = {
    word("casa", "baan", "s.f.", "-", "\xBA\xE9\xD2\xB9"),
    word("Citt\xE0", "meuang", "s.f."),
    {"cani", "-", "-", "*", "cane", "$", "$"},
    word("caff\xE8", "kaafee", "s.m.", "bevanda", "\xA1\xD2\xE1\xBF"),
};
const std::vector<DictionaryRecord> kG = {word("gatto", "maeu", "s.m.", "n\xBA 1")};
const std::vector<DictionaryRecord> kP = {word("perch\xE9", "tham mai", "avv.")};

void writeFolder(RipassoFixture& f, const std::vector<DictionaryRecord>& forward,
                 const char* name) {
    f.write(name, forward);
    for (const DictionaryRecord& r : forward) {
        if (r.isCrossReference())
            continue;
        const std::string reverse =
            "LEXREV_" + std::string(1, char(std::toupper(r.counterpart[0]))) + ".DAT";
        f.write(reverse.c_str(), {datafiles::reverseOf(r)}, std::ios::app);
    }
}

std::vector<DictionaryRecord> recordsOf(RipassoFixture& f, const char* name) {
    QFile file(f.words() + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return datafiles::readAllRecords(std::string_view(bytes.constData(), std::size_t(bytes.size())))
        .records;
}

QStringList italianColumn(const WordsModel& model) {
    QStringList words;
    for (int line = 0; line < model.rowCount(); ++line)
        words << model.index(line, 0).data().toString();
    return words;
}

std::vector<CardKey> cardKeys(ProgressStore& store) {
    std::vector<StoredCard> cards;
    store.loadCards(cards);
    std::vector<CardKey> keys;
    for (const StoredCard& card : cards)
        keys.push_back(card.key);
    std::sort(keys.begin(), keys.end(), [](const CardKey& a, const CardKey& b) {
        return std::tie(a.headword, a.pronunciation, a.direction) <
               std::tie(b.headword, b.pronunciation, b.direction);
    });
    return keys;
}

std::vector<CardKey> bothCards(const char* headword, const char* pronunciation) {
    return {{headword, pronunciation, CardDirection::ItalianToThai},
            {headword, pronunciation, CardDirection::ThaiToItalian}};
}

void answer(ProgressStore& store, const char* headword, const char* pronunciation, int day) {
    for (const CardKey& key : bothCards(headword, pronunciation))
        QVERIFY(store.saveAnswer({key, answerCard(std::nullopt, day, Grade::Good)}, Grade::Good));
}

// What screen readers are told, while Qt believes that one listens.
QList<std::pair<QAccessible::Event, QString>> announced;
void recordAnnouncement(QAccessibleEvent* event) {
    if (QAccessibleInterface* object = event->accessibleInterface())
        announced.append({event->type(), object->text(QAccessible::Name) + QLatin1Char('|') +
                                             object->text(QAccessible::Description)});
}

} // namespace

class TestRipassoWords : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void theSearchSetsAccentsAndCaseAside_data();
    void theSearchSetsAccentsAndCaseAside();
    void theColumnsSort_data();
    void theColumnsSort();
    void aWordChangedRemovedAndAddedByKeys();
    void aWordWithoutItsReverseRecordIsChangedAloneIfTheUserSaysSo_data();
    void aWordWithoutItsReverseRecordIsChangedAloneIfTheUserSaysSo();
    void aPendingMoveIsSettledAtTheNextStart_data();
    void aPendingMoveIsSettledAtTheNextStart();
};

void TestRipassoWords::theSearchSetsAccentsAndCaseAside_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("shown");
    const QString citta = QString::fromUtf8("Città"), caffe = QString::fromUtf8("caffè"),
                  perche = QString::fromUtf8("perché");
    QTest::newRow("nothing typed") << "" << QStringList{"casa", citta, caffe, "gatto", perche};
    QTest::newRow("capitals, no accent") << "CITTA" << QStringList{citta};
    QTest::newRow("an accent typed") << QString::fromUtf8("perchè") << QStringList{perche};
    QTest::newRow("inside a word") << QString::fromUtf8("FFÉ") << QStringList{caffe};
    QTest::newRow("pronunciation") << "Baan" << QStringList{"casa"};
    QTest::newRow("attribute") << "s.m." << QStringList{caffe, "gatto"};
    QTest::newRow("note") << "bevanda" << QStringList{caffe};
    QTest::newRow("Thai script") << QString::fromUtf8("บ้") << QStringList{"casa"};
    // บ is byte 0xBA, º in code page 1252: a Thai letter matches the Thai field alone.
    QTest::newRow("Thai letter, not the Latin byte")
        << QString::fromUtf8("บ") << QStringList{"casa"};
    QTest::newRow("º in a note") << QString::fromUtf8("nº") << QStringList{"gatto"};
    QTest::newRow("markers are empty") << "-" << QStringList{};
    QTest::newRow("the Thai marker") << "@" << QStringList{};
    QTest::newRow("sounds are not shown") << "$" << QStringList{};
    QTest::newRow("no field spans into the next") << "baan s" << QStringList{};
    QTest::newRow("a letter of no code set") << QString::fromUtf8("ж") << QStringList{};
}

void TestRipassoWords::theSearchSetsAccentsAndCaseAside() {
    QFETCH(QString, typed);
    QFETCH(QStringList, shown);
    RipassoFixture f;
    f.write("LEXFWD_C.DAT", kC);
    f.write("LEXFWD_G.DAT", kG);
    f.write("LEXFWD_P.DAT", kP);
    WordsModel model;
    model.load([&](const std::string& name) { return (f.words() + name.c_str()).toStdString(); });
    model.setFilter(typed);
    QCOMPARE(italianColumn(model), shown);
}

void TestRipassoWords::theColumnsSort_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<Qt::SortOrder>("order");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("shown");
    const QString citta = QString::fromUtf8("Città"), caffe = QString::fromUtf8("caffè"),
                  perche = QString::fromUtf8("perché");
    QTest::newRow("Italian") << 0 << Qt::AscendingOrder << ""
                             << QStringList{caffe, "casa", citta, "gatto", perche};
    QTest::newRow("Italian, Z to A")
        << 0 << Qt::DescendingOrder << "" << QStringList{perche, "gatto", citta, "casa", caffe};
    QTest::newRow("pronunciation")
        << 1 << Qt::AscendingOrder << "" << QStringList{"casa", caffe, "gatto", citta, perche};
    QTest::newRow("Thai, empty first")
        << 2 << Qt::AscendingOrder << "" << QStringList{citta, "gatto", perche, caffe, "casa"};
    QTest::newRow("attribute, ties in file order")
        << 3 << Qt::AscendingOrder << "" << QStringList{perche, "casa", citta, caffe, "gatto"};
    QTest::newRow("note") << 4 << Qt::AscendingOrder << ""
                          << QStringList{"casa", citta, perche, caffe, "gatto"};
    QTest::newRow("sorted and searched")
        << 0 << Qt::DescendingOrder << "S.F" << QStringList{citta, "casa"};
    QTest::newRow("the files' order again")
        << -1 << Qt::AscendingOrder << "s." << QStringList{"casa", citta, caffe, "gatto"};
}

void TestRipassoWords::theColumnsSort() {
    QFETCH(int, column);
    QFETCH(Qt::SortOrder, order);
    QFETCH(QString, typed);
    QFETCH(QStringList, shown);
    RipassoFixture f;
    f.write("LEXFWD_C.DAT", kC);
    f.write("LEXFWD_G.DAT", kG);
    f.write("LEXFWD_P.DAT", kP);
    WordsModel model;
    model.load([&](const std::string& name) { return (f.words() + name.c_str()).toStdString(); });
    model.sort(column == -1 ? 0 : column, order);
    model.setFilter(typed);
    model.sort(column, order);
    QCOMPARE(italianColumn(model), shown);
    // Each row is read out whole.
    const int casa = int(shown.indexOf("casa"));
    if (casa >= 0)
        QCOMPARE(model.index(casa, 4).data(Qt::AccessibleTextRole).toString(),
                 QString::fromUtf8("casa, pronunciation baan, Thai บ้าน, attribute s.f."));
}

void TestRipassoWords::aWordChangedRemovedAndAddedByKeys() {
    RipassoFixture f;
    writeFolder(f, {word("casa", "baan", "s.f."), word("cane", "maa", "s.m.")}, "LEXFWD_C.DAT");
    answer(*f.store, "casa", "baan", f.day - 3);
    MainWindow& window = f.open();
    QVERIFY(real::activate(&window));
    real::press(Qt::Key_W, Qt::AltModifier);
    QTRY_VERIFY(window.wordsPage().isVisible());
    QCOMPARE(real::focused(), f.control<QWidget>("wordsSearch"));
    auto* table = f.control<QTableView>("wordsTable");
    QCOMPARE(f.control<QLabel>("wordsCount")->text(), QStringLiteral("2 words"));
    real::type(QStringLiteral("CAS"));
    QCOMPARE(f.control<QLabel>("wordsCount")->text(), QStringLiteral("1 of 2 words match"));
    real::press(Qt::Key_Down);
    QCOMPARE(real::focused(), table);
    // A screen reader reads each cell of the row as the whole row.
    QAccessibleInterface* cell =
        QAccessible::queryAccessibleInterface(table)->tableInterface()->cellAt(0, 1);
    QCOMPARE(cell->text(QAccessible::Name),
             QStringLiteral("casa, pronunciation baan, attribute s.f."));
    real::press(Qt::Key_Return);
    QVERIFY(window.wordsPage().formShown());
    QCOMPARE(f.control<QLineEdit>("Text1")->text(), QStringLiteral("casa"));
    QCOMPARE(f.control<QLineEdit>("Text2")->text(), QStringLiteral("s.f."));
    QCOMPARE(f.control<QLineEdit>("Text5")->text(), QString()); // "-" shown empty

    // A bad value: the entry panel's own message, in red, read out at once.
    QPlatformAccessibility* platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    platform->setActive(true);
    QAccessible::installUpdateHandler(recordAnnouncement);
    const auto quiet = qScopeGuard([platform] {
        QAccessible::installUpdateHandler(nullptr);
        platform->setActive(false);
    });
    announced.clear();
    real::press(Qt::Key_End);
    real::type(QStringLiteral("\"")); // the files have no escape for a double quote
    real::press(Qt::Key_Return);
    auto* error = f.control<QLabel>("formError");
    QCOMPARE(error->text(), QStringLiteral("Italy Word: no \" allowed"));
    QVERIFY(error->isVisible());
    QVERIFY(announced.contains({QAccessible::Alert, "Error|Italy Word: no \" allowed"}));
    QCOMPARE(real::focused(), f.control<QWidget>("Text1"));
    QCOMPARE(real::focused()->accessibleDescription(), QStringLiteral("Italy Word: no \" allowed"));

    // The word changed: both files, the list, and the cards follow it.
    real::press(Qt::Key_A, Qt::ControlModifier);
    real::type(QStringLiteral("casetta"));
    real::press(Qt::Key_Return);
    QVERIFY(!window.wordsPage().formShown());
    QCOMPARE(recordsOf(f, "LEXFWD_C.DAT"),
             (std::vector{word("casetta", "baan", "s.f."), word("cane", "maa", "s.m.")}));
    QCOMPARE(recordsOf(f, "LEXREV_B.DAT"),
             (std::vector{datafiles::reverseOf(word("casetta", "baan", "s.f."))}));
    QCOMPARE(f.control<QLineEdit>("wordsSearch")->text(), QStringLiteral("CAS"));
    QCOMPARE(italianColumn(window.wordsPage().model()), QStringList{"casetta"});
    QCOMPARE(table->currentIndex().row(), 0);
    QCOMPARE(real::focused(), table);
    QCOMPARE(cardKeys(*f.store), bothCards("casetta", "baan"));

    // Removed after a question; its history stays, unused.
    f.dialogs.expectMessage(QStringLiteral("Delete \"casetta\" (baan) from the dictionary"),
                            platform::Answer::Yes);
    real::press(Qt::Key_Delete);
    QCOMPARE(recordsOf(f, "LEXFWD_C.DAT"), (std::vector{word("cane", "maa", "s.m.")}));
    QCOMPARE(recordsOf(f, "LEXREV_B.DAT"), std::vector<DictionaryRecord>{});
    QCOMPARE(f.control<QLabel>("wordsCount")->text(), QStringLiteral("No word of 1 matches"));
    QCOMPARE(cardKeys(*f.store), bothCards("casetta", "baan"));

    // A new word, appended as Vocaboro appends it: Insert from the search box too, and the
    // word shown afterwards although the search did not match it.
    real::press(Qt::Key_S, Qt::AltModifier);
    real::press(Qt::Key_A, Qt::ControlModifier);
    real::type(QStringLiteral("zz"));
    real::press(Qt::Key_Insert);
    QVERIFY(window.wordsPage().formShown());
    for (const QString& text :
         {QStringLiteral("gatto"), QStringLiteral("s.m."), QString(), QStringLiteral("maeu")}) {
        real::type(text);
        real::press(Qt::Key_Tab);
    }
    real::press(Qt::Key_Return);
    QCOMPARE(recordsOf(f, "LEXFWD_G.DAT"), (std::vector{word("gatto", "maeu", "s.m.")}));
    QCOMPARE(recordsOf(f, "LEXREV_M.DAT"),
             (std::vector{datafiles::reverseOf(word("cane", "maa", "s.m.")),
                          datafiles::reverseOf(word("gatto", "maeu", "s.m."))}));
    QCOMPARE(italianColumn(window.wordsPage().model()), (QStringList{"cane", "gatto"}));
    QCOMPARE(table->currentIndex().row(), 1);
    QCOMPARE(f.control<QLineEdit>("wordsSearch")->text(), QString());

    real::press(Qt::Key_Escape); // back to the start page, the cards read again
    QTRY_VERIFY(window.findChild<QWidget*>(QStringLiteral("homePage"))->isVisible());
    QCOMPARE(window.cards().cards, std::size_t(4));
}

void TestRipassoWords::aWordWithoutItsReverseRecordIsChangedAloneIfTheUserSaysSo_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestRipassoWords::aWordWithoutItsReverseRecordIsChangedAloneIfTheUserSaysSo() {
    QFETCH(bool, yes);
    RipassoFixture f;
    f.write("LEXFWD_C.DAT", {word("cane", "maa")}); // no reverse record
    answer(*f.store, "cane", "maa", f.day - 3);
    MainWindow& window = f.open();
    QVERIFY(real::activate(&window));
    real::press(Qt::Key_W, Qt::AltModifier);
    QTRY_VERIFY(window.wordsPage().isVisible());
    real::press(Qt::Key_Down);
    real::press(Qt::Key_F2);
    real::press(Qt::Key_Tab);
    real::press(Qt::Key_Tab);
    real::press(Qt::Key_Tab); // the pronunciation
    real::press(Qt::Key_A, Qt::ControlModifier);
    real::type(QStringLiteral("maa2"));
    f.dialogs.expectMessage(QStringLiteral("holds no record that goes with \"cane\" (maa). Change "
                                           "the Italian-Thai record alone?"),
                            yes ? platform::Answer::Yes : platform::Answer::No);
    real::press(Qt::Key_Return);
    QCOMPARE(recordsOf(f, "LEXFWD_C.DAT"), (std::vector{word("cane", yes ? "maa2" : "maa")}));
    QCOMPARE(window.wordsPage().formShown(), !yes);
    QCOMPARE(cardKeys(*f.store), bothCards("cane", yes ? "maa2" : "maa"));
    std::vector<PendingMove> moves;
    QVERIFY(f.store->pendingMoves(f.words().toStdString(), moves));
    QVERIFY(moves.empty());
}

void TestRipassoWords::aPendingMoveIsSettledAtTheNextStart_data() {
    QTest::addColumn<std::vector<DictionaryRecord>>("files");
    QTest::addColumn<bool>("newWordAnswered");
    QTest::addColumn<QString>("told");
    QTest::addColumn<std::vector<CardKey>>("cards");
    const auto moved = bothCards("casetta", "baan");
    const auto kept = bothCards("casa", "baan");
    auto both = kept;
    both.insert(both.end(), moved.begin(), moved.end());
    QTest::newRow("the files changed: finished")
        << std::vector{word("casetta", "baan")} << false << "they follow it now" << moved;
    QTest::newRow("the files as they were: dropped")
        << std::vector{word("casa", "baan")} << false << "the data files still hold \"casa\""
        << kept;
    QTest::newRow("the new word had answers: both kept")
        << std::vector{word("casetta", "baan")} << true << "both histories were kept" << both;
    QTest::newRow("neither word: dropped")
        << std::vector{word("cane", "maa")} << false << "hold neither word" << kept;
}

void TestRipassoWords::aPendingMoveIsSettledAtTheNextStart() {
    QFETCH(std::vector<DictionaryRecord>, files);
    QFETCH(bool, newWordAnswered);
    QFETCH(QString, told);
    QFETCH(std::vector<CardKey>, cards);
    RipassoFixture f;
    answer(*f.store, "casa", "baan", f.day - 3);
    if (newWordAnswered)
        answer(*f.store, "casetta", "baan", f.day - 2);
    // Killed after the move was announced and the files perhaps changed, before the cards moved.
    QVERIFY(f.store->announceMove({0, f.words().toStdString(), "casa", "baan", "casetta", "baan"}));
    f.write("LEXFWD_C.DAT", files);
    f.open(f.words(), told);
    QCOMPARE(cardKeys(*f.store), cards);
    std::vector<PendingMove> moves;
    QVERIFY(f.store->pendingMoves(f.words().toStdString(), moves));
    QVERIFY(moves.empty());
    std::vector<StoredCard> stored; // the answers came along: one review each, three days ago
    QVERIFY(f.store->loadCards(stored));
    for (const StoredCard& card : stored)
        QCOMPARE(card.state.reviews, 1);
}

QTEST_MAIN(TestRipassoWords)
#include "test_ripasso_words.moc"

// The dictionary window's entry lists held as bytes: what each column shows, which records
// become rows, the search after typing against Qt's own case-insensitive comparison, and the
// opened list of a long drop-down.

#include "chartola_fixture.h"

#include "chartola/entry_list_model.h"
#include "datafiles/record_writer.h"
#include "platform/text.h"
#include "real_input.h"
#include "thaitext/codec.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

using chartola::EntryListModel;
using chartola::EntryStore;
using datafiles::DictionaryRecord;

namespace {

DictionaryRecord entry(const std::string& head, const std::string& counterpart,
                       const std::string& attribute = "-", const std::string& note = "-") {
    return {head, counterpart, attribute, note, "@", "$", "$"};
}

std::string lines(const std::vector<DictionaryRecord>& records) {
    std::string bytes;
    for (const auto& r : records)
        bytes += datafiles::formatRecordLine(r);
    return bytes;
}

QStringList row(const EntryListModel& model, int r) {
    QStringList fields;
    for (int c = 0; c < model.columnCount(); ++c)
        fields << model.index(r, c).data().toString();
    return fields;
}

EntryStore::AddResult add(EntryStore& store, const std::string& bytes) {
    return store.addFile(datafiles::FileBytes::copyOf(bytes));
}

QString cp1252(std::string_view bytes) {
    return QString::fromStdU16String(thaitext::decodeCp1252(bytes));
}

} // namespace

class TestEntryListModel : public QObject {
    Q_OBJECT
private slots:
    void fieldsAreDecodedFromTheirBytes();
    void recordsBecomeRowsInFileOrder();
    void searchFoldsCaseAsQtDoes();
    void searchEdges();
    void listsStayAlignedAfterLetterAndWholeLoads();
    void theOpenedLongListScrollsAndPicks();
};

void TestEntryListModel::fieldsAreDecodedFromTheirBytes() {
    EntryStore store;
    // Code page 1252 where it differs from Latin-1 (0x80 euro, 0x8A S caron, 0x9C oe), the
    // accented vowels, and a Thai field in TIS-620 that no list shows.
    QVERIFY(add(store, lines({{"perch\xE9", "\x80 5", "s.\x8A.",
                               "\x9C"
                               "uvre",
                               "\xA1\xD2\xC3", "$", "$"}}))
                .whole);
    // Hand-edited lines: bare fields with blanks around them, and a short line whose record
    // borrows the next line's fields.
    QVERIFY(add(store, "  citt\xE0 ,baan,-, nota \r\n\"x\",\"@\",\"$\"\r\n"
                       "\"casa\",\"baan\"\r\n\"-\",\"-\",\"@\",\"$\",\"$\"\r\n")
                .whole);
    EntryListModel model;
    model.append(std::move(store));
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.columnCount(), 4);
    QCOMPARE(row(model, 0),
             (QStringList{QString::fromUtf16(u"perché"), QString::fromUtf16(u"€ 5"),
                          QString::fromUtf16(u"s.Š."), QString::fromUtf16(u"œuvre")}));
    QCOMPARE(row(model, 1), (QStringList{QString::fromUtf16(u"città"), "baan", "-", "nota"}));
    QCOMPARE(row(model, 2), (QStringList{"casa", "baan", "-", "-"}));
    // Edit role as display role (an editable drop-down asks for it); nothing for other roles.
    QCOMPARE(model.index(0, 0).data(Qt::EditRole).toString(), QString::fromUtf16(u"perché"));
    QVERIFY(!model.index(0, 0).data(Qt::DecorationRole).isValid());

    // A head word too long, or too far into its record, for the index's 16 bits is read again
    // from the record.
    const std::string longWord = "l" + std::string(70000, 'o') + "ng";
    const std::string farLine = std::string(70000, ' ') + "lontano,lon,-,-,@,$,$\r\n";
    EntryStore far;
    QVERIFY(add(far, lines({entry(longWord, "yaao", "agg.")}) + farLine +
                         lines({entry("vicino", "klai")}))
                .whole);
    QCOMPARE(far.size(), std::size_t(3));
    QCOMPARE(far.field(0, EntryStore::Headword), std::string_view(longWord));
    QCOMPARE(far.field(0, EntryStore::Attribute), std::string_view("agg."));
    QCOMPARE(far.field(1, EntryStore::Headword), std::string_view("lontano"));
    QCOMPARE(far.field(1, EntryStore::Counterpart), std::string_view("lon"));
    QCOMPARE(far.field(2, EntryStore::Headword), std::string_view("vicino"));
    QCOMPARE(far.findPrefix(u"LOOO"), std::ptrdiff_t(0));
    QCOMPARE(far.findPrefix(u"lonta"), std::ptrdiff_t(1));
    QCOMPARE(far.findPrefix(u"Vic"), std::ptrdiff_t(2));
}

void TestEntryListModel::recordsBecomeRowsInFileOrder() {
    EntryStore store;
    // A cross-reference is skipped; a note that only begins with "*" or has blanks is not one.
    QVERIFY(add(store, lines({entry("casa", "baan"),
                              {"casa", "-", "-", "*", "dimora", "$", "$"},
                              entry("cane", "maa", "-", "*vedi"),
                              entry("cena", "yen", "-", " * ")}))
                .whole);
    // A file of cross-references only, and an empty file, add nothing and keep no bytes.
    QVERIFY(add(store, lines({{"zz", "-", "-", "*", "a", "$", "$"}})).whole);
    QVERIFY(add(store, std::string()).whole);
    QVERIFY(add(store, lines({entry("acqua", "naam")})).whole);
    // A file that ends in the middle of a record: the records before it stay.
    const EntryStore::AddResult cut = add(
        store, lines({entry("isola", "kau"), entry("isola", "koh")}) + "\"ieri\",\"muea waan\"");
    QVERIFY(!cut.whole);
    QCOMPARE(cut.line, std::size_t(3));
    std::vector<std::string> heads, counterparts, notes;
    for (std::size_t r = 0; r < store.size(); ++r) {
        heads.emplace_back(store.field(r, EntryStore::Headword));
        counterparts.emplace_back(store.field(r, EntryStore::Counterpart));
        notes.emplace_back(store.field(r, EntryStore::Note));
    }
    QCOMPARE(heads, (std::vector<std::string>{"casa", "cane", "cena", "acqua", "isola", "isola"}));
    QCOMPARE(counterparts, (std::vector<std::string>{"baan", "maa", "yen", "naam", "kau", "koh"}));
    QCOMPARE(notes, (std::vector<std::string>{"-", "*vedi", " * ", "-", "-", "-"}));

    // Appending keeps the order; emptying leaves nothing to show or find.
    EntryListModel model;
    EntryStore more;
    QVERIFY(add(more, lines({entry("zucchero", "naam taan")})).whole);
    model.append(std::move(store));
    model.append(std::move(more));
    QCOMPARE(model.rowCount(), 7);
    QCOMPARE(row(model, 6), (QStringList{"zucchero", "naam taan", "-", "-"}));
    QCOMPARE(model.findPrefix(QStringLiteral("zu")), 6);
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.findPrefix(QString()), -1);
}

// The search gives the row that QString::startsWith(typed, Qt::CaseInsensitive) gives on
// the decoded head words, for every byte as a head word and every character they decode to,
// plus characters that fold onto them from outside the code page and some that do not.
void TestEntryListModel::searchFoldsCaseAsQtDoes() {
    std::vector<DictionaryRecord> records;
    QStringList decoded;
    for (int b = 0xFF; b >= 0x20; --b) { // capitals after the small letters, and the reverse
        if (b == '"' || b == ',')
            continue;
        const std::string head = std::string(1, static_cast<char>(b)) + "o";
        records.push_back(entry(head, "x"));
        decoded << cp1252(head);
    }
    EntryStore store;
    QVERIFY(add(store, lines(records)).whole);
    EntryListModel model;
    model.append(std::move(store));
    QStringList typed;
    for (int b = 0x20; b <= 0xFF; ++b) {
        const QString c = cp1252(std::string(1, static_cast<char>(b)));
        typed << c << c + QLatin1Char('O') << c + QLatin1Char('x');
    }
    typed << QString::fromUtf16(u"\u03BC") // Greek mu: the micro sign folds to it
          << QString::fromUtf16(u"\u017F") // long s, folds to s
          << QString::fromUtf16(u"\u212A") // Kelvin sign, folds to k
          << QString::fromUtf16(u"\u1E9E") // capital sharp s
          << QString::fromUtf16(u"\u0130") // I with a dot
          << QString::fromUtf16(u"\u0E01") // Thai ko kai: code page 1252 lacks it
          << QString::fromUtf16(u"\u0101") // a with a macron, likewise
          << QString::fromUtf16(u"\U0001F600") << QString();
    for (const QString& t : typed) {
        int expected = -1;
        for (int i = 0; i < decoded.size() && expected < 0; ++i)
            if (decoded[i].startsWith(t, Qt::CaseInsensitive))
                expected = i;
        if (model.findPrefix(t) != expected)
            QFAIL(qPrintable(QStringLiteral("typed \"%1\" (U+%2): found %3, Qt finds %4")
                                 .arg(t)
                                 .arg(t.isEmpty() ? 0 : t.at(0).unicode(), 4, 16)
                                 .arg(model.findPrefix(t))
                                 .arg(expected)));
    }
    // The cases that matter to an Italian user, spelled out.
    QCOMPARE(model.findPrefix(QString::fromUtf16(u"ÀO")),
             model.findPrefix(QStringLiteral("\u00E0")));
    QCOMPARE(decoded[model.findPrefix(QString::fromUtf16(u"È"))], QString::fromUtf16(u"èo"));
    QCOMPARE(decoded[model.findPrefix(QString::fromUtf16(u"š"))], QString::fromUtf16(u"šo"));
    QCOMPARE(decoded[model.findPrefix(QString::fromUtf16(u"Ÿ"))], QString::fromUtf16(u"ÿo"));
}

void TestEntryListModel::searchEdges() {
    EntryListModel model;
    QCOMPARE(model.findPrefix(QStringLiteral("a")), -1); // an empty list
    QCOMPARE(model.findPrefix(QString()), -1);
    EntryStore store;
    QVERIFY(
        add(store, lines({entry("ca", "-"), entry("Casa", "baan"), entry("casale", "-")})).whole);
    model.append(std::move(store));
    QCOMPARE(model.findPrefix(QString()), 0);             // empty text: the first item
    QCOMPARE(model.findPrefix(QStringLiteral("cas")), 1); // "ca" is shorter than the text
    QCOMPARE(model.findPrefix(QStringLiteral("CASAL")), 2);
    QCOMPARE(model.findPrefix(QStringLiteral("casalinga")), -1);
    QCOMPARE(model.findPrefix(QStringLiteral("b")), -1);
    QCOMPARE(model.findPrefix(QString::fromUtf16(u"cก")), -1);
}

namespace {

// Item k of each of the four lists, as the window's widgets hold them.
QStringList listRow(chartola::Form3& form, int k) {
    auto* combo1 = form.findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* combo2 = form.findChild<QComboBox*>(QStringLiteral("Combo2"));
    QStringList fields{combo1->itemText(k), combo2->itemText(k)};
    for (const char* name : {"List1", "List2"}) {
        auto* list = form.findChild<QListView*>(QLatin1String(name));
        fields << list->model()->index(k, list->modelColumn()).data().toString();
    }
    return fields;
}

QStringList fields(const DictionaryRecord& r) {
    return {platform::fromLatin(r.headword), platform::fromLatin(r.counterpart),
            platform::fromLatin(r.attribute), platform::fromLatin(r.note)};
}

} // namespace

void TestEntryListModel::listsStayAlignedAfterLetterAndWholeLoads() {
    ChartolaFixture f;
    const std::vector<DictionaryRecord> a{entry("acqua", "naam", "s.f."),
                                          {"ape", "-", "-", "*", "pecchia", "$", "$"},
                                          entry("\xE0ncora", "samoo", "avv.", "nota")};
    const std::vector<DictionaryRecord> c{{"casa", "-", "-", "*", "dimora", "$", "$"},
                                          entry("casa", "baan", "s.f."),
                                          entry("cena", "aahaan yen", "-", "sera")};
    f.write("LEXFWD_A.DAT", a);
    f.write("LEXFWD_B.DAT", {{"bello", "-", "-", "*", "carino", "$", "$"}}); // nothing to show
    f.write("LEXFWD_C.DAT", c);
    f.write("LEXREV_K.DAT", {entry("kau", "isola", "s.f."), entry("khon", "persona")});
    chartola::Form3& form = f.start();
    real::activate(&form);
    auto* combo = form.findChild<platform::EditableCombo*>(QStringLiteral("Combo1"));
    auto expect = [&](const std::vector<DictionaryRecord>& records) {
        QStringList want, got;
        for (const auto& r : records)
            if (!r.isCrossReference())
                want << fields(r).join(QLatin1Char('|'));
        for (int k = 0; k < combo->count(); ++k)
            got << listRow(form, k).join(QLatin1Char('|'));
        return got == want ? QString() : got.join(QLatin1Char('\n'));
    };
    real::click(combo->lineEdit());
    real::type(QStringLiteral("cena"));
    real::press(Qt::Key_Return);
    QCOMPARE(expect(c), QString());
    // A whole load: the rows of every file in letter order, the files that show nothing
    // leaving no gap.
    f.dialogs.expectMessage(QStringLiteral("Premere OK"));
    real::click(form.findChild<QPushButton*>(QStringLiteral("Command5")));
    std::vector<DictionaryRecord> all = a;
    all.insert(all.end(), c.begin(), c.end());
    QCOMPARE(expect(all), QString());
    // Picking the last entry shows that record's fields.
    real::click(combo->lineEdit());
    real::type(QStringLiteral("CE"));
    real::press(Qt::Key_Down);
    QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("Text2"))->text(),
             QStringLiteral("aahaan yen"));
    QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(),
             QStringLiteral("(-) sera"));
    f.dialogs.expectMessage(QStringLiteral("Premere OK"));
    real::click(form.findChild<QPushButton*>(QStringLiteral("Command6")));
    QCOMPARE(expect({entry("kau", "isola", "s.f."), entry("khon", "persona")}), QString());
    // Enter on another initial: the letter list alone.
    real::click(combo->lineEdit());
    real::press(Qt::Key_A, Qt::ControlModifier);
    real::type(QString::fromUtf16(u"àncora"));
    real::press(Qt::Key_Return);
    QCOMPARE(expect(a), QString());
    real::press(Qt::Key_Down);
    QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(),
             QStringLiteral("(avv.) nota"));
    QCOMPARE(f.dialogs.problems(), QStringList());
}

void TestEntryListModel::theOpenedLongListScrollsAndPicks() {
    ChartolaFixture f;
    std::vector<DictionaryRecord> records;
    for (int i = 0; i < 500; ++i)
        records.push_back(entry("parola" + std::to_string(1000 + i), "kham " + std::to_string(i)));
    f.write("LEXFWD_P.DAT", records);
    chartola::Form3& form = f.start();
    real::activate(&form);
    auto* combo = form.findChild<platform::EditableCombo*>(QStringLiteral("Combo1"));
    QAbstractItemView* list = combo->view();
    auto* text2 = form.findChild<QLineEdit*>(QStringLiteral("Text2"));
    real::click(combo->lineEdit());
    real::type(QStringLiteral("parola1300"));
    real::press(Qt::Key_Return);
    QCOMPARE(combo->count(), 500);
    // Opened, the first Down finds the word far down the list and shows it in the list.
    real::press(Qt::Key_Down, Qt::AltModifier);
    QVERIFY(list->isVisible());
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(text2->text(), QStringLiteral("kham 300"));
    const QRect shown = list->visualRect(list->currentIndex());
    QVERIFY(list->viewport()->rect().contains(shown));
    QCOMPARE(list->indexAt(shown.center()).row(), 300);
    // Page Down moves on by a page, still in sight.
    QTest::keyClick(list, Qt::Key_PageDown);
    QCOMPARE(text2->text(), QStringLiteral("kham 308"));
    QVERIFY(list->viewport()->rect().contains(list->visualRect(list->currentIndex())));
    // The wheel scrolls the list by whole items; a click picks the item under the mouse.
    const int before = list->verticalScrollBar()->value();
    const QPoint at = list->viewport()->rect().center();
    QWheelEvent wheel(at, list->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &wheel);
    const int after = list->verticalScrollBar()->value();
    QVERIFY(after > before);
    const int under = list->indexAt(at).row();
    QCOMPARE(list->visualRect(list->model()->index(under, 0)).contains(at), true);
    real::click(list->viewport(), at);
    QVERIFY(!list->isVisible());
    QCOMPARE(combo->currentIndex(), under);
    QCOMPARE(text2->text(), QStringLiteral("kham %1").arg(under));
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QString::number(under));
    // Opened again at the end of the list: the last item is in sight and can be clicked.
    real::click(combo->lineEdit());
    real::press(Qt::Key_A, Qt::ControlModifier);
    real::type(QStringLiteral("parola1499"));
    real::press(Qt::Key_Down);
    real::press(Qt::Key_Down, Qt::AltModifier);
    QVERIFY(list->isVisible());
    const QRect last = list->visualRect(list->model()->index(499, 0));
    QVERIFY(list->viewport()->rect().contains(last));
    QTest::keyClick(list, Qt::Key_Escape);
    QCOMPARE(f.dialogs.problems(), QStringList());
}

QTEST_MAIN(TestEntryListModel)
#include "test_entry_list_model.moc"

#include "chartola_fixture.h"

#include "chartola/chart_window.h"
#include "chartola/dictionary_window.h"
#include "chartola/program.h"
#include "datafiles/record_writer.h"
#include "platform/editable_combo.h"
#include "platform/fonts.h"
#include "platform/scripted_dialogs.h"
#include "real_input.h"
#include "test_support.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <fstream>
#include <sys/stat.h>

#include "watchdog.h"

using datafiles::DictionaryRecord;
using platform::Answer;

namespace {

DictionaryRecord entry(const std::string& head, const std::string& counterpart,
                       const std::string& attribute = "-", const std::string& note = "-") {
    return {head, counterpart, attribute, note, "@", "$", "$"};
}

struct Dictionary : ChartolaFixture {
    // The window opens as the user's active window: keys go where the focus is.
    chartola::Form3& start(const QString& answer) {
        chartola::Form3& form = ChartolaFixture::start(answer);
        if (!real::activate(&form))
            qWarning("the dictionary window did not become active");
        return form;
    }
    chartola::Form3& start() { return start(folder()); }
    chartola::Form3& form() { return program.dictionary(); }
    template <typename T> T* control(const char* name) { return findControl<T>(&form(), name); }
    platform::EditableCombo* combo() { return control<platform::EditableCombo>("Combo1"); }
    QAbstractItemView* list() { return combo()->view(); }
    QString text(const char* name) { return control<QLineEdit>(name)->text(); }
    QString label(const char* name) { return control<QLabel>(name)->text(); }
    QString style(const char* name) { return control<QWidget>(name)->styleSheet(); }
    QString caption(const char* name) { return control<QPushButton>(name)->text(); }
    // What the three displays show: Text2, Text1, Label2.
    QStringList shown() { return {text("Text2"), text("Text1"), label("Label2")}; }
    // A click in the drop-down's edit field, then the word typed over its text, then Enter.
    void enter(const QString& word) {
        real::click(combo()->lineEdit());
        real::press(Qt::Key_A, Qt::ControlModifier);
        real::type(word);
        real::press(Qt::Key_Return);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        real::press(k, modifiers);
    }
    void typeKey(char c) { real::type(QString(QLatin1Char(c))); }
    // A key in the opened list, sent to its view.
    void listKey(Qt::Key k) { QTest::keyClick(list(), k); }
    bool listOpen() { return list()->isVisible(); }
};

} // namespace

class TestDictionaryWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void startUpPrompt();
    void enterLoadsTheLetterAndArrowsPickEntries();
    void enterLoadsOnlyWhatIsNotLoaded();
    void downFindsAWordTypedWithoutItsAccents();
    void leavingTheDropDownPicksNothing();
    void theOpenedListShowsEachItemAtOnce();
    void leavingTheOpenedList_data();
    void leavingTheOpenedList();
    void screenReadersFollowTheOpenedList();
    void wholeLoadsInBothDirections();
    void failuresAreReportedAndClaimNoFullLoad();
    void windowsMeetAndClosingEnds();
};

void TestDictionaryWindow::startUpPrompt() {
    {
        Dictionary d;
        d.start(QStringLiteral("C:\\THAI\\"));
        const platform::AskedQuestion& q = d.dialogs.asked().front();
        QCOMPARE(q.text, QStringLiteral("Path Folder of locate DataBase File Library (*.DAT) "));
        QCOMPARE(q.title, QStringLiteral("Configure VOCABORO Dictionary"));
        QCOMPARE(q.proposed, QStringLiteral("C:\\THAI\\"));
        QCOMPARE(q.xTwips, 3000);
        QCOMPARE(d.form().datapath(), QStringLiteral("C:\\THAI\\"));
        QCOMPARE(d.label("Label3"), QStringLiteral("Must loading database..."));
        QVERIFY(d.style("Label3").contains(QStringLiteral("#ff0000")));
        QVERIFY(d.control<QWidget>("ProgressBar1")->isHidden());
        QVERIFY(d.control<QWidget>("Combo2")->isHidden());
        QCOMPARE(d.form().windowTitle(), QStringLiteral("Vocaboro Dictionary v.2.0"));
    }
    {
        Dictionary d;
        d.start(QString());
        QCOMPARE(d.form().datapath(), QStringLiteral("c:\\thai\\"));
    }
}

void TestDictionaryWindow::enterLoadsTheLetterAndArrowsPickEntries() {
    Dictionary d;
    d.write("LEXFWD_C.DAT", {entry("cane", "maa", "s.m."),
                             {"casa", "-", "-", "*", "casa", "$", "$"},
                             entry("casa", "baan", "s.f."),
                             entry("casa", "ruean", "-", "formale"),
                             entry("cena", "aahaan yen")});
    d.start(d.folder().chopped(1)); // no final slash: the names begin with a backslash
    real::click(d.combo()->lineEdit());
    d.typeKey('c');
    QVERIFY(d.style("Text2").contains(QStringLiteral("#ffff00")));
    QCOMPARE(d.label("Label1"), QStringLiteral("pronuncia in Thai"));
    d.enter(QStringLiteral("casa"));
    QCOMPARE(d.form().loadedletter(), QStringLiteral("i_c"));
    QCOMPARE(d.text("Text3"), QStringLiteral("i_c"));
    QCOMPARE(d.combo()->items(), (QStringList{"cane", "casa", "casa", "cena"})); // pointer skipped
    QCOMPARE(d.combo()->currentText(), QStringLiteral("casa"));
    QCOMPARE(d.form().lastword(), QStringLiteral("casa"));
    QCOMPARE(d.label("Label3"), QString());
    QCOMPARE(d.caption("Command5"), QStringLiteral("Load all..."));
    QCOMPARE(d.caption("Command6"), QStringLiteral("Load all..."));
    QVERIFY(d.style("Command6").contains(QStringLiteral("#ffff00")));
    // Enter shows no entry.
    QCOMPARE(d.label("Label2"), QStringLiteral("record"));

    // The first Down picks the first entry that begins with the typed text.
    d.key(Qt::Key_Down);
    QCOMPARE(d.combo()->currentIndex(), 1);
    QCOMPARE(d.label("Label2"), QStringLiteral("1"));
    QCOMPARE(d.text("Text2"), QStringLiteral("baan"));
    QCOMPARE(d.text("Text1"), QStringLiteral("(s.f.) -"));
    QVERIFY(d.style("Text2").contains(QStringLiteral("#000000")));
    QCOMPARE(d.control<QListView>("List2")->currentIndex().row(), 1);
    // Later keys move through the list, each selection shown at once.
    d.key(Qt::Key_Down);
    QCOMPARE(d.text("Text2"), QStringLiteral("ruean"));
    QCOMPARE(d.text("Text1"), QStringLiteral("(-) formale"));
    d.key(Qt::Key_Up);
    d.key(Qt::Key_Up);
    QCOMPARE(d.label("Label2"), QStringLiteral("0"));
    QCOMPARE(d.text("Text2"), QStringLiteral("maa"));
    d.key(Qt::Key_PageDown);
    QCOMPARE(d.combo()->currentIndex(), 3);
    QCOMPARE(d.text("Text2"), QStringLiteral("aahaan yen"));
    QCOMPARE(d.dialogs.problems(), QStringList());
}

void TestDictionaryWindow::downFindsAWordTypedWithoutItsAccents() {
    // Typed, Enter, then Down, by keys: when no item begins with the text, the first that
    // does with accents and letter case set aside is picked; when one begins with it, as ever.
    Dictionary d;
    d.write("LEXFWD_P.DAT", {entry("pera", "sali"), entry("perch\xE9", "tham mai"),
                             entry("p\xE8sca", "tok plaa"), entry("pesca", "luuk phiich")});
    d.start();
    const struct {
        const char* typed;
        const char16_t* shown; // in the drop-down's field after Down
        const char* counterpart;
    } cases[] = {
        {"perch", u"perché", "tham mai"}, // only with its accent
        {"PERCH", u"perché", "tham mai"}, // nor its case
        {"pe", u"pera", "sali"},          // begins "pera" as typed: the first, as ever
        {"pes", u"pesca", "luuk phiich"}, // pèsca, before it, only without the accent
    };
    for (const auto& c : cases) {
        d.enter(QString::fromLatin1(c.typed));
        d.key(Qt::Key_Down);
        QCOMPARE(d.combo()->currentText(), QString::fromUtf16(c.shown));
        QCOMPARE(d.text("Text2"), QString::fromLatin1(c.counterpart));
    }
    QCOMPARE(d.dialogs.problems(), QStringList());
}

void TestDictionaryWindow::enterLoadsOnlyWhatIsNotLoaded() {
    Dictionary d;
    d.write("LEXFWD_A.DAT", {entry("acqua", "naam"), entry("\xE0ncora", "samoo")});
    d.write("LEXFWD_I.DAT", {entry("isola", "kau")});
    d.write("LEXFWD_C.DAT", {entry("casa", "baan")});
    d.start();
    // A capital initial, a digit, a sign of the files' code page and a Thai letter load
    // nothing.
    for (const QString& word : {QStringLiteral("Casa"), QStringLiteral("3"),
                                QString::fromUtf16(u"€uro"), QString::fromUtf16(u"บ้าน")}) {
        d.enter(word);
        QCOMPARE(d.form().loadedletter(), QString());
        QVERIFY(d.combo()->items().isEmpty());
    }
    d.enter(QString::fromUtf16(u"àncora"));
    QCOMPARE(d.form().loadedletter(), QStringLiteral("i_a"));
    QCOMPARE(d.combo()->count(), 2);
    // The same initial again does not read the file again.
    d.write("LEXFWD_A.DAT", {});
    d.enter(QStringLiteral("acqua"));
    QCOMPARE(d.combo()->count(), 2);
    QCOMPARE(d.combo()->currentText(), QStringLiteral("acqua"));
    d.enter(QString::fromUtf16(u"ìsola"));
    QCOMPARE(d.form().loadedletter(), QStringLiteral("i_i"));
    QCOMPARE(d.combo()->items(), QStringList{QStringLiteral("isola")});
    QCOMPARE(d.dialogs.problems(), QStringList());
}

namespace {

void writeG(Dictionary& d) {
    d.write("LEXFWD_G.DAT",
            {entry("gente", "phuu khon", "s.f."), entry("gatto", "maeu", "s.m."),
             entry("gallo", "kai tua phuu", "s.m."), entry("gatto", "maeo", "s.m.", "anche")});
}

} // namespace

void TestDictionaryWindow::leavingTheDropDownPicksNothing() {
    Dictionary d;
    writeG(d);
    d.start();
    const QStringList nothing{QString(), QStringLiteral("note :"), QStringLiteral("record")};
    // Enter, then Tab: the edit field loses the focus and nothing is picked.
    d.enter(QStringLiteral("gatto"));
    QCOMPARE(d.combo()->count(), 4);
    QCOMPARE(d.shown(), nothing);
    d.key(Qt::Key_Tab);
    QCOMPARE(real::focused(), d.control<QWidget>("Text1"));
    QCOMPARE(d.shown(), nothing);
    QCOMPARE(d.combo()->currentText(), QStringLiteral("gatto"));
    // Back in the drop-down, the first Down finds the first "gatto".
    real::click(d.combo()->lineEdit());
    d.key(Qt::Key_Down);
    QCOMPARE(d.shown(), (QStringList{"maeu", "(s.m.) -", "1"}));

    // A word typed over the pick, Enter, then a click elsewhere: still nothing picked.
    d.enter(QStringLiteral("gallo"));
    real::click(d.control<QWidget>("Text1"));
    QCOMPARE(real::focused(), d.control<QWidget>("Text1"));
    QCOMPARE(d.shown(), (QStringList{"maeu", "(s.m.) -", "1"}));
    QVERIFY(d.style("Text2").contains(QStringLiteral("#ffff00"))); // typing, not picked
    real::click(d.combo()->lineEdit());
    d.key(Qt::Key_Down);
    QCOMPARE(d.shown(), (QStringList{"kai tua phuu", "(s.m.) -", "2"}));
    // Leaving after a pick changes nothing either, and the next Down goes on from the pick.
    d.key(Qt::Key_Tab);
    real::click(d.combo()->lineEdit());
    d.key(Qt::Key_Down);
    QCOMPARE(d.shown(), (QStringList{"maeo", "(s.m.) anche", "3"}));
    // The mouse wheel over the closed drop-down picks nothing.
    QWheelEvent wheel(QPointF(5, 5), d.combo()->mapToGlobal(QPointF(5, 5)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(d.combo(), &wheel);
    QCOMPARE(d.combo()->currentIndex(), 3);
    QCOMPARE(d.label("Label2"), QStringLiteral("3"));
    QCOMPARE(d.dialogs.problems(), QStringList());
}

void TestDictionaryWindow::theOpenedListShowsEachItemAtOnce() {
    Dictionary d;
    writeG(d);
    d.start();
    d.enter(QStringLiteral("gatto"));
    // Alt+Down opens the list; the first Down in it finds the typed word, as in the edit field.
    d.key(Qt::Key_Down, Qt::AltModifier);
    QVERIFY(d.listOpen());
    QCOMPARE(d.shown(), (QStringList{QString(), "note :", "record"}));
    d.listKey(Qt::Key_Down);
    QCOMPARE(d.shown(), (QStringList{"maeu", "(s.m.) -", "1"}));
    QCOMPARE(d.list()->currentIndex().row(), 1);
    d.listKey(Qt::Key_Down);
    QCOMPARE(d.shown(), (QStringList{"kai tua phuu", "(s.m.) -", "2"}));
    d.listKey(Qt::Key_PageDown);
    QCOMPARE(d.shown(), (QStringList{"maeo", "(s.m.) anche", "3"}));
    d.listKey(Qt::Key_PageUp);
    QCOMPARE(d.shown(), (QStringList{"phuu khon", "(s.f.) -", "0"}));
    d.listKey(Qt::Key_Down);
    QVERIFY(d.listOpen());
    // Escape closes the list and keeps what was reached.
    d.listKey(Qt::Key_Escape);
    QVERIFY(!d.listOpen());
    QCOMPARE(d.shown(), (QStringList{"maeu", "(s.m.) -", "1"}));
    QCOMPARE(d.combo()->currentIndex(), 1);
    QCOMPARE(d.combo()->currentText(), QStringLiteral("gatto"));
    d.key(Qt::Key_Down);
    QCOMPARE(d.label("Label2"), QStringLiteral("2"));

    // F4 opens it.
    d.key(Qt::Key_F4);
    QVERIFY(d.listOpen());
    d.listKey(Qt::Key_Escape);

    // A click on the arrow opens it too.
    real::click(d.combo()->lineEdit());
    QStyleOptionComboBox option;
    option.initFrom(d.combo());
    option.editable = true;
    const QRect arrow = d.combo()->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxArrow, d.combo());
    real::click(d.combo(), arrow.center());
    QVERIFY(d.listOpen());
    d.listKey(Qt::Key_Down);
    QCOMPARE(d.shown(), (QStringList{"maeo", "(s.m.) anche", "3"}));
    d.listKey(Qt::Key_Escape);
    QCOMPARE(d.dialogs.problems(), QStringList());
}

void TestDictionaryWindow::leavingTheOpenedList_data() {
    QTest::addColumn<int>("hovered"); // the row the mouse rests on, or -1
    QTest::addColumn<int>("key");     // the key that leaves the list, or 0 for a click
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("text");
    const QStringList second{"maeu", "(s.m.) -", "1"};
    QTest::newRow("Enter picks the row under the mouse")
        << 3 << int(Qt::Key_Return) << QStringList{"maeo", "(s.m.) anche", "3"} << "gatto";
    QTest::newRow("Enter picks the highlighted pick again, over the typed text")
        << -1 << int(Qt::Key_Return) << second << "gatto";
    QTest::newRow("Escape keeps what was shown") << 2 << int(Qt::Key_Escape) << second << "ga";
    QTest::newRow("a click picks its row")
        << 0 << 0 << QStringList{"phuu khon", "(s.f.) -", "0"} << "gente";
}

// The second entry picked, "ga" typed over it, then the list opened and the mouse moved.
void TestDictionaryWindow::leavingTheOpenedList() {
    QFETCH(int, hovered);
    QFETCH(int, key);
    Dictionary d;
    writeG(d);
    d.start();
    d.enter(QStringLiteral("gatto"));
    d.key(Qt::Key_Down);
    real::type(QStringLiteral("ga"));
    d.key(Qt::Key_Down, Qt::AltModifier);
    const QRect row = d.list()->visualRect(d.list()->model()->index(std::max(hovered, 0), 0));
    if (hovered >= 0) {
        QTest::mouseMove(d.list()->viewport(), row.center());
        QCOMPARE(d.list()->currentIndex().row(), hovered);
        QCOMPARE(d.label("Label2"), QStringLiteral("1")); // highlighted, not picked
    }
    if (key)
        d.listKey(Qt::Key(key));
    else
        real::click(d.list()->viewport(), row.center());
    QVERIFY(!d.listOpen());
    QTEST(d.shown(), "shown");
    QTEST(d.combo()->currentText(), "text");
}

namespace {

using Announcement = std::pair<QAccessible::Event, QString>;
QList<Announcement> announced;

void recordAnnouncement(QAccessibleEvent* event) {
    if (event->type() == QAccessible::Focus || event->type() == QAccessible::Selection)
        announced.append({event->type(), event->accessibleInterface()->text(QAccessible::Name)});
}

} // namespace

void TestDictionaryWindow::screenReadersFollowTheOpenedList() {
    Dictionary d;
    writeG(d);
    d.start();
    d.enter(QStringLiteral("gatto"));
    d.key(Qt::Key_Down);
    QAccessibleInterface* combo = QAccessible::queryAccessibleInterface(d.combo());
    QCOMPARE(combo->text(QAccessible::Name), QStringLiteral("Word to look up"));
    QCOMPARE(combo->text(QAccessible::Value), QStringLiteral("gatto"));

    // Qt hands its events on only while a screen reader listens: as if one did.
    QPlatformAccessibility* platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    platform->setActive(true);
    QAccessible::installUpdateHandler(recordAnnouncement);
    const auto quiet = qScopeGuard([platform] {
        QAccessible::installUpdateHandler(nullptr);
        platform->setActive(false);
    });
    d.key(Qt::Key_Down, Qt::AltModifier);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(d.list());
    QCOMPARE(list->role(), QAccessible::List);
    QStringList rows;
    for (int i = 0; i < list->childCount(); ++i)
        rows.append(list->child(i)->text(QAccessible::Name));
    QCOMPARE(rows, d.combo()->items());
    QAccessibleInterface* current = list->child(1);
    QVERIFY(current->state().focused && current->state().selected);
    QCOMPARE(announced.value(announced.size() - 1), Announcement(QAccessible::Focus, "gatto"));
    // Each move is told: the new row selected, then focused.
    announced.clear();
    d.listKey(Qt::Key_Down);
    QCOMPARE(announced, (QList<Announcement>{{QAccessible::Selection, "gallo"},
                                             {QAccessible::Focus, "gallo"}}));
    QVERIFY(!current->state().focused && !current->state().selected);
    QVERIFY(list->child(2)->state().focused);
    d.listKey(Qt::Key_Escape);
}

void TestDictionaryWindow::wholeLoadsInBothDirections() {
    Dictionary d;
    d.write("LEXFWD_A.DAT", {entry("acqua", "naam")});
    d.write("LEXFWD_C.DAT",
            {entry("casa", "baan"), {"perche", "-", "-", "*", "perch\xE9", "$", "$"}});
    d.write("LEXFWD_Z.DAT", {entry("zucchero", "naam taan")});
    d.write("LEXREV_B.DAT", {entry("baan", "casa")});
    d.write("LEXREV_N.DAT", {entry("naam", "acqua"), entry("naam taan", "zucchero")});
    d.start();
    d.enter(QStringLiteral("casa"));

    d.dialogs.expectMessage(
        QStringLiteral("Premere OK ed attendere 30 secondi, per il caricamento del Database..."));
    d.control<QPushButton>("Command5")->click();
    QCOMPARE(d.dialogs.asked().last().title, QStringLiteral("Chartola"));
    QCOMPARE(d.combo()->items(), (QStringList{"acqua", "casa", "zucchero"}));
    QCOMPARE(d.combo()->currentText(), QString());
    QCOMPARE(d.caption("Command5"), QStringLiteral("full"));
    QVERIFY(d.style("Command5").contains(QStringLiteral("#00ff00")));
    QCOMPARE(d.caption("Command6"), QStringLiteral("Load all..."));
    QVERIFY(d.style("Command6").contains(QStringLiteral("#ff0000")));
    QCOMPARE(d.label("Label3"), QStringLiteral("insert your Italy word..."));
    QVERIFY(d.style("Label3").contains(QStringLiteral("#00ffff")));
    QCOMPARE(d.form().fwdloaded(), 1);
    QCOMPARE(d.form().filecount(), 26);
    QVERIFY(d.control<QWidget>("ProgressBar1")->isHidden());
    QCOMPARE(d.control<QProgressBar>("ProgressBar1")->value(), 26);
    QCOMPARE(d.form().loadedletter(), QStringLiteral("i_c")); // a whole load keeps it

    // A second click on "full" does nothing: no warning box.
    d.control<QPushButton>("Command5")->click();
    QCOMPARE(d.dialogs.problems(), QStringList());

    d.dialogs.expectMessage(QStringLiteral("Premere OK"));
    d.control<QPushButton>("Command6")->click();
    QCOMPARE(d.combo()->items(), (QStringList{"baan", "naam", "naam taan"}));
    QCOMPARE(d.label("Label1"), QStringLiteral("traduzione in italiano"));
    QCOMPARE(d.caption("Command6"), QStringLiteral("full"));
    QCOMPARE(d.caption("Command5"), QStringLiteral("Load all..."));
    QCOMPARE(d.form().revloaded(), 1);
    QCOMPARE(d.form().fwdloaded(), 0);
    QCOMPARE(d.form().direction(), QStringLiteral("T-I"));
    real::click(d.combo()->lineEdit());
    d.typeKey('n');
    QCOMPARE(d.label("Label1"), QStringLiteral("pronuncia in Thai"));
    real::type(QStringLiteral("aam ta"));
    d.key(Qt::Key_Down);
    QCOMPARE(d.text("Text2"), QStringLiteral("zucchero"));

    // Enter on a word of the loaded letter keeps the whole dictionary; both buttons invite a load.
    d.enter(QStringLiteral("cena"));
    QCOMPARE(d.combo()->count(), 3);
    QCOMPARE(d.caption("Command6"), QStringLiteral("Load all..."));
    QCOMPARE(d.form().revloaded(), 0);
    // Another initial replaces it with that letter's list.
    d.enter(QStringLiteral("zucchero"));
    QCOMPARE(d.combo()->items(), QStringList{QStringLiteral("zucchero")});
    QCOMPARE(d.dialogs.problems(), QStringList());
}

void TestDictionaryWindow::failuresAreReportedAndClaimNoFullLoad() {
    Dictionary d;
    d.write("LEXFWD_A.DAT", {entry("acqua", "naam")});
    std::filesystem::remove((d.folder() + "LEXFWD_M.DAT").toStdString());
    {
        std::ofstream broken((d.folder() + "LEXFWD_C.DAT").toStdString(), std::ios::binary);
        broken << datafiles::formatRecordLine(entry("cane", "maa")) << "\"casa\",\"baan\"";
    }
    d.start();
    // A broken letter file: the message names the path as typed; what was read stays.
    d.dialogs.expectMessage(QStringLiteral(
        "\\lexfwd_c.dat\" could not be read: it ends in the middle of a record (line 2)"));
    d.enter(QStringLiteral("casa"));
    QVERIFY(d.dialogs.asked().last().text.contains(d.folder() + QStringLiteral("\\lexfwd_c.dat")));
    QCOMPARE(d.combo()->items(), QStringList{QStringLiteral("cane")});
    QCOMPARE(d.combo()->currentText(), QStringLiteral("casa"));
    // A whole load stops at the first file it cannot read (c), and claims nothing.
    d.dialogs.expectMessage(QStringLiteral("Premere OK"));
    d.dialogs.expectMessage(QStringLiteral("lexfwd_c.dat"));
    d.control<QPushButton>("Command5")->click();
    QCOMPARE(d.caption("Command5"), QStringLiteral("Load all..."));
    QCOMPARE(d.form().fwdloaded(), 0);
    QCOMPARE(d.form().revloaded(), 0);
    QCOMPARE(d.form().filecount(), 2);
    QVERIFY(d.control<QWidget>("ProgressBar1")->isHidden());
    QCOMPARE(d.combo()->items(), (QStringList{"acqua", "cane"}));
    // A pipe where a letter file should be: the other direction's load says so at once and
    // stops there, without waiting for a writer that never comes.
    {
        Watchdog watchdog(20);
        const std::string pipe = (d.folder() + "LEXREV_D.DAT").toStdString();
        std::filesystem::remove(pipe);
        QCOMPARE(::mkfifo(pipe.c_str(), 0644), 0);
        d.dialogs.expectMessage(QStringLiteral("Premere OK"));
        d.dialogs.expectMessage(
            QStringLiteral("\\lexrev_d.dat\" could not be read: it is not an ordinary file"));
        d.control<QPushButton>("Command6")->click();
        QCOMPARE(d.form().filecount(), 3);
        QCOMPARE(d.form().revloaded(), 0);
    }
    // A missing folder.
    Dictionary missing;
    missing.start(missing.folder() + QStringLiteral("nowhere\\"));
    missing.dialogs.expectMessage(QStringLiteral("does not exist"));
    missing.enter(QStringLiteral("casa"));
    QCOMPARE(missing.form().loadedletter(), QStringLiteral("i_c"));
    QVERIFY(!missing.ended);
    QCOMPARE(d.dialogs.problems(), QStringList());
    QCOMPARE(missing.dialogs.problems(), QStringList());
}

void TestDictionaryWindow::windowsMeetAndClosingEnds() {
    Dictionary d;
    d.write("LEXFWD_C.DAT", {entry("casa", "baan")});
    d.start();
    d.form().show();
    d.enter(QStringLiteral("casa"));
    d.key(Qt::Key_Down);
    d.dialogs.expectInput(QStringLiteral("Sound File"), QStringLiteral("C:\\THAI\\"));
    d.control<QPushButton>("Command1")->click();
    QVERIFY(d.form().isHidden());
    QVERIFY(!d.program.widget(chartola::Window::Form1)->isHidden());
    d.program.chart().Command48_Click();
    QVERIFY(!d.form().isHidden());
    QVERIFY(d.program.widget(chartola::Window::Form1)->isHidden());
    QCOMPARE(d.text("Text2"), QStringLiteral("baan"));
    // Back and forth again: no second prompt.
    d.control<QPushButton>("Command1")->click();
    d.program.chart().Command48_Click();
    QCOMPARE(d.dialogs.problems(), QStringList());
    d.form().close();
    QVERIFY(d.ended);
    QVERIFY(!d.program.isLoaded(chartola::Window::Form1));
    QVERIFY(!d.program.isLoaded(chartola::Window::Form3));
}

QTEST_MAIN(TestDictionaryWindow)
#include "test_dictionary_window.moc"

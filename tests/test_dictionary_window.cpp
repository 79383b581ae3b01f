#include "chartola_fixture.h"

#include "chartola/chart_window.h"
#include "chartola/dictionary_window.h"
#include "chartola/program.h"
#include "datafiles/record_writer.h"
#include "platform/editable_combo.h"
#include "platform/fonts.h"
#include "platform/scripted_dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

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
    chartola::Form3& form() { return program.dictionary(); }
    template <typename T> T* control(const char* name) {
        return form().findChild<T*>(QLatin1String(name));
    }
    platform::EditableCombo* combo() { return control<platform::EditableCombo>("Combo1"); }
    QString text(const char* name) { return control<QLineEdit>(name)->text(); }
    QString label(const char* name) { return control<QLabel>(name)->text(); }
    QString style(const char* name) { return control<QWidget>(name)->styleSheet(); }
    QString caption(const char* name) { return control<QPushButton>(name)->text(); }
    void enter(const QString& word) {
        combo()->setEditText(word);
        QTest::keyClick(combo()->lineEdit(), Qt::Key_Return);
    }
    void key(Qt::Key k) { QTest::keyClick(combo()->lineEdit(), k); }
    void typeKey(char c) { QTest::keyClick(combo()->lineEdit(), c); }
};

} // namespace

class TestDictionaryWindow : public QObject {
    Q_OBJECT
private slots:
    void startUpPrompt();
    void enterLoadsTheLetterAndArrowsPickEntries();
    void enterLoadsOnlyWhatIsNotLoaded();
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

void TestDictionaryWindow::enterLoadsOnlyWhatIsNotLoaded() {
    Dictionary d;
    d.write("LEXFWD_A.DAT", {entry("acqua", "naam"), entry("\xE0ncora", "samoo")});
    d.write("LEXFWD_I.DAT", {entry("isola", "kau")});
    d.write("LEXFWD_C.DAT", {entry("casa", "baan")});
    d.start();
    // A capital initial, a digit and a Thai letter load nothing.
    for (const QString& word :
         {QStringLiteral("Casa"), QStringLiteral("3"), QString::fromUtf16(u"บ้าน")}) {
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
    d.combo()->setEditText(QStringLiteral("naam t"));
    d.typeKey('a');
    QCOMPARE(d.label("Label1"), QStringLiteral("pronuncia in Thai"));
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

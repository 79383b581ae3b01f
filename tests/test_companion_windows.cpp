#include "chartola_fixture.h"
#include "test_support.h"

#include "chartola/about_box.h"
#include "chartola/chart_window.h"
#include "chartola/notes_window.h"
#include "companion/credits_window.h"
#include "platform/test_doubles.h"
#include "vocaboro/console_window.h"
#include "vocaboro/program.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using chartola::Window;

namespace {

const char* const kCreditsParts[] = {"Form2",    "Label1",   "Label2",   "Picture1",
                                     "Picture2", "Picture3", "Picture4", "Picture5"};

QWidget* part(QWidget* credits, const char* name) {
    return qstrcmp(name, "Form2") == 0 ? credits
                                       : credits->findChild<QWidget*>(QLatin1String(name));
}

// Opens the chart from the dictionary window, answering its sound prompt.
chartola::Form1& openChart(ChartolaFixture& f) {
    f.dialogs.expectInput(QStringLiteral("Sound File"), QStringLiteral("C:\\THAI\\"));
    f.program.dictionary().Command1_Click();
    return f.program.chart();
}

chartola::frmAbout& openAbout(ChartolaFixture& f) {
    f.program.chart().Command47_Click();
    return *f.program.about();
}

} // namespace

class TestCompanionWindows : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void chartolaCreditsOpenTheDictionary();
    void vocaboroCreditsOpenTheConsoleAndEndCloses();
    void closingAnyChartolaWindowUnloadsAll();
    void dictionaryKeepsItsStateThroughHelpAndAlphabet();
    void aboutBoxReturnsToTheChart();
    void getKeyValue();
    void startSysInfo();
};

void TestCompanionWindows::chartolaCreditsOpenTheDictionary() {
    for (const char* name : kCreditsParts) {
        ChartolaFixture f;
        f.program.start();
        QWidget* credits = f.program.widget(Window::Form2);
        QCOMPARE(credits->windowTitle(), companion::Form2::title(companion::Flavour::Chartola));
        QVERIFY(!credits->windowTitle().startsWith(QLatin1Char(' ')));
        f.dialogs.expectInput(QStringLiteral("DataBase File Library"), f.folder());
        QWidget* target = part(credits, name);
        QVERIFY2(target, name);
        QTest::mouseClick(target, Qt::LeftButton);
        QVERIFY2(credits->isHidden(), name);
        QVERIFY2(f.program.isLoaded(Window::Form3), name);
        QVERIFY2(!f.program.isLoaded(Window::Form1), name); // the dictionary, not the chart
        QCOMPARE(f.dialogs.problems(), QStringList());
    }
    // Closed by its frame before any click: the program ends.
    ChartolaFixture f;
    f.program.start();
    f.program.widget(Window::Form2)->close();
    QVERIFY(f.ended);
}

void TestCompanionWindows::vocaboroCreditsOpenTheConsoleAndEndCloses() {
    QTemporaryDir dir;
    for (const char* name : kCreditsParts) {
        platform::ScriptedDialogs dialogs;
        bool ended = false;
        platform::RecordingSpeech speech;
        vocaboro::Program program(dialogs, speech, dir.path().toStdString(),
                                  [&ended] { ended = true; });
        program.start();
        QCOMPARE(program.credits()->windowTitle(), QString(8, QLatin1Char(' ')) +
                                                       QStringLiteral("Italy Thai Dictionary") +
                                                       program.credits()->windowTitle().mid(29));
        dialogs.expectInput(QStringLiteral("Path Folder of locate Data File"),
                            QStringLiteral("C:\\THAI\\"));
        QTest::mouseClick(part(program.credits(), name), Qt::LeftButton);
        QVERIFY2(program.console() && !program.console()->isHidden(), name);
        QVERIFY2(program.credits()->isHidden(), name); // the console's start-up unloads it
        QCOMPARE(program.console()->datapath(), QStringLiteral("C:\\THAI\\"));
        program.console()->findChild<QPushButton*>(QStringLiteral("Command4"))->click(); // End
        QVERIFY(ended);
        QVERIFY(program.console()->isHidden());
        QVERIFY(program.credits()->isHidden());
        QCOMPARE(dialogs.problems(), QStringList());
    }
    platform::ScriptedDialogs dialogs;
    bool ended = false;
    platform::RecordingSpeech speech;
    vocaboro::Program program(dialogs, speech, dir.path().toStdString(),
                              [&ended] { ended = true; });
    program.start();
    program.credits()->close();
    QVERIFY(ended);
}

void TestCompanionWindows::closingAnyChartolaWindowUnloadsAll() {
    for (Window closed :
         {Window::Form1, Window::Form2, Window::Form3, Window::Form4, Window::frmAbout}) {
        ChartolaFixture f;
        f.start();
        openChart(f);
        openAbout(f);
        f.program.show(Window::Form4);
        for (Window w :
             {Window::Form1, Window::Form2, Window::Form3, Window::Form4, Window::frmAbout})
            QVERIFY(f.program.isLoaded(w));
        f.program.widget(closed)->close();
        QVERIFY(f.ended);
        for (Window w :
             {Window::Form1, Window::Form2, Window::Form3, Window::Form4, Window::frmAbout})
            QVERIFY(!f.program.isLoaded(w));
        QCOMPARE(f.dialogs.problems(), QStringList());
    }
}

void TestCompanionWindows::dictionaryKeepsItsStateThroughHelpAndAlphabet() {
    ChartolaFixture f;
    f.write("LEXFWD_C.DAT", {{"casa", "baan", "s.f.", "-", "@", "$", "$"}});
    chartola::Form3& form = f.start();
    auto* combo = form.findChild<platform::EditableCombo*>(QStringLiteral("Combo1"));
    combo->setEditText(QStringLiteral("casa"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Down);
    const QString shown = form.findChild<QLineEdit*>(QStringLiteral("Text2"))->text();
    QCOMPARE(shown, QStringLiteral("baan"));

    form.findChild<QPushButton*>(QStringLiteral("Command4"))->click(); // Help
    QVERIFY(form.isHidden());
    chartola::Form4* notes = f.program.notes();
    QCOMPARE(notes->windowTitle(), QStringLiteral("Help"));
    QCOMPARE(chartola::notesText().size(), 1862);
    QVERIFY(chartola::notesText().startsWith(QString::fromUtf16(
        u"Questo programma è ancora in versione sperimentale, comunque è già funzionante.\r\n")));
    QCOMPARE(notes->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText(),
             QString(chartola::notesText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    notes->Command1_Click();
    QVERIFY(!form.isHidden());
    QVERIFY(notes->isHidden());
    QVERIFY(f.program.isLoaded(Window::Form4)); // hidden, still loaded

    openChart(f);
    f.program.chart().Command48_Click();
    QCOMPARE(&f.program.dictionary(), &form);
    QCOMPARE(combo->items(), QStringList{QStringLiteral("casa")});
    QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("Text2"))->text(), shown);
    QCOMPARE(f.dialogs.problems(), QStringList());
}

void TestCompanionWindows::aboutBoxReturnsToTheChart() {
    ChartolaFixture f;
    f.start();
    chartola::Form1& chart = openChart(f);
    chart.CommandN_Click(1);
    chartola::frmAbout& about = openAbout(f);
    QCOMPARE(about.windowTitle(), QStringLiteral("Informazioni su Chartola"));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("Versione 2.0 Beta Release 10/08/2000"));
    QVERIFY(about.findChild<QLabel*>(QStringLiteral("lblTitle"))
                ->text()
                .startsWith(QStringLiteral("Chartola")));
    QVERIFY(about.findChild<QLabel*>(QStringLiteral("lblDescription"))
                ->text()
                .startsWith(QStringLiteral("Descrizione applicazione :  questo programma")));
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QVERIFY(ok->isDefault());
    QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(),
             QStringLiteral("&System Info..."));
    ok->click();
    QVERIFY(!f.program.isLoaded(Window::frmAbout));
    QVERIFY(!chart.isHidden());
    QCOMPARE(chart.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(),
             QString::fromUtf16(u"ko-kài"));
    QCOMPARE(chart.soundPath(), QStringLiteral("C:\\THAI\\"));
    // Loaded anew the next time; Escape does what OK does.
    chartola::frmAbout& again = openAbout(f);
    QTest::keyClick(&again, Qt::Key_Escape);
    QVERIFY(!f.program.isLoaded(Window::frmAbout));
    QVERIFY(!f.ended);
    QCOMPARE(f.dialogs.problems(), QStringList()); // no second sound prompt
}

void TestCompanionWindows::getKeyValue() {
    ChartolaFixture f;
    f.start();
    openChart(f);
    chartola::frmAbout& about = openAbout(f);
    const std::string key = "SOFTWARE\\Test";
    f.registry.setValue(key, "withZero", platform::kRegSz,
                        std::string("C:\\TOOLS\\INFO.EXE\0", 18));
    f.registry.setValue(key, "withoutZero", platform::kRegSz, "C:\\TOOLS");
    f.registry.setValue(key, "number", platform::kRegDword, std::string("\x2A\x00\x00\x01", 4));
    f.registry.setValue(key, "binary", 3, "xyz");
    QString value = QStringLiteral("old");
    QVERIFY(about.GetKeyValue(platform::kHkeyLocalMachine, key, "withZero", value));
    QCOMPARE(value, QStringLiteral("C:\\TOOLS\\INFO.EXE"));
    QVERIFY(about.GetKeyValue(platform::kHkeyLocalMachine, key, "withoutZero", value));
    QCOMPARE(value, QStringLiteral("C:\\TOOLS"));
    value.clear();
    QVERIFY(about.GetKeyValue(platform::kHkeyLocalMachine, key, "number", value));
    QCOMPARE(value,
             QString::number(0x1002A)); // digits 1, 0, 0, 2A without leading zeros: "&h1002A"
    value = QStringLiteral("kept");
    QVERIFY(about.GetKeyValue(platform::kHkeyLocalMachine, key, "binary", value));
    QCOMPARE(value, QStringLiteral("kept")); // other types leave it as it was
    QVERIFY(!about.GetKeyValue(platform::kHkeyLocalMachine, key, "missing", value));
    QCOMPARE(value, QString());
    value = QStringLiteral("x");
    QVERIFY(!about.GetKeyValue(platform::kHkeyLocalMachine, "SOFTWARE\\Nowhere", "PATH", value));
    QCOMPARE(value, QString());
    QCOMPARE(f.registry.openKeys(), 0); // every key closed again
    QVERIFY(std::all_of(f.registry.accessAsked.begin(), f.registry.accessAsked.end(),
                        [](std::uint32_t a) { return a == 0x2003F; }));
}

void TestCompanionWindows::startSysInfo() {
    const std::string first = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    const std::string second = "SOFTWARE\\Microsoft\\Shared Tools Location";
    const QString unavailable =
        QStringLiteral("Le informazioni sul sistema non sono attualmente disponibili.");
    struct Case {
        const char* name;
        bool firstValue;
        bool secondValue;
        bool programThere;
        bool startSucceeds;
        QString started; // empty: the message is shown
    };
    const QList<Case> cases = {
        {"first value, started unchanged", true, true, false, true,
         QStringLiteral("D:\\nowhere\\info.exe")},
        {"second value with the program", false, true, true, true,
         QStringLiteral("C:\\MSINFO\\MSINFO32.EXE")},
        {"second value without it", false, true, false, true, {}},
        {"no value", false, false, false, true, {}},
        {"the program will not start", true, false, false, false, {}},
    };
    for (const Case& c : cases) {
        ChartolaFixture f;
        f.start();
        openChart(f);
        chartola::frmAbout& about = openAbout(f);
        if (c.firstValue)
            f.registry.setValue(first, "PATH", platform::kRegSz,
                                std::string("D:\\nowhere\\info.exe\0", 20));
        if (c.secondValue)
            f.registry.setValue(second, "MSINFO", platform::kRegSz, "C:\\MSINFO");
        if (c.programThere)
            f.launcher.existing.insert(QStringLiteral("C:\\MSINFO\\MSINFO32.EXE"));
        f.launcher.startSucceeds = c.startSucceeds;
        if (c.started.isEmpty())
            f.dialogs.expectMessage(unavailable);
        about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
        if (!c.started.isEmpty())
            QCOMPARE(f.launcher.started, QStringList{c.started});
        else
            QCOMPARE(f.dialogs.asked().last().title, QStringLiteral("Chartola"));
        QVERIFY2(f.dialogs.problems().isEmpty(), c.name);
        QVERIFY(f.program.isLoaded(Window::frmAbout)); // the box stays open
    }
}

QTEST_MAIN(TestCompanionWindows)
#include "test_companion_windows.moc"

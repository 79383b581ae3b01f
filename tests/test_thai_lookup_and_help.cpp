#include "console_fixture.h"

#include "platform/fonts.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using platform::Answer;

class TestThaiLookupAndHelp : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void reverseLookUpByPronunciation();
    void reverseListAndInitials();
    void helpPages();

private:
    static void lookUpThai(ConsoleFixture& f, const QString& word) {
        f.lookUpWith("Command3D11", word);
    }
};

void TestThaiLookupAndHelp::reverseLookUpByPronunciation() {
    ConsoleFixture f;
    f.writeRecords("LEXREV_B.DAT", {entry("bok", "dire"),
                                    entry("baan", "casa", "s.f.", "-", "\xBA\xE9\xD2\xB9"),
                                    {"baan", "-", "-", "*", "casa", "$", "$"}});
    f.start();
    f.dialogs().expectMessage(QStringLiteral("Wish insert another"), Answer::No);
    lookUpThai(f, QStringLiteral("baan"));
    const auto& pieces = f.form().console()->pieces();
    QCOMPARE(pieces[2].text, QStringLiteral("baan"));
    QCOMPARE(pieces[3].text, QStringLiteral(" (s.f.)"));
    QCOMPARE(pieces[4].text, QStringLiteral(" = "));
    QCOMPARE(pieces[5].text, QString::fromUtf16(u" บ้าน"));
    QCOMPARE(pieces[5].fontName, platform::kThaiFixedFont);
    QCOMPARE(pieces[6].text, QStringLiteral("  [ casa ]"));
    // A cross-reference record is printed like any other, its suggestion in the Thai font.
    const QStringList lines = f.consoleLines();
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[1].startsWith(QStringLiteral(" 2 > baan = ")));
    QVERIFY(lines[1].endsWith(QStringLiteral("  [ - ]  (*)")));
    QCOMPARE(f.dialogs().asked().last().title, QStringLiteral("Vocaboro Search Engime"));
    // The data-file label is hidden at the end; the focus is on the Thai-Italian button.
    QVERIFY(f.control<QWidget>("Label8")->isHidden());
    QCOMPARE(QApplication::focusWidget(), f.control<QWidget>("Command3D11"));
    QCOMPARE(f.form().lookupPronunciation(), QStringLiteral("baan"));
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestThaiLookupAndHelp::reverseListAndInitials() {
    ConsoleFixture f;
    std::vector<datafiles::DictionaryRecord> records;
    for (int i = 1; i <= 3; ++i)
        records.push_back(entry("b" + std::to_string(i), "it" + std::to_string(i)));
    f.writeRecords("LEXREV_B.DAT", records);
    f.start();
    f.dialogs().expectMessage(QStringLiteral("Continue List...?"), Answer::Yes);
    lookUpThai(f, QStringLiteral("b*"));
    QCOMPARE(f.dialogs().asked().last().title, QStringLiteral("THAI Vocable List : LEXREV_B.DAT"));
    QCOMPARE(f.consoleLines().size(), 5);
    // A capital or an accented initial selects no reverse file.
    for (const QString& word : {QStringLiteral("Baan"), QString::fromUtf16(u"àa")}) {
        lookUpThai(f, word);
        QVERIFY(f.consoleLines().isEmpty());
    }
    // "exit" ends the program from this direction too.
    lookUpThai(f, QStringLiteral("exit"));
    QVERIFY(f.ended());
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestThaiLookupAndHelp::helpPages() {
    ConsoleFixture f;
    f.writeRecords("LEXFWD_C.DAT", {entry("casa", "baan")});
    f.start();
    f.dialogs().expectMessage(QStringLiteral("Wish insert another"), Answer::No);
    f.lookUp(QStringLiteral("casa"));
    QVERIFY(!f.consoleLines().isEmpty());

    f.control<QPushButton>("Command3")->click();
    const QStringList page1 = f.consoleLines();
    QCOMPARE(page1.size(), 24);
    QCOMPARE(page1[0], QString());
    QVERIFY(page1[1].startsWith(QStringLiteral("        VOCABORO  DICTIONARY  ")));
    QCOMPARE(page1[4], QStringLiteral("   ") + QString(63, QLatin1Char('-')));
    QCOMPARE(page1[15],
             QStringLiteral("  a*   [ENTER]   for read list of all words with 'A' first letter.."));
    QCOMPARE(page1[19], QString(25, QLatin1Char(' ')));
    QCOMPARE(page1[20],
             QStringLiteral("  (#)  Sorry, this functions not Available... I working for "
                            "complete this programs... "));
    const auto& pieces = f.form().console()->pieces();
    // The title is emphasised in white at 12 points; the list lines are 11 points.
    QVERIFY(pieces[0].bold);
    QCOMPARE(pieces[0].color, platform::Palette::White);
    QCOMPARE(pieces[0].fontSize, 12.0);
    QVERIFY(!pieces[1].bold);
    QCOMPARE(pieces[1].color, platform::Palette::Yellow);
    QCOMPARE(pieces[3].color, platform::Palette::Yellow); // "This is a simply program..."
    QCOMPARE(pieces[3].fontSize, 11.0);
    QCOMPARE(pieces[4].color, platform::Palette::LightCyan);
    for (const char* shown : {"Picture2", "Label15", "Command1"})
        QVERIFY2(!f.control<QWidget>(shown)->isHidden(), shown);
    for (const char* hidden :
         {"Picture1", "Command3D10", "Command3", "Command4", "Command5", "Label8"})
        QVERIFY2(f.control<QWidget>(hidden)->isHidden(), hidden);

    f.control<QPushButton>("Command1")->click();
    const QStringList page2 = f.consoleLines();
    QCOMPARE(page2.size(), 18);
    QCOMPARE(page2[3], QString(32, QLatin1Char(' ')) + QStringLiteral("Internet URL :"));
    QCOMPARE(page2[10], QStringLiteral("   ") + QString(82, QLatin1Char('-')));
    QCOMPARE(page2[17],
             QStringLiteral("  CAUTION : for correct use Caps Lock ever in OFF position ! "));
    QCOMPARE(f.form().console()->pieces().last().color, platform::Palette::LightRed);
    QCOMPARE(QApplication::focusWidget(), f.control<QWidget>("Command2"));
    QVERIFY(f.control<QWidget>("Command1")->isHidden());

    // Enter on the focused "Next... >>" returns to the main screen.
    QTest::keyClick(f.control<QWidget>("Command2"), Qt::Key_Return);
    QVERIFY(f.consoleLines().isEmpty());
    for (const char* shown : {"Picture1", "Command3D1", "Command3D2", "Command3D10", "Command3D11",
                              "Command3D12", "Command3", "Command4", "Command5"})
        QVERIFY2(!f.control<QWidget>(shown)->isHidden(), shown);
    for (const char* hidden : {"Picture2", "Label15", "Command1", "Command2"})
        QVERIFY2(f.control<QWidget>(hidden)->isHidden(), hidden);
    // The focus leaves the hidden button for the first direction, where Enter works again.
    QCOMPARE(QApplication::focusWidget(), f.control<QWidget>("Command3D10"));
    QCOMPARE(f.dialogs().problems(), QStringList());
}

QTEST_MAIN(TestThaiLookupAndHelp)
#include "test_thai_lookup_and_help.moc"

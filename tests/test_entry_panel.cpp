#include "console_fixture.h"

#include "datafiles/file_io.h"
#include "datafiles/record_reader.h"
#include "datafiles/record_writer.h"
#include "platform/fonts.h"
#include "real_input.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

using platform::Answer;

namespace {

const QString kThaiHouse = QString::fromUtf16(u"บ้าน");
const char kThaiHouseBytes[] = "\xBA\xE9\xD2\xB9";

std::string readAll(const std::filesystem::path& p) {
    return datafiles::readWholeFile(p).bytes;
}

} // namespace

class TestEntryPanel : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void opensThreeWays();
    void enterWalksTheBoxesAndFillsMarkers();
    void checkMessagesInOrderOfPrecedence();
    void checkRefusesWhatTheFilesCannotHold();
    void writeAppendsBothFilesByteForByte();
    void editingAfterACheckAsksForAnotherCheck();
    void aboutAfterAWriteHidesThePanel();
    void boxesAreNamedForScreenReaders();
    void deleteAllNextEndAndAbort();
    void failedReverseAppendLeavesTheForwardFileAsItWas();
    void fileEndsAreRespected();
    void insertOffersOfBothLookUps();
    void theFocusGoesWhereThePersonGoesNext();

private:
    static void fill(ConsoleFixture& f, const QString& italian, const QString& pronunciation,
                     const QString& thai = {}) {
        f.control<QLineEdit>("Text1")->setText(italian);
        f.control<QLineEdit>("Text4")->setText(pronunciation);
        f.control<QLineEdit>("Text3")->setText(thai);
    }
    static QString error(ConsoleFixture& f) {
        auto* label = f.control<QLabel>("Label12");
        return label->isHidden() ? QString() : label->text();
    }
    static void check(ConsoleFixture& f) { f.control<QPushButton>("Command3D5")->click(); }
    static void write(ConsoleFixture& f) { f.control<QPushButton>("Command3D3")->click(); }
};

void TestEntryPanel::opensThreeWays() {
    ConsoleFixture f;
    f.start();
    f.control<QPushButton>("Command5")->click();
    for (const char* shown : {"Label1", "Label7", "Label9", "Label10", "Text1", "Text7",
                              "Command3D4", "Command3D5", "Command3D8", "Command3"})
        QVERIFY2(!f.control<QWidget>(shown)->isHidden(), shown);
    for (const char* hidden :
         {"Label11", "Label12", "Label13", "Command3D3", "Command3D6", "Command3D7", "Command3D10",
          "Command3D11", "Command5", "Label8", "Command3D12", "Text8"})
        QVERIFY2(f.control<QWidget>(hidden)->isHidden(), hidden);
    QCOMPARE(f.control<QLabel>("Label9")->text(), QStringLiteral("file DAT Italy"));
    QCOMPARE(QApplication::focusWidget(), f.control<QWidget>("Text1"));
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestEntryPanel::enterWalksTheBoxesAndFillsMarkers() {
    ConsoleFixture f;
    f.start();
    QVERIFY(real::activate(&f.form()));
    real::click(f.control<QPushButton>("Command5"));
    auto box = [&f](int n) {
        return f.control<QLineEdit>(qPrintable(QStringLiteral("Text%1").arg(n)));
    };
    QCOMPARE(real::focused(), box(1));
    // An empty Italian word keeps the focus and gets no marker.
    real::press(Qt::Key_Return);
    QCOMPARE(real::focused(), box(1));
    QCOMPARE(box(1)->text(), QString());
    real::type(QStringLiteral("casa"));
    real::press(Qt::Key_Return);
    QCOMPARE(real::focused(), box(2));
    QCOMPARE(box(1)->text(), QStringLiteral("casa"));
    real::press(Qt::Key_Return);
    QCOMPARE(box(2)->text(), QStringLiteral("-"));
    QCOMPARE(real::focused(), box(3));
    real::type(kThaiHouse);
    real::press(Qt::Key_Return);
    QCOMPARE(box(3)->text(), kThaiHouse);
    QCOMPARE(real::focused(), box(4));
    real::press(Qt::Key_Return);
    QCOMPARE(real::focused(), box(4)); // an empty pronunciation stays
    real::type(QStringLiteral("baan"));
    real::press(Qt::Key_Return);
    for (int n = 5; n <= 7; ++n) {
        QCOMPARE(real::focused(), box(n));
        real::press(Qt::Key_Return);
    }
    QCOMPARE(box(5)->text(), QStringLiteral("-"));
    QCOMPARE(box(6)->text(), QStringLiteral("$"));
    QCOMPARE(box(7)->text(), QStringLiteral("$"));
    QCOMPARE(real::focused(), f.control<QWidget>("Command3D5"));
    // Enter checks; the focus moves to the write button, so the next Enter writes.
    real::press(Qt::Key_Return);
    QVERIFY(!f.control<QWidget>("Command3D3")->isHidden());
    QCOMPARE(real::focused(), f.control<QWidget>("Command3D3"));
    QVERIFY(!std::filesystem::exists(f.file("LEXFWD_C.DAT")));
    real::press(Qt::Key_Return);
    QCOMPARE(readAll(f.file("LEXFWD_C.DAT")), std::string("\"casa\",\"baan\",\"-\",\"-\",\"") +
                                                  kThaiHouseBytes + "\",\"$\",\"$\"\r\n");
    QVERIFY(std::filesystem::exists(f.file("LEXREV_B.DAT")));
    QVERIFY(!f.control<QWidget>("Label11")->isHidden());
    // Space writes as well: Next, the same entry again, check with Space, write with Space.
    real::click(f.control<QPushButton>("Command3D7"));
    real::click(box(1));
    real::type(QStringLiteral("casa"));
    real::click(box(4));
    real::type(QStringLiteral("baan"));
    f.control<QWidget>("Command3D5")->setFocus(Qt::TabFocusReason);
    real::press(Qt::Key_Space);
    QCOMPARE(real::focused(), f.control<QWidget>("Command3D3"));
    real::press(Qt::Key_Space);
    QCOMPARE(datafiles::readAllRecords(readAll(f.file("LEXREV_B.DAT"))).records.size(),
             std::size_t(2));
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestEntryPanel::checkMessagesInOrderOfPrecedence() {
    ConsoleFixture f;
    f.start();
    f.control<QPushButton>("Command5")->click();
    struct Case {
        QString italian, pronunciation, message;
    };
    const QList<Case> cases = {
        {"", "", "missing Italy word"},
        {"Casa", "", "missing Thai pronunciation"},
        {"Casa", "baan", "Error word Italy"},
        {QString::fromUtf16(u"èra"), "pen", "Error word Italy"},
        {QString::fromUtf16(u"ùno"), "nueng", "Error word Italy"},
        {" casa", "baan", "Error word Italy"},
        {"casa", "Baan", "Error word Thai"},
        {"casa", "1baan", "Error word Thai"},
        {"casa", QString::fromUtf16(u"àan"), "Error word Thai"},
        {"Casa", "Baan", "Error word Italy"},
    };
    for (const Case& c : cases) {
        fill(f, c.italian, c.pronunciation);
        check(f);
        QCOMPARE(error(f), c.message);
        QCOMPARE(f.form().checkPassed(), 0);
        QVERIFY(f.control<QWidget>("Command3D3")->isHidden());
        QCOMPARE(f.control<QLineEdit>("Text1")->text(), c.italian); // kept for correction
    }
    // "à" is a forward initial; a pass fills the markers and shows the write button.
    fill(f, QString::fromUtf16(u"àncora"), "samoo");
    check(f);
    QCOMPARE(error(f), QString());
    QCOMPARE(f.form().forwardFile(), QStringLiteral("LEXFWD_A.DAT"));
    QCOMPARE(f.control<QLabel>("Label9")->text(), QStringLiteral("File Italy : LEXFWD_A.DAT"));
    QCOMPARE(f.control<QLabel>("Label10")->text(), QStringLiteral("File Thai : LEXREV_S.DAT"));
    // The file labels keep the panel's font; they grow to their text instead.
    for (const char* name : {"Label9", "Label10"}) {
        const QFont font = f.control<QLabel>(name)->font();
        QCOMPARE(font.family(), platform::kSerifFont);
        QCOMPARE(font.pointSizeF(), 9.75);
    }
    for (auto [box, marker] :
         {std::pair{"Text2", "-"}, {"Text3", "@"}, {"Text5", "-"}, {"Text6", "$"}, {"Text7", "$"}})
        QCOMPARE(f.control<QLineEdit>(box)->text(), QLatin1String(marker));
    QCOMPARE(f.control<QPushButton>("Command3D3")->text(), QStringLiteral("Write in the files!"));
    // A failing check after a pass hides the write button again.
    f.control<QLineEdit>("Text1")->setText(QStringLiteral("Ancora"));
    check(f);
    QCOMPARE(error(f), QStringLiteral("Error word Italy"));
    QVERIFY(f.control<QWidget>("Command3D3")->isHidden());
    // Typing in the Italian word or the pronunciation hides the error; other boxes do not.
    f.control<QLineEdit>("Text2")->setText(QStringLiteral("x"));
    QCOMPARE(error(f), QStringLiteral("Error word Italy"));
    f.control<QLineEdit>("Text4")->setText(QStringLiteral("samooo"));
    QCOMPARE(error(f), QString());
}

void TestEntryPanel::checkRefusesWhatTheFilesCannotHold() {
    ConsoleFixture f;
    f.start();
    f.control<QPushButton>("Command5")->click();
    struct Case {
        const char* box;
        QString text;
        QString message;
    };
    const QList<Case> cases = {
        {"Text1", "ca\"sa", "Italy Word: no \" allowed"},
        {"Text2", "s.\"f.", "attribute: no \" allowed"},
        {"Text5", "riga\nseconda", "notes: no line breaks"},
        {"Text3", "casa", ""}, // ASCII is part of TIS-620
        {"Text3", QString::fromUtf16(u"perché"), "THAI: Thai script or unaccented letters only"},
        {"Text5", QString::fromUtf16(u"บ้าน"), "notes: letter not allowed"},
        {"Text6", QString::fromUtf16(u"\U0001F600.wav"), "file waw Thai: letter not allowed"},
        {"Text4", QString::fromUtf16(u"baan\u0101"), "pronunciation: letter not allowed"},
    };
    for (const Case& c : cases) {
        f.control<QPushButton>("Command3D4")->click();
        fill(f, "casa", "baan");
        f.control<QLineEdit>(c.box)->setText(c.text);
        check(f);
        QCOMPARE(error(f), c.message);
        QCOMPARE(f.control<QLineEdit>(c.box)->text(), c.text);
    }
    QVERIFY(!std::filesystem::exists(f.file("LEXFWD_C.DAT")));
}

void TestEntryPanel::writeAppendsBothFilesByteForByte() {
    ConsoleFixture f;
    f.start();
    f.control<QPushButton>("Command5")->click();
    fill(f, "casa", "baan", kThaiHouse);
    check(f);
    write(f);
    const std::string forward = readAll(f.file("LEXFWD_C.DAT"));
    const std::string reverse = readAll(f.file("LEXREV_B.DAT"));
    QCOMPARE(forward, std::string("\"casa\",\"baan\",\"-\",\"-\",\"") + kThaiHouseBytes +
                          "\",\"$\",\"$\"\r\n");
    QCOMPARE(reverse, std::string("\"baan\",\"casa\",\"-\",\"-\",\"") + kThaiHouseBytes +
                          "\",\"$\",\"$\"\r\n");
    QCOMPARE(f.control<QLabel>("Label11")->text(),
             QStringLiteral("LEXFWD_C.DAT:casabaan--") + kThaiHouse + QStringLiteral("$$"));
    QCOMPARE(f.control<QLabel>("Label13")->text(),
             QStringLiteral("LEXREV_B.DAT:baancasa--") + kThaiHouse + QStringLiteral("$$"));
    // Written: the check, the write and Abort are hidden; End and Next are shown.
    for (const char* hidden : {"Command3D5", "Command3D3", "Command3D8"})
        QVERIFY2(f.control<QWidget>(hidden)->isHidden(), hidden);
    for (const char* shown : {"Command3D6", "Command3D7", "Label11", "Label13"})
        QVERIFY2(!f.control<QWidget>(shown)->isHidden(), shown);

    // A second entry with a comma and a value of blanks is read back whole.
    f.control<QPushButton>("Command3D7")->click();
    fill(f, "casa", "baan");
    f.control<QLineEdit>("Text2")->setText(QStringLiteral("casa, villa"));
    f.control<QLineEdit>("Text5")->setText(QStringLiteral("   "));
    check(f);
    write(f);
    const auto read = datafiles::readAllRecords(readAll(f.file("LEXFWD_C.DAT")));
    QCOMPARE(read.records.size(), std::size_t(2));
    QCOMPARE(read.records[1].attribute, std::string("casa, villa"));
    QCOMPARE(read.records[1].note, std::string("   "));

    // The look-ups find the new entry at once.
    f.control<QPushButton>("Command3D6")->click();
    f.dialogs().expectMessage(QStringLiteral("Wish insert another"), Answer::No);
    f.lookUp(QStringLiteral("casa"));
    QCOMPARE(f.consoleLines().size(), 2);
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestEntryPanel::editingAfterACheckAsksForAnotherCheck() {
    ConsoleFixture f;
    f.start();
    QVERIFY(real::activate(&f.form()));
    real::click(f.control<QPushButton>("Command5"));
    auto* write = f.control<QWidget>("Command3D3");
    // Editing any of the seven boxes after a passing check takes the write button away.
    for (int n = 1; n <= 7; ++n) {
        fill(f, "cane", "maa");
        check(f);
        QVERIFY(!write->isHidden());
        auto* edited = f.control<QLineEdit>(qPrintable(QStringLiteral("Text%1").arg(n)));
        real::click(edited);
        real::press(Qt::Key_End);
        real::type(QStringLiteral("x"));
        QVERIFY2(write->isHidden(), qPrintable(edited->objectName()));
    }
    // The user corrects "àncora" to "èra" after the check: the write button is gone, and what
    // is written comes from a new check only.
    fill(f, QString::fromUtf16(u"àncora"), "samoo");
    check(f);
    real::click(f.control<QLineEdit>("Text1"));
    real::press(Qt::Key_A, Qt::ControlModifier);
    real::type(QString::fromUtf16(u"èra"));
    QVERIFY(write->isHidden());
    check(f); // "è" has no file: the check refuses it
    QCOMPARE(error(f), QStringLiteral("Error word Italy"));
    QVERIFY(write->isHidden());
    // Text set by the check itself (the markers) does not count as an edit.
    f.control<QPushButton>("Command3D4")->click();
    fill(f, "cane", "maa");
    check(f);
    QCOMPARE(f.control<QLineEdit>("Text2")->text(), QStringLiteral("-"));
    QVERIFY(!write->isHidden());
    // The write stores the values kept by the check, whatever the boxes hold now.
    f.control<QLineEdit>("Text1")->setText(QStringLiteral("gatto"));
    f.form().Command3D3_Click();
    QVERIFY(readAll(f.file("LEXFWD_C.DAT")).rfind("\"cane\",\"maa\"", 0) == 0);
    QVERIFY(!std::filesystem::exists(f.file("LEXFWD_G.DAT")));
    QVERIFY(!std::filesystem::exists(f.file("LEXFWD_A.DAT")));
}

void TestEntryPanel::aboutAfterAWriteHidesThePanel() {
    ConsoleFixture f;
    f.start();
    f.control<QPushButton>("Command5")->click();
    fill(f, "casa", "baan");
    check(f);
    write(f);
    f.control<QPushButton>("Command3")->click(); // About
    for (QWidget* w : f.form().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QString name = w->objectName();
        const bool panel =
            name.startsWith(QLatin1String("Command3D")) && name != QLatin1String("Command3D10") &&
            name != QLatin1String("Command3D11") && name != QLatin1String("Command3D12");
        const bool panelText =
            name.startsWith(QLatin1String("Text")) && name != QLatin1String("Text8");
        if (panel || panelText ||
            (name.startsWith(QLatin1String("Label")) && name != QLatin1String("Label15")))
            QVERIFY2(w->isHidden(), qPrintable(name));
    }
    // Back on the main screen there is one "End" only.
    f.control<QPushButton>("Command1")->click();
    f.control<QPushButton>("Command2")->click();
    QVERIFY(f.control<QWidget>("Command3D6")->isHidden());
    QVERIFY(f.control<QWidget>("Command3D7")->isHidden());
    QVERIFY(!f.control<QWidget>("Command4")->isHidden());
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestEntryPanel::boxesAreNamedForScreenReaders() {
    ConsoleFixture f;
    f.start();
    f.control<QPushButton>("Command5")->click();
    const QStringList names = {"Italy Word", "attribute",     "THAI",          "pronunciation",
                               "notes",      "file waw Thai", "file wav Italy"};
    for (int n = 1; n <= 7; ++n) {
        auto* box = f.control<QLineEdit>(qPrintable(QStringLiteral("Text%1").arg(n)));
        QCOMPARE(box->accessibleName(), names[n - 1]);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
        QCOMPARE(accessible->text(QAccessible::Name), names[n - 1]);
    }
    f.control<QPushButton>("Command3D8")->click();
    const std::pair<const char*, QString> directions[] = {
        {"Command3D10", "Italian word to look up"},
        {"Command3D11", "Thai word in Latin letters to look up"}};
    for (const auto& [button, name] : directions) {
        f.control<QPushButton>(button)->click();
        QCOMPARE(f.control<QLineEdit>("Text8")->accessibleName(), name);
    }
}

void TestEntryPanel::deleteAllNextEndAndAbort() {
    ConsoleFixture f;
    f.start();
    f.control<QPushButton>("Command5")->click();
    fill(f, "casa", "baan");
    check(f);
    f.control<QPushButton>("Command3D4")->click();
    QVERIFY(f.control<QWidget>("Command3D3")->isHidden());
    QCOMPARE(f.control<QLineEdit>("Text1")->text(), QString());
    QCOMPARE(f.control<QLabel>("Label9")->text(), QString());
    QCOMPARE(QApplication::focusWidget(), f.control<QWidget>("Text1"));
    // Abort leaves the data-file label hidden; End shows it.
    f.control<QPushButton>("Command3D8")->click();
    QVERIFY(f.control<QWidget>("Text1")->isHidden());
    QVERIFY(f.control<QWidget>("Label8")->isHidden());
    for (const char* shown :
         {"Command3D10", "Command3D11", "Command3D12", "Command3", "Command4", "Command5"})
        QVERIFY2(!f.control<QWidget>(shown)->isHidden(), shown);
    f.control<QPushButton>("Command5")->click();
    fill(f, "casa", "baan");
    check(f);
    write(f);
    f.control<QPushButton>("Command3D6")->click();
    QVERIFY(!f.control<QWidget>("Label8")->isHidden());
    QVERIFY(f.control<QWidget>("Label11")->isHidden());
}

void TestEntryPanel::failedReverseAppendLeavesTheForwardFileAsItWas() {
    ConsoleFixture f;
    const std::string before = datafiles::formatRecordLine(entry("cane", "maa"));
    f.writeBytes("LEXFWD_C.DAT", before);
    std::filesystem::create_directory(f.file("LEXREV_B.DAT")); // fails even for root
    f.start();
    f.control<QPushButton>("Command5")->click();
    fill(f, "casa", "baan");
    check(f);
    f.dialogs().expectMessage(QStringLiteral("LEXREV_B.DAT\" could not be written"));
    write(f);
    QVERIFY(f.dialogs().asked().last().text.contains(QStringLiteral("Nothing was stored")));
    QCOMPARE(readAll(f.file("LEXFWD_C.DAT")), before);
    // Still ready to write: nothing is shown as written.
    QVERIFY(!f.control<QWidget>("Command3D3")->isHidden());
    QVERIFY(f.control<QWidget>("Label11")->isHidden());
    QVERIFY(!f.control<QWidget>("Command3D8")->isHidden());
    // Once the folder is out of the way, the same entry can be written.
    std::filesystem::remove(f.file("LEXREV_B.DAT"));
    write(f);
    QCOMPARE(readAll(f.file("LEXFWD_C.DAT")),
             before + datafiles::formatRecordLine(entry("casa", "baan")));
    QVERIFY(std::filesystem::exists(f.file("LEXREV_B.DAT")));
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestEntryPanel::fileEndsAreRespected() {
    ConsoleFixture f;
    // A whole record without its line end gets one before the new record.
    const std::string whole = "\"cane\",\"maa\",\"-\",\"-\",\"@\",\"$\",\"$\"";
    f.writeBytes("LEXFWD_C.DAT", whole);
    // A fragment, as after a crash: nothing is written anywhere.
    const std::string fragment =
        datafiles::formatRecordLine(entry("baan", "casa")) + "\"bok\",\"dir";
    f.writeBytes("LEXREV_B.DAT", fragment);
    f.start();
    f.control<QPushButton>("Command5")->click();
    fill(f, "casa", "baan");
    check(f);
    f.dialogs().expectMessage(QStringLiteral("incomplete record on line 2"));
    write(f);
    QCOMPARE(readAll(f.file("LEXFWD_C.DAT")), whole);
    QCOMPARE(readAll(f.file("LEXREV_B.DAT")), fragment);
    f.writeBytes("LEXREV_B.DAT", "");
    write(f);
    QCOMPARE(readAll(f.file("LEXFWD_C.DAT")),
             whole + "\r\n" + datafiles::formatRecordLine(entry("casa", "baan")));
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestEntryPanel::insertOffersOfBothLookUps() {
    ConsoleFixture f;
    f.writeRecords("LEXREV_B.DAT", {entry("baan", "casa", "s.f.", "-", kThaiHouseBytes)});
    f.writeRecords("LEXFWD_G.DAT", {});
    f.start();
    // Italian-Thai: Yes opens the panel with the word, the focus in the attribute box.
    f.dialogs().expectMessage(QStringLiteral("Not Found !"), Answer::Yes);
    f.lookUp(QStringLiteral("gatto"));
    QCOMPARE(f.control<QLineEdit>("Text1")->text(), QStringLiteral("gatto"));
    QCOMPARE(f.form().answerCode(), 6);
    QCOMPARE(f.form().reply(), QStringLiteral("y"));
    QCOMPARE(QApplication::focusWidget(), f.control<QWidget>("Text2"));
    QVERIFY(f.control<QWidget>("Command3")->isHidden());
    QVERIFY(f.control<QWidget>("Text8")->isHidden());
    f.control<QPushButton>("Command3D8")->click();

    // Thai-Italian: the match line, then Yes opens the panel with the pronunciation.
    f.control<QPushButton>("Command3D11")->click();
    f.control<QLineEdit>("Text8")->setText(QStringLiteral("baan"));
    f.dialogs().expectMessage(QStringLiteral("Wish insert another"), Answer::Yes);
    QTest::keyClick(f.control<QLineEdit>("Text8"), Qt::Key_Return);
    QCOMPARE(f.consoleLines().size(), 0); // the panel clears the console
    QCOMPARE(f.control<QLineEdit>("Text4")->text(), QStringLiteral("baan"));
    QCOMPARE(f.control<QLineEdit>("Text1")->text(), QString());
    QCOMPARE(QApplication::focusWidget(), f.control<QWidget>("Text1"));
    QVERIFY(f.control<QWidget>("Label8")->isHidden());
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestEntryPanel::theFocusGoesWhereThePersonGoesNext() {
    ConsoleFixture f;
    f.start();
    QVERIFY(real::activate(&f.form()));
    real::click(f.control<QPushButton>("Command5"));
    // Tab and Shift+Tab go round the panel's own controls, never to the console's beside it.
    auto* panel = f.control<QWidget>("entryPanel");
    for (const Qt::KeyboardModifiers back : {Qt::NoModifier, Qt::ShiftModifier})
        for (int step = 0; step < 24; ++step) {
            real::press(Qt::Key_Tab, back);
            QVERIFY2(panel->isAncestorOf(real::focused()),
                     qPrintable(real::focused()->objectName()));
        }
    // Each action leaves the focus where the next key belongs; the keys alone write twice.
    f.control<QWidget>("Text1")->setFocus(Qt::TabFocusReason);
    const struct {
        std::function<void()> act;
        const char* focus;
    } steps[] = {
        {[] { real::type(QStringLiteral("gatto")); }, "Text1"},
        {[] { real::press(Qt::Key_Tab, Qt::ShiftModifier); }, "Command3D8"},
        {[] { real::press(Qt::Key_Tab); }, "Text1"},
        {[&f] {
             f.control<QWidget>("Text4")->setFocus(Qt::TabFocusReason);
             real::type(QStringLiteral("maeu"));
             f.control<QWidget>("Command3D5")->setFocus(Qt::TabFocusReason);
             real::press(Qt::Key_Return); // the check
         },
         "Command3D3"},
        {[] { real::press(Qt::Key_Return); }, "Command3D7"}, // the write: "Next..." is next
        {[] { real::press(Qt::Key_Return); }, "Text1"},      // "Next...": the next word
        {[] { real::type(QStringLiteral("cane")); }, "Text1"},
        {[&f] { real::click(f.control<QPushButton>("Command3D4")); }, "Text1"}, // delete all
    };
    for (const auto& s : steps) {
        s.act();
        QCOMPARE(real::focused()->objectName(), QLatin1String(s.focus));
    }
    // Nothing but what was typed reached the files.
    QCOMPARE(readAll(f.file("LEXFWD_G.DAT")),
             datafiles::formatRecordLine(entry("gatto", "maeu", "-", "-", "@")));
    for (int n = 1; n <= 7; ++n)
        QCOMPARE(f.control<QLineEdit>(qPrintable(QStringLiteral("Text%1").arg(n)))->text(),
                 QString());
    QCOMPARE(f.dialogs().problems(), QStringList());
}

QTEST_MAIN(TestEntryPanel)
#include "test_entry_panel.moc"

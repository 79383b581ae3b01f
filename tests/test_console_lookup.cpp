#include "console_fixture.h"
#include "platform/qt_dialogs.h"
#include "real_input.h"

#include "platform/fonts.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

using platform::Answer;
using platform::AskedQuestion;
using platform::DefaultButton;
using platform::Icon;
using platform::PrintedPiece;

using platform::Palette;

namespace {

const char kThaiHouse[] = "\xBA\xE9\xD2\xB9"; // บ้าน
const QString kAnother = QStringLiteral("Wish insert another translate of this word ? (y/n)");
const QString kNotFound = QStringLiteral("Not Found !");

struct Expected {
    QString text;
    QString font;
    double size;
    Palette color;
};

void comparePieces(const QList<PrintedPiece>& pieces, const QList<Expected>& expected) {
    QCOMPARE(pieces.size(), expected.size());
    for (int i = 0; i < pieces.size(); ++i) {
        const QString where = QStringLiteral("piece %1 (%2)").arg(i).arg(pieces[i].text);
        QVERIFY2(pieces[i].text == expected[i].text, qPrintable(where));
        QVERIFY2(pieces[i].fontName == expected[i].font, qPrintable(where));
        QVERIFY2(pieces[i].fontSize == expected[i].size, qPrintable(where));
        QVERIFY2(pieces[i].color == expected[i].color, qPrintable(where));
    }
}

// Printed pieces that the user cannot read: under a control shown on the window, or beside
// the console's area (above and below it, scrolling brings them back). Blanks show nothing.
QStringList hiddenPieces(ConsoleFixture& f) {
    platform::ConsoleSurface* console = f.form().console();
    QList<QWidget*> controls;
    for (QWidget* w : f.form().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w == console || !w->isVisible())
            continue;
        // The entry panel and the help page hold controls; the controls are what covers text.
        const bool holder = w->objectName() == QLatin1String("entryPanel") ||
                            w->objectName() == QLatin1String("helpPage");
        for (QWidget* control :
             holder ? w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly) : QList<QWidget*>{w})
            if (control->isVisible())
                controls.append(control);
    }
    if (console->scrollBar()->isVisible())
        controls.append(console->scrollBar());
    QStringList hidden;
    for (const PrintedPiece& piece : console->pieces()) {
        QString ink = piece.text;
        while (ink.endsWith(QLatin1Char(' ')))
            ink.chop(1);
        if (ink.trimmed().isEmpty())
            continue;
        QFont font(piece.fontName);
        font.setPointSizeF(piece.fontSize);
        QRectF area = console->area(piece);
        area.setWidth(QFontMetricsF(font).horizontalAdvance(ink));
        const QRectF onWindow = area.translated(console->mapTo(&f.form(), QPoint()));
        for (QWidget* control : controls) {
            const QRect where(control->mapTo(&f.form(), QPoint()), control->size());
            if (onWindow.intersects(where))
                hidden.append(piece.text + QStringLiteral(" under ") + control->objectName());
        }
        if (area.left() < 0 || area.right() > console->width())
            hidden.append(piece.text + QStringLiteral(" beside the console"));
    }
    return hidden;
}

} // namespace

class TestConsoleLookup : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void startUpAsksForTheFolder();
    void matchLineHasItsPiecesColoursAndFonts();
    void threeMatchesAreNumberedThenOfferAnotherTranslation();
    void notFoundAsksWithTheStopIcon();
    void initialsChooseTheFile();
    void crossReferenceAsksAndRedirectsIntoTheSameFile();
    void listModeShowsPagesOfTwenty();
    void exitAndHashAreCommands();
    void unreadableFilesAreReportedAndTheProgramGoesOn();
    void thaiScriptDirectionShowsItsBox();
    void dataFileLabelNamesOnlyTheFileBeingOpened();
    void answersStayClearOfTheControlsInBothDirections();
    void manyAnswersScrollSoThatEveryLineCanBeRead();
    void everyBoxOfALongExchangeStandsOnTheConsole();
};

void TestConsoleLookup::startUpAsksForTheFolder() {
    {
        ConsoleFixture f;
        vocaboro::Form1& form = f.start(QString()); // Cancel
        QCOMPARE(form.datapath(), QStringLiteral("c:\\thai\\"));
        const AskedQuestion& q = f.dialogs().asked().front();
        QCOMPARE(q.title, QStringLiteral("Configure VOCABORO Dictionary"));
        QCOMPARE(q.proposed, QStringLiteral("C:\\THAI\\"));
        QCOMPARE(q.xTwips, 3000);
        QCOMPARE(q.yTwips, 2000);
        // The main screen with a blank console.
        QVERIFY(form.console()->pieces().isEmpty());
        for (const char* shown : {"Command3D10", "Command3D11", "Command3", "Command4", "Command5"})
            QVERIFY2(!f.control<QWidget>(shown)->isHidden(), shown);
        for (const char* hidden : {"Label14", "Text8", "Command3d9", "Label8", "Text1", "Command1",
                                   "Command2", "Picture2"})
            QVERIFY2(f.control<QWidget>(hidden)->isHidden(), hidden);
        QVERIFY(f.dialogs().problems().isEmpty());
    }
    {
        // "C:\THAI" without a final backslash, where there is no such folder, names a file
        // C:\THAILEXFWD_C.DAT.
        ConsoleFixture f;
        f.start(QStringLiteral("C:\\THAI"));
        f.dialogs().expectMessage(QStringLiteral("\"C:\\THAILEXFWD_C.DAT\""));
        f.lookUp(QStringLiteral("casa"));
        QCOMPARE(f.dialogs().problems(), QStringList());
        QVERIFY(!f.ended());
    }
    // A folder that exists, typed without its final separator, gets one in the form it was
    // typed, and a word typed with the keys is found in it.
    const QByteArray savedHome = qgetenv("HOME");
    for (const QString& typed : {QStringLiteral("C:\\THAI"), QStringLiteral("~/thai"), QString()}) {
        ConsoleFixture f;
        const bool drive = typed.startsWith(QLatin1String("C:"));
        const QString folder = drive ? QStringLiteral("drive_c/THAI/") : QStringLiteral("thai/");
        QDir(f.folder()).mkpath(folder);
        f.writeRecords(folder + QStringLiteral("LEXFWD_C.DAT"), {entry("casa", "baan", "s.f.")});
        qputenv("HOME", f.folder().toUtf8());
        const QString answer = typed.isEmpty() ? f.folder() + QStringLiteral("thai") : typed;
        f.start(answer);
        QCOMPARE(f.form().datapath(), answer + QLatin1Char(drive ? '\\' : '/'));
        f.dialogs().expectMessage(kAnother, Answer::No);
        f.lookUp(QStringLiteral("casa"));
        QCOMPARE(f.consoleLines(), QStringList{QStringLiteral(" 1 > casa (s.f.) =   [ baan ]")});
        QCOMPARE(f.dialogs().problems(), QStringList());
    }
    qputenv("HOME", savedHome);
}

void TestConsoleLookup::matchLineHasItsPiecesColoursAndFonts() {
    ConsoleFixture f;
    f.writeRecords("LEXFWD_C.DAT", {entry("cane", "maa", "s.m.", "-", "\xCB\xC1\xD2"),
                                    entry("casa", "baan", "s.f.", "abitazione", kThaiHouse)});
    f.start();
    f.dialogs().expectMessage(kAnother, Answer::No);
    f.lookUp(QStringLiteral("casa"));
    const QString serif = platform::kSerifFont;
    comparePieces(f.form().console()->pieces(),
                  {{" 1 ", serif, 12, Palette::LightGreen},
                   {"> ", serif, 12, Palette::LightGreen},
                   {"casa", serif, 12, Palette::White},
                   {" (s.f.)", serif, 12, Palette::Yellow},
                   {" = ", serif, 12, Palette::DarkGrey},
                   {QString::fromUtf16(u" บ้าน"), platform::kThaiFixedFont, 30, Palette::White},
                   {"  [ baan ]", serif, 12, Palette::LightMagenta},
                   {"  (abitazione)", serif, 12, Palette::LightGrey}});
    QCOMPARE(f.consoleLines().size(), 1);
    const AskedQuestion& q = f.dialogs().asked().last();
    QCOMPARE(q.title, QStringLiteral("Vocaboro Search Engime"));
    QCOMPARE(q.style.icon, Icon::Question);
    QCOMPARE(q.style.defaultButton, DefaultButton::Second);
    // After the look-up: the data file label stays, the input is hidden, the focus is back.
    auto* label8 = f.control<QLabel>("Label8");
    QVERIFY(!label8->isHidden());
    QCOMPARE(label8->text(), QStringLiteral("Datafile : LEXFWD_C.DAT"));
    QVERIFY(f.control<QWidget>("Text8")->isHidden());
    QVERIFY(f.control<QWidget>("Label14")->isHidden());
    QCOMPARE(QApplication::focusWidget(), f.control<QWidget>("Command3D10"));
    QCOMPARE(f.form().reply(), QStringLiteral("n"));
    QCOMPARE(f.dialogs().problems(), QStringList());

    // No attribute, no Thai, no note: the number, the word, " = ", the counterpart.
    ConsoleFixture g;
    g.writeRecords("LEXFWD_A.DAT", {entry("acqua", "naam")});
    g.start();
    g.dialogs().expectMessage(kAnother, Answer::No);
    g.lookUp(QStringLiteral("acqua"));
    QCOMPARE(g.consoleLines(), QStringList{QStringLiteral(" 1 > acqua =   [ naam ]")});
    // The Thai font is set for the left-out Thai piece, so the counterpart is printed after
    // the font is switched back.
    QCOMPARE(g.form().console()->pieces().last().fontName, platform::kSerifFont);
}

void TestConsoleLookup::threeMatchesAreNumberedThenOfferAnotherTranslation() {
    ConsoleFixture f;
    f.writeRecords("LEXFWD_C.DAT", {entry("casa", "baan"), entry("cane", "maa"),
                                    entry("casa", "ruean", "s.f.", "formale"),
                                    entry("casa", "thii yuu"), entry("cena", "aahaan yen")});
    f.start();
    f.dialogs().expectMessage(kAnother, Answer::No);
    f.lookUp(QStringLiteral("casa"));
    const QStringList lines = f.consoleLines();
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].startsWith(QStringLiteral(" 1 > casa")));
    QVERIFY(lines[1].startsWith(QStringLiteral(" 2 > casa (s.f.)")));
    QVERIFY(lines[2].startsWith(QStringLiteral(" 3 > casa")));
    QVERIFY(lines[2].contains(QStringLiteral("[ thii yuu ]")));
    QCOMPARE(f.form().matchCount(), 3);
    QCOMPARE(f.form().answerCode(), 7);
    QCOMPARE(f.form().reply(), QStringLiteral("n"));
    QCOMPARE(f.form().lookupWord(), QStringLiteral("casa"));
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestConsoleLookup::notFoundAsksWithTheStopIcon() {
    ConsoleFixture f;
    f.writeRecords("LEXFWD_C.DAT", {entry("cane", "maa")});
    f.start();
    f.dialogs().expectMessage(kNotFound, Answer::No);
    f.lookUp(QStringLiteral("casa"));
    const AskedQuestion& q = f.dialogs().asked().last();
    QCOMPARE(q.text,
             QStringLiteral("Not Found ! This Word don't exist in memory-files. Wish insert "
                            "this new word ? (y/n)"));
    QCOMPARE(q.style.icon, Icon::Stop);
    QCOMPARE(q.style.defaultButton, DefaultButton::Second);
    QCOMPARE(f.form().lookupFile(), QString());
    QVERIFY(f.control<QWidget>("Label8")->isHidden());
    QVERIFY(f.consoleLines().isEmpty());

    // An empty file, and a word with characters the files cannot hold, are not found either.
    f.writeRecords("LEXFWD_B.DAT", {});
    f.dialogs().expectMessage(kNotFound, Answer::No);
    f.lookUp(QStringLiteral("bello"));
    f.dialogs().expectMessage(kNotFound, Answer::No);
    f.lookUp(QString::fromUtf16(u"cane\U0001F600"));
    f.dialogs().expectMessage(kNotFound, Answer::No);
    f.lookUp(QString::fromUtf16(u"cก"));
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestConsoleLookup::initialsChooseTheFile() {
    ConsoleFixture f;
    f.writeRecords("LEXFWD_E.DAT", {entry("era", "pen"), entry("\xE8ra", "yuk")});
    f.writeRecords("LEXFWD_I.DAT", {entry("\xECndice", "dat chanii")});
    f.writeRecords("LEXFWD_C.DAT", {entry("casa", "baan")});
    f.start();
    for (const QString& word :
         {QStringLiteral("era"), QString::fromUtf16(u"èra"), QString::fromUtf16(u"ìndice")}) {
        f.dialogs().expectMessage(kAnother, Answer::No);
        f.lookUp(word);
        QCOMPARE(f.consoleLines().size(), 1);
        QVERIFY(f.consoleLines().first().contains(word));
    }
    QCOMPARE(f.form().lookupFile(), QStringLiteral("LEXFWD_I.DAT"));
    // A capital: no file, but the word of its small initial is offered; declined, nothing
    // is printed. A digit, a Thai letter, an emoji: no file, nothing printed, nothing asked.
    f.dialogs().expectMessage(QStringLiteral("Maybe you searching [ casa ]"), Answer::No);
    for (const QString& word : {QStringLiteral("Casa"), QStringLiteral("3casa"),
                                QString::fromUtf16(u"บ้าน"), QString::fromUtf16(u"\U0001F600")}) {
        f.lookUp(word);
        QVERIFY(f.consoleLines().isEmpty());
        QVERIFY(f.control<QWidget>("Label8")->isHidden());
    }
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestConsoleLookup::crossReferenceAsksAndRedirectsIntoTheSameFile() {
    const std::vector<datafiles::DictionaryRecord> words = {
        entry("perch\xE9", "tham mai", "avv.", "domanda"), pointer("perche", "perch\xE9"),
        entry("perch\xE9", "phro", "cong.")};
    {
        // One question; Yes scans the same file again for the suggestion.
        ConsoleFixture f;
        f.writeRecords("LEXFWD_P.DAT", words);
        f.start();
        f.dialogs().expectMessage(QString::fromUtf16(u"Maybe you searching [ perché ]  ? (y/n)"),
                                  Answer::Yes);
        f.dialogs().expectMessage(kAnother, Answer::No);
        f.lookUp(QStringLiteral("perche"));
        const AskedQuestion& q = f.dialogs().asked()[1];
        QCOMPARE(q.title, QStringLiteral("Vocaboro Intellisense"));
        QCOMPARE(q.style.icon, Icon::Question);
        QCOMPARE(q.style.defaultButton, DefaultButton::First);
        QCOMPARE(f.consoleLines().size(), 2);
        QVERIFY(f.consoleLines()[1].startsWith(QString::fromUtf16(u" 2 > perché (cong.)")));
        QCOMPARE(f.form().lookupWord(), QString::fromUtf16(u"perché"));
        QCOMPARE(f.dialogs().problems(), QStringList());
    }
    {
        // No to every suggestion ends the look-up without the not-found question.
        ConsoleFixture f;
        f.writeRecords("LEXFWD_P.DAT", {pointer("perche", "perch\xE9", "percio", "pero")});
        f.start();
        f.dialogs().expectMessage(QStringLiteral("[ perch"), Answer::No);
        f.dialogs().expectMessage(QStringLiteral("[ percio ]"), Answer::No);
        f.dialogs().expectMessage(QStringLiteral("[ pero ]"), Answer::No);
        f.lookUp(QStringLiteral("perche"));
        QVERIFY(f.consoleLines().isEmpty());
        QCOMPARE(f.dialogs().problems(), QStringList());
    }
    {
        // A suggestion with another initial is still searched in the typed word's file.
        ConsoleFixture f;
        f.writeRecords("LEXFWD_K.DAT", {pointer("kasa", "casa"), entry("casa", "in the k file")});
        f.writeRecords("LEXFWD_C.DAT", {entry("casa", "baan")});
        f.start();
        f.dialogs().expectMessage(QStringLiteral("[ casa ]"), Answer::Yes);
        f.dialogs().expectMessage(kAnother, Answer::No);
        f.lookUp(QStringLiteral("kasa"));
        QCOMPARE(f.consoleLines().size(), 1);
        QVERIFY(f.consoleLines()[0].contains(QStringLiteral("[ in the k file ]")));
        QCOMPARE(f.form().lookupFile(), QStringLiteral("LEXFWD_K.DAT"));
        QCOMPARE(f.dialogs().problems(), QStringList());
    }
}

void TestConsoleLookup::listModeShowsPagesOfTwenty() {
    ConsoleFixture f;
    std::vector<datafiles::DictionaryRecord> records;
    for (int i = 1; i <= 45; ++i) {
        records.push_back(entry("b" + std::to_string(i), "p" + std::to_string(i),
                                i == 3 ? "agg." : "-", i == 4 ? "nota" : "-"));
        if (i == 10)
            records.push_back(pointer("bx", "casa")); // takes no number
    }
    f.writeRecords("LEXFWD_B.DAT", records);
    f.start();
    for (int page = 0; page < 3; ++page)
        f.dialogs().expectMessage(QStringLiteral("Continue List...?"), Answer::Yes);
    f.lookUp(QStringLiteral("b*"));
    const AskedQuestion& q = f.dialogs().asked().last();
    QCOMPARE(q.title, QStringLiteral("ITALY Vocable List : LEXFWD_B.DAT"));
    QCOMPARE(q.style.defaultButton, DefaultButton::First);
    // The last page is on the console: the header, an empty line, entries 41 to 45.
    const QStringList lines = f.consoleLines();
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines[0], QStringLiteral(" --- List of all words of Data FILE : LEXFWD_B.DAT ---"));
    QCOMPARE(lines[1], QString());
    QCOMPARE(lines[2], QStringLiteral(" 41 > b41 = p41"));
    QCOMPARE(lines[6], QStringLiteral(" 45 > b45 = p45"));
    QCOMPARE(f.dialogs().problems(), QStringList());

    // No after the first page stops there; its entries keep their attribute and note.
    f.dialogs().expectMessage(QStringLiteral("Continue List...?"), Answer::No);
    f.lookUp(QStringLiteral("b*xyz"));
    const QStringList first = f.consoleLines();
    QCOMPARE(first.size(), 22);
    QCOMPARE(first[4], QStringLiteral(" 3 > b3 = p3 (agg.)"));
    QCOMPARE(first[5], QStringLiteral(" 4 > b4 = p4(nota)"));
    QCOMPARE(first[21], QStringLiteral(" 20 > b20 = p20"));
    QCOMPARE(f.dialogs().problems(), QStringList());

    // The one-letter word "b" is searched as a word: not found, the three nearest (one letter
    // added) are offered first.
    for (const char* near : {"b1", "b2", "b3"})
        f.dialogs().expectMessage(
            QStringLiteral("Maybe you searching [ %1 ]").arg(QLatin1String(near)), Answer::No);
    f.dialogs().expectMessage(kNotFound, Answer::No);
    f.lookUp(QStringLiteral("b"));
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestConsoleLookup::exitAndHashAreCommands() {
    ConsoleFixture f;
    f.start();
    f.lookUp(QStringLiteral("#"));
    // "#" switches to Thai-Italian; the reverse look-up then runs on "#" too and switches back.
    QCOMPARE(f.form().direction(), QStringLiteral("I-T"));
    QVERIFY(f.consoleLines().isEmpty());
    // Typed in the Thai-Italian direction, "#" switches to Italian-Thai.
    f.control<QPushButton>("Command3D11")->click();
    f.control<QLineEdit>("Text8")->setText(QStringLiteral("#"));
    f.control<QPushButton>("Command3d9")->click();
    QCOMPARE(f.form().direction(), QStringLiteral("I-T"));
    QVERIFY(f.consoleLines().isEmpty());
    QVERIFY(!f.ended());
    f.lookUp(QStringLiteral("exit"));
    QVERIFY(f.ended());
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestConsoleLookup::unreadableFilesAreReportedAndTheProgramGoesOn() {
    // A folder that does not exist.
    ConsoleFixture nowhere;
    nowhere.start(nowhere.folder() + QStringLiteral("nowhere/"));
    nowhere.dialogs().expectMessage(QStringLiteral(
        "nowhere/LEXFWD_C.DAT\" could not be read: the file or a folder of its path does not"));
    nowhere.lookUp(QStringLiteral("casa"));
    QCOMPARE(nowhere.dialogs().asked().last().style.icon, Icon::Stop);
    QVERIFY(nowhere.control<QWidget>("Label8")->isHidden());
    QCOMPARE(nowhere.dialogs().problems(), QStringList());
    ConsoleFixture f;
    f.start();
    // No file yet for the letter, in a folder that exists: no words of it yet.
    f.dialogs().expectMessage(QStringLiteral("Not Found !"), Answer::No);
    f.lookUp(QStringLiteral("casa"));
    QVERIFY(f.control<QWidget>("Label8")->isHidden());
    // A folder where the file should be.
    std::filesystem::create_directory(f.file("LEXFWD_D.DAT"));
    f.dialogs().expectMessage(QStringLiteral("it is a folder"));
    f.lookUp(QStringLiteral("dado"));
    // A record cut short: the records before it are still shown.
    f.writeBytes("LEXFWD_E.DAT",
                 "\"era\",\"pen\",\"-\",\"-\",\"@\",\"$\",\"$\"\r\n\"era\",\"khue\"");
    f.dialogs().expectMessage(QStringLiteral("ends in the middle of a record (line 2)"));
    f.lookUp(QStringLiteral("era"));
    QCOMPARE(f.consoleLines().size(), 1);
    QCOMPARE(f.dialogs().problems(), QStringList());
    QVERIFY(!f.ended());
    QVERIFY(f.control<QWidget>("Text8")->isHidden());
}

void TestConsoleLookup::thaiScriptDirectionShowsItsBox() {
    ConsoleFixture f;
    f.start();
    // The button reads "Thai" in the Thai button font.
    auto* thai = f.control<QPushButton>("Command3D12");
    QCOMPARE(thai->text(), QStringLiteral("Thai"));
    QCOMPARE(thai->font().family(), platform::kThaiButtonFont);
    QCOMPARE(thai->font().pointSizeF(), 15.75);
    thai->click(); // the box for the script, with no message (test_thai_script_lookup)
    QCOMPARE(f.form().direction(), QStringLiteral("TX-I"));
    QCOMPARE(f.control<QLabel>("Label14")->text(),
             QStringLiteral("Please, Insert a Original Thailand Word --->>>"));
    auto* text8 = f.control<QLineEdit>("Text8");
    QCOMPARE(text8->font().family(), platform::kThaiFixedFont);
    QVERIFY(text8->isVisible());
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestConsoleLookup::dataFileLabelNamesOnlyTheFileBeingOpened() {
    ConsoleFixture f;
    f.writeRecords("LEXFWD_C.DAT", {entry("casa", "baan")});
    f.start();
    auto* label8 = f.control<QLabel>("Label8");
    QStringList seen; // what the label shows while each message box is open
    f.dialogs().whileAsking = [&](const AskedQuestion&) {
        seen.append(label8->isVisible() ? label8->text() : QStringLiteral("(hidden)"));
    };
    std::filesystem::create_directory(f.file("LEXFWD_D.DAT"));
    f.dialogs().expectMessage(QStringLiteral("LEXFWD_D.DAT\" could not be read"));
    f.lookUp(QStringLiteral("dado"));
    f.dialogs().expectMessage(kAnother, Answer::No);
    f.lookUp(QStringLiteral("casa"));
    f.dialogs().expectMessage(QStringLiteral("LEXFWD_D.DAT\" could not be read"));
    f.lookUp(QStringLiteral("dado"));
    QCOMPARE(seen, (QStringList{"Datafile : LEXFWD_D.DAT", "Datafile : LEXFWD_C.DAT",
                                "Datafile : LEXFWD_D.DAT"}));
    QVERIFY(label8->isHidden()); // no file is in use after the failure
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestConsoleLookup::answersStayClearOfTheControlsInBothDirections() {
    ConsoleFixture f;
    const std::string note = "si dice soprattutto di una casa grande, con il giardino, "
                             "dove vive tutta la famiglia";
    const std::string italian = "casa, abitazione, dimora, edificio in cui si vive";
    f.writeRecords("LEXFWD_C.DAT", {entry("casa", "baan", "s.f.", note, kThaiHouse),
                                    entry("casa", "thii yuu aasai", "s.f.", "-", kThaiHouse)});
    f.writeRecords("LEXREV_B.DAT", {entry("baan", italian, "s.f.", note, kThaiHouse)});
    f.start();
    f.dialogs().expectMessage(kAnother, Answer::No);
    f.lookUp(QStringLiteral("casa"));
    QCOMPARE(hiddenPieces(f), QStringList());
    // Two lines for whoever reads the text, whatever the rows on the screen.
    const QStringList lines = f.consoleLines();
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].endsWith(QStringLiteral("  [ baan ]  (") + QString::fromStdString(note) +
                              QStringLiteral(")")));
    QVERIFY(f.form().console()->pieces().last().row > 2);

    // Thai-to-Italian: the Italian translation itself is in sight.
    f.dialogs().expectMessage(kAnother, Answer::No);
    f.lookUpWith("Command3D11", QStringLiteral("baan"));
    QCOMPARE(hiddenPieces(f), QStringList());
    QVERIFY(f.consoleLines().first().contains(QString::fromStdString(italian)));

    // The help pages, with their picture on the right, too.
    f.control<QPushButton>("Command3")->click();
    QCOMPARE(hiddenPieces(f), QStringList());
    f.control<QPushButton>("Command1")->click();
    QCOMPARE(hiddenPieces(f), QStringList());
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestConsoleLookup::manyAnswersScrollSoThatEveryLineCanBeRead() {
    ConsoleFixture f;
    std::vector<datafiles::DictionaryRecord> records;
    for (int i = 1; i <= 14; ++i)
        records.push_back(entry("casa", "baan " + std::to_string(i), "s.f.", "-", kThaiHouse));
    f.writeRecords("LEXFWD_C.DAT", records);
    f.start();
    f.dialogs().expectMessage(kAnother, Answer::No);
    f.lookUp(QStringLiteral("casa"));
    platform::ConsoleSurface* console = f.form().console();
    QCOMPARE(f.consoleLines().size(), 14);
    QVERIFY(console->scrollBar()->isVisible());
    // The last answer is in sight; the first scrolled away above.
    const PrintedPiece& last = console->pieces().last();
    QCOMPARE(last.text, QStringLiteral("  [ baan 14 ]"));
    QVERIFY(console->area(last).bottom() <= console->height());
    QVERIFY(console->area(console->pieces().first()).bottom() < 0);
    QCOMPARE(hiddenPieces(f), QStringList());
    // The wheel over the console brings the first answer back.
    for (int notch = 0; notch < 40; ++notch) {
        QWheelEvent wheel(QPointF(100, 100), console->mapToGlobal(QPointF(100, 100)), QPoint(),
                          QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(console, &wheel);
    }
    QCOMPARE(console->scrollOffset(), 0);
    QCOMPARE(console->area(console->pieces().first()).top() >= 0, true);
    QCOMPARE(hiddenPieces(f), QStringList());
    // And the keys, from the direction button that has the focus after a look-up.
    const int bottom = console->scrollBar()->maximum();
    const std::pair<QKeyCombination, int> keys[] = {
        {Qt::ControlModifier | Qt::Key_End, bottom},
        {QKeyCombination(Qt::Key_PageUp), std::max(0, bottom - console->height())},
        {QKeyCombination(Qt::Key_PageDown), bottom},
        {Qt::ControlModifier | Qt::Key_Home, 0},
    };
    for (const auto& [key, offset] : keys) {
        real::press(key.key(), key.keyboardModifiers());
        QCOMPARE(console->scrollOffset(), offset);
    }
    // While a question waits, its box passes the same keys to the console.
    f.dialogs().expectMessage(kAnother, Answer::No);
    platform::QtDialogs boxes;
    int whileAsking = -1;
    f.dialogs().whileAsking = [&](const AskedQuestion& q) {
        const auto box = boxes.makeMessageBox(q.text, q.style, q.title);
        box->show();
        QTest::keyClick(box.get(), Qt::Key_Home, Qt::ControlModifier);
        whileAsking = console->scrollOffset();
        box->close();
    };
    f.lookUp(QStringLiteral("casa"));
    QCOMPARE(whileAsking, 0);
    f.dialogs().whileAsking = nullptr;
    // A screen reader reads every answer, line by line.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(console);
    QAccessibleTextInterface* text = accessible->textInterface();
    QCOMPARE(text->text(0, text->characterCount()), f.consoleLines().join(QLatin1Char('\n')));
    // A new look-up starts at the top again.
    f.writeRecords("LEXFWD_C.DAT", {entry("casa", "baan")});
    f.dialogs().expectMessage(kAnother, Answer::No);
    f.lookUp(QStringLiteral("casa"));
    QCOMPARE(console->scrollOffset(), 0);
    QVERIFY(!console->scrollBar()->isVisible());
    QCOMPARE(f.dialogs().problems(), QStringList());
}

void TestConsoleLookup::everyBoxOfALongExchangeStandsOnTheConsole() {
    // Three suggestions refused, then a listing of three pages. The window manager gives the
    // console back its activation only after the next box is made, so no window is active
    // then; each box still stands centred on the console, as wide as its title.
    ConsoleFixture f;
    f.writeRecords("LEXFWD_P.DAT", {pointer("perche", "perch\xE9", "percio", "pero")});
    std::vector<datafiles::DictionaryRecord> list;
    for (int i = 1; i <= 45; ++i)
        list.push_back(entry("b" + std::to_string(i), "p" + std::to_string(i)));
    f.writeRecords("LEXFWD_B.DAT", list);
    f.start();
    platform::QtDialogs boxes;
    QStringList misplaced;
    f.dialogs().whileAsking = [&](const AskedQuestion& q) {
        const auto box = boxes.makeMessageBox(q.text, q.style, q.title);
        box->show();
        const QPoint off = box->frameGeometry().center() - f.form().frameGeometry().center();
        QFont bold = box->font();
        bold.setBold(true);
        if (box->parentWidget() != &f.form() || off.manhattanLength() > 4 ||
            box->width() < QFontMetrics(bold).horizontalAdvance(q.title) + 100)
            misplaced << QStringLiteral("%1 (%2, %3 from the middle)")
                             .arg(q.text.left(20))
                             .arg(off.x())
                             .arg(off.y());
        box->close();
        QApplication::setActiveWindow(nullptr);
    };
    for (int i = 0; i < 3; ++i)
        f.dialogs().expectMessage(QStringLiteral("Maybe you searching"), Answer::No);
    f.lookUp(QStringLiteral("perche"));
    for (int page = 0; page < 3; ++page)
        f.dialogs().expectMessage(QStringLiteral("Continue List...?"), Answer::Yes);
    f.lookUp(QStringLiteral("b*"));
    QCOMPARE(f.dialogs().asked().size(), 7);
    QCOMPARE(misplaced, QStringList());
    QCOMPARE(f.dialogs().problems(), QStringList());
}

QTEST_MAIN(TestConsoleLookup)
#include "test_console_lookup.moc"

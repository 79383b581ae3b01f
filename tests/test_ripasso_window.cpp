// Ripasso's window driven as a person drives it, by keys: a drill round of each kind, a
// drill without sounds, a review graded by keys with its answers saved and scheduled, words
// added or changed by hand, an answer that cannot be saved, the folder remembered, the export
// from the menu, words imported from a file and the deck for Anki, both from the File menu
// opened by keys.

#include "real_input.h"
#include "ripasso_fixture.h"
#include "test_support.h"

#include "ripasso/drill_page.h"
#include "ripasso/review_page.h"
#include "ripasso/words_model.h"
#include "ripasso/words_page.h"

#include "platform/espeak_voice.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include <sqlite3.h>

using namespace ripasso;

namespace {

const std::vector<datafiles::DictionaryRecord> kWords = {
    {"casa", "baan", "s.f.", "-", "\xBA\xE9\xD2\xB9", "$", "$"},
    {"cane", "maa", "s.m.", "-", "@", "$", "$"},
    {"cani", "-", "-", "*", "cane", "$", "$"},
    {"cielo", "", "-", "-", "@", "$", "$"},
};

QString text(RipassoFixture& f, const char* label) {
    return f.control<QLabel>(label)->text();
}

// Alt+F, then the entry's access key in the menu that opened.
void fromFileMenu(RipassoFixture& f, Qt::Key accessKey) {
    real::press(Qt::Key_F, Qt::AltModifier);
    auto* menu = f.control<QMenu>("fileMenu");
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, accessKey);
}

} // namespace

class TestRipassoWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void aDrillRoundAnsweredByKeys_data();
    void aDrillRoundAnsweredByKeys();
    void withoutSoundsTheDrillGoesOnAndSaysSoOnce();
    void aReviewGradedByKeysIsSavedAndScheduled();
    void anAnswerThatCannotBeSavedStopsTheReview();
    void theFolderIsRememberedAndTheExportWritten();
    void lettersWithoutFilesAndLongMessagesInTheWindow();
    void wordsImportedFromTheMenuAreListedAtOnce();
    void theDeckForAnkiIsWrittenFromTheMenu();
};

void TestRipassoWindow::aDrillRoundAnsweredByKeys_data() {
    QTest::addColumn<DrillKind>("kind");
    QTest::addColumn<Qt::Key>("mnemonic");
    QTest::newRow("sound") << DrillKind::Sound << Qt::Key_H;
    QTest::newRow("reading") << DrillKind::Reading << Qt::Key_E;
    QTest::newRow("class") << DrillKind::Class << Qt::Key_C;
}

void TestRipassoWindow::aDrillRoundAnsweredByKeys() {
    QFETCH(DrillKind, kind);
    QFETCH(Qt::Key, mnemonic);
    RipassoFixture f;
    MainWindow& window = f.open();
    QVERIFY(real::activate(&window));
    const QString sounds = QStringLiteral(STARTER_FOLDER "/");
    f.dialogs.expectInput(QStringLiteral("Folder of the letter sounds"), sounds);
    real::press(mnemonic, Qt::AltModifier); // a mnemonic clicks its button a moment later
    const DrillPage& page = window.drillPage();
    QTRY_VERIFY(page.isVisible());
    QStringList missed;
    for (int i = 0; i < kQuestionsPerRound; ++i) {
        QCOMPARE(page.questionNumber(), i + 1);
        const DrillQuestion q = page.round()[std::size_t(i)];
        const int pick = i % 2 == 0 ? q.right : (q.right + 1) % q.choiceCount;
        if (kind == DrillKind::Class)
            real::press(Qt::Key_4); // no fourth choice: nothing happens
        QVERIFY(!page.answered());
        f.player.calls.clear();
        real::press(Qt::Key(Qt::Key_1 + pick));
        QVERIFY(page.answered());
        const alphabet::Consonant& asked = alphabet::consonant(q.letter);
        QVERIFY(text(f, "feedback").startsWith(i % 2 == 0 ? "Right: " : "No: it is "));
        QVERIFY(text(f, "feedback").contains(QString::fromUtf8(asked.reading)));
        // The right answer's sound, at once.
        QCOMPARE(f.player.calls, (QStringList{"file:" + sounds + asked.soundFile, "start"}));
        if (i % 2 == 1)
            missed << QString::fromUtf8(asked.reading);
        real::press(Qt::Key_Return);
    }
    QCOMPARE(text(f, "resultSummary"), QStringLiteral("10 of 20 right. Missed:"));
    auto* list = f.control<QListWidget>("missedList");
    QCOMPARE(list->count(), 10);
    for (int i = 0; i < 10; ++i)
        QVERIFY2(list->item(i)->text().contains(missed[i]), qPrintable(list->item(i)->text()));
    std::vector<LetterScore> scores;
    QVERIFY(f.store->loadLetterScores(kind, scores));
    QCOMPARE(int(scores.size()), 20);
    QCOMPARE(std::count_if(scores.begin(), scores.end(), [](auto& s) { return s.missed == 1; }),
             10);
    // Another round (the focus is on it) starts as the first did.
    real::press(Qt::Key_Return);
    QCOMPARE(page.questionNumber(), 1);
    const auto* next = f.control<QPushButton>("nextButton");
    QVERIFY(next->isVisible() && !next->isEnabled());
    QCOMPARE(next->text(), QStringLiteral("&Next (Enter)"));
    real::press(Qt::Key_Escape);
    QVERIFY(!page.isVisible());
}

void TestRipassoWindow::withoutSoundsTheDrillGoesOnAndSaysSoOnce() {
    RipassoFixture f;
    MainWindow& window = f.open();
    QVERIFY(real::activate(&window));
    f.dialogs.expectInput(QStringLiteral("Folder of the letter sounds"), f.words());
    f.dialogs.expectMessage(QStringLiteral("No letter sound was found in"));
    real::press(Qt::Key_H, Qt::AltModifier);
    for (int round = 0; round < 2; ++round) {
        QTRY_VERIFY(window.drillPage().isVisible());
        const DrillQuestion q = window.drillPage().round()[0];
        QCOMPARE(text(f, "promptLetter"), QString::fromUtf8(alphabet::consonant(q.letter).reading));
        real::press(Qt::Key_1);
        QVERIFY(window.drillPage().answered());
        QVERIFY(f.player.calls.isEmpty());
        real::press(Qt::Key_Escape);
        real::press(Qt::Key_H, Qt::AltModifier); // the second round says nothing
    }
}

void TestRipassoWindow::aReviewGradedByKeysIsSavedAndScheduled() {
    RipassoFixture f;
    f.write("LEXFWD_C.DAT", kWords);
    f.write("LEXFWD_G.DAT", {{"gatto", "maeu", "s.m.", "-", "@", "$", "$"}});
    MainWindow& window = f.open();
    QCOMPARE(text(f, "wordsSummary"),
             QStringLiteral("For today: 0 cards due and 6 new (6 cards, 6 never answered)."));
    QVERIFY(real::activate(&window));
    real::press(Qt::Key_Return); // the focus is on the review
    const ReviewPage& page = window.reviewPage();
    QStringList fronts;
    for (int answer = 0; answer < 7; ++answer) {
        fronts << text(f, "frontText") + text(f, "frontThai");
        QVERIFY(!f.control<QWidget>("cardBack")->isVisible());
        real::press(Qt::Key_1); // no grade before the back is shown
        QCOMPARE(page.session()->answered(), std::size_t(answer));
        real::press(Qt::Key_Space);
        QVERIFY(f.control<QWidget>("cardBack")->isVisible());
        if (answer == 0) {
            QCOMPARE(f.control<QPushButton>("gradeAgain")->text(),
                     QStringLiteral("1 Again · this session"));
            real::press(Qt::Key_1); // Again: casa comes back after four cards
        } else if (answer == 5)
            real::press(Qt::Key_Return); // Enter on the focused Good
        else
            real::press(Qt::Key_3);
    }
    QCOMPARE(fronts, (QStringList{"casa", "cane", "gatto", QString::fromUtf16(u"baanบ้าน"), "maa",
                                  "casa", "maeu"}));
    QVERIFY(window.findChild<QWidget*>(QStringLiteral("homePage"))->isVisible());
    QCOMPARE(text(f, "sessionNote"), QStringLiteral("7 answers saved."));
    QVERIFY(text(f, "wordsSummary").startsWith(QStringLiteral("Nothing more to review today")));
    std::vector<StoredCard> cards;
    QVERIFY(f.store->loadCards(cards));
    QCOMPARE(int(cards.size()), 6);
    for (const StoredCard& card : cards) // casa, forgotten once, comes back tomorrow
        QCOMPARE(card.state.dueDay,
                 f.day +
                     (card.key == CardKey{"casa", "baan", CardDirection::ItalianToThai} ? 1 : 4));

    // Four days on, a word added and one changed by hand since: the changed one's cards are
    // new, its old progress stays in the database, unused.
    f.day += 4;
    f.write("LEXFWD_M.DAT", {{"mela", "appeen", "s.f.", "-", "@", "$", "$"}});
    f.write("LEXFWD_G.DAT", {{"gatto", "meeo", "s.m.", "-", "@", "$", "$"}});
    f.open();
    QCOMPARE(text(f, "wordsSummary"),
             QStringLiteral("For today: 4 cards due and 4 new (8 cards, 4 never answered)."));
    QVERIFY(f.store->loadCards(cards));
    QCOMPARE(int(cards.size()), 6);
}

void TestRipassoWindow::anAnswerThatCannotBeSavedStopsTheReview() {
    RipassoFixture f(std::chrono::milliseconds(200));
    f.write("LEXFWD_C.DAT", kWords);
    MainWindow& window = f.open();
    QVERIFY(real::activate(&window));
    real::press(Qt::Key_Return);
    real::press(Qt::Key_Space);
    real::press(Qt::Key_3);
    // Another program takes the database meanwhile.
    sqlite3* other = nullptr;
    sqlite3_open(f.store->file().c_str(), &other);
    QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    f.dialogs.expectMessage(QStringLiteral("is locked by another program"));
    real::press(Qt::Key_Space);
    real::press(Qt::Key_3);
    sqlite3_close(other);
    QCOMPARE(text(f, "sessionNote"), QStringLiteral("1 answer saved."));
    std::vector<StoredCard> cards;
    QVERIFY(f.store->loadCards(cards));
    QCOMPARE(int(cards.size()), 1);
}

void TestRipassoWindow::theFolderIsRememberedAndTheExportWritten() {
    RipassoFixture f;
    f.write("LEXFWD_C.DAT", kWords);
    std::ofstream((f.words() + "LEXFWD_C.DAT").toStdString(), std::ios::app) << "\"cosa\",\"a";
    f.open();
    MainWindow& window = f.open(QString()); // cancelled: the folder chosen before
    QCOMPARE(f.dialogs.asked().last().proposed, f.words());
    QCOMPARE(window.folder(), f.words());
    QCOMPARE(text(f, "readingNotes"), QStringLiteral("1 record could not be read in LEXFWD_C.DAT "
                                                     "(the first on line 5) and was left out."));
    QVERIFY(real::activate(&window));
    const QString target = f.dir.filePath(QStringLiteral("anki.txt"));
    f.dialogs.expectInput(QStringLiteral("File to write your words to"), target);
    f.dialogs.expectMessage(QStringLiteral("3 notes were written to"));
    real::press(Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(f.dialogs.asked()[f.dialogs.asked().size() - 2].proposed,
             QStringLiteral("~/ripasso-anki.txt"));
    QVERIFY(QFile::exists(target));
}

void TestRipassoWindow::lettersWithoutFilesAndLongMessagesInTheWindow() {
    RipassoFixture f;
    const auto file = [&f](char letter) {
        return f.words().toStdString() + "LEXFWD_" + letter + ".DAT";
    };
    // A folder of one's own: files for two letters only, the others have no words yet.
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if (letter != 'C' && letter != 'G')
            std::filesystem::remove(file(letter));
    f.write("LEXFWD_C.DAT", kWords);
    f.write("LEXFWD_G.DAT", {{"gatto", "maeu", "s.m.", "-", "@", "$", "$"}});
    MainWindow& window = f.open();
    QVERIFY(f.control<QWidget>("readingNotes")->isHidden());
    QCOMPARE(text(f, "wordsSummary"),
             QStringLiteral("For today: 0 cards due and 6 new (6 cards, 6 never answered)."));
    // Files that cannot be read, named in one long sentence, and a folder with a long name:
    // both wrap inside the window, which keeps its width.
    const int width = window.width();
    for (char letter = 'H'; letter <= 'Z'; ++letter)
        std::filesystem::create_directory(file(letter));
    f.dialogs.expectInput(QStringLiteral("Folder of the data files"),
                          f.words() + QStringLiteral("..") + QString(150, QLatin1Char('/')) +
                              QStringLiteral("words"));
    window.chooseFolder();
    QApplication::processEvents();
    QCOMPARE(window.width(), width);
    for (const char* name : {"readingNotes", "folderLabel"}) {
        const auto* label = f.control<QLabel>(name);
        QVERIFY2(label->isVisible() && label->text().size() > 150, name);
        QVERIFY2(label->geometry().right() < label->parentWidget()->width(), name);
        QVERIFY2(label->height() >= label->heightForWidth(label->width()), name);
    }
}

void TestRipassoWindow::wordsImportedFromTheMenuAreListedAtOnce() {
    RipassoFixture f;
    f.write("LEXFWD_C.DAT", kWords);
    MainWindow& window = f.open();
    QVERIFY(real::activate(&window));
    real::press(Qt::Key_W, Qt::AltModifier);
    QTRY_VERIFY(window.wordsPage().isVisible());
    // Line 3 has no pronunciation, which the check requires.
    const QString csv = f.dir.filePath(QStringLiteral("new words.csv"));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("italiano,pronuncia,thai,attributo,note\n"
               "mela,appeen,,s.f.,\n"
               "pane,,,s.m.,\n"
               "gatto,maeu,\xE0\xB9\x81\xE0\xB8\xA1\xE0\xB8\xA7,s.m.,\n");
    file.close();
    f.dialogs.clearLog();
    f.dialogs.expectInput(QStringLiteral("File of words to add"), csv);
    f.dialogs.expectMessage(QStringLiteral("2 added, 0 already there, 1 refused"));
    fromFileMenu(f, Qt::Key_I);
    QCOMPARE(f.dialogs.asked().first().proposed, QStringLiteral("~/words.csv"));
    QVERIFY(f.dialogs.asked().last().text.contains(QStringLiteral("Line 3")));
    QStringList listed;
    const WordsModel& model = window.wordsPage().model();
    for (int row = 0; row < model.rowCount(); ++row)
        listed << model.index(row, 0).data().toString();
    QVERIFY2(listed.contains("mela") && listed.contains("gatto") && !listed.contains("pane"),
             qPrintable(listed.join(' ')));
}

void TestRipassoWindow::theDeckForAnkiIsWrittenFromTheMenu() {
    RipassoFixture f;
    f.write("LEXFWD_C.DAT", kWords);
    MainWindow& window = f.open();
    QVERIFY(real::activate(&window));
    const QString target = f.dir.filePath(QStringLiteral("deck.apkg"));
    f.dialogs.clearLog();
    f.dialogs.expectInput(QStringLiteral("as an Anki deck"), target);
    if (platform::voiceInstalled())
        f.dialogs.expectMessage(QStringLiteral("synthetic voice"), platform::Answer::No);
    f.dialogs.expectMessage(QStringLiteral("3 notes and 0 sound files were written to"));
    fromFileMenu(f, Qt::Key_D);
    QCOMPARE(f.dialogs.asked().first().proposed, QStringLiteral("~/ripasso.apkg"));
    QFile deck(target);
    QVERIFY(deck.open(QIODevice::ReadOnly));
    QCOMPARE(deck.read(2), QByteArray("PK"));
}

QTEST_MAIN(TestRipassoWindow)
#include "test_ripasso_window.moc"

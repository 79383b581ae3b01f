// Ripasso's drills of the script started and answered by keys and clicks: colours, feedback,
// scores kept at once, sounds or a text without them, the tone's rule, the round's misses.

#include "real_input.h"
#include "ripasso_fixture.h"
#include "test_support.h"

#include "alphabet/vowel_table.h"
#include "ripasso/drill_page.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace ripasso;

namespace {

// "green" or "red": the hue of a button's face, beside its caption.
QString hueOf(QWidget* button) {
    const QColor c = button->grab().toImage().pixelColor(8, button->height() / 2);
    return c.green() > c.red() + 30 ? "green" : c.red() > c.green() + 60 ? "red" : "";
}

} // namespace

class TestScriptDrillPage : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void aRoundOfEachDrill_data();
    void aRoundOfEachDrill();
    void theToneComesWithItsRule_data();
    void theToneComesWithItsRule();
};

void TestScriptDrillPage::aRoundOfEachDrill_data() {
    QTest::addColumn<DrillKind>("kind");
    QTest::addColumn<QString>("start"); // the access key, or the button clicked
    QTest::addColumn<bool>("sounds");   // the sound folder holds the vowels' sounds
    QTest::newRow("vowel read") << DrillKind::VowelReading << "Alt+V" << true;
    QTest::newRow("vowel heard") << DrillKind::VowelSound << "drillVowelSoundButton" << true;
    QTest::newRow("vowel heard, no sounds") << DrillKind::VowelSound << "Alt+O" << false;
    QTest::newRow("length") << DrillKind::VowelLength << "drillVowelLengthButton" << true;
    QTest::newRow("tone mark") << DrillKind::ToneMark << "Alt+M" << true;
    QTest::newRow("tone") << DrillKind::Tone << "drillToneButton" << true;
    QTest::newRow("final") << DrillKind::Final << "Alt+U" << true;
    QTest::newRow("look-alike") << DrillKind::LookAlike << "Alt+K" << true;
}

void TestScriptDrillPage::aRoundOfEachDrill() {
    QFETCH(DrillKind, kind);
    QFETCH(QString, start);
    QFETCH(bool, sounds);
    RipassoFixture f;
    const QString folder = f.dir.filePath(QStringLiteral("sounds/"));
    std::filesystem::create_directory(folder.toStdString());
    for (const alphabet::Consonant* c : drillLetters())
        std::ofstream((folder + c->soundFile).toStdString());
    for (const alphabet::VowelForm& v : alphabet::vowelTable())
        if (sounds)
            std::ofstream((folder + v.soundFile).toStdString());
    MainWindow& window = f.open();
    QVERIFY(real::activate(&window));
    if (kind == DrillKind::VowelSound || kind == DrillKind::LookAlike) // only before these
        f.dialogs.expectInput(QStringLiteral("Folder of the letter sounds"), folder);
    if (!sounds)
        f.dialogs.expectMessage(QStringLiteral("No vowel sound was found in"));
    if (start.startsWith("drill"))
        real::click(f.control<QPushButton>(qPrintable(start)));
    else
        QTest::keySequence(real::keyTarget(), QKeySequence(start));
    QTRY_VERIFY(window.drillPage().isVisible());
    QCOMPARE(f.control<QLabel>("drillHeading")->text(), drillTitle(kind));
    const std::vector<ScriptQuestion> round = window.drillPage().scriptRound();
    auto* prompt = f.control<QLabel>("promptLetter");
    auto* feedback = f.control<QLabel>("feedback");
    const bool heard = sounds && !round[0].soundFile.empty();
    QCOMPARE(prompt->text().isEmpty(), heard); // the sound's picture, else a text
    QCOMPARE(f.player.calls.size(), heard ? 2 : 0);
    real::press(Qt::Key_P); // again
    QCOMPARE(f.player.calls.size(), heard ? 4 : 0);
    QList<QStringList> missed;
    std::map<int, std::pair<int, int>> expected; // times asked and missed
    for (std::size_t i = 0; i < round.size(); ++i) {
        const ScriptQuestion& q = round[i];
        const bool right = i % 2 == 0;
        const int pick = right ? q.right : (q.right + 1) % q.choiceCount;
        if (q.choiceCount < 4)
            real::press(Qt::Key_4); // no fourth choice: nothing happens
        QVERIFY(!window.drillPage().answered());
        const QString before = prompt->accessibleName();
        real::press(Qt::Key(Qt::Key_1 + pick));
        QVERIFY(window.drillPage().answered());
        QCOMPARE(hueOf(f.control<QWidget>(qPrintable("answer" + QString::number(q.right + 1)))),
                 "green");
        QCOMPARE(hueOf(f.control<QWidget>(qPrintable("answer" + QString::number(pick + 1)))),
                 right ? "green" : "red");
        QVERIFY(feedback->isVisible() &&
                feedback->text().startsWith(right ? "Right: " : "No: it is "));
        QCOMPARE(q.syllable && feedback->text().contains('\n' + toneRule(*q.syllable)),
                 kind == DrillKind::Tone);
        if (kind == DrillKind::VowelReading) { // the reading is heard once answered, not before
            const QString reading = QStringLiteral(" %1,").arg(alphabet::vowelForm(q.code).reading);
            QVERIFY(!before.contains(reading) && prompt->accessibleName().contains(reading));
        }
        auto& [asked, misses] = expected[q.code]; // the tone's key, its rule, may come twice
        ++asked;
        misses += !right;
        std::vector<LetterScore> scores; // kept at once
        QVERIFY(f.store->loadLetterScores(kind, scores));
        QVERIFY(std::any_of(scores.begin(), scores.end(), [&](const LetterScore& s) {
            return s.code == q.code && s.asked == asked && s.missed == misses;
        }));
        if (!right) // the answer, then the choice picked
            missed << QStringList{q.choices[std::size_t(q.right)].c_str(),
                                  q.choices[std::size_t(pick)].c_str()};
        real::press(Qt::Key_Return);
    }
    QCOMPARE(f.control<QLabel>("resultSummary")->text(),
             QStringLiteral("%1 of %2 right. Missed:")
                 .arg(qsizetype(round.size()) - missed.size())
                 .arg(round.size()));
    auto* list = f.control<QListWidget>("missedList");
    QCOMPARE(list->count(), int(missed.size()));
    for (int i = 0; i < list->count(); ++i)
        QVERIFY2(list->item(i)->text().contains(missed[i][0]) &&
                     list->item(i)->text().endsWith(" (you picked " + missed[i][1] + ")"),
                 qPrintable(list->item(i)->text()));
    real::press(Qt::Key_Escape);
    QVERIFY(f.control<QWidget>("homePage")->isVisible());
}

void TestScriptDrillPage::theToneComesWithItsRule_data() {
    QTest::addColumn<QByteArray>("syllable"); // TIS-620
    QTest::addColumn<QString>("rule");
    QTest::newRow("mark") << QByteArray("\xAA\xE9\xD2\xA7") << "ช้าง: low class + mai tho → high";
    QTest::newRow("live") << QByteArray("\xA2\xD2") << "ขา: high class + live → rising";
    QTest::newRow("dead, long") << QByteArray("\xA8\xD2\xA1")
                                << "จาก: mid class + dead, long → low";
    QTest::newRow("dead, short") << QByteArray("\xA4\xD0") << "คะ: low class + dead, short → high";
    QTest::newRow("listed") << QByteArray("\xA1\xE7") << "ก็: read so by custom → falling";
}

void TestScriptDrillPage::theToneComesWithItsRule() {
    QFETCH(QByteArray, syllable);
    QFETCH(QString, rule);
    const std::optional<thaiscript::Syllable> read =
        thaiscript::readSyllable(syllable.toStdString());
    QVERIFY(read);
    QCOMPARE(toneRule(*read), rule);
}

QTEST_MAIN(TestScriptDrillPage)
#include "test_script_drill_page.moc"

// Typed answers in the review: the grade each kind of slip proposes and its note, the letters
// set side by side, and the mode chosen on the start page, used by keys and remembered.

#include "real_input.h"
#include "ripasso_fixture.h"
#include "test_support.h"

#include "ripasso/review_page.h"
#include "ripasso/typed_answer.h"

#include <QCheckBox>
#include <QLabel>

using namespace ripasso;

class TestTypedAnswer : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void eachSlipProposesItsGrade_data();
    void eachSlipProposesItsGrade();
    void theLettersAreSetSideBySide_data();
    void theLettersAreSetSideBySide();
    void aTypedReviewByKeysKeepsTheLearnersGrade();
    void anAnswerOfTheFolderOutsideTheSessionCounts();
};

void TestTypedAnswer::eachSlipProposesItsGrade_data() {
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QList<QByteArray>>("accepted");
    QTest::addColumn<bool>("pronunciation");
    QTest::addColumn<Grade>("grade");
    QTest::addColumn<AnswerDifference>("note");
    QTest::addColumn<int>("matched");
    using D = AnswerDifference;
    const QList<QByteArray> casa{"casa"};
    QTest::newRow("exact") << QByteArray(" baan ") << QList<QByteArray>{"baan"} << true
                           << Grade::Good << D::None << 0;
    QTest::newRow("case") << QByteArray("Casa") << casa << false << Grade::Good << D::LetterCase
                          << 0;
    QTest::newRow("accent") << QByteArray("perche") << QList<QByteArray>{"perch\xE9"} << false
                            << Grade::Good << D::Accents << 0;
    QTest::newRow("doubled vowel, pronunciation") << QByteArray("ban") << QList<QByteArray>{"baan"}
                                                  << true << Grade::Good << D::DoubledVowel << 0;
    QTest::newRow("doubled vowel, Italian")
        << QByteArray("caasa") << casa << false << Grade::Hard << D::LetterAdded << 0;
    QTest::newRow("letter missing")
        << QByteArray("cas") << casa << false << Grade::Hard << D::LetterMissing << 0;
    QTest::newRow("letter changed")
        << QByteArray("cosa") << casa << false << Grade::Hard << D::LetterChanged << 0;
    QTest::newRow("swap") << QByteArray("csaa") << casa << false << Grade::Hard << D::LettersSwapped
                          << 0;
    QTest::newRow("two edits") << QByteArray("cosi") << casa << false << Grade::Again << D::Far
                               << 0;
    QTest::newRow("empty") << QByteArray("  ") << casa << false << Grade::Again << D::Empty << 0;
    QTest::newRow("the second of two") << QByteArray("cian") << QList<QByteArray>{"phom", "cian"}
                                       << true << Grade::Good << D::None << 1;
    QTest::newRow("near the first of two")
        << QByteArray("phon") << QList<QByteArray>{"phom", "cian"} << true << Grade::Hard
        << D::LetterChanged << 0;
}

void TestTypedAnswer::eachSlipProposesItsGrade() {
    QFETCH(QByteArray, typed);
    QFETCH(QList<QByteArray>, accepted);
    QFETCH(bool, pronunciation);
    std::vector<std::string> answers;
    for (const QByteArray& a : accepted)
        answers.push_back(a.toStdString());
    const AnswerComparison c = compareAnswer(typed.toStdString(), answers, pronunciation);
    QTEST(c.proposed, "grade");
    QTEST(c.difference, "note");
    QTEST(int(c.matched), "matched");
}

void TestTypedAnswer::theLettersAreSetSideBySide_data() {
    // = the same, ~ case or accent, x changed, s swapped, + added, - missing; then the letters
    // shown: the typed ones, and the answer's where one is missing.
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QByteArray>("ops");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("accent") << QByteArray("baan")
                            << QByteArray("b\xE2"
                                          "an")
                            << QByteArray("=~==") << QByteArray("baan");
    QTest::newRow("case") << QByteArray("Ciao") << QByteArray("ciao") << QByteArray("~===")
                          << QByteArray("Ciao");
    QTest::newRow("swap") << QByteArray("csaa") << QByteArray("casa") << QByteArray("=ss=")
                          << QByteArray("csaa");
    QTest::newRow("added") << QByteArray("caasa") << QByteArray("casa") << QByteArray("=+===")
                           << QByteArray("caasa");
    QTest::newRow("missing") << QByteArray("csa") << QByteArray("casa") << QByteArray("=-==")
                             << QByteArray("casa");
    QTest::newRow("changed") << QByteArray("cosa") << QByteArray("casa") << QByteArray("=x==")
                             << QByteArray("cosa");
    QTest::newRow("nothing typed")
        << QByteArray() << QByteArray("ab") << QByteArray("--") << QByteArray("ab");
}

void TestTypedAnswer::theLettersAreSetSideBySide() {
    QFETCH(QByteArray, typed);
    QFETCH(QByteArray, expected);
    QByteArray ops, shown;
    for (const LetterStep& s : letterSteps(typed.toStdString(), expected.toStdString())) {
        ops += "=~xs+-"[int(s.op)];
        shown += s.op == LetterOp::Missing ? s.expected : s.typed;
    }
    QTEST(ops, "ops");
    QTEST(shown, "shown");
}

void TestTypedAnswer::aTypedReviewByKeysKeepsTheLearnersGrade() {
    RipassoFixture f;
    f.write("LEXFWD_C.DAT", {{"casa", "baan", "s.f.", "-", "\xBA\xE9\xD2\xB9", "$", "$"}});
    MainWindow& window = f.open();
    QVERIFY(real::activate(&window));
    auto* check = f.control<QCheckBox>("typeAnswerCheck");
    QVERIFY(!check->isChecked());
    real::press(Qt::Key_Y, Qt::AltModifier); // a click shown, then made
    QTRY_VERIFY(check->isChecked());
    real::press(Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(real::focused(), f.control<QWidget>("answerEdit"));
    QTest::keyClicks(real::focused(), QStringLiteral("bann"));
    real::press(Qt::Key_Return);
    QVERIFY(f.control<QWidget>("cardBack")->isVisible());
    QCOMPARE(f.control<QLabel>("typedNote")->text(),
             QStringLiteral("You typed bann; the answer is baan: one letter differs. "
                            "Proposed: Hard."));
    QCOMPARE(real::focused(), f.control<QWidget>("gradeHard"));
    real::press(Qt::Key_1); // the learner says Again
    std::vector<StoredCard> cards;
    QVERIFY(f.store->loadCards(cards));
    QCOMPARE(int(cards.size()), 1);
    QCOMPARE(cards[0].state.memory.stability,
             answerCard(std::nullopt, f.day, Grade::Again).memory.stability);
    real::press(Qt::Key_Escape);
    f.open();
    QVERIFY(f.control<QCheckBox>("typeAnswerCheck")->isChecked());
}

void TestTypedAnswer::anAnswerOfTheFolderOutsideTheSessionCounts() {
    // "io" has two records; the card of "chan" was answered and is not due: only "phom" asks.
    RipassoFixture f;
    f.write("LEXFWD_I.DAT", {{"io", "phom", "pron.", "-", "@", "$", "$"},
                             {"io", "chan", "pron.", "-", "@", "$", "$"}});
    const StoredCard chan{{"io", "chan", CardDirection::ItalianToThai},
                          answerCard(std::nullopt, f.day - 1, Grade::Easy)};
    QVERIFY(chan.state.dueDay > f.day);
    QVERIFY(f.store->saveAnswer(chan, Grade::Easy));
    MainWindow& window = f.open();
    QVERIFY(real::activate(&window));
    real::press(Qt::Key_Y, Qt::AltModifier);
    QTRY_VERIFY(f.control<QCheckBox>("typeAnswerCheck")->isChecked());
    real::press(Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(real::focused(), f.control<QWidget>("answerEdit"));
    QCOMPARE(f.control<QLabel>("frontText")->text(), QStringLiteral("io"));
    QTest::keyClicks(real::focused(), QStringLiteral("Chan"));
    real::press(Qt::Key_Return);
    const QString note = f.control<QLabel>("typedNote")->text();
    QVERIFY2(note.contains(QStringLiteral("the answer is chan")), qPrintable(note));
    QVERIFY2(note.contains(QStringLiteral("another card of this front")), qPrintable(note));
    QCOMPARE(real::focused(), f.control<QWidget>("gradeGood"));
}

QTEST_MAIN(TestTypedAnswer)
#include "test_typed_answer.moc"

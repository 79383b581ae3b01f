// Ripasso's practice without its window: the FSRS-4.5 schedule against values worked out by
// hand from the published formulas, the drills' questions, and the words of a folder as cards.

#include "datafiles/record_writer.h"
#include "ripasso/letter_drill.h"
#include "ripasso/review_session.h"
#include "ripasso/word_cards.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <set>

using namespace ripasso;

namespace {

struct Step {
    int day;
    Grade grade;
    double stability, difficulty; // after the answer
    int dueDay;
};

void writeFile(const QTemporaryDir& dir, const char* name, const std::string& bytes) {
    std::ofstream(dir.filePath(QLatin1String(name)).toStdString(), std::ios::binary) << bytes;
}

std::string line(const datafiles::DictionaryRecord& r) {
    return datafiles::formatRecordLine(r);
}

} // namespace

class TestRipassoPractice : public QObject {
    Q_OBJECT
private slots:
    void scheduleFollowsTheModel_data();
    void scheduleFollowsTheModel();
    void drillQuestionsOfferFourDistinctChoicesWithTheRightOne();
    void lettersMissedBeforeComeMoreOften();
    void folderCardsAreDueKnownOrNew();
    void cardsCountEachWordAndPronunciationOnce_data();
    void cardsCountEachWordAndPronunciationOnce();
    void anAnswerAgainComesBackInTheSameSession();
};

void TestRipassoPractice::scheduleFollowsTheModel_data() {
    // Worked out with python3 from the formulas and default weights (R = (1 + 19/81 t/S)^-0.5,
    // interval = S rounded, at least one day), each review made on the day it falls due.
    QTest::addColumn<QList<Step>>("steps");
    using G = Grade;
    QTest::newRow("again, good the same day") << QList<Step>{{0, G::Again, 0.4872, 7.6214, 1},
                                                             {0, G::Good, 0.4872, 7.5452, 1},
                                                             {1, G::Good, 2.4661, 7.4713, 3},
                                                             {4, G::Good, 7.7127, 7.3997, 12}};
    QTest::newRow("easy") << QList<Step>{{0, G::Easy, 13.8206, 3.932, 14},
                                         {14, G::Easy, 127.4815, 3.1004, 141},
                                         {141, G::Easy, 979.4274, 2.2947, 1120}};
    QTest::newRow("hard") << QList<Step>{{0, G::Hard, 1.4003, 6.3916, 1},
                                         {1, G::Hard, 1.9898, 7.2232, 3},
                                         {3, G::Hard, 2.884, 8.0289, 6}};
    QTest::newRow("good each time, then a lapse")
        << QList<Step>{{0, G::Good, 3.7145, 5.1618, 4},
                       {4, G::Good, 14.8081, 5.1618, 19},
                       {19, G::Good, 49.4616, 5.1618, 68},
                       {68, G::Again, 5.5673, 6.9012, 74},
                       {74, G::Good, 16.6204, 6.8472, 91}};
    QTest::newRow("late reviews") << QList<Step>{{0, G::Good, 3.7145, 5.1618, 4},
                                                 {14, G::Good, 34.6278, 5.1618, 49},
                                                 {79, G::Good, 157.8832, 5.1618, 237}};
    QTest::newRow("easy, forgotten long after") << QList<Step>{{0, G::Easy, 13.8206, 3.932, 14},
                                                               {100, G::Again, 4.9203, 5.7095, 105},
                                                               {101, G::Hard, 5.5223, 6.5622, 107}};
}

void TestRipassoPractice::scheduleFollowsTheModel() {
    QFETCH(QList<Step>, steps);
    std::optional<CardState> card;
    for (const Step& step : steps) {
        card = answerCard(card, step.day, step.grade);
        QVERIFY2(std::abs(card->memory.stability - step.stability) < 1e-3,
                 qPrintable(QString::number(card->memory.stability)));
        QVERIFY2(std::abs(card->memory.difficulty - step.difficulty) < 1e-3,
                 qPrintable(QString::number(card->memory.difficulty)));
        QCOMPARE(card->dueDay, step.dueDay);
        QCOMPARE(card->lastDay, step.day);
    }
    QCOMPARE(card->reviews, steps.size());
}

void TestRipassoPractice::drillQuestionsOfferFourDistinctChoicesWithTheRightOne() {
    for (const DrillKind kind : {DrillKind::Sound, DrillKind::Reading, DrillKind::Class}) {
        DrillMaker maker(kind, 7);
        for (int r = 0; r < 50; ++r) {
            const std::vector<DrillQuestion> round = maker.makeRound({});
            QCOMPARE(int(round.size()), kQuestionsPerRound);
            std::set<int> asked;
            for (const DrillQuestion& q : round) {
                asked.insert(q.letter);
                const alphabet::Consonant& c = alphabet::consonant(q.letter);
                QVERIFY(c.letterClass != alphabet::ConsonantClass::VowelLetter);
                const int right = q.choices[std::size_t(q.right)];
                if (kind == DrillKind::Class) {
                    QCOMPARE(q.choiceCount, 3);
                    QCOMPARE(right, int(c.letterClass));
                    continue;
                }
                QCOMPARE(q.choiceCount, 4);
                QCOMPARE(right, q.letter);
                std::set<std::string> readings;
                for (int i = 0; i < 4; ++i)
                    readings.insert(alphabet::consonant(q.choices[std::size_t(i)]).reading);
                QCOMPARE(int(readings.size()), 4);
            }
            QCOMPARE(int(asked.size()), kQuestionsPerRound); // no letter twice in a round
        }
    }
}

void TestRipassoPractice::lettersMissedBeforeComeMoreOften() {
    // Two misses in a row, then one right answer: weight 1, so drawn as often as two letters.
    LetterScore missed{0xA2, 0, 0, 0};
    missed = scoreAfter(scoreAfter(scoreAfter(missed, false), false), true);
    QCOMPARE(missed.asked, 3);
    QCOMPARE(missed.missed, 2);
    DrillMaker maker(DrillKind::Reading, 3);
    int withMissed = 0, withOther = 0;
    for (int r = 0; r < 400; ++r)
        for (const DrillQuestion& q : maker.makeRound({missed})) {
            withMissed += q.letter == 2;
            withOther += q.letter == 3;
        }
    // Drawn 20 of 44 without weights (about 182 of 400 rounds); with four times the weight
    // of the others it comes in most rounds.
    QVERIFY2(withMissed > 300 && withOther < 230,
             qPrintable(QStringLiteral("%1 %2").arg(withMissed).arg(withOther)));
}

void TestRipassoPractice::folderCardsAreDueKnownOrNew() {
    QTemporaryDir dir;
    writeFile(dir, "LEXFWD_C.DAT",
              line({"casa", "baan", "s.f.", "-", "\xBA\xE9\xD2\xB9", "$", "$"}) +
                  line({"cane", "maa", "s.m.", "-", "@", "$", "$"}) +
                  line({"cani", "-", "-", "*", "cane", "$", "$"}) + // a cross-reference
                  line({"casa", "baan", "s.f.", "edificio", "@", "$", "$"}) +
                  line({"cielo", "", "-", "-", "@", "$", "$"}) + // no pronunciation
                  "\"cosa\",\"a");                               // cut short
    writeFile(dir, "LEXFWD_G.DAT", line({"gatto", "maeu", "s.m.", "-", "@", "$", "$"}));
    std::filesystem::create_directory(dir.filePath(QStringLiteral("LEXFWD_M.DAT")).toStdString());
    const int today = 100;
    CardState dueToday, later;
    dueToday.dueDay = today;
    later.dueDay = today + 3;
    const std::vector<StoredCard> known = {
        {{"casa", "baan", CardDirection::ThaiToItalian}, dueToday},
        {{"cane", "maa", CardDirection::ItalianToThai}, later},
        {{"casa", "ban", CardDirection::ItalianToThai}, dueToday}, // the record changed since
    };
    const auto pathOf = [&dir](const std::string& name) {
        return std::filesystem::path(dir.filePath(QString::fromStdString(name)).toStdString());
    };
    const FolderCards cards = collectCards(pathOf, known, today, 3);
    QCOMPARE(cards.cards, std::size_t(6)); // casa (twice), cane, gatto
    QCOMPARE(int(cards.due.size()), 1);
    QCOMPARE(cards.due[0].key, (CardKey{"casa", "baan", CardDirection::ThaiToItalian}));
    QCOMPARE(cards.due[0].thai, std::string("\xBA\xE9\xD2\xB9"));
    QCOMPARE(cards.due[0].more, std::vector<std::string>{"s.f. edificio"});
    QCOMPARE(cards.unseen, std::size_t(4)); // casa I-T, cane T-I, gatto both
    QCOMPARE(int(cards.fresh.size()), 3);
    QCOMPARE(cards.fresh[0].key, (CardKey{"casa", "baan", CardDirection::ItalianToThai}));
    QCOMPARE(cards.fresh[1].key, (CardKey{"gatto", "maeu", CardDirection::ItalianToThai}));
    QCOMPARE(cards.fresh[2].key, (CardKey{"cane", "maa", CardDirection::ThaiToItalian}));
    QVERIFY(!cards.fresh[0].state);
    const std::vector<std::string> problems = {
        "1 record could not be read in LEXFWD_C.DAT (the first on line 6) and was left out.",
        // The letters without a file have no words yet: no problem of their own.
        "LEXFWD_M.DAT could not be read: it is a folder, not a file."};
    QCOMPARE(cards.problems, problems);
}

void TestRipassoPractice::cardsCountEachWordAndPronunciationOnce_data() {
    // LEXFWD_C.DAT's records, one "head word/pronunciation" each; "cane/maa" has a card
    // answered before in each direction; no new card is taken.
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<int>("cards");
    QTest::addColumn<int>("unseen");
    QTest::newRow("a word twice, apart")
        << QStringList{"casa/baan", "cane/maa", "casa/baan"} << 4 << 2;
    QTest::newRow("the answered word twice")
        << QStringList{"cane/maa", "casa/baan", "cane/maa", "cane/maa"} << 4 << 2;
    QTest::newRow("one word, two pronunciations")
        << QStringList{"casa/baan", "casa/ruean"} << 4 << 4;
    QTest::newRow("the same ends, another middle")
        << QStringList{"cabcdefgh1ijklmnop/x", "cabcdefgh2ijklmnop/x", "cabcdefgh1ijklmnop/x",
                       "cabcdefgh3ijklmnop/x"}
        << 6 << 6;
    const QString longWord = QLatin1Char('c') + QString(70000, QLatin1Char('a'));
    QTest::newRow("a word too long to be kept by place")
        << QStringList{longWord + "/x", "casa/baan", longWord + "/x"} << 4 << 4;
}

void TestRipassoPractice::cardsCountEachWordAndPronunciationOnce() {
    QFETCH(QStringList, records);
    QTemporaryDir dir;
    std::string bytes;
    for (const QString& record : records) {
        const QStringList fields = record.split(QLatin1Char('/'));
        bytes += line({fields[0].toStdString(), fields[1].toStdString(), "-", "-", "@", "$", "$"});
    }
    writeFile(dir, "LEXFWD_C.DAT", bytes);
    const std::vector<StoredCard> known = {{{"cane", "maa", CardDirection::ItalianToThai}, {}},
                                           {{"cane", "maa", CardDirection::ThaiToItalian}, {}}};
    const FolderCards folder = collectCards(
        [&dir](const std::string& name) {
            return std::filesystem::path(dir.filePath(QString::fromStdString(name)).toStdString());
        },
        known, 0, 0);
    QFETCH(int, cards);
    QFETCH(int, unseen);
    QCOMPARE(int(folder.cards), cards);
    QCOMPARE(int(folder.unseen), unseen);
}

void TestRipassoPractice::anAnswerAgainComesBackInTheSameSession() {
    std::vector<WordCard> cards(7);
    for (std::size_t i = 0; i < cards.size(); ++i)
        cards[i].key.headword = std::to_string(i);
    ReviewSession session(cards, 10);
    QStringList order;
    while (!session.finished()) {
        const WordCard& card = session.current();
        order << QString::fromStdString(card.key.headword);
        // "0" is forgotten twice, "5" once.
        const int timesSeen = int(order.count(order.last()));
        const Grade grade = (card.key.headword == "0" && timesSeen <= 2) ||
                                    (card.key.headword == "5" && timesSeen == 1)
                                ? Grade::Again
                                : Grade::Good;
        session.answer(grade, session.preview(grade));
    }
    QCOMPARE(order.join(QLatin1Char(' ')), QStringLiteral("0 1 2 3 4 0 5 6 0 5"));
    QCOMPARE(session.answered(), std::size_t(10));
}

QTEST_MAIN(TestRipassoPractice)
#include "test_ripasso_practice.moc"

// The script drills' questions over many rounds of every drill, and the tone drill's syllables
// read from a folder and filled up from the kit's common words.

#include "alphabet/vowel_table.h"
#include "datafiles/record_writer.h"
#include "ripasso/script_drill.h"
#include "thaitext/codec.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <map>
#include <set>

using namespace ripasso;
using thaiscript::Syllable;

namespace {

std::string tis(const char* utf8) {
    return thaitext::encodeTis620(thaitext::utf8ToUtf16(utf8).value()).value();
}
std::string utf8(const std::string& tisBytes) {
    return QString::fromStdU16String(thaitext::decodeTis620(tisBytes)).toStdString();
}

// What a question must show (its prompt and sound) and its right choice, from the tables and
// the reader.
std::pair<std::string, std::string> expected(DrillKind kind, const ScriptQuestion& q) {
    using K = DrillKind;
    const auto letter = static_cast<unsigned char>(q.code);
    const std::string shown = utf8(std::string(1, char(letter)));
    if (kind == K::Final)
        return {shown, thaiscript::finalSoundName(thaiscript::finalSoundOf(letter))};
    if (kind == K::LookAlike)
        return {std::string(alphabet::consonant(q.code - 0xA0).reading) +
                    alphabet::consonant(q.code - 0xA0).soundFile,
                shown};
    if (kind == K::Tone)
        return {utf8(q.syllable.value().text), thaiscript::toneName(q.syllable->tone)};
    if (kind == K::ToneMark)
        return {alphabet::toneMarkTable().at(std::size_t(q.code - 1)).onO,
                alphabet::toneMarkTable().at(std::size_t(q.code - 1)).name};
    const alphabet::VowelForm& v = alphabet::vowelForm(q.code);
    if (kind == K::VowelSound)
        return {v.soundFile, v.written};
    const bool isLong = v.length == alphabet::VowelLength::Long;
    return {v.written, kind == K::VowelReading ? v.reading : isLong ? "long" : "short"};
}

} // namespace

class TestScriptDrills : public QObject {
    Q_OBJECT
private slots:
    void everyDrillOffersDistinctChoicesWithTheRightOne_data();
    void everyDrillOffersDistinctChoicesWithTheRightOne();
    void toneSyllablesComeFromTheFolderThenTheCommonWords();
};

void TestScriptDrills::everyDrillOffersDistinctChoicesWithTheRightOne_data() {
    QTest::addColumn<DrillKind>("kind");
    QTest::addColumn<int>("items"); // how many the drill asks in all
    QTest::addColumn<int>("choices");
    QTest::newRow("vowel reading") << DrillKind::VowelReading << 32 << 4;
    QTest::newRow("vowel sound") << DrillKind::VowelSound << 32 << 4;
    QTest::newRow("vowel length") << DrillKind::VowelLength << 24 << 2; // twelve pairs
    QTest::newRow("tone mark") << DrillKind::ToneMark << 4 << 4;
    QTest::newRow("tone") << DrillKind::Tone << int(commonSyllables().size()) << 4;
    QTest::newRow("final") << DrillKind::Final << 36 << 4; // 44 letters, 8 end no syllable
    QTest::newRow("look-alike") << DrillKind::LookAlike << 39 << 4;
}

void TestScriptDrills::everyDrillOffersDistinctChoicesWithTheRightOne() {
    QFETCH(DrillKind, kind);
    QFETCH(int, items);
    QFETCH(int, choices);
    std::map<std::string, int> codeOf; // each item's code, over every round
    int missedFirst = 0;               // rounds where the missed item came first
    const std::vector<Syllable>& words = commonSyllables();
    const int missed = ScriptDrillMaker(kind, 0, words).makeRound({}, 1).at(0).code;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        const std::vector<ScriptQuestion> round = ScriptDrillMaker(kind, seed, words).makeRound({});
        QCOMPARE(int(round.size()), std::min(items, kQuestionsPerRound));
        std::set<std::string> asked;
        for (const ScriptQuestion& q : round) {
            const std::string item = q.prompt + q.soundFile;
            QVERIFY2(asked.insert(item).second, item.c_str()); // no item twice in a round
            QCOMPARE(codeOf.emplace(item, q.code).first->second, q.code);
            const auto [shown, right] = expected(kind, q);
            QCOMPARE(item, shown);
            QCOMPARE(q.choiceCount, choices);
            QCOMPARE(q.choices.at(std::size_t(q.right)), right);
            // What must differ between the choices (a vowel form's reading), what they may be.
            std::set<std::string> distinct, allowed;
            for (int i = 0; i < choices; ++i)
                for (const alphabet::VowelForm& f : alphabet::vowelTable())
                    distinct.insert(kind != DrillKind::VowelSound ? q.choices.at(std::size_t(i))
                                    : f.written == q.choices.at(std::size_t(i)) ? f.reading
                                                                                : "");
            QCOMPARE(int(distinct.size()) - (kind == DrillKind::VowelSound), choices);
            for (const std::vector<unsigned char>& g : lookAlikeGroups())
                for (const unsigned char c : g)
                    if (std::count(g.begin(), g.end(), q.code)) // the letters of its groups
                        allowed.insert(utf8(std::string(1, char(c))));
            QVERIFY(
                kind != DrillKind::LookAlike ||
                std::includes(allowed.begin(), allowed.end(), distinct.begin(), distinct.end()));
            std::vector<std::string> inOrder; // the tone drill's four, in the tones' order
            for (const char* t : {"mid", "low", "falling", "high", "rising"})
                if (distinct.count(t))
                    inOrder.push_back(t);
            QVERIFY(kind != DrillKind::Tone ||
                    (inOrder.size() == 4 && q.code == toneRuleKey(*q.syllable) &&
                     std::equal(inOrder.begin(), inOrder.end(), q.choices.begin())));
        }
        // A round of one question, the item missed four times weighing 13 to the others' 1.
        missedFirst +=
            ScriptDrillMaker(kind, seed, words).makeRound({{missed, 4, 4, 4.0}}, 1).at(0).code ==
            missed;
    }
    QCOMPARE(int(codeOf.size()), items);
    const auto share = std::count_if(codeOf.begin(), codeOf.end(), // a rule holds several tones
                                     [&](const auto& item) { return item.second == missed; });
    QVERIFY2(missedFirst > 2 * 300 * share / items, qPrintable(QString::number(missedFirst)));
}

void TestScriptDrills::toneSyllablesComeFromTheFolderThenTheCommonWords() {
    QTemporaryDir dir;
    const auto write = [&dir](const char* name, std::vector<const char*> thai) {
        std::ofstream out(dir.filePath(QLatin1String(name)).toStdString(), std::ios::binary);
        for (const char* t : thai)
            out << datafiles::formatRecordLine({"w", "p", "-", "-", tis(t), "$", "$"});
    };
    // One syllable, two syllables, a mark alone, a Latin field, none, one syllable again.
    write("LEXFWD_A.DAT", {"ขาว", "สับปะรด", "่", "casa", "@", "น้ำ", "ขาว"});
    write("lexfwd_b.dat", {"เด็ก"}); // found whatever its letter case
    std::filesystem::create_directory(dir.filePath(QStringLiteral("LEXFWD_M.DAT")).toStdString());
    const std::filesystem::path folder = dir.path().toStdString();
    std::vector<std::string> texts; // the folder's, then the common words', each once
    for (const Syllable& s : toneDrillSyllables(folder, 25))
        texts.push_back(utf8(s.text));
    QCOMPARE(toneDrillSyllables(folder, 0).size(), std::size_t(3));
    QCOMPARE(std::vector<std::string>(texts.begin(), texts.begin() + 3),
             (std::vector<std::string>{"ขาว", "น้ำ", "เด็ก"}));
    QCOMPARE(std::set<std::string>(texts.begin(), texts.end()).size(), std::size_t(25));
    // Enough common words, with every class, mark, kind of syllable and leading ห and อ.
    std::set<std::string> seen;
    for (const Syllable& s : commonSyllables()) {
        const bool leads =
            s.initial.size() > 1 && (s.initial[0] == '\xCB' || s.initial[0] == '\xCD');
        seen.insert({std::to_string(int(s.toneClass)), thaiscript::markName(s.mark),
                     std::string(s.live ? "live " : "dead ") + thaiscript::lengthName(s.length),
                     "lead " + s.initial.substr(0, leads ? 1 : 0)});
    }
    QVERIFY(commonSyllables().size() >= 80);
    QCOMPARE(int(seen.size()), 3 + 5 + 4 + 3); // "lead " alone for the others
}

QTEST_GUILESS_MAIN(TestScriptDrills)
#include "test_script_drills.moc"

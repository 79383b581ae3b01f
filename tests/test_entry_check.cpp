// The entry check without a window: its messages in their order of precedence, the files it
// picks, the markers of empty boxes and the record it keeps.

#include "test_support.h"
#include "vocaboro/entry_check.h"

#include <QTest>

using vocaboro::checkEntry;
using vocaboro::EntryTexts;

Q_DECLARE_METATYPE(EntryTexts)

class TestEntryCheck : public QObject {
    Q_OBJECT
private slots:
    void verdicts_data();
    void verdicts();
    void aPassingCheckMarksAndKeepsTheEntry();
};

namespace {

// Text1 (Italian word) and Text4 (pronunciation), the others empty.
EntryTexts words(const QString& italian, const QString& pronunciation) {
    EntryTexts texts;
    texts[0] = italian;
    texts[3] = pronunciation;
    return texts;
}

} // namespace

void TestEntryCheck::verdicts_data() {
    QTest::addColumn<EntryTexts>("texts");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("forwardFile");
    QTest::addColumn<QString>("reverseFile");
    const QString none;
    auto row = [](const char* name, const EntryTexts& texts, const QString& failure,
                  const QString& forward = {}, const QString& reverse = {}) {
        QTest::newRow(name) << texts << failure << forward << reverse;
    };
    row("both key words missing", words("", ""), "missing Italy word");
    row("emptiness comes before initials", words("Casa", ""), "missing Thai pronunciation");
    row("a capital Italian initial", words("Casa", "baan"), "Error word Italy");
    row("an accented Italian initial but à", words(QString::fromUtf16(u"èra"), "yuk"),
        "Error word Italy");
    row("á is no initial of the writer", words(QString::fromUtf16(u"ápice"), "yot"),
        "Error word Italy");
    row("à goes to the a file", words(QString::fromUtf16(u"àncora"), "sa-mau"), none,
        "LEXFWD_A.DAT", "LEXREV_S.DAT");
    row("a digit as pronunciation initial", words("casa", "9baan"), "Error word Thai");
    row("an accented pronunciation initial", words("casa", QString::fromUtf16(u"àan")),
        "Error word Thai");
    row("two bad initials report the Italian one", words("Casa", "Baan"), "Error word Italy");
    row("a leading blank is no initial", words(" casa", "baan"), "Error word Italy");
    row("a plain entry", words("casa", "baan"), none, "LEXFWD_C.DAT", "LEXREV_B.DAT");

    EntryTexts quote = words("casa", "baan");
    quote[4] = QStringLiteral("la \"casa\"");
    row("a double quote, which the files cannot hold", quote, "notes: no \" allowed");
    EntryTexts lineBreak = words("casa", "baan");
    lineBreak[1] = QStringLiteral("s.f.\nnome");
    row("a line break", lineBreak, "attribute: no line breaks");
    EntryTexts latinInThai = words("casa", "baan");
    latinInThai[2] = QString::fromUtf16(u"บ้าน ü");
    row("a letter the Thai code set lacks", latinInThai,
        "THAI: Thai script or unaccented letters only");
    row("a letter the Latin code set lacks", words(QString::fromUtf16(u"cała"), "baan"),
        "Italy Word: letter not allowed");
}

void TestEntryCheck::verdicts() {
    QFETCH(EntryTexts, texts);
    QFETCH(QString, failure);
    QFETCH(QString, forwardFile);
    QFETCH(QString, reverseFile);
    const vocaboro::CheckResult result = checkEntry(texts);
    QCOMPARE(result.failure, failure);
    QCOMPARE(result.passed(), failure.isEmpty());
    QCOMPARE(result.forwardFile, forwardFile);
    QCOMPARE(result.reverseFile, reverseFile);
}

void TestEntryCheck::aPassingCheckMarksAndKeepsTheEntry() {
    EntryTexts texts = words("casa", "baan");
    texts[2] = QString::fromUtf16(u"บ้าน");
    const vocaboro::CheckResult result = checkEntry(texts);
    QVERIFY(result.passed());
    const EntryTexts marked = {"casa", "-", QString::fromUtf16(u"บ้าน"), "baan", "-", "$", "$"};
    QCOMPARE(result.texts, marked);
    QCOMPARE(result.record,
             (datafiles::DictionaryRecord{"casa", "baan", "-", "-", "\xBA\xE9\xD2\xB9", "$", "$"}));
    // Given values stay as typed, blanks included.
    texts[1] = QStringLiteral("  ");
    texts[6] = QStringLiteral("casa.wav");
    const vocaboro::CheckResult kept = checkEntry(texts);
    QCOMPARE(kept.record.attribute, std::string("  "));
    QCOMPARE(kept.record.italianSound, std::string("casa.wav"));
    QCOMPARE(kept.record.thaiSound, std::string("$"));
}

QTEST_APPLESS_MAIN(TestEntryCheck)
#include "test_entry_check.moc"

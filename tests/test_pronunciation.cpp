// Vocaboro's pronunciation buttons: the words of the open entry panel, or of the last match
// printed, said from the record's own sound file or by the voice, and the boxes that tell
// why a file was not played or nothing was said.
#include "console_fixture.h"
#include "real_input.h"

#include <QLineEdit>
#include <QPushButton>

using platform::Icon;
using platform::Speech;

namespace {

const QString kThaiHouse = QString::fromUtf16(u"บ้าน");
const QString kSaidHouse = QStringLiteral("thai:\xBA\xE9\xD2\xB9");
const char kHouseTis620[] = "\xBA\xE9\xD2\xB9";
const std::string kWaveHeader =
    std::string("RIFF\x24\0\0\0WAVEfmt ", 16) +
    std::string("\x10\0\0\0\1\0\1\0\x40\x1f\0\0\x80\x3e\0\0\2\0\x10\0", 20) +
    std::string("data\0\0\0\0", 8);

QLineEdit* box(ConsoleFixture& f, int n) {
    return f.control<QLineEdit>(qPrintable(QStringLiteral("Text%1").arg(n)));
}

QStringList boxTexts(ConsoleFixture& f) {
    QStringList texts;
    for (int n = 1; n <= 7; ++n)
        texts.append(box(f, n)->text());
    return texts;
}

// Clicks `button` and checks the box it shows, if any: its title, icon and sentences.
void clickAndExpect(ConsoleFixture& f, const char* button, const QStringList& sentences) {
    f.dialogs().clearLog();
    if (!sentences.isEmpty())
        f.dialogs().expectMessage(sentences.first());
    real::click(f.control<QPushButton>(button));
    QVERIFY2(f.dialogs().problems().isEmpty(), qPrintable(f.dialogs().problems().join("; ")));
    QCOMPARE(f.dialogs().asked().size(), sentences.isEmpty() ? 0 : 1);
    if (sentences.isEmpty())
        return;
    const platform::AskedQuestion& asked = f.dialogs().asked().first();
    QCOMPARE(asked.title, QStringLiteral("vocaboro"));
    QCOMPARE(asked.style.icon, Icon::Information);
    qsizetype at = 0;
    for (const QString& s : sentences) { // in this order
        at = asked.text.indexOf(s, at);
        QVERIFY2(at >= 0, qPrintable(asked.text));
    }
}

} // namespace

class TestPronunciation : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void openPanelSaysTheTypedWordsAndKeepsThem();
    void closedPanelSaysTheLastMatch();
    void audioFailureIsToldOnce();
};

void TestPronunciation::openPanelSaysTheTypedWordsAndKeepsThem() {
    const QString missing = QStringLiteral("cannot be played: it is missing.");
    const QString noWord = QStringLiteral("There is no word to say.");
    const QString played = QStringLiteral("file:<folder>casa.wav"); // <folder>: the sound folder
    const QString said = QStringLiteral("italian:casa");
    const auto ok = Speech::Outcome::Started;
    const auto none = Speech::Outcome::NotInstalled;
    // The Thai script, Text6 and Text7 typed; the voice's answer; what was asked and told.
    const struct {
        const char* button;
        QString thai, thaiSound, italianSound;
        Speech::Outcome voiceSays;
        QStringList calls, sentences;
    } rows[] = {
        {"Command3D1", kThaiHouse, {}, {}, ok, {said}, {}},
        {"Command3D1", {}, {}, "casa.wav", ok, {played}, {}},
        {"Command3D2", kThaiHouse, {}, "casa.wav", ok, {kSaidHouse}, {}},
        {"Command3D2", kThaiHouse, "casa.wav", {}, ok, {played}, {}},
        {"Command3D2", kThaiHouse, "manca.wav", {}, ok, {kSaidHouse}, {missing}},
        {"Command3D2", kThaiHouse, "..\\casa.wav", {}, ok, {kSaidHouse}, {"names a path outside"}},
        {"Command3D2", QString::fromUtf16(u"日本"), {}, {}, ok, {}, {"cannot read this Thai"}},
        {"Command3D2", {}, {}, {}, ok, {}, {noWord}},
        {"Command3D1", {}, {}, "manca.wav", none, {said}, {missing, "Speech is not installed"}},
    };
    for (const auto& row : rows) {
        ConsoleFixture f;
        f.writeBytes("casa.wav", kWaveHeader);
        f.start();
        f.speech().outcome = row.voiceSays;
        QVERIFY(real::activate(&f.form()));
        real::click(f.control<QPushButton>("Command5"));
        const QString typed[] = {"casa", {}, row.thai, "baan", {}, row.thaiSound, row.italianSound};
        for (int n = 1; n <= 7; ++n) {
            real::click(box(f, n));
            real::type(typed[n - 1]);
        }
        const QStringList before = boxTexts(f);
        clickAndExpect(f, row.button, row.sentences);
        QCOMPARE(boxTexts(f), before);
        QStringList calls = row.calls;
        calls.replaceInStrings(QStringLiteral("<folder>"), f.folder());
        QCOMPARE(f.speech().calls, calls);
    }
}

void TestPronunciation::closedPanelSaysTheLastMatch() {
    ConsoleFixture f;
    f.writeRecords("LEXFWD_C.DAT", {{"casa", "baan", "s.f.", "-", kHouseTis620, "baan.wav", "$"}});
    f.writeRecords("LEXREV_B.DAT", {{"baan", "casa", "s.f.", "-", kHouseTis620, "$", "Casa.WAV"}});
    f.writeBytes("baan.wav", kWaveHeader);
    f.writeBytes("casa.wav", kWaveHeader);
    f.start();
    QVERIFY(real::activate(&f.form()));
    // Nothing printed yet: nothing to say.
    clickAndExpect(f, "Command3D1", {QStringLiteral("There is no word to say.")});
    clickAndExpect(f, "Command3D2", {QStringLiteral("There is no word to say.")});
    QCOMPARE(f.speech().calls, QStringList());

    f.dialogs().expectMessage(QStringLiteral("another translate"), platform::Answer::No);
    f.lookUp(QStringLiteral("casa"));
    clickAndExpect(f, "Command3D2", {});
    clickAndExpect(f, "Command3D1", {});
    // The reverse file's record holds the Italian word as its counterpart.
    f.dialogs().expectMessage(QStringLiteral("another translate"), platform::Answer::No);
    f.lookUpWith("Command3D11", QStringLiteral("baan"));
    clickAndExpect(f, "Command3D1", {});
    clickAndExpect(f, "Command3D2", {});
    QCOMPARE(f.speech().calls,
             QStringList({QStringLiteral("file:") + f.folder() + QStringLiteral("baan.wav"),
                          QStringLiteral("italian:casa"),
                          QStringLiteral("file:") + f.folder() + QStringLiteral("casa.wav"),
                          kSaidHouse}));
    QVERIFY(box(f, 6)->text().isEmpty() && box(f, 7)->text().isEmpty());
    // A look-up that prints no match leaves nothing to say, not the word found before it.
    f.dialogs().expectMessage(QStringLiteral("Not Found"), platform::Answer::No);
    f.lookUpWith("Command3D11", QStringLiteral("zzzz"));
    clickAndExpect(f, "Command3D2", {QStringLiteral("There is no word to say.")});
}

void TestPronunciation::audioFailureIsToldOnce() {
    ConsoleFixture f;
    f.start();
    QVERIFY(f.speech().reportFailure);
    f.dialogs().expectMessage(QStringLiteral("no audio device"));
    f.speech().reportFailure(QStringLiteral("There is no audio device."));
    f.speech().reportFailure(QStringLiteral("There is no audio device."));
    QCOMPARE(f.dialogs().asked().size(), 2); // the folder prompt and one box
    QCOMPARE(f.dialogs().asked().last().style.icon, Icon::Information);
    QCOMPARE(f.dialogs().problems(), QStringList());
}

QTEST_MAIN(TestPronunciation)
#include "test_pronunciation.moc"

// The kit's voice: eSpeak NG rendering Thai words from the syllable reader's phonemes (the
// five tones measured on the PCM), the Speech that plays it (outcomes, cancelling, ending),
// and `thai-kit say`. No audio device is needed: the voice renders to memory.

#include "cli/thai_kit.h"
#include "platform/espeak_speech.h"
#include "platform/espeak_voice.h"
#include "platform/text.h"
#include "platform/wav.h"
#include "watchdog.h"

#include <QAudioDevice>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <sstream>

using Outcome = platform::Speech::Outcome;

namespace {

std::string thai(const char* utf8) {
    return platform::toThai(QString::fromUtf8(utf8)).value_or(std::string());
}

std::vector<std::int16_t> rendered(const char* utf8) {
    const auto syllables = thaiscript::spokenSyllables(thai(utf8));
    return syllables ? platform::renderThaiWhole(*syllables) : std::vector<std::int16_t>();
}

// F0 in Hz at the start, middle and end of the voiced part: autocorrelation over 30 ms
// windows every 10 ms, frames quieter than a tenth of the loudest or without a clear period
// left out; each figure the median of three frames.
struct Pitch {
    double start = 0, middle = 0, end = 0;
};
Pitch pitchOf(const std::vector<std::int16_t>& samples) {
    const std::size_t window = platform::kVoiceRate * 30 / 1000, hop = platform::kVoiceRate / 100;
    const std::size_t shortest = platform::kVoiceRate / 400, longest = platform::kVoiceRate / 60;
    std::vector<std::pair<double, double>> frames; // energy, F0
    for (std::size_t at = 0; at + window + longest < samples.size(); at += hop) {
        const auto correlation = [&](std::size_t lag) {
            double sum = 0;
            for (std::size_t i = 0; i < window; ++i)
                sum += double(samples[at + i]) * samples[at + i + lag];
            return sum;
        };
        const double energy = correlation(0);
        std::size_t best = 0;
        double bestValue = 0;
        for (std::size_t lag = shortest; lag <= longest; ++lag)
            if (const double c = correlation(lag); c > bestValue)
                best = lag, bestValue = c;
        frames.emplace_back(energy, best && bestValue > 0.5 * energy
                                        ? double(platform::kVoiceRate) / double(best)
                                        : 0.0);
    }
    double loudest = 0;
    for (const auto& f : frames)
        loudest = std::max(loudest, f.first);
    std::vector<double> voiced;
    for (const auto& f : frames)
        if (f.first > loudest / 10 && f.second > 0)
            voiced.push_back(f.second);
    if (voiced.size() < 5)
        return {};
    const auto around = [&](std::size_t i) {
        std::array<double, 3> three = {voiced[i - 1], voiced[i], voiced[i + 1]};
        std::sort(three.begin(), three.end());
        return three[1];
    };
    return {around(1), around(voiced.size() / 2), around(voiced.size() - 2)};
}

} // namespace

class TestSpeech : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (qstrcmp(QTest::currentTestFunction(), "wavFilesRead") != 0 &&
            !platform::voiceInstalled())
            QSKIP("no eSpeak NG in this build or on this machine");
    }
    void tonesHaveTheirShapes_data();
    void tonesHaveTheirShapes();
    void outcomesOfRequests();
    void laterRequestCancelsEarlier();
    void destructionWhileSpeakingReturns();
    void sayWritesTheWordsWav();
    void wavFilesRead_data();
    void wavFilesRead();
};

void TestSpeech::tonesHaveTheirShapes_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("shape");
    QTest::newRow("mid") << QStringLiteral("มา") << QStringLiteral("mid");
    QTest::newRow("low") << QStringLiteral("ไก่") << QStringLiteral("low");
    QTest::newRow("falling") << QStringLiteral("บ้าน") << QStringLiteral("falling");
    QTest::newRow("high") << QStringLiteral("ม้า") << QStringLiteral("high");
    QTest::newRow("rising") << QStringLiteral("ขาว") << QStringLiteral("rising");
}

void TestSpeech::tonesHaveTheirShapes() {
    QFETCH(QString, word);
    QFETCH(QString, shape);
    const Pitch mid = pitchOf(rendered("มา"));
    const Pitch p = pitchOf(rendered(word.toUtf8().constData()));
    const QString figures = QStringLiteral("%1 (%2): %3 > %4 > %5 Hz, mid %6 > %7 > %8 Hz")
                                .arg(word, shape)
                                .arg(p.start, 0, 'f', 0)
                                .arg(p.middle, 0, 'f', 0)
                                .arg(p.end, 0, 'f', 0)
                                .arg(mid.start, 0, 'f', 0)
                                .arg(mid.middle, 0, 'f', 0)
                                .arg(mid.end, 0, 'f', 0);
    qInfo().noquote() << figures;
    QVERIFY2(p.start > 0 && mid.start > 0, qPrintable(figures));
    bool shaped = true;
    if (shape == QLatin1String("low"))
        shaped = p.start < mid.start && p.middle < mid.middle && p.end < mid.end;
    else if (shape == QLatin1String("high"))
        shaped = p.start > mid.start && p.middle > mid.middle && p.end > mid.end;
    else if (shape == QLatin1String("falling"))
        shaped = p.end < p.start;
    else if (shape == QLatin1String("rising"))
        shaped = p.end > p.start;
    QVERIFY2(shaped, qPrintable(figures));
}

void TestSpeech::outcomesOfRequests() {
    QTemporaryDir dir;
    const QString notWav = dir.filePath(QStringLiteral("words.txt"));
    QFile file(notWav);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("RIFF....WAVEnot a sound") > 0);
    file.close();
    platform::EspeakSpeech speech;
    int failures = 0;
    speech.reportFailure = [&failures](const QString& message) {
        QVERIFY(!message.isEmpty());
        ++failures;
    };
    const std::function<Outcome()> requests[] = {
        [&] { return speech.sayThai(""); },
        [&] { return speech.sayThai(" - "); },
        [&] { return speech.sayItalian(QStringLiteral(" <> ")); },
        [&] { return speech.playFile(dir.filePath(QStringLiteral("absent.wav"))); },
        [&] { return speech.playFile(notWav); },
        [&] { return speech.sayThai(thai("ฯลฯ")); },
        [&] { return speech.sayThai(thai("น้ำ กขค")); },
        [&] { return speech.sayThai(thai("บ้าน")); },
        [&] { return speech.sayItalian(QStringLiteral("casa")); },
        [&] { return speech.playFile(QStringLiteral(SOUND_FOLDER "/1k_kai.wav")); },
    };
    const Outcome expected[] = {Outcome::NothingToSay, Outcome::NothingToSay, Outcome::NothingToSay,
                                Outcome::NothingToSay, Outcome::NothingToSay, Outcome::CannotRead,
                                Outcome::CannotRead,   Outcome::Started,      Outcome::Started,
                                Outcome::Started};
    for (std::size_t i = 0; i < std::size(requests); ++i) {
        QCOMPARE(requests[i](), expected[i]);
        QTest::qWait(30);
    }
    QVERIFY(speech.installed());
    QTest::qWait(500);
    if (QMediaDevices::audioOutputs().isEmpty())
        QCOMPARE(failures, 1);
    else
        QVERIFY(failures <= 1);
}

void TestSpeech::laterRequestCancelsEarlier() {
    const std::vector<std::int16_t> before = rendered("มา");
    QVERIFY(!before.empty());
    platform::EspeakSpeech speech;
    QCOMPARE(
        speech.sayItalian(QString(QStringLiteral("una frase lunga, detta piano. ")).repeated(20)),
        Outcome::Started);
    QCOMPARE(speech.sayThai(thai("มา")), Outcome::Started);
    QTRY_COMPARE(speech.rendersCut(), 1);
    // A rendering cut short leaves nothing of its text behind in the engine: the next is as
    // long as before, give or take the few samples of the voice's pitch flutter, which goes on
    // from one rendering to the next.
    const std::vector<std::int16_t> after = rendered("มา");
    QVERIFY2(
        std::abs(double(after.size()) - double(before.size())) < double(before.size()) / 50,
        qPrintable(QStringLiteral("%1 samples, %2 before").arg(after.size()).arg(before.size())));
    QCOMPARE(speech.rendersCut(), 1);
}

void TestSpeech::destructionWhileSpeakingReturns() {
    const Watchdog watchdog(10);
    auto speech = std::make_unique<platform::EspeakSpeech>();
    QCOMPARE(speech->sayItalian(QString(QStringLiteral("una frase lunga. ")).repeated(40)),
             Outcome::Started);
    QTest::qWait(50); // the rendering under way
    speech.reset();
}

void TestSpeech::sayWritesTheWordsWav() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("word.wav"));
    struct Case {
        QStringList arguments;
        int status;
        const char* out;
    };
    const Case cases[] = {
        {{QStringLiteral("say"), QStringLiteral("ระฆัง"), QStringLiteral("--phonemes")},
         thaikit::kDone,
         "R'a4?\nk_h'a3N\n"},
        {{QStringLiteral("say"), QStringLiteral("น้ำ ฯลฯ"), QStringLiteral("--wav"), path},
         thaikit::kNothingDone,
         ""},
        {{QStringLiteral("say"), QStringLiteral("บ้าน")}, thaikit::kUsageError, ""},
        {{QStringLiteral("say"), QStringLiteral("กอ ไก่"), QStringLiteral("--wav"), path},
         thaikit::kDone,
         ""},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        QCOMPARE(thaikit::run(c.arguments, {}, out, err), c.status);
        QCOMPARE(QString::fromStdString(out.str()), QString::fromUtf8(c.out));
        QCOMPARE(err.str().empty(), c.status == thaikit::kDone);
    }
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    const auto sound =
        platform::parseWav(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    QVERIFY(sound);
    QCOMPARE(sound->rate, platform::kVoiceRate);
    QCOMPARE(sound->channels, 1);
    QCOMPARE(sound->bitsPerSample, 16);
    // The word as the voice renders it (the pitch flutter aside, which goes on from one
    // rendering to the next): two syllables, two words apart.
    const double length = double(rendered("กอ ไก่").size() * 2);
    QVERIFY(std::abs(double(sound->data.size()) - length) < length / 50);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("word.wav")});
}

void TestSpeech::wavFilesRead_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("dataBytes"); // -1: not a PCM WAV
    const auto header = [](int tag, int channels, int bits, int fmtSize) {
        QByteArray h = QByteArray("RIFF\0\0\0\0WAVEfmt ", 16);
        const auto le = [&h](quint32 v, int size) {
            for (int i = 0; i < size; ++i)
                h += char(v >> (8 * i) & 0xff);
        };
        le(quint32(fmtSize), 4);
        le(quint32(tag), 2);
        le(quint32(channels), 2);
        le(11025, 4);
        le(quint32(11025 * channels * bits / 8), 4);
        le(quint32(channels * bits / 8), 2);
        le(quint32(bits), 2);
        h += QByteArray(fmtSize - 16, '\0');
        return h;
    };
    const QByteArray data4 = QByteArray("data\4\0\0\0abcd", 12);
    QTest::newRow("16-bit mono") << header(1, 1, 16, 16) + data4 << 1 << 16 << 4;
    QTest::newRow("8-bit stereo, odd chunk skipped")
        << header(1, 2, 8, 16) + QByteArray("LIST\1\0\0\0x\0", 10) + data4 << 2 << 8 << 4;
    QTest::newRow("longer fmt") << header(1, 1, 16, 18) + data4 << 1 << 16 << 4;
    QTest::newRow("data cut short, whole frames kept")
        << header(1, 2, 16, 16) + QByteArray("data\x10\0\0\0abcdefg", 15) << 2 << 16 << 4;
    QTest::newRow("not PCM") << header(3, 1, 16, 16) + data4 << 0 << 0 << -1;
    QTest::newRow("24-bit") << header(1, 1, 24, 16) + data4 << 0 << 0 << -1;
    QTest::newRow("data before fmt") << QByteArray("RIFF\0\0\0\0WAVE", 12) + data4 << 0 << 0 << -1;
    QTest::newRow("not RIFF") << QByteArray("RIFX") + header(1, 1, 16, 16).mid(4) + data4 << 0 << 0
                              << -1;
}

void TestSpeech::wavFilesRead() {
    QFETCH(QByteArray, file);
    QFETCH(int, channels);
    QFETCH(int, bits);
    QFETCH(int, dataBytes);
    const auto sound =
        platform::parseWav(std::string_view(file.constData(), std::size_t(file.size())));
    QCOMPARE(sound.has_value(), dataBytes >= 0);
    if (sound) {
        QCOMPARE(sound->channels, channels);
        QCOMPARE(sound->bitsPerSample, bits);
        QCOMPARE(int(sound->data.size()), dataBytes);
    }
}

QTEST_MAIN(TestSpeech)
#include "test_speech.moc"

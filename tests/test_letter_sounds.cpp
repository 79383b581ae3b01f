// The chart's letter sounds and the vowel forms' sounds as committed in data/sounds: the table
// of readings that made them (letter_names.tsv) covers the chart's 46 names with its 45 files,
// and vowel_sounds.tsv the vowel table's 32 forms with a file each; every file is a whole 11
// kHz mono 16-bit sound that starts and ends near silence, with one voiced nucleus for each
// syllable of its name. Nothing here needs a speech synthesiser: the files are read as committed.

#include "alphabet/consonant_table.h"
#include "alphabet/vowel_table.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>
#include <QTest>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>
#include <vector>

using alphabet::ConsonantClass;
using alphabet::consonantTable;

namespace {

const QString kFolder = QStringLiteral(SOUND_FOLDER);

struct Syllable {
    int line = 0;
    QString word; // letter_names.tsv: the word's number; vowel_sounds.tsv: the vowel form
    QString initial, vowel, length, final, tone, phonemes;
};

// The table's rows by file, in the order of the file's syllables; files in table order.
struct Table {
    QStringList files;
    std::map<QString, std::vector<Syllable>> syllables;
};

Table readTable(const QString& name) {
    Table table;
    QFile file(kFolder + u'/' + name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    QTextStream in(&file);
    int number = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++number;
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        // The last column, the syllable as written, is the syllable reader's test's.
        if (fields.size() != 9)
            qFatal("%s line %d: %lld fields, not 9", qPrintable(name), number,
                   static_cast<long long>(fields.size()));
        Syllable s{number,    fields[1], fields[2], fields[3],
                   fields[4], fields[5], fields[6], fields[7]};
        if (!table.syllables.count(fields[0]))
            table.files.append(fields[0]);
        table.syllables[fields[0]].push_back(s);
    }
    return table;
}

struct Sound {
    int rate = 0;
    int channels = 0;
    int bits = 0;
    std::vector<std::int16_t> samples;
};

std::uint32_t little(const QByteArray& bytes, qsizetype at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

// A RIFF WAVE file's format and 16-bit samples; an empty sound when it is no such file.
Sound readWav(const QString& path) {
    Sound sound;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return sound;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return sound;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = static_cast<qsizetype>(little(bytes, at + 4, 4));
        const qsizetype body = at + 8;
        if (body + size > bytes.size())
            break;
        if (id == "fmt " && size >= 16) {
            if (little(bytes, body, 2) != 1) // PCM
                return sound;
            sound.channels = static_cast<int>(little(bytes, body + 2, 2));
            sound.rate = static_cast<int>(little(bytes, body + 4, 4));
            sound.bits = static_cast<int>(little(bytes, body + 14, 2));
        } else if (id == "data" && sound.bits == 16) {
            for (qsizetype i = 0; i + 1 < size; i += 2)
                sound.samples.push_back(static_cast<std::int16_t>(little(bytes, body + i, 2)));
        }
        at = body + size + (size & 1);
    }
    return sound;
}

int peakIn(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to) {
    int peak = 0;
    for (std::size_t i = from; i < to && i < samples.size(); ++i)
        peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    return peak;
}

// The voiced nuclei of a sound: stretches of 10 ms frames that are periodic (normalised
// autocorrelation above 0.6 at a lag of 70 to 400 Hz) and within 20 dB of the loudest
// periodic frame, on the sound low-passed at 900 Hz so that fricatives and the bursts of
// stops weigh little. Stretches apart by 20 ms or less are one; one shorter than 50 ms is
// none. Returned as [first frame, end frame) pairs.
std::vector<std::pair<int, int>> voicedNuclei(const Sound& sound) {
    const double rate = sound.rate;
    const double a = std::exp(-2.0 * std::numbers::pi * 900.0 / rate);
    std::vector<double> low(sound.samples.size());
    double y1 = 0, y2 = 0;
    for (std::size_t i = 0; i < low.size(); ++i) {
        y1 = (1 - a) * sound.samples[i] + a * y1;
        y2 = (1 - a) * y1 + a * y2;
        low[i] = y2;
    }
    const std::size_t hop = static_cast<std::size_t>(sound.rate / 100);
    const std::size_t window = 3 * hop;
    const std::size_t shortest = static_cast<std::size_t>(sound.rate / 400);
    const std::size_t longest = static_cast<std::size_t>(sound.rate / 70);

    std::vector<double> level;
    for (std::size_t start = 0; start + window + longest <= low.size(); start += hop) {
        double energy = 0;
        for (std::size_t i = 0; i < window; ++i)
            energy += low[start + i] * low[start + i];
        level.push_back(10 * std::log10(energy / static_cast<double>(window) + 1e-9));
    }
    if (level.empty())
        return {};
    const double loudest = *std::max_element(level.begin(), level.end());

    std::vector<bool> periodic(level.size(), false);
    double loudestPeriodic = -1e9;
    for (std::size_t f = 0; f < level.size(); ++f) {
        if (level[f] < loudest - 30) // too quiet to be a nucleus whatever it is
            continue;
        const std::size_t start = f * hop;
        double own = 0;
        for (std::size_t i = 0; i < window; ++i)
            own += low[start + i] * low[start + i];
        double best = 0;
        for (std::size_t lag = shortest; lag <= longest; ++lag) {
            double cross = 0, other = 0;
            for (std::size_t i = 0; i < window; ++i) {
                cross += low[start + i] * low[start + i + lag];
                other += low[start + i + lag] * low[start + i + lag];
            }
            best = std::max(best, cross / std::sqrt(own * other + 1e-9));
        }
        if (best > 0.6) {
            periodic[f] = true;
            loudestPeriodic = std::max(loudestPeriodic, level[f]);
        }
    }

    std::vector<std::pair<int, int>> stretches;
    for (std::size_t f = 0; f < level.size(); ++f) {
        if (!periodic[f] || level[f] <= loudestPeriodic - 20)
            continue;
        const int frame = static_cast<int>(f);
        if (!stretches.empty() && frame - stretches.back().second <= 2)
            stretches.back().second = frame + 1;
        else
            stretches.push_back({frame, frame + 1});
    }
    std::erase_if(stretches, [](const std::pair<int, int>& s) { return s.second - s.first < 5; });
    return stretches;
}

} // namespace

class TestLetterSounds : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        table = readTable(QStringLiteral("letter_names.tsv"));
        vowels = readTable(QStringLiteral("vowel_sounds.tsv"));
    }
    void theTableCoversTheChartAndTheFolder();
    void eachNameStartsWithTheLettersSyllable();
    void theVowelTableIsConsistentAndMatchesItsSounds();
    void soundsAreWholeWithOneNucleusPerSyllable_data() { perFile(); }
    void soundsAreWholeWithOneNucleusPerSyllable();

private:
    void perFile() {
        QTest::addColumn<QString>("file");
        for (const QString& file : table.files + vowels.files)
            QTest::newRow(qUtf8Printable(file)) << file;
    }
    const std::vector<Syllable>& syllablesOf(const QString& file) const {
        return table.syllables.count(file) ? table.syllables.at(file) : vowels.syllables.at(file);
    }
    Table table;
    Table vowels;
};

void TestLetterSounds::theTableCoversTheChartAndTheFolder() {
    // 46 names, 45 files: RU (36) and LU (38) share "___.wav", and no other two do.
    QMap<QString, QList<int>> entriesOfFile;
    for (const alphabet::Consonant& c : consonantTable())
        entriesOfFile[QString::fromUtf8(c.soundFile)].append(c.number);
    QCOMPARE(entriesOfFile.size(), 45);
    QCOMPARE(entriesOfFile.value(QStringLiteral("___.wav")), (QList<int>{36, 38}));

    const QSet<QString> chartFiles(entriesOfFile.keyBegin(), entriesOfFile.keyEnd());
    const QSet<QString> tableFiles(table.files.begin(), table.files.end());
    QCOMPARE(table.files.size(), 45);
    QCOMPARE(tableFiles, chartFiles);

    // The folder holds the letters' files and the vowels' files, nothing else.
    const QStringList wavs = QDir(kFolder).entryList({QStringLiteral("*.wav")}, QDir::Files);
    QCOMPARE(QSet<QString>(wavs.begin(), wavs.end()),
             chartFiles + QSet<QString>(vowels.files.begin(), vowels.files.end()));
}

void TestLetterSounds::eachNameStartsWithTheLettersSyllable() {
    // Word 1 is one syllable and word 2 follows it. A consonant's own syllable is its
    // sound with a long ɔ, rising after a high-class letter and mid after the others.
    for (const QString& file : table.files) {
        const std::vector<Syllable>& syllables = table.syllables.at(file);
        QVERIFY2(syllables.size() >= 2, qPrintable(file));
        QCOMPARE(syllables[0].word, QStringLiteral("1"));
        for (std::size_t i = 1; i < syllables.size(); ++i)
            QCOMPARE(syllables[i].word, QStringLiteral("2"));
    }
    for (const alphabet::Consonant& c : consonantTable()) {
        if (c.letterClass == ConsonantClass::VowelLetter)
            continue;
        const Syllable& own = table.syllables.at(QString::fromUtf8(c.soundFile))[0];
        QVERIFY2(own.vowel == "ɔ" && own.length == "long" && own.final == "-", c.standardName);
        QVERIFY2(own.tone == (c.letterClass == ConsonantClass::High ? "rising" : "mid"),
                 c.standardName);
    }
}

void TestLetterSounds::theVowelTableIsConsistentAndMatchesItsSounds() {
    // 32 forms, each with its own file and its row of vowel_sounds.tsv, in the same order, for
    // the same form and length. 12 short and long pairs: partners point at each other, differ
    // in reading, and the long one's voiced nucleus is the longer.
    const auto voiced = [](const char* file) {
        const auto nuclei = voicedNuclei(readWav(kFolder + u'/' + QString::fromUtf8(file)));
        return nuclei.empty() ? 0 : nuclei[0].second - nuclei[0].first;
    };
    const std::vector<alphabet::VowelForm>& forms = alphabet::vowelTable();
    QCOMPARE(forms.size(), std::size_t{32});
    QCOMPARE(vowels.files.size(), 32);
    int paired = 0;
    for (const alphabet::VowelForm& v : forms) {
        QCOMPARE(&alphabet::vowelForm(v.number), &v);
        QCOMPARE(vowels.files.at(v.number - 1), QString::fromUtf8(v.soundFile));
        const Syllable& row = vowels.syllables.at(QString::fromUtf8(v.soundFile)).front();
        const bool isLong = v.length == alphabet::VowelLength::Long;
        QVERIFY2(row.word == v.form && row.length == (isLong ? "long" : "short"), v.form);
        if (v.partner == 0)
            continue;
        ++paired;
        const alphabet::VowelForm& p = alphabet::vowelForm(v.partner);
        QVERIFY2(p.partner == v.number && p.length != v.length, v.form);
        QVERIFY2(QByteArray(p.reading) != v.reading, v.form);
        if (isLong)
            QVERIFY2(voiced(v.soundFile) > voiced(p.soundFile), v.form);
    }
    QCOMPARE(paired, 24);
}

void TestLetterSounds::soundsAreWholeWithOneNucleusPerSyllable() {
    QFETCH(QString, file);
    const Sound sound = readWav(kFolder + u'/' + file);
    QCOMPARE(sound.rate, 11025);
    QCOMPARE(sound.channels, 1);
    QCOMPARE(sound.bits, 16);

    const std::size_t syllables = syllablesOf(file).size();
    const double seconds = static_cast<double>(sound.samples.size()) / sound.rate;
    QVERIFY2(seconds >= 0.3 * static_cast<double>(syllables) && seconds <= 4.0,
             qPrintable(QStringLiteral("%1 s").arg(seconds)));

    // Normalised, not silent; the first and last 10 ms near silence, so nothing is cut.
    const std::size_t edge = static_cast<std::size_t>(sound.rate / 100);
    const std::size_t end = sound.samples.size();
    QVERIFY2(peakIn(sound.samples, 0, end) >= 16384, "the sound is (nearly) silent");
    QVERIFY2(peakIn(sound.samples, 0, edge) < 328, "the sound starts mid-way");
    QVERIFY2(peakIn(sound.samples, end - edge, end) < 328, "the sound is cut at its end");

    const auto nuclei = voicedNuclei(sound);
    QString where;
    for (const auto& [from, to] : nuclei)
        where += QStringLiteral(" %1-%2 s").arg(from / 100.0).arg(to / 100.0);
    QVERIFY2(nuclei.size() == syllables, qPrintable(QStringLiteral("%1 nuclei (%2), %3 syllables")
                                                        .arg(nuclei.size())
                                                        .arg(where.trimmed())
                                                        .arg(syllables)));
}

QTEST_GUILESS_MAIN(TestLetterSounds)
#include "test_letter_sounds.moc"

// The sound fields of a record, the checks made before a sound file is played, and the word
// said from its own file or by the voice.
#include "watchdog.h"

#include "datafiles/path_mapping.h"
#include "datafiles/sound_files.h"
#include "platform/test_doubles.h"
#include "platform/word_speech.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

using datafiles::SoundField;
using datafiles::SoundFileCheck;
using platform::Speech;

namespace {

const std::string kWaveHeader =
    std::string("RIFF\x24\0\0\0WAVEfmt ", 16) +
    std::string("\x10\0\0\0\1\0\1\0\x40\x1f\0\0\x80\x3e\0\0\2\0\x10\0", 20) +
    std::string("data\0\0\0\0", 8);

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace

class TestSoundFiles : public QObject {
    Q_OBJECT
private slots:
    void fieldsNameOnlyFilesOfTheFolder();
    void checksComeBeforeAnyPlay();
    void wordSaidFromItsFileOrByTheVoice();
};

void TestSoundFiles::fieldsNameOnlyFilesOfTheFolder() {
    const struct {
        std::string field;
        SoundField expected;
    } rows[] = {
        {"casa.wav", SoundField::Name},
        {"ciao mondo.WAV", SoundField::Name},
        {"perch\xE9.wav", SoundField::Name}, // code page 1252
        {"..wav", SoundField::Name},
        {std::string(255, 'a'), SoundField::Name},
        {"", SoundField::None},
        {"$", SoundField::None},
        {"-", SoundField::None},
        {"@", SoundField::None},
        {"../x.wav", SoundField::Refused},
        {"/etc/passwd", SoundField::Refused},
        {"C:x.wav", SoundField::Refused},
        {"c:\\thai\\x.wav", SoundField::Refused},
        {"a\\b.wav", SoundField::Refused},
        {"sub/b.wav", SoundField::Refused},
        {".", SoundField::Refused},
        {"..", SoundField::Refused},
        {"a\tb.wav", SoundField::Refused},
        {std::string("a\0b", 3), SoundField::Refused},
        {std::string(256, 'a'), SoundField::Refused},
    };
    for (const auto& row : rows) {
        std::string_view name;
        const SoundField got = datafiles::soundField(row.field, &name);
        QVERIFY2(got == row.expected, row.field.c_str());
        if (got == SoundField::Name)
            QCOMPARE(name, std::string_view(row.field));
    }
}

void TestSoundFiles::checksComeBeforeAnyPlay() {
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    writeFile(root / "good.wav", kWaveHeader);
    writeFile(root / "text.wav", "not a sound at all\n");
    writeFile(root / "short.wav", "RIFF");
    writeFile(root / "unreadable.wav", kWaveHeader);
    std::filesystem::permissions(root / "unreadable.wav", std::filesystem::perms::none);
    std::filesystem::create_directory(root / "folder.wav");
    QCOMPARE(::mkfifo((root / "fifo.wav").c_str(), 0600), 0);
    std::filesystem::create_symlink(root / "good.wav", root / "link.wav");
    std::filesystem::create_symlink(root / "gone.wav", root / "dangling.wav");
    writeFile(root / "huge.wav", kWaveHeader);
    std::filesystem::resize_file(root / "huge.wav", datafiles::kLargestSoundFile + 1);
    writeFile(root / "largest.wav", kWaveHeader);
    std::filesystem::resize_file(root / "largest.wav", datafiles::kLargestSoundFile);

    const struct {
        const char* name;
        SoundFileCheck expected;
    } rows[] = {
        {"good.wav", SoundFileCheck::Good},
        {"link.wav", SoundFileCheck::Good},
        {"largest.wav", SoundFileCheck::Good},
        {"missing.wav", SoundFileCheck::Missing},
        {"dangling.wav", SoundFileCheck::Missing},
        {"good.wav/inside", SoundFileCheck::Missing},
        {"folder.wav", SoundFileCheck::NotRegular},
        {"fifo.wav", SoundFileCheck::NotRegular}, // opened, it would wait for a writer
        {"huge.wav", SoundFileCheck::TooLarge},
        {"text.wav", SoundFileCheck::NotWave},
        {"short.wav", SoundFileCheck::NotWave},
        {"unreadable.wav", SoundFileCheck::Unreadable},
    };
    const Watchdog watchdog(20);
    for (const auto& row : rows) {
        if (row.expected == SoundFileCheck::Unreadable && ::geteuid() == 0) {
            qInfo("%s: skipped, the superuser reads every file", row.name);
            continue;
        }
        QVERIFY2(datafiles::checkSoundFile(root / row.name) == row.expected, row.name);
    }
}

void TestSoundFiles::wordSaidFromItsFileOrByTheVoice() {
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    const QString sounds = QString::fromStdString((root / "drive_c" / "suoni").string());
    writeFile(root / "drive_c" / "suoni" / "casa.wav", kWaveHeader);
    writeFile(root / "drive_c" / "suoni" / "testo.wav", "text");
    writeFile(root / "drive_c" / "suoni" / "perch\xC3\xA9.wav", kWaveHeader); // UTF-8 on disk
    writeFile(root / "drive_c" / "fuori.wav", kWaveHeader);
    std::filesystem::create_directory(root / "drive_c" / "suoni" / "cartella.wav");
    const datafiles::PathMapper paths(root);
    const QString folder = QStringLiteral("C:\\SUONI\\"); // as typed, mapped like the data files
    const QString voice = QStringLiteral("thai:\xBA\xE9\xD2\xB9");
    const QString file = QStringLiteral("file:") + sounds + QLatin1Char('/');

    const struct {
        const char* field;
        QStringList calls;
        QString problem; // a part of the file's problem; empty for none
        Speech::Outcome voiceSays = Speech::Outcome::Started;
    } rows[] = {
        {"casa.wav", {file + "casa.wav"}, {}},
        {"CASA.WAV", {file + "casa.wav"}, {}},
        {"perch\xE9.wav", {file + QString::fromUtf8("perché.wav")}, {}},
        {"$", {voice}, {}},
        {"manca.wav", {voice}, sounds + "/manca.wav” cannot be played: it is missing."},
        {"testo.wav", {voice}, "testo.wav” cannot be played: it is not a WAV file."},
        {"cartella.wav", {voice}, "cartella.wav” cannot be played: it is not a regular file."},
        {"..\\fuori.wav", {voice}, "The sound field “..\\fuori.wav” names a path outside"},
        {"../fuori.wav", {voice}, "The sound field “../fuori.wav” names a path outside"},
        {"manca.wav", {voice}, "it is missing.", Speech::Outcome::NotInstalled},
    };
    for (const auto& row : rows) {
        platform::RecordingSpeech speech;
        speech.outcome = row.voiceSays;
        const platform::WordSaid said =
            platform::sayThaiWord(speech, paths, folder, row.field, "\xBA\xE9\xD2\xB9");
        QCOMPARE(speech.calls, row.calls);
        QCOMPARE(said.fromFile, row.calls.first().startsWith(QLatin1String("file:")));
        QCOMPARE(said.outcome, said.fromFile ? Speech::Outcome::Started : row.voiceSays);
        if (row.problem.isEmpty())
            QCOMPARE(said.fileProblem, QString());
        else
            QVERIFY2(said.fileProblem.contains(row.problem), qPrintable(said.fileProblem));
    }

    // The Italian word the same way; nothing is said of a word that is not there.
    platform::RecordingSpeech speech;
    QCOMPARE(platform::sayItalianWord(speech, paths, folder, "casa.wav", "casa").fromFile, true);
    QCOMPARE(platform::sayItalianWord(speech, paths, folder, "manca.wav", "casa").outcome,
             Speech::Outcome::Started);
    QCOMPARE(platform::sayItalianWord(speech, paths, folder, "-", " ").outcome,
             Speech::Outcome::NothingToSay);
    QCOMPARE(platform::sayThaiWord(speech, paths, folder, "$", "@").outcome,
             Speech::Outcome::NothingToSay);
    QCOMPARE(speech.calls, QStringList({file + "casa.wav", QStringLiteral("italian:casa")}));
}

QTEST_GUILESS_MAIN(TestSoundFiles)
#include "test_sound_files.moc"

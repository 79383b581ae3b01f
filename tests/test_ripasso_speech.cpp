// Ripasso says the words and records them, driven by keys: the Thai side of each card said as
// it shows in each direction (a word's own recording played instead of the voice), S again,
// the setting that turns it off and is remembered; on the Words page a recording from a fake
// microphone written as a WAV file that both data files' records then name, and heard again.

#include "real_input.h"
#include "ripasso_fixture.h"
#include "test_support.h"

#include "datafiles/record_reader.h"
#include "platform/word_speech.h"
#include "ripasso/words_page.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QtEndian>

using namespace ripasso;
using datafiles::DictionaryRecord;

namespace {

const QString kCasa = QStringLiteral("thai:") + QString::fromLatin1("\xBA\xE9\xD2\xB9");

// A WAV file of `samples` 16-bit samples at 16000 Hz.
QByteArray wave(int samples) {
    QByteArray out(
        "RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x80\x3E\0\0\0\x7D\0\0\x02\0\x10\0data", 40);
    out.append(4, '\0').append(QByteArray(samples * 2, '\x11'));
    qToLittleEndian<quint32>(quint32(out.size() - 8), out.data() + 4);
    qToLittleEndian<quint32>(quint32(samples * 2), out.data() + 40);
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

DictionaryRecord onlyRecord(RipassoFixture& f, const char* name) {
    QFile file(f.words() + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const auto records =
        datafiles::readAllRecords(std::string_view(bytes.constData(), std::size_t(bytes.size())))
            .records;
    return records.size() == 1 ? records.front() : DictionaryRecord{};
}

} // namespace

class TestRipassoSpeech : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void theThaiSideIsSaidAsItShows();
    void aWordRecordedOnTheWordsPage_data();
    void aWordRecordedOnTheWordsPage();
};

void TestRipassoSpeech::theThaiSideIsSaidAsItShows() {
    RipassoFixture f;
    f.write("LEXFWD_C.DAT", {{"casa", "baan", "s.f.", "-", "\xBA\xE9\xD2\xB9", "$", "$"}});
    f.write("LEXFWD_G.DAT", {{"gatto", "maeu", "s.m.", "-", "@", "rec_maeu.wav", "$"}});
    writeFile(f.words() + QStringLiteral("rec_maeu.wav"), wave(800));
    const QString gatto = QStringLiteral("file:") + f.words() + QStringLiteral("rec_maeu.wav");
    QVERIFY(real::activate(&f.open()));
    real::press(Qt::Key_Return); // the review
    // Italian to Thai cards first (the Thai on the back), then Thai to Italian ones.
    const std::pair<Qt::Key, QStringList> steps[] = {
        {Qt::Key_S, {}}, // casa's front is Italian: S says nothing
        {Qt::Key_Space, {kCasa}}, {Qt::Key_S, {kCasa}},
        {Qt::Key_3, {}},          {Qt::Key_Space, {gatto}},
        {Qt::Key_3, {kCasa}},     {Qt::Key_S, {kCasa}},
        {Qt::Key_Space, {}},      {Qt::Key_3, {gatto}},
        {Qt::Key_Space, {}},      {Qt::Key_3, {QStringLiteral("stop")}}};
    for (const auto& [key, said] : steps) {
        f.speech.calls.clear();
        real::press(key);
        QCOMPARE(f.speech.calls, said);
    }
    QVERIFY(f.control<QWidget>("homePage")->isVisible());

    // A word the voice cannot say: told on the card, the review goes on; the device's failure
    // likewise. Then the setting turned off (Alt+T): nothing said, and remembered.
    f.day += 10;
    QVERIFY(real::activate(&f.open()));
    f.speech.outcome = platform::Speech::Outcome::CannotRead;
    real::press(Qt::Key_Return);
    real::press(Qt::Key_Space);
    QCOMPARE(f.control<QLabel>("speechNote")->text(),
             platform::speechProblem(platform::Speech::Outcome::CannotRead));
    f.speech.reportFailure(QStringLiteral("No audio device."));
    QCOMPARE(f.control<QLabel>("speechNote")->text(), QStringLiteral("No audio device."));
    real::press(Qt::Key_Escape);
    real::press(Qt::Key_T, Qt::AltModifier);
    QTRY_COMPARE(f.store->setting("sayWords"), std::optional<std::string>("0"));
    QVERIFY(real::activate(&f.open()));
    QVERIFY(!f.control<QCheckBox>("sayWordsCheck")->isChecked());
    f.speech.calls.clear();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_S, Qt::Key_3, Qt::Key_Space,
                              Qt::Key_S, Qt::Key_Escape})
        real::press(key);
    QCOMPARE(f.speech.calls, QStringList());
}

void TestRipassoSpeech::aWordRecordedOnTheWordsPage_data() {
    QTest::addColumn<QByteArray>("soundBefore"); // the field, and a file of that name
    QTest::addColumn<int>("samples");            // at 16000 Hz; -1 no microphone, -2 it fails
    QTest::addColumn<QString>("told");
    QTest::addColumn<QByteArray>("soundAfter");
    QTest::newRow("recorded") << QByteArray("$") << 8000 << "" << QByteArray("rec_baan.wav");
    QTest::newRow("again: the kit's own file replaced")
        << QByteArray("rec_baan.wav") << 8000 << "" << QByteArray("rec_baan_2.wav");
    QTest::newRow("again: the user's own file kept")
        << QByteArray("baan.wav") << 8000 << "" << QByteArray("rec_baan.wav");
    QTest::newRow("no microphone") << QByteArray("$") << -1 << "No microphone" << QByteArray("$");
    QTest::newRow("it does not start")
        << QByteArray("$") << -2 << "could not be started" << QByteArray("$");
    QTest::newRow("too short") << QByteArray("$") << 4000 << "too short" << QByteArray("$");
}

void TestRipassoSpeech::aWordRecordedOnTheWordsPage() {
    QFETCH(QByteArray, soundBefore);
    QFETCH(int, samples);
    QFETCH(QString, told);
    QFETCH(QByteArray, soundAfter);
    RipassoFixture f;
    const DictionaryRecord casa{
        "casa", "baan", "s.f.", "-", "\xBA\xE9\xD2\xB9", soundBefore.toStdString(), "$"};
    f.write("LEXFWD_C.DAT", {casa});
    f.write("LEXREV_B.DAT", {datafiles::reverseOf(casa)});
    if (soundBefore != "$")
        writeFile(f.words() + QString::fromLatin1(soundBefore), wave(800));
    writeFile(f.words() + QStringLiteral(".ripasso-rec-rec_x.wav"), "cut short");
    f.recorder.present = samples != -1;
    f.recorder.startFails = samples == -2;
    for (int i = 0; i < samples; ++i)
        f.recorder.samples.append(char(i)).append(char(i >> 8));
    QVERIFY(real::activate(&f.open()));
    real::press(Qt::Key_W, Qt::AltModifier);
    QTRY_VERIFY(f.window->wordsPage().isVisible());
    real::press(Qt::Key_Down); // the table, its first word
    if (!told.isEmpty())
        f.dialogs.expectMessage(told);
    real::press(Qt::Key_R, Qt::AltModifier);
    QCOMPARE(f.control<QPushButton>("recordButton")->text().startsWith(QStringLiteral("Stop")),
             samples >= 0);
    if (samples >= 0)
        real::press(Qt::Key_R, Qt::AltModifier);
    QCOMPARE(f.control<QPushButton>("recordButton")->text(), QStringLiteral("Record (Alt+R)"));

    DictionaryRecord after = casa;
    after.thaiSound = soundAfter.toStdString();
    QCOMPARE(onlyRecord(f, "LEXFWD_C.DAT"), after);
    QCOMPARE(onlyRecord(f, "LEXREV_B.DAT"), datafiles::reverseOf(after));
    QStringList recordings = QDir(f.words()).entryList({QStringLiteral("*.wav")}, QDir::Files);
    QStringList expected{QString::fromLatin1(soundAfter)};
    if (soundBefore == "baan.wav")
        expected.prepend(QString::fromLatin1(soundBefore)); // not the kit's: kept
    expected.removeAll(QStringLiteral("$"));
    QCOMPARE(recordings, expected);
    if (soundAfter != soundBefore) {
        QFile file(f.words() + QString::fromLatin1(soundAfter));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.left(4), QByteArray("RIFF"));
        QCOMPARE(bytes.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 24), 16000u);
        QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 40), quint32(samples * 2));
        QCOMPARE(bytes.mid(44), f.recorder.samples);
        // The temporary file of a recording cut short by a kill is gone.
        QVERIFY(!QFile::exists(f.words() + QStringLiteral(".ripasso-rec-rec_x.wav")));
    }
    f.speech.calls.clear();
    real::press(Qt::Key_L, Qt::AltModifier);
    QCOMPARE(f.speech.calls, QStringList{soundAfter == "$" ? kCasa
                                                           : QStringLiteral("file:") + f.words() +
                                                                 QString::fromLatin1(soundAfter)});
}

QTEST_MAIN(TestRipassoSpeech)
#include "test_ripasso_speech.moc"

// The real player on sound files of its own. Qt reads sound files in a loading thread of
// a cache that lives until the process exits, and a process that exits while that thread
// is reading never ends; so once a player is gone, every file it asked for has been read.

#include "platform/qt_sound_player.h"

#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// A WAV file of silence, 16-bit mono: long enough that reading it takes a while.
void writeSilence(const QString& path, int seconds) {
    const quint32 rate = 44100;
    const quint32 dataBytes = rate * 2 * static_cast<quint32>(seconds);
    QByteArray wav;
    auto u32 = [&wav](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        wav.append(reinterpret_cast<const char*>(&le), 4);
    };
    auto u16 = [&wav](quint16 v) {
        const quint16 le = qToLittleEndian(v);
        wav.append(reinterpret_cast<const char*>(&le), 2);
    };
    wav.append("RIFF");
    u32(36 + dataBytes);
    wav.append("WAVEfmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    wav.append("data");
    u32(dataBytes);
    wav.append(QByteArray(static_cast<qsizetype>(dataBytes), '\0'));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(wav), wav.size());
}

} // namespace

class TestSoundPlayer : public QObject {
    Q_OBJECT
private slots:
    void everyFileAskedForIsReadBeforeThePlayerIsGone();
};

void TestSoundPlayer::everyFileAskedForIsReadBeforeThePlayerIsGone() {
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.wav"));
    const QString second = dir.filePath(QStringLiteral("second.wav"));
    writeSilence(first, 30);
    writeSilence(second, 30);
    // Effects of the test's own keep both files in Qt's cache, which drops a file that
    // nothing plays any more.
    QSoundEffect keepFirst;
    QSoundEffect keepSecond;
    {
        platform::QtSoundPlayer player{datafiles::PathMapper("/nowhere")};
        player.setFileName(first);
        player.setAutoStart(true);
        keepFirst.setSource(QUrl::fromLocalFile(first));
        // Another letter before the first file was read.
        player.setFileName(second);
        player.setAutoStart(true);
        keepSecond.setSource(QUrl::fromLocalFile(second));
        QCOMPARE(player.nativeFile(), second);
    }
    // The cache hands a file that it has read to a new effect at once.
    for (const QString& file : {first, second}) {
        QSoundEffect probe;
        probe.setSource(QUrl::fromLocalFile(file));
        QVERIFY2(probe.status() == QSoundEffect::Ready, qPrintable(file));
    }
}

QTEST_MAIN(TestSoundPlayer)
#include "test_sound_player.moc"

#include "chartola_fixture.h"

#include "alphabet/consonant_table.h"
#include "chartola/chart_window.h"
#include "chartola/dictionary_window.h"
#include "chartola/program.h"
#include "platform/fonts.h"
#include "platform/qt_sound_player.h"
#include "platform/scripted_dialogs.h"
#include "test_support.h"

#include <QAudioDevice>
#include <QLineEdit>
#include <QMediaDevices>
#include <QPushButton>
#include <QSignalSpy>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>

#include <set>

using alphabet::Consonant;
using alphabet::consonant;
using alphabet::consonantTable;

namespace {

struct Chart : ChartolaFixture {
    explicit Chart(const QString& folder) {
        // The dictionary window comes first; its "Alphabet" opens the chart.
        chartola::Form3& dictionary = start(QStringLiteral("C:\\THAI\\"));
        dialogs.expectInput(QStringLiteral("Path Folder of locate Sound File(*.wav) "), folder);
        dictionary.Command1_Click();
    }
    chartola::Form1& form() { return program.chart(); }
    template <typename T> T* control(const char* name) { return findControl<T>(&form(), name); }
    QPushButton* letter(int n) {
        return control<QPushButton>(("Command" + QByteArray::number(n)).constData());
    }
    QString text(const char* box) { return control<QLineEdit>(box)->text(); }
};

} // namespace

class TestChartWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { checkNoQuestionLeftOver(); }
    void tableInvariants();
    void loadShowsLettersAndHandsThePlayerTheFolder();
    void clicksShowTextsAndPlayTheLettersFile_data();
    void clicksShowTextsAndPlayTheLettersFile();
    void geometryColoursAndTooltips();
    void closingTheChartEndsTheProgram();
    void realPlayerOpensACommittedSound();
};

void TestChartWindow::tableInvariants() {
    std::set<std::string> soundFiles;
    int yellow = 0;
    for (const Consonant& c : consonantTable()) {
        QCOMPARE(int(c.code), 0xA0 + c.number);
        QCOMPARE(c.row(), (c.number - 1) / 8);
        soundFiles.insert(c.soundFile);
        if (c.background == thaitext::Rgb{255, 255, 0})
            ++yellow;
    }
    QCOMPARE(consonantTable().front().number, 1);
    QCOMPARE(consonantTable().back().code, static_cast<unsigned char>(0xCE));
    QCOMPARE(yellow, 38);
    QCOMPARE(soundFiles.size(), std::size_t(45)); // RU and LU share "___.wav"
    for (int n : {36, 38}) {
        QCOMPARE(QString::fromUtf8(consonant(n).reading), QStringLiteral("--"));
        QCOMPARE(QString::fromUtf8(consonant(n).nameLine), QStringLiteral("-- (-)(-)"));
        QCOMPARE(QString::fromUtf8(consonant(n).soundFile), QStringLiteral("___.wav"));
        QVERIFY(consonant(n).background == (thaitext::Rgb{0, 0, 255}));
    }
    for (int n : {3, 5, 15, 17, 41, 44})
        QVERIFY(consonant(n).background == (thaitext::Rgb{192, 255, 192}));
    QCOMPARE(QString::fromUtf8(consonant(37).soundFile), QStringLiteral("36l_ling.wav"));
    QCOMPARE(QString::fromUtf8(consonant(46).soundFile), QStringLiteral("44h_nkhuk.wav"));
    QCOMPARE(QString::fromUtf8(consonant(9).soundFile), QString::fromUtf16(u"ci\u00F2_cing.wav"));
    QCOMPARE(QString::fromUtf8(consonant(12).soundFile),
             QString::fromUtf16(u"ci\u00F2_kacioe.wav"));
    QCOMPARE(QString::fromUtf8(consonant(37).nameLine), QStringLiteral("L\u00F2h ling (L)(N)"));
    QCOMPARE(QString::fromUtf8(consonant(12).reading), QString::fromUtf16(u"so-kas\u00F6"));
    QCOMPARE(QString::fromUtf8(consonant(2).reading), QString::fromUtf16(u"k\u00F4-k\u00E0i"));
}

void TestChartWindow::loadShowsLettersAndHandsThePlayerTheFolder() {
    Chart chart(QStringLiteral("C:\\THAI\\"));
    const platform::AskedQuestion& q = chart.dialogs.asked().at(1);
    QCOMPARE(q.title, QStringLiteral("Configure Chartola : location of file sound *.wav "));
    QCOMPARE(q.proposed, QStringLiteral("C:\\THAI\\"));
    QCOMPARE(q.xTwips, 3000);
    QCOMPARE(q.yTwips, 2000);
    for (int n = 1; n <= 46; ++n) {
        QCOMPARE(chart.letter(n)->text(), QString(QChar(0x0E00 + n)));
        QCOMPARE(chart.letter(n)->font().family(), platform::kThaiFixedFont);
    }
    QCOMPARE(chart.text("Text1"), QString());
    QCOMPARE(chart.text("Text2"), QString());
    QCOMPARE(chart.player.calls,
             (QStringList{QStringLiteral("file:C:\\THAI\\"), QStringLiteral("start")}));
    QVERIFY(chart.dialogs.problems().isEmpty());

    // Cancel leaves the folder empty: the player gets the bare file name.
    Chart cancelled{QString()};
    cancelled.letter(1)->click();
    QCOMPARE(cancelled.player.calls.at(2), QStringLiteral("file:1k_kai.wav"));
}

void TestChartWindow::clicksShowTextsAndPlayTheLettersFile_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QString>("nameLine");
    QTest::addColumn<QString>("file");
    QTest::newRow("1") << 1 << QString::fromUtf16(u"ko-kài") << QString::fromUtf16(u"Kò Kai (K)(K)")
                       << "1k_kai.wav";
    QTest::newRow("9") << 9 << QString::fromUtf16(u"ciò-cin")
                       << QString::fromUtf16(u"Ciò Cing (sch)(T)")
                       << QString::fromUtf16(u"ciò_cing.wav");
    QTest::newRow("36") << 36 << "--"
                        << "-- (-)(-)"
                        << "___.wav";
    QTest::newRow("38") << 38 << "--"
                        << "-- (-)(-)"
                        << "___.wav";
    QTest::newRow("45") << 45 << "ho-han" << QString::fromUtf16(u"Ò Ang (S)(Ò)") << "43a_ang.wav";
}

void TestChartWindow::clicksShowTextsAndPlayTheLettersFile() {
    QFETCH(int, number);
    QFETCH(QString, reading);
    QFETCH(QString, nameLine);
    QFETCH(QString, file);
    Chart chart(QStringLiteral("C:\\THAI\\"));
    for (int click = 1; click <= 2; ++click) {
        chart.letter(number)->click();
        QCOMPARE(chart.text("Text1"), reading);
        QCOMPARE(chart.text("Text2"), nameLine);
        QCOMPARE(chart.player.calls.mid(2 * click, 2),
                 (QStringList{QStringLiteral("file:C:\\THAI\\") + file, QStringLiteral("start")}));
        QCOMPARE(chart.form().toggle(number), click % 2);
        QCOMPARE(chart.letter(number)->text(), QString(QChar(0x0E00 + number)));
    }
    QCOMPARE(chart.form().soundFile(), file);
}

void TestChartWindow::geometryColoursAndTooltips() {
    Chart chart(QStringLiteral("C:\\THAI"));
    QCOMPARE(chart.form().size(), QSize(482, 407));
    QCOMPARE(chart.letter(1)->geometry(), QRect(24, 32, 49, 49));
    QCOMPARE(chart.letter(46)->geometry().topLeft(), QPoint(24 + 56 * 5, 32 + 56 * 5));
    QVERIFY(chart.letter(3)->styleSheet().contains(QStringLiteral("rgb(192, 255, 192)")));
    QVERIFY(chart.letter(36)->styleSheet().contains(QStringLiteral("rgb(0, 0, 255)")));
    QVERIFY(
        chart.letter(1)->toolTip().startsWith(QStringLiteral("THAI CHARACTER KO KAI\nmid class")));
    QVERIFY(chart.letter(3)->toolTip().endsWith(QStringLiteral("no longer used")));
    QVERIFY(chart.letter(5)->toolTip().contains(QStringLiteral("low class")));
    QVERIFY(!chart.letter(4)->toolTip().contains(QStringLiteral("no longer used")));
    QVERIFY(chart.letter(36)->toolTip().contains(QStringLiteral("vowel letter")));
    QVERIFY(chart.letter(38)->toolTip().contains(QStringLiteral("vowel letter")));
    QVERIFY(chart.letter(2)->toolTip().contains(QStringLiteral("high class")));
    // A folder without its final backslash is joined to the file name as it is.
    chart.letter(1)->click();
    QCOMPARE(chart.player.calls.at(2), QStringLiteral("file:C:\\THAI1k_kai.wav"));
}

void TestChartWindow::closingTheChartEndsTheProgram() {
    Chart chart(QStringLiteral("C:\\THAI\\"));
    chart.form().show();
    chart.letter(2)->click();
    QVERIFY(chart.form().close());
    QVERIFY(chart.ended);
    QVERIFY(!chart.program.isLoaded(chartola::Window::Form1));
}

void TestChartWindow::realPlayerOpensACommittedSound() {
    const QString folder = QStringLiteral(STARTER_FOLDER) + QLatin1Char('/');
    platform::QtSoundPlayer player{datafiles::PathMapper("/nowhere")};
    // A folder, and a missing file, are no sound and block nothing.
    player.setFileName(folder);
    player.setAutoStart(true);
    QCOMPARE(player.nativeFile(), QString());
    player.setFileName(folder + QStringLiteral("missing.wav"));
    player.setAutoStart(true);
    QCOMPARE(player.nativeFile(), QString());
    // The "ò" of the file name reaches the file unchanged.
    player.setFileName(folder + QString::fromUtf16(u"ci\u00F2_cing.wav"));
    QVERIFY(!player.nativeFile().isEmpty());
    if (QMediaDevices::audioOutputs().isEmpty())
        QSKIP("no audio output device on this machine: the sound is found but cannot be played");
    QSignalSpy loaded(player.effect(), &QSoundEffect::statusChanged);
    player.setAutoStart(true);
    QTRY_VERIFY_WITH_TIMEOUT(player.effect()->status() != QSoundEffect::Loading &&
                                 player.effect()->status() != QSoundEffect::Null,
                             5000);
    QCOMPARE(player.effect()->status(), QSoundEffect::Ready);
}

QTEST_MAIN(TestChartWindow)
#include "test_chart_window.moc"

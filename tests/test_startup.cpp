// How the programs start when they cannot: without a display they print Qt's message and
// end with status 1, the way they end when the X server goes away later, instead of
// aborting with a core dump that reads like a crash. Ripasso's export runs without one.

#include "platform/startup.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList captured;
void capture(QtMsgType, const QMessageLogContext&, const QString& message) {
    captured.append(message);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void withoutADisplayTheProgramsEndWithStatusOne();
    void theGuardPassesMessagesOnAndGivesTheHandlerBack();
};

void TestStartup::withoutADisplayTheProgramsEndWithStatusOne() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    for (const char* program : {CHARTOLA_PROGRAM, VOCABORO_PROGRAM, RIPASSO_PROGRAM}) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QString::fromUtf8(program), {});
        QVERIFY2(process.waitForFinished(60000), program);
        const QByteArray output = process.readAllStandardError();
        QVERIFY2(process.exitStatus() == QProcess::NormalExit,
                 qPrintable(QStringLiteral("%1 crashed: %2").arg(program, output)));
        QCOMPARE(process.exitCode(), 1);
        QVERIFY2(output.contains("could not connect to display"), output.constData());
    }
    // Ripasso's export needs no display.
    QTemporaryDir dir;
    QProcess exporter;
    exporter.setProcessEnvironment(environment);
    exporter.start(QStringLiteral(RIPASSO_PROGRAM),
                   {QStringLiteral("--export-anki"), dir.filePath(QStringLiteral("anki.txt")),
                    QStringLiteral("--folder"), QStringLiteral(STARTER_FOLDER)});
    QVERIFY(exporter.waitForFinished(60000));
    QCOMPARE(exporter.exitCode(), 0);
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("anki.txt"))));
}

void TestStartup::theGuardPassesMessagesOnAndGivesTheHandlerBack() {
    const QtMessageHandler before = qInstallMessageHandler(capture);
    captured.clear();
    {
        platform::StartupExit startup;
        qWarning("while starting");
        startup.drop();
        qWarning("after the start");
        startup.drop(); // a second drop changes nothing
    }
    qWarning("after the guard");
    const QtMessageHandler after = qInstallMessageHandler(before);
    QCOMPARE(captured,
             (QStringList{QStringLiteral("while starting"), QStringLiteral("after the start"),
                          QStringLiteral("after the guard")}));
    QVERIFY(after == &capture);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"

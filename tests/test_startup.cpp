// How the programs start when they cannot: without a display they print Qt's message and
// end with status 1, the way they end when the X server goes away later, instead of
// aborting with a core dump that reads like a crash. Ripasso's export runs without one.
// --help and --version answer before any window, in the desktop's language, and a start
// without any display says in one line that it needs a graphical session.

#include "platform/startup.h"

#include <QFile>
#include <QFileInfo>
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
    void theProgramsAnswerBeforeAnyWindow_data();
    void theProgramsAnswerBeforeAnyWindow();
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

void TestStartup::theProgramsAnswerBeforeAnyWindow_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("locale"); // the variables of the desktop's language
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // what the standard output begins with; empty: nothing
    QTest::addColumn<QString>("err"); // what the error stream holds; empty: nothing
    const QString version = QStringLiteral(" " KIT_VERSION "\n");
    // LANGUAGE goes before LC_ALL, LC_MESSAGES and LANG; each program is told Italian by another.
    const QStringList english{"LANGUAGE=en", "LANG=it_IT.UTF-8"};
    const std::pair<const char*, QStringList> programs[] = {
        {VOCABORO_PROGRAM, {"LANGUAGE=it_IT:en", "LANG=en_US.UTF-8"}},
        {CHARTOLA_PROGRAM, {"LANG=it_IT.UTF-8"}},
        {RIPASSO_PROGRAM, {"LC_MESSAGES=it_IT.UTF-8", "LANG=en_US.UTF-8"}},
        {THAI_KIT_PROGRAM, {"LC_ALL=it_IT.UTF-8"}}};
    for (const auto& [program, italian] : programs) {
        const QString path = QString::fromUtf8(program);
        const QString name = QFileInfo(path).fileName();
        const QString help = QStringLiteral("--help");
        QTest::addRow("%s --help", qPrintable(name))
            << path << QStringList{help} << english << 0 << QStringLiteral("Usage: ") + name << "";
        QTest::addRow("%s --help in Italian", qPrintable(name))
            << path << QStringList{help} << italian << 0 << QStringLiteral("Uso: ") + name << "";
        QTest::addRow("%s --version", qPrintable(name))
            << path << QStringList{QStringLiteral("--version")} << italian << 0 << name + version
            << "";
        if (name == QLatin1String("thai-kit"))
            continue; // it has no window
        QTest::addRow("%s without a display", qPrintable(name))
            << path << QStringList{} << english << 1 << ""
            << name + QStringLiteral(": a graphical session is needed");
        QTest::addRow("%s without a display, in Italian", qPrintable(name))
            << path << QStringList{} << italian << 1 << ""
            << name + QStringLiteral(": serve una sessione grafica");
    }
    QTest::addRow("ripasso with an argument it does not know")
        << QStringLiteral(RIPASSO_PROGRAM) << QStringList{QStringLiteral("--versione")} << english
        << 2 << ""
        << "Usage: ripasso";
}

void TestStartup::theProgramsAnswerBeforeAnyWindow() {
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, locale);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE",
                                 "LC_ALL", "LC_MESSAGES", "LANG"})
        environment.remove(QString::fromLatin1(variable));
    for (const QString& assignment : locale)
        environment.insert(assignment.section(QLatin1Char('='), 0, 0),
                           assignment.section(QLatin1Char('='), 1));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    QVERIFY(process.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(out.isEmpty() ? output.isEmpty() : output.startsWith(out), qPrintable(output));
    QVERIFY2(err.isEmpty() ? errors.isEmpty() : errors.contains(err), qPrintable(errors));
    QCOMPARE(process.exitCode(), status);
    if (status == 1) // one line, and not the platform plugin's
        QCOMPARE(errors.count(QLatin1Char('\n')), 1);
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

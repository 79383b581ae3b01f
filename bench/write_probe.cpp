// Vocaboro's write of one entry in a process of its own, as a user makes it, for the
// benchmark to time:
//   write_probe FOLDER first TIMES [WRITES]   starts the console window offscreen on FOLDER,
//                              opens the entry panel ("Insert a New Vocable"), fills it,
//                              checks it and clicks the write button; then WRITES - 1 more
//                              entries through "Next...", each the same way.
//   write_probe FOLDER lookup TIMES    looks the entry's Italian word up first (Italian-Thai,
//                              Enter), answers the look-up's question with Yes, which opens
//                              the panel with the word, fills the rest, checks and writes.
// Each write is timed from the click on the write button to the confirmation shown (the
// panel's record labels), events handled; TIMES gets one line per write: the wall time and
// the main thread's processor time, in milliseconds. Ends with status 0 when every write was
// confirmed without a question left over.

#include "probe_clocks.h"
#include "probe_console.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

using bench::processorMilliseconds;
using bench::wallMilliseconds;

int main(int argc, char** argv) {
    const std::string mode = argc >= 4 ? argv[2] : "";
    if ((mode != "first" && mode != "lookup") || argc > 5) {
        std::fputs("usage: write_probe FOLDER first|lookup TIMES [WRITES]\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::ProbeConsole probe(QString::fromLocal8Bit(argv[1]));
    platform::ScriptedDialogs& dialogs = probe.dialogs;
    vocaboro::Form1& console = probe.window;
    auto control = [&console](const char* name) {
        return console.findChild<QWidget*>(QLatin1String(name));
    };
    auto click = [&](const char* name) {
        QTest::mouseClick(control(name), Qt::LeftButton);
        QCoreApplication::processEvents();
    };
    auto setText = [&](const char* name, const QString& text) {
        static_cast<QLineEdit*>(control(name))->setText(text);
    };
    // Words of their own, so that every run writes another entry: the largest letter files
    // of both directions ("c" forward, "k" reverse).
    // Twelve random letters: no word of another run is one edit away, so a look-up of the
    // word offers no near word before its not-found question.
    QString tag;
    std::random_device random;
    for (int i = 0; i < 12; ++i)
        tag += QLatin1Char(static_cast<char>('a' + random() % 26));
    const QString thai = QString::fromUtf16(u"\u0E1A\u0E49\u0E32\u0E19");
    std::ofstream times(argv[3]);
    bool ok = true;
    auto timedWrite = [&] {
        click("Command3D5"); // the check
        auto* confirmation = static_cast<QLabel*>(control("Label11"));
        const double wall = wallMilliseconds();
        const double cpu = processorMilliseconds();
        click("Command3D3");
        const double cpuTaken = processorMilliseconds() - cpu;
        const double wallTaken = wallMilliseconds() - wall;
        times << wallTaken << " " << cpuTaken << "\n";
        ok = ok && !confirmation->isHidden();
    };
    const int writes = argc == 5 ? std::atoi(argv[4]) : 1;
    if (mode == "lookup") {
        click("Command3D10"); // Italian-Thai
        dialogs.expectMessage(QStringLiteral("Wish insert"), platform::Answer::Yes);
        auto* word = static_cast<QLineEdit*>(control("Text8"));
        word->setText(QStringLiteral("cscritta") + tag);
        QTest::keyClick(word, Qt::Key_Return);
        QCoreApplication::processEvents();
        setText("Text4", QStringLiteral("khian") + tag);
        setText("Text3", thai);
        timedWrite();
    } else {
        click("Command5"); // Insert a New Vocable
        for (int n = 0; n < writes; ++n) {
            if (n > 0)
                click("Command3D7"); // Next...
            setText("Text1", QStringLiteral("cscritta") + tag + QString::number(n));
            setText("Text4", QStringLiteral("khian") + tag + QString::number(n));
            setText("Text3", thai);
            timedWrite();
        }
    }
    for (const QString& problem : dialogs.problems())
        std::fprintf(stderr, "write_probe: %s\n", qPrintable(problem));
    return ok && dialogs.problems().isEmpty() ? 0 : 1;
}

// One console look-up as a whole process, for the benchmark to time beside `grep -c`:
//   lookup_probe FOLDER WORD [TIMES]   starts Vocaboro's console window offscreen on FOLDER,
//                              looks WORD up in the Italian-to-Thai direction, answers the
//                              end-of-search question with No and ends; with TIMES, writes
//                              there the processor time of the look-up alone (the main
//                              thread's, which runs it), in
//                              milliseconds, from the Enter to the question answered.
// Ends with status 0 when the window asked exactly what a look-up asks, 1 otherwise.

#include "platform/scripted_dialogs.h"
#include "vocaboro/console_window.h"

#include <QApplication>
#include <QLineEdit>

#include <cstdio>
#include <ctime>
#include <fstream>

namespace {

double processorMilliseconds() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fputs("usage: lookup_probe FOLDER WORD [TIMES]\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    platform::ScriptedDialogs dialogs;
    vocaboro::ConsoleOptions options;
    options.driveRoot = folder.toStdString();
    vocaboro::Form1 console(dialogs, options);
    dialogs.expectInput(QStringLiteral("Path Folder"), folder + QLatin1Char('/'));
    console.Form_Load();
    console.Command3D10_Click(); // Italian-Thai
    dialogs.expectMessage(QStringLiteral("Wish insert another"), platform::Answer::No);
    console.findChild<QLineEdit*>(QStringLiteral("Text8"))->setText(QString::fromLatin1(argv[2]));
    const double before = processorMilliseconds();
    console.Text8_KeyPress(13);
    const double lookup = processorMilliseconds() - before;
    if (argc == 4)
        std::ofstream(argv[3]) << lookup << "\n";
    if (!dialogs.problems().isEmpty()) {
        for (const QString& problem : dialogs.problems())
            std::fprintf(stderr, "lookup_probe: %s\n", qPrintable(problem));
        return 1;
    }
    return 0;
}

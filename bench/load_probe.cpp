// Chartola's whole load in a process of its own, for the benchmark to measure the first
// load of a fresh process and the memory it keeps:
//   load_probe FOLDER BUTTON TIMES [RUNS]   starts the dictionary window offscreen on
//                              FOLDER, clicks BUTTON (Command5 or Command6) as a user does,
//                              the warning box answered by a script, and writes to TIMES
//                              the milliseconds from the click to the events it left behind
//                              handled, and the resident memory in KiB when the window was
//                              shown and after the load. With RUNS, loads that many times,
//                              switching direction in between, one line each.
// Ends with status 0 when every load filled the lists without a question left over.

#include "chartola/dictionary_window.h"
#include "chartola/program.h"
#include "platform/scripted_dialogs.h"
#include "platform/test_doubles.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(1 << 20, '\n');
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fputs("usage: load_probe FOLDER BUTTON TIMES [RUNS]\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::ScriptedDialogs dialogs;
    platform::RecordingPlayer player;
    platform::FakeRegistry registry;
    platform::FakeLauncher launcher;
    chartola::Program program{{dialogs, player, registry, launcher, "/nowhere", [] {}}};
    dialogs.expectInput(QStringLiteral("DataBase"),
                        QString::fromLocal8Bit(argv[1]) + QLatin1Char('/'));
    program.show(chartola::Window::Form3);
    chartola::Form3& form = program.dictionary();
    QApplication::setActiveWindow(&form);
    QCoreApplication::processEvents();
    const long fresh = residentKiB();
    std::ofstream times(argv[3]);
    const int runs = argc == 5 ? std::atoi(argv[4]) : 1;
    const QString buttons[] = {QString::fromLatin1(argv[2]),
                               QLatin1String(argv[2][7] == '5' ? "Command6" : "Command5")};
    bool ok = true;
    for (int run = 0; run < runs; ++run) {
        auto* button = form.findChild<QPushButton*>(buttons[run % 2]);
        dialogs.expectMessage(QStringLiteral("Premere OK"));
        const auto start = std::chrono::steady_clock::now();
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        times << ms << " " << fresh << " " << residentKiB() << "\n";
        ok = ok && form.findChild<QComboBox*>(QStringLiteral("Combo1"))->count() > 1000;
    }
    for (const QString& problem : dialogs.problems())
        std::fprintf(stderr, "load_probe: %s\n", qPrintable(problem));
    return ok && dialogs.problems().isEmpty() ? 0 : 1;
}

// One console look-up as a whole process, for the benchmark to time beside `grep -c`:
//   lookup_probe FOLDER WORD [TIMES]   starts Vocaboro's console window offscreen on FOLDER,
//                              types WORD after Italian-Thai and presses Enter, answers the
//                              end-of-search question with No and ends; with TIMES, writes
//                              there the processor time of the look-up alone (the main
//                              thread's, which runs it), in milliseconds, from the Enter to
//                              the question answered; then, on a second line, the wall time
//                              from the Enter to the answer lines painted and to the question
//                              box shown. Where the question is asked, the events that a
//                              modal box's loop would handle first are handled (the console's
//                              paint), then the console's box, made while it waited for the
//                              word, is given the question and shown until painted, and closed.
//   lookup_probe FOLDER WORD TIMES absent   the same for a word that is not in the file and
//                              has no head word near it: the not-found question is answered.
// Ends with status 0 when the window asked exactly what a look-up asks, 1 otherwise.

#include "platform/qt_dialogs.h"
#include "probe_clocks.h"
#include "probe_console.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <cstdio>
#include <fstream>
#include <string>

using bench::processorMilliseconds;
using bench::wallMilliseconds;

namespace {

// Counts the paint events a widget and its children receive.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::fputs("usage: lookup_probe FOLDER WORD [TIMES [absent]]\n", stderr);
        return 2;
    }
    const bool absent = argc == 5 && std::string(argv[4]) == "absent";
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::ProbeConsole probe(QString::fromLocal8Bit(argv[1]));
    platform::ScriptedDialogs& dialogs = probe.dialogs;
    vocaboro::Form1& console = probe.window;
    console.Command3D10_Click(); // Italian-Thai
    QCoreApplication::processEvents();
    dialogs.expectMessage(absent ? QStringLiteral("Not Found !")
                                 : QStringLiteral("Wish insert another"),
                          platform::Answer::No);
    auto* word = console.findChild<QLineEdit*>(QStringLiteral("Text8"));
    word->setText(QString::fromLatin1(argv[2]));
    PaintCounter consolePaints;
    for (QWidget* w : console.findChildren<QWidget*>())
        w->installEventFilter(&consolePaints);
    double enter = 0, painted = -1, shown = -1;
    // The console's box, made while the console waits for a word once its folder is known.
    platform::QtDialogs real(&console);
    real.prepareMessageBox();
    QCoreApplication::processEvents();
    dialogs.whileAsking = [&](const platform::AskedQuestion& question) {
        if (question.isInput)
            return;
        QCoreApplication::processEvents(); // what the box's own loop handles first
        painted = consolePaints.paints > 0 ? wallMilliseconds() - enter : -1;
        QMessageBox* box = real.keptMessageBox(question.text, question.style, question.title);
        PaintCounter boxPaints;
        box->installEventFilter(&boxPaints);
        box->show();
        QCoreApplication::processEvents();
        shown = boxPaints.paints > 0 ? wallMilliseconds() - enter : -1;
        box->hide();
        box->removeEventFilter(&boxPaints);
    };
    const double before = processorMilliseconds();
    enter = wallMilliseconds();
    QTest::keyClick(word, Qt::Key_Return);
    const double lookup = processorMilliseconds() - before;
    if (argc >= 4)
        std::ofstream(argv[3]) << lookup << "\n" << painted << " " << shown << "\n";
    if (!dialogs.problems().isEmpty()) {
        for (const QString& problem : dialogs.problems())
            std::fprintf(stderr, "lookup_probe: %s\n", qPrintable(problem));
        return 1;
    }
    return 0;
}

// Ripasso's speed on a generated dictionary of 1,000,000 records per direction, with a
// progress of 10,000 cards answered before (half of them due): the first card painted after
// the folder is chosen, each answer to the next card painted, and the export for Anki; the
// Words page opened (beside Chartola's whole load of the same files) and a search keystroke.
// Not a test: it prints the median and the range of several runs.
//   ripasso_probe [RUNS]
// For the benchmark, which times Ripasso's start from outside beside xterm's:
//   ripasso_probe prepare FOLDER PROGRESS   writes that progress for FOLDER's words
//   ripasso_probe start FOLDER PROGRESS SPAWNED   starts as Ripasso does (the window shown,
//                              the folder asked for and answered with FOLDER), starts the
//                              review and prints the milliseconds from SPAWNED (the steady
//                              clock's milliseconds when the process was started) to the
//                              first card painted.

#include "bench/dictionary_generator.h"
#include "bench/probe_clocks.h"
#include "chartola/entry_list_model.h"
#include "platform/fonts.h"
#include "platform/scripted_dialogs.h"
#include "platform/startup.h"
#include "platform/test_doubles.h"
#include "ripasso/anki_export.h"
#include "ripasso/main_window.h"
#include "ripasso/review_page.h"
#include "ripasso/script_drill.h"
#include "ripasso/words_model.h"
#include "ripasso/words_page.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The runs of one figure. A figure is judged only beside a peer of the same run, by the
// ratio of their medians; the others are shown for information.
struct Figures {
    std::vector<double> ms;
    double median() {
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    }
    void print(const char* what) { print(what, 0, 0, "-"); }
    void print(const char* what, double peer, double most, const char* peerName) {
        const double m = median();
        char target[32] = "-";
        if (most > 0)
            std::snprintf(target, sizeof target, "<= %gx %s", most, peerName);
        std::printf("| %-44s | %8.2f ms [%.2f-%.2f] | %4zu runs | %-16s | %-3s |\n", what, m,
                    ms.front(), ms.back(), ms.size(), target,
                    most <= 0          ? "-"
                    : m <= most * peer ? "yes"
                                       : "NO");
    }
};

double since(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

constexpr int kToday = 20000;

// 10,000 cards answered Good before: those of day -8 are due today, the others later.
void answerBefore(ripasso::ProgressStore& store, const ripasso::PathOf& pathOf) {
    const ripasso::FolderCards first = ripasso::collectCards(pathOf, {}, kToday, 10000);
    for (std::size_t i = 0; i < first.fresh.size(); ++i) {
        const int day = kToday - (i % 2 == 0 ? 8 : 1);
        store.saveAnswer(
            {first.fresh[i].key, ripasso::answerCard(std::nullopt, day, ripasso::Grade::Good)},
            ripasso::Grade::Good);
    }
}

// The start as Ripasso's own (main.cpp), on the display given, to the first card painted.
int startToFirstCard(char* argv[]) {
    platform::StartupExit startup;
    int argc = 1;
    QApplication app(argc, argv);
    startup.drop();
    platform::installFontSubstitutes();
    ripasso::StoreError error;
    const auto store = ripasso::ProgressStore::open(argv[3], error);
    if (!store)
        return 1;
    platform::ScriptedDialogs dialogs;
    platform::RecordingPlayer player;
    platform::RecordingSpeech speech;
    platform::FakeRecorder recorder;
    ripasso::MainWindow window(
        {dialogs, player, speech, recorder, *store, "/nowhere", [] { return kToday; }, 1});
    window.show();
    dialogs.expectInput(QStringLiteral("Folder"),
                        QString::fromLocal8Bit(argv[2]) + QLatin1Char('/'));
    window.chooseFolder();
    window.startReview();
    window.repaint();
    const double ms = bench::wallMilliseconds() - std::atof(argv[4]);
    if (!dialogs.problems().isEmpty() || window.reviewPage().isHidden())
        return 1;
    std::printf("%.2f\n", ms);
    return 0;
}

int main(int argc, char* argv[]) {
    if (argc == 5 && std::strcmp(argv[1], "start") == 0)
        return startToFirstCard(argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && std::strcmp(argv[1], "prepare") == 0) {
        ripasso::StoreError error;
        const auto store = ripasso::ProgressStore::open(argv[3], error);
        if (!store)
            return 1;
        const std::filesystem::path words = argv[2];
        answerBefore(*store, [&](const std::string& name) { return words / name; });
        return 0;
    }
    QApplication app(argc, argv);
    platform::installFontSubstitutes();
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 7;
    QTemporaryDir dir;
    const std::filesystem::path words = dir.path().toStdString() + "/words";
    std::filesystem::create_directory(words);
    const bench::GeneratedDictionary made = bench::generateDictionary(words, 1000000);
    std::printf("Generated dictionary: %zu + %zu records, %.1f MB\n", made.forwardRecords,
                made.reverseRecords, static_cast<double>(made.bytes) / 1e6);
    const QString folder = QString::fromStdString(words.string()) + QLatin1Char('/');
    const auto pathOf = [&](const std::string& name) { return words / name; };

    ripasso::StoreError error;
    const auto store = ripasso::ProgressStore::open(dir.path().toStdString() + "/p.sqlite", error);
    const int today = kToday;
    answerBefore(*store, pathOf);

    platform::ScriptedDialogs dialogs;
    platform::RecordingPlayer player;
    platform::RecordingSpeech speech;
    platform::FakeRecorder recorder;
    Figures firstCard, answer, exported;
    for (int run = 0; run < runs; ++run) {
        ripasso::MainWindow window({dialogs, player, speech, recorder, *store,
                                    dir.path().toStdString(), [&] { return today; }, 1});
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return 1;
        dialogs.expectInput(QStringLiteral("Folder"), folder);
        QElapsedTimer timer;
        timer.start();
        window.chooseFolder();
        window.startReview();
        window.repaint();
        firstCard.ms.push_back(since(timer));
        // Answers: the back shown (not timed), then the key to the next card painted.
        ripasso::ReviewPage& page = window.reviewPage();
        for (int card = 0; card < 40; ++card) {
            page.showBack();
            window.repaint();
            QWidget* focused = QApplication::focusWidget();
            timer.restart();
            QTest::keyClick(focused, Qt::Key_3);
            window.repaint();
            answer.ms.push_back(since(timer));
        }
    }
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const ripasso::ExportResult result =
            ripasso::exportForAnki(pathOf, dir.path().toStdString() + "/anki.txt", "Thai");
        exported.ms.push_back(since(timer));
        if (!result.written)
            std::fprintf(stderr, "export: %s\n", result.error.c_str());
    }
    // The Words page: opened from the start page to the list painted, beside Chartola's whole
    // load of the same 26 files; then each key typed in its search to the list painted.
    Figures chartolaLoad, wordsOpen, folded, keystroke, sorted;
    for (int run = 0; run < runs; ++run) {
        chartola::EntryStore entries;
        QElapsedTimer timer;
        timer.start();
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            int unread = 0;
            entries.readFile(words / ("LEXFWD_" + std::string(1, letter) + ".DAT"), {}, unread);
        }
        chartolaLoad.ms.push_back(since(timer));
    }
    {
        ripasso::MainWindow window({dialogs, player, speech, recorder, *store,
                                    dir.path().toStdString(), [&] { return today; }, 1});
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return 1;
        dialogs.expectInput(QStringLiteral("Folder"), folder);
        window.chooseFolder();
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            window.showWords();
            window.repaint();
            wordsOpen.ms.push_back(since(timer));
            auto* search = window.findChild<QLineEdit*>(QStringLiteral("wordsSearch"));
            // A first key typed at once waits for the folded copy, made in the background.
            window.wordsPage().model().words().waitUntilFolded();
            folded.ms.push_back(since(timer));
            for (const char* typed : {"c", "ca", "cas", "casa", "casal", "zz", "q", "qu"}) {
                search->clear();
                search->setText(QString::fromLatin1(typed).chopped(1));
                window.repaint();
                timer.restart();
                QTest::keyClick(search, typed[std::strlen(typed) - 1]);
                window.repaint();
                keystroke.ms.push_back(since(timer));
            }
            search->clear();
            timer.restart();
            window.wordsPage().sortBy(0);
            window.repaint();
            sorted.ms.push_back(since(timer));
            window.wordsPage().sortBy(-1);
            QTest::keyClick(window.wordsPage().table(), Qt::Key_Escape);
        }
    }
    // The tone drill's words: every forward record's Thai field read by the syllable reader,
    // which the drill does when it starts on a folder.
    Figures toneWords;
    std::size_t oneSyllable = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        oneSyllable = ripasso::toneDrillSyllables(words).size();
        toneWords.ms.push_back(since(timer));
    }
    std::printf("| %-44s | %-28s | %-9s | %-16s | met |\n", "measure", "median [min-max]", "",
                "target");
    // Ripasso's start to its first card is judged in the benchmark's table, beside xterm's.
    firstCard.print("first card painted after the folder answer");
    answer.print("an answer to the next card painted");
    exported.print("export for Anki of 1,000,000 records");
    chartolaLoad.print("Chartola's whole load of the 26 forward files");
    wordsOpen.print("Words page: opened to the list painted", chartolaLoad.median(), 1.2,
                    "Chartola");
    folded.print("Words page: opened to its search ready");
    keystroke.print("Words page: a search key to the list painted");
    sorted.print("Words page: sorted by Italian, list painted");
    toneWords.print("tone drill: the folder's one-syllable words");
    std::printf("(%zu one-syllable spellings)\n", oneSyllable);
    return 0;
}

#include "summary.h"

#include "dictionary_generator.h"

#include "chartola/dictionary_window.h"
#include "chartola/program.h"
#include "datafiles/file_io.h"
#include "datafiles/file_naming.h"
#include "datafiles/record_reader.h"
#include "datafiles/record_writer.h"
#include "platform/editable_combo.h"
#include "platform/scripted_dialogs.h"
#include "platform/test_doubles.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <spawn.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 5; // every figure is the median of at least this many runs

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double timed(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return millisecondsSince(start);
}

struct Stats {
    double median = 0, min = 0, max = 0;
    std::size_t runs = 0;
};

Stats stats(std::vector<double> samples) {
    Stats s;
    if (samples.empty())
        return s;
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    s.median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    s.min = samples.front();
    s.max = samples.back();
    s.runs = n;
    return s;
}

std::vector<double> repeat(int runs, const std::function<double()> work) {
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i)
        samples.push_back(work());
    return samples;
}

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, v >= 100 ? "%.0f" : v >= 10 ? "%.1f" : "%.2f", v);
    return text;
}

// "12.3 ms [11.9-13.0]": the median, then the range of the runs.
std::string show(const Stats& s, const char* unit) {
    return number(s.median) + " " + unit + " [" + number(s.min) + "-" + number(s.max) + "]";
}

std::vector<std::string> filesOf(const std::string& folder, datafiles::Direction direction) {
    std::vector<std::string> paths;
    for (char l = 'A'; l <= 'Z'; ++l)
        paths.push_back(folder + "/" + datafiles::dataFileName(direction, l));
    return paths;
}

std::size_t readAndParse(const std::vector<std::string>& paths) {
    std::size_t records = 0;
    datafiles::RecordView r;
    for (const std::string& path : paths) {
        const auto file = datafiles::readWholeFile(path);
        datafiles::RecordReader reader(file.bytes);
        while (!reader.atEnd() && reader.next(r) == datafiles::ReadStatus::Record)
            ++records;
    }
    return records;
}

std::size_t readAndCountLines(const std::vector<std::string>& paths) {
    std::size_t lines = 0;
    for (const std::string& path : paths) {
        const auto file = datafiles::readWholeFile(path);
        lines += static_cast<std::size_t>(std::count(file.bytes.begin(), file.bytes.end(), '\n'));
    }
    return lines;
}

std::size_t bytesOf(const std::vector<std::string>& paths) {
    std::size_t bytes = 0;
    for (const std::string& path : paths)
        bytes += datafiles::readWholeFile(path).bytes.size();
    return bytes;
}

std::string output(const std::string& command) {
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        ::pclose(pipe);
    }
    return text;
}

// Python's csv module on the same files, one time in milliseconds per run; empty when there
// is no python3.
std::vector<double> pythonCsv(const std::vector<std::string>& paths, int runs) {
    std::ostringstream script;
    script << "python3 -c '\nimport csv, time\npaths = [";
    for (const auto& p : paths)
        script << "\"" << p << "\",";
    script << "]\nfor _ in range(" << runs
           << "):\n  t = time.perf_counter()\n  n = 0\n  for p in paths:\n"
              "    with open(p, encoding=\"latin-1\", newline=\"\") as f:\n"
              "      for row in csv.reader(f):\n        n += 1\n"
              "  print((time.perf_counter() - t) * 1000)\n' 2>/dev/null";
    std::vector<double> samples;
    std::istringstream lines(output(script.str()));
    for (double v; lines >> v;)
        samples.push_back(v);
    return samples;
}

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

// A process's wall time and the processor time it used (user and system), in
// milliseconds; both negative when it could not start or ended with another status than
// expected.
struct ProcessTime {
    double wall = -1;
    double cpu = -1;
};

// Runs a program to its end, its output thrown away.
ProcessTime runProcess(const std::vector<std::string>& command, int expected) {
    std::vector<char*> argv;
    for (const std::string& arg : command)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return {};
    int status = 0;
    struct rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    const double wall = millisecondsSince(start);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != expected)
        return {};
    auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
    };
    return {wall, ms(usage.ru_utime) + ms(usage.ru_stime)};
}

struct Row {
    std::string what, kit, baseline, ratio, target;
    bool met = true;
    bool judged = true; // false: a figure shown for context, with no target of its own
};

// Chartola's dictionary window, driven as the user drives it: keys typed into Combo1's edit
// field, the load buttons clicked, the warning box answered by a script. Every time runs
// from the event to the return of its handler, and on through the layout and paint events
// that the handler left behind.
struct Dictionary {
    platform::ScriptedDialogs dialogs;
    platform::RecordingPlayer player;
    platform::FakeRegistry registry;
    platform::FakeLauncher launcher;
    chartola::Program program{{dialogs, player, registry, launcher, "/nowhere", [] {}}};
    chartola::Form3* form = nullptr;
    platform::EditableCombo* combo = nullptr;
    QLineEdit* edit = nullptr;

    explicit Dictionary(const QString& folder) {
        dialogs.expectInput(QStringLiteral("DataBase"), folder + QLatin1Char('/'));
        program.show(chartola::Window::Form3);
        form = &program.dictionary();
        combo = form->findChild<platform::EditableCombo*>(QStringLiteral("Combo1"));
        edit = combo->lineEdit();
        QApplication::setActiveWindow(form);
        settle();
    }
    static void settle() { QCoreApplication::processEvents(); }
    double event(const std::function<void()>& send) {
        return timed([&] {
            send();
            settle();
        });
    }
    void type(const QString& text) {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
        settle();
    }
    double enter(const QString& word) {
        type(word);
        return event([&] { QTest::keyClick(edit, Qt::Key_Return); });
    }
    double load(const char* button) {
        dialogs.expectMessage(QStringLiteral("Premere OK"));
        auto* b = form->findChild<QPushButton*>(QLatin1String(button));
        return event([&] { QTest::mouseClick(b, Qt::LeftButton); });
    }
    double openList() {
        const double ms = event([&] { QTest::keyClick(edit, Qt::Key_Down, Qt::AltModifier); });
        if (!combo->view()->isVisible())
            ok = false;
        QTest::keyClick(combo->view(), Qt::Key_Escape);
        settle();
        return ms;
    }
    double downWithNoMatch() {
        type(QStringLiteral("zzz"));
        return event([&] { QTest::keyClick(edit, Qt::Key_Down); });
    }
    bool ok = true;
};

// The forward file with the most bytes, as a letter 'A'..'Z'.
char largestLetter(const std::string& folder) {
    char largest = 'A';
    std::uintmax_t most = 0;
    for (char l = 'A'; l <= 'Z'; ++l) {
        const auto size = std::filesystem::file_size(
            folder + "/" + datafiles::dataFileName(datafiles::Direction::Forward, l));
        if (size > most) {
            most = size;
            largest = l;
        }
    }
    return largest;
}

} // namespace

std::string sideBySideTable(const std::string& folder, const GeneratedDictionary& generated,
                            const std::string& lookupProbe) {
    // One word only the last record of the largest letter file has: the console's look-up
    // reads the whole file to find it.
    const char largest = largestLetter(folder);
    const std::string largestFile =
        folder + "/" + datafiles::dataFileName(datafiles::Direction::Forward, largest);
    const std::string lastWord = std::string(1, static_cast<char>(largest - 'A' + 'a')) + "ultima";
    std::ofstream(largestFile, std::ios::binary | std::ios::app) << datafiles::formatRecordLine(
        {lastWord, "sut thaai", "-", "-", "\xCA\xD8\xB4\xB7\xE9\xD2\xC2", "$", "$"});
    const auto forward = filesOf(folder, datafiles::Direction::Forward);
    const auto reverse = filesOf(folder, datafiles::Direction::Reverse);
    const std::size_t forwardBytes = bytesOf(forward);
    const std::size_t reverseBytes = bytesOf(reverse);
    std::vector<Row> rows;

    // The dictionary window.
    {
        std::vector<double> loadIT, loadTI, switchToTI, switchToIT, enter, open, down;
        std::vector<double> memoryIT, memoryTI;
        Dictionary d(QString::fromStdString(folder));
        // The two largest letters in turn, so that every Enter finds another letter loaded.
        const QString words[] = {QStringLiteral("casa"), QStringLiteral("sole")};
        auto wholeLoad = [&](const char* button, std::vector<double>& times,
                             std::vector<double>& memory) {
            d.enter(QStringLiteral("xilofono")); // a short letter list instead of a whole one
            malloc_trim(0);
            const long before = residentKiB();
            times.push_back(d.load(button));
            memory.push_back(static_cast<double>(residentKiB() - before) / 1024.0);
            open.push_back(d.openList());
            down.push_back(d.downWithNoMatch());
        };
        for (int run = 0; run < kRuns; ++run) {
            wholeLoad("Command5", loadIT, memoryIT);
            switchToTI.push_back(d.load("Command6"));
            enter.push_back(d.enter(words[0]));
            wholeLoad("Command6", loadTI, memoryTI);
            switchToIT.push_back(d.load("Command5"));
            enter.push_back(d.enter(words[1]));
        }
        const bool filled = d.combo->count() > 10000;
        if (!d.dialogs.problems().isEmpty() || !d.ok || !filled)
            for (const QString& p : d.dialogs.problems())
                std::fprintf(stderr, "bench: %s\n", qPrintable(p));

        const Stats readerIT =
            stats(repeat(kRuns, [&] { return timed([&] { readAndParse(forward); }); }));
        const Stats readerTI =
            stats(repeat(kRuns, [&] { return timed([&] { readAndParse(reverse); }); }));
        const Stats readerC = stats(repeat(kRuns, [&] {
            return timed([&] { readAndParse({forward[2], forward[18]}); }) / 2;
        }));
        auto timeRow = [&](const std::string& what, const std::vector<double>& samples,
                           const Stats* baseline, double target) {
            const Stats s = stats(samples);
            Row row{what,
                    show(s, "ms"),
                    baseline ? show(*baseline, "ms") : "-",
                    baseline ? number(s.median / baseline->median) + " x" : "-",
                    "<= " + number(target) + " ms",
                    s.median <= target};
            row.met = row.met && d.ok && filled && d.dialogs.problems().isEmpty();
            rows.push_back(row);
        };
        timeRow("whole load Italian-Thai (vs reader alone)", loadIT, &readerIT, 150);
        timeRow("whole load Thai-Italian (vs reader alone)", loadTI, &readerTI, 150);
        timeRow("switch to Thai-Italian after a whole load", switchToTI, &readerTI, 150);
        timeRow("switch to Italian-Thai after a whole load", switchToIT, &readerIT, 150);
        timeRow("Enter on c/s after a whole load (vs reader)", enter, &readerC, 30);
        timeRow("first drop-down opening after a whole load", open, nullptr, 20);
        timeRow("Down with no match after a whole load", down, nullptr, 20);
        auto memoryRow = [&](const std::string& what, const std::vector<double>& samples,
                             std::size_t bytes) {
            const Stats s = stats(samples);
            const double loaded = static_cast<double>(bytes) / 1048576.0;
            rows.push_back({what, show(s, "MiB"), number(loaded) + " MiB",
                            number(s.median / loaded) + " x", "<= 1.5x", s.median <= 1.5 * loaded});
        };
        memoryRow("memory added by a whole load I-T (vs bytes)", memoryIT, forwardBytes);
        memoryRow("memory added by a whole load T-I (vs bytes)", memoryTI, reverseBytes);
    }

    // The console's look-up at the end of the largest letter file, beside grep -c of the
    // same word on the same file, both as whole processes. Judged: each less the same on a
    // letter file that holds only the record sought, so that what is left is the search
    // through the file (the console's fonts and the printed line, grep's start, are on both
    // sides of the subtraction), in processor time, since the wall time of a short process
    // on a shared machine is mostly its wait for a core. The console's side is timed inside
    // its process, from the Enter to the question answered: the processor time of a Qt
    // program's start varies by tens of milliseconds from run to run here, more than the
    // search takes.
    {
        QTemporaryDir oneDir;
        const std::string oneFile = oneDir.path().toStdString() + "/" +
                                    datafiles::dataFileName(datafiles::Direction::Forward, largest);
        std::ofstream(oneFile, std::ios::binary) << datafiles::formatRecordLine(
            {lastWord, "sut thaai", "-", "-", "\xCA\xD8\xB4\xB7\xE9\xD2\xC2", "$", "$"});
        const std::string pattern = "\"" + lastWord + "\"";
        const std::string times = oneDir.path().toStdString() + "/times";
        std::vector<ProcessTime> probe, grep, grepOne;
        std::vector<double> lookupNet;
        bool ran = true;
        auto keep = [&](std::vector<ProcessTime>& samples, ProcessTime t) {
            ran = ran && t.wall >= 0;
            samples.push_back(t);
        };
        // The look-up's own time, as the probe wrote it; negative when it wrote none.
        auto probeLookup = [&](const std::string& dataFolder, std::vector<ProcessTime>* into) {
            std::filesystem::remove(times);
            const ProcessTime t = runProcess({lookupProbe, dataFolder, lastWord, times}, 0);
            if (into)
                keep(*into, t);
            double ms = -1;
            std::ifstream(times) >> ms;
            ran = ran && t.wall >= 0 && ms >= 0;
            return ms;
        };
        probeLookup(folder, nullptr); // warm the caches once
        std::vector<ProcessTime> probeOne;
        for (int run = 0; run < 8 * kRuns + 1; ++run) {
            const double big = probeLookup(folder, &probe);
            const double one = probeLookup(oneDir.path().toStdString(), &probeOne);
            lookupNet.push_back(big - one);
            keep(grep, runProcess({"grep", "-c", pattern, largestFile}, 0));
            keep(grepOne, runProcess({"grep", "-c", pattern, oneFile}, 0));
        }
        auto walls = [](const std::vector<ProcessTime>& samples) {
            std::vector<double> ms;
            for (const ProcessTime& t : samples)
                ms.push_back(t.wall);
            return stats(ms);
        };
        std::vector<double> grepNet;
        for (std::size_t i = 0; i < grep.size(); ++i)
            grepNet.push_back(grep[i].cpu - grepOne[i].cpu);
        const auto records = datafiles::readAllRecords(datafiles::readWholeFile(largestFile).bytes);
        const std::string size = std::to_string(records.records.size() / 1000) + "k";
        const Stats p = walls(probe), g = walls(grep);
        const Stats pn = stats(lookupNet), gn = stats(grepNet);
        Row whole{"look-up, end of " + size + " records: processes",
                  show(p, "ms"),
                  show(g, "ms"),
                  number(p.median / g.median) + " x",
                  "-",
                  ran};
        whole.judged = false;
        rows.push_back(whole);
        rows.push_back({"the search alone: CPU less a 1-record file", show(pn, "ms"),
                        show(gn, "ms"), number(pn.median / gn.median) + " x", "<= 2x grep",
                        ran && pn.median <= 2 * gn.median});
    }

    // The reader on the forward files, beside reading them and counting line ends, and beside
    // Python's csv module.
    {
        const double megabytes = static_cast<double>(forwardBytes) / 1e6;
        auto rate = [&](std::vector<double> ms) {
            for (double& v : ms)
                v = megabytes / v * 1000;
            return stats(ms);
        };
        const auto readerMs = repeat(kRuns, [&] { return timed([&] { readAndParse(forward); }); });
        const auto floorMs =
            repeat(kRuns, [&] { return timed([&] { readAndCountLines(forward); }); });
        const Stats reader = rate(readerMs), floor = rate(floorMs);
        rows.push_back({"reader vs floor (read + count line ends)", show(reader, "MB/s"),
                        show(floor, "MB/s"), number(floor.median / reader.median) + " x slower",
                        "within 10x", reader.median * 10 >= floor.median});
        const auto pythonMs = pythonCsv(forward, kRuns);
        if (!pythonMs.empty()) {
            const Stats python = rate(pythonMs);
            rows.push_back({"reader vs Python csv", show(reader, "MB/s"), show(python, "MB/s"),
                            number(reader.median / python.median) + " x faster", ">= 15x",
                            reader.median >= 15 * python.median});
        }
    }

    std::ostringstream table;
    char line[512];
    std::snprintf(line, sizeof line,
                  "Generated dictionary: %zu + %zu records, %.1f MB in 52 files; "
                  "median [min-max] of %d or more runs\n\n",
                  generated.forwardRecords, generated.reverseRecords,
                  static_cast<double>(forwardBytes + reverseBytes) / 1e6, kRuns);
    table << line;
    auto tableLine = [&](const std::string& what, const std::string& kit,
                         const std::string& baseline, const std::string& ratio,
                         const std::string& target, const char* met) {
        std::snprintf(line, sizeof line, "| %-44s | %-27s | %-27s | %-15s | %-10s | %-4s |\n",
                      what.c_str(), kit.c_str(), baseline.c_str(), ratio.c_str(), target.c_str(),
                      met);
        table << line;
    };
    tableLine("measure", "kit", "baseline", "ratio", "target", "met");
    table << "|" << std::string(46, '-') << "|" << std::string(29, '-') << "|"
          << std::string(29, '-') << "|" << std::string(17, '-') << "|" << std::string(12, '-')
          << "|" << std::string(6, '-') << "|\n";
    for (const Row& r : rows)
        tableLine(r.what, r.kit, r.baseline, r.ratio, r.target,
                  !r.judged ? (r.met ? "-" : "NO")
                  : r.met   ? "yes"
                            : "NO");
    return table.str();
}

} // namespace bench

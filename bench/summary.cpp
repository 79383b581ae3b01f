#include "summary.h"
#include "process_time.h"

#include "dictionary_generator.h"
#include "probe_clocks.h"

#include "chartola/dictionary_window.h"
#include "chartola/program.h"
#include "datafiles/entry_editor.h"
#include "datafiles/entry_writer.h"
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
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
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

// A target's factor: "1.5", "1".
std::string factor(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
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

// The floor of a whole load: each file read into memory of its own and its line starts
// indexed with memchr. Fresh: memory the process never touched, mapped anew for each file;
// otherwise one buffer that was touched before. Gives the milliseconds it took.
double floorLoad(const std::vector<std::string>& paths, bool fresh) {
    static std::vector<char> touched;
    std::size_t total = 0;
    for (const std::string& path : paths)
        total += std::filesystem::file_size(path) + 1;
    if (!fresh && touched.size() < total)
        touched.assign(total, 1);
    std::vector<std::pair<void*, std::size_t>> maps;
    std::vector<std::uint32_t> starts;
    const auto start = Clock::now();
    std::size_t used = 0;
    for (const std::string& path : paths) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        ::fstat(fd, &info);
        const auto size = static_cast<std::size_t>(info.st_size);
        char* bytes = touched.data() + used;
        if (fresh) {
            void* memory = ::mmap(nullptr, size + 1, PROT_READ | PROT_WRITE,
                                  MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            maps.emplace_back(memory, size + 1);
            bytes = static_cast<char*>(memory);
        }
        std::size_t filled = 0;
        for (ssize_t got = 1; got > 0 && filled <= size; filled += static_cast<std::size_t>(got))
            got = ::read(fd, bytes + filled, size + 1 - filled);
        ::close(fd);
        starts.reserve(starts.size() + size / 32 + 1);
        for (const char* p = bytes; p < bytes + size;) {
            starts.push_back(static_cast<std::uint32_t>(p - bytes));
            const void* end = std::memchr(p, '\n', static_cast<std::size_t>(bytes + size - p));
            p = end ? static_cast<const char*>(end) + 1 : bytes + size;
        }
        used += size + 1;
    }
    const double ms = millisecondsSince(start);
    for (const auto& [memory, size] : maps)
        ::munmap(memory, size);
    return ms;
}

std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

// The numbers a probe wrote, in order; empty when it wrote none.
std::vector<double> numbersIn(const std::string& path) {
    std::vector<double> numbers;
    std::ifstream file(path);
    for (double v; file >> v;)
        numbers.push_back(v);
    return numbers;
}

// An X server of its own for the start-up rows, where Xvfb is installed. Xvfb picks the
// display itself (-displayfd), taking one that no other server holds, and writes its number
// on a pipe once it accepts connections.
class XServer {
public:
    XServer() {
        int pipe[2];
        if (::pipe2(pipe, O_CLOEXEC) != 0)
            return;
        constexpr int kDisplayFd = 3; // the pipe's end in Xvfb
        std::vector<std::string> command = {"Xvfb",      "-displayfd", std::to_string(kDisplayFd),
                                            "-screen",   "0",          "1280x1024x24",
                                            "-nolisten", "tcp"};
        std::vector<char*> argv;
        for (std::string& arg : command)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, pipe[1], kDisplayFd);
        const int spawned = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipe[1]);
        if (spawned != 0) {
            pid_ = -1;
            ::close(pipe[0]);
            return;
        }
        std::string number;
        pollfd waiting{pipe[0], POLLIN, 0};
        char c = 0;
        while (::poll(&waiting, 1, 10000) > 0 && ::read(pipe[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(pipe[0]);
        if (c == '\n' && !number.empty())
            display_ = ":" + number;
    }
    ~XServer() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// sqlite3 inserting one row into a table of `rows` rows with PRAGMA synchronous=FULL, as a
// process: its wall time less that of the same process reading one row, in milliseconds
// (sqlite3's own timer counts whole milliseconds only); negative without sqlite3.
struct Sqlite {
    std::string database;
    explicit Sqlite(const std::string& folder, std::size_t rows) {
        database = folder + "/words.db";
        std::ofstream(folder + "/create.sql")
            << "CREATE TABLE words(italian TEXT, pronunciation TEXT, attribute TEXT, note TEXT, "
               "thai BLOB, thaiSound TEXT, italianSound TEXT);\n"
               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
            << rows
            << ") INSERT INTO words SELECT 'parola' || i, 'kham' || i, '-', '-', "
               "x'BAE9D2B9', '$', '$' FROM n;\n";
        output("sqlite3 " + database + " < " + folder + "/create.sql 2>/dev/null");
    }
    double insert() const {
        const ProcessTime written = runProcess(
            {"sqlite3", database,
             "PRAGMA synchronous=FULL; INSERT INTO words VALUES('scritta', 'khian', '-', '-', "
             "x'BAE9D2B9', '$', '$');"},
            0);
        const ProcessTime read =
            runProcess({"sqlite3", database,
                        "PRAGMA synchronous=FULL; SELECT italian FROM words WHERE rowid = 1;"},
                       0);
        return written.wall < 0 || read.wall < 0 ? -1 : written.wall - read.wall;
    }
};

struct Row {
    std::string what, kit, baseline, ratio, target;
    bool met = true;
    bool judged = true; // false: a figure shown for context, with no target of its own
    std::size_t runs = 0;
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
                            const Programs& programs) {
    const std::string loadBefore = loadAverage();
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
    // A time judged by its ratio to a baseline measured in the same run: met when its median
    // is at most `most` times the baseline's. The target names the baseline (`peer`); the
    // times themselves are shown for information, since both move with the machine's load.
    auto timeRow = [&](const std::string& what, const std::vector<double>& samples,
                       const Stats& baseline, double most, const std::string& peer, bool ok) {
        const Stats s = stats(samples);
        const bool measured = s.runs > 0 && baseline.runs > 0 && baseline.median > 0;
        const double ratio = measured ? s.median / baseline.median : 0;
        rows.push_back({what, show(s, "ms"), show(baseline, "ms") + " " + peer,
                        measured ? number(ratio) + " x" : "-", "<= " + factor(most) + "x " + peer,
                        ok && measured && ratio <= most, true, s.runs});
    };
    auto contextRow = [&](const std::string& what, const std::vector<double>& samples,
                          const char* unit) {
        const Stats s = stats(samples);
        Row row{what, show(s, unit), "-", "-", "-", s.runs > 0, false, s.runs};
        rows.push_back(row);
    };

    // The dictionary window: a whole load against its floor, reading every file into fresh
    // memory and indexing its lines with memchr, measured in the same run (45 ms where the
    // floor takes 40). Judged by the ratio, since both move with the machine's load.
    {
        std::vector<double> loadIT, loadTI, switchToTI, switchToIT, enter, open, down;
        Dictionary d(QString::fromStdString(folder));
        // The two largest letters in turn, so that every Enter finds another letter loaded.
        const QString words[] = {QStringLiteral("casa"), QStringLiteral("sole")};
        auto wholeLoad = [&](const char* button, std::vector<double>& times) {
            d.enter(QStringLiteral("xilofono")); // a short letter list instead of a whole one
            times.push_back(d.load(button));
            open.push_back(d.openList());
            down.push_back(d.downWithNoMatch());
        };
        std::vector<double> floorIT, floorTI, touchedIT, repaint;
        for (int run = 0; run < kRuns; ++run) {
            wholeLoad("Command5", loadIT);
            switchToTI.push_back(d.load("Command6"));
            enter.push_back(d.enter(words[0]));
            wholeLoad("Command6", loadTI);
            switchToIT.push_back(d.load("Command5"));
            enter.push_back(d.enter(words[1]));
            floorIT.push_back(floorLoad(forward, true));
            floorTI.push_back(floorLoad(reverse, true));
            touchedIT.push_back(floorLoad(forward, false));
            repaint.push_back(d.event([&] { d.form->repaint(); }));
        }
        const bool filled = d.combo->count() > 10000;
        if (!d.dialogs.problems().isEmpty() || !d.ok || !filled)
            for (const QString& p : d.dialogs.problems())
                std::fprintf(stderr, "bench: %s\n", qPrintable(p));
        const bool ok = d.ok && filled && d.dialogs.problems().isEmpty();

        // The first load of a fresh process, and the memory it keeps from the process's start.
        QTemporaryDir probeDir;
        const std::string times = probeDir.path().toStdString() + "/times";
        std::vector<double> firstIT, memoryIT, memoryTI;
        bool probed = true;
        for (int run = 0; run < kRuns; ++run) {
            for (const char* button : {"Command5", "Command6"}) {
                const bool forwardLoad = button[7] == '5';
                std::filesystem::remove(times);
                probed =
                    probed && runProcess({programs.loadProbe, folder, button, times}, 0).wall >= 0;
                const std::vector<double> n = numbersIn(times); // ms, fresh KiB, after KiB
                if (n.size() < 3) {
                    probed = false;
                    continue;
                }
                if (forwardLoad)
                    firstIT.push_back(n[0]);
                (forwardLoad ? memoryIT : memoryTI).push_back((n[2] - n[1]) / 1024.0);
            }
        }

        const Stats readerC = stats(repeat(kRuns, [&] {
            return timed([&] { readAndParse({forward[2], forward[18]}); }) / 2;
        }));
        const Stats fIT = stats(floorIT), fTI = stats(floorTI);
        timeRow("whole load Italian-Thai", loadIT, fIT, 1.15, "floor", ok);
        timeRow("whole load Thai-Italian", loadTI, fTI, 1.15, "floor", ok);
        timeRow("switch to Thai-Italian after a whole load", switchToTI, fTI, 1.15, "floor", ok);
        timeRow("switch to Italian-Thai after a whole load", switchToIT, fIT, 1.15, "floor", ok);
        timeRow("first whole load I-T of a fresh process", firstIT, fIT, 1.15, "floor", probed);
        // Beside the whole loads above: later ones, in a process that has loaded before.
        timeRow("first whole load I-T, fresh process", firstIT, stats(loadIT), 1.3, "later",
                probed);
        contextRow("floor I-T: fresh memory + memchr index", floorIT, "ms");
        contextRow("floor T-I: fresh memory + memchr index", floorTI, "ms");
        contextRow("touched: the same in memory touched before", touchedIT, "ms");
        timeRow("Enter on c/s after a whole load", enter, readerC, 3, "reader", ok);
        timeRow("first drop-down opening after a whole load", open, stats(repaint), 3, "repaint",
                ok);
        timeRow("Down with no match after a whole load", down, stats(touchedIT), 1, "touched", ok);
        contextRow("repaint of the dictionary window", repaint, "ms");
        auto memoryRow = [&](const std::string& what, const std::vector<double>& samples,
                             std::size_t bytes) {
            const Stats s = stats(samples);
            const double loaded = static_cast<double>(bytes) / 1048576.0;
            rows.push_back({what, show(s, "MiB"), number(loaded) + " MiB",
                            number(s.median / loaded) + " x", "<= 1.2x",
                            probed && s.runs > 0 && s.median <= 1.2 * loaded, true, s.runs});
        };
        memoryRow("memory, fresh process to after load I-T", memoryIT, forwardBytes);
        memoryRow("memory, fresh process to after load T-I", memoryTI, reverseBytes);
    }

    // The console's look-up at the end of the largest letter file, beside grep -c and rg -c
    // of the same word on the same file, all as whole processes. Judged: each less the same
    // on a letter file that holds only the record sought, so that what is left is the search
    // through the file (the console's fonts and the printed line, the tools' start, are on
    // both sides of the subtraction), in processor time, since the wall time of a short
    // process on a shared machine is mostly its wait for a core. The console's side is timed
    // inside its process, from the Enter to the question answered: the processor time of a
    // Qt program's start varies by tens of milliseconds from run to run here, more than the
    // search takes. The probe also gives the wall time from the Enter to the answer lines
    // painted and to the question box shown.
    {
        QTemporaryDir oneDir;
        const std::string oneFile = oneDir.path().toStdString() + "/" +
                                    datafiles::dataFileName(datafiles::Direction::Forward, largest);
        std::ofstream(oneFile, std::ios::binary) << datafiles::formatRecordLine(
            {lastWord, "sut thaai", "-", "-", "\xCA\xD8\xB4\xB7\xE9\xD2\xC2", "$", "$"});
        const std::string pattern = "\"" + lastWord + "\"";
        const std::string times = oneDir.path().toStdString() + "/times";
        std::vector<ProcessTime> probe, grep, grepOne, rg, rgOne;
        std::vector<double> lookupNet, painted, shown;
        bool ran = true;
        auto keep = [&](std::vector<ProcessTime>& samples, ProcessTime t) {
            ran = ran && t.wall >= 0;
            samples.push_back(t);
        };
        // What the probe wrote: the look-up's own processor time, then the times to the lines
        // painted and to the question shown; empty when it wrote none.
        auto probeLookup = [&](const std::string& dataFolder, std::vector<ProcessTime>* into,
                               const std::string& word = {}) {
            std::filesystem::remove(times);
            const ProcessTime t =
                word.empty()
                    ? runProcess({programs.lookupProbe, dataFolder, lastWord, times}, 0)
                    : runProcess({programs.lookupProbe, dataFolder, word, times, "absent"}, 0);
            if (into)
                keep(*into, t);
            const std::vector<double> n = numbersIn(times);
            ran = ran && t.wall >= 0 && n.size() == 3 && n[1] >= 0 && n[2] >= 0;
            return n.size() == 3 ? n : std::vector<double>{0, 0, 0};
        };
        probeLookup(folder, nullptr); // warm the caches once
        std::vector<ProcessTime> probeOne;
        // A word of the same file that is not there, with no head word near it: fifteen
        // letters, longer than any generated word by more than one.
        const std::string absentWord = lastWord.substr(0, 1) + "qzjxkwvqzjxkwv";
        std::vector<double> exactCpu, absentCpu;
        const bool withRg = runProcess({"rg", "--version"}, 0).wall >= 0;
        for (int run = 0; run < 8 * kRuns + 1; ++run) {
            const std::vector<double> big = probeLookup(folder, &probe);
            const std::vector<double> one = probeLookup(oneDir.path().toStdString(), &probeOne);
            lookupNet.push_back(big[0] - one[0]);
            exactCpu.push_back(big[0]);
            absentCpu.push_back(probeLookup(folder, nullptr, absentWord)[0]);
            painted.push_back(big[1]);
            shown.push_back(big[2]);
            keep(grep, runProcess({"grep", "-c", pattern, largestFile}, 0));
            keep(grepOne, runProcess({"grep", "-c", pattern, oneFile}, 0));
            if (withRg) {
                keep(rg, runProcess({"rg", "-c", pattern, largestFile}, 0));
                keep(rgOne, runProcess({"rg", "-c", pattern, oneFile}, 0));
            }
        }
        auto walls = [](const std::vector<ProcessTime>& samples) {
            std::vector<double> ms;
            for (const ProcessTime& t : samples)
                ms.push_back(t.wall);
            return stats(ms);
        };
        auto net = [](const std::vector<ProcessTime>& big, const std::vector<ProcessTime>& one) {
            std::vector<double> ms;
            for (std::size_t i = 0; i < big.size() && i < one.size(); ++i)
                ms.push_back(big[i].cpu - one[i].cpu);
            return ms;
        };
        const auto records = datafiles::readAllRecords(datafiles::readWholeFile(largestFile).bytes);
        const std::string size = std::to_string(records.records.size() / 1000) + "k";
        const Stats p = walls(probe), g = walls(grep);
        const Stats pn = stats(lookupNet), gn = stats(net(grep, grepOne)),
                    rn = stats(net(rg, rgOne));
        // rg is the peer; grep stands in where there is no rg.
        const Stats& peer = withRg ? rn : gn;
        Row whole{"look-up, end of " + size + " records: processes",
                  show(p, "ms"),
                  show(g, "ms"),
                  number(p.median / g.median) + " x",
                  "-",
                  ran,
                  false,
                  p.runs};
        rows.push_back(whole);
        rows.push_back({std::string("the search alone: CPU less a 1-record file"), show(pn, "ms"),
                        show(peer, "ms") + (withRg ? " rg" : " grep"),
                        number(pn.median / peer.median) + " x",
                        withRg ? "<= 1.5x rg" : "<= 1.5x grep",
                        ran && pn.median <= 1.5 * peer.median, true, pn.runs});
        rows.push_back({"the search alone: grep -c (kit), rg -c (base)", show(gn, "ms"),
                        withRg ? show(rn, "ms") : "no rg",
                        withRg ? number(gn.median / rn.median) + " x" : "-", "-", withRg, false,
                        gn.runs});
        const Stats exact = stats(exactCpu), missing = stats(absentCpu);
        rows.push_back({"look-up: no match, near words sought (CPU)", show(missing, "ms"),
                        show(exact, "ms") + " exact", number(missing.median / exact.median) + " x",
                        "<= 2x exact", ran && missing.median <= 2 * exact.median, true,
                        missing.runs});
        // From the Enter to the lines painted, beside grep -c as a whole process on the same file;
        // the question's box beside the lines it follows.
        timeRow("look-up: Enter to answer lines painted", painted, g, 1, "grep", ran);
        timeRow("look-up: Enter to question box shown", shown, stats(painted), 1.3, "lines", ran);
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
                        "within 10x", reader.median * 10 >= floor.median, true, reader.runs});
        const auto pythonMs = pythonCsv(forward, kRuns);
        if (!pythonMs.empty()) {
            const Stats python = rate(pythonMs);
            rows.push_back({"reader vs Python csv", show(reader, "MB/s"), show(python, "MB/s"),
                            number(reader.median / python.median) + " x faster", ">= 15x",
                            reader.median >= 15 * python.median, true, reader.runs});
        }
    }

    // Start-up to the first paint, Vocaboro and Chartola beside xterm, each started on an X
    // server of the benchmark's own and watched from the server.
    if (!programs.firstPaint.empty()) {
        XServer x;
        std::vector<double> xterm, vocaboro, chartola;
        auto firstPaint = [&](std::vector<std::string> command, std::vector<double>& into) {
            command.insert(command.begin(), {programs.firstPaint, x.display(), "10000"});
            const std::string text = output([&] {
                std::string line;
                for (const std::string& arg : command)
                    line += arg + " ";
                return line + "2>/dev/null";
            }());
            if (!text.empty())
                into.push_back(std::atof(text.c_str()));
        };
        // Ripasso from its start to its first card, on the same display: the probe starts as
        // Ripasso does, on the generated words with a progress of 10,000 cards answered before
        // (half of them due), and gives the time from its spawn.
        QTemporaryDir progressDir;
        const std::string progress = progressDir.path().toStdString() + "/progress.sqlite";
        const bool prepared =
            !x.display().empty() &&
            runProcess({programs.ripassoProbe, "prepare", folder, progress}, 0).wall >= 0;
        std::vector<double> ripasso;
        auto firstCard = [&] {
            char spawned[32];
            std::snprintf(spawned, sizeof spawned, "%.3f", wallMilliseconds());
            const std::string text = output(
                "DISPLAY=" + x.display() + " QT_QPA_PLATFORM=xcb exec " + programs.ripassoProbe +
                " start " + folder + " " + progress + " " + spawned + " 2>/dev/null");
            if (!text.empty())
                ripasso.push_back(std::atof(text.c_str()));
        };
        for (int run = 0; run < kRuns + 2 && !x.display().empty(); ++run) {
            firstPaint({"xterm", "-e", "sleep", "30"}, xterm);
            firstPaint({programs.vocaboro}, vocaboro);
            firstPaint({programs.chartola}, chartola);
            if (prepared)
                firstCard();
        }
        const Stats xt = stats(xterm);
        timeRow("start-up to first paint: Vocaboro", vocaboro, xt, 1, "xterm", !xterm.empty());
        timeRow("start-up to first paint: Chartola", chartola, xt, 1, "xterm", !xterm.empty());
        timeRow("Ripasso: start to its first card painted", ripasso, xt, 1.5, "xterm",
                prepared && ripasso.size() == static_cast<std::size_t>(kRuns + 2));
    }

    // The change of one entry at 10^6 records per direction (its note, in the largest forward
    // file and in its reverse file), beside the floor: the same new bytes of both files written
    // with plain calls under temporary names, synced, renamed over the files, the folder synced.
    {
        // An entry of its own, in both directions (the generated files do not pair their
        // records), at the end of the largest forward file.
        const char letter = largestLetter(folder);
        const std::string forwardFile =
            folder + "/" + datafiles::dataFileName(datafiles::Direction::Forward, letter);
        datafiles::DictionaryRecord record{std::string(1, static_cast<char>(letter + 32)) + "bench",
                                           "xbench",
                                           "-",
                                           "-",
                                           "@",
                                           "$",
                                           "$"};
        bool changed =
            datafiles::appendEntry(forwardFile, datafiles::formatRecordLine(record),
                                   folder + "/" +
                                       datafiles::dataFileName(datafiles::Direction::Reverse, 'X'),
                                   datafiles::formatRecordLine(datafiles::reverseOf(record)))
                .ok();
        std::vector<double> changes, floors;
        auto floorOf = [&folder](const std::vector<std::string>& paths) {
            std::vector<std::string> bytes;
            for (const std::string& path : paths)
                bytes.push_back(datafiles::readWholeFile(path).bytes);
            return timed([&] {
                for (std::size_t i = 0; i < paths.size(); ++i) {
                    const std::string fresh = paths[i] + ".floor";
                    const int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                    if (fd < 0 || ::write(fd, bytes[i].data(), bytes[i].size()) < 0 ||
                        ::fsync(fd) != 0)
                        std::abort();
                    ::close(fd);
                    if (std::rename(fresh.c_str(), paths[i].c_str()) != 0)
                        std::abort();
                }
                const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
                ::fsync(dir);
                ::close(dir);
            });
        };
        for (int run = 0; run < 2 * kRuns + 1 && changed; ++run) {
            datafiles::EntryChange change;
            change.forward = record;
            change.replacement = record;
            change.replacement->note = record.note == "-" ? "x" : "-";
            datafiles::EntryEditResult result;
            changes.push_back(timed([&] { result = datafiles::changeEntry(folder, change); }));
            changed = result.ok();
            if (!changed)
                break;
            record = *change.replacement;
            floors.push_back(floorOf({result.forwardTo.string(), result.reverseTo.string()}));
        }
        const Stats floor = stats(floors);
        timeRow("change of one entry, 10^6/dir", changes, floor, 2, "floor", changed);
        contextRow("floor: write, sync, rename the same bytes", floors, "ms");
    }

    // The import of a CSV file of 10^5 rows by `thai-kit import` as a process, beside the same
    // appends made by plain C in the same run, synced as the import syncs them and not synced
    // (import_probe.cpp); and the import's peak memory at 10^4 and 10^5 rows, which should not
    // grow with the file. Shown for information: no target judges them.
    {
        QTemporaryDir numbersDir;
        const std::string numbers = numbersDir.path().toStdString() + "/import";
        const bool ran =
            runProcess({programs.importProbe, std::to_string(kRuns), "--numbers", numbers}, 0)
                .wall >= 0;
        // The runs, the four lists of times (10^4, 10^5, plain C synced, not synced), the peaks.
        const std::vector<double> n = numbersIn(numbers);
        const std::size_t runs = n.empty() ? 0 : static_cast<std::size_t>(n[0]);
        if (ran && runs > 0 && n.size() == 1 + 4 * runs + 2) {
            auto part = [&](std::size_t i) {
                const auto first = n.begin() + static_cast<std::ptrdiff_t>(1 + i * runs);
                return std::vector<double>(first, first + static_cast<std::ptrdiff_t>(runs));
            };
            const Stats imported = stats(part(1));
            auto beside = [&](const std::string& what, const std::vector<double>& floor,
                              const std::string& peer) {
                const Stats f = stats(floor);
                rows.push_back({what, show(imported, "ms"), show(f, "ms") + " " + peer,
                                f.median > 0 ? number(imported.median / f.median) + " x" : "-", "-",
                                true, false, imported.runs});
            };
            beside("import of 10^5 rows beside plain C appends+fsync", part(2), "C");
            beside("import of 10^5 rows beside plain C, no fsync", part(3), "C");
            contextRow("import of 10^4 rows (thai-kit import)", part(0), "ms");
            rows.push_back(
                {"import: peak memory at 10^4 and 10^5 rows",
                 number(n[n.size() - 2] / 1024) + " MB, " + number(n[n.size() - 1] / 1024) + " MB",
                 "-", "-", "-", true, false, runs});
        } else {
            rows.push_back({"import of 10^5 rows (thai-kit import)", "did not run", "-", "-", "-",
                            false, false, 0});
        }
    }

    // Vocaboro's write of one entry, from the click on the write button to the confirmation,
    // at 10^4 and at 10^6 records per direction, beside sqlite3 inserting one row into a table
    // of 10^6 rows with synchronous=FULL. Last, since it adds entries to the dictionary.
    {
        QTemporaryDir smallDir, sqliteDir;
        generateDictionary(smallDir.path().toStdString(), 10000);
        const Sqlite sqlite(sqliteDir.path().toStdString(), 1000000);
        std::vector<double> inserts;
        for (int run = 0; run < 4 * kRuns + 1; ++run)
            if (const double ms = sqlite.insert(); ms >= 0)
                inserts.push_back(ms);
        const Stats sq = stats(inserts);
        const std::string times = sqliteDir.path().toStdString() + "/times";
        bool wrote = true;
        // Wall times of the writes a probe made.
        auto writes = [&](const std::string& dataFolder, const char* mode, int count) {
            std::filesystem::remove(times);
            wrote =
                wrote &&
                runProcess({programs.writeProbe, dataFolder, mode, times, std::to_string(count)}, 0)
                        .wall >= 0;
            const std::vector<double> n = numbersIn(times); // wall, processor per write
            std::vector<double> walls;
            for (std::size_t i = 0; i + 1 < n.size(); i += 2)
                walls.push_back(n[i]);
            wrote = wrote && static_cast<int>(walls.size()) == count;
            return walls;
        };
        struct Sizes {
            std::vector<double> first, following, afterLookup;
        } small, large;
        for (auto& [dataFolder, into] :
             {std::pair<std::string, Sizes*>{smallDir.path().toStdString(), &small},
              std::pair<std::string, Sizes*>{folder, &large}}) {
            // A probe that failed wrote no time: its run counts as not met, not as a figure.
            for (int run = 0; run < kRuns; ++run) {
                for (auto [mode, samples] :
                     {std::pair{"first", &into->first}, std::pair{"lookup", &into->afterLookup}})
                    if (const std::vector<double> w = writes(dataFolder, mode, 1); !w.empty())
                        samples->push_back(w.front());
            }
            for (int run = 0; run < 2; ++run) {
                const std::vector<double> w = writes(dataFolder, "first", kRuns + 1);
                if (!w.empty())
                    into->following.insert(into->following.end(), w.begin() + 1, w.end());
            }
        }
        // Each beside sqlite3's row at both sizes, and the 10^6 figure beside the 10^4 one. The
        // first write of a fresh process (the one after a look-up is one too) may take twice
        // sqlite3's row; the following ones, no more than it.
        auto writeRows = [&](const std::string& what, const std::vector<double>& at4,
                             const std::vector<double>& at6, double most) {
            timeRow(what + ", 10^4/dir", at4, sq, most, "sqlite3", wrote);
            timeRow(what + ", 10^6/dir", at6, sq, most, "sqlite3", wrote);
            timeRow(what + ", 10^6 beside 10^4", at6, stats(at4), 1.2, "10^4", wrote);
        };
        writeRows("write: first of a fresh console", small.first, large.first, 2);
        writeRows("write: following ones", small.following, large.following, 1);
        writeRows("write: after a look-up of its word", small.afterLookup, large.afterLookup, 2);
        contextRow("sqlite3: one row into 10^6, synchronous=FULL", inserts, "ms");
        rows.back().met = !inserts.empty();
    }

    std::ostringstream table;
    char line[512];
    std::snprintf(line, sizeof line,
                  "Generated dictionary: %zu + %zu records, %.1f MB in 52 files; "
                  "median [min-max] of the runs\n"
                  "Load average (1, 5, 15 min) at the start: %s; at the end: %s\n\n",
                  generated.forwardRecords, generated.reverseRecords,
                  static_cast<double>(forwardBytes + reverseBytes) / 1e6, loadBefore.c_str(),
                  loadAverage().c_str());
    table << line;
    auto tableLine = [&](const std::string& what, const std::string& kit,
                         const std::string& baseline, const std::string& ratio,
                         const std::string& runs, const std::string& target, const char* met) {
        std::snprintf(line, sizeof line, "| %-48s | %-26s | %-26s | %-9s | %-4s | %-20s | %-4s |\n",
                      what.c_str(), kit.c_str(), baseline.c_str(), ratio.c_str(), runs.c_str(),
                      target.c_str(), met);
        table << line;
    };
    tableLine("measure", "kit", "baseline", "ratio", "runs", "target", "met");
    table << "|" << std::string(50, '-') << "|" << std::string(28, '-') << "|"
          << std::string(28, '-') << "|" << std::string(11, '-') << "|" << std::string(6, '-')
          << "|" << std::string(22, '-') << "|" << std::string(6, '-') << "|\n";
    for (const Row& r : rows)
        tableLine(r.what, r.kit, r.baseline, r.ratio, std::to_string(r.runs), r.target,
                  !r.judged ? (r.met ? "-" : "NO")
                  : r.met   ? "yes"
                            : "NO");
    return table.str();
}

} // namespace bench

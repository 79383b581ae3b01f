#include "summary.h"

#include "dictionary_generator.h"

#include "chartola/dictionary_window.h"
#include "chartola/program.h"
#include "datafiles/file_io.h"
#include "datafiles/file_naming.h"
#include "datafiles/record_reader.h"
#include "platform/editable_combo.h"
#include "platform/scripted_dialogs.h"
#include "platform/test_doubles.h"
#include "vocaboro/console_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

// Best of `runs`, in milliseconds.
double bestOf(int runs, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        best =
            std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
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

std::string run(const std::string& command) {
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        ::pclose(pipe);
    }
    return output;
}

// Python's csv module on the same files, best of three, in milliseconds; negative when
// there is no python3.
double pythonCsv(const std::vector<std::string>& paths) {
    std::ostringstream script;
    script << "python3 -c '\nimport csv, io, time\npaths = [";
    for (const auto& p : paths)
        script << "\"" << p << "\",";
    script << "]\nbest = 1e9\nfor _ in range(3):\n  t = time.perf_counter()\n  n = 0\n  for p in "
              "paths:\n"
              "    with open(p, encoding=\"latin-1\", newline=\"\") as f:\n"
              "      for row in csv.reader(f):\n        n += 1\n"
              "  best = min(best, time.perf_counter() - t)\nprint(best * 1000)\n' 2>/dev/null";
    const std::string out = run(script.str());
    return out.empty() ? -1 : std::stod(out);
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

struct Row {
    std::string what, kit, baseline, ratio, target;
    bool met;
};

std::string format(double v, const char* unit) {
    char text[64];
    std::snprintf(text, sizeof text, v >= 100 ? "%.0f %s" : "%.2f %s", v, unit);
    return text;
}

} // namespace

std::string sideBySideTable() {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const GeneratedDictionary generated = generateDictionary(folder, 100000);
    const auto forward = filesOf(folder, datafiles::Direction::Forward);
    const auto reverse = filesOf(folder, datafiles::Direction::Reverse);
    std::vector<std::string> all = forward;
    all.insert(all.end(), reverse.begin(), reverse.end());
    const double megabytes = static_cast<double>(generated.bytes) / 1e6;
    std::vector<Row> rows;

    // The reader over the whole dictionary, beside reading the files and counting lines.
    const double reader = bestOf(5, [&] { readAndParse(all); });
    const double floor = bestOf(5, [&] { readAndCountLines(all); });
    const double python = pythonCsv(all);
    rows.push_back({"reader vs floor (read + count line ends)",
                    format(megabytes / reader * 1000, "MB/s"),
                    format(megabytes / floor * 1000, "MB/s"), format(reader / floor, "x slower"),
                    "within 10x", reader <= 10 * floor});
    if (python > 0)
        rows.push_back({"reader vs Python csv", format(megabytes / reader * 1000, "MB/s"),
                        format(megabytes / python * 1000, "MB/s"),
                        format(python / reader, "x faster"), ">= 15x", python >= 15 * reader});

    // A look-up through the console window in a 10,000-record letter file, beside grep -c.
    {
        QTemporaryDir lookupDir;
        const std::string bytes = generateLetterFile('c', 10000, 7);
        const std::string path = lookupDir.path().toStdString() + "/LEXFWD_C.DAT";
        std::ofstream(path, std::ios::binary) << bytes;
        // A word of the middle of the file that no cross-reference record shares.
        const auto records = datafiles::readAllRecords(bytes).records;
        datafiles::DictionaryRecord r;
        for (std::size_t i = records.size() / 2; i < records.size(); ++i) {
            r = records[i];
            if (std::none_of(records.begin(), records.end(),
                             [&](const datafiles::DictionaryRecord& o) {
                                 return o.headword == r.headword && o.isCrossReference();
                             }))
                break;
        }
        const QString word = QString::fromLatin1(r.headword.c_str());
        platform::ScriptedDialogs dialogs;
        vocaboro::ConsoleOptions options;
        options.driveRoot = lookupDir.path().toStdString();
        vocaboro::Form1 console(dialogs, options);
        dialogs.expectInput(QStringLiteral("Path Folder"), lookupDir.path() + QLatin1Char('/'));
        console.Form_Load();
        auto* text8 = console.findChild<QLineEdit*>(QStringLiteral("Text8"));
        const double lookup = bestOf(5, [&] {
            dialogs.expectMessage(QStringLiteral("Wish insert another"), platform::Answer::No);
            console.Command3D10_Click();
            text8->setText(word);
            console.Text8_KeyPress(13);
        });
        const std::string grep = "grep -c '\"" + r.headword + "\"' " + path + " > /dev/null";
        const double grepTime = bestOf(5, [&] { std::system(grep.c_str()); });
        rows.push_back({"look-up, 10,000 records, console vs grep -c", format(lookup, "ms"),
                        format(grepTime, "ms"), format(lookup / grepTime, "x"), "no slower",
                        lookup <= grepTime});
        if (!dialogs.problems().isEmpty())
            rows.back().met = false;
    }

    // Whole loads in the dictionary window, beside the reader alone on the same files.
    {
        platform::ScriptedDialogs dialogs;
        platform::RecordingPlayer player;
        platform::FakeRegistry registry;
        platform::FakeLauncher launcher;
        const long before = residentKiB();
        chartola::Program program({dialogs, player, registry, launcher, "/nowhere", [] {}});
        dialogs.expectInput(QStringLiteral("DataBase"), dir.path() + QLatin1Char('/'));
        program.show(chartola::Window::Form3);
        chartola::Form3& form = program.dictionary();
        auto* combo = form.findChild<platform::EditableCombo*>(QStringLiteral("Combo1"));
        auto load = [&](bool fwd) {
            return bestOf(3, [&] {
                combo->setEditText(QString());
                form.Combo1_KeyPress(13);
                dialogs.expectMessage(QStringLiteral("Premere OK"));
                fwd ? form.Command5_Click() : form.Command6_Click();
            });
        };
        const double reverseLoad = load(false);
        const double forwardLoad = load(true);
        const long after = residentKiB();
        const double forwardReader = bestOf(3, [&] { readAndParse(forward); });
        const double reverseReader = bestOf(3, [&] { readAndParse(reverse); });
        rows.push_back({"whole load Italian-Thai vs reader alone", format(forwardLoad, "ms"),
                        format(forwardReader, "ms"), format(forwardLoad / forwardReader, "x"),
                        "< 300 ms", forwardLoad < 300});
        rows.push_back({"whole load Thai-Italian vs reader alone", format(reverseLoad, "ms"),
                        format(reverseReader, "ms"), format(reverseLoad / reverseReader, "x"),
                        "< 300 ms", reverseLoad < 300});
        std::size_t forwardBytes = 0;
        for (const auto& p : forward)
            forwardBytes += datafiles::readWholeFile(p).bytes.size();
        const double memory = static_cast<double>(after - before) / 1024.0;
        const double loaded = static_cast<double>(forwardBytes) / 1048576.0;
        rows.push_back({"memory after a whole load vs bytes loaded", format(memory, "MiB"),
                        format(loaded, "MiB"), format(memory / loaded, "x"), "< 8x",
                        memory < 8 * loaded});
        if (!dialogs.problems().isEmpty() || combo->count() < 90000)
            rows.back().met = false;
    }

    std::ostringstream table;
    char line[512];
    std::snprintf(line, sizeof line,
                  "Generated dictionary: %zu + %zu records, %.1f MB in 52 files\n\n",
                  generated.forwardRecords, generated.reverseRecords, megabytes);
    table << line;
    std::snprintf(line, sizeof line, "| %-44s | %-11s | %-11s | %-14s | %-10s | %-4s |\n",
                  "measure", "kit", "baseline", "ratio", "target", "met");
    table << line;
    table << "|" << std::string(46, '-') << "|" << std::string(13, '-') << "|"
          << std::string(13, '-') << "|" << std::string(16, '-') << "|" << std::string(12, '-')
          << "|" << std::string(6, '-') << "|\n";
    for (const Row& r : rows) {
        std::snprintf(line, sizeof line, "| %-44s | %-11s | %-11s | %-14s | %-10s | %-4s |\n",
                      r.what.c_str(), r.kit.c_str(), r.baseline.c_str(), r.ratio.c_str(),
                      r.target.c_str(), r.met ? "yes" : "NO");
        table << line;
    }
    return table.str();
}

} // namespace bench

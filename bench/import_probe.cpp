// The import of a file of words (`thai-kit import FILE --folder DIR`) beside the same appends
// made by plain C in the same run:
//   import_probe [RUNS] [--numbers FILE]
//       generates 10^4 and 10^5 good rows as CSV files, imports each RUNS (3) times into an
//       empty folder as a process of its own, and prints the import at 10^5 rows beside
//       (b) plain C appending the same lines to the same 52 files, grouped as the import
//       grouped them (one open, write, fsync and close per file per batch of 2000 rows), and
//       (c) the same without fsync; then the import's peak resident memory at both sizes.
//       With --numbers, the figures also go to FILE for the side-by-side table (summary.cpp).
//   import_probe run PROGRAM ARGS...
//       runs the program once as a process (bench::runProcess) and prints its wall time, its
//       processor time and its peak resident memory in kB: the only child this process
//       waited for, so RUSAGE_CHILDREN is the import's alone.
// Times are shown, never judged: nothing here fails on a figure.

#include "process_time.h"

#include "datafiles/file_naming.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBatchRows = 2000; // the rows the import appends at a time
constexpr std::size_t kFiles = 52;       // LEXFWD_A ... LEXFWD_Z, LEXREV_A ... LEXREV_Z

// The letters of a number in base 26, at least `width` of them: distinct numbers, distinct
// words.
std::string letters(std::size_t n, std::size_t width) {
    std::string out;
    while (n > 0 || out.size() < width) {
        out += static_cast<char>('a' + n % 26);
        n /= 26;
    }
    return out;
}

// Row i: an Italian word whose first letter goes round the alphabet, a pronunciation of two
// syllables whose first letter goes round it in another order, the Thai script on one row in
// three, an attribute and now and then a note.
void writeCsv(const fs::path& file, std::size_t rows) {
    static const char* const thai[] = {"\xE0\xB8\x9A\xE0\xB9\x89\xE0\xB8\xB2\xE0\xB8\x99",
                                       "\xE0\xB9\x81\xE0\xB8\xA1\xE0\xB8\xA7",
                                       "\xE0\xB8\x99\xE0\xB9\x89\xE0\xB8\xB3"};
    static const char* const attributes[] = {"s.m.", "s.f.", "v.", "agg."};
    std::ofstream out(file, std::ios::binary);
    out << "italiano,pronuncia,thai,attributo,note\n";
    for (std::size_t i = 0; i < rows; ++i) {
        const std::string word = std::string(1, static_cast<char>('a' + i % 26)) +
                                 letters(i / 26, 3) + (i % 5 == 0 ? "one" : "a");
        const std::string spoken =
            std::string(1, static_cast<char>('a' + (i * 7 + 3) % 26)) + "aa " + letters(i, 4);
        out << word << ',' << spoken << ',' << (i % 3 == 0 ? thai[i / 3 % 3] : "") << ','
            << attributes[i % 4] << ',' << (i % 10 == 0 ? "parola di prova" : "") << '\n';
    }
}

struct Figures {
    double wall = -1, cpu = -1, maxRssKb = -1;
};

Figures runOnce(const std::string& self, const std::vector<std::string>& command) {
    std::string line = "'" + self + "' run";
    for (const std::string& arg : command)
        line += " '" + arg + "'";
    Figures f;
    if (FILE* pipe = ::popen(line.c_str(), "r")) {
        if (std::fscanf(pipe, "%lf %lf %lf", &f.wall, &f.cpu, &f.maxRssKb) != 3)
            f = {};
        ::pclose(pipe);
    }
    return f;
}

// What the import said when it did not run: its first line of output.
std::string firstLineOf(const std::vector<std::string>& command) {
    std::string line;
    for (const std::string& arg : command)
        line += "'" + arg + "' ";
    std::string text;
    if (FILE* pipe = ::popen((line + "2>&1").c_str(), "r")) {
        char buffer[512];
        if (std::fgets(buffer, sizeof buffer, pipe))
            text = buffer;
        ::pclose(pipe);
    }
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

// One file's share of one batch: its bytes, in the order the import wrote them.
struct Chunk {
    const char* data;
    std::size_t size;
};

// The data files' lines as the import wrote them, cut into each batch's share of each file:
// a line belongs to the batch of the row whose head word starts it (the Italian word in a
// forward file, the pronunciation in a reverse one).
struct Appends {
    std::vector<std::string> names; // the 52 file names
    std::vector<std::string> bytes; // each file's whole content
    std::vector<Chunk> chunks;      // batch-major: chunks[batch * kFiles + file]
    std::size_t batches = 0;
};

Appends appendsOf(const fs::path& imported, std::size_t rows) {
    std::unordered_map<std::string, std::size_t> rowOfWord, rowOfSpoken;
    {
        std::ifstream csv(imported.parent_path() / "rows.csv");
        std::string line;
        std::getline(csv, line); // the header
        for (std::size_t row = 0; std::getline(csv, line); ++row) {
            const std::size_t comma = line.find(',');
            rowOfWord[line.substr(0, comma)] = row;
            rowOfSpoken[line.substr(comma + 1, line.find(',', comma + 1) - comma - 1)] = row;
        }
    }
    Appends a;
    a.batches = (rows + kBatchRows - 1) / kBatchRows;
    a.chunks.assign(a.batches * kFiles, Chunk{nullptr, 0});
    for (const auto direction : {datafiles::Direction::Forward, datafiles::Direction::Reverse})
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            a.names.push_back(datafiles::dataFileName(direction, letter));
            std::ifstream in(imported / a.names.back(), std::ios::binary);
            a.bytes.emplace_back(std::istreambuf_iterator<char>(in),
                                 std::istreambuf_iterator<char>());
        }
    for (std::size_t file = 0; file < kFiles; ++file) {
        const std::string& text = a.bytes[file];
        const auto& rowOf = file < 26 ? rowOfWord : rowOfSpoken;
        for (std::size_t start = 0; start < text.size();) {
            std::size_t end = text.find('\n', start);
            end = end == std::string::npos ? text.size() : end + 1;
            const std::size_t open = text.find('"', start);
            const std::size_t close = text.find('"', open + 1);
            const auto found = rowOf.find(text.substr(open + 1, close - open - 1));
            const std::size_t batch = found == rowOf.end() ? 0 : found->second / kBatchRows;
            Chunk& chunk = a.chunks[batch * kFiles + file];
            if (chunk.data == nullptr)
                chunk.data = text.data() + start;
            chunk.size = static_cast<std::size_t>(text.data() + end - chunk.data);
            start = end;
        }
    }
    return a;
}

// The floor: plain POSIX calls append every batch's share to each file, synced when `sync`.
// No allocation and no container in here: the paths and the bytes were made before.
int appendPlainC(const char* const* paths, const Chunk* chunks, std::size_t batches, int sync) {
    for (std::size_t batch = 0; batch < batches; ++batch)
        for (std::size_t file = 0; file < kFiles; ++file) {
            const Chunk* c = &chunks[batch * kFiles + file];
            if (c->size == 0)
                continue;
            const int fd = open(paths[file], O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
            if (fd < 0)
                return -1;
            const char* p = c->data;
            std::size_t left = c->size;
            while (left > 0) {
                const ssize_t n = write(fd, p, left);
                if (n <= 0) {
                    close(fd);
                    return -1;
                }
                p += n;
                left -= static_cast<std::size_t>(n);
            }
            if (sync && fsync(fd) != 0) {
                close(fd);
                return -1;
            }
            if (close(fd) != 0)
                return -1;
        }
    return 0;
}

double timePlainC(const Appends& a, const fs::path& folder, bool sync) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::vector<std::string> paths;
    std::vector<const char*> raw;
    for (const std::string& name : a.names)
        paths.push_back((folder / name).string());
    for (const std::string& p : paths)
        raw.push_back(p.c_str());
    const auto start = std::chrono::steady_clock::now();
    const int done = appendPlainC(raw.data(), a.chunks.data(), a.batches, sync ? 1 : 0);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return done == 0 ? ms : -1;
}

struct Samples {
    std::vector<double> v;
    double median() const {
        std::vector<double> s = v;
        std::sort(s.begin(), s.end());
        return s.empty() ? -1 : s[s.size() / 2];
    }
    double min() const { return v.empty() ? -1 : *std::min_element(v.begin(), v.end()); }
    double max() const { return v.empty() ? -1 : *std::max_element(v.begin(), v.end()); }
};

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "run") == 0) {
        const bench::ProcessTime t =
            bench::runProcess(std::vector<std::string>(argv + 2, argv + argc), 0);
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        std::printf("%.3f %.3f %ld\n", t.wall, t.cpu, usage.ru_maxrss);
        return t.wall < 0 ? 1 : 0;
    }
    int runs = 3;
    std::string numbers;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--numbers") == 0 && i + 1 < argc)
            numbers = argv[++i];
        else
            runs = std::max(1, std::atoi(argv[i]));
    }
    const fs::path self = fs::canonical("/proc/self/exe");
    const fs::path root = fs::temp_directory_path() / ("import_probe." + std::to_string(getpid()));
    fs::create_directories(root);
    bool ran = true;
    std::string why;
    Samples import4, import5, synced, unsynced;
    double rss4 = -1, rss5 = -1;
    for (const std::size_t rows : {std::size_t(10000), std::size_t(100000)}) {
        const fs::path dir = root / std::to_string(rows);
        fs::create_directories(dir);
        writeCsv(dir / "rows.csv", rows);
        Samples& times = rows == 10000 ? import4 : import5;
        double& rss = rows == 10000 ? rss4 : rss5;
        for (int run = 0; run < runs && ran; ++run) {
            const fs::path into = dir / "imported";
            fs::remove_all(into);
            fs::create_directories(into);
            const std::vector<std::string> command = {
                THAI_KIT, "import", (dir / "rows.csv").string(), "--folder", into.string()};
            const Figures f = runOnce(self.string(), command);
            ran = f.wall >= 0;
            if (!ran) {
                why = firstLineOf(command);
                break;
            }
            times.v.push_back(f.wall);
            rss = std::max(rss, f.maxRssKb);
        }
        if (rows == 100000 && ran) {
            // The last import's files, cut as it wrote them.
            const Appends appends = appendsOf(dir / "imported", rows);
            for (int run = 0; run < runs; ++run) {
                synced.v.push_back(timePlainC(appends, dir / "plain", true));
                unsynced.v.push_back(timePlainC(appends, dir / "plain", false));
            }
            // The floor wrote what the import wrote, or its figures say nothing.
            for (std::size_t file = 0; file < kFiles; ++file) {
                std::ifstream in(dir / "plain" / appends.names[file], std::ios::binary);
                const std::string written{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
                if (written != appends.bytes[file])
                    std::printf("note: plain C wrote %s otherwise than the import\n",
                                appends.names[file].c_str());
            }
        }
    }
    fs::remove_all(root);
    if (!ran) {
        std::printf("import of a CSV file: thai-kit import did not run (%s)\n", why.c_str());
        return 0;
    }
    const double a = import5.median(), b = synced.median(), c = unsynced.median();
    std::printf("| %-52s | %-28s | runs |\n", "import of a CSV file", "median [min-max]");
    auto row = [runs](const char* what, const Samples& s) {
        char cell[64];
        std::snprintf(cell, sizeof cell, "%.1f ms [%.1f-%.1f]", s.median(), s.min(), s.max());
        std::printf("| %-52s | %-28s | %4d |\n", what, cell, runs);
    };
    row("(a) thai-kit import, 10^4 rows, a process", import4);
    row("(a) thai-kit import, 10^5 rows, a process", import5);
    row("(b) plain C: the same appends, fsync per file+batch", synced);
    row("(c) plain C: the same appends, no fsync", unsynced);
    std::printf("ratio a/b %.2f x, a/c %.2f x; peak RSS of the import: %.1f MB at 10^4 rows, "
                "%.1f MB at 10^5 rows\n",
                a / b, a / c, rss4 / 1024, rss5 / 1024);
    if (!numbers.empty()) {
        // For the side-by-side table: the runs, each list of times, then the two peaks in kB.
        std::ofstream out(numbers);
        out << runs << '\n';
        for (const Samples* s : {&import4, &import5, &synced, &unsynced}) {
            for (const double v : s->v)
                out << v << ' ';
            out << '\n';
        }
        out << rss4 << ' ' << rss5 << '\n';
    }
    return 0;
}

// Vocaboro's search by Thai script (datafiles/thai_search.h, what Vocaboro's look-up runs) over the
// 26 reverse files, beside `rg -c` of the same quoted TIS-620 bytes over the same files, both as
// whole processes in the same run:
//   thai_script_probe [RECORDS]          generates a dictionary of RECORDS (10^6) per
//                                        direction, times both and prints the table row
//   thai_script_probe search FOLDER HEX  the search alone (what the row times)
// The word sought is the Thai script of the last record of the largest reverse file.

#include "dictionary_generator.h"
#include "process_time.h"
#include "summary.h"

#include "datafiles/file_naming.h"
#include "datafiles/record_reader.h"
#include "datafiles/thai_search.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> reverseFiles(const std::string& folder) {
    std::vector<std::string> files;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        files.push_back(folder + "/" +
                        datafiles::dataFileName(datafiles::Direction::Reverse, letter));
    return files;
}

// Nothing found, or a failure, counts as a failed run.
bench::ProcessTime run(const std::vector<std::string>& command) {
    return bench::runProcess(command, 0);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

std::string hex(const std::string& bytes, const char* prefix) {
    std::string out;
    char piece[8];
    for (const char c : bytes) {
        std::snprintf(piece, sizeof piece, "%s%02X", prefix, static_cast<unsigned char>(c));
        out += piece;
    }
    return out;
}

int search(const std::string& folder, const std::string& hexWord) {
    std::string thai;
    for (std::size_t i = 0; i + 1 < hexWord.size(); i += 2)
        thai += static_cast<char>(std::stoi(hexWord.substr(i, 2), nullptr, 16));
    std::size_t matches = 0;
    for (const std::string& file : reverseFiles(folder))
        matches += datafiles::findThaiScript(file, thai).records.size();
    std::printf("%zu\n", matches);
    return matches > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "search")
        return search(argv[2], argv[3]);
    const std::size_t records = argc > 1 ? std::stoul(argv[1]) : 1000000;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("thai_script_probe." + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    bench::generateDictionary(folder, records);
    const std::vector<std::string> files = reverseFiles(folder.string());
    std::string largest;
    for (const std::string& f : files)
        if (largest.empty() || std::filesystem::file_size(f) > std::filesystem::file_size(largest))
            largest = f;
    const auto all = datafiles::readAllRecords(datafiles::readWholeFile(largest).bytes).records;
    const std::string word = all.back().thai;
    std::vector<std::string> rg = {"rg", "--no-config", "-c", "(?-u)\"" + hex(word, "\\x") + "\""};
    rg.insert(rg.end(), files.begin(), files.end());
    const std::vector<std::string> kit = {argv[0], "search", folder.string(), hex(word, "")};
    std::vector<double> kitWall, kitCpu, rgWall, rgCpu;
    run(kit), run(rg); // warm the caches
    for (int i = 0; i < 15; ++i) {
        const bench::ProcessTime k = run(kit), r = run(rg);
        kitWall.push_back(k.wall), kitCpu.push_back(k.cpu);
        rgWall.push_back(r.wall), rgCpu.push_back(r.cpu);
    }
    std::filesystem::remove_all(folder);
    const double ratio = median(kitWall) / median(rgWall);
    const bool ran = *std::min_element(kitWall.begin(), kitWall.end()) >= 0 &&
                     *std::min_element(rgWall.begin(), rgWall.end()) >= 0;
    std::printf("Thai-script look-up, 26 reverse files, %zu records: kit %.1f ms (CPU %.1f), "
                "rg -c %.1f ms (CPU %.1f): %.2f x, target <= 1.5x rg: %s\n",
                records, median(kitWall), median(kitCpu), median(rgWall), median(rgCpu), ratio,
                ran && ratio <= 1.5 ? "yes" : "NO");
    return 0;
}

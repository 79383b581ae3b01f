// Turns the UTF-8 starter dictionary into the 52 data files, with the kit's own encoder
// and writer. Files that differ from what this tool wrote last time are the user's own
// work: they are kept, and nothing is generated over them.

#include "datafiles/entry_writer.h"
#include "datafiles/file_naming.h"
#include "datafiles/record_writer.h"
#include "thaitext/codec.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using datafiles::DictionaryRecord;

namespace {

const char kManifest[] = ".starter-manifest";

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

std::vector<std::string> splitOn(const std::string& line, const std::string& sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto at = line.find(sep, start);
        parts.push_back(
            trim(line.substr(start, at == std::string::npos ? std::string::npos : at - start)));
        if (at == std::string::npos)
            return parts;
        start = at + sep.size();
    }
}

[[noreturn]] void fail(int lineNo, const std::string& why) {
    std::cerr << "starter dictionary, line " << lineNo << ": " << why << "\n";
    std::exit(1);
}

std::string encode(int lineNo, const std::string& utf8, bool thai) {
    const auto wide = thaitext::utf8ToUtf16(utf8);
    if (!wide)
        fail(lineNo, "not UTF-8: " + utf8);
    const auto bytes = thai ? thaitext::encodeTis620(*wide) : thaitext::encodeCp1252(*wide);
    if (!bytes)
        fail(lineNo, "a character the data files cannot hold: " + utf8);
    return *bytes;
}

std::string orMarker(const std::string& bytes, const char* marker) {
    return bytes.empty() ? std::string(marker) : bytes;
}

std::uint64_t fnv1a(const std::string& bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (const char c : bytes)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h;
}

std::map<std::string, std::string> currentState(const fs::path& dir) {
    std::map<std::string, std::string> state;
    if (!fs::is_directory(dir))
        return state;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == 12 && name.rfind("LEX", 0) == 0 && entry.is_regular_file()) {
            const auto read = datafiles::readWholeFile(entry.path());
            state[name] =
                std::to_string(read.bytes.size()) + " " + std::to_string(fnv1a(read.bytes));
        }
    }
    return state;
}

std::string manifestText(const std::map<std::string, std::string>& state) {
    std::ostringstream out;
    for (const auto& [name, sum] : state)
        out << name << " " << sum << "\n";
    return out.str();
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: make_starter SOURCE.txt OUTPUT_FOLDER\n";
        return 2;
    }
    const fs::path source = argv[1];
    const fs::path out = argv[2];

    const auto before = currentState(out);
    if (!before.empty()) {
        std::ifstream manifest(out / kManifest, std::ios::binary);
        std::stringstream recorded;
        recorded << manifest.rdbuf();
        if (!manifest || recorded.str() != manifestText(before)) {
            std::cout << "make_starter: the data files in " << out
                      << " were changed since they were made; they are kept as they are\n";
            return 0;
        }
    }

    std::ifstream in(source, std::ios::binary);
    if (!in) {
        std::cerr << "make_starter: cannot read " << source << "\n";
        return 1;
    }
    std::vector<std::pair<std::string, DictionaryRecord>> forward, reverse;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        line = trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        if (const auto arrow = line.find("->"); arrow != std::string::npos) {
            // A pointer from a misspelt word to up to three suggestions.
            DictionaryRecord r;
            r.headword = encode(lineNo, trim(line.substr(0, arrow)), false);
            const auto suggestions = splitOn(line.substr(arrow + 2), ",");
            if (suggestions.empty() || suggestions.size() > 3 || suggestions[0].empty())
                fail(lineNo, "a cross-reference needs one to three suggestions");
            r.counterpart = "-";
            r.attribute = "-";
            r.note = datafiles::kCrossReferenceNote;
            r.thai = encode(lineNo, suggestions[0], false);
            r.thaiSound = suggestions.size() > 1 ? encode(lineNo, suggestions[1], false) : "$";
            r.italianSound = suggestions.size() > 2 ? encode(lineNo, suggestions[2], false) : "$";
            const auto file = datafiles::forwardFileForWriting(r.headword);
            if (!file)
                fail(lineNo, "no data file for this initial");
            forward.emplace_back(*file, r);
            continue;
        }
        const auto parts = splitOn(line, "|");
        if (parts.size() != 5)
            fail(lineNo, "expected: italian | pronunciation | attribute | note | thai");
        DictionaryRecord r;
        r.headword = encode(lineNo, parts[0], false);
        r.counterpart = encode(lineNo, parts[1], false);
        r.attribute = orMarker(encode(lineNo, parts[2], false), datafiles::kNoAttribute);
        r.note = orMarker(encode(lineNo, parts[3], false), datafiles::kNoNote);
        r.thai = orMarker(encode(lineNo, parts[4], true), datafiles::kNoThai);
        r.thaiSound = datafiles::kNoSound;
        r.italianSound = datafiles::kNoSound;
        if (r.headword.empty() || r.counterpart.empty())
            fail(lineNo, "the Italian word and the pronunciation are required");
        const auto fwd = datafiles::forwardFileForWriting(r.headword);
        const auto rev = datafiles::reverseFile(r.counterpart);
        if (!fwd || !rev)
            fail(lineNo, "no data file for the initial of the word or of its pronunciation");
        forward.emplace_back(*fwd, r);
        reverse.emplace_back(*rev, datafiles::reverseOf(r));
    }

    fs::create_directories(out);
    for (const auto& [name, sum] : before)
        fs::remove(out / name);
    // Every letter has both files, empty where no word begins with it.
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        for (auto direction : {datafiles::Direction::Forward, datafiles::Direction::Reverse})
            std::ofstream(out / datafiles::dataFileName(direction, letter), std::ios::binary);
    for (const auto* list : {&forward, &reverse})
        for (const auto& [name, record] : *list) {
            const auto result =
                datafiles::appendLine(out / name, datafiles::formatRecordLine(record));
            if (!result.ok()) {
                std::cerr << "make_starter: cannot write " << (out / name) << ": "
                          << datafiles::describeError(result.error) << "\n";
                return 1;
            }
        }
    std::ofstream(out / kManifest, std::ios::binary) << manifestText(currentState(out));
    std::cout << "make_starter: " << forward.size() << " forward and " << reverse.size()
              << " reverse records in " << out << "\n";
    return 0;
}

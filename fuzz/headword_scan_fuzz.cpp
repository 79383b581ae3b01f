// The look-up's fast search agrees with the reader over the whole file: when it decides a
// file, it finds exactly the records whose head word is the key, in the file's order, and the
// file reads whole; a file of the writer's shape is always decided.

#include "datafiles/headword_scan.h"
#include "datafiles/record_reader.h"
#include "datafiles/record_writer.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    // The first byte: how long the key is; the key is taken from the file's own bytes, so
    // that it is found often.
    const std::string_view all(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t keyAt = all.find('"');
    const std::string_view key =
        keyAt == std::string_view::npos ? std::string_view() : all.substr(keyAt + 1, data[0] % 8);
    for (const std::optional<std::string_view> k :
         {std::optional<std::string_view>(key), std::optional<std::string_view>()}) {
        const datafiles::HeadwordScan fast = datafiles::scanHeadwordsInBytes(all, k);
        if (!fast.decided)
            continue;
        const datafiles::ReadAllResult whole = datafiles::readAllRecords(all);
        if (whole.truncated)
            std::abort();
        std::vector<datafiles::DictionaryRecord> matches;
        for (const datafiles::DictionaryRecord& r : whole.records)
            if (k && r.headword == *k)
                matches.push_back(r);
        if (matches != fast.records)
            std::abort();
        if (fast.lastRecordMatched !=
            (!whole.records.empty() && k && whole.records.back().headword == *k))
            std::abort();
    }
    // Lines as the writer lays them out, from the input's bytes, are always decided.
    std::string lines;
    for (std::size_t at = 0; at + 7 <= all.size(); at += 7) {
        datafiles::DictionaryRecord r;
        for (int f = 0; f < datafiles::DictionaryRecord::kFieldCount; ++f) {
            const char c = all[at + static_cast<std::size_t>(f)];
            r.field(f) = c == '"' || c == '\r' || c == '\n' ? "x" : std::string(1, c);
        }
        lines += datafiles::formatRecordLine(r);
    }
    if (!datafiles::scanHeadwordsInBytes(lines, std::string_view("x")).decided)
        std::abort();
    return 0;
}

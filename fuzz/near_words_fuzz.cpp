// The search for the head words near a word typed otherwise than stored, on any file and
// any typed word: it never fails, and it offers only head words of the file's records that
// are no cross-references, each near the word as it says, at most three, each once, the
// nearest first.

#include "datafiles/headword_scan.h"
#include "datafiles/near_words.h"
#include "datafiles/record_reader.h"
#include "thaitext/folding.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path& file() {
    static const fs::path made = [] {
        char pattern[] = "/tmp/near-fuzz-XXXXXX";
        return fs::path(::mkdtemp(pattern)) / "LEXREV_B.DAT";
    }();
    static const bool removedAtExit =
        std::atexit([] { fs::remove_all(file().parent_path()); }) == 0;
    (void)removedAtExit;
    return made;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The typed word is the input up to its first line end; the file, the rest.
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = std::min(all.find('\n'), all.size());
    const std::string_view typed = all.substr(0, std::min<std::size_t>(cut, 64));
    const std::string_view bytes = all.substr(std::min(cut + 1, all.size()));
    std::ofstream(file(), std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    // A file already found of the writer's shape is read again without its lines checked:
    // the same head words come of it.
    const datafiles::HeadwordScan exact = datafiles::scanHeadwords(file(), typed);
    for (const bool doubled : {false, true}) {
        const auto near = datafiles::nearHeadwords(file(), typed, doubled);
        if (exact.shape) {
            const auto again =
                datafiles::nearHeadwords(file(), typed, doubled, {}, 3, &*exact.shape);
            if (again.size() != near.size() || !std::equal(again.begin(), again.end(), near.begin(),
                                                           [](const auto& a, const auto& b) {
                                                               return a.headword == b.headword &&
                                                                      a.nearness == b.nearness;
                                                           }))
                std::abort();
        }
        if (near.size() > 3)
            std::abort();
        const datafiles::ReadAllResult whole = datafiles::readAllRecords(bytes);
        for (std::size_t i = 0; i < near.size(); ++i) {
            const auto& n = near[i];
            if (n.nearness == datafiles::Nearness::None ||
                n.nearness != datafiles::nearnessOf(typed, n.headword, doubled) ||
                (i > 0 && near[i - 1].nearness > n.nearness) ||
                std::none_of(whole.records.begin(), whole.records.end(),
                             [&n](const auto& r) {
                                 return r.headword == n.headword && !r.isCrossReference();
                             }) ||
                std::count_if(near.begin(), near.end(),
                              [&n](const auto& m) { return m.headword == n.headword; }) != 1)
                std::abort();
        }
    }
    // Folding is one byte for one, and folding twice changes nothing.
    const std::string folded = thaitext::foldLatin(typed);
    if (folded.size() != typed.size() || thaitext::foldLatin(folded) != folded)
        std::abort();
    return 0;
}

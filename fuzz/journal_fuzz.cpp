// Any bytes as the journal of a folder of well-formed letter files: the recovery changes a
// file only when the journal checks, names that file of its own folder, keeps the bytes
// that stand before the entry's place, and the file's bytes from there on are the entry's
// or a torn start of them; then it cuts exactly there. No other file ever changes.

#include "datafiles/journal.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Stored {
    const char* name;
    std::string bytes;
};

// What the folder holds before each input: two files that end with the start of an entry
// ("casa"), as an interrupted write leaves them, and one that does not.
Stored stored[] = {
    {"LEXFWD_C.DAT", "\"cane\",\"maa\",\"s.m.\",\"-\",\"@\",\"$\",\"$\"\r\n"
                     "\"casa\",\"baan\",\"-\",\"-\",\"@\",\"$\",\"$\"\r\n"},
    {"LEXREV_B.DAT", "\"bok\",\"dire\",\"-\",\"-\",\"@\",\"$\",\"$\"\r\n\"baan\",\"ca"},
    {"LEXFWD_A.DAT", "\"acqua\",\"naam\",\"s.f.\",\"-\",\"@\",\"$\",\"$\"\r\n"},
};
const std::string kOutside = "a file beside the folder\n";

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put(const fs::path& p, std::string_view bytes) {
    std::ofstream(p, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const fs::path& root() {
    static const fs::path made = [] {
        char pattern[] = "/tmp/journal-fuzz-XXXXXX";
        const fs::path top = ::mkdtemp(pattern);
        fs::create_directory(top / "THAI");
        return top;
    }();
    // Registered once the path is made, so that it runs before the path goes.
    static const bool removedAtExit = std::atexit([] { fs::remove_all(root()); }) == 0;
    (void)removedAtExit;
    return made;
}

// Whether the change of one file from `before` to `after` is the one the journal allows.
bool allowed(const datafiles::ParsedJournal& parsed, const Stored& file, const std::string& after,
             bool exists) {
    if (parsed.state != datafiles::ParsedJournal::State::Committed)
        return false;
    for (const datafiles::JournalIntent* intent :
         {&parsed.entry->forward, &parsed.entry->reverse}) {
        if (intent->name != file.name || intent->keep > file.bytes.size() ||
            intent->before.size() > intent->keep)
            continue;
        const std::string_view was = file.bytes;
        const auto keep = static_cast<std::size_t>(intent->keep);
        const bool cutThere = exists ? after == was.substr(0, keep) : intent->created && keep == 0;
        if (cutThere && std::string_view(intent->bytes).starts_with(was.substr(keep)) &&
            was.substr(keep - intent->before.size(), intent->before.size()) == intent->before)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path folder = root() / "THAI";
    for (const auto& entry : fs::directory_iterator(folder))
        fs::remove_all(entry.path());
    for (const Stored& file : stored)
        put(folder / file.name, file.bytes);
    put(root() / "LEXFWD_O.DAT", kOutside);
    const std::string_view journal(reinterpret_cast<const char*>(data), size);
    put(folder / datafiles::kJournalFileName, journal);

    const datafiles::RecoveryResult result = datafiles::recoverUnfinishedWrite(folder);
    const datafiles::ParsedJournal parsed = datafiles::parseJournal(journal);
    for (const Stored& file : stored) {
        const bool exists = fs::exists(folder / file.name);
        const std::string after = exists ? slurp(folder / file.name) : std::string();
        if ((!exists || after != file.bytes) && !allowed(parsed, file, after, exists))
            std::abort();
    }
    if (slurp(root() / "LEXFWD_O.DAT") != kOutside)
        std::abort();
    // A damaged journal is kept whole; any other leaves no journal behind.
    if (result.error == datafiles::kErrorJournalDamaged && slurp(result.setAside) != journal)
        std::abort();
    if (result.settled() && fs::exists(folder / datafiles::kJournalFileName))
        std::abort();
    return 0;
}

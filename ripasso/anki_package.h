#pragma once
// The user's words as an Anki package (.apkg) in the collection format that every Anki
// imports: a zip holding "collection.anki2" (an SQLite database: the tables col, notes, cards,
// revlog, graves; the note type and the deck as JSON in col) and "media" (a JSON map of the
// zip's member names "0", "1"... to the media files' names), then the media files.
//
// The note type "Thai kit (Italiano)" has the fields Italiano, Pronuncia, Thai, Attributo,
// Note and Suono, and two card templates: Italian -> Thai and Thai -> Italian, the Thai script
// in a Thai font at a large size, the sound on the back (Suono may hold the Italian word's
// recording, which would give the answer away on the front of Thai -> Italian). A word without
// Thai script has only the first card. A note per forward record that is not a cross-reference; its
// guid is the text export's note id (noteId in anki_export.h). The fields are HTML: the
// characters HTML gives a meaning to are entities; a field holding only its "none" marker is
// empty. Suono holds "[sound:NAME]" for the record's Thai recording (thaiSound), else, with
// the synthetic voice asked for, "[sound:thaikit-voice-<16 hex digits>.wav]"; then, for an
// Italian recording (italianSound), " <span class=\"italiano\">[sound:NAME]</span>". The media
// are the recordings the records name (checked as before playing: a plain name of the data
// folder, a RIFF WAVE file) and the voice's files.
//
// Written as the text export is: to a temporary file beside the target, synced and renamed
// over it; never over anything but an ordinary file.

#include "anki_export.h"
#include "forward_records.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace ripasso {

class ProgressStore;

inline constexpr char kPackageNoteType[] = "Thai kit (Italiano)";
inline constexpr std::array<const char*, 6> kPackageFields = {"Italiano",  "Pronuncia", "Thai",
                                                              "Attributo", "Note",      "Suono"};
// The start of the names of the synthetic voice's media: never a recording of the user's.
inline constexpr char kVoiceMediaPrefix[] = "thaikit-voice-";
// The class of the span around the Italian recording in Suono.
inline constexpr char kItalianSoundClass[] = "italiano";

struct PackageOptions {
    std::string deck = kDefaultDeck;
    bool withSpeech = false;           // the synthetic voice, once per word without a recording
    ProgressStore* progress = nullptr; // with progress: each card's due day and interval
    int today = 0;                     // the day number of today, as Ripasso counts days
};

struct PackageResult {
    bool written = false;
    std::size_t notes = 0;
    std::size_t media = 0;
    // Records that could not be read, recordings left out (and why), words the voice could
    // not say: the package is written without them.
    std::vector<std::string> problems;
    // Why nothing was written, naming the file at fault; empty when the file was written.
    std::string error;
};

// Reads LEXFWD_A.DAT ... LEXFWD_Z.DAT and the recordings at the paths `pathOf` gives and
// writes `target`.
PackageResult exportAnkiPackage(const PathOf& pathOf, const std::filesystem::path& target,
                                const PackageOptions& options,
                                const datafiles::FileAccess& access = {});

// One note of a package, as stored: its note type's name, its fields' names and values (HTML,
// UTF-8), in the note type's order, and its guid.
struct PackageNote {
    std::string noteType;
    std::vector<std::string> names;
    std::vector<std::string> values;
    std::string guid;
};

// Gives the notes of the package `file` to `take`, one by one in the order of their ids;
// `take` returning false stops the reading. Empty, or why the package cannot be read (not a
// zip, no collection, a collection of Anki's newer format alone, a damaged database...).
std::string readAnkiPackage(const std::filesystem::path& file,
                            const std::function<bool(const PackageNote&)>& take);

// Gives the media files of the package `file` whose names `wanted` asks for to `take`, each
// with its bytes, or with why it cannot be read (larger than kLargestSoundFile, damaged).
// Empty, or why the package's media map cannot be read.
std::string
readPackageMedia(const std::filesystem::path& file,
                 const std::function<bool(const std::string&)>& wanted,
                 const std::function<void(const std::string& name, const std::string& bytes,
                                          const std::string& problem)>& take);

} // namespace ripasso

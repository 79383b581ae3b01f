#pragma once
// The user's words as a text file that Anki (2.1.55 and later) imports as it stands: UTF-8,
// tab-separated, with Anki's header lines. One note per forward record that is not a
// cross-reference, for the stock note type "Basic (and reversed card)", whose only fields are
// Front and Back: Anki fills fields by the columns' names, and a text file cannot bring a note
// type of its own. The columns are therefore Front (the Italian word, then " [sound:NAME]"
// when the record names an Italian recording), Back (pronunciation, Thai script, attribute
// and note, one a line, as HTML, and a last line "[sound:NAME]" when it names a Thai
// recording), then the note's tags (its attribute) and its id. The recordings are named, not
// brought: Anki finds them when they are in its media folder. The id is made from the head
// word and the pronunciation, so that importing a later export again updates the notes
// instead of adding them twice.
//
// The file is written under a temporary name beside the target and renamed over it only
// when it is complete and synced: a crash never leaves half an export. It is not written at
// all when a letter file is there but cannot be read (a whole letter would be missing), nor
// over anything but an ordinary file: a device, a pipe, a folder and a symbolic link are
// refused. The new file keeps the permissions of the one it replaces.

#include "forward_records.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ripasso {

inline constexpr char kDefaultDeck[] = "Thai";
inline constexpr char kAnkiNoteType[] = "Basic (and reversed card)";

struct ExportResult {
    bool written = false;
    std::size_t notes = 0;
    // Records that could not be read in the data files (the export goes on without them).
    std::vector<std::string> problems;
    // Why nothing was written, naming the file at fault; empty when the file was written.
    std::string error;
};

// Reads LEXFWD_A.DAT ... LEXFWD_Z.DAT at the paths `pathOf` gives and writes `target`.
ExportResult exportForAnki(const PathOf& pathOf, const std::filesystem::path& target,
                           std::string_view deck, const datafiles::FileAccess& access = {});

// The note id of a head word and pronunciation (code page 1252 bytes); `occurrence` counts
// from 1 the records of the same pair in the files' order.
std::string noteId(std::string_view headword, std::string_view pronunciation, int occurrence = 1);

// A field as Anki reads it: enclosed in double quotes, inner ones doubled, when it holds a
// tab, a line break or a double quote (or, in the first column, begins with "#", which Anki
// would take for a comment line).
std::string ankiField(std::string_view utf8, bool firstColumn = false);

} // namespace ripasso

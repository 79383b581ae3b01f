#pragma once
// Changing or removing one entry of the dictionary: its forward record and the reverse
// record that goes with it, in both files or in neither, even when the program is killed or
// the power fails in the middle.
//
// The reverse record of a forward record is the one whose head word is the forward record's
// pronunciation, whose counterpart is the forward head word, and whose other five fields are
// equal; it lives in the reverse file of the pronunciation's initial. When a file holds the
// same forward record several times (an entry written twice), its reverse file is expected to
// hold as many reverse records, and the n-th forward one goes with the n-th reverse one.
//
// A change rewrites each file it touches whole: every byte that is not the entry's stays as
// it was. The steps, all under the folder's journal lock and the files' exclusive locks:
//  1. The journal is locked, and an interrupted write or change is finished or undone.
//  2. The files are locked (forward files before reverse ones, each by name) and read; the
//     entry is found, and the new bytes of each file are made in memory.
//  3. The journal names the files, the temporary file of each (its name followed by
//     ".vocaboro-new"), and the size and checksum of each file's old and new bytes; synced,
//     still unsealed.
//  4. Each new file is written under its temporary name and synced; the folder is synced.
//  5. The journal is sealed and synced: from here on, recovery finishes the change.
//  6. Each temporary file is renamed over its file; the folder is synced.
//  7. The journal is removed.
// A change that fails before step 5 removes its temporary files and changes nothing; one that
// fails after it leaves the journal, and the next program that writes finishes it.

#include "dictionary_record.h"
#include "file_io.h"
#include "journal.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace datafiles {

// What to change: one forward record as its file holds it now, and what it becomes.
struct EntryChange {
    DictionaryRecord forward; // the forward record, all seven fields as in its file
    // Which of the records equal to `forward` in its file, counted from 0 in file order.
    std::size_t occurrence = 0;
    // The new forward record (its reverse record follows from it); none removes the entry.
    std::optional<DictionaryRecord> replacement;
    // Change the forward record even though its reverse record is missing, or the reverse
    // records are not as many as the forward ones (files edited by hand). Without it, such a
    // change is refused first.
    bool forwardAlone = false;
};

struct EntryEditResult {
    enum class Problem {
        None,
        NotFound,             // no such forward record (any longer) in its file
        CounterpartMissing,   // no reverse record goes with it: ask, then forwardAlone
        CounterpartNotSingle, // the reverse records that go with it are not as many as the
                              // forward ones equal to it: the same
        BadRecord,            // the new record has no letter file for an initial, an empty key,
                              // a double quote or a line break in a field
        OpenFailed,           // a file or the journal could not be opened or locked
                              // (EWOULDBLOCK: in use by another program)
        Fragment,             // a file the entry moves to ends with a broken record
        TooLong,              // a record longer than kMaxRecordBytes: the new one (line 0) or
                              // a file's, on fragmentLine
        WriteFailed,          // a file could not be read or written: nothing was changed
        NotFinished,          // the change was sealed but a rename failed: the journal stays,
                              // and the next program that writes finishes it
    };
    Problem problem = Problem::None;
    std::filesystem::path file; // the file the problem is in (the journal's path for it)
    int error = 0;              // an errno value or one of the kit's reasons (file_io.h)
    std::size_t fragmentLine = 0;
    std::size_t counterparts = 0; // reverse records found that go with the forward record
    // The files of the entry before and after the change (empty when there is none: a removed
    // entry has no new files; a forward-alone change no reverse ones).
    std::filesystem::path forwardFrom, forwardTo, reverseFrom, reverseTo;
    RecoveryResult recovered; // an interrupted earlier write or change, dealt with first

    bool ok() const { return problem == Problem::None; }
};

// Changes or removes the entry in the data folder `folder` (a native path; the letter files'
// names are matched there without regard to letter case, and a file the entry moves to is
// created with the capital name).
EntryEditResult changeEntry(const std::filesystem::path& folder, const EntryChange& change,
                            const FileAccess& access = {});

// The suffix of a change's temporary files: "LEXFWD_C.DAT.vocaboro-new".
inline constexpr char kNewFileSuffix[] = ".vocaboro-new";

} // namespace datafiles

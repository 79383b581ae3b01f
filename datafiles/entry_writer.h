#pragma once
// Appending one dictionary entry to its forward and its reverse file: in both files or in
// neither, even when the program is killed or the power fails in the middle.
//
// The write takes these steps, every one under exclusive locks (readers take shared ones):
//  1. The journal file of the data folder is locked; a journal left by an interrupted
//     write is undone first (see recoverUnfinishedWrite in journal.h).
//  2. Both data files are locked, and the reader's own code finds where the last whole
//     record of each ends. Blank lines after it are to be removed and a missing line end
//     added; a file that ends in the middle of a record takes nothing.
//  3. The intent is written to the journal and synced: both files' names, their sizes
//     and where the new lines go, the bytes before that place, and the lines themselves.
//  4. Each line is written and synced, the forward one first. A failure cuts both files
//     back to where their new lines began.
//  5. The journal is emptied and synced (the moment the entry counts as written), then
//     removed. It exists only while a write is unfinished.
// A letter file that the write created is removed again when the write fails.

#include "file_io.h"
#include "journal.h"
#include "records_end.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace datafiles {

// Appends one line to one file, creating it when missing, with the same care for the
// file's end as an entry; a failed write is cut back. No journal: for building files.
FileResult appendLine(const std::filesystem::path& path, std::string_view line,
                      const FileAccess& access = {});

struct EntryWriteResult {
    enum class Problem {
        None,
        OpenFailed,     // a file could not be opened or locked (EWOULDBLOCK: in use); nothing
                        // was written
        Fragment,       // a file ends with a broken record; nothing was written
        WriteFailed,    // writing failed; both files were cut back: nothing stays stored
        RollbackFailed, // writing failed and a new line could not be removed; the journal
                        // stays, so that the next write or start-up removes it
        TooLong         // a record longer than kMaxRecordBytes: the entry's own
                        // (fragmentLine 0) or the file's on fragmentLine; nothing was written
    };
    enum class File { Forward, Reverse };

    Problem problem = Problem::None;
    File file = File::Forward;     // the file the problem is in
    bool inJournal = false;        // the problem is in the journal (the write stopped before
                                   // `file`, the forward file, was touched)
    int error = 0;                 // why it happened: an errno value or a reason of the kit's
    File undoFile = File::Forward; // RollbackFailed: the file that still holds new bytes
    int undoError = 0;             // RollbackFailed: why they could not be removed
    std::size_t fragmentLine = 0;  // Fragment: the line where the broken record starts
    RecoveryResult recovered;      // an interrupted earlier write, undone before this one

    bool ok() const { return problem == Problem::None; }
};

// Both files are letter files of one folder, where the journal lives too.
EntryWriteResult appendEntry(const std::filesystem::path& forwardPath,
                             const std::string& forwardLine,
                             const std::filesystem::path& reversePath,
                             const std::string& reverseLine, const FileAccess& access = {});

// One entry of a batch: its forward line in the forward file `forwardName` and its reverse line
// in `reverseName`, letter files of the batch's folder ("LEXFWD_C.DAT", "LEXREV_K.DAT"); each
// line as formatRecordLine makes it, with its line end.
struct BatchEntry {
    std::string forwardName, forwardLine;
    std::string reverseName, reverseLine;
};

// Keeps a batch's journal within what the journal's reader takes: at most this many bytes of
// new lines, both directions together.
inline constexpr std::size_t kMaxBatchBytes = std::size_t(2) << 20;

struct BatchWriteResult {
    using Problem = EntryWriteResult::Problem;
    Problem problem = Problem::None;
    std::filesystem::path file;     // the data file (or the journal) the problem is in; empty
                                    // for a batch larger than kMaxBatchBytes (TooLong, EFBIG)
    bool inJournal = false;         // the problem is in the journal: no data file was touched
    int error = 0;                  // an errno value or a reason of the kit's
    std::filesystem::path undoFile; // RollbackFailed: the file that still holds new bytes
    int undoError = 0;
    std::size_t fragmentLine = 0; // Fragment: the line where the broken record starts
    RecoveryResult recovered;     // an interrupted earlier write, undone before this one

    bool ok() const { return problem == Problem::None; }
};

// Appends every entry of `entries` to the data files of `folder`: all of them in every file
// they go to, or none in any, even when the program is killed or the power fails in the
// middle. The same steps as appendEntry, with one journal for the batch that names every file
// it touches (at most the 52), and the lines of each file written at once. The new lines of
// one file follow one another in the order of `entries`. At most kMaxBatchBytes of lines. A
// batch that names a file that is not a letter file of its direction, or one file under two
// spellings, is refused (OpenFailed, EINVAL), as is a line longer than kMaxRecordBytes
// (TooLong), before anything is touched; an empty batch writes nothing.
BatchWriteResult appendEntries(const std::filesystem::path& folder,
                               const std::vector<BatchEntry>& entries,
                               const FileAccess& access = {});

} // namespace datafiles

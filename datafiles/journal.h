#pragma once
// The journal of an unfinished write: VOCABORO.JNL in the data folder, which says what
// the write of one entry is about to append to its two files, so that a write stopped
// half-way (the program killed, the power gone) can be undone by the next one.
//
// A journal belongs to its folder and to nothing else. It names its two data files by
// their names in that folder, and only letter-file names ("LEXFWD_C.DAT"); it keeps the
// bytes before each file's new ones, so that a journal copied beside other files changes
// none of them. It is opened without following links, and only while it is a regular file
// with no other name; anything else is refused, never written or cut.
//
// It is written in two steps, each synced before the next: the whole text with its first
// line unset, then that line, which holds the checksum of the rest. A data file is touched
// only after both. So a journal whose first line is unset was stopped while it was being
// written, and nothing else was touched; one whose first line is set was complete, and if
// it no longer checks it was damaged since, and is kept aside instead of being obeyed or
// cleared.

#include "file_io.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace datafiles {

// The journal's name inside the data folder.
inline constexpr char kJournalFileName[] = "VOCABORO.JNL";

// Whether `name` is one of the 52 data files' names, letter case aside.
bool isLetterFileName(std::string_view name);

// What the journal says of one file: enough to find the entry's new bytes again.
struct JournalIntent {
    std::string name;               // the file's name in the journal's folder
    std::uint64_t originalSize = 0; // its size when the write locked it
    std::uint64_t keep = 0;         // the new bytes go here; what followed was blank
    bool created = false;           // the write made the file
    std::string before;             // the bytes just before `keep` (at most kJournalBefore)
    std::string bytes;              // the new bytes
};

inline constexpr std::size_t kJournalBefore = 64;

struct JournalEntry {
    JournalIntent forward, reverse;
};

// The journal's text, its first line unset; commitJournalLine() gives that line.
std::string journalText(const JournalEntry& entry);
inline constexpr std::size_t kJournalCommitSize = 17; // the first line, with its line end
std::string commitJournalLine(std::string_view text);

struct ParsedJournal {
    enum class State {
        Empty,      // a finished write: nothing to do
        Unfinished, // stopped while the journal itself was written: no data file was touched
        Committed,  // complete and checked: `entry` says what to undo
        Damaged,    // neither: not to be obeyed. `entry` holds what could still be read of it
        NotObeyed,  // checks, but names a file that is not a letter file of its folder
    };
    State state = State::Empty;
    std::optional<JournalEntry> entry;
};
ParsedJournal parseJournal(std::string_view text);

// What was found of an interrupted write and done about it.
struct RecoveryResult {
    bool found = false;   // a journal of an unfinished write was there
    bool undone = false;  // part of its entry had reached a file and was removed again
    bool change = false;   // the journal was of a change or a removal (entry_editor.h): the
                           // entry named is the forward record as it was before it
    bool finished = false; // a change that was sealed has been completed
    std::string headword; // the entry's first two fields, for telling the user
    std::string counterpart;
    // The two files the journal names, when it could be read.
    std::filesystem::path forwardFile, reverseFile;
    // A damaged journal is kept under this name (error kErrorJournalDamaged).
    std::filesystem::path setAside;
    // Non-zero when something was left as it was: kErrorChangedMeanwhile (a file another
    // program changed since) and kErrorJournalDamaged are final; any other reason means
    // that the journal stays for the next try.
    int error = 0;
    std::filesystem::path errorFile;

    bool ok() const { return error == 0; }
    // Nothing is left for a later try: the journal is gone or set aside.
    bool settled() const {
        return error == 0 || error == kErrorChangedMeanwhile || error == kErrorJournalDamaged;
    }
};

// The journal of one data folder, opened and locked for one write or one recovery.
class Journal {
public:
    Journal(FileOps& ops, std::filesystem::path folder);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    const std::filesystem::path& path() const { return path_; }
    const std::filesystem::path& folder() const { return folder_; }

    // Opens and locks the journal (again, after a journal set aside); `create` makes it when
    // missing. ENOENT when it is not
    // there (and not to be made); kErrorSymbolicLink, kErrorHardLink, kErrorNotRegularFile
    // or EISDIR when the name is not a journal of this folder's own.
    int acquire(std::chrono::milliseconds timeout, bool create);

    // Undoes what the journal holds, if anything; see recoverUnfinishedWrite.
    RecoveryResult recover(std::chrono::milliseconds timeout);

    // The intent, durable before any data file is touched: the text, then its first line.
    int record(const JournalEntry& entry);
    // Empties the journal durably: from here on the entry counts as written (or the
    // recovery as done), whatever happens to the journal file itself.
    int clear();
    // Removes the journal file while it is still locked. Neither the removal nor its
    // reaching the disk matters to the entry: an empty journal that stays, or comes back
    // after a power cut, means nothing to the next writer.
    void remove();

private:
    int read(std::string& text);
    int writeAt(std::string_view bytes, std::uint64_t offset);
    // Renames a damaged journal to the first free "VOCABORO.JNL.damaged-N"; 0 or why not.
    int setAside(std::filesystem::path& to);

    FileOps& ops_;
    std::filesystem::path folder_;
    std::filesystem::path path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    bool created_ = false;
};

// Undoes the write that a journal in `folder` describes, if one is there and no live
// writer holds it: each file is cut back to where the entry's line began, provided that
// the bytes before that place are those the journal kept and what follows is that line or
// a torn start of it. A file that another program changed since is left as it is (error
// kErrorChangedMeanwhile) and the journal is removed; a damaged journal is set aside.
RecoveryResult recoverUnfinishedWrite(const std::filesystem::path& folder,
                                      const FileAccess& access = {});

} // namespace datafiles

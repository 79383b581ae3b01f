#pragma once
// The journal of an unfinished write: VOCABORO.JNL in the data folder, which says what
// the append of one entry or of a batch of them, or the change or removal of one
// (entry_editor.h), is about to do to its files, so that a write stopped half-way (the program
// killed, the power gone) can be undone or finished by the next one.
//
// A journal belongs to its folder and to nothing else. It names its data files by their
// names in that folder, and only letter-file names ("LEXFWD_C.DAT"); it keeps the bytes
// before each appended line, and the size and checksum of each replaced file's old and new
// bytes, so that a journal copied beside other files changes none of them. It is opened
// without following links, and only while it is a regular file with no other name; anything
// else is refused, never written or cut.
//
// Its first line says in a fixed form whether it is sealed: "VOCABORO JOURNAL 3 unsealed"
// and sixteen dots, or "VOCABORO JOURNAL 3 sealed" and the checksum of the rest. It is
// written in two steps, each synced before the next: the whole text with the unsealed line,
// then the sealed line. An append touches its data files only after both; a change writes
// its new files (under temporary names) between them. So an unsealed journal was stopped
// before anything was changed: what it names is removed (temporary files only) and it is
// cleared. A sealed journal that checks is obeyed. Any other shape, a first line overwritten
// included, is damage: the journal is kept aside and the user told, never obeyed or cleared.

#include "file_io.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The append of a batch of entries (appendEntries): how many entries it holds, for telling the
// user, and one intent for each letter file it adds to, each file named once.
struct JournalBatch {
    std::uint64_t entries = 0;
    std::vector<JournalIntent> files;
};
inline constexpr std::size_t kMaxBatchFiles = 52;

// One file that a change replaces: its name, whether it existed, and the size and checksum
// of its bytes before and after. Its new bytes wait beside it under the name followed by
// kNewFileSuffix (entry_editor.h) until they replace it.
struct JournalReplacement {
    std::string name;
    bool existed = true;
    std::uint64_t oldSize = 0, oldSum = 0;
    std::uint64_t newSize = 0, newSum = 0;
};

// The change or removal of one entry: the forward record as it was, for telling the user, and
// the files it replaces (at most four: the old and new forward and reverse files).
struct JournalChange {
    std::string forwardLine;
    std::vector<JournalReplacement> files;
};

// The checksum of a file's bytes that a change journal keeps, taken over the bytes given in
// one piece or in several: the same bytes give the same sum however they are cut.
class ContentSum {
public:
    void add(std::string_view bytes);
    std::uint64_t value() const;

private:
    void mix(const char* block); // 32 bytes, one lane of eight each
    std::uint64_t lanes_[4] = {0x27D4EB2F165667C5ull, 0x165667B19E3779F9ull, 0x85EBCA77C2B2AE63ull,
                               0x9E3779B185EBCA87ull};
    std::uint64_t size_ = 0;
    char carry_[32] = {};
    std::size_t carried_ = 0;
};
std::uint64_t contentChecksum(std::string_view bytes);

// The journal's text, its first line unsealed; commitJournalLine() gives the sealed line.
std::string journalText(const JournalEntry& entry);
std::string journalText(const JournalChange& change);
std::string journalText(const JournalBatch& batch);
inline constexpr std::size_t kJournalCommitSize = 45; // the first line, with its line end
std::string commitJournalLine(std::string_view text);

struct ParsedJournal {
    enum class State {
        Empty,      // a finished write: nothing to do
        Unfinished, // unsealed: no data file was touched; `change` names the temporary files
                    // that may have been written, when it can be read
        Committed,  // sealed and checked: `entry` or `batch` says what to undo, `change` what
                    // to finish
        Damaged,    // neither: not to be obeyed. `entry`, `batch` or `change` holds what could
                    // still be read of it
        NotObeyed,  // checks, but names a file that is not a letter file of its folder
    };
    State state = State::Empty;
    std::optional<JournalEntry> entry;
    std::optional<JournalChange> change;
    std::optional<JournalBatch> batch;
};
ParsedJournal parseJournal(std::string_view text);

// What was found of an interrupted write and done about it.
struct RecoveryResult {
    bool found = false;    // a journal of an unfinished write was there
    bool undone = false;   // part of its entry had reached a file and was removed again
    bool change = false;   // the journal was of a change or a removal (entry_editor.h): the
                           // entry named is the forward record as it was before it
    bool finished = false; // a change that was sealed has been completed
    std::string headword;  // the entry's first two fields, for telling the user
    std::string counterpart;
    // The two files the journal names, when it could be read (a batch's are in `batchFiles`).
    std::filesystem::path forwardFile, reverseFile;
    // A batch: how many entries it held (0 for one entry or a change), and the letter files
    // it named. `headword` and `counterpart` are those of the first line of its first forward
    // file.
    std::size_t batchEntries = 0;
    std::vector<std::filesystem::path> batchFiles;
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
    int record(const JournalBatch& batch);
    // The same in two calls, for a change, which writes its new files in between: the text
    // with its first line unsealed, synced; then the sealed line, synced.
    int begin(std::string_view text);
    int seal(std::string_view text);
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
    // Whatever a stopped change left: an unsealed one's temporary files go; a sealed one's
    // files are replaced by their new bytes where they still hold the old ones.
    void removeNewFiles(const JournalChange& change);
    void finishChange(const JournalChange& change, std::chrono::milliseconds timeout,
                      RecoveryResult& result);
    // Renames a damaged journal to the first free "VOCABORO.JNL.damaged-N"; 0 or why not.
    int setAside(std::filesystem::path& to);

    FileOps& ops_;
    std::filesystem::path folder_;
    std::filesystem::path path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    bool created_ = false;
};

// Opens and locks the journal of `journal`'s folder for a write, making it when missing, and
// deals first with what an interrupted write left in it (`recovered`; a damaged journal is
// set aside and a new one taken). 0, or why the write cannot go on: the journal could not be
// made or locked, or what it held could not be dealt with yet (`recovered.settled()` false).
int openJournal(Journal& journal, std::chrono::milliseconds timeout, RecoveryResult& recovered);

// Undoes the write that a journal in `folder` describes, if one is there and no live
// writer holds it: each file is cut back to where the entry's line (a batch's lines) began,
// provided that the bytes before that place are those the journal kept and what follows is
// that line or a torn start of it. A sealed change is finished: each file that still holds its
// old bytes is replaced by its new ones, waiting beside it. A file that another program changed
// since is left as it is (error kErrorChangedMeanwhile) and the journal is removed; a damaged
// journal is set aside.
RecoveryResult recoverUnfinishedWrite(const std::filesystem::path& folder,
                                      const FileAccess& access = {});

} // namespace datafiles

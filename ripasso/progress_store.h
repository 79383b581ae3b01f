#pragma once
// Ripasso's progress: one SQLite database in the user's data folder, in WAL mode, each answer
// committed as it is given. A database that cannot be used (held by another copy of Ripasso,
// locked by another program, read-only, damaged, of a newer version or of another program)
// is reported with its file name and left exactly as it is: nothing is reset, created over
// or written to it.
//
// Tables (schema version 2; a version 1 database is given what it lacks when it is opened):
//   setting(name, value)            the folders last chosen
//   card(headword, pronunciation, direction, stability, difficulty, due_day, last_day,
//        first_day, reviews, lapses)  one row per card answered at least once, keyed by the
//                                     record's head word and pronunciation (code page 1252
//                                     bytes as in the data file) and the direction
//   review(card key, day, grade, stability, difficulty, due_day)  every answer, never pruned
//   letter(drill, code, asked, missed, weight)  the letter drills' answers per letter
//   pending_move(id, folder, old_headword, old_pronunciation, new_headword, new_pronunciation)
//                                   a change of a word announced before its files were
//                                   changed: its cards follow it once the change is made
//
// A database is checked when it is opened (PRAGMA quick_check): a damaged one is refused.

#include "fsrs.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace ripasso {

inline constexpr int kSchemaVersion = 2;
// PRAGMA application_id of Ripasso's databases: "RIPA".
inline constexpr int kApplicationId = 0x52495041;

enum class CardDirection { ItalianToThai = 0, ThaiToItalian = 1 };

struct CardKey {
    std::string headword;      // code page 1252 bytes, as in the data file
    std::string pronunciation; // code page 1252 bytes
    CardDirection direction = CardDirection::ItalianToThai;
    friend bool operator==(const CardKey&, const CardKey&) = default;
};

struct StoredCard {
    CardKey key;
    CardState state;
};

// The drills, as numbered in the letter table: the letter drills, then those of the script
// beyond the consonants (their scores are keyed by the code of each drill's items).
enum class DrillKind {
    Sound = 0,
    Reading = 1,
    Class = 2,
    VowelReading = 3, // see a vowel form, pick its reading
    VowelSound = 4,   // hear a vowel, pick its form
    VowelLength = 5,  // see a vowel form, short or long
    ToneMark = 6,     // see a tone mark, pick its name
    Tone = 7,         // see a one-syllable word, pick its tone
    Final = 8,        // see a final consonant, pick its sound
    LookAlike = 9,    // a letter's name, pick it among the letters that look like it
};

struct LetterScore {
    int code = 0; // the item: a letter's TIS-620 code, or the key the drill gives its items
    int asked = 0;
    int missed = 0;
    double weight = 0; // grows with each miss, halves with each right answer
};

// A word's change of head word or pronunciation, announced to the progress before the data
// files are changed, so that its cards can follow it even when Ripasso is killed in between.
struct PendingMove {
    std::int64_t id = 0;
    std::string folder;                        // the words' folder as typed (UTF-8)
    std::string oldHeadword, oldPronunciation; // code page 1252 bytes
    std::string newHeadword, newPronunciation;
};

// What a move did, per direction of the word's cards.
struct MoveResult {
    int moved = 0; // directions whose card and answers now go by the new word
    // Directions whose new word already had a card of its own: both cards were kept, the old
    // one under the old word, unused.
    int kept = 0;
    bool found = true; // false: the move was no longer pending
};

enum class StoreProblem {
    None,
    InUse,        // another copy of Ripasso has it open
    Locked,       // another program holds a lock on it
    ReadOnly,     // it, or its folder, cannot be written
    Damaged,      // not a database, or a damaged one
    NewerVersion, // written by a newer Ripasso
    NotOurs,      // another program's database
    CannotOpen,   // any other reason, given in the message
};

struct StoreError {
    StoreProblem problem = StoreProblem::None;
    std::string message; // in the user's language (UTF-8), naming the file; empty when all is well
    explicit operator bool() const { return problem != StoreProblem::None; }
};

struct StoreOptions {
    // How long a statement waits for another program's lock.
    std::chrono::milliseconds busyTimeout{2000};
    // Read only, sharing the database with a running Ripasso (the export's remembered
    // folder): no lock of its own, nothing created or written.
    bool readOnly = false;
};

class ProgressStore {
public:
    // Opens the database, creating it and its folder when they do not exist. Null with
    // `error` set when it cannot be used.
    static std::unique_ptr<ProgressStore> open(const std::filesystem::path& file, StoreError& error,
                                               StoreOptions options = {});
    ~ProgressStore();
    ProgressStore(const ProgressStore&) = delete;
    ProgressStore& operator=(const ProgressStore&) = delete;

    const std::filesystem::path& file() const { return file_; }

    // Every call below that fails returns false (or nothing) and sets lastError().
    const StoreError& lastError() const { return lastError_; }

    std::optional<std::string> setting(std::string_view name);
    bool setSetting(std::string_view name, std::string_view value);

    bool loadCards(std::vector<StoredCard>& cards);
    // How many cards had their first answer on `day`.
    std::optional<int> cardsFirstAnsweredOn(int day);
    // Stores the card's new state and the answer, in one transaction.
    bool saveAnswer(const StoredCard& card, Grade grade);

    // Whether a card of either direction goes by this head word and pronunciation.
    std::optional<bool> hasCards(std::string_view headword, std::string_view pronunciation);
    // Records the move and syncs it to the disk; its id.
    std::optional<std::int64_t> announceMove(const PendingMove& move);
    // In one transaction: the cards of the old word (both directions) and their answers go by
    // the new word, unless the new word has a card of its own in that direction, and the
    // pending move is removed.
    std::optional<MoveResult> finishMove(std::int64_t id);
    // Removes the pending move: the cards stay with the old word.
    bool dropMove(std::int64_t id);
    // The moves still pending for a words' folder, oldest first.
    bool pendingMoves(std::string_view folder, std::vector<PendingMove>& moves);

    bool loadLetterScores(DrillKind drill, std::vector<LetterScore>& scores);
    bool saveLetterScore(DrillKind drill, const LetterScore& score);

private:
    ProgressStore(std::filesystem::path file, sqlite3* db, int lockFd)
        : file_(std::move(file)), db_(db), lockFd_(lockFd) {}
    bool exec(const char* sql);
    bool fail(int code);

    std::filesystem::path file_;
    sqlite3* db_ = nullptr;
    int lockFd_ = -1; // held while this copy of Ripasso runs; closed after the database
    StoreError lastError_;
};

// The problem an SQLite result code stands for, and the message that names the file.
StoreError describeStoreError(const std::filesystem::path& file, int sqliteCode,
                              std::string_view detail);

// $XDG_DATA_HOME/thai-kit/ripasso.sqlite (by default ~/.local/share/thai-kit/).
std::filesystem::path defaultProgressFile();

} // namespace ripasso

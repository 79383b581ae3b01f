#pragma once
// Ripasso's progress: one SQLite database in the user's data folder, in WAL mode, each answer
// committed as it is given. A database that cannot be used (held by another copy of Ripasso,
// locked by another program, read-only, damaged, of a newer version or of another program)
// is reported with its file name and left exactly as it is: nothing is reset, created over
// or written to it.
//
// Tables (schema version 1):
//   setting(name, value)            the folders last chosen
//   card(headword, pronunciation, direction, stability, difficulty, due_day, last_day,
//        first_day, reviews, lapses)  one row per card answered at least once, keyed by the
//                                     record's head word and pronunciation (code page 1252
//                                     bytes as in the data file) and the direction
//   review(card key, day, grade, stability, difficulty, due_day)  every answer, never pruned
//   letter(drill, code, asked, missed, weight)  the letter drills' answers per letter

#include "fsrs.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace ripasso {

inline constexpr int kSchemaVersion = 1;
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

enum class DrillKind { Sound = 0, Reading = 1, Class = 2 };

struct LetterScore {
    int code = 0; // TIS-620 code of the letter
    int asked = 0;
    int missed = 0;
    double weight = 0; // grows with each miss, halves with each right answer
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
    std::string message; // English, naming the file; empty when all is well
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

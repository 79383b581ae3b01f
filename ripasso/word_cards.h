#pragma once
// The user's words as cards: every forward record with a pronunciation (cross-references
// left out) gives two, Italian to Thai and Thai to Italian. A card is known by its record's
// head word and pronunciation and its direction, so a record changed or removed by hand
// leaves the progress of its cards in the database, unused; a word added later is a new card.

#include "forward_records.h"
#include "progress_store.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace ripasso {

struct WordCard {
    CardKey key;
    std::string thai;      // TIS-620; empty when the record has none
    std::string thaiSound; // the record's field as it is: a recording's file name, or a marker
    std::string attribute; // code page 1252; empty for "-"
    std::string note;      // code page 1252; empty for "-"
    // Other records of the same head word and pronunciation: their "attribute note" lines.
    std::vector<std::string> more;
    std::optional<CardState> state; // empty for a new card
};

// What a session needs from a data folder.
struct FolderCards {
    std::vector<WordCard> due;   // due today or earlier, the longest overdue first
    std::vector<WordCard> fresh; // the new cards for today, Italian to Thai ones first
    std::size_t cards = 0;       // in the folder's files: two for each word and pronunciation
    std::size_t unseen = 0;      // of them, the cards never answered
    std::size_t records = 0;     // records read
    // What could not be read, one English sentence each, naming the file.
    std::vector<std::string> problems;
};

inline constexpr std::size_t kNewCardsPerDay = 20;

// Reads LEXFWD_A.DAT ... LEXFWD_Z.DAT, each at the path `pathOf` gives for its name, and
// matches them with the cards already answered. At most `newAllowance` new cards are taken.
FolderCards collectCards(const PathOf& pathOf, const std::vector<StoredCard>& known, int today,
                         std::size_t newAllowance, const datafiles::FileAccess& access = {});

// The answers the folder's records give the front of `card`, read from one file: for an Italian
// to Thai card the pronunciations of every record of its head word (the same bytes) in the
// head word's forward file, for a Thai to Italian card the Italian words of every record of its
// pronunciation and Thai script in the pronunciation's reverse file. Cross-references are left
// out; nothing when the file cannot be read.
std::vector<std::string> folderAnswers(const WordCard& card, const PathOf& pathOf,
                                       const datafiles::FileAccess& access = {});

} // namespace ripasso

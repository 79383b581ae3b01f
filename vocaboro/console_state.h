#pragma once
// The console window's state that its look-ups and its entry panel share, alive as long as
// the window.

#include "datafiles/dictionary_record.h"

#include <QString>

#include <optional>

namespace vocaboro {

struct ConsoleState {
    QString datapath;            // the data folder as typed at start-up
    QString direction;           // "I-T", "T-I" or "TX-I"; empty until a direction is chosen
    QString lookupWord;          // the word of the last Italian-to-Thai look-up
    QString lookupPronunciation; // the word of the last Thai-to-Italian look-up
    QString lookupScript;        // the Thai script of the last look-up by script
    QString lookupFile;          // the data file of the running or last look-up
    int matchCount = 0;          // matches printed by the running look-up
    int answerCode = 0;          // the last question's answer: 6 Yes, 7 No
    QString reply;               // "y" or "n", from the end-of-search question
    // The record a look-up matched last, or the values the entry check kept.
    datafiles::DictionaryRecord record;
    // The record a look-up printed last as a match, kept for the pronunciation buttons; from a
    // reverse file its headword is the pronunciation and its counterpart the Italian word.
    std::optional<datafiles::DictionaryRecord> lastMatch;
    bool lastMatchReverse = false;
};

} // namespace vocaboro

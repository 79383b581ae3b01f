#pragma once
// The check of a new entry, without widgets: the seven texts of the entry panel's boxes in,
// the verdict, the two data files, the texts with their "none" markers and the forward
// record out.

#include "datafiles/dictionary_record.h"

#include <QString>

#include <array>

namespace vocaboro {

// One box of the entry panel, Text1 to Text7 in this order.
struct EntryBox {
    const char* caption; // its label's caption
    const char* marker;  // put in when it is left empty; nullptr: the box is required
    bool thai;           // holds Thai script (TIS-620) rather than Latin text
};
inline constexpr std::array<EntryBox, 7> kEntryBoxes = {{
    {"Italy Word :", nullptr, false},
    {"attribute :", datafiles::kNoAttribute, false},
    {"THAI :", datafiles::kNoThai, true},
    {"pronunciation :", nullptr, false},
    {"notes :", datafiles::kNoNote, false},
    {"file waw Thai :", datafiles::kNoSound, false},
    {"file wav Italy :", datafiles::kNoSound, false},
}};

// The box's caption without its colon: "Italy Word".
QString boxName(const EntryBox& box);

using EntryTexts = std::array<QString, 7>;

struct CheckResult {
    QString failure; // the message for the red box; empty when the check passed
    QString forwardFile;
    QString reverseFile;
    EntryTexts texts;                   // the boxes' texts, empty optional ones marked
    datafiles::DictionaryRecord record; // the forward record of the entry

    bool passed() const { return failure.isEmpty(); }
};

// The two key words must be there and have a data file by their first character; every
// value must fit its field's code set and hold no double quote (the files have no escape
// for it) and no line break.
CheckResult checkEntry(const EntryTexts& texts);

} // namespace vocaboro

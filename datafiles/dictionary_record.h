#pragma once
// One record of a data file: seven single-byte fields.

#include <string>

namespace datafiles {

struct DictionaryRecord {
    std::string headword;
    std::string counterpart;
    std::string attribute;
    std::string note;
    std::string thai;
    std::string thaiSound;
    std::string italianSound;

    static constexpr int kFieldCount = 7;

    std::string& field(int index);
    const std::string& field(int index) const;

    // A note of "*" marks a pointer to other words instead of a translation.
    bool isCrossReference() const { return note == "*"; }

    friend bool operator==(const DictionaryRecord&, const DictionaryRecord&) = default;
};

// The "none" markers that stand for an empty optional field.
inline constexpr char kNoAttribute[] = "-";
inline constexpr char kNoNote[] = "-";
inline constexpr char kNoThai[] = "@";
inline constexpr char kNoSound[] = "$";
inline constexpr char kCrossReferenceNote[] = "*";

} // namespace datafiles

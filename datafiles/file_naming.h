#pragma once
// Which data file a word belongs to, chosen by its first byte (code page 1252).
// The writer and the look-ups use different tables: the look-up accepts more accented
// initials than the writer does.

#include <optional>
#include <string>
#include <string_view>

namespace datafiles {

enum class Direction { Forward, Reverse };

// "LEXFWD_C.DAT" / "LEXREV_C.DAT" for a capital letter 'A'..'Z'.
std::string dataFileName(Direction direction, char letter);

// The letter whose forward file a new entry is written to: a-z and "à".
std::optional<char> forwardLetterForWriting(std::string_view italianWord);
// The letter whose forward file a look-up searches: a-z and the ten accented vowels.
std::optional<char> forwardLetterForLookup(std::string_view italianWord);
// The letter of the reverse file, for writing and looking up alike: a-z only.
std::optional<char> reverseLetter(std::string_view pronunciation);

std::optional<std::string> forwardFileForWriting(std::string_view italianWord);
std::optional<std::string> forwardFileForLookup(std::string_view italianWord);
std::optional<std::string> reverseFile(std::string_view pronunciation);

// The small-letter names with a leading backslash that the letter loaders use:
// "\lexfwd_c.dat" for 'c'.
std::string letterLoaderFileName(Direction direction, char smallLetter);

} // namespace datafiles

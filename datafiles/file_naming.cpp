#include "file_naming.h"

namespace datafiles {
namespace {

bool isSmallLetter(unsigned char c) {
    return c >= 'a' && c <= 'z';
}
char toCapital(char c) {
    return static_cast<char>(c - 'a' + 'A');
}

std::optional<char> letterOf(std::string_view word, bool lookupAccents, bool writingAccent) {
    if (word.empty())
        return std::nullopt;
    const auto c = static_cast<unsigned char>(word.front());
    if (isSmallLetter(c))
        return toCapital(static_cast<char>(c));
    if (writingAccent && c == 0xE0) // à
        return 'A';
    if (lookupAccents) {
        switch (c) {
        case 0xE0:
        case 0xE1:
            return 'A'; // à á
        case 0xE8:
        case 0xE9:
            return 'E'; // è é
        case 0xEC:
        case 0xED:
            return 'I'; // ì í
        case 0xF2:
        case 0xF3:
            return 'O'; // ò ó
        case 0xF9:
        case 0xFA:
            return 'U'; // ù ú
        }
    }
    return std::nullopt;
}

std::optional<std::string> fileFor(Direction direction, std::optional<char> letter) {
    if (!letter)
        return std::nullopt;
    return dataFileName(direction, *letter);
}

} // namespace

std::string dataFileName(Direction direction, char letter) {
    std::string name = direction == Direction::Forward ? "LEXFWD_" : "LEXREV_";
    name += letter;
    name += ".DAT";
    return name;
}

std::optional<char> forwardLetterForWriting(std::string_view italianWord) {
    return letterOf(italianWord, false, true);
}
std::optional<char> forwardLetterForLookup(std::string_view italianWord) {
    return letterOf(italianWord, true, false);
}
std::optional<char> reverseLetter(std::string_view pronunciation) {
    return letterOf(pronunciation, false, false);
}

std::optional<std::string> forwardFileForWriting(std::string_view italianWord) {
    return fileFor(Direction::Forward, forwardLetterForWriting(italianWord));
}
std::optional<std::string> forwardFileForLookup(std::string_view italianWord) {
    return fileFor(Direction::Forward, forwardLetterForLookup(italianWord));
}
std::optional<std::string> reverseFile(std::string_view pronunciation) {
    return fileFor(Direction::Reverse, reverseLetter(pronunciation));
}

std::string letterLoaderFileName(Direction direction, char smallLetter) {
    std::string name = direction == Direction::Forward ? "\\lexfwd_" : "\\lexrev_";
    name += smallLetter;
    name += ".dat";
    return name;
}

} // namespace datafiles

// The syllable reader on any bytes: it never fails and never hangs; the pieces it returns
// are the word's own bytes in order, separators left out; every syllable it reads alone
// reads the same, and takes the tone its rules give unless it is a listed word; the syllables
// of a listed word of several read as listed, not alone.

#include "thaiscript/syllable.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view word(reinterpret_cast<const char*>(data), size);
    std::string unseparated;
    for (const char c : word)
        if (c != '-' && c != ' ')
            unseparated.push_back(c);
    const std::vector<thaiscript::Piece> pieces = thaiscript::readWord(word);
    std::string joined;
    for (const thaiscript::Piece& piece : pieces) {
        joined += piece.text;
        if (!piece.syllable)
            continue;
        const thaiscript::Syllable& s = *piece.syllable;
        if (s.text != piece.text || s.initial.empty() || s.vowel.empty())
            std::abort();
        if (!s.listed && s.tone != thaiscript::ruleTone(s.toneClass, s.live, s.length, s.mark))
            std::abort();
        const std::optional<thaiscript::Syllable> alone = thaiscript::readSyllable(piece.text);
        // A syllable of a listed word of several reads so only in that word: ช of ชฎา has an
        // unwritten a, นม of ขนม the tone of ข's class. Listed, it need not re-read alone.
        if (s.listed && (!alone || !alone->listed))
            continue;
        if (!alone || alone->tone != s.tone || alone->vowel != s.vowel ||
            alone->initial != s.initial || alone->finalLetters != s.finalLetters)
            std::abort();
    }
    if (joined != unseparated || thaiscript::readsWhole(pieces) != [&] {
            for (const thaiscript::Piece& p : pieces)
                if (!p.syllable)
                    return false;
            return !pieces.empty();
        }())
        std::abort();
    return 0;
}

#pragma once
// Latin text of code page 1252 with letter case and the accents of vowels set aside, one
// byte for one byte: "Perché" and "perche" fold to the same bytes. Thai script is never
// folded: only the Latin fields' bytes are given here.

#include <string>
#include <string_view>

namespace thaitext {

// A capital to its small letter (A to a, À to à, Š to š), then an accented vowel to its
// plain one (à, á, â, ã, ä, å to a, and so on for e, i, o, u and y); any other byte as it is.
unsigned char foldLatin(unsigned char byte);
std::string foldLatin(std::string_view bytes);
// The same for every byte at once: foldingTable()[b] is foldLatin(b).
const unsigned char* foldingTable();

} // namespace thaitext

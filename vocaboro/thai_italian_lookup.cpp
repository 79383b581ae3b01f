// The Thai-to-Italian look-up by pronunciation: the reverse files, no cross-references.

#include "console_window.h"

namespace vocaboro {

void Form1::lexrev() {
    static const LookupKind kThaiItalian{
        datafiles::Direction::Reverse,
        &Form1::lookupPronunciation_,
        false,
        QStringLiteral("I-T"),
        QStringLiteral("THAI Vocable List : "),
        &Form1::newwt,
        true,
        &Form1::Command3D11,
    };
    runLookup(kThaiItalian);
}

// The search by Thai script is not available: it does nothing.
void Form1::LEXREV2() {}

} // namespace vocaboro

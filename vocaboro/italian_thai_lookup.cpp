// The Italian-to-Thai look-up: the forward files, with cross-reference suggestions.

#include "console_window.h"

namespace vocaboro {

void Form1::vocaboro() {
    static const LookupKind kItalianThai{
        datafiles::Direction::Forward,           &Form1::lookupWord_, true,  QStringLiteral("T-I"),
        QStringLiteral("ITALY Vocable List : "), &Form1::neww,        false, &Form1::Command3D10,
    };
    runLookup(kItalianThai);
}

} // namespace vocaboro

#pragma once
// thai-kit, the kit's command line: looks words up in both directions, and adds, changes or
// removes entries with the entry panel's check and messages, in the folder a user types as in
// the programs with windows; reads a Thai word's syllables and tones, and says a word into a WAV
// file. It needs no display.
//
//   thai-kit [--folder DIR] lookup WORD
//   thai-kit [--folder DIR] add ITALIAN PRONUNCIATION [--thai T] [--attribute A] [--note N]
//                               [--thai-sound S] [--italian-sound S]
//   thai-kit [--folder DIR] edit ITALIAN PRONUNCIATION --set FIELD=VALUE...
//                               [--record N] [--forward-alone]
//   thai-kit [--folder DIR] delete ITALIAN PRONUNCIATION [--record N] [--forward-alone]
//   thai-kit syllable WORD
//   thai-kit say WORD [--wav FILE] [--phonemes]

#include "datafiles/file_io.h"

#include <QStringList>

#include <filesystem>
#include <functional>
#include <ostream>

namespace thaikit {

// The exit statuses.
inline constexpr int kDone = 0;
inline constexpr int kNothingDone = 1; // with a message on the error stream
inline constexpr int kUsageError = 2;
inline constexpr int kNoVoice = 3; // say: the synthetic voice is not installed

struct Setup {
    // Where "C:" of a typed folder leads; asked only when a command runs (an installed copy
    // fills the user's drive the first time).
    std::function<std::filesystem::path()> driveRoot;
    // Ripasso's progress, which keeps the folder chosen last.
    std::filesystem::path progressFile;
    datafiles::FileAccess fileAccess = {};
};

// Runs the command line `arguments` (without the program's name). What it prints goes to
// `out` and `err` as UTF-8. The exit status.
int run(const QStringList& arguments, const Setup& setup, std::ostream& out, std::ostream& err);

} // namespace thaikit

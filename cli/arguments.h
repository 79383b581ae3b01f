#pragma once
// thai-kit's command line taken apart: the command and its words, and the options, checked
// against what each command takes. Nothing here touches a file.

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace thaikit {

enum class Command { None, Lookup, Add, Edit, Delete, Syllable, Say, Import };

struct Arguments {
    Command command = Command::None;
    QStringList words; // the command's words: WORD, ITALIAN PRONUNCIATION, or FILE
    bool help = false;
    bool version = false;
    std::optional<QString> folder;
    // add: the optional values of the new entry, by the entry panel's box (0 to 6); the two
    // key words stay empty here.
    std::optional<QString> values[7];
    // edit: --set FIELD=VALUE, by the field's box, in the order given.
    std::vector<std::pair<int, QString>> sets;
    std::optional<int> record; // --record N: the N-th entry listed, from 1
    bool forwardAlone = false;
    std::optional<QString> wav; // say: --wav FILE, the WAV file to write
    bool phonemes = false;      // say: --phonemes, print each syllable's phonemes
    bool dryRun = false;        // import: --dry-run, check and count without writing
    QString problem; // a usage error, for the message; empty when the line is well formed
};

Arguments parseArguments(const QStringList& arguments);

// The box of the entry panel (entry_check.h) that --set FIELD names, or -1: italian,
// attribute, thai, pronunciation, note, thai-sound, italian-sound.
int fieldBox(const QString& field);

} // namespace thaikit

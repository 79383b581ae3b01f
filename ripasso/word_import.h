#pragma once
// Bringing words into the dictionary from a file: a CSV or TSV table in UTF-8 whose header
// line names its columns (italiano/italian, pronuncia/pronunciation, thai, attributo/attribute,
// note/notes), Anki's text export (with its "#" header lines, the kit's own text export
// included) or an Anki package (.apkg) of the kit's note type. Every row goes through the
// entry panel's check (vocaboro::checkEntry) with its messages; a row already there is
// skipped and counted: the same entry field for field (in the dictionary or earlier in the
// file), or a row that gives nothing but a head word, pronunciation and Thai script that an
// entry of the dictionary had before the import (the same word with another attribute or note
// is another entry, as the files themselves hold such pairs); the
// rest are appended in batches (datafiles::appendEntries), each batch in both directions or in
// neither. The file is read a block at a time: memory does not grow with it.

#include "datafiles/entry_writer.h"
#include "datafiles/file_io.h"
#include "vocaboro/entry_messages.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <filesystem>
#include <functional>

namespace ripasso {

struct ImportOptions {
    bool dryRun = false; // everything checked and counted, nothing written
    // The program that tells a failed write, as the write's messages name it.
    QString program = vocaboro::kCommandLineProgram;
};

struct ImportReport {
    std::size_t added = 0;   // rows appended (with --dry-run: that would be appended)
    std::size_t already = 0; // rows already in the dictionary, or earlier in the same file
    std::size_t refused = 0; // rows the check refused
    // Said of the file as a whole, before the rows: the format found, columns not read...
    QStringList notes;
    // Why the import stopped, or never began (the file cannot be read at all, a write failed).
    // What was added before it stays added, and is counted.
    QString error;
    // An interrupted earlier write of the folder, dealt with before the first batch.
    datafiles::RecoveryResult recovered;

    bool finished() const { return error.isEmpty(); }
};

// Told of each refused row as it is met, in the file's order: its line number in the file
// (for a package, the note's number) and the check's message.
using RefusedRow = std::function<void(std::size_t line, const QString& message)>;

// Imports `source` into the data folder `folder` (a native path). `typed` names the data files
// in messages as the user typed the folder.
ImportReport importWords(const std::filesystem::path& source, const std::filesystem::path& folder,
                         const vocaboro::TypedPath& typed, const ImportOptions& options,
                         const RefusedRow& refused, const datafiles::FileAccess& access = {});

// "N added, M already there, K refused" in the user's language.
QString importSummary(const ImportReport& report);

} // namespace ripasso

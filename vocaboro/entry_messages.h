#pragma once
// The messages of the writes to the data files, shared by Vocaboro's entry panel, Ripasso's
// Words page and thai-kit: what failed, what was stored (nothing, or all), and what an
// interrupted earlier write or change became.

#include "datafiles/entry_editor.h"
#include "datafiles/entry_writer.h"

#include <QString>

#include <filesystem>
#include <functional>

namespace vocaboro {

// How a data file is named in a message: the folder as the user typed it, then its name.
using TypedPath = std::function<QString(const std::filesystem::path&)>;

// The command-line program. The programs with windows take another folder at their prompt;
// it takes one with --folder, and the messages say so.
inline const QString kCommandLineProgram = QStringLiteral("thai-kit");

// Why the append of a new entry failed; nothing is reported as stored that was not.
// `program` names the program that tells it, as in recoveryText (a program other than
// Vocaboro passes its own name).
QString writeFailureText(const datafiles::EntryWriteResult& result, const QString& forwardTyped,
                         const QString& reverseTyped, const TypedPath& typed,
                         const QString& program = QStringLiteral("Vocaboro"));

// Why the append of a batch of entries (an import) failed: what failed, in which file, and that
// nothing of the batch is stored, or, when a part of it could not be removed, that the next write
// removes it. `program` as in writeFailureText.
QString batchFailureText(const datafiles::BatchWriteResult& result, const TypedPath& typed,
                         const QString& program = QStringLiteral("Vocaboro"));

// What was found of an interrupted write, import or change and done about it; empty when there is
// nothing to tell. `atStart`: told when the program opens the folder rather than before a
// write. `program` names the program that tells it ("Vocaboro", "Ripasso", "thai-kit").
QString recoveryText(const datafiles::RecoveryResult& recovery, bool atStart,
                     const TypedPath& typed, const QString& program);

// Why a change or removal failed; nothing is reported as changed that was not.
QString changeFailureText(const datafiles::EntryEditResult& result, const TypedPath& typed);

} // namespace vocaboro

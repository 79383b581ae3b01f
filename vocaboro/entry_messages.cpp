#include "entry_messages.h"

#include "platform/error_text.h"
#include "platform/text.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include <cerrno>

namespace vocaboro {
namespace {

struct EntryText {
    Q_DECLARE_TR_FUNCTIONS(vocaboro::EntryText)
};

QString reasonOf(int error) {
    return platform::errorText(error);
}

QString entryName(const datafiles::RecoveryResult& r) {
    return QStringLiteral("\"%1\" = \"%2\"")
        .arg(platform::fromLatin(r.headword), platform::fromLatin(r.counterpart));
}

// A journal that the kit neither reads nor changes: only the user can move it away.
bool refusedJournal(int error) {
    return error == datafiles::kErrorSymbolicLink || error == datafiles::kErrorHardLink ||
           error == datafiles::kErrorNotRegularFile || error == EISDIR;
}

bool isJournal(const std::filesystem::path& file) {
    return file.filename() == datafiles::kJournalFileName;
}

bool permissionDenied(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

// The entry an interrupted write or change was about, as far as its journal tells.
QString entryOf(const datafiles::RecoveryResult& recovery) {
    return recovery.headword.empty() && recovery.counterpart.empty()
               ? EntryText::tr("an entry")
               : EntryText::tr("the entry %1").arg(entryName(recovery));
}

// The two files a journal named, or `otherwise` when it could not tell them.
QString journalFiles(const datafiles::RecoveryResult& recovery, const TypedPath& typed,
                     const QString& otherwise) {
    return recovery.forwardFile.empty() || recovery.reverseFile.empty()
               ? otherwise
               : EntryText::tr("\"%1\" and \"%2\"")
                     .arg(typed(recovery.forwardFile), typed(recovery.reverseFile));
}

// What an interrupted change became; empty when there is nothing to tell.
QString changeRecoveryText(const datafiles::RecoveryResult& recovery, bool atStart,
                           const TypedPath& typed, const QString& program) {
    const QString entry = entryOf(recovery);
    const QString failed = typed(recovery.errorFile);
    if (recovery.error == datafiles::kErrorChangedMeanwhile)
        return EntryText::tr(
                   "A change or removal of %1 was stopped before it was finished, and another "
                   "program has changed \"%2\" since. That file was left as it is: please check "
                   "that entry in it.")
            .arg(entry, failed);
    if (recovery.error == datafiles::kErrorJournalDamaged) {
        const QString files =
            journalFiles(recovery, typed, EntryText::tr("the data files changed last"));
        return EntryText::tr(
                   "A change or removal of %1 was stopped before it was finished, and its record "
                   "of that change, \"%2\", is damaged. Nothing was done, so the entry may be "
                   "changed in one data file only: please check it in %3. The damaged record "
                   "was kept as \"%4\".")
            .arg(entry, failed, files, typed(recovery.setAside));
    }
    if (!recovery.settled() && atStart && !isJournal(recovery.errorFile))
        return EntryText::tr(
                   "A change or removal of %2 was stopped before it was finished, and \"%3\" "
                   "could not be brought in line yet: %4. Until it is, the entry may differ "
                   "between the data files, and no word can be added, changed or removed in this "
                   "data folder. %1 tries again before each write and at the next start.")
            .arg(program, entry, failed, reasonOf(recovery.error));
    if (recovery.finished)
        return EntryText::tr(
                   "A change or removal of %2 was stopped before it was finished; %1 has now "
                   "completed it in every data file it concerns.")
            .arg(program, entry);
    if (recovery.undone)
        return EntryText::tr(
                   "A change or removal of %1 was stopped before it was finished. Nothing was "
                   "changed: the entry is as it was in both data files; make the change again "
                   "to keep it.")
            .arg(entry);
    return {};
}

// What an interrupted import of several entries became; empty when there is nothing to tell.
QString batchRecoveryText(const datafiles::RecoveryResult& recovery, bool atStart,
                          const TypedPath& typed, const QString& program) {
    const int entries = static_cast<int>(recovery.batchEntries);
    const QString failed = typed(recovery.errorFile);
    if (recovery.error == datafiles::kErrorChangedMeanwhile)
        return EntryText::tr(
                   "%1 stopped before it had finished an import of %n entries, and another "
                   "program has changed \"%2\" since. That file was left as it is: please check "
                   "its last lines. The entries of the import were removed from the other data "
                   "files.",
                   nullptr, entries)
            .arg(program, failed);
    if (recovery.error == datafiles::kErrorJournalDamaged) {
        QStringList names;
        for (const std::filesystem::path& file : recovery.batchFiles)
            names << QStringLiteral("\"%1\"").arg(typed(file));
        const QString files = names.isEmpty() ? EntryText::tr("the data files written last")
                                              : names.join(QStringLiteral(", "));
        return EntryText::tr(
                   "%1 stopped before it had finished an import of %n entries, and its record of "
                   "that import, \"%2\", is damaged. Nothing was removed, so some of those "
                   "entries may be in one data file only: please check the last lines of %3. The "
                   "damaged record was kept as \"%4\".",
                   nullptr, entries)
            .arg(program, failed, files, typed(recovery.setAside));
    }
    if (!recovery.settled() && atStart)
        return EntryText::tr(
                   "%1 stopped before it had finished an import of %n entries, and the part "
                   "already stored in \"%2\" could not be removed yet: %3. Until it is, those "
                   "entries may be in one data file only, and no word can be added to this data "
                   "folder. %1 tries again before each write and at the next start.",
                   nullptr, entries)
            .arg(program, failed, reasonOf(recovery.error));
    if (recovery.undone)
        return EntryText::tr(
                   "%1 stopped before it had finished an import of %n entries. The part already "
                   "stored has been removed, so none of them was kept: import them again to keep "
                   "them.",
                   nullptr, entries)
            .arg(program);
    return {};
}

// Where a program that cannot write the data folder keeps the user's words instead.
QString ownFolderHint(int error, const QString& program) {
    if (!permissionDenied(error))
        return {};
    if (program == kCommandLineProgram)
        return EntryText::tr(" To keep your own words, give %1 a folder of your own with --folder, "
                             "such as %2/thai/, with a copy of the data files in it.")
            .arg(program, QDir::homePath());
    return EntryText::tr(" To keep your own words, start %1 again and type a folder of your "
                         "own at the prompt, such as %2/thai/, with a copy of the data files in "
                         "it.")
        .arg(program, QDir::homePath());
}

} // namespace

QString writeFailureText(const datafiles::EntryWriteResult& result, const QString& forwardTyped,
                         const QString& reverseTyped, const TypedPath& typed,
                         const QString& program) {
    using P = datafiles::EntryWriteResult::Problem;
    using F = datafiles::EntryWriteResult::File;
    const QString file = result.file == F::Reverse ? reverseTyped : forwardTyped;
    const QString journal = typed(std::filesystem::path(datafiles::kJournalFileName));
    const QString fileKind =
        result.inJournal ? EntryText::tr("journal") : EntryText::tr("data file");
    const QString fileNamed = result.inJournal ? journal : file;
    QString text;
    if (result.problem == P::Fragment) {
        text = EntryText::tr("The data file \"%1\" ends with an incomplete record on line %2. "
                             "Nothing was stored; repair that line, then write again.")
                   .arg(file)
                   .arg(result.fragmentLine);
    } else if (result.problem == P::TooLong && result.fragmentLine == 0) {
        text = EntryText::tr("The entry is longer than a record of the data files can be "
                             "(4 MiB). Nothing was stored.");
    } else if (result.problem == P::TooLong) {
        text = EntryText::tr("The data file \"%1\" holds a record longer than 4 MiB on line %2. "
                             "Nothing was stored; repair that line, then write again.")
                   .arg(file)
                   .arg(result.fragmentLine);
    } else if (!result.recovered.settled()) {
        text = EntryText::tr("An earlier, unfinished write could not be undone in \"%1\": %2. "
                             "Nothing was stored; try again in a moment.")
                   .arg(typed(result.recovered.errorFile), reasonOf(result.recovered.error));
    } else if (result.inJournal && refusedJournal(result.error)) {
        text = EntryText::tr("\"%1\" cannot be %2's journal of unfinished writes: %3. "
                             "Nothing was stored. Move it away or remove it (it holds no "
                             "words), then write again.")
                   .arg(journal, program, reasonOf(result.error));
    } else if (result.problem == P::OpenFailed && result.error == EWOULDBLOCK) {
        text = EntryText::tr("The %1 \"%2\" is in use by another program. Nothing was "
                             "stored; try again in a moment.")
                   .arg(fileKind, fileNamed);
    } else if (result.problem == P::RollbackFailed) {
        const QString undoFile = result.undoFile == F::Reverse ? reverseTyped : forwardTyped;
        text = EntryText::tr("The %1 \"%2\" could not be written: %3. The part of the "
                             "entry already written to \"%4\" could not be removed (%5); "
                             "%6 will remove it the next time it opens this data folder.")
                   .arg(fileKind, fileNamed, reasonOf(result.error), undoFile,
                        reasonOf(result.undoError), program);
    } else {
        text = EntryText::tr("The %1 \"%2\" could not be written: %3. Nothing was stored.")
                   .arg(fileKind, fileNamed, reasonOf(result.error));
    }
    return text + ownFolderHint(result.error, program);
}

QString batchFailureText(const datafiles::BatchWriteResult& result, const TypedPath& typed,
                         const QString& program) {
    using P = datafiles::BatchWriteResult::Problem;
    const QString file = typed(result.file);
    const QString fileKind =
        result.inJournal ? EntryText::tr("journal") : EntryText::tr("data file");
    if (result.problem == P::None)
        return {};
    QString text;
    if (result.problem == P::Fragment) {
        text =
            EntryText::tr(
                "The data file \"%1\" ends with an incomplete record on line %2. "
                "None of the entries being written then was stored; repair that line, then import "
                "again.")
                .arg(file)
                .arg(result.fragmentLine);
    } else if (result.problem == P::TooLong && result.file.empty()) {
        text = EntryText::tr("The part of the import to be written at once is larger than one "
                             "write can take (2 MiB). Nothing of it was stored.");
    } else if (result.problem == P::TooLong && result.fragmentLine == 0) {
        text = EntryText::tr("An entry of the import is longer than a record of the data files "
                             "can be (4 MiB). None of the entries being written then was stored.");
    } else if (result.problem == P::TooLong) {
        text =
            EntryText::tr(
                "The data file \"%1\" holds a record longer than 4 MiB on line %2. "
                "None of the entries being written then was stored; repair that line, then import "
                "again.")
                .arg(file)
                .arg(result.fragmentLine);
    } else if (!result.recovered.settled()) {
        text = EntryText::tr(
                   "An earlier, unfinished write could not be undone in \"%1\": %2. "
                   "None of the entries being written then was stored; try again in a moment.")
                   .arg(typed(result.recovered.errorFile), reasonOf(result.recovered.error));
    } else if (result.inJournal && refusedJournal(result.error)) {
        text =
            EntryText::tr(
                "\"%1\" cannot be %2's journal of unfinished writes: %3. "
                "None of the entries being written then was stored. Move it away or remove it (it "
                "holds no words), then import again.")
                .arg(file, program, reasonOf(result.error));
    } else if (result.problem == P::OpenFailed && result.error == EWOULDBLOCK) {
        text = EntryText::tr("The %1 \"%2\" is in use by another program. None of the "
                             "entries being written then was stored; try again in a moment.")
                   .arg(fileKind, file);
    } else if (result.problem == P::OpenFailed) {
        text = EntryText::tr(
                   "The %1 \"%2\" could not be opened: %3. None of the entries being written "
                   "then was stored.")
                   .arg(fileKind, file, reasonOf(result.error));
    } else if (result.problem == P::RollbackFailed) {
        text = EntryText::tr("The %1 \"%2\" could not be written: %3. The part of the import "
                             "already written to \"%4\" could not be removed (%5); the next "
                             "write to this data folder removes it, or %6 when it opens the "
                             "folder again.")
                   .arg(fileKind, file, reasonOf(result.error), typed(result.undoFile),
                        reasonOf(result.undoError), program);
    } else {
        text = EntryText::tr(
                   "The %1 \"%2\" could not be written: %3. None of the entries being written "
                   "then was stored.")
                   .arg(fileKind, file, reasonOf(result.error));
    }
    return text + ownFolderHint(result.error, program);
}

QString recoveryText(const datafiles::RecoveryResult& recovery, bool atStart,
                     const TypedPath& typed, const QString& program) {
    const QString failed = typed(recovery.errorFile);
    // A journal that cannot be used is told alike whatever it was of.
    if (!recovery.settled() && atStart && isJournal(recovery.errorFile)) {
        if (refusedJournal(recovery.error))
            return EntryText::tr("\"%1\" is where %2 keeps the record of an unfinished "
                                 "write, but %3. %2 neither reads nor changes it, and "
                                 "cannot add words to this data folder while it is there: move "
                                 "it away or remove it (it holds no words), then start %2 "
                                 "again.")
                .arg(failed, program, reasonOf(recovery.error));
        return EntryText::tr("%1 cannot use \"%2\", its record of an unfinished "
                             "write: %3. Until it can, the last entry written may be in one "
                             "data file only, and no word can be added to this data folder. "
                             "%1 tries again before each write and at the next start.")
            .arg(program, failed, reasonOf(recovery.error));
    }
    if (recovery.change)
        return changeRecoveryText(recovery, atStart, typed, program);
    if (recovery.batchEntries > 0)
        return batchRecoveryText(recovery, atStart, typed, program);

    const QString entry = entryOf(recovery);
    if (recovery.error == datafiles::kErrorChangedMeanwhile)
        return EntryText::tr("%1 stopped before it had finished writing %2, and "
                             "another program has changed \"%3\" since. That file was left as "
                             "it is: please check its last line.")
            .arg(program, entry, failed);
    if (recovery.error == datafiles::kErrorJournalDamaged) {
        const QString files =
            journalFiles(recovery, typed, EntryText::tr("the data files written last"));
        return EntryText::tr("%1 stopped before it had finished writing %2, and its "
                             "record of that write, \"%3\", is damaged. Nothing was removed, so "
                             "the entry may be in one data file only: please check the last "
                             "lines of %4. The damaged record was kept as \"%5\".")
            .arg(program, entry, failed, files, typed(recovery.setAside));
    }
    if (!recovery.settled() && atStart)
        // Told at once: until it is dealt with, a half entry may be read and no word written.
        return EntryText::tr("%1 stopped before it had finished writing %2, and the "
                             "part already stored in \"%3\" could not be removed yet: %4. "
                             "Until it is, the entry may be in one data file only, and no "
                             "word can be added to this data folder. %1 tries again "
                             "before each write and at the next start.")
            .arg(program, entry, failed, reasonOf(recovery.error));
    if (recovery.undone)
        return EntryText::tr("%1 stopped before it had finished writing %2. The "
                             "part already stored has been removed, so the entry is in neither "
                             "data file: write it again to keep it.")
            .arg(program, entry);
    return {};
}

QString changeFailureText(const datafiles::EntryEditResult& result, const TypedPath& typed) {
    using P = datafiles::EntryEditResult::Problem;
    const QString file = typed(result.file);
    const QString kind =
        isJournal(result.file) ? EntryText::tr("journal") : EntryText::tr("data file");
    const QString reason = reasonOf(result.error);
    switch (result.problem) {
    case P::None:
        return {};
    case P::NotFound:
        if (result.file.empty())
            return EntryText::tr("No data file holds that entry. Nothing was changed.");
        return EntryText::tr(
                   "The data file \"%1\" does not hold that entry (any longer). Nothing was "
                   "changed.")
            .arg(file);
    case P::CounterpartMissing:
        if (result.file.empty())
            return EntryText::tr(
                "No data file holds a reverse record that goes with the entry: it is in "
                "one direction only. Nothing was changed.");
        return EntryText::tr(
                   "The data file \"%1\" holds no reverse record that goes with the entry: it "
                   "is in one direction only. Nothing was changed.")
            .arg(file);
    case P::CounterpartNotSingle:
        return EntryText::tr(
                   "The data file \"%1\" holds %2 reverse records that go with the entry, not "
                   "one for each time its forward file holds it. Nothing was changed.")
            .arg(file, QString::number(result.counterparts));
    case P::BadRecord:
        return EntryText::tr(
            "The changed entry cannot be written: a word has no data file for its first "
            "letter, a key word is empty, or a value holds a double quote or a line "
            "break. Nothing was changed.");
    case P::Fragment:
        return EntryText::tr(
                   "The data file \"%1\" ends with an incomplete record on line %2. Nothing was "
                   "changed; repair that line, then try again.")
            .arg(file, QString::number(result.fragmentLine));
    case P::TooLong:
        if (result.fragmentLine == 0)
            return EntryText::tr(
                "The changed entry is longer than a record of the data files can be "
                "(4 MiB). Nothing was changed.");
        return EntryText::tr(
                   "The data file \"%1\" holds a record longer than 4 MiB on line %2. Nothing "
                   "was changed; repair that line, then try again.")
            .arg(file, QString::number(result.fragmentLine));
    case P::OpenFailed:
        if (!result.recovered.settled())
            return EntryText::tr(
                       "An earlier, unfinished write or change could not be finished or undone "
                       "in \"%1\": %2. Nothing was changed; try again in a moment.")
                .arg(typed(result.recovered.errorFile), reasonOf(result.recovered.error));
        if (result.error == EWOULDBLOCK)
            return EntryText::tr(
                       "The %1 \"%2\" is in use by another program. Nothing was changed; try "
                       "again in a moment.")
                .arg(kind, file);
        if (isJournal(result.file) &&
            (result.error == EACCES || result.error == EPERM || result.error == EROFS))
            return EntryText::tr(
                       "The data folder cannot be written, so \"%1\", where a change is first "
                       "written down, could not be made: %2. Nothing was changed.")
                .arg(file, reason);
        if (isJournal(result.file) && refusedJournal(result.error))
            return EntryText::tr(
                       "\"%1\" cannot be the journal of unfinished writes: %2. Nothing was "
                       "changed. Move it away or remove it (it holds no words), then try again.")
                .arg(file, reason);
        if (result.error == datafiles::kErrorSymbolicLink ||
            result.error == datafiles::kErrorHardLink)
            return EntryText::tr(
                       "The data file \"%1\" is not changed in place: %2, and a change writes the "
                       "file anew under its name. Nothing was changed. Put a copy of the file "
                       "itself in its place, then try again.")
                .arg(file, reason);
        return EntryText::tr("The %1 \"%2\" could not be opened: %3. Nothing was changed.")
            .arg(kind, file, reason);
    case P::WriteFailed:
        if (!result.recovered.settled())
            return EntryText::tr(
                       "An earlier, unfinished write or change could not be finished or undone "
                       "in \"%1\": %2. Nothing was changed; try again in a moment.")
                .arg(typed(result.recovered.errorFile), reasonOf(result.recovered.error));
        return EntryText::tr("The %1 \"%2\" could not be written: %3. Nothing was changed.")
            .arg(kind, file, reason);
    case P::NotFinished:
        return EntryText::tr(
                   "The change is recorded, but \"%1\" could not be put in its place: %2. The "
                   "record of the change stays in \"%3\", and the next program of the kit that "
                   "writes to this data folder finishes it.")
            .arg(file, reason, typed(std::filesystem::path(datafiles::kJournalFileName)));
    }
    return {};
}

} // namespace vocaboro

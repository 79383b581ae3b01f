#include "entry_writer.h"

#include "locked_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace datafiles {
namespace {

using File = EntryWriteResult::File;
using Problem = EntryWriteResult::Problem;

EntryWriteResult failure(Problem problem, File file, int error) {
    EntryWriteResult r;
    r.problem = problem;
    r.file = file;
    r.error = error;
    return r;
}

} // namespace

FileResult appendLine(const fs::path& path, std::string_view line, const FileAccess& access) {
    LockedFile file(*access.ops);
    FileResult result;
    if ((result.error = file.open(path, access.lockTimeout, true)))
        return result;
    const RecordsEnd end = file.findEnd();
    if (end.error || end.fragment) {
        result.error = end.error ? end.error : end.tooLong ? kErrorRecordTooLong : EILSEQ;
        file.undo();
        return result;
    }
    if ((result.error = file.write(static_cast<off_t>(end.keep), end.prefix + std::string(line))))
        file.undo();
    return result;
}

EntryWriteResult appendEntry(const fs::path& forwardPath, const std::string& forwardLine,
                             const fs::path& reversePath, const std::string& reverseLine,
                             const FileAccess& access) {
    FileOps& ops = *access.ops;
    const fs::path folder = forwardPath.parent_path();
    // The journal can only speak of two letter files of its own folder.
    if (reversePath.parent_path() != folder || !isLetterFileName(forwardPath.filename().string()) ||
        !isLetterFileName(reversePath.filename().string()))
        return failure(Problem::OpenFailed, File::Forward, EINVAL);
    if (forwardLine.size() > kMaxRecordBytes || reverseLine.size() > kMaxRecordBytes)
        return failure(Problem::TooLong, File::Forward, 0);
    auto inJournal = [](EntryWriteResult r) {
        r.inJournal = true;
        return r;
    };
    Journal journal(ops, folder);
    RecoveryResult recovered;
    if (const int error = openJournal(journal, access.lockTimeout, recovered)) {
        EntryWriteResult r = failure(Problem::OpenFailed, File::Forward, error);
        if (!recovered.settled()) {
            r.inJournal = recovered.errorFile == journal.path();
        } else if (recovered.found) {
            r.inJournal = true; // no new journal after a damaged one was set aside
        } else {
            // A journal that could not be made tells of its folder, as the data files would.
            struct stat info {};
            r.inJournal = ops.lstat(journal.path().c_str(), &info) == 0;
        }
        r.recovered = std::move(recovered);
        return r;
    }

    // Forward files are always locked before reverse ones; with the journal locked first,
    // two writers never wait on each other in a circle.
    LockedFile forward(ops), reverse(ops);
    LockedFile* files[] = {&forward, &reverse};
    const fs::path* paths[] = {&forwardPath, &reversePath};
    const std::string* lines[] = {&forwardLine, &reverseLine};
    JournalEntry entry;
    JournalIntent* intents[] = {&entry.forward, &entry.reverse};
    auto giveUp = [&](EntryWriteResult r) {
        reverse.undo(); // only files this write created go
        forward.undo();
        journal.remove();
        r.recovered = std::move(recovered);
        return r;
    };
    for (int i = 0; i < 2; ++i) {
        const File which = i == 0 ? File::Forward : File::Reverse;
        if (const int error = files[i]->open(*paths[i], access.lockTimeout, true))
            return giveUp(failure(Problem::OpenFailed, which, error));
    }
    for (int i = 0; i < 2; ++i) {
        const File which = i == 0 ? File::Forward : File::Reverse;
        const RecordsEnd end = files[i]->findEnd();
        if (end.error)
            return giveUp(failure(Problem::OpenFailed, which, end.error));
        if (end.fragment) {
            EntryWriteResult r =
                failure(end.tooLong ? Problem::TooLong : Problem::Fragment, which, 0);
            r.fragmentLine = end.fragmentLine;
            return giveUp(std::move(r));
        }
        JournalIntent& intent = *intents[i];
        intent.name = paths[i]->filename().string();
        intent.originalSize = static_cast<std::uint64_t>(files[i]->size());
        intent.keep = end.keep;
        intent.created = files[i]->created();
        intent.bytes = end.prefix + *lines[i];
        if (intent.keep + intent.bytes.size() > kMaxDataFileBytes)
            return giveUp(failure(Problem::WriteFailed, which, EFBIG));
        if (const int error = files[i]->readBefore(intent.keep, kJournalBefore, intent.before))
            return giveUp(failure(Problem::OpenFailed, which, error));
    }
    if (const int error = journal.record(entry))
        return giveUp(inJournal(failure(Problem::WriteFailed, File::Forward, error)));
    if (forward.created() || reverse.created())
        syncFolder(ops, folder);

    // Writes in order; on a failure both files go back to where their new bytes began. The
    // entry counts as written once both lines are durable and the journal is emptied.
    auto rollBack = [&](EntryWriteResult r) {
        for (int k = 1; k >= 0; --k) { // a file not written yet only goes if it was created
            if (const int undoError = files[k]->undo()) {
                r.problem = Problem::RollbackFailed;
                r.undoFile = k == 0 ? File::Forward : File::Reverse;
                r.undoError = undoError;
            }
        }
        // With a line left behind, or a cut not surely on the disk, the journal stays: the
        // next write or start-up finishes the undo.
        if (r.problem != Problem::RollbackFailed && !forward.unsynced() && !reverse.unsynced())
            journal.remove();
        r.recovered = std::move(recovered);
        return r;
    };
    for (int i = 0; i < 2; ++i) {
        const File which = i == 0 ? File::Forward : File::Reverse;
        if (const int error =
                files[i]->write(static_cast<off_t>(intents[i]->keep), intents[i]->bytes))
            return rollBack(failure(Problem::WriteFailed, which, error));
    }
    if (const int error = journal.clear())
        return rollBack(inJournal(failure(Problem::WriteFailed, File::Forward, error)));
    journal.remove();
    forward.rememberWritten(entry.forward.bytes);
    reverse.rememberWritten(entry.reverse.bytes);
    EntryWriteResult written;
    written.recovered = std::move(recovered);
    return written;
}

} // namespace datafiles

namespace datafiles {

// A first form: each entry appended on its own, until the batch has its own journal.
BatchWriteResult appendEntries(const fs::path& folder, const std::vector<BatchEntry>& entries,
                               const FileAccess& access) {
    BatchWriteResult result;
    for (const BatchEntry& e : entries) {
        const EntryWriteResult one = appendEntry(folder / e.forwardName, e.forwardLine,
                                                 folder / e.reverseName, e.reverseLine, access);
        if (!one.ok()) {
            result.problem = one.problem;
            result.file = folder / (one.file == EntryWriteResult::File::Forward ? e.forwardName
                                                                                : e.reverseName);
            result.inJournal = one.inJournal;
            result.error = one.error;
            result.fragmentLine = one.fragmentLine;
            result.recovered = one.recovered;
            return result;
        }
    }
    return result;
}

} // namespace datafiles

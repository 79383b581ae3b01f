#include "entry_writer.h"

#include "locked_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <tuple>
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

// Opens the journal for a write, dealing first with what an earlier write left in it; 0, or
// why not and whether the failure is the journal's own rather than its folder's.
int takeJournal(FileOps& ops, Journal& journal, std::chrono::milliseconds timeout,
                RecoveryResult& recovered, bool& inJournal) {
    const int error = openJournal(journal, timeout, recovered);
    if (error == 0)
        return 0;
    if (!recovered.settled()) {
        inJournal = recovered.errorFile == journal.path();
    } else if (recovered.found) {
        inJournal = true; // no new journal after a damaged one was set aside
    } else {
        // A journal that could not be made tells of its folder, as the data files would.
        struct stat info {};
        inJournal = ops.lstat(journal.path().c_str(), &info) == 0;
    }
    return error;
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
    bool journalFailed = false;
    if (const int error = takeJournal(ops, journal, access.lockTimeout, recovered, journalFailed)) {
        EntryWriteResult r = failure(Problem::OpenFailed, File::Forward, error);
        r.inJournal = journalFailed;
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

namespace {

// The lines a batch appends to one file, in the batch's order.
struct BatchFile {
    std::string key; // the name in capitals: the order of locking
    std::string name;
    std::string lines;
};

BatchWriteResult batchFailure(Problem problem, fs::path file, int error) {
    BatchWriteResult r;
    r.problem = problem;
    r.file = std::move(file);
    r.error = error;
    return r;
}

std::string capitals(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Every file of the batch with its lines, forward files first, each group in name order; or
// what makes the batch impossible, found before anything is touched.
BatchWriteResult groupByFile(const fs::path& folder, const std::vector<BatchEntry>& entries,
                             std::vector<BatchFile>& files) {
    std::size_t total = 0;
    for (const BatchEntry& entry : entries) {
        for (const auto& [name, line, kind] :
             {std::tuple{&entry.forwardName, &entry.forwardLine, "LEXFWD"},
              std::tuple{&entry.reverseName, &entry.reverseLine, "LEXREV"}}) {
            const std::string key = capitals(*name);
            if (!isLetterFileName(*name) || !key.starts_with(kind) || line->empty())
                return batchFailure(Problem::OpenFailed, folder / *name, EINVAL);
            if (line->size() > kMaxRecordBytes)
                return batchFailure(Problem::TooLong, folder / *name, 0);
            total += line->size();
            auto it = std::find_if(files.begin(), files.end(),
                                   [&](const BatchFile& f) { return f.key == key; });
            if (it == files.end()) {
                files.push_back({key, *name, {}});
                it = files.end() - 1;
            } else if (it->name != *name) {
                // One file under two spellings: which one is meant is not for the writer to guess.
                return batchFailure(Problem::OpenFailed, folder / *name, EINVAL);
            }
            it->lines += *line;
        }
    }
    if (total > kMaxBatchBytes)
        return batchFailure(Problem::TooLong, {}, EFBIG);
    // "LEXFWD_" sorts before "LEXREV_": forward files first.
    std::sort(files.begin(), files.end(),
              [](const BatchFile& a, const BatchFile& b) { return a.key < b.key; });
    return {};
}

} // namespace

BatchWriteResult appendEntries(const fs::path& folder, const std::vector<BatchEntry>& entries,
                               const FileAccess& access) {
    if (entries.empty())
        return {};
    std::vector<BatchFile> targets;
    if (BatchWriteResult refused = groupByFile(folder, entries, targets); !refused.ok())
        return refused;

    FileOps& ops = *access.ops;
    Journal journal(ops, folder);
    RecoveryResult recovered;
    bool journalFailed = false;
    if (const int error = takeJournal(ops, journal, access.lockTimeout, recovered, journalFailed)) {
        BatchWriteResult r =
            batchFailure(Problem::OpenFailed, folder / targets.front().name, error);
        if ((r.inJournal = journalFailed))
            r.file = journal.path();
        r.recovered = std::move(recovered);
        return r;
    }
    auto inJournal = [&](BatchWriteResult r) {
        r.inJournal = true;
        r.file = journal.path();
        return r;
    };

    // Locked in the order of `targets`: with the journal locked first, two writers never wait
    // on each other in a circle.
    std::vector<std::unique_ptr<LockedFile>> files;
    JournalBatch batch;
    batch.entries = entries.size();
    auto giveUp = [&](BatchWriteResult r) {
        for (auto it = files.rbegin(); it != files.rend(); ++it)
            (*it)->undo(); // only files this write created go
        journal.remove();
        r.recovered = std::move(recovered);
        return r;
    };
    for (const BatchFile& target : targets) {
        files.push_back(std::make_unique<LockedFile>(ops));
        if (const int error = files.back()->open(folder / target.name, access.lockTimeout, true))
            return giveUp(batchFailure(Problem::OpenFailed, folder / target.name, error));
    }
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const fs::path path = folder / targets[i].name;
        LockedFile& file = *files[i];
        const RecordsEnd end = file.findEnd();
        if (end.error)
            return giveUp(batchFailure(Problem::OpenFailed, path, end.error));
        if (end.fragment) {
            BatchWriteResult r =
                batchFailure(end.tooLong ? Problem::TooLong : Problem::Fragment, path, 0);
            r.fragmentLine = end.fragmentLine;
            return giveUp(std::move(r));
        }
        JournalIntent& intent = batch.files.emplace_back();
        intent.name = targets[i].name;
        intent.originalSize = static_cast<std::uint64_t>(file.size());
        intent.keep = end.keep;
        intent.created = file.created();
        intent.bytes = end.prefix + targets[i].lines;
        if (intent.keep + intent.bytes.size() > kMaxDataFileBytes)
            return giveUp(batchFailure(Problem::WriteFailed, path, EFBIG));
        if (const int error = file.readBefore(intent.keep, kJournalBefore, intent.before))
            return giveUp(batchFailure(Problem::OpenFailed, path, error));
    }
    if (const int error = journal.record(batch))
        return giveUp(inJournal(batchFailure(Problem::WriteFailed, {}, error)));
    if (std::any_of(files.begin(), files.end(), [](const auto& f) { return f->created(); }))
        syncFolder(ops, folder);

    // As for one entry: every file goes back to where its new bytes began on a failure, and
    // the batch counts as written once every file's lines are durable and the journal emptied.
    auto rollBack = [&](BatchWriteResult r) {
        bool unsynced = false;
        for (std::size_t k = files.size(); k-- > 0;) {
            if (const int undoError = files[k]->undo()) {
                r.problem = Problem::RollbackFailed;
                r.undoFile = folder / targets[k].name;
                r.undoError = undoError;
            }
            unsynced = unsynced || files[k]->unsynced();
        }
        // With lines left behind, or a cut not surely on the disk, the journal stays: the next
        // write or start-up finishes the undo.
        if (r.problem != Problem::RollbackFailed && !unsynced)
            journal.remove();
        r.recovered = std::move(recovered);
        return r;
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        const JournalIntent& intent = batch.files[i];
        if (const int error = files[i]->write(static_cast<off_t>(intent.keep), intent.bytes))
            return rollBack(batchFailure(Problem::WriteFailed, folder / targets[i].name, error));
    }
    if (const int error = journal.clear())
        return rollBack(inJournal(batchFailure(Problem::WriteFailed, {}, error)));
    journal.remove();
    for (std::size_t i = 0; i < files.size(); ++i)
        files[i]->rememberWritten(batch.files[i].bytes);
    BatchWriteResult written;
    written.recovered = std::move(recovered);
    return written;
}

} // namespace datafiles

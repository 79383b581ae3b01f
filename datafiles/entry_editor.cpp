#include "entry_editor.h"

#include "entry_writer.h"
#include "file_naming.h"
#include "locked_file.h"
#include "path_mapping.h"
#include "record_reader.h"
#include "record_writer.h"
#include "records_end.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace datafiles {
namespace {

using Problem = EntryEditResult::Problem;

// One file the change touches: locked from the start to the end, its bytes before, and after
// as pieces of those bytes and of the new lines (a large file is never copied in memory).
struct TouchedFile {
    std::string name; // its name in the folder
    fs::path path;
    std::unique_ptr<LockedFile> file;
    bool exists = false;
    FileBytes before;
    std::vector<std::string_view> after;
    std::string appended; // what goes after the last record, when the entry moves here
    bool changed = false;

    std::string_view old() const { return before.view(); }
    std::uint64_t newSize() const {
        std::uint64_t size = 0;
        for (const std::string_view piece : after)
            size += piece.size();
        return size;
    }
    std::uint64_t newSum() const {
        ContentSum sum;
        for (const std::string_view piece : after)
            sum.add(piece);
        return sum.value();
    }
};

// Where a record lies in a file's bytes: from its first byte to the first byte after its line
// end (or whatever ended its seventh field).
struct Span {
    std::size_t from = 0, to = 0;
};

struct Found {
    std::vector<Span> spans;
    ReadStatus stop = ReadStatus::Record; // why the reading ended early, if it did
    std::size_t stopLine = 0;
};

// Every record of `bytes` equal to `wanted`, in file order. A broken record ends the search:
// the bytes after it are no records the reader would show.
Found findRecords(std::string_view bytes, const DictionaryRecord& wanted) {
    Found found;
    RecordReader reader(bytes);
    RecordView record;
    while (!reader.atEnd()) {
        const std::size_t from = reader.offset();
        const ReadStatus status = reader.next(record);
        if (status != ReadStatus::Record) {
            found.stop = status;
            found.stopLine = reader.line();
            break;
        }
        bool equal = true;
        for (int i = 0; i < DictionaryRecord::kFieldCount && equal; ++i)
            equal = record.fields[static_cast<std::size_t>(i)] == wanted.field(i);
        if (equal)
            found.spans.push_back({from, reader.offset()});
    }
    return found;
}

bool holdsOnlyLegalBytes(const DictionaryRecord& record) {
    for (int i = 0; i < DictionaryRecord::kFieldCount; ++i) {
        const std::string& field = record.field(i);
        if (field.empty() || field.find_first_of("\"\r\n") != std::string::npos)
            return false;
    }
    return true;
}

EntryEditResult failure(Problem problem, fs::path file = {}, int error = 0) {
    EntryEditResult r;
    r.problem = problem;
    r.file = std::move(file);
    r.error = error;
    return r;
}

// Writes the pieces to a new file at `path`, with the mode of the file it replaces, and syncs it.
int writeNewFile(FileOps& ops, const fs::path& path, const std::vector<std::string_view>& pieces,
                 mode_t mode) {
    ops.unlink(path.c_str()); // left by a change that never started to be sealed
    const int fd =
        ops.open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0)
        return errnoOr(EIO);
    int error = 0;
    for (std::string_view bytes : pieces) {
        while (!bytes.empty() && error == 0) {
            const ssize_t done = ops.write(fd, bytes.data(), bytes.size());
            if (done < 0 && errno == EINTR)
                continue;
            if (done <= 0)
                error = done < 0 ? errnoOr(EIO) : EIO;
            else
                bytes.remove_prefix(static_cast<std::size_t>(done));
        }
    }
    if (error == 0 && ops.fsync(fd) != 0)
        error = errnoOr(EIO);
    ops.close(fd);
    return error;
}

} // namespace

EntryEditResult changeEntry(const fs::path& folder, const EntryChange& change,
                            const FileAccess& access) {
    FileOps& ops = *access.ops;
    const DictionaryRecord& old = change.forward;
    const std::optional<std::string> forwardFrom = forwardFileForLookup(old.headword);
    const std::optional<std::string> reverseFrom = reverseFile(old.counterpart);
    if (!forwardFrom)
        return failure(Problem::NotFound);
    std::optional<std::string> forwardTo, reverseTo;
    std::string newForwardLine, newReverseLine;
    if (change.replacement) {
        const DictionaryRecord& next = *change.replacement;
        forwardTo = forwardFileForWriting(next.headword);
        reverseTo = reverseFile(next.counterpart);
        if (!forwardTo || !reverseTo || !holdsOnlyLegalBytes(next))
            return failure(Problem::BadRecord);
        newForwardLine = formatRecordLine(next);
        newReverseLine = formatRecordLine(reverseOf(next));
        if (newForwardLine.size() > kMaxRecordBytes)
            return failure(Problem::TooLong);
    }

    Journal journal(ops, folder);
    RecoveryResult recovered;
    if (const int error = openJournal(journal, access.lockTimeout, recovered)) {
        EntryEditResult r = failure(
            Problem::OpenFailed, recovered.settled() ? journal.path() : recovered.errorFile, error);
        r.recovered = std::move(recovered);
        return r;
    }
    auto withRecovery = [&recovered](EntryEditResult r) {
        r.recovered = std::move(recovered);
        return r;
    };
    // Refused before anything was written: the journal, still empty, goes.
    auto refuse = [&](EntryEditResult r) {
        journal.remove();
        return withRecovery(std::move(r));
    };

    // The files, forward ones before reverse ones and each pair by name, so that two changes
    // never wait on each other in a circle (the journal's lock orders them anyway).
    std::vector<TouchedFile> files;
    files.reserve(4); // never moved: the pieces of the new bytes point into them
    auto touch = [&](const std::string& capitalName) -> std::size_t {
        for (std::size_t i = 0; i < files.size(); ++i)
            if (equalsIgnoringAsciiCase(files[i].name, capitalName))
                return i;
        TouchedFile file;
        const std::string found = findCaseInsensitive(folder, capitalName);
        file.name = found.empty() ? capitalName : found;
        file.path = folder / file.name;
        files.push_back(std::move(file));
        return files.size() - 1;
    };
    std::vector<std::string> names = {*forwardFrom};
    if (forwardTo)
        names.push_back(*forwardTo);
    if (reverseFrom)
        names.push_back(*reverseFrom);
    if (reverseTo)
        names.push_back(*reverseTo);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        touch(name);
    for (TouchedFile& file : files) {
        file.file = std::make_unique<LockedFile>(ops);
        const int error = file.file->open(file.path, access.lockTimeout, false);
        if (error == ENOENT)
            continue;
        if (error)
            return refuse(failure(Problem::OpenFailed, file.path, error));
        // The new bytes take the name's place: a link would be replaced by a file of its own,
        // and a file with other names would keep its old bytes under them.
        struct stat named {
        }, held{};
        if (ops.lstat(file.path.c_str(), &named) == 0 && S_ISLNK(named.st_mode))
            return refuse(failure(Problem::OpenFailed, file.path, kErrorSymbolicLink));
        if (ops.fstat(file.file->descriptor(), &held) == 0 && held.st_nlink > 1)
            return refuse(failure(Problem::OpenFailed, file.path, kErrorHardLink));
        file.exists = true;
        const auto size = static_cast<std::size_t>(file.file->size());
        try {
            file.before.reserve(size);
        } catch (const std::bad_alloc&) {
            return refuse(failure(Problem::WriteFailed, file.path, ENOMEM));
        }
        file.before.setSize(size);
        if (const int readError =
                readExactly(ops, file.file->descriptor(), file.before.reserve(size), size, 0))
            return refuse(failure(Problem::WriteFailed, file.path, readError));
        if (beginsWithUtf8Mark(file.old()))
            return refuse(failure(Problem::OpenFailed, file.path, kErrorSavedAsUtf8));
    }
    TouchedFile& forwardOld = files[touch(*forwardFrom)];
    EntryEditResult result;
    result.forwardFrom = forwardOld.path;

    // The forward record, then its reverse record.
    const Found forwardFound = findRecords(forwardOld.old(), old);
    if (forwardFound.spans.size() <= change.occurrence) {
        if (forwardFound.stop == ReadStatus::TooLong) {
            EntryEditResult r = failure(Problem::TooLong, forwardOld.path);
            r.fragmentLine = forwardFound.stopLine;
            return refuse(std::move(r));
        }
        return refuse(failure(Problem::NotFound, forwardOld.path));
    }
    const Span forwardSpan = forwardFound.spans[change.occurrence];
    std::optional<Span> reverseSpan;
    TouchedFile* reverseOld = reverseFrom ? &files[touch(*reverseFrom)] : nullptr;
    if (reverseOld) {
        const Found reverseFound = findRecords(reverseOld->old(), reverseOf(old));
        result.counterparts = reverseFound.spans.size();
        if (reverseFound.spans.size() == forwardFound.spans.size())
            reverseSpan = reverseFound.spans[change.occurrence];
    }
    if (!reverseSpan && !change.forwardAlone) {
        EntryEditResult r = failure(result.counterparts == 0 ? Problem::CounterpartMissing
                                                             : Problem::CounterpartNotSingle,
                                    reverseOld ? reverseOld->path : fs::path());
        r.counterparts = result.counterparts;
        r.forwardFrom = result.forwardFrom;
        r.reverseFrom = reverseOld ? reverseOld->path : fs::path();
        return refuse(std::move(r));
    }
    if (reverseSpan)
        result.reverseFrom = reverseOld->path;

    // The new bytes: the record goes from its place; the new one takes that place in the same
    // file, or goes after the last record of another.
    auto place = [&](TouchedFile& from, Span span, const std::optional<std::string>& toName,
                     const std::string& line, fs::path& toPath) -> EntryEditResult {
        TouchedFile* to = toName ? &files[touch(*toName)] : nullptr;
        const std::string_view was = from.old();
        if (to == &from) {
            from.after = {was.substr(0, span.from), line, was.substr(span.to)};
        } else {
            from.after = {was.substr(0, span.from), was.substr(span.to)};
            if (to) {
                const std::string_view there = to->old();
                const RecordsEnd end = findRecordsEnd(there, there.size() + 1);
                if (end.error)
                    return failure(Problem::WriteFailed, to->path, end.error);
                if (end.fragment) {
                    EntryEditResult r =
                        failure(end.tooLong ? Problem::TooLong : Problem::Fragment, to->path);
                    r.fragmentLine = end.fragmentLine;
                    return r;
                }
                to->appended = end.prefix + line;
                to->after = {there.substr(0, static_cast<std::size_t>(end.keep)), to->appended};
                to->changed = true;
            }
        }
        from.changed = true;
        if (to)
            toPath = to->path;
        return {};
    };
    if (EntryEditResult r =
            place(forwardOld, forwardSpan, forwardTo, newForwardLine, result.forwardTo);
        !r.ok())
        return refuse(std::move(r));
    if (reverseSpan) {
        if (EntryEditResult r =
                place(*reverseOld, *reverseSpan, reverseTo, newReverseLine, result.reverseTo);
            !r.ok())
            return refuse(std::move(r));
    } else {
        result.reverseTo.clear();
    }
    for (const TouchedFile& file : files)
        if (file.changed && file.newSize() > kMaxDataFileBytes)
            return refuse(failure(Problem::WriteFailed, file.path, EFBIG));

    // The journal first, unsealed; then the new files beside the old; then the seal.
    JournalChange intent;
    intent.forwardLine = formatRecordLine(old);
    for (const TouchedFile& file : files) {
        if (!file.changed)
            continue;
        JournalReplacement replaced;
        replaced.name = file.name;
        replaced.existed = file.exists;
        replaced.oldSize = file.before.size();
        replaced.oldSum = contentChecksum(file.old());
        replaced.newSize = file.newSize();
        replaced.newSum = file.newSum();
        intent.files.push_back(std::move(replaced));
    }
    const std::string text = journalText(intent);
    auto newPath = [&folder](const TouchedFile& file) {
        return folder / (file.name + kNewFileSuffix);
    };
    auto giveUp = [&](EntryEditResult r) {
        for (const TouchedFile& file : files)
            if (file.changed)
                ops.unlink(newPath(file).c_str());
        journal.remove();
        return withRecovery(std::move(r));
    };
    if (const int error = journal.begin(text))
        return giveUp(failure(Problem::WriteFailed, journal.path(), error));
    for (const TouchedFile& file : files) {
        if (!file.changed)
            continue;
        struct stat info {};
        const mode_t mode = file.exists && ops.stat(file.path.c_str(), &info) == 0
                                ? static_cast<mode_t>(info.st_mode & 07777)
                                : 0644;
        if (const int error = writeNewFile(ops, newPath(file), file.after, mode))
            return giveUp(failure(Problem::WriteFailed, file.path, error));
    }
    syncFolder(ops, folder);
    if (const int error = journal.seal(text))
        return giveUp(failure(Problem::WriteFailed, journal.path(), error));

    // Sealed: from here on the change is made, now or by the next program that writes.
    for (const TouchedFile& file : files) {
        if (file.changed && ops.replace(newPath(file).c_str(), file.path.c_str()) != 0)
            return withRecovery(failure(Problem::NotFinished, file.path, errnoOr(EIO)));
    }
    syncFolder(ops, folder);
    // The journal goes without being emptied first: should it come back after a power cut,
    // every file already holds its new bytes, and the next writer finds nothing to do.
    journal.remove();
    result.recovered = std::move(recovered);
    return result;
}

} // namespace datafiles

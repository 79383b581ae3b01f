#include "entry_writer.h"

#include "record_reader.h"

#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace datafiles {
namespace {

// One data file opened for appending and locked for the time of the write.
class AppendTarget {
public:
    ~AppendTarget() {
        if (fd_ >= 0)
            ::close(fd_); // closing releases the lock
    }

    int open(const std::filesystem::path& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0)
            return errno;
        while (::flock(fd_, LOCK_EX) != 0)
            if (errno != EINTR)
                return errno;
        struct stat info {};
        if (::fstat(fd_, &info) != 0)
            return errno;
        if (S_ISDIR(info.st_mode))
            return EISDIR;
        size_ = info.st_size;
        return 0;
    }

    // Looks at the end of the file: empty or ending in a line end needs nothing; a whole
    // record without its line end needs CR LF first; a fragment cannot take a new record.
    bool inspectTail(std::string& prefix, std::size_t& fragmentLine, int& error) {
        prefix.clear();
        if (size_ == 0)
            return true;
        char last = 0;
        if (::pread(fd_, &last, 1, size_ - 1) != 1) {
            error = errno ? errno : EIO;
            return false;
        }
        if (last == '\n' || last == '\r')
            return true;
        std::string bytes(static_cast<std::size_t>(size_), '\0');
        std::size_t filled = 0;
        while (filled < bytes.size()) {
            const ssize_t got = ::pread(fd_, bytes.data() + filled, bytes.size() - filled,
                                        static_cast<off_t>(filled));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                error = got < 0 ? errno : EIO;
                return false;
            }
            filled += static_cast<std::size_t>(got);
        }
        const ReadAllResult read = readAllRecords(bytes);
        if (read.truncated) {
            fragmentLine = read.truncatedLine;
            return false;
        }
        prefix = "\r\n";
        return true;
    }

    int append(std::string_view bytes) {
        ssize_t written;
        do {
            written = ::write(fd_, bytes.data(), bytes.size());
        } while (written < 0 && errno == EINTR);
        if (written != static_cast<ssize_t>(bytes.size())) {
            const int error = written < 0 ? errno : EIO;
            if (written > 0)
                cutBack();
            return error;
        }
        if (::fdatasync(fd_) != 0) {
            const int error = errno;
            cutBack();
            return error;
        }
        return 0;
    }

    // Back to the size the file had when it was opened.
    int cutBack() {
        if (::ftruncate(fd_, size_) != 0 || ::fdatasync(fd_) != 0)
            return errno;
        return 0;
    }

private:
    int fd_ = -1;
    off_t size_ = 0;
};

EntryWriteResult problem(EntryWriteResult::Problem p, bool reverse, int error = 0) {
    EntryWriteResult r;
    r.problem = p;
    r.reverseFile = reverse;
    r.error = error;
    return r;
}

} // namespace

FileResult appendLine(const std::filesystem::path& path, std::string_view line) {
    AppendTarget target;
    FileResult result;
    result.error = target.open(path);
    if (result.error == 0)
        result.error = target.append(line);
    return result;
}

EntryWriteResult appendEntry(const std::filesystem::path& forwardPath,
                             const std::string& forwardLine,
                             const std::filesystem::path& reversePath,
                             const std::string& reverseLine) {
    using P = EntryWriteResult::Problem;
    // Forward files are always locked before reverse ones, so two writers never wait on
    // each other in a circle.
    AppendTarget forward, reverse;
    if (const int e = forward.open(forwardPath))
        return problem(P::OpenFailed, false, e);
    if (const int e = reverse.open(reversePath))
        return problem(P::OpenFailed, true, e);

    std::string forwardPrefix, reversePrefix;
    for (bool isReverse : {false, true}) {
        AppendTarget& target = isReverse ? reverse : forward;
        std::size_t line = 0;
        int error = 0;
        if (!target.inspectTail(isReverse ? reversePrefix : forwardPrefix, line, error)) {
            EntryWriteResult r = problem(error ? P::WriteFailed : P::Fragment, isReverse, error);
            r.fragmentLine = line;
            return r;
        }
    }

    if (const int e = forward.append(forwardPrefix + forwardLine))
        return problem(P::WriteFailed, false, e);
    if (const int e = reverse.append(reversePrefix + reverseLine)) {
        if (const int undo = forward.cutBack())
            return problem(P::RollbackFailed, true, undo);
        return problem(P::WriteFailed, true, e);
    }
    return {};
}

} // namespace datafiles

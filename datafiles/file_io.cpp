#include "file_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace datafiles {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports the error of close itself.
    int close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0 ? 0 : errno;
    }

private:
    int fd_;
};

} // namespace

ReadFileResult readWholeFile(const std::filesystem::path& path) {
    ReadFileResult result;
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        result.error = errno;
        return result;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        result.error = errno;
        return result;
    }
    if (S_ISDIR(info.st_mode)) {
        result.error = EISDIR;
        return result;
    }
    // One read for the size the file has; keep reading in case it grew meanwhile.
    std::size_t capacity = info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : 4096;
    result.bytes.resize(capacity);
    std::size_t filled = 0;
    for (;;) {
        if (filled == result.bytes.size())
            result.bytes.resize(result.bytes.size() * 2);
        const ssize_t got = ::read(fd.get(), result.bytes.data() + filled, result.bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            result.error = errno;
            result.bytes.clear();
            return result;
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    result.bytes.resize(filled);
    return result;
}

FileResult appendLine(const std::filesystem::path& path, std::string_view line) {
    FileResult result;
    Fd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
    if (fd.get() < 0) {
        result.error = errno;
        return result;
    }
    struct stat before {};
    if (::fstat(fd.get(), &before) != 0) {
        result.error = errno;
        return result;
    }
    if (S_ISDIR(before.st_mode)) {
        result.error = EISDIR;
        return result;
    }
    ssize_t written;
    do {
        written = ::write(fd.get(), line.data(), line.size());
    } while (written < 0 && errno == EINTR);
    if (written != static_cast<ssize_t>(line.size())) {
        result.error = written < 0 ? errno : EIO;
        // Leave no torn fragment behind: cut back to the size before this write.
        if (written > 0 && ::ftruncate(fd.get(), before.st_size) != 0) {
            // Nothing more can be done; the error above is what the user sees.
        }
        return result;
    }
    if (::fdatasync(fd.get()) != 0) {
        result.error = errno;
        return result;
    }
    result.error = fd.close();
    return result;
}

std::string describeError(int error) {
    switch (error) {
    case 0: return "no error";
    case ENOENT: return "the file or a folder of its path does not exist";
    case ENOTDIR: return "a part of the path is a file, not a folder";
    case EISDIR: return "it is a folder, not a file";
    case EACCES:
    case EPERM: return "permission denied";
    case ENOSPC: return "the disk is full";
    case EFBIG: return "the file is too large";
    case EROFS: return "the disk is read-only";
    case EIO: return "input/output error";
    }
    return std::strerror(error);
}

} // namespace datafiles

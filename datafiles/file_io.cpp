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
        const ssize_t got =
            ::read(fd.get(), result.bytes.data() + filled, result.bytes.size() - filled);
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

std::string describeError(int error) {
    switch (error) {
    case 0:
        return "no error";
    case ENOENT:
        return "the file or a folder of its path does not exist";
    case ENOTDIR:
        return "a part of the path is a file, not a folder";
    case EISDIR:
        return "it is a folder, not a file";
    case EACCES:
    case EPERM:
        return "permission denied";
    case ENOSPC:
        return "the disk is full";
    case EFBIG:
        return "the file is too large";
    case EROFS:
        return "the disk is read-only";
    case EIO:
        return "input/output error";
    }
    return std::strerror(error);
}

} // namespace datafiles

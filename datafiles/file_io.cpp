#include "file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace datafiles {

int FileOps::open(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}
int FileOps::close(int fd) {
    return ::close(fd);
}
ssize_t FileOps::read(int fd, void* buffer, std::size_t size) {
    return ::read(fd, buffer, size);
}
ssize_t FileOps::pread(int fd, void* buffer, std::size_t size, off_t offset) {
    return ::pread(fd, buffer, size, offset);
}
ssize_t FileOps::write(int fd, const void* buffer, std::size_t size) {
    return ::write(fd, buffer, size);
}
ssize_t FileOps::pwrite(int fd, const void* buffer, std::size_t size, off_t offset) {
    return ::pwrite(fd, buffer, size, offset);
}
int FileOps::fstat(int fd, struct stat* info) {
    return ::fstat(fd, info);
}
int FileOps::stat(const char* path, struct stat* info) {
    return ::stat(path, info);
}
int FileOps::ftruncate(int fd, off_t size) {
    return ::ftruncate(fd, size);
}
int FileOps::fdatasync(int fd) {
    return ::fdatasync(fd);
}
int FileOps::fsync(int fd) {
    return ::fsync(fd);
}
int FileOps::flock(int fd, int operation) {
    return ::flock(fd, operation);
}
int FileOps::unlink(const char* path) {
    return ::unlink(path);
}

FileOps& systemFileOps() {
    static FileOps ops;
    return ops;
}

int lockWithin(FileOps& ops, int fd, int operation, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    // Short naps first: most locks are held for the few milliseconds of one write.
    std::chrono::milliseconds nap(1);
    for (;;) {
        if (ops.flock(fd, operation | LOCK_NB) == 0)
            return 0;
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK)
            return error;
        if (std::chrono::steady_clock::now() >= deadline)
            return EWOULDBLOCK;
        std::this_thread::sleep_for(nap);
        nap = std::min(nap * 2, std::chrono::milliseconds(16));
    }
}

namespace {

class Fd {
public:
    Fd(FileOps& ops, int fd) : ops_(ops), fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ops_.close(fd_); // closing releases the lock
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    FileOps& ops_;
    int fd_;
};

} // namespace

ReadFileResult readWholeFile(const std::filesystem::path& path, const FileAccess& access) {
    FileOps& ops = *access.ops;
    ReadFileResult result;
    // Without blocking: opening a pipe for reading would wait for a writer forever.
    Fd fd(ops, ops.open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0));
    if (fd.get() < 0) {
        result.error = errno;
        return result;
    }
    struct stat info {};
    if (ops.fstat(fd.get(), &info) != 0) {
        result.error = errno;
        return result;
    }
    if (S_ISDIR(info.st_mode)) {
        result.error = EISDIR;
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.error = kErrorNotRegularFile;
        return result;
    }
    if (static_cast<std::uint64_t>(info.st_size) > kMaxDataFileBytes) {
        result.error = EFBIG;
        return result;
    }
    if (const int error = lockWithin(ops, fd.get(), LOCK_SH, access.lockTimeout)) {
        result.error = error;
        return result;
    }
    // The size may have changed before the lock was ours: read to the end, but never more
    // than the kit can hold.
    std::size_t capacity = static_cast<std::size_t>(info.st_size) + 1;
    result.bytes.resize(capacity);
    std::size_t filled = 0;
    for (;;) {
        if (filled == result.bytes.size()) {
            if (result.bytes.size() > kMaxDataFileBytes) {
                result.error = EFBIG;
                result.bytes.clear();
                return result;
            }
            result.bytes.resize(result.bytes.size() * 2);
        }
        const ssize_t got =
            ops.read(fd.get(), result.bytes.data() + filled, result.bytes.size() - filled);
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
    case kErrorNotRegularFile:
        return "it is not an ordinary file (a device, a pipe or a socket)";
    case kErrorChangedMeanwhile:
        return "another program changed it meanwhile";
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
    case EDQUOT:
        return "the disk quota is used up";
    case EFBIG:
        return "the file is too large";
    case EROFS:
        return "the disk is read-only";
    case EIO:
        return "input/output error";
    case EWOULDBLOCK:
        return "it is in use by another program";
    }
    return std::strerror(error);
}

} // namespace datafiles

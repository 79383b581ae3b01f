#include "file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <new>
#include <sys/file.h>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>
#include <utility>

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
int FileOps::lstat(const char* path, struct stat* info) {
    return ::lstat(path, info);
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
int FileOps::rename(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    // A file system without the flag: the moment between the test and the rename is short.
    struct stat info {};
    if (::lstat(to, &info) == 0) {
        errno = EEXIST;
        return -1;
    }
    return std::rename(from, to);
}

int FileOps::replace(const char* from, const char* to) {
    return std::rename(from, to);
}

FileOps& systemFileOps() {
    static FileOps ops;
    return ops;
}

int readExactly(FileOps& ops, int fd, char* out, std::size_t size, std::uint64_t offset) {
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got =
            ops.pread(fd, out + filled, size - filled, static_cast<off_t>(offset + filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got < 0 ? errnoOr(EIO) : EIO;
        filled += static_cast<std::size_t>(got);
    }
    return 0;
}

void syncFolder(FileOps& ops, const std::filesystem::path& folder) {
    const int fd =
        ops.open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0)
        return;
    ops.fsync(fd);
    ops.close(fd);
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

int openForReading(const std::filesystem::path& path, const FileAccess& access, int& fd,
                   std::uint64_t& size) {
    FileOps& ops = *access.ops;
    // Without blocking: opening a pipe for reading would wait for a writer forever.
    fd = ops.open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
    if (fd < 0)
        return errno;
    struct stat info {};
    if (ops.fstat(fd, &info) != 0)
        return errno;
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    if (!S_ISREG(info.st_mode))
        return kErrorNotRegularFile;
    size = static_cast<std::uint64_t>(info.st_size);
    return size > kMaxDataFileBytes ? EFBIG : 0;
}

bool beginsWithUtf8Mark(std::string_view bytes) {
    return bytes.starts_with("\xEF\xBB\xBF");
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

// Reads the whole file into `buffer`, whose `grow(n)` makes room for n bytes, keeping those
// held, and returns where they begin; the number of bytes read goes to `filled`. 0 or the
// reason of the failure.
// With `onRead`, the file is read a piece at a time and `onRead` is told the bytes read so
// far after each piece, while they are still in the processor's cache.
constexpr std::size_t kPieceBytes = std::size_t(256) << 10;

template <typename Buffer>
int readWholeInto(const std::filesystem::path& path, const FileAccess& access, Buffer& buffer,
                  std::size_t& filled, const std::function<void(std::string_view)>& onRead = {}) {
    FileOps& ops = *access.ops;
    filled = 0;
    std::uint64_t fileSize = 0;
    int opened = -1;
    const int refused = openForReading(path, access, opened, fileSize);
    Fd fd(ops, opened);
    if (refused != 0)
        return refused;
    if (const int error = lockWithin(ops, fd.get(), LOCK_SH, access.lockTimeout))
        return error;
    // The size may have changed before the lock was ours: read to the end, but never more
    // than the kit can hold.
    std::size_t capacity = static_cast<std::size_t>(fileSize) + 1;
    // Without the memory for it, the file is not read: a message, not the program's end.
    auto grow = [&](std::size_t size) -> char* {
        try {
            return buffer.grow(size);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    };
    char* data = grow(capacity);
    if (!data)
        return ENOMEM;
    for (;;) {
        if (filled == capacity) {
            if (capacity > kMaxDataFileBytes)
                return EFBIG;
            capacity *= 2;
            data = grow(capacity);
            if (!data)
                return ENOMEM;
        }
        const std::size_t want =
            onRead ? std::min(capacity - filled, kPieceBytes) : capacity - filled;
        buffer.prepare(filled, filled + want);
        const ssize_t got = ops.read(fd.get(), data + filled, want);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (got == 0)
            return beginsWithUtf8Mark({data, filled}) ? kErrorSavedAsUtf8 : 0;
        filled += static_cast<std::size_t>(got);
        if (onRead)
            onRead({data, filled});
    }
}

} // namespace

ReadFileResult readWholeFile(const std::filesystem::path& path, const FileAccess& access) {
    struct Grow {
        std::string& bytes;
        char* grow(std::size_t size) {
            bytes.resize(size);
            return bytes.data();
        }
        void prepare(std::size_t, std::size_t) {}
    };
    ReadFileResult result;
    Grow buffer{result.bytes};
    std::size_t filled = 0;
    result.error = readWholeInto(path, access, buffer, filled);
    if (result.error != 0)
        result.bytes.clear();
    else
        result.bytes.resize(filled);
    return result;
}

namespace {

// Buffers from this size on are mapped by themselves, so that freeing one gives its memory
// back at once instead of leaving it to the heap.
constexpr std::size_t kMappedBytes = std::size_t(1) << 20;
// From this size on a mapping asks for huge pages (2 MiB each, where the system gives them
// on request): a whole dictionary then takes a few dozen page faults instead of eleven
// thousand, which halves the time of reading it into fresh memory.
constexpr std::size_t kHugePageBytes = std::size_t(2) << 20;
constexpr std::size_t kPageBytes = 4096;

std::size_t pageBelow(std::size_t offset) {
    return offset & ~(kPageBytes - 1);
}

void adviseHugePages(char* data, std::size_t capacity) {
#if defined(MADV_HUGEPAGE)
    if (capacity >= kHugePageBytes)
        ::madvise(data, capacity, MADV_HUGEPAGE); // only advice: without it, ordinary pages
#else
    (void)data;
    (void)capacity;
#endif
}

} // namespace

FileBytes::FileBytes(FileBytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)), mapped_(std::exchange(other.mapped_, false)) {}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept {
    if (this != &other) {
        clear();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        mapped_ = std::exchange(other.mapped_, false);
    }
    return *this;
}

FileBytes::~FileBytes() {
    clear();
}

FileBytes FileBytes::copyOf(std::string_view bytes) {
    FileBytes copy;
    if (!bytes.empty())
        std::memcpy(copy.reserve(bytes.size()), bytes.data(), bytes.size());
    copy.setSize(bytes.size());
    return copy;
}

void FileBytes::clear() {
    if (mapped_)
        ::munmap(data_, capacity_);
    else
        delete[] data_;
    data_ = nullptr;
    size_ = 0;
    capacity_ = 0;
    mapped_ = false;
}

namespace {

// A mapping of `bytes`. From 2 MiB on it starts at a multiple of 2 MiB and asks for huge
// pages, so that the system can give them from its first byte; nullptr without memory.
char* mapMemory(std::size_t bytes) {
    const std::size_t padding = bytes >= kHugePageBytes ? kHugePageBytes : 0;
    void* memory = ::mmap(nullptr, bytes + padding, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        return nullptr;
    auto* start = static_cast<char*>(memory);
    if (padding > 0) {
        const auto address = reinterpret_cast<std::uintptr_t>(start);
        const std::size_t head = ((address + padding - 1) & ~(padding - 1)) - address;
        if (head > 0)
            ::munmap(start, head);
        if (padding - head > 0)
            ::munmap(start + head + bytes, padding - head);
        start += head;
        adviseHugePages(start, bytes);
    }
    return start;
}

} // namespace

char* FileBytes::reserve(std::size_t capacity) {
    if (capacity <= capacity_)
        return data_;
    if (mapped_) {
        // The pages move along instead of being copied: in place when the room after them is
        // free, else to a new place that starts as a fresh mapping would (moved anywhere else,
        // huge pages would be broken up).
        void* memory = ::mremap(data_, capacity_, capacity, 0);
        if (memory == MAP_FAILED) {
            char* place = mapMemory(capacity);
            if (!place)
                throw std::bad_alloc();
            memory = ::mremap(data_, capacity_, capacity, MREMAP_MAYMOVE | MREMAP_FIXED, place);
            if (memory == MAP_FAILED) {
                ::munmap(place, capacity);
                throw std::bad_alloc();
            }
        }
        data_ = static_cast<char*>(memory);
        capacity_ = capacity;
        adviseHugePages(data_, capacity_);
        return data_;
    }
    char* fresh = nullptr;
    const bool mapped = capacity >= kMappedBytes;
    if (mapped) {
        fresh = mapMemory(capacity);
        if (!fresh)
            throw std::bad_alloc();
    } else {
        fresh = new char[capacity]; // left uncleared: the file is read over it
    }
    if (size_ > 0)
        std::memcpy(fresh, data_, size_);
    const std::size_t size = size_;
    clear();
    data_ = fresh;
    size_ = size;
    capacity_ = capacity;
    mapped_ = mapped;
    return data_;
}

void FileBytes::prepare(std::size_t from, std::size_t to) {
#if defined(MADV_POPULATE_WRITE)
    // The pages are made in one call rather than one fault at a time while a file is read
    // into them; a system without the call makes them at the faults.
    to = std::min(to, capacity_);
    if (mapped_ && from < to)
        ::madvise(data_ + pageBelow(from), to - pageBelow(from), MADV_POPULATE_WRITE);
#else
    (void)from;
    (void)to;
#endif
}

void FileBytes::releaseUnused() {
    const std::size_t kept = pageBelow(size_ + kPageBytes - 1);
    if (!mapped_ || kept >= capacity_)
        return;
#if defined(MADV_FREE)
    // Lazily: the system takes the pages when it needs memory, and until then bytes read
    // there later go into pages that are already made.
    if (::madvise(data_ + kept, capacity_ - kept, MADV_FREE) == 0)
        return;
#endif
    ::madvise(data_ + kept, capacity_ - kept, MADV_DONTNEED);
}

int appendWholeFile(const std::filesystem::path& path, const FileAccess& access, FileBytes& into,
                    const std::function<void(std::string_view)>& onRead) {
    // Bytes read so far count as held, so that growing keeps them. A buffer that grows
    // takes half as much again, so that the files of a whole load seldom move it.
    struct Grow {
        FileBytes& bytes;
        std::size_t base;
        std::size_t& filled;
        char* grow(std::size_t size) {
            bytes.setSize(base + filled);
            const std::size_t needed = base + size;
            if (needed > bytes.capacity() && base > 0) {
                try {
                    bytes.reserve(std::max(needed, bytes.capacity() + bytes.capacity() / 2));
                } catch (const std::bad_alloc&) {
                }
            }
            return bytes.reserve(needed) + base;
        }
        void prepare(std::size_t from, std::size_t to) { bytes.prepare(base + from, base + to); }
    };
    const std::size_t base = into.size();
    std::size_t filled = 0;
    Grow buffer{into, base, filled};
    const int error = readWholeInto(path, access, buffer, filled, onRead);
    into.setSize(error != 0 ? base : base + filled);
    return error;
}

ReadBytesResult readWholeFileBytes(const std::filesystem::path& path, const FileAccess& access) {
    ReadBytesResult result;
    result.error = appendWholeFile(path, access, result.bytes);
    if (result.error != 0)
        result.bytes.clear();
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
    case kErrorSymbolicLink:
        return "it is a symbolic link";
    case kErrorHardLink:
        return "it is a hard link: the same file has another name too";
    case kErrorJournalDamaged:
        return "it is damaged";
    case kErrorSavedAsUtf8:
        return "it was saved as UTF-8 (it begins with a byte-order mark), and the dictionary "
               "files keep one byte a letter: code page 1252, and TIS-620 for the Thai script";
    case kErrorRecordTooLong:
        return "it holds a record longer than 4 MiB";
    case ELOOP:
        return "it is a symbolic link";
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
    case ENOMEM:
        return "there is not enough memory to read it";
    }
    return std::strerror(error);
}

} // namespace datafiles

#pragma once
// The file operations the readers and the writer use, behind a seam that tests replace
// with a failing fake, and reading a whole data file in one call.
//
// Readers and the writer share one locking rule: a reader holds a shared flock while it
// reads a file, the writer an exclusive one while it changes it, and neither waits longer
// than `FileAccess::lockTimeout` for another program to let go.

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

namespace datafiles {

// The system calls, one virtual function each, so that a test can fail any of them. Each
// behaves like the call of the same name: -1 and errno on failure.
class FileOps {
public:
    virtual ~FileOps() = default;
    virtual int open(const char* path, int flags, mode_t mode);
    virtual int close(int fd);
    virtual ssize_t read(int fd, void* buffer, std::size_t size);
    virtual ssize_t pread(int fd, void* buffer, std::size_t size, off_t offset);
    virtual ssize_t write(int fd, const void* buffer, std::size_t size);
    virtual ssize_t pwrite(int fd, const void* buffer, std::size_t size, off_t offset);
    virtual int fstat(int fd, struct stat* info);
    virtual int stat(const char* path, struct stat* info);
    virtual int lstat(const char* path, struct stat* info);
    virtual int ftruncate(int fd, off_t size);
    virtual int fdatasync(int fd);
    virtual int fsync(int fd);
    virtual int flock(int fd, int operation);
    virtual int unlink(const char* path);
    // Renames without replacing: EEXIST when `to` is there.
    virtual int rename(const char* from, const char* to);
    // Renames over `to`, as rename(2) does: one step, the old file or the new.
    virtual int replace(const char* from, const char* to);
};

// The real calls.
FileOps& systemFileOps();

inline constexpr std::chrono::milliseconds kDefaultLockTimeout{3000};

// How the kit reaches its files: which operations, and how long it waits for a lock that
// another program holds.
struct FileAccess {
    FileOps* ops = &systemFileOps();
    std::chrono::milliseconds lockTimeout = kDefaultLockTimeout;
};

// The largest data file the kit reads: Chartola's loads hold whole files in memory.
inline constexpr std::uint64_t kMaxDataFileBytes = std::uint64_t(1) << 30;

// The longest record the kit reads or writes, from its first byte to its line end. A real
// record takes under a hundred bytes, and the entry panel's longest a few hundred
// kilobytes; anything longer is a damaged file (a crash can leave megabytes of zero bytes),
// which is reported with its line instead of being held whole.
inline constexpr std::size_t kMaxRecordBytes = std::size_t(4) << 20;

// Reasons of the kit's own, beside errno values.
inline constexpr int kErrorNotRegularFile = -1;   // a device, a pipe or a socket
inline constexpr int kErrorChangedMeanwhile = -2; // another program changed the file
inline constexpr int kErrorSymbolicLink = -3;     // a link, where the kit follows none
inline constexpr int kErrorHardLink = -4;         // a file with other names beside this one
inline constexpr int kErrorJournalDamaged = -5;   // a journal that does not check
inline constexpr int kErrorSavedAsUtf8 = -6;      // begins with UTF-8's byte-order mark
inline constexpr int kErrorRecordTooLong = -7;    // a record longer than kMaxRecordBytes

struct FileResult {
    int error = 0; // errno value or one of the kit's reasons above; 0 on success
    bool ok() const { return error == 0; }
};

struct ReadFileResult : FileResult {
    std::string bytes;
};

// The whole file, read under a shared lock. Only regular files are read: a folder fails
// with EISDIR, a pipe or a device with kErrorNotRegularFile, without waiting on them; a
// file larger than kMaxDataFileBytes fails with EFBIG, one that begins with UTF-8's
// byte-order mark with kErrorSavedAsUtf8; a lock held longer than the time-out fails with
// EWOULDBLOCK.
ReadFileResult readWholeFile(const std::filesystem::path& path, const FileAccess& access = {});

// The bytes of whole files in memory of their own, for a reader that keeps many files at
// once. Unlike a std::string's, the memory is not cleared before a file is read into it,
// and a large buffer is mapped from the system by itself (in huge pages where the system
// gives them), grows without copying and is given back whole when freed: the whole
// dictionary is 45 MB per direction, and clearing it first took a third of the time of
// reading it. Emptied with setSize(0), it keeps its pages for the next files.
class FileBytes {
public:
    FileBytes() = default;
    FileBytes(FileBytes&& other) noexcept;
    FileBytes& operator=(FileBytes&& other) noexcept;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes();
    static FileBytes copyOf(std::string_view bytes);

    std::string_view view() const { return {data_, size_}; }
    std::size_t size() const { return size_; }

    // Room for `capacity` bytes, keeping those held; throws std::bad_alloc without memory.
    char* reserve(std::size_t capacity);
    std::size_t capacity() const { return capacity_; }
    void setSize(std::size_t size) { size_ = size; } // at most the capacity
    // Makes the pages of [from, to) at once, for bytes about to be read there.
    void prepare(std::size_t from, std::size_t to);
    // Gives the system the pages after the bytes held, keeping the room for them: lazily,
    // where the system can (it takes them when it needs memory; until then, bytes read there
    // later go into pages already made), else at once.
    void releaseUnused();
    void clear();

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    bool mapped_ = false;
};

struct ReadBytesResult : FileResult {
    FileBytes bytes;
};

// The same reading as readWholeFile, into a FileBytes.
ReadBytesResult readWholeFileBytes(const std::filesystem::path& path,
                                   const FileAccess& access = {});
// The same reading, after the bytes that `into` holds, which stay where they are (the buffer
// may move); on a failure `into` holds them alone again. 0 or the reason. With `onRead`, the
// file is read a piece at a time, and `onRead` is given the file's bytes read so far after
// each piece, while they are still in the processor's cache.
int appendWholeFile(const std::filesystem::path& path, const FileAccess& access, FileBytes& into,
                    const std::function<void(std::string_view)>& onRead = {});

// Opens a data file for reading by the readers' rules: only a regular file (a folder gives
// EISDIR, a pipe or a device kErrorNotRegularFile, without waiting on them), at most
// kMaxDataFileBytes (EFBIG). The reader checks its first bytes with beginsWithUtf8Mark. 0 or the
// reason; `fd` is the descriptor to close whenever it is not negative, and `size` the file's size
// when it was opened.
int openForReading(const std::filesystem::path& path, const FileAccess& access, int& fd,
                   std::uint64_t& size);

// Whether bytes begin with UTF-8's byte-order mark: a file saved as UTF-8 by an editor,
// whose accented letters and Thai script are no longer the kit's single bytes.
bool beginsWithUtf8Mark(std::string_view bytes);

// Every byte of [offset, offset + size), or an errno value (EIO when the file ends first).
int readExactly(FileOps& ops, int fd, char* out, std::size_t size, std::uint64_t offset);

// Makes a new, renamed or removed entry of `folder` durable. Some file systems cannot sync a
// folder; what the entry names is synced regardless, so a failure here is nobody's.
void syncFolder(FileOps& ops, const std::filesystem::path& folder);

// errno, or `fallback` when a call failed without setting it.
inline int errnoOr(int fallback) {
    return errno ? errno : fallback;
}

// Waits up to `timeout` for a flock (LOCK_SH or LOCK_EX); 0 or an errno value.
int lockWithin(FileOps& ops, int fd, int operation, std::chrono::milliseconds timeout);

// A short English reason for an errno value or a reason of the kit's, for the message boxes.
std::string describeError(int error);

} // namespace datafiles

#pragma once
// A data file opened for a change and held under an exclusive lock until it is closed: the
// writer's append and its undo, and the journal's undo of an interrupted write.

#include "file_io.h"
#include "records_end.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace datafiles {

class LockedFile {
public:
    explicit LockedFile(FileOps& ops) : ops_(ops) {}
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    // Opens the file and locks it, creating it when `create` is set and it is missing. Only a
    // regular file of at most kMaxDataFileBytes; 0 or the reason.
    int open(const std::filesystem::path& path, std::chrono::milliseconds timeout, bool create);

    // Every byte of [offset, offset + out.size()).
    int readAt(std::uint64_t offset, std::string& out);
    // Up to `most` bytes just before `offset`.
    int readBefore(std::uint64_t offset, std::size_t most, std::string& out);
    // Where the records end: known without reading when this process read or wrote the
    // file as it is now.
    RecordsEnd findEnd();
    // After a whole write(): where the records end now, as this process knows from the bytes
    // it wrote after a record's end, for as long as the file stays as write() left it.
    void rememberWritten(std::string_view written);

    // Removes what follows `keep`, then writes `bytes` at the end and syncs them.
    int write(off_t keep, std::string_view bytes);
    // Cuts the file to `size` and syncs; 0 or why not.
    int cutTo(off_t size);
    // Back to where the new bytes of write() began; a file this write created goes again. 0,
    // or why the new bytes could not be removed. A failed sync after the cut leaves
    // `unsynced`.
    int undo();
    // Removes the file from its folder.
    int remove();

    bool created() const { return created_; }
    int descriptor() const { return fd_; }
    bool unsynced() const { return unsynced_; }
    off_t size() const { return size_; }
    const std::filesystem::path& path() const { return path_; }

private:
    int removeIfCreated();
    bool endStillHolds(const RecordsEnd& known);

    FileOps& ops_;
    std::filesystem::path path_;
    int fd_ = -1;
    off_t size_ = 0;
    FileStamp stamp_;
    std::optional<FileStamp> writtenStamp_; // right after write() put its bytes down
    off_t keep_ = 0;
    bool touched_ = false;
    bool created_ = false;
    bool unsynced_ = false;
};

} // namespace datafiles

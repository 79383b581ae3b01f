#pragma once
// File operations that fail on purpose: the n-th call of one kind on a file whose path
// contains a given text fails with a given errno, a write can be cut short first, and a
// call can "crash" the writer (an exception that skips every roll-back, as kill -9 would).

#include "datafiles/file_io.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <optional>
#include <string>
#include <vector>

class FailingFileOps : public datafiles::FileOps {
public:
    enum class Call {
        Open,
        Write,
        Pwrite,
        Fstat,
        Ftruncate,
        Fdatasync,
        Flock,
        Unlink,
        Fsync,
        Replace
    };

    struct Fault {
        Call call;
        std::string pathPart; // the call is on a file whose path contains this
        int nth = 1;          // the first matching call is 1
        int error = EIO;
        std::size_t writeFirst = 0; // a write puts this many bytes down before it fails
    };
    struct Crash {}; // thrown instead of returning: the writer stops dead

    void fail(const Fault& fault) { faults_.push_back({fault, 0}); }
    // The `nth` call of any kind stops the writer; a write puts half its bytes down first.
    void crashAtCall(int nth) { crashAt_ = nth; }
    int calls() const { return calls_; }

    int open(const char* path, int flags, mode_t mode) override {
        if (const auto f = fault(Call::Open, path))
            return failWith(f->error);
        const int fd = FileOps::open(path, flags, mode);
        if (fd >= 0)
            paths_[fd] = path;
        return fd;
    }
    int close(int fd) override {
        paths_.erase(fd);
        return FileOps::close(fd);
    }
    ssize_t write(int fd, const void* buffer, std::size_t size) override {
        if (const auto f = fault(Call::Write, pathOf(fd), size)) {
            if (f->writeFirst > 0)
                return FileOps::write(fd, buffer, std::min(f->writeFirst, size));
            return failWith(f->error);
        }
        return FileOps::write(fd, buffer, size);
    }
    ssize_t pwrite(int fd, const void* buffer, std::size_t size, off_t offset) override {
        if (const auto f = fault(Call::Pwrite, pathOf(fd)))
            return failWith(f->error);
        return FileOps::pwrite(fd, buffer, size, offset);
    }
    int fstat(int fd, struct stat* info) override {
        if (const auto f = fault(Call::Fstat, pathOf(fd)))
            return failWith(f->error);
        return FileOps::fstat(fd, info);
    }
    int ftruncate(int fd, off_t size) override {
        if (const auto f = fault(Call::Ftruncate, pathOf(fd)))
            return failWith(f->error);
        return FileOps::ftruncate(fd, size);
    }
    int fdatasync(int fd) override {
        if (const auto f = fault(Call::Fdatasync, pathOf(fd)))
            return failWith(f->error);
        return FileOps::fdatasync(fd);
    }
    int flock(int fd, int operation) override {
        if (const auto f = fault(Call::Flock, pathOf(fd)))
            return failWith(f->error);
        return FileOps::flock(fd, operation);
    }
    int fsync(int fd) override {
        if (const auto f = fault(Call::Fsync, pathOf(fd)))
            return failWith(f->error);
        return FileOps::fsync(fd);
    }
    int replace(const char* from, const char* to) override {
        if (const auto f = fault(Call::Replace, to))
            return failWith(f->error);
        return FileOps::replace(from, to);
    }
    int unlink(const char* path) override {
        if (const auto f = fault(Call::Unlink, path))
            return failWith(f->error);
        return FileOps::unlink(path);
    }

private:
    struct Armed {
        Fault fault;
        int seen;
    };

    std::string pathOf(int fd) const {
        const auto it = paths_.find(fd);
        return it == paths_.end() ? std::string() : it->second;
    }
    static int failWith(int error) {
        errno = error;
        return -1;
    }
    // The fault that this call meets, if any. A short write arms the same fault again for
    // the rest, so that the next write fails with its errno.
    std::optional<Fault> fault(Call call, const std::string& path, std::size_t size = 0) {
        if (++calls_ == crashAt_) {
            if (call == Call::Write && size > 1 && !halfWritten_) {
                halfWritten_ = true;
                crashAt_ = calls_ + 1; // the half written, then the end
                return Fault{call, path, 1, EIO, size / 2};
            }
            throw Crash{};
        }
        for (auto it = faults_.begin(); it != faults_.end(); ++it) {
            Armed& armed = *it;
            if (armed.fault.call != call || path.find(armed.fault.pathPart) == std::string::npos)
                continue;
            if (++armed.seen != armed.fault.nth)
                continue;
            Fault hit = armed.fault;
            if (hit.writeFirst > 0) {
                armed.fault.writeFirst = 0; // the next write on that file fails outright
                armed.fault.nth = armed.seen + 1;
            } else {
                faults_.erase(it);
            }
            return hit;
        }
        return std::nullopt;
    }

    std::vector<Armed> faults_;
    std::map<int, std::string> paths_;
    int calls_ = 0;
    int crashAt_ = -1;
    bool halfWritten_ = false;
};

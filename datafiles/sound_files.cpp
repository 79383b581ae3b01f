#include "sound_files.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace datafiles {

SoundField soundField(std::string_view field, std::string_view* name) {
    if (field.empty() || field == "$" || field == "-" || field == "@")
        return SoundField::None;
    if (field.size() > 255 || field == "." || field == "..")
        return SoundField::Refused;
    if (field.size() >= 2 && field[1] == ':' &&
        ((field[0] >= 'A' && field[0] <= 'Z') || (field[0] >= 'a' && field[0] <= 'z')))
        return SoundField::Refused;
    for (const char c : field)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20)
            return SoundField::Refused;
    if (name)
        *name = field;
    return SoundField::Name;
}

namespace {

SoundFileCheck kindAndSize(const struct stat& st) {
    if (!S_ISREG(st.st_mode))
        return SoundFileCheck::NotRegular;
    if (static_cast<std::uint64_t>(st.st_size) > kLargestSoundFile)
        return SoundFileCheck::TooLarge;
    return SoundFileCheck::Good;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

SoundFileCheck checkSoundFile(const std::filesystem::path& path) {
    // What the name leads to is known before it is opened: a FIFO or a device is never
    // opened, so nothing waits on a writer or a line.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? SoundFileCheck::Missing
                                                   : SoundFileCheck::Unreadable;
    if (const SoundFileCheck kind = kindAndSize(st); kind != SoundFileCheck::Good)
        return kind;

    // Non-blocking all the same, and checked again on what was opened: the name may lead
    // elsewhere by now.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return errno == ENOENT ? SoundFileCheck::Missing : SoundFileCheck::Unreadable;
    if (::fstat(fd.get(), &st) != 0)
        return SoundFileCheck::Unreadable;
    if (const SoundFileCheck kind = kindAndSize(st); kind != SoundFileCheck::Good)
        return kind;

    char head[12];
    std::size_t got = 0;
    while (got < sizeof head) {
        const ssize_t n = ::read(fd.get(), head + got, sizeof head - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return SoundFileCheck::Unreadable;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (got < sizeof head || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "WAVE", 4) != 0)
        return SoundFileCheck::NotWave;
    return SoundFileCheck::Good;
}

} // namespace datafiles

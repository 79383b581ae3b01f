#include "recordings.h"

#include "platform/text.h"

#include <QString>
#include <QtEndian>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace ripasso {
namespace {

void put32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void put16(QByteArray& out, quint16 value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

int syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

int writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += n;
    }
    return 0;
}

} // namespace

QByteArray waveFile(const QByteArray& pcm, int sampleRate) {
    QByteArray out;
    out.reserve(44 + pcm.size());
    const auto size = static_cast<quint32>(pcm.size());
    out.append("RIFF", 4);
    put32(out, 36 + size);
    out.append("WAVEfmt ", 8);
    put32(out, 16);                                   // the format chunk's size
    put16(out, 1);                                    // PCM
    put16(out, 1);                                    // one channel
    put32(out, static_cast<quint32>(sampleRate));     // samples a second
    put32(out, static_cast<quint32>(sampleRate) * 2); // bytes a second
    put16(out, 2);                                    // bytes a sample
    put16(out, 16);                                   // bits a sample
    out.append("data", 4);
    put32(out, size);
    out.append(pcm);
    return out;
}

std::string recordingName(std::string_view pronunciation, const std::filesystem::path& folder) {
    // Accents off: the letters decomposed, their marks dropped.
    const QString folded =
        platform::fromLatin(pronunciation).normalized(QString::NormalizationForm_KD);
    std::string stem;
    for (const QChar c : folded) {
        const char16_t u = c.toLower().unicode();
        if ((u >= 'a' && u <= 'z') || (u >= '0' && u <= '9'))
            stem += static_cast<char>(u);
        else if (c.category() != QChar::Mark_NonSpacing && !stem.empty() && stem.back() != '_')
            stem += '_';
    }
    while (!stem.empty() && stem.back() == '_')
        stem.pop_back();
    if (stem.empty())
        stem = "word";
    const std::string base = kRecordingPrefix + stem;
    std::error_code error;
    for (int n = 1;; ++n) {
        const std::string name = base + (n == 1 ? std::string() : '_' + std::to_string(n)) + ".wav";
        if (!std::filesystem::exists(folder / name, error) &&
            !std::filesystem::is_symlink(folder / name, error))
            return name;
    }
}

bool isOwnRecording(std::string_view name) {
    constexpr std::string_view prefix = kRecordingPrefix, suffix = ".wav";
    if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) ||
        !name.ends_with(suffix))
        return false;
    for (const char c : name.substr(prefix.size(), name.size() - prefix.size() - suffix.size()))
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    return true;
}

int saveRecording(const std::filesystem::path& folder, const std::string& name,
                  const QByteArray& bytes) {
    const std::filesystem::path temporary = folder / (kRecordingTemporaryPrefix + name);
    const std::filesystem::path target = folder / name;
    ::unlink(temporary.c_str());
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
        return errno;
    int error = writeAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    // Never over a file that took the name meanwhile.
    bool placed = false;
    if (error == 0) {
        if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) ==
            0)
            placed = true;
        else if (errno != EINVAL && errno != ENOSYS)
            error = errno;
        else if (::access(target.c_str(), F_OK) == 0 || errno != ENOENT)
            error = EEXIST; // a folder that knows no such rename: checked, then renamed
        else if (::rename(temporary.c_str(), target.c_str()) == 0)
            placed = true;
        else
            error = errno;
    }
    if (!placed)
        ::unlink(temporary.c_str());
    if (error == 0)
        error = syncFolder(folder);
    if (error != 0 && placed)
        ::unlink(target.c_str()); // never a file the record could not name
    return error;
}

void removeTemporaryRecordings(const std::filesystem::path& folder) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with(kRecordingTemporaryPrefix))
            std::filesystem::remove(it->path(), error);
    }
}

} // namespace ripasso

#include "export_files.h"

#include "datafiles/file_naming.h"
#include "platform/error_text.h"
#include "thaitext/codec.h"

#include <QCoreApplication>

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ripasso {

// The texts keep the context "ripasso::ExportText" of the text export's, where they were first
// written.
namespace exporting {

namespace {

ByteTable makeTable(char16_t (*decode)(unsigned char)) {
    ByteTable table{};
    for (int b = 0; b < 256; ++b) {
        const char16_t c = decode(static_cast<unsigned char>(b));
        Utf8& u = table[static_cast<std::size_t>(b)];
        if (c < 0x80) {
            u = {{static_cast<char>(c)}, 1};
        } else if (c < 0x800) {
            u = {{static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))}, 2};
        } else {
            u = {{static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                  static_cast<char>(0x80 | (c & 0x3F))},
                 3};
        }
    }
    // The bytes below 128 are ASCII in both code sets.
    table['&'] = {{'&', 'a', 'm', 'p', ';'}, 5};
    table['<'] = {{'&', 'l', 't', ';'}, 4};
    table['>'] = {{'&', 'g', 't', ';'}, 4};
    table['"'] = {{'&', 'q', 'u', 'o', 't', ';'}, 6};
    table['\n'] = table['\r'] = {{'<', 'b', 'r', '>'}, 4};
    return table;
}

using FileStatus = struct stat;

// What stands at the target before the export replaces it.
struct Target {
    bool exists = false;
    mode_t mode = 0644; // the permissions the new file gets: the old file's, else these
};

// Empty when the export may put its file at `target`, else why not.
std::string checkTarget(const fs::path& target, Target& found) {
    FileStatus info{};
    if (::lstat(target.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            found = {};
            return {};
        }
        return say(QCoreApplication::translate("ripasso::ExportText", "%1 cannot be reached: %2"),
                   pathText(target), platform::errorText(errno));
    }
    if (S_ISLNK(info.st_mode)) {
        std::error_code ignored;
        const fs::path leadsTo = fs::read_symlink(target, ignored);
        return leadsTo.empty()
                   ? say(QCoreApplication::translate(
                             "ripasso::ExportText",
                             "%1 is a symbolic link, and the export replaces no link: give the "
                             "file it leads to, or another name"),
                         pathText(target))
                   : say(QCoreApplication::translate(
                             "ripasso::ExportText",
                             "%1 is a symbolic link to %2, and the export replaces no link: give "
                             "the file it leads to, or another name"),
                         pathText(target), pathText(leadsTo));
    }
    if (S_ISDIR(info.st_mode))
        return say(QCoreApplication::translate("ripasso::ExportText",
                                               "%1 is a folder: give the name of a file in it"),
                   pathText(target));
    if (!S_ISREG(info.st_mode))
        return say(QCoreApplication::translate(
                       "ripasso::ExportText",
                       "%1 is not an ordinary file (a device, a pipe or a socket), and the export "
                       "replaces only a file"),
                   pathText(target));
    found = {true, static_cast<mode_t>(info.st_mode & 07777)};
    return {};
}

} // namespace

QString pathText(const fs::path& path) {
    return QString::fromStdString(path.string());
}

const ByteTable& latinTable() {
    static const ByteTable table = makeTable(thaitext::cp1252ToUnicode);
    return table;
}
const ByteTable& thaiTable() {
    static const ByteTable table = makeTable(thaitext::tis620ToUnicode);
    return table;
}

void appendHtml(std::string& out, std::string_view bytes, const ByteTable& table) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const Utf8& u = table[static_cast<unsigned char>(bytes[i])];
        out.append(u.bytes, u.size);
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i; // one <br> for CR LF
    }
}

void appendTag(std::string& out, std::string_view attribute) {
    for (const char b : attribute) {
        if (static_cast<unsigned char>(b) >= 0x80) {
            const Utf8& u = latinTable()[static_cast<unsigned char>(b)];
            out.append(u.bytes, u.size);
        } else {
            const bool blank = b == ' ' || b == '\t' || b == '\r' || b == '\n';
            out += blank ? '_' : b;
        }
    }
}

std::string readLetters(const PathOf& pathOf, const datafiles::FileAccess& access,
                        std::vector<std::string>& problems, const TakeRecord& take) {
    int missing = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string name = datafiles::dataFileName(datafiles::Direction::Forward, letter);
        const fs::path path = pathOf(name);
        const datafiles::ReadBytesResult file = datafiles::readWholeFileBytes(path, access);
        if (file.error == ENOENT) {
            ++missing;
            continue;
        }
        if (!file.ok())
            return say(
                QCoreApplication::translate("ripasso::ExportText", "%1 could not be read: %2"),
                pathText(path), platform::errorText(file.error));
        datafiles::RecordReader reader(file.bytes.view());
        datafiles::RecordView record;
        std::size_t skipped = 0, firstSkippedLine = 0;
        while (!reader.atEnd()) {
            const datafiles::ReadStatus status = reader.next(record);
            if (status == datafiles::ReadStatus::Record && !record.headword().empty()) {
                if (!take(record))
                    return {};
                continue;
            }
            if (skipped++ == 0)
                firstSkippedLine = reader.line();
            if (status == datafiles::ReadStatus::Truncated)
                break;
        }
        if (skipped == 1)
            problems.push_back(
                say(QCoreApplication::translate(
                        "ripasso::ExportText",
                        "1 record could not be read in %1 (on line %2) and was left out."),
                    QString::fromStdString(name), QString::number(firstSkippedLine)));
        else if (skipped > 1)
            problems.push_back(say(QCoreApplication::translate(
                                       "ripasso::ExportText",
                                       "%1 records could not be read in %2 (the first on line %3) "
                                       "and were left out."),
                                   QString::number(skipped), QString::fromStdString(name),
                                   QString::number(firstSkippedLine)));
    }
    if (missing == 26)
        problems.insert(problems.begin(),
                        QCoreApplication::translate(
                            "ripasso::ExportText",
                            "This folder holds none of the files LEXFWD_A.DAT to LEXFWD_Z.DAT.")
                            .toStdString());
    return {};
}

int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

std::string cannotWrite(const fs::path& target, int error) {
    return say(QCoreApplication::translate("ripasso::ExportText", "%1 cannot be written: %2"),
               pathText(target), platform::errorText(error));
}

std::string replaceTarget(const fs::path& target, const datafiles::FileAccess& access,
                          const FillFile& fill) {
    Target old;
    if (std::string refused = checkTarget(target, old); !refused.empty())
        return refused;
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    // A file with no name while it is written: a crash leaves nothing behind. It gets a name
    // beside the target once it is complete, and that name is renamed over the target.
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    const bool unnamed = fd >= 0;
    if (!unnamed)
        fd = ::mkstemp(temporary.data()); // a file system without unnamed files
    if (fd < 0)
        return say(
            QCoreApplication::translate("ripasso::ExportText", "%1 cannot be written in: %2"),
            pathText(folder), platform::errorText(errno));
    bool named = !unnamed;
    auto fail = [&](const std::string& error) {
        if (fd >= 0)
            ::close(fd);
        if (named)
            ::unlink(temporary.c_str());
        return old.exists
                   ? say(QCoreApplication::translate("ripasso::ExportText", "%1; %2 is as it was"),
                         QString::fromStdString(error), pathText(target))
                   : error;
    };
    if (::fchmod(fd, old.mode) != 0)
        return fail(cannotWrite(target, errno));
    if (std::string failed = fill(fd); !failed.empty())
        return fail(failed);
    int error = 0;
    if (::fsync(fd) != 0)
        error = errno;
    if (error == 0 && unnamed) {
        temporary = (folder / ("." + target.filename().string() + "." + std::to_string(::getpid())))
                        .string();
        ::unlink(temporary.c_str()); // left by an earlier process of the same number
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        named =
            ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0;
        if (!named)
            error = errno;
    }
    if (error != 0)
        return fail(cannotWrite(target, error));
    // What stands at the target may have changed while the file was filled.
    Target now;
    if (std::string changed = checkTarget(target, now); !changed.empty())
        return fail(changed);
    if (::close(fd) != 0)
        error = errno;
    fd = -1;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return cannotWrite(target, error);
    }
    datafiles::syncFolder(*access.ops, folder);
    return {};
}

} // namespace exporting
} // namespace ripasso

#include "install_paths.h"

#include "datafiles/path_mapping.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform {
namespace {

bool lexists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// Copies the file or folder tree `from` to `to`, which does not exist yet. The installed
// starter is read-only to the user; the copies are the user's to write.
bool copyTree(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    const fs::file_status status = fs::status(from, ec);
    if (fs::is_regular_file(status)) {
        if (!fs::copy_file(from, to, ec))
            return false;
        fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                        ec);
        return !ec;
    }
    if (!fs::is_directory(status) || !fs::create_directory(to, ec))
        return false;
    fs::permissions(to, fs::perms::owner_all, fs::perm_options::add, ec);
    if (ec)
        return false;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec))
        if (!copyTree(it->path(), to / it->path().filename()))
            return false;
    return !ec;
}

// Renames unless `to` exists: another program started at the same moment may have put
// its copy there first, and the user's own entry is never replaced.
bool renameWithoutReplacing(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the flag: a folder cannot replace a folder that has entries, and
    // the moment between the test and the rename is short.
    if (lexists(to))
        return false;
    return std::rename(from.c_str(), to.c_str()) == 0;
}

// The copies that starts killed on the way left: ".NAME.seeding-PID" of a process that no
// longer runs. A copy of a process still running is its own to finish.
void removeStaleCopies(const fs::path& userDrive) {
    std::error_code ec;
    for (fs::directory_iterator it(userDrive, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::size_t mark = name.rfind(".seeding-");
        if (name.front() != '.' || mark == std::string::npos)
            continue;
        const std::string digits = name.substr(mark + 9);
        if (digits.empty() || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const auto pid = static_cast<pid_t>(std::stol(digits));
        if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            fs::remove_all(it->path(), ignored);
        }
    }
}

} // namespace

fs::path userDataHome() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
        return xdg;
    const fs::path home = datafiles::homeFolder();
    return home.empty() ? fs::path() : home / ".local" / "share";
}

bool seedDrive(const fs::path& starterDrive, const fs::path& userDrive) {
    std::error_code ec;
    fs::create_directories(userDrive, ec);
    bool complete = !ec;
    removeStaleCopies(userDrive);
    for (fs::directory_iterator it(starterDrive, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const fs::path target = userDrive / name;
        if (lexists(target))
            continue;
        const fs::path partial =
            userDrive / ("." + name + ".seeding-" + std::to_string(::getpid()));
        std::error_code ignored;
        fs::remove_all(partial, ignored);
        if (!copyTree(it->path(), partial) || !renameWithoutReplacing(partial, target))
            fs::remove_all(partial, ignored);
        if (!lexists(target))
            complete = false;
    }
    return complete && !ec;
}

fs::path driveRoot(const fs::path& programFolder, const fs::path& dataHome) {
    std::error_code ec;
    if (fs::is_directory(programFolder / "drive_c", ec))
        return programFolder;
    const fs::path installed = programFolder.parent_path() / "share" / "thai-kit";
    if (!fs::is_directory(installed / "drive_c", ec))
        return programFolder;
    if (dataHome.empty())
        return installed;

    const fs::path user = dataHome / "thai-kit";
    if (seedDrive(installed / "drive_c", user / "drive_c"))
        return user;
    // Some of the starter is missing from the user's drive: it is still theirs as soon as
    // any of it is there, since that may hold their words.
    for (fs::directory_iterator it(installed / "drive_c", ec), end; !ec && it != end;
         it.increment(ec))
        if (lexists(user / "drive_c" / it->path().filename()))
            return user;
    return installed;
}

} // namespace platform

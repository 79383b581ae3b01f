#pragma once
// Turns a folder text typed the old way ("C:\THAI\") joined with a file name into a
// native path.
//
// Backslashes become '/', repeated separators collapse, a drive prefix "X:" maps to the
// folder "drive_x" inside the drive root (see platform/install_paths.h), a leading "~" followed
// by a separator means the user's home folder, as it does in a shell, and every
// component that exists is matched without regard to ASCII letter case. Components that
// do not exist yet keep the name as given, so a new file is created under that name.

#include <filesystem>
#include <string>
#include <string_view>

namespace datafiles {

class PathMapper {
public:
    explicit PathMapper(std::filesystem::path driveRoot) : driveRoot_(std::move(driveRoot)) {}

    // `typed` is UTF-8: the folder text exactly as typed, followed by a file name.
    std::filesystem::path map(std::string_view typed) const;

    // The folder text `typed` (UTF-8) ready for file names to be joined to it: as typed, or
    // with a final separator when it has none and names a folder that exists ("C:\THAI"
    // gives "C:\THAI\", "~/thai" gives "~/thai/"). The separator is a backslash when the text
    // has one or begins with a drive, else a slash. A text that names no folder stays as it is.
    std::string folderWithSeparator(std::string_view typed) const;

    const std::filesystem::path& driveRoot() const { return driveRoot_; }

private:
    std::filesystem::path driveRoot_;
};

// $HOME, or the account's home folder when HOME is unset; empty when neither is known.
std::filesystem::path homeFolder();

// Whether two names are equal when ASCII letters are compared without regard to case; other
// bytes (the accented letters of code page 1252 among them) must be equal.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The component of `directory` whose name equals `name` without regard to ASCII case;
// the exact name wins, then the first in sorted order. Empty when there is none.
std::string findCaseInsensitive(const std::filesystem::path& directory, std::string_view name);

} // namespace datafiles

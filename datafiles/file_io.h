#pragma once
// Reading a whole data file in one call and appending one line durably.

#include <filesystem>
#include <string>
#include <string_view>

namespace datafiles {

struct FileResult {
    int error = 0; // errno value; 0 on success
    bool ok() const { return error == 0; }
};

struct ReadFileResult : FileResult {
    std::string bytes;
};

// The whole file. A folder where a file is expected fails with EISDIR.
ReadFileResult readWholeFile(const std::filesystem::path& path);

// Appends `line` to the file, creating it when missing: one write() on a file opened for
// appending, its result compared with the line's length, then fdatasync before close.
// A short write fails with EIO after the file has been cut back to its former size.
FileResult appendLine(const std::filesystem::path& path, std::string_view line);

// A short English reason for an errno value, for the message boxes.
std::string describeError(int error);

} // namespace datafiles

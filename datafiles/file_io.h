#pragma once
// Reading a whole data file in one call.

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

// A short English reason for an errno value, for the message boxes.
std::string describeError(int error);

} // namespace datafiles

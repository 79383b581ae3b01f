#pragma once
// Where the drive folders of typed paths ("C:" is drive_c) live: beside the programs in a
// build, in share/thai-kit of the prefix once installed.

#include <filesystem>

namespace platform {

// `programFolder` is the folder of the running executable.
std::filesystem::path driveRoot(const std::filesystem::path& programFolder);

} // namespace platform

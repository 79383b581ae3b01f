#include "install_paths.h"

#include <system_error>

namespace platform {

std::filesystem::path driveRoot(const std::filesystem::path& programFolder) {
    std::error_code ec;
    if (std::filesystem::is_directory(programFolder / "drive_c", ec))
        return programFolder;
    const auto installed = programFolder.parent_path() / "share" / "thai-kit";
    if (std::filesystem::is_directory(installed / "drive_c", ec))
        return installed;
    return programFolder;
}

} // namespace platform

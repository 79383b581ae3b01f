// Any typed folder and file name maps to a path under the drive root, the home folder, the
// root or the current folder, with no backslash and no empty component left.

#include "datafiles/path_mapping.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path root = [] {
        const auto dir = std::filesystem::temp_directory_path() / "kit-path-fuzz";
        std::filesystem::create_directories(dir / "drive_c" / "THAI");
        return dir;
    }();
    std::string typed(reinterpret_cast<const char*>(data), size);
    if (typed.find('\0') != std::string::npos)
        return 0; // no typed text holds a NUL
    const datafiles::PathMapper mapper(root);
    const std::string mapped = mapper.map(typed).string();
    if (mapped.find('\\') != std::string::npos || mapped.find("//") != std::string::npos)
        std::abort();
    const bool drive =
        typed.size() >= 2 && typed[1] == ':' &&
        ((typed[0] >= 'a' && typed[0] <= 'z') || (typed[0] >= 'A' && typed[0] <= 'Z'));
    if (drive && mapped.rfind(root.string() + "/drive_", 0) != 0)
        std::abort();
    const bool home = typed.size() >= 2 && typed[0] == '~' && (typed[1] == '/' || typed[1] == '\\');
    if (home && mapped.rfind(datafiles::homeFolder().string(), 0) != 0)
        std::abort();
    return 0;
}

#include "anki_package.h"

namespace ripasso {

PackageResult exportAnkiPackage(const PathOf&, const std::filesystem::path&, const PackageOptions&,
                                const datafiles::FileAccess&) {
    PackageResult result;
    result.error = "not built yet";
    return result;
}

std::string readAnkiPackage(const std::filesystem::path&,
                            const std::function<bool(const PackageNote&)>&) {
    return "not built yet";
}

} // namespace ripasso

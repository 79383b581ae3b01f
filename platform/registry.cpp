#include "registry.h"

#include "datafiles/path_mapping.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

constexpr RegistryKey kMsinfoKey = 1;
const char kMsinfoPath[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

} // namespace

QString DesktopRegistry::systemInformationProgram() {
    for (const char* name : {"hardinfo", "kinfocenter", "gnome-system-monitor"}) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

long DesktopRegistry::openKey(RegistryKey root, const std::string& subKey, std::uint32_t,
                              RegistryKey& key) {
    if (root == kHkeyLocalMachine && datafiles::equalsIgnoringAsciiCase(subKey, kMsinfoPath) &&
        !systemInformationProgram().isEmpty()) {
        key = kMsinfoKey;
        return kErrorSuccess;
    }
    return kErrorFileNotFound;
}

long DesktopRegistry::queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                                 unsigned char* data, std::uint32_t& length) {
    if (key != kMsinfoKey || !datafiles::equalsIgnoringAsciiCase(valueName, "PATH"))
        return kErrorFileNotFound;
    const QByteArray path = systemInformationProgram().toLocal8Bit();
    const std::uint32_t size = static_cast<std::uint32_t>(path.size()) + 1; // with its zero
    if (size > length)
        return kErrorMoreData;
    std::memcpy(data, path.constData(), static_cast<std::size_t>(path.size()));
    data[path.size()] = 0;
    type = kRegSz;
    length = size;
    return kErrorSuccess;
}

long DesktopRegistry::closeKey(RegistryKey) {
    return kErrorSuccess;
}

bool DesktopLauncher::fileExists(const QString& path) {
    return QFileInfo(path).isFile();
}

bool DesktopLauncher::start(const QString& path) {
    return QProcess::startDetached(path, {});
}

} // namespace platform

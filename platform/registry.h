#pragma once
// The registry as the About box reads it (open a key, query a value, close the key), and
// the starting of a program. On Linux the registry is a small stand-in that knows one
// value: where the desktop's system-information program is.

#include <QString>

#include <cstdint>
#include <string>

namespace platform {

using RegistryKey = std::uint32_t;

inline constexpr RegistryKey kHkeyLocalMachine = 0x80000002;
inline constexpr std::uint32_t kKeyAllAccess = 0x2003F;
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;   // the value is larger than the buffer
inline constexpr std::uint32_t kRegSz = 1;    // a string value
inline constexpr std::uint32_t kRegDword = 4; // a 32-bit number

class Registry {
public:
    virtual ~Registry() = default;
    // 0 on success, with `key` set.
    virtual long openKey(RegistryKey root, const std::string& subKey, std::uint32_t access,
                         RegistryKey& key) = 0;
    // Reads up to `length` bytes of the value into `data`; on success `type` and `length`
    // (the value's size in bytes) are set.
    virtual long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                            unsigned char* data, std::uint32_t& length) = 0;
    virtual long closeKey(RegistryKey key) = 0;
};

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    virtual bool fileExists(const QString& path) = 0;
    // Starts the program in a normal window with the focus; false when it cannot start.
    virtual bool start(const QString& path) = 0;
};

// The desktop stand-in: "SOFTWARE\Microsoft\Shared Tools\MSINFO", value "PATH", holds the
// path of the first of hardinfo, kinfocenter and gnome-system-monitor found on the PATH;
// there is no other key.
class DesktopRegistry : public Registry {
public:
    long openKey(RegistryKey root, const std::string& subKey, std::uint32_t access,
                 RegistryKey& key) override;
    long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                    unsigned char* data, std::uint32_t& length) override;
    long closeKey(RegistryKey key) override;

    static QString systemInformationProgram();
};

class DesktopLauncher : public ProgramLauncher {
public:
    bool fileExists(const QString& path) override;
    bool start(const QString& path) override; // detached
};

} // namespace platform

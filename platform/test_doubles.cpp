#include "test_doubles.h"

#include <algorithm>
#include <cstring>

namespace platform {

long FakeRegistry::openKey(RegistryKey root, const std::string& subKey, std::uint32_t access,
                           RegistryKey& key) {
    accessAsked.push_back(access);
    if (root != kHkeyLocalMachine || !keys_.count(subKey))
        return kErrorFileNotFound;
    key = next_++;
    open_[key] = subKey;
    return kErrorSuccess;
}

long FakeRegistry::queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                              unsigned char* data, std::uint32_t& length) {
    const auto open = open_.find(key);
    if (open == open_.end())
        return kErrorInvalidHandle;
    const auto& values = keys_[open->second];
    const auto value = values.find(valueName);
    if (value == values.end())
        return kErrorFileNotFound;
    const auto size = static_cast<std::uint32_t>(value->second.bytes.size());
    std::memcpy(data, value->second.bytes.data(), std::min(size, length));
    type = value->second.type;
    length = size;
    return kErrorSuccess;
}

long FakeRegistry::closeKey(RegistryKey key) {
    return open_.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

} // namespace platform

#include "path_mapping.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace datafiles {
namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::vector<std::string> components(std::string_view text) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : text) {
        if (isSeparator(c)) {
            if (!current.empty())
                parts.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        parts.push_back(std::move(current));
    return parts;
}

// "~" alone or followed by a separator; "~name" is an ordinary folder name.
bool startsWithHome(std::string_view text) {
    return !text.empty() && text[0] == '~' && (text.size() == 1 || isSeparator(text[1]));
}

} // namespace

fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir && *entry->pw_dir)
        return entry->pw_dir;
    return {};
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

std::string findCaseInsensitive(const fs::path& directory, std::string_view name) {
    std::error_code ec;
    if (fs::exists(directory / std::string(name), ec))
        return std::string(name);
    std::vector<std::string> matches;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        std::string candidate = it->path().filename().string();
        if (equalsIgnoringAsciiCase(candidate, name))
            matches.push_back(std::move(candidate));
    }
    if (matches.empty())
        return {};
    return *std::min_element(matches.begin(), matches.end());
}

fs::path PathMapper::map(std::string_view typed) const {
    fs::path base;
    std::string_view rest = typed;
    if (rest.size() >= 2 && isDriveLetter(rest[0]) && rest[1] == ':') {
        const char drive = static_cast<char>(rest[0] | 0x20);
        base = driveRoot_ / (std::string("drive_") + drive);
        rest.remove_prefix(2);
    } else if (!rest.empty() && isSeparator(rest[0])) {
        base = "/";
    } else if (startsWithHome(rest) && !homeFolder().empty()) {
        base = homeFolder();
        rest.remove_prefix(1);
    } else {
        base = ".";
    }

    fs::path result = base;
    bool existing = true; // while every component so far exists, keep matching case
    for (const std::string& part : components(rest)) {
        if (existing && part != "." && part != "..") {
            const std::string found = findCaseInsensitive(result, part);
            if (!found.empty()) {
                result /= found;
                continue;
            }
            existing = false;
        }
        result /= part;
    }
    return result;
}

std::string PathMapper::folderWithSeparator(std::string_view typed) const {
    std::string folder(typed);
    std::error_code ec;
    if (folder.empty() || isSeparator(folder.back()) || !fs::is_directory(map(folder), ec))
        return folder;
    const bool drive = folder.size() >= 2 && isDriveLetter(folder[0]) && folder[1] == ':';
    folder += drive || folder.find('\\') != std::string::npos ? '\\' : '/';
    return folder;
}

} // namespace datafiles

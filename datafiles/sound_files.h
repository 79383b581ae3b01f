#pragma once
// The sound files that a record names in its `thaiSound` and `italianSound` fields: a plain file
// name inside the sound folder, never a path that leads elsewhere; and the checks made before
// such a file is played, so that a missing, foreign, huge or blocking file gives a message and
// never a hang.

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace datafiles {

enum class SoundField {
    None,    // empty, or a marker: "$", "-", "@"
    Name,    // a plain file name
    Refused, // a path: a separator ('/' or '\'), ".." or ".", a drive ("C:"), a control byte
};

// What the field holds; a name is returned in `name` (the field's bytes).
SoundField soundField(std::string_view field, std::string_view* name = nullptr);

inline constexpr std::uint64_t kLargestSoundFile = 16u << 20; // 16 MiB

enum class SoundFileCheck {
    Good,       // a regular file, at most kLargestSoundFile bytes, that begins as a RIFF WAVE
    Missing,    // no such file
    Unreadable, // it cannot be opened or read
    NotRegular, // a folder, a FIFO, a device: never opened for reading in a way that could wait
    TooLarge,   // over kLargestSoundFile
    NotWave,    // not a RIFF WAVE file
};

SoundFileCheck checkSoundFile(const std::filesystem::path& path);

} // namespace datafiles

#pragma once
// PCM WAV files in memory: read (RIFF/WAVE, format 1, 8 or 16 bits, mono or stereo, any
// rate) for playing, and written (16-bit mono) for the rendered voice. Plain C++: no Qt.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

struct PcmSound {
    int rate = 0;
    int channels = 0;      // 1 or 2
    int bitsPerSample = 0; // 8 (unsigned) or 16 (signed, little-endian)
    std::string_view data; // the samples, within the file's bytes; whole frames only
};

// The samples of a PCM WAV file's bytes; nothing when they are not one.
std::optional<PcmSound> parseWav(std::string_view file);

// A WAV file of 16-bit mono samples at `rate`.
std::string wavFile(std::span<const std::int16_t> samples, int rate);

} // namespace platform

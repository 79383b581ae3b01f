#include "wav.h"

namespace platform {
namespace {

std::uint32_t le(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

void put(std::string& out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        out += static_cast<char>(value >> (8 * i) & 0xff);
}

} // namespace

std::optional<PcmSound> parseWav(std::string_view file) {
    if (file.size() < 12 || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<PcmSound> format;
    std::size_t at = 12;
    while (file.size() - at >= 8) {
        const std::string_view id = file.substr(at, 4);
        const std::size_t size = le(file, at + 4, 4);
        at += 8;
        const std::size_t inFile = std::min(size, file.size() - at);
        if (id == "fmt ") {
            if (inFile < 16)
                return std::nullopt;
            PcmSound sound;
            const auto tag = le(file, at, 2);
            sound.channels = static_cast<int>(le(file, at + 2, 2));
            sound.rate = static_cast<int>(le(file, at + 4, 4));
            sound.bitsPerSample = static_cast<int>(le(file, at + 14, 2));
            if (tag != 1 || (sound.channels != 1 && sound.channels != 2) || sound.rate <= 0 ||
                sound.rate > 384000 || (sound.bitsPerSample != 8 && sound.bitsPerSample != 16))
                return std::nullopt;
            format = sound;
        } else if (id == "data") {
            if (!format) // the format comes first
                return std::nullopt;
            // A data chunk cut short by the file's end keeps what is there, in whole frames.
            const std::size_t frame =
                static_cast<std::size_t>(format->channels * format->bitsPerSample / 8);
            format->data = file.substr(at, inFile - inFile % frame);
            return format;
        }
        if (size > file.size() - at)
            break;
        at += size + (size & 1);
    }
    return std::nullopt;
}

std::string wavFile(std::span<const std::int16_t> samples, int rate) {
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    put(out, 36 + dataSize, 4);
    out += "WAVEfmt ";
    put(out, 16, 4);
    put(out, 1, 2); // PCM
    put(out, 1, 2); // mono
    put(out, static_cast<std::uint32_t>(rate), 4);
    put(out, static_cast<std::uint32_t>(rate) * 2, 4);
    put(out, 2, 2);
    put(out, 16, 2);
    out += "data";
    put(out, dataSize, 4);
    for (const std::int16_t sample : samples)
        put(out, static_cast<std::uint16_t>(sample), 2);
    return out;
}

} // namespace platform

#pragma once
// The classic 16-colour text palette; windows set colours by index.

#include <cstdint>

namespace thaitext {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr int kPaletteSize = 16;

// Index 0-15; any other index is taken modulo 16, as the old text palette did.
Rgb paletteColor(int index);

} // namespace thaitext

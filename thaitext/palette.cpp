#include "palette.h"

#include <array>

namespace thaitext {

Rgb paletteColor(Palette colour) {
    static constexpr std::array<Rgb, 16> kColors = {{
        {0, 0, 0},
        {0, 0, 128},
        {0, 128, 0},
        {0, 128, 128},
        {128, 0, 0},
        {128, 0, 128},
        {128, 128, 0},
        {192, 192, 192},
        {128, 128, 128},
        {0, 0, 255},
        {0, 255, 0},
        {0, 255, 255},
        {255, 0, 0},
        {255, 0, 255},
        {255, 255, 0},
        {255, 255, 255},
    }};
    return kColors[static_cast<std::size_t>(colour)];
}

} // namespace thaitext

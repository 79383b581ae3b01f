#include "palette.h"

#include <array>

namespace thaitext {

Rgb paletteColor(int index) {
    static constexpr std::array<Rgb, kPaletteSize> kColors = {{
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
    return kColors[static_cast<unsigned>(index) % kPaletteSize];
}

} // namespace thaitext

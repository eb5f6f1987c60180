// A colour by its 8-bit red, green and blue, for the layers below the windows, which know no
// Qt colour: the windows' value backgrounds and the maps' colour scales.
#pragma once

#include <cstdint>

namespace qrv {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

} // namespace qrv

// The colour maps of maps, as pure functions of a position from 0 to 1 (clamped).
#pragma once

#include "base/rgb.h"

namespace qrv {

// Viridis, perceptually uniform and readable in greyscale and by colour-blind readers: dark
// purple at 0 through blue and green to yellow at 1, lightness rising all the way.
Rgb viridis(double t);

// For differences: dark blue at 0 through white at 0.5 to dark red at 1, each side as light
// as the other at the same distance from the middle.
Rgb blueWhiteRed(double t);

// Relative luminance from 0 (black) to 1 (white), to choose black or white for what is drawn
// on a colour.
double luminance(Rgb colour);

} // namespace qrv

// The uncertainty bands of a desktop sweep that has just run into the store: each ratio of
// each member as an uncertainty study, counted on by the sweep's own progress window, and
// each member's band told which stored runs are its curve.
#pragma once

#include "calculation/sweepbands.h"
#include "windows/ratiosweeper.h"

namespace qrv {

// How many samples the bands of such a sweep run; the progress counts them after its runs.
std::size_t bandSampleCount(const BandRequest& bands, std::size_t ratios, const SweepFamily& family);

// Unfinished, and so drawn nowhere, when the sweep did not run to its end or the progress
// stops the bands.
SweepBands runRatioBands(const RunRequest& request, const std::vector<double>& ratios, const SweepFamily& family,
                         const BandRequest& bands, const SweepReport& sweep, SweepProgress& progress);

} // namespace qrv

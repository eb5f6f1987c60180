// Uncertainty bands of a sweep: at every ratio of every curve, the curve's inputs with some of
// them drawn from distributions (an uncertainty study, runUncertainty) and the 5 and 95 %
// percentiles of the adiabatic and isothermal conversion ratio. The bands stand beside the
// sweep's runs; they are not runs of their own.
#pragma once

#include "calculation/montecarlo.h"
#include "calculation/sweepfamily.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

// The spread of one input as its box holds it: qrv-cli's "MEAN~SD" or "FROM..TO", or "~SD",
// normal about the curve's own value of the input (each member's, in a family).
struct SpreadText {
    Distribution distribution; // about 0 when aroundCurve
    bool aroundCurve = false;
    std::string error; // why the text is no spread; empty when it is
};

// Not for an empty box: that keeps the input at the input window's value.
SpreadText readSpread(std::string_view text);

struct BandSpread {
    StudyInput input = StudyInput::TMagma;
    std::string text; // as typed: "1473~50", "~50", "1423..1523"
};

struct BandRequest {
    std::vector<BandSpread> spreads; // each input at most once
    std::size_t samples = 200;       // per ratio
    std::uint64_t seed = 1;
};

// The drawn inputs of one curve: "~SD" takes the curve's own value of the input as its mean.
std::vector<DrawnInput> drawnInputs(const BandRequest& request, const RunRequest& curve);

// "TMagma 1473~50 K, PInit 0.1..0.2 MPa; 200 samples a ratio, seed 1": for a chart's notes.
// An input that the family varies, spread about each member's value, says so.
std::string bandDescription(const BandRequest& request, const RunRequest& base, const SweepFamily& family);

struct CurveBand {
    std::size_t member = 0; // of the family; 0 without one
    int storeRun = 0;       // a store index (from 1) of one of the curve's runs; 0: none stored
    std::vector<double> ratios;
    // Per ratio; NaN where every sample failed.
    std::vector<double> adiabaticP5, adiabaticP95, isothermalP5, isothermalP95;
};

struct SweepBands {
    std::vector<CurveBand> curves; // one per family member
    std::string description;       // bandDescription
    std::size_t samples = 0;       // run in all
    std::size_t failed = 0;        // of them (sampleFailed), left out of the percentiles
    bool finished = false;         // false when the progress stopped it: then nothing is to be drawn

    bool empty() const { return curves.empty(); }
};

// Every member's every ratio, `request.samples` samples each, in that order; the progress counts
// samples over the whole work. `threads` 0: one per core.
SweepBands runSweepBands(const RunRequest& base, const SweepFamily& family, const std::vector<double>& ratios,
                         const BandRequest& request, const StudyProgress& progress = {}, unsigned threads = 0);

} // namespace qrv

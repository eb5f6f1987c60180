// A series of runs over the water/magma (or sediment/magma) ratio, every run a fresh
// program start with the same inputs and only the ratio changed.
#pragma once

#include "calculation/calculate.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

inline constexpr std::size_t kMaxSweepRatios = 100000;

struct SweepRatios {
    std::vector<double> ratios;
    std::string error; // why the range was refused; empty when it was accepted
};

// from, from + step, ... up to to (inclusive, within rounding), each computed from its index
// so that the steps do not drift. Refuses a step <= 0, to < from, and more than kMaxSweepRatios.
SweepRatios sweepRatios(double from, double to, double step);

// The shortest text that reads back as exactly this ratio.
std::string ratioText(double ratio);

// One run of a sweep as it ends.
struct SweepRun {
    std::size_t index;          // the ratio's place in the sweep, from 0
    double ratio;
    std::string_view ratioText; // the ratio as the run's ratio box held it
    const RunResult& run;
};

// A sweep's runs keep no window texts unless asked (for results files), and work their reference.
inline constexpr CalculateOptions kSweepRuns{WindowTexts::Skipped, true};

// The one loop of every sweep, in the desktop program and in qrv-cli: runs `base` once per
// ratio, its ratio text replaced, each run a fresh start (Calculator: S and Cv from IAPWS-95
// where the input rules would ask the steam-table program), and reports each run as it ends.
// The sweep stops
// early when onRun returns false; true when every ratio ran. A family (calculation/sweepfamily.h)
// runs this once per member.
bool runSweep(const RunRequest& base, const std::vector<double>& ratios,
              const std::function<bool(const SweepRun&)>& onRun, CalculateOptions options = kSweepRuns);

} // namespace qrv

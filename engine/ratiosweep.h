// A series of runs over the water/magma (or sediment/magma) ratio, every run a fresh
// program start with the same inputs and only the ratio changed.
#pragma once

#include "engine/recordinghost.h"
#include "engine/runner.h"
#include "engine/runstore.h"

#include <functional>
#include <optional>
#include <string>
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

struct SweepRun {
    double ratio = 0;
    RunOutcome outcome;
    std::optional<SeriesRecord> record; // the stored run, when it got that far
    std::vector<HostMessage> messages;  // the message boxes of this run, in order
};

// Runs `base` once per ratio, its ratio text replaced, and reports each run as it ends;
// the sweep stops early when onRun returns false.
void runSweep(const RunRequest& base, const std::vector<double>& ratios,
              const std::function<bool(const SweepRun&)>& onRun);

} // namespace qrv

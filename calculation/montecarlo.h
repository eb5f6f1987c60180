// Uncertainty: a run's inputs drawn from distributions, the run repeated for each sample, and
// the spread of what came out. The draws come from a generator of our own with a fixed
// algorithm, so that a seed gives the same samples on every machine and with any number of
// workers: a sample's draws depend on the seed and the sample's number alone.
#pragma once

#include "calculation/parallelruns.h"
#include "calculation/studyinput.h"

#include <array>
#include <cstdint>
#include <utility>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

struct Distribution {
    enum class Kind { Normal, Uniform };
    Kind kind = Kind::Normal;
    double a = 0; // the mean, or the lower end
    double b = 0; // the standard deviation, or the upper end
};

struct DistributionText {
    std::optional<Distribution> distribution; // none for a plain number
    std::string error; // why the text is neither a number nor a distribution; empty when it is
};

// "A~B" normal with mean A and standard deviation B >= 0, "A..B" uniform from A to B >= A,
// or a plain number.
DistributionText readDistribution(std::string_view text);

// The text readDistribution reads back: "1473~50", "1423..1523".
std::string distributionText(const Distribution& distribution);

// SplitMix64: 64 random bits a step, the same on every machine.
class SampleRandom {
public:
    // The stream of one sample of a study: its seed and the sample's number.
    SampleRandom(std::uint64_t seed, std::uint64_t sample);
    std::uint64_t next();
    // Uniform in [0, 1), from the top 53 bits.
    double uniform();
    // Standard normal, by the Box-Muller transform of two uniforms.
    double normal();
    double draw(const Distribution& distribution);

private:
    std::uint64_t m_state;
};

struct DrawnInput {
    StudyInput input;
    Distribution distribution;
};

struct UncertaintyRequest {
    RunRequest base;               // the fixed inputs
    std::vector<DrawnInput> drawn; // each input given as a distribution, at most once
    std::size_t samples = 1000;
    std::uint64_t seed = 1;
    bool reference = true; // each sample's IAPWS-95 reference too
};

struct UncertaintyResult {
    std::vector<std::vector<double>> drawn; // per sample, one value per drawn input
    std::vector<RunResult> runs;            // per sample
    bool finished = true;                   // false when the progress stopped it
};

// A sample fails when its run was not stored or a routine reported an error.
bool sampleFailed(const RunResult& run);
std::size_t failedSamples(const UncertaintyResult& result);

// The values of sample `sample`, one per drawn input, in the request's order.
std::vector<double> drawSample(const UncertaintyRequest& request, std::size_t sample);

// Every sample's run, with its IAPWS-95 reference when asked. `threads` 0: one per core.
UncertaintyResult runUncertainty(const UncertaintyRequest& request, const StudyProgress& progress = {},
                                 unsigned threads = 0);

struct Spread {
    std::size_t count = 0; // the values summarised
    double mean, sd, p5, p25, p50, p75, p95; // NaN without values; sd needs two
};

// Mean, sample standard deviation, and percentiles interpolated linearly between the sorted
// values (the p-th lies at p/100 * (count - 1)). NaN values are left out.
Spread spreadOf(std::vector<double> values);

// The figures by the names the JSON gives them: "mean", "sd", "p5", ..., "p95".
std::array<std::pair<std::string_view, double>, 7> spreadFigures(const Spread& spread);

} // namespace qrv

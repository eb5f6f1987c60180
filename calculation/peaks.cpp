#include "calculation/peaks.h"

#include "calculation/ratiosweep.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace qrv {

namespace {

// Runs made at each ratio of one member, kept so that no ratio is run twice.
class MemberRuns {
public:
    explicit MemberRuns(RunRequest request) : m_request(std::move(request)), m_calculator(kSweepRuns) {}

    // The four paths' conversion ratios at R; NaN where a path has none.
    const std::array<double, kPeakPaths.size()>& at(double ratio)
    {
        const auto found = m_values.find(ratio);
        if (found != m_values.end())
            return found->second;
        m_request.inputs.ratio = ratioText(ratio);
        const RunResult run = m_calculator.run(m_request);
        std::array<double, kPeakPaths.size()> values;
        for (std::size_t p = 0; p < kPeakPaths.size(); ++p)
            values[p] = studyOutputValue(run, kPeakPaths[p].output);
        return m_values.emplace(ratio, values).first->second;
    }

private:
    RunRequest m_request;
    Calculator m_calculator;
    std::map<double, std::array<double, kPeakPaths.size()>> m_values;
};

// The searched ratios lie on a grid of 1e-6, far finer than the tolerance, so that each run's
// ratio is a short text such as 0.275439.
double onSearchGrid(double ratio)
{
    return std::round(ratio * 1e6) / 1e6;
}

// Larger, and a value at all.
bool better(double value, double best)
{
    return !std::isnan(value) && (std::isnan(best) || value > best);
}

// Narrows [low, high] around the best run: a few evenly spaced runs across it, then the
// stretch between the neighbours of the best of them, until it is narrower than the tolerance.
// A jump cannot mislead it further than the best run it has seen.
void refine(MemberRuns& runs, std::size_t path, double low, double high, Peak& peak)
{
    constexpr int kPoints = 8;
    while (high - low > kPeakTolerance) {
        const double spacing = (high - low) / kPoints;
        for (int k = 0; k <= kPoints; ++k) {
            const double ratio = k == kPoints ? high : onSearchGrid(low + k * spacing);
            const double value = runs.at(ratio)[path];
            if (better(value, peak.crPercent) || (value == peak.crPercent && ratio < peak.ratio)) {
                peak.ratio = ratio;
                peak.crPercent = value;
            }
        }
        low = std::max(low, peak.ratio - spacing);
        high = std::min(high, peak.ratio + spacing);
    }
}

} // namespace

std::vector<Peak> findPeaks(const RunRequest& base, const SweepFamily& family, const std::vector<double>& ratios)
{
    std::vector<Peak> peaks;
    for (std::size_t member = 0; member < family.memberCount(); ++member) {
        MemberRuns runs(familyMember(base, family, member));
        for (std::size_t path = 0; path < kPeakPaths.size(); ++path) {
            Peak peak{member, path, false, 0, std::nan("")};
            std::size_t best = 0;
            for (std::size_t i = 0; i < ratios.size(); ++i) {
                if (better(runs.at(ratios[i])[path], peak.crPercent)) {
                    best = i;
                    peak.ratio = ratios[i];
                    peak.crPercent = runs.at(ratios[i])[path];
                }
            }
            peak.found = !std::isnan(peak.crPercent);
            if (peak.found && ratios.size() > 1)
                refine(runs, path, ratios[best == 0 ? 0 : best - 1], ratios[std::min(best + 1, ratios.size() - 1)], peak);
            peaks.push_back(peak);
        }
    }
    return peaks;
}

} // namespace qrv

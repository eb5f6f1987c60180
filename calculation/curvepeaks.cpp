#include "calculation/curvepeaks.h"

#include "base/numberformat.h"
#include "calculation/calculate.h"
#include "calculation/ratiosweep.h"
#include "display/inputcaptions.h"

#include <algorithm>
#include <cstdlib>

namespace qrv {

namespace {

// The decimal the ratio box showed, so that a stored 0.43 is searched from 0.43, as the sweep
// that made it was.
double storedRatio(float ratio)
{
    return std::strtod(formatShortest(ratio).c_str(), nullptr);
}

// The stored run made again from its stored inputs. A run whose S and Cv were typed, or that
// heated its water at constant volume, comes out otherwise: the store keeps neither.
bool repeatable(const SeriesRecord& stored)
{
    RunRequest request = requestOfRecord(stored);
    const RunResult again = calculate(request, kSweepRuns);
    return again.record && again.record->CRAdiabatic == stored.CRAdiabatic
        && again.record->CRIsothermal == stored.CRIsothermal;
}

} // namespace

RunRequest requestOfRecord(const SeriesRecord& run)
{
    RunRequest request;
    InputTexts& in = request.inputs;
    in.tMagma = formatShortest(run.TMagma);
    in.tInit = formatShortest(run.TWater);
    in.pInit = formatShortest(run.PHydroMPa);
    in.pFinal = formatShortest(run.PFinalMPa);
    in.ratio = formatShortest(run.R);
    in.sedimentMode = run.XWater != 1.0f;
    in.waterFraction = in.sedimentMode ? formatShortest(run.XWater) : std::string(caption::kUnusedWaterFraction);
    return request;
}

const CurvePeaks& CurvePeakFinder::of(const RunStore& store, const std::vector<int>& runs)
{
    const SeriesRecord& first = store.record(runs.front());
    std::vector<double> ratios;
    for (const int i : runs)
        ratios.push_back(storedRatio(store.record(i).R));
    std::sort(ratios.begin(), ratios.end());
    ratios.erase(std::unique(ratios.begin(), ratios.end()), ratios.end());

    std::vector<double> key{first.TMagma, first.TWater, first.PHydroMPa, first.PFinalMPa, first.XWater};
    key.insert(key.end(), ratios.begin(), ratios.end());
    if (const auto found = m_found.find(key); found != m_found.end())
        return found->second;

    CurvePeaks curve;
    if (ratios.size() < 2)
        curve.reason = "a curve of one run has no peak between runs";
    else if (!repeatable(first))
        curve.reason = "its runs cannot be made again from their stored inputs (typed S and Cv, or heating at "
                       "constant volume)";
    else
        curve.peaks = findPeaks(requestOfRecord(first), SweepFamily{}, ratios);
    return m_found.emplace(std::move(key), std::move(curve)).first->second;
}

} // namespace qrv

#include "windows/ratiobands.h"

namespace qrv {

std::size_t bandSampleCount(const BandRequest& bands, std::size_t ratios, const SweepFamily& family)
{
    return bands.samples * ratios * family.memberCount();
}

SweepBands runRatioBands(const RunRequest& request, const std::vector<double>& ratios, const SweepFamily& family,
                         const BandRequest& bands, const SweepReport& sweep, SweepProgress& progress)
{
    if (sweep.cancelled || !sweep.refusal.empty())
        return {};
    const int total = sweep.done + int(bandSampleCount(bands, ratios.size(), family));
    SweepBands drawn = runSweepBands(request, family, ratios, bands, [&](std::size_t done, std::size_t) {
        return progress.advance(sweep.done + int(done), total);
    });
    if (!drawn.finished)
        return {};
    for (CurveBand& curve : drawn.curves)
        curve.storeRun = sweep.memberRuns.at(curve.member);
    return drawn;
}

} // namespace qrv

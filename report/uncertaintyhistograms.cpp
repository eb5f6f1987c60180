#include "report/uncertaintyhistograms.h"

#include "report/mapvalues.h"

namespace qrv {

std::string drawnInputsText(const UncertaintyRequest& request)
{
    std::string text;
    for (const DrawnInput& drawn : request.drawn) {
        const StudyInputName& name = studyInputName(drawn.input);
        const Distribution& d = drawn.distribution;
        const bool normal = d.kind == Distribution::Kind::Normal;
        text.append(text.empty() ? "" : ", ").append(name.name).append(" ");
        text.append(distributionText(d));
        if (!name.unit.empty())
            text.append(" ").append(name.unit);
        text.append(normal ? " (normal)" : " (uniform)");
    }
    return text;
}

HistogramSet uncertaintyHistograms(const UncertaintyRequest& request, const UncertaintyResult& result)
{
    HistogramSet set;
    set.title = "QRV Uncertainty";
    std::vector<StudyInput> varied;
    for (const DrawnInput& drawn : request.drawn)
        varied.push_back(drawn.input);
    const std::string drawn = drawnInputsText(request);
    set.conditions = (drawn.empty() ? "Nothing drawn" : "Drawn: " + drawn) + "; fixed: "
        + fixedConditions(request.base, varied) + "; seed " + std::to_string(request.seed);
    const std::size_t failed = failedSamples(result);
    set.failed = failed == 0 ? "No sample of " + std::to_string(result.runs.size()) + " failed"
                             : std::to_string(failed) + " of " + std::to_string(result.runs.size())
                                   + " samples failed and are left out";
    for (const auto& [key, output] : kOutputZKeys) {
        const MapZKey& z = *findMapZKey(key);
        const std::vector<double> values = studyOutputValues(result.runs, output);
        const Spread spread = spreadOf(values);
        set.panels.push_back({std::string(z.quantity), std::string(z.unit), binsOf(values, spread.p75 - spread.p25),
                              spread.p5, spread.p50, spread.p95});
    }
    return set;
}

} // namespace qrv

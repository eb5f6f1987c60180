#include "calculation/sweepbands.h"

#include "base/parsenumber.h"
#include "calculation/ratiosweep.h"
#include "calculation/studyoutput.h"

namespace qrv {

SpreadText readSpread(std::string_view text)
{
    SpreadText spread;
    if (text.starts_with('~')) {
        // "~SD" reads as "0~SD" would, and is refused in the words of what was typed.
        const DistributionText read = readDistribution("0" + std::string(text));
        spread.aroundCurve = true;
        if (read.distribution) {
            spread.distribution = *read.distribution;
            return spread;
        }
        const PlainNumber sd = readPlainNumber(text.substr(1));
        spread.error = "\"" + std::string(text) + "\""
                       + (sd.valid && sd.value < 0 ? ": the standard deviation must not be negative" : " is not ~SD");
        return spread;
    }
    const DistributionText read = readDistribution(text);
    spread.error = read.error;
    if (read.distribution)
        spread.distribution = *read.distribution;
    else if (read.error.empty())
        spread.error = "\"" + std::string(text) + "\" is a single value: give MEAN~SD, ~SD or FROM..TO, "
                       "or leave the box empty to keep the input window's value";
    return spread;
}

namespace {

double curveValue(const RunRequest& curve, StudyInput input)
{
    return readPlainNumber(studyInputText(curve, input)).value;
}

} // namespace

std::vector<DrawnInput> drawnInputs(const BandRequest& request, const RunRequest& curve)
{
    std::vector<DrawnInput> drawn;
    for (const BandSpread& spread : request.spreads) {
        const SpreadText read = readSpread(spread.text);
        Distribution distribution = read.distribution;
        if (read.aroundCurve)
            distribution.a = curveValue(curve, spread.input);
        drawn.push_back({spread.input, distribution});
    }
    return drawn;
}

std::string bandDescription(const BandRequest& request, const RunRequest& base, const SweepFamily& family)
{
    std::string text;
    for (const BandSpread& spread : request.spreads) {
        const StudyInputName& name = studyInputName(spread.input);
        const SpreadText read = readSpread(spread.text);
        const bool perMember = read.aroundCurve && family.input != FamilyInput::None
                               && studyInputOf(family.input) == spread.input;
        Distribution distribution = read.distribution;
        if (read.aroundCurve)
            distribution.a = curveValue(base, spread.input);
        text += (text.empty() ? "" : ", ") + std::string(name.name) + " "
                + (perMember ? "~" + ratioText(distribution.b) : distributionText(distribution))
                + (name.unit.empty() ? "" : " " + std::string(name.unit))
                + (perMember ? " about each member's value" : "");
    }
    return text + "; " + std::to_string(request.samples) + " samples a ratio, seed " + std::to_string(request.seed);
}

SweepBands runSweepBands(const RunRequest& base, const SweepFamily& family, const std::vector<double>& ratios,
                         const BandRequest& request, const StudyProgress& progress, unsigned threads)
{
    SweepBands bands;
    bands.description = bandDescription(request, base, family);
    const std::size_t total = family.memberCount() * ratios.size() * request.samples;
    for (std::size_t member = 0; member < family.memberCount(); ++member) {
        CurveBand curve;
        curve.member = member;
        // The bands spread the model's conversion ratios only: no sample needs its reference.
        UncertaintyRequest study{familyMember(base, family, member), {}, request.samples, request.seed, false};
        study.drawn = drawnInputs(request, study.base);
        for (const double ratio : ratios) {
            setStudyInput(study.base, StudyInput::R, ratioText(ratio));
            const std::size_t before = bands.samples;
            const UncertaintyResult result = runUncertainty(study, [&](std::size_t done, std::size_t) {
                return !progress || progress(before + done, total);
            }, threads);
            if (!result.finished)
                return bands;
            bands.samples += result.runs.size();
            bands.failed += failedSamples(result);
            const Spread adiabatic = spreadOf(studyOutputValues(result.runs, kAdiabaticCR));
            const Spread isothermal = spreadOf(studyOutputValues(result.runs, kIsothermalCR));
            curve.ratios.push_back(ratio);
            curve.adiabaticP5.push_back(adiabatic.p5);
            curve.adiabaticP95.push_back(adiabatic.p95);
            curve.isothermalP5.push_back(isothermal.p5);
            curve.isothermalP95.push_back(isothermal.p95);
        }
        bands.curves.push_back(std::move(curve));
    }
    bands.finished = true;
    return bands;
}

} // namespace qrv

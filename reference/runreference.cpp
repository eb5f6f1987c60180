#include "reference/runreference.h"

namespace qrv::reference {

ReferenceInput referenceInputOf(const SeriesRecord& run)
{
    ReferenceInput in;
    in.mixture = run.XWater == 1.0f ? Mixture::WaterMagma : Mixture::SedimentMagma;
    in.ratio = run.R;
    in.XWater = run.XWater;
    in.TMagma = run.TMagma;
    in.TInit = run.TWater;
    in.PInit = double(run.PHydroMPa) * 1e6;
    in.PFinal = double(run.PFinalMPa) * 1e6;
    return in;
}

ReferenceInput referenceInputOf(const CalcState& s)
{
    ReferenceInput in;
    in.mixture = s.XWater == 1.0f ? Mixture::WaterMagma : Mixture::SedimentMagma;
    in.ratio = s.RInput;
    in.XWater = s.XWater;
    in.TMagma = s.TMagma;
    in.TInit = s.TInit;
    in.PInit = s.PInit;
    in.PFinal = s.PFinal;
    in.CMagma = s.CMagma;
    in.CRock = s.CRock;
    return in;
}

const ReferenceOutcome& RunReferences::of(const SeriesRecord& run)
{
    const ReferenceInput input = referenceInputOf(run);
    auto found = m_outcomes.find(input);
    if (found == m_outcomes.end())
        found = m_outcomes.emplace(input, computeReference(input)).first;
    return found->second;
}

std::string referenceNote(const ReferenceOutcome& outcome)
{
    if (!outcome.reference)
        return "No reference: " + outcome.reason;
    const Reference& r = *outcome.reference;
    std::string note;
    const auto add = [&note](std::string_view part) {
        if (!note.empty())
            note += "; ";
        note += part;
    };
    if (r.outsideValidity)
        add(kOutsideValidityNote);
    if (r.adiabatic.CR > 100 || r.isothermal.CR > 100)
        add(kAboveMagmaHeatNote);
    return note;
}

std::optional<double> referenceValue(const Reference& reference, std::string_view seriesKey)
{
    const PathResult& adiabatic = reference.adiabatic;
    const PathResult& isothermal = reference.isothermal;
    const std::pair<std::string_view, double> values[] = {
        {"cra", adiabatic.CR},       {"cri", isothermal.CR},
        {"sfa", adiabatic.X},        {"sfi", isothermal.X},
        {"wfa", adiabatic.waterFraction()}, {"wfi", isothermal.waterFraction()},
        {"fta", adiabatic.TFinal},   {"fti", isothermal.TFinal},
        {"et", reference.TEq},       {"ep", reference.PEq / 1e6},
        {"ed", reference.RhoEq},     {"ee", reference.SEq},
    };
    for (const auto& [key, value] : values)
        if (key == seriesKey)
            return value;
    return std::nullopt;
}

} // namespace qrv::reference

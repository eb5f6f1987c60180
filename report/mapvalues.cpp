#include "report/mapvalues.h"

#include "calculation/studyoutput.h"

#include <algorithm>

namespace qrv {

const std::array<MapQuantity, 8> kMapQuantities = {{
    {"cr-adiabatic", "Adiabatic conversion ratio", "%", false},
    {"cr-isothermal", "Isothermal conversion ratio", "%", false},
    {"ref-cr-adiabatic", "IAPWS-95 adiabatic conversion ratio", "%", false},
    {"ref-cr-isothermal", "IAPWS-95 isothermal conversion ratio", "%", false},
    {"diff-adiabatic", "Adiabatic CR, model minus IAPWS-95", "% points", true},
    {"diff-isothermal", "Isothermal CR, model minus IAPWS-95", "% points", true},
    {"teq", "Equilibrium temperature", "K", false},
    {"peq", "Equilibrium pressure", "MPa", false},
}};

const MapQuantity* findMapQuantity(std::string_view key)
{
    const auto found = std::find_if(kMapQuantities.begin(), kMapQuantities.end(),
                                    [key](const MapQuantity& q) { return q.key == key; });
    return found == kMapQuantities.end() ? nullptr : &*found;
}

namespace {

// The run's value of the quantity: one stored output, or the model's minus its reference.
double valueOf(const RunResult& run, std::string_view key)
{
    const std::pair<std::string_view, StudyOutput> outputs[] = {
        {"cr-adiabatic", kAdiabaticCR},      {"cr-isothermal", kIsothermalCR},
        {"ref-cr-adiabatic", kReferenceAdiabaticCR}, {"ref-cr-isothermal", kReferenceIsothermalCR},
        {"teq", kEquilibriumT},              {"peq", kEquilibriumP},
    };
    for (const auto& [name, output] : outputs)
        if (name == key)
            return studyOutputValue(run, output);
    const bool adiabatic = key == "diff-adiabatic";
    return studyOutputValue(run, adiabatic ? kAdiabaticCR : kIsothermalCR)
        - studyOutputValue(run, adiabatic ? kReferenceAdiabaticCR : kReferenceIsothermalCR);
}

} // namespace

MapValues mapValues(const MapStudy& map, const MapResult& result, const MapQuantity& quantity)
{
    MapValues values{&quantity, map.x, map.y, {}, fixedConditions(map)};
    values.z.reserve(result.runs.size());
    for (const RunResult& run : result.runs)
        values.z.push_back(valueOf(run, quantity.key));
    return values;
}

std::string fixedConditions(const MapStudy& map)
{
    std::string text;
    for (const StudyInputName& name : kStudyInputs) {
        if (name.input == map.x.input || name.input == map.y.input)
            continue;
        if (name.input == StudyInput::X && !map.base.inputs.sedimentMode)
            continue;
        text.append(text.empty() ? "" : ", ").append(name.name).append(" ");
        text.append(studyInputText(map.base, name.input));
        if (!name.unit.empty())
            text.append(" ").append(name.unit);
    }
    if (map.base.constantVolume)
        text.append(", constant volume");
    return text;
}

} // namespace qrv

#include "report/mapvalues.h"

#include "calculation/studyoutput.h"

#include <algorithm>

namespace qrv {

const MapZKey* findMapZKey(std::string_view key)
{
    const auto found = std::find_if(kMapZKeys.begin(), kMapZKeys.end(), [key](const MapZKey& z) { return z.key == key; });
    return found == kMapZKeys.end() ? nullptr : &*found;
}

namespace {

// The run's value of the quantity: one stored output, or the model's minus its reference.
double valueOf(const RunResult& run, std::string_view key)
{
    for (const auto& [name, output] : kOutputZKeys)
        if (name == key)
            return studyOutputValue(run, output);
    const bool adiabatic = key == "diff-adiabatic";
    return studyOutputValue(run, adiabatic ? kAdiabaticCR : kIsothermalCR)
        - studyOutputValue(run, adiabatic ? kReferenceAdiabaticCR : kReferenceIsothermalCR);
}

// The axis of a range, titled as charts title its input; R of a wet sediment is Rs.
MapAxis axisOf(const MapStudy& map, const MapRange& range)
{
    const std::string_view key = studyInputName(range.input).key;
    const bool sediment = map.base.inputs.sedimentMode || map.x.input == StudyInput::X || map.y.input == StudyInput::X;
    if (range.input == StudyInput::R && sediment)
        return {"Sediment/magma ratio Rs", "", range.values};
    const auto axis = std::find_if(kMapAxisKeys.begin(), kMapAxisKeys.end(),
                                   [key](const MapAxisKey& k) { return k.key == key; });
    return {std::string(axis->quantity), std::string(axis->unit), range.values};
}

} // namespace

MapGrid mapGrid(const MapStudy& map, const MapResult& result, const MapZKey& z)
{
    MapGrid grid;
    grid.title = z.title;
    grid.conditions = fixedConditions(map);
    grid.x = axisOf(map, map.x);
    grid.y = axisOf(map, map.y);
    grid.zQuantity = z.quantity;
    grid.zUnit = z.unit;
    grid.diverging = z.diverging;
    grid.z.reserve(result.runs.size());
    for (const RunResult& run : result.runs)
        grid.z.push_back(valueOf(run, z.key));
    return grid;
}

std::string fixedConditions(const MapStudy& map)
{
    return fixedConditions(map.base, {map.x.input, map.y.input});
}

std::string fixedConditions(const RunRequest& base, const std::vector<StudyInput>& varied)
{
    std::string text;
    for (const StudyInputName& name : kStudyInputs) {
        if (std::find(varied.begin(), varied.end(), name.input) != varied.end())
            continue;
        if (name.input == StudyInput::X && !base.inputs.sedimentMode)
            continue;
        text.append(text.empty() ? "" : ", ").append(name.name).append(" ");
        text.append(studyInputText(base, name.input));
        if (!name.unit.empty())
            text.append(" ").append(name.unit);
    }
    if (base.constantVolume)
        text.append(", constant volume");
    return text;
}

} // namespace qrv

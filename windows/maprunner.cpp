#include "windows/maprunner.h"

#include "base/numberformat.h"
#include "calculation/ratiosweep.h"
#include "display/recordinghost.h"
#include "model/calcstate.h"
#include "report/runend.h"
#include "report/sweeptable.h"
#include "windows/ratiosweeper.h"

#include <algorithm>

namespace qrv {

namespace {

// A text of the input that Continue takes: the start-up value, and for the water fraction a
// sediment of water alone.
std::string acceptedText(StudyInput input)
{
    switch (input) {
    case StudyInput::R: return formatShortest(kStartUpRatio);
    case StudyInput::TMagma: return formatShortest(kStartUpMagmaTemperatureK);
    case StudyInput::TInit: return formatShortest(kStartUpTemperatureK);
    case StudyInput::PInit: return formatShortest(double(kStartUpPressurePa) / 1e6);
    case StudyInput::PFinal: return formatShortest(double(kStartUpAmbientPressurePa) / 1e6);
    case StudyInput::X: break;
    }
    return "1";
}

// "TMagma 1073 K"
std::string valueLabel(StudyInput input, double value)
{
    const StudyInputName& name = studyInputName(input);
    return std::string(name.name) + " " + formatShortest(value) + (name.unit.empty() ? "" : " " + std::string(name.unit));
}

// "R 0.05, TMagma 1073 K"
std::string pointLabel(const MapStudy& map, std::size_t index)
{
    const std::size_t columns = map.x.values.size();
    return valueLabel(map.x.input, map.x.values[index % columns]) + ", "
        + valueLabel(map.y.input, map.y.values[index / columns]);
}

bool refused(const RunRequest& request, const std::string& prefix, EngineHost& host)
{
    RecordingHost refusal;
    if (!continueRefuses(request.inputs, refusal))
        return false;
    for (const HostMessage& message : refusal.messages())
        host.message(prefix + message.text, message.icon);
    return true;
}

} // namespace

std::optional<MapStudy> prepareMap(const InputTexts& texts, bool constantVolume, const MapRange& x, const MapRange& y,
                                   EngineHost& host)
{
    MapStudy map{{}, x, y};
    map.base.inputs = texts;
    map.base.constantVolume = constantVolume;
    // The input window's own boxes first, the ranges' holding values Continue takes; then
    // each value of each range, so that a refusal names the value it is about. The rules
    // check each box alone, so every point is then as acceptable as its values.
    RunRequest others = map.base;
    setStudyInput(others, x.input, acceptedText(x.input));
    setStudyInput(others, y.input, acceptedText(y.input));
    if (refused(others, "", host))
        return std::nullopt;
    for (const auto& [range, axis] : {std::pair{&x, "X axis"}, std::pair{&y, "Y axis"}}) {
        for (const double value : range->values) {
            RunRequest point = others;
            setStudyInput(point, range->input, ratioText(value));
            if (refused(point, std::string(axis) + " value " + valueLabel(range->input, value) + ": ", host))
                return std::nullopt;
        }
    }
    return map;
}

std::string mapRunSummary(const MapStudy& map, const MapResult& result)
{
    const auto& runs = result.runs;
    std::string text;
    const auto failed = std::count_if(runs.begin(), runs.end(), [](const RunResult& run) { return !runEnd(run).completed; });
    if (failed > 0) {
        const auto first = std::find_if(runs.begin(), runs.end(), [](const RunResult& run) { return !runEnd(run).completed; });
        text = std::to_string(failed) + " of " + std::to_string(runs.size()) + " points have no result; the first, at "
            + pointLabel(map, std::size_t(first - runs.begin())) + ": " + runStatusText(*first);
    }
    std::size_t messages = 0;
    const RunResult* firstMessage = nullptr;
    for (const RunResult& run : runs) {
        // A refused point's message is its status already.
        if (run.stage == RunStage::Refused)
            continue;
        messages += run.messages().size();
        if (!firstMessage && !run.messages().empty())
            firstMessage = &run;
    }
    if (firstMessage) {
        std::string message = firstMessage->messages().front().text;
        std::replace(message.begin(), message.end(), '\n', ' ');
        text += (text.empty() ? "" : "\n") + std::to_string(messages) + (messages == 1 ? " message" : " messages")
            + " during the map; the first, at " + pointLabel(map, std::size_t(firstMessage - runs.data())) + ": "
            + message;
    }
    return text;
}

} // namespace qrv

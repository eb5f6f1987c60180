#include "windows/ratiosweeper.h"

#include "engine/calcstate.h"
#include "engine/enginehost.h"
#include "engine/ratiosweep.h"
#include "engine/recordinghost.h"
#include "engine/runstore.h"
#include "steam/densitysolver.h"

#include <algorithm>
#include <cstdio>
#include <exception>

namespace qrv {

RatioSweeper::RatioSweeper(RunStore& store, EngineHost& host)
    : m_store(store)
    , m_host(host)
{
}

int RatioSweeper::room() const
{
    return RunStore::kCapacity - m_store.count();
}

std::string RatioSweeper::capacityRefusal(std::size_t count) const
{
    const auto fit = std::size_t(std::max(room(), 0));
    if (count <= fit)
        return {};
    const std::string stored = std::to_string(m_store.count());
    const std::string limit = std::to_string(RunStore::kCapacity);
    const std::string more = fit == 0 ? "no more runs fit" : "only " + std::to_string(fit) + " more runs fit";
    return "The plot keeps at most " + limit + " runs and holds " + stored + ": " + more + ", not "
           + std::to_string(count) + ".\nChoose fewer ratios, or empty the plot with Clear Data first.";
}

std::optional<RunRequest> RatioSweeper::prepare(InputTexts texts, bool constantVolume, double firstRatio)
{
    texts.ratio = ratioText(firstRatio);
    // A fresh state, as every run of the sweep gets: Continue then decides about S and Cv
    // exactly as it would for a single run after start-up.
    CalcState state;
    RecordingHost scratch;
    SetDefaults(state, scratch);
    const ContinueResult continued = applyContinue(state, texts, m_host);
    if (continued.outcome == ContinueOutcome::Refused)
        return std::nullopt;

    RunRequest request;
    request.inputs = texts;
    request.constantVolume = constantVolume;
    if (continued.outcome == ContinueOutcome::SteamTableRequest) {
        try {
            const WaterState& asked = continued.askedWater;
            const steam::Properties water =
                steam::stateAt(double(asked.pressurePa), double(asked.temperatureK)).properties;
            request.entropyText = ratioText(water.entropy);
            request.cvText = ratioText(water.cv);
        } catch (const std::exception& failure) {
            m_host.message("The steam table has no initial water state for this sweep: "
                               + std::string(failure.what()),
                           Icon::Exclamation);
            return std::nullopt;
        }
    }
    return request;
}

SweepReport RatioSweeper::run(const RunRequest& request, const std::vector<double>& ratios, SweepProgress& progress)
{
    SweepReport report;
    if (!capacityRefusal(ratios.size()).empty())
        return report;
    const int total = int(ratios.size());
    runSweep(request, ratios, [&](const SweepRun& run) {
        ++report.done;
        if (run.record) {
            m_store.append(*run.record);
            ++report.stored;
        }
        for (const HostMessage& message : run.messages)
            report.messages.push_back({run.ratio, message.text});
        report.cancelled = !progress.advance(report.done, total) && report.done < total;
        return !report.cancelled;
    });
    return report;
}

namespace {

// Six significant digits: the sweep's steps are computed, so 0.15 may be 0.15000000000000002.
std::string shortRatio(double ratio)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", ratio);
    return text;
}

} // namespace

std::string sweepMessageSummary(const std::vector<SweepMessage>& messages, std::size_t maxLines)
{
    std::string text = std::to_string(messages.size()) + (messages.size() == 1 ? " message" : " messages")
                       + " during the sweep:";
    const std::size_t shown = std::min(messages.size(), maxLines);
    for (std::size_t i = 0; i < shown; ++i) {
        std::string line = messages[i].text;
        std::replace(line.begin(), line.end(), '\n', ' ');
        text += "\nratio " + shortRatio(messages[i].ratio) + ": " + line;
    }
    if (messages.size() > shown)
        text += "\n... and " + std::to_string(messages.size() - shown) + " more";
    return text;
}

} // namespace qrv

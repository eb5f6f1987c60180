#include "windows/ratiosweeper.h"

#include "calculation/ratiosweep.h"
#include "runs/runstore.h"
#include "model/calcstate.h"

#include <algorithm>
#include <cstdio>

namespace qrv {

namespace {

// The plot window works the reference of the stored runs when it draws them.
constexpr CalculateOptions kDesktopSweepRuns{WindowTexts::Skipped, false};

std::vector<std::string> messageTexts(const RecordingHost& host)
{
    std::vector<std::string> shown;
    for (const HostMessage& message : host.messages())
        shown.push_back(message.text);
    return shown;
}

} // namespace

bool continueRefuses(const InputTexts& texts, RecordingHost& host)
{
    CalcState state;
    setStartUpValues(state);
    return applyContinue(state, texts, host).outcome == ContinueOutcome::Refused;
}

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

std::optional<RunRequest> RatioSweeper::prepare(InputTexts texts, bool constantVolume, double firstRatio,
                                                const SweepFamily& family)
{
    texts.ratio = ratioText(firstRatio);
    RunRequest request;
    request.inputs = texts;
    request.constantVolume = constantVolume;
    for (std::size_t member = 0; member < family.memberCount(); ++member) {
        RecordingHost refusal;
        if (!continueRefuses(familyMember(request, family, member).inputs, refusal))
            continue;
        // The family's value is named where it, not a box of the input window, is refused.
        RecordingHost boxes;
        const bool familyValue = family.input != FamilyInput::None
                                 && !(continueRefuses(request.inputs, boxes) && messageTexts(boxes) == messageTexts(refusal));
        const std::string prefix = familyValue ? "Family value " + family.memberLabel(member) + ": " : "";
        for (const HostMessage& message : refusal.messages())
            m_host.message(prefix + message.text, message.icon);
        return std::nullopt;
    }
    return request;
}

SweepReport RatioSweeper::run(const RunRequest& request, const std::vector<double>& ratios, SweepProgress& progress,
                              const SweepFamily& family)
{
    SweepReport report;
    const std::size_t runs = ratios.size() * family.memberCount();
    if (!capacityRefusal(runs).empty())
        return report;
    const int total = int(runs);
    report.memberRuns.assign(family.memberCount(), 0);
    runFamilySweep(request, family, ratios, [&](std::size_t member, const SweepRun& step) {
        const RunResult& run = step.run;
        if (run.stage == RunStage::SteamTableNeeded) {
            report.refusal = "The steam table has no initial water state for this sweep: " + run.steamTable.error;
            return false;
        }
        ++report.done;
        if (run.record) {
            m_store.append(*run.record);
            ++report.stored;
            if (report.memberRuns[member] == 0)
                report.memberRuns[member] = m_store.count();
        }
        for (const HostMessage& message : run.messages())
            report.messages.push_back({step.ratio, message.text, family.memberLabel(member)});
        report.cancelled = !progress.advance(report.done, total) && report.done < total;
        return !report.cancelled;
    }, kDesktopSweepRuns);
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
        const std::string member = messages[i].member.empty() ? "" : messages[i].member + ", ";
        text += "\n" + member + "ratio " + shortRatio(messages[i].ratio) + ": " + line;
    }
    if (messages.size() > shown)
        text += "\n... and " + std::to_string(messages.size() - shown) + " more";
    return text;
}

} // namespace qrv

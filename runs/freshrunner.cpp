#include "runs/freshrunner.h"

#include "runs/startupvalues.h"

namespace qrv {

std::optional<SeriesRecord> FreshRun::record() const
{
    return outcome.stored ? std::optional<SeriesRecord>(store.record(store.count())) : std::nullopt;
}

std::unique_ptr<FreshRun> FreshRunner::attempt(const RunRequest& request) const
{
    auto run = std::make_unique<FreshRun>(m_texts);
    SetDefaults(run->state, run->host);
    run->outcome = runCalculation(run->state, run->store, run->host, request);
    run->source = request.entropyText ? InitialValuesSource::Typed : InitialValuesSource::InputRules;
    return run;
}

std::unique_ptr<FreshRun> FreshRunner::run(const RunRequest& request)
{
    auto first = attempt(request);
    if (first->outcome.stage != RunStage::SteamTableNeeded)
        return first;

    // The request stopped at Continue, before any message or calculation: start afresh
    // with the values typed in, as the user would after reading them off the steam table.
    const std::string& query = first->outcome.continued.steamTableQuery;
    if (!m_answer || m_answer->query != query)
        m_answer = answerSteamTableQuery(query);
    if (!m_answer->error.empty()) {
        first->steamTable = *m_answer;
        return first;
    }
    RunRequest typed = request;
    typed.entropyText = exactText(m_answer->entropy);
    typed.cvText = exactText(m_answer->cv);
    auto answered = attempt(typed);
    answered->source = InitialValuesSource::Iapws95;
    answered->steamTable = *m_answer;
    return answered;
}

} // namespace qrv

#include "commands.h"

#include "calcstate.h"
#include "jsonreport.h"
#include "numberformat.h"
#include "ratiosweep.h"
#include "recordinghost.h"
#include "report.h"
#include "resultsfile.h"
#include "runstore.h"

#include <algorithm>
#include <iomanip>

namespace qrv::cli {

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kRefused = 2;

void reportSteamTableNeeded(std::ostream& err, const RunOutcome& outcome)
{
    err << "qrv-cli: the initial water (Pa,K = " << outcome.continued.steamTableQuery
        << ") needs steam-table values: give its entropy with --s and its Cv with --cv, in J/(kg K)\n";
}

// A message box on the terminal; every line of a multi-line text gets the prefix.
void printMessage(std::ostream& err, std::string_view prefix, std::string_view text)
{
    std::size_t start = 0;
    while (true) {
        const auto end = text.find('\n', start);
        err << prefix << text.substr(start, end - start) << '\n';
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
}

int sweepColumnWidth(std::string_view header) { return std::max<int>(int(header.size()), 11) + 2; }

} // namespace

int runCommand(const RunCommand& command, std::ostream& out, std::ostream& err)
{
    CalcState state;
    RecordingHost host;
    RunStore store;
    SetDefaults(state, host);
    host.setMessageSink([&err](const HostMessage& message) { printMessage(err, "", message.text); });

    const RunOutcome outcome = runCalculation(state, store, host, command.request);
    switch (outcome.stage) {
    case RunStage::Refused:
        return kRefused;
    case RunStage::SteamTableNeeded:
        reportSteamTableNeeded(err, outcome);
        return kRefused;
    case RunStage::NoEquilibrium:
        err << "qrv-cli: the equilibrium pressure is negative; the calculation stops here\n";
        return kFailed;
    case RunStage::Expanded:
        break;
    }

    const ResultTexts texts =
        resultTextsFrom([&host](std::string_view control) { return host.text(Window::Results, control); },
                        state.PFinal);
    const std::optional<SeriesRecord> record =
        outcome.stored ? std::optional<SeriesRecord>(store.record(store.count())) : std::nullopt;
    if (command.json)
        out << runJson(state, host, texts, record) << '\n';
    else
        printRunReport(out, host);

    if (command.qrvPath) {
        if (const std::string error = writeResultsFile(*command.qrvPath, texts); !error.empty()) {
            err << "Save error: " << error << '\n';
            return kFailed;
        }
    }
    return outcome.stored ? kDone : kFailed;
}

int sweepCommand(const SweepCommand& command, std::ostream& out, std::ostream& err)
{
    const SweepRatios sweep = sweepRatios(command.from, command.to, command.step);
    if (!sweep.error.empty()) {
        err << "qrv-cli: option --r: " << sweep.error << '\n' << kUsage;
        return kRefused;
    }

    for (int i = 0; i < SeriesRecord::kFieldCount; ++i) {
        const auto header = kSeriesFieldNames[std::size_t(i)];
        if (command.csv)
            out << (i ? "," : "") << header;
        else
            out << std::left << std::setw(sweepColumnWidth(header)) << header;
    }
    out << '\n';

    int status = kDone;
    runSweep(command.request, sweep.ratios, [&](const SweepRun& run) {
        const std::string prefix = "[R=" + ratioText(run.ratio) + "] ";
        for (const auto& message : run.messages)
            printMessage(err, prefix, message.text);
        if (run.outcome.stage == RunStage::SteamTableNeeded) {
            reportSteamTableNeeded(err, run.outcome);
            status = kRefused;
            return false;
        }
        if (!run.record) {
            status = kFailed;
            return true;
        }
        for (int i = 0; i < SeriesRecord::kFieldCount; ++i) {
            const std::string value = formatGeneral(run.record->field(i));
            if (command.csv)
                out << (i ? "," : "") << value;
            else
                out << std::left << std::setw(sweepColumnWidth(kSeriesFieldNames[std::size_t(i)])) << value;
        }
        out << '\n';
        return true;
    });
    return status;
}

int openCommand(const OpenCommand& command, std::ostream& out, std::ostream& err)
{
    const ResultsFileRead read = readResultsFile(command.path);
    if (!read.texts) {
        err << "Open error: " << read.error << '\n';
        return kFailed;
    }
    const SeriesRecord record = recordFromResultTexts(*read.texts);
    if (command.json)
        out << openJson(*read.texts, record) << '\n';
    else
        printOpenReport(out, *read.texts, record);
    return kDone;
}

} // namespace qrv::cli

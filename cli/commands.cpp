#include "cli/commands.h"

#include "cli/help.h"
#include "cli/progressline.h"
#include "report/jsonreport.h"
#include "cli/ratiofilenames.h"
#include "cli/report.h"
#include "cli/runoutput.h"
#include "report/sweeptable.h"
#include "report/runend.h"
#include "report/steamtablenote.h"
#include "calculation/calculate.h"
#include "base/numberformat.h"
#include "calculation/ratiosweep.h"
#include "files/resultsfile.h"
#include "files/runstorecsv.h"
#include "calculation/sweepfamily.h"
#include "reference/referencecolumns.h"
#include "reference/referencepanel.h"
#include "reference/runreference.h"

#include <algorithm>
#include <filesystem>
#include <iomanip>

namespace qrv::cli {

namespace {

// The folder of each member's results files, made: the folder given, and in it one per member
// of a family ("tmagma-1073"). The failure's description, empty when all were made.
std::string makeMemberFolders(const std::string& folder, const SweepFamily& family,
                              std::vector<std::filesystem::path>& folders)
{
    for (std::size_t m = 0; m < family.memberCount(); ++m) {
        folders.emplace_back(folder);
        if (family.input != FamilyInput::None)
            folders.back() /= std::string(familyInputName(family.input).key) + "-" + family.values[m];
        std::error_code ec;
        std::filesystem::create_directories(folders.back(), ec);
        if (ec)
            return ec.message();
    }
    return {};
}

// Refuses a chart that cannot be drawn before any run is made.
std::string sweepChartError(const SweepCommand& command, std::size_t runCount)
{
    if (!command.chart)
        return {};
    if (runCount > std::size_t(RunStore::kCapacity))
        return "option --plot: the chart holds at most " + std::to_string(RunStore::kCapacity)
            + " runs, the sweep has " + std::to_string(runCount);
    return chartRequestError(*command.chart);
}

} // namespace

int runCommand(const RunCommand& command, std::ostream& out, std::ostream& err)
{
    const RunResult run = calculate(command.request);
    for (const auto& message : run.messages())
        printMessage(err, "", message.text);
    const int status = runStatus(run);
    if (run.stage == RunStage::SteamTableNeeded || run.stage == RunStage::NoEquilibrium)
        err << "qrv-cli: " << runEnd(run).error << '\n';
    if (command.json)
        out << runJson(run) << '\n';
    if (run.stage != RunStage::Expanded)
        return status;
    if (!command.json) {
        if (run.source == InitialValuesSource::Iapws95)
            out << steamTableNote(run.steamTable) << "\n\n";
        printRunReport(out, run.shown);
    }

    // The results window enables Save only when a run has completed; a run without a
    // reference is still a completed run: the reference never sets the status.
    if (command.qrvPath && !run.stored) {
        err << "qrv-cli: the run did not complete; no results file was written\n";
        return status;
    }
    if (command.qrvPath) {
        if (const std::string error = writeResultsFile(*command.qrvPath, run.resultsFile()); !error.empty()) {
            err << "Save error: " << error << '\n';
            return combined(status, kFileError);
        }
    }
    return status;
}

int sweepCommand(const SweepCommand& command, std::ostream& out, std::ostream& err)
{
    const SweepRatios sweep = sweepRatios(command.from, command.to, command.step);
    if (!sweep.error.empty()) {
        err << "qrv-cli: option --r: " << sweep.error << '\n' << usageText();
        return kRefused;
    }
    const SweepFamily& family = command.family;
    const bool members = family.input != FamilyInput::None;
    const std::size_t runCount = sweep.ratios.size() * family.memberCount();
    if (const std::string error = sweepChartError(command, runCount); !error.empty()) {
        err << "qrv-cli: " << error << '\n';
        return kRefused;
    }
    if (command.peaks)
        return peaksCommand(command, sweep.ratios, out, err);
    std::vector<std::filesystem::path> folders;
    std::vector<std::string> fileNames;
    if (command.qrvDir) {
        if (const std::string error = makeMemberFolders(*command.qrvDir, family, folders); !error.empty()) {
            err << "Save error: " << error << '\n';
            return kFileError;
        }
        fileNames = ratioFileNames(sweep.ratios);
    }

    const std::vector<std::string> headings = sweepHeadings(family);
    if (!command.json)
        printTableLine(out, command.csv, headings, headings);
    RunStore chartRuns;
    bool steamTableNoted = false;
    int status = kDone;
    std::size_t failedRatios = 0;
    ProgressLine progress(err, terminalProgress(), runCount);
    std::size_t runsDone = 0;
    // A sweep ends early only when the initial water has no S and Cv or the output is lost.
    const bool finished = runFamilySweep(command.request, family, sweep.ratios,
                                         [&](std::size_t member, const SweepRun& step) {
        const RunResult& run = step.run;
        const std::string memberPrefix
            = members ? std::string(familyInputName(family.input).name) + "=" + family.values[member] + " " : "";
        const std::string prefix = "[" + memberPrefix + "R=" + std::string(step.ratioText) + "] ";
        if (!run.messages().empty())
            progress.clear();
        for (const auto& message : run.messages())
            printMessage(err, prefix, message.text);
        const bool lastRun = run.stage == RunStage::SteamTableNeeded;
        if (lastRun) {
            err << "qrv-cli: " << runEnd(run).error << '\n';
        } else if (run.source == InitialValuesSource::Iapws95 && !steamTableNoted) {
            err << steamTableNote(run.steamTable) << '\n';
            steamTableNoted = true;
        }
        if (const int ratioStatus = runStatus(run); ratioStatus != kDone) {
            ++failedRatios;
            status = combined(status, ratioStatus);
        }
        if (command.qrvDir && run.stored) {
            const auto path = folders[member] / fileNames[step.index];
            if (const std::string error = writeResultsFile(path.string(), run.resultsFile()); !error.empty()) {
                err << prefix << "Save error: " << error << '\n';
                status = combined(status, kFileError);
            }
        }
        const auto& record = run.record;
        if (command.json) {
            out << sweepRunJson(run, step.ratio, family, member) << '\n';
        } else if (record) {
            std::vector<std::string> cells;
            if (members)
                cells.push_back(family.values[member]);
            appendRunCells(cells, command.csv ? reference::CellPrecision::Full : reference::CellPrecision::Single, run);
            printTableLine(out, command.csv, headings, cells);
        }
        // Output that is lost ends the sweep; the caller says why.
        if (!out) {
            status = kFileError;
            return false;
        }
        if (command.chart && record)
            chartRuns.append(*record);
        progress.update(++runsDone);
        return !lastRun;
    }, CalculateOptions{command.qrvDir ? WindowTexts::Kept : WindowTexts::Skipped, true});
    progress.clear();
    if (!finished)
        return status;
    if (failedRatios > 0)
        err << "qrv-cli: " << failedRatios << " of " << runCount << (members ? " runs" : " ratios") << " failed\n";

    if (command.chart) {
        if (const std::string error = writeSweepChart(chartRuns, *command.chart); !error.empty()) {
            err << "Save error: " << error << '\n';
            status = combined(status, kFileError);
        }
    }
    return status;
}

int openCommand(const OpenCommand& command, std::ostream& out, std::ostream& err)
{
    const ResultsFileRead read = readResultsFile(command.path);
    if (!read.texts) {
        err << "Open error: " << read.error << '\n';
        return kFileError;
    }
    const SeriesRecord record = recordFromResultTexts(*read.texts);
    if (command.json) {
        const OpenJson json = openJson(*read.texts, record, reference::computeReference(reference::referenceInputOf(record)));
        out << json.text << '\n';
        if (json.replacedBytes > 0)
            err << "qrv-cli: " << command.path << ": " << json.replacedBytes
                << (json.replacedBytes == 1 ? " byte is" : " bytes are")
                << " not UTF-8; the JSON has U+FFFD in their place\n";
    } else
        printOpenReport(out, *read.texts, record);
    return kDone;
}

} // namespace qrv::cli

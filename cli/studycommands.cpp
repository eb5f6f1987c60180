// The studies of qrv-cli: a sweep's peaks, maps and uncertainty.
#include "cli/commands.h"

#include "base/numberformat.h"
#include "calculation/peaks.h"
#include "calculation/studyoutput.h"
#include "cli/sweepchart.h"
#include "cli/progressline.h"
#include "cli/runoutput.h"
#include "report/jsonreport.h"
#include "report/mapvalues.h"
#include "report/runend.h"
#include "report/steamtablenote.h"
#include "report/sweeptable.h"

#include <algorithm>
#include <cmath>

namespace qrv::cli {

namespace {

// A number at full precision for files, as short as it allows for a table; empty for NaN.
std::string cell(double value, bool csv)
{
    if (std::isnan(value))
        return {};
    return csv ? formatShortest(value) : formatGeneral(float(value));
}

// The progress of a study on standard error, when that is a terminal.
StudyProgress progressOn(ProgressLine& line)
{
    return [&line](std::size_t done, std::size_t) {
        line.update(done);
        return true;
    };
}

// A run refused for the inputs every run shares: its messages, and its status.
int refusedAtOnce(const RunResult& run, std::ostream& err)
{
    for (const auto& message : run.messages())
        printMessage(err, "", message.text);
    if (run.stage == RunStage::SteamTableNeeded)
        err << "qrv-cli: " << runEnd(run).error << '\n';
    return runStatus(run);
}

// "[TMagma=1273 R=0.1] "
std::string pointPrefix(const MapStudy& map, std::size_t i, std::size_t j)
{
    return "[" + std::string(studyInputName(map.x.input).name) + "=" + formatShortest(map.x.values[i]) + " "
        + std::string(studyInputName(map.y.input).name) + "=" + formatShortest(map.y.values[j]) + "] ";
}

} // namespace

int peaksCommand(const SweepCommand& command, const std::vector<double>& ratios, std::ostream& out, std::ostream& err)
{
    const SweepFamily& family = command.family;
    RunRequest first = familyMember(command.request, family, 0);
    first.inputs.ratio = ratioText(ratios.front());
    if (const RunResult run = calculate(first, kSweepRuns); runStatus(run) == kRefused)
        return refusedAtOnce(run, err);

    const bool members = family.input != FamilyInput::None;
    std::vector<std::string> headings;
    if (members)
        headings.push_back(sweepHeadings(family).front());
    const std::size_t pathColumn = headings.size();
    headings.insert(headings.end(), {"Path", "R", "CR [%]"});
    // Columns are as wide as their headings, and Path as its longest name.
    std::vector<std::string> widths = headings;
    for (const PeakPath& path : kPeakPaths)
        widths[pathColumn].resize(std::max(widths[pathColumn].size(), path.name.size()));
    printTableLine(out, command.csv, widths, headings);
    int status = kDone;
    for (const Peak& peak : findPeaks(command.request, family, ratios)) {
        std::vector<std::string> cells;
        if (members)
            cells.push_back(family.values[peak.member]);
        cells.emplace_back(kPeakPaths[peak.path].name);
        cells.push_back(peak.found ? ratioText(peak.ratio) : std::string());
        const StudyOutput& output = kPeakPaths[peak.path].output;
        cells.push_back(!peak.found ? std::string()
                        : command.csv ? studyOutputText(peak.crPercent, output)
                                      : cell(peak.crPercent, false));
        printTableLine(out, command.csv, widths, cells);
        if (!peak.found) {
            err << "qrv-cli: " << (members ? family.memberLabel(peak.member) + ": " : std::string())
                << "no run of the range gave " << kPeakPaths[peak.path].name << " a conversion ratio\n";
            status = kCalculationError;
        }
    }
    return out ? status : kFileError;
}

int mapCommand(const MapCommand& command, std::ostream& out, std::ostream& err)
{
    if (command.plot) {
        if (const std::string error = mapRequestError(command.plot->picture); !error.empty()) {
            err << "qrv-cli: option --plot: " << error << '\n';
            return kRefused;
        }
    }
    const MapStudy& map = command.map;
    const std::size_t columns = map.x.values.size();
    MapResult result;
    {
        ProgressLine progress(err, terminalProgress(), columns * map.y.values.size());
        result = runMap(map, progressOn(progress));
    }

    const std::vector<std::string> headings = mapHeadings(map);
    printTableLine(out, command.csv, headings, headings);
    int status = kDone;
    std::size_t failed = 0;
    bool steamTableNoted = false;
    for (std::size_t index = 0; index < result.runs.size(); ++index) {
        const RunResult& run = result.runs[index];
        const std::size_t i = index % columns, j = index / columns;
        for (const auto& message : run.messages())
            printMessage(err, pointPrefix(map, i, j), message.text);
        if (run.source == InitialValuesSource::Iapws95 && !steamTableNoted) {
            err << steamTableNote(run.steamTable) << '\n';
            steamTableNoted = true;
        }
        if (const int pointStatus = runStatus(run); pointStatus != kDone) {
            ++failed;
            status = combined(status, pointStatus);
        }
        const auto precision = command.csv ? reference::CellPrecision::Full : reference::CellPrecision::Single;
        printTableLine(out, command.csv, headings, mapRowCells(map, i, j, run, precision));
    }
    if (!out)
        return kFileError;
    if (failed > 0)
        err << "qrv-cli: " << failed << " of " << result.runs.size() << " points failed\n";
    if (command.plot) {
        const MapGrid grid = mapGrid(map, result, *command.plot->z);
        if (const std::string error = writeMapPicture(grid, command.plot->picture); !error.empty()) {
            err << "Save error: " << error << '\n';
            status = combined(status, kFileError);
        }
    }
    return status;
}

int uncertaintyCommand(const UncertaintyCommand& command, std::ostream& out, std::ostream& err)
{
    const UncertaintyRequest& request = command.request;
    UncertaintyResult result;
    {
        ProgressLine progress(err, terminalProgress(), request.samples);
        result = runUncertainty(request, progressOn(progress));
    }
    const std::size_t failed = failedSamples(result);
    // The first failure tells why; the count tells how often.
    const auto firstFailed = std::find_if(result.runs.begin(), result.runs.end(), sampleFailed);
    if (firstFailed != result.runs.end())
        err << "qrv-cli: sample " << firstFailed - result.runs.begin() + 1 << ": " << runStatusText(*firstFailed) << '\n';

    if (command.csv) {
        std::vector<std::string> headings{"Sample"};
        for (const DrawnInput& drawn : request.drawn)
            headings.push_back(inputHeading(studyInputName(drawn.input).name, studyInputName(drawn.input).unit));
        for (const StudyOutput& output : kStudyOutputs)
            headings.push_back(studyOutputHeader(output));
        headings.emplace_back("Status");
        printTableLine(out, true, headings, headings);
        for (std::size_t sample = 0; sample < result.runs.size(); ++sample) {
            std::vector<std::string> cells{std::to_string(sample + 1)};
            for (const double value : result.drawn[sample])
                cells.push_back(formatShortest(value));
            for (const StudyOutput& output : kStudyOutputs)
                cells.push_back(studyOutputText(studyOutputValue(result.runs[sample], output), output));
            cells.push_back(runStatusText(result.runs[sample]));
            printTableLine(out, true, headings, cells);
        }
    } else if (command.json) {
        out << uncertaintyJson(request, result) << '\n';
    } else {
        out << "Samples: " << request.samples << ", failed: " << failed << ", seed: " << request.seed << "\n\n";
        std::vector<std::string> headings{"Output", "Count"};
        const Spread none{};
        for (const auto& [name, value] : spreadFigures(none))
            headings.emplace_back(name);
        std::vector<std::string> widths = headings;
        widths.front().resize(26, ' ');
        printTableLine(out, false, widths, headings);
        for (const StudyOutput& output : kStudyOutputs) {
            const Spread spread = spreadOf(studyOutputValues(result.runs, output));
            std::vector<std::string> cells{studyOutputHeader(output), std::to_string(spread.count)};
            for (const auto& [name, value] : spreadFigures(spread))
                cells.push_back(cell(value, false));
            printTableLine(out, false, widths, cells);
        }
    }
    if (!out)
        return kFileError;
    if (failed > 0) {
        err << "qrv-cli: " << failed << " of " << request.samples << " samples failed\n";
        return kCalculationError;
    }
    return kDone;
}

} // namespace qrv::cli

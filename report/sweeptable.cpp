#include "report/sweeptable.h"

#include "base/numberformat.h"
#include "files/runstorecsv.h"
#include "reference/runreference.h"
#include "report/runend.h"

namespace qrv {

std::string inputHeading(std::string_view name, std::string_view unit)
{
    std::string heading(name);
    if (!unit.empty())
        heading.append(" [").append(unit).append("]");
    return heading;
}

std::vector<std::string> sweepHeadings(const SweepFamily& family)
{
    std::vector<std::string> headings;
    if (family.input != FamilyInput::None) {
        const FamilyInputName& name = familyInputName(family.input);
        headings.push_back("Member " + inputHeading(name.name, name.unit));
    }
    const auto columns = csvHeaderNames(reference::referenceColumnNames());
    headings.insert(headings.end(), columns.begin(), columns.end());
    headings.insert(headings.end(), std::begin(kEnergyExcessHeadings), std::end(kEnergyExcessHeadings));
    return headings;
}

void appendRunCells(std::vector<std::string>& cells, reference::CellPrecision precision, const RunResult& run)
{
    const bool full = precision == reference::CellPrecision::Full;
    const SeriesRecord& record = run.record.value();
    for (int i = 0; i < SeriesRecord::kFieldCount; ++i)
        cells.push_back(full ? formatShortest(record.field(i)) : formatGeneral(record.field(i)));
    const auto referenceCells = reference::referenceCells(run.reference.value(), precision);
    cells.insert(cells.end(), referenceCells.begin(), referenceCells.end());
    for (const std::optional<double>& excess : {run.energy.adiabaticExcess, run.energy.isothermalExcess})
        cells.push_back(!excess ? std::string() : full ? formatShortest(*excess) : formatGeneral(float(*excess)));
}

std::string runStatusText(const RunResult& run)
{
    const RunEnd end = runEnd(run);
    if (!end.completed)
        return run.stage == RunStage::Refused && !run.messages().empty() ? end.error + ": " + run.messages().front().text
                                                                         : end.error;
    return run.faults == 0 ? "completed" : "completed; a routine reported an error";
}

std::vector<std::string> mapHeadings(const MapStudy& map)
{
    std::vector<std::string> headings;
    for (const MapRange* range : {&map.x, &map.y}) {
        const StudyInputName& name = studyInputName(range->input);
        headings.push_back("Map " + inputHeading(name.name, name.unit));
    }
    const auto sweep = sweepHeadings({});
    headings.insert(headings.end(), sweep.begin(), sweep.end());
    headings.emplace_back("Status");
    return headings;
}

std::vector<std::string> mapRowCells(const MapStudy& map, std::size_t i, std::size_t j, const RunResult& run,
                                     reference::CellPrecision precision)
{
    std::vector<std::string> cells{formatShortest(map.x.values.at(i)), formatShortest(map.y.values.at(j))};
    if (run.record) {
        appendRunCells(cells, precision, run);
    } else {
        const std::size_t empty = std::size_t(SeriesRecord::kFieldCount) + reference::referenceColumnNames().size() - 1;
        cells.resize(cells.size() + empty);
        cells.push_back(run.reference ? reference::referenceNote(*run.reference) : std::string());
        cells.resize(cells.size() + std::size(kEnergyExcessHeadings));
    }
    cells.push_back(runStatusText(run));
    return cells;
}

std::string mapCsv(const MapStudy& map, const MapResult& result)
{
    std::string csv = csvLine(mapHeadings(map)) + '\n';
    const std::size_t columns = map.x.values.size();
    for (std::size_t index = 0; index < result.runs.size(); ++index)
        csv += csvLine(mapRowCells(map, index % columns, index / columns, result.runs[index])) + '\n';
    return csv;
}

bool runCellHoldsText(std::size_t column)
{
    const std::size_t referenceColumn = column - std::size_t(SeriesRecord::kFieldCount);
    return column >= std::size_t(SeriesRecord::kFieldCount) && referenceColumn < reference::referenceColumnNames().size()
        && reference::referenceColumnHoldsText(referenceColumn);
}

} // namespace qrv

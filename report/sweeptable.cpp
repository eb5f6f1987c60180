#include "report/sweeptable.h"

#include "base/numberformat.h"
#include "calculation/sweepfamily.h"
#include "files/runstorecsv.h"

namespace qrv {

std::vector<std::string> sweepTableHeadings(const SweepFamily& family)
{
    std::vector<std::string> headings;
    if (family.input != FamilyInput::None) {
        const FamilyInputName& name = familyInputName(family.input);
        headings.push_back("Member " + std::string(name.name)
                           + (name.unit.empty() ? "" : " [" + std::string(name.unit) + "]"));
    }
    const auto columns = csvHeaderNames(reference::referenceColumnNames());
    headings.insert(headings.end(), columns.begin(), columns.end());
    return headings;
}

void appendRunCells(std::vector<std::string>& cells, reference::CellPrecision precision, const SeriesRecord& record,
                    const std::optional<reference::ReferenceOutcome>& reference)
{
    const bool full = precision == reference::CellPrecision::Full;
    for (int i = 0; i < SeriesRecord::kFieldCount; ++i)
        cells.push_back(full ? formatShortest(record.field(i)) : formatGeneral(record.field(i)));
    const auto referenceCells = reference::referenceCells(reference.value_or(reference::ReferenceOutcome{}), precision);
    cells.insert(cells.end(), referenceCells.begin(), referenceCells.end());
}

bool runCellHoldsText(std::size_t column)
{
    return column >= std::size_t(SeriesRecord::kFieldCount)
        && reference::referenceColumnHoldsText(column - std::size_t(SeriesRecord::kFieldCount));
}

} // namespace qrv

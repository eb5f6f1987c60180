#include "reference/referencecolumns.h"

#include "base/numberformat.h"
#include "files/runstorecsv.h"
#include "reference/runreference.h"

#include <string_view>

namespace qrv::reference {

namespace {

constexpr std::string_view kPrefix = "IAPWS-95 ";

// A stored quantity of the reference by its series key, or a path's phase after the path's
// quantities.
struct Column {
    std::string_view seriesKey;
    std::string_view name = {}; // the stored field's name when empty
    const PathResult Reference::*phaseOf = nullptr;
};

constexpr Column kColumns[] = {
    {"ep"}, {"et"}, {"ed"}, {"ee"},
    {"cra"}, {"sfa"}, {"wfa"}, {"fta"}, {{}, "PhaseAdiabatic", &Reference::adiabatic},
    {"cri"}, {"sfi"}, {"wfi"}, {"fti"}, {{}, "PhaseIsothermal", &Reference::isothermal},
};
// The last column, after the values.
constexpr std::string_view kNoteName = "Note";

std::string columnName(const Column& column)
{
    if (!column.name.empty())
        return std::string(kPrefix) + std::string(column.name);
    return std::string(kPrefix) + std::string(kSeriesFieldNames[std::size_t(*seriesKeyField(column.seriesKey))]);
}

} // namespace

std::string referenceColumnName(std::string_view seriesKey)
{
    return columnName(Column{seriesKey});
}

const std::vector<std::string>& referenceColumnNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const Column& column : kColumns)
            all.push_back(columnName(column));
        all.push_back(std::string(kPrefix) + std::string(kNoteName));
        return all;
    }();
    return names;
}

bool referenceColumnHoldsText(std::size_t column)
{
    return column >= std::size(kColumns) || kColumns[column].phaseOf != nullptr;
}

std::vector<std::string> referenceCells(const ReferenceOutcome& outcome, CellPrecision precision)
{
    std::vector<std::string> cells;
    for (const Column& column : kColumns) {
        if (!outcome.reference)
            cells.emplace_back();
        else if (column.phaseOf != nullptr)
            cells.emplace_back(phaseName(((*outcome.reference).*column.phaseOf).phase));
        else {
            const double value = *referenceValue(*outcome.reference, column.seriesKey);
            cells.push_back(precision == CellPrecision::Full ? formatShortest(value) : formatGeneral(float(value)));
        }
    }
    cells.push_back(referenceNote(outcome));
    return cells;
}

bool writeRunStoreCsvWithReference(const RunStore& store, std::ostream& out)
{
    RunReferences references;
    return writeRunStoreCsv(store, out, {referenceColumnNames(), [&references](const SeriesRecord& run) {
                                             return referenceCells(references.of(run), CellPrecision::Full);
                                         }});
}

} // namespace qrv::reference

#include "calculation/studyoutput.h"

#include "base/numberformat.h"
#include "reference/referencecolumns.h"
#include "reference/runreference.h"

#include <cmath>
#include <limits>

namespace qrv {

std::string studyOutputHeader(const StudyOutput& output)
{
    if (output.reference)
        return reference::referenceColumnName(output.seriesKey);
    return std::string(kSeriesFieldNames[std::size_t(*seriesKeyField(output.seriesKey))]);
}

double studyOutputValue(const RunResult& run, const StudyOutput& output)
{
    constexpr double missing = std::numeric_limits<double>::quiet_NaN();
    if (!run.record)
        return missing;
    if (!output.reference)
        return run.record->field(*seriesKeyField(output.seriesKey));
    if (!run.reference || !run.reference->reference)
        return missing;
    return reference::referenceValue(*run.reference->reference, output.seriesKey).value_or(missing);
}

std::string studyOutputText(double value, const StudyOutput& output)
{
    if (std::isnan(value))
        return {};
    return output.reference ? formatShortest(value) : formatShortest(float(value));
}

std::vector<double> studyOutputValues(const std::vector<RunResult>& runs, const StudyOutput& output)
{
    std::vector<double> values;
    values.reserve(runs.size());
    for (const RunResult& run : runs)
        values.push_back(studyOutputValue(run, output));
    return values;
}

} // namespace qrv

#include "cli/report.h"

#include "display/equilibriumwindow.h"
#include "base/numberformat.h"
#include "display/resultswindow.h"
#include "display/windowtext.h"

#include <iomanip>

namespace qrv::cli {

namespace {

constexpr int kCaptionWidth = 32;

void printRow(std::ostream& out, std::string_view caption, std::string_view value)
{
    out << std::left << std::setw(kCaptionWidth) << caption << value << '\n';
}

} // namespace

void printRunReport(std::ostream& out, const WindowRecord& shown)
{
    out << windowText(equilibriumwindow::kDescription, shown) << '\n'
        << windowText(resultswindow::kDescription, shown);
}

void printOpenReport(std::ostream& out, const ResultTexts& texts, const SeriesRecord& record)
{
    for (std::size_t i = 0; i < texts.size(); ++i)
        out << std::right << std::setw(2) << i + 1 << " \"" << texts[i] << "\"\n";
    out << "\nRun added to the store:\n";
    for (int i = 0; i < SeriesRecord::kFieldCount; ++i)
        printRow(out, std::string(kSeriesFieldNames[std::size_t(i)]) + ":", formatGeneral(record.field(i)));
}

} // namespace qrv::cli

#include "cli/report.h"

#include "cli/windowcaptions.h"
#include "engine/numberformat.h"
#include "engine/recordinghost.h"

#include <iomanip>

namespace qrv::cli {

namespace {

struct PathLabels {
    std::string_view title;
    std::string_view phase;
    std::string_view ratio;
    std::string_view steam;
    std::string_view water;
    std::string_view waterCaption;
    std::string_view error;
};

constexpr PathLabels kPaths[] = {
    {"Adiabatic Results", "labRes(1)", "labEffa", "labXa", "labXaw", "Label10(2)", "labErr2"},
    {"Isothermal Results", "labRes(2)", "labEffi", "labXi", "labXiw", "Label11(2)", "labErr1"},
};

constexpr int kCaptionWidth = 32;
constexpr int kColumnWidth = 16;

void printRow(std::ostream& out, std::string_view caption, std::string_view value)
{
    if (caption.empty())
        out << value << '\n';
    else
        out << std::left << std::setw(kCaptionWidth) << caption << value << '\n';
}

void printEquilibrium(std::ostream& out, const RecordingHost& host)
{
    out << "Equilibrium Conditions (SI)\n";
    for (const auto& row : kEquilibriumRows)
        printRow(out, row.caption, host.text(Window::Calc, row.control));
}

void printStateGrid(std::ostream& out, const RecordingHost& host)
{
    out << "Equilibrium and Final States:\n" << std::left << std::setw(kCaptionWidth) << ""
        << std::setw(kColumnWidth) << "Equilibrium" << std::setw(kColumnWidth) << "Final (Adiab)"
        << "Final (Iso)\n";
    for (std::size_t i = 0; i < kStateGridRows.size(); ++i) {
        const std::string index = "(" + std::to_string(i) + ")";
        out << std::setw(kCaptionWidth) << kStateGridRows[i] << std::setw(kColumnWidth)
            << host.text(Window::Results, "labES" + index) << std::setw(kColumnWidth)
            << host.text(Window::Results, "labFSA" + index) << host.text(Window::Results, "labFSI" + index)
            << '\n';
    }
    printRow(out, "Equilibrium Phase:", host.text(Window::Results, "labES(4)"));
}

void printPath(std::ostream& out, const RecordingHost& host, const PathLabels& path)
{
    const auto text = [&host](std::string_view control) { return host.text(Window::Results, control); };
    out << path.title << ": " << text(path.phase) << '\n';
    printRow(out, "  Conversion Ratio (%):", text(path.ratio));
    printRow(out, "  Steam Fraction:", text(path.steam));
    const std::string waterCaption = text(path.waterCaption);
    printRow(out, "  " + (waterCaption.empty() ? std::string("Water Fraction") : waterCaption) + ":",
             text(path.water));
    const ControlState& error = host.control(Window::Results, path.error);
    if (error.visible && error.text.find_first_not_of(' ') != std::string::npos)
        out << "  " << error.text << '\n';
}

void printResults(std::ostream& out, const RecordingHost& host)
{
    const auto text = [&host](std::string_view control) { return host.text(Window::Results, control); };
    out << text("Label1") << '\n';
    out << text("Label3") << ' ' << text("LabR") << '\n';
    for (const auto& row : kResultInputRows)
        printRow(out, row.caption, text(row.control));
    out << text("labEx") << '\n' << text("labPe") << "\n\n";
    printStateGrid(out, host);
    out << '\n';
    for (const auto& path : kPaths)
        printPath(out, host, path);
}

} // namespace

void printRunReport(std::ostream& out, const RecordingHost& host)
{
    printEquilibrium(out, host);
    out << '\n';
    printResults(out, host);
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

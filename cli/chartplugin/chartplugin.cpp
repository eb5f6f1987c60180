// qrv-cli's chart plug-in: the chart of a sweep's runs drawn as the plot window draws it,
// with the offscreen platform when there is no display.
#include "cli/chartplugin/chartplugin.h"

#include "chart/chartexport.h"
#include "base/version.h"
#include "chart/contour/mapgrid.h"
#include "chart/histogram/histogram.h"
#include "runs/runstore.h"

#include <QApplication>
#include <QFile>
#include <QtGlobal>

namespace qrv::cli {

namespace {

// Drawing needs an application object; without a display the offscreen platform serves.
void useOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

QString pathOf(const std::string& path) { return QFile::decodeName(path.c_str()); }

std::string fileError(const std::string& path)
{
    if (!isChartFileName(pathOf(path)))
        return "option --plot: \"" + path + "\" does not end in .png, .svg or .pdf";
    return {};
}

std::string requestError(const ChartRequest& request)
{
    if (!yChoiceFromKey(request.yKey))
        return "option --y: \"" + request.yKey + "\" is not one of " + yKeysText();
    return fileError(request.path);
}

// Runs the drawing with an application object for it, which lives only as long.
template <typename Draw>
std::string withApplication(Draw draw)
{
    useOffscreenWithoutDisplay();
    int argc = 1;
    char name[] = "qrv-cli";
    char* argv[] = {name, nullptr};
    const QApplication application(argc, argv);
    QString error;
    if (!draw(error))
        return error.toStdString();
    return {};
}

std::string writeChart(const RunStore& runs, const ChartRequest& request)
{
    return withApplication([&](QString& error) {
        PlotChoices choices;
        choices.y = *yChoiceFromKey(request.yKey);
        choices.curve = request.curve;
        choices.reference = request.reference;
        choices.peaks = request.peaks;
        return renderRunsChart(runs, choices, pathOf(request.path), QSize(request.widthPx, request.heightPx), &error);
    });
}

std::string pictureRequestError(const MapRequest& request) { return fileError(request.path); }

std::string writeMap(const MapGrid& map, const MapRequest& request)
{
    return withApplication([&](QString& error) {
        return exportMap(map, pathOf(request.path), QSize(request.widthPx, request.heightPx), &error);
    });
}

std::string writeHistograms(const HistogramSet& set, const HistogramsRequest& request)
{
    return withApplication([&](QString& error) {
        return exportHistograms(set, pathOf(request.path), QSize(request.widthPx, request.heightPx), &error);
    });
}

constexpr ChartPlugin kPlugin{kVersionMajor, kVersionMinor,     kVersionRevision, sizeof(RunStore), requestError,
                              writeChart,    sizeof(MapGrid),   pictureRequestError,  writeMap,
                              sizeof(HistogramSet), pictureRequestError,  writeHistograms};

} // namespace

} // namespace qrv::cli

extern "C" Q_DECL_EXPORT const qrv::cli::ChartPlugin* qrv_chart_plugin()
{
    return &qrv::cli::kPlugin;
}

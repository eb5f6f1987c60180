// qrv-cli's chart plug-in: the chart of a sweep's runs drawn as the plot window draws it,
// with the offscreen platform when there is no display.
#include "cli/chartplugin/chartplugin.h"

#include "chart/chartexport.h"
#include "runs/runstore.h"
#include "base/version.h"

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

QString pathOf(const ChartRequest& request) { return QFile::decodeName(request.path.c_str()); }

std::string requestError(const ChartRequest& request)
{
    if (!yChoiceFromKey(request.yKey))
        return "option --y: \"" + request.yKey + "\" is not one of " + yKeysText();
    if (!isChartFileName(pathOf(request)))
        return "option --plot: \"" + request.path + "\" does not end in .png, .svg or .pdf";
    return {};
}

std::string writeChart(const RunStore& runs, const ChartRequest& request)
{
    useOffscreenWithoutDisplay();
    int argc = 1;
    char name[] = "qrv-cli";
    char* argv[] = {name, nullptr};
    const QApplication application(argc, argv);
    QString error;
    PlotChoices choices;
    choices.y = *yChoiceFromKey(request.yKey);
    choices.curve = request.curve;
    choices.reference = request.reference;
    if (!renderRunsChart(runs, choices, pathOf(request), QSize(request.widthPx, request.heightPx), &error))
        return error.toStdString();
    return {};
}

constexpr ChartPlugin kPlugin{kVersionMajor, kVersionMinor, kVersionRevision, sizeof(RunStore),
                              requestError, writeChart};

} // namespace

} // namespace qrv::cli

extern "C" Q_DECL_EXPORT const qrv::cli::ChartPlugin* qrv_chart_plugin()
{
    return &qrv::cli::kPlugin;
}

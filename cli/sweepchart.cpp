#include "cli/sweepchart.h"

#ifdef QRV_CLI_WITH_PLOT

#include "engine/runstore.h"
#include "plot/chartexport.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

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

} // namespace

std::string chartRequestError(const ChartRequest& request)
{
    if (!yChoiceFromKey(request.yKey))
        return "option --y: \"" + request.yKey + "\" is not one of cr, sf, wf, ft, et, ep, ed, ee";
    static const QStringList suffixes = {"png", "svg", "pdf"};
    if (!suffixes.contains(QFileInfo(pathOf(request)).suffix().toLower()))
        return "option --plot: \"" + request.path + "\" does not end in .png, .svg or .pdf";
    return {};
}

std::string writeSweepChart(const RunStore& runs, const ChartRequest& request)
{
    useOffscreenWithoutDisplay();
    int argc = 1;
    char name[] = "qrv-cli";
    char* argv[] = {name, nullptr};
    const QApplication application(argc, argv);
    QString error;
    if (!renderRunsChart(runs, *yChoiceFromKey(request.yKey), request.curve, pathOf(request),
                         QSize(request.widthPx, request.heightPx), &error))
        return error.toStdString();
    return {};
}

} // namespace qrv::cli

#else

namespace qrv::cli {

std::string chartRequestError(const ChartRequest&)
{
    return "option --plot is not available in this build, which has no Qt";
}

std::string writeSweepChart(const RunStore&, const ChartRequest& request) { return chartRequestError(request); }

} // namespace qrv::cli

#endif

#include "cli/sweepchart.h"

#ifdef QRV_CHART_PLUGIN_FROM_BIN

#include "base/version.h"
#include "chart/contour/mapgrid.h"
#include "chart/histogram/histogram.h"
#include "cli/chartplugin/chartplugin.h"
#include "runs/runstore.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace qrv::cli {

namespace {

namespace fs = std::filesystem;

struct LoadedPlugin {
    const ChartPlugin* plugin = nullptr;
    std::string error; // why there is none
};

bool sameBuild(const ChartPlugin& plugin)
{
    return plugin.versionMajor == kVersionMajor && plugin.versionMinor == kVersionMinor
        && plugin.versionRevision == kVersionRevision && plugin.runStoreSize == sizeof(RunStore)
        && plugin.mapGridSize == sizeof(MapGrid) && plugin.histogramSetSize == sizeof(HistogramSet);
}

LoadedPlugin load(const fs::path& path)
{
    // Never unloaded: Qt stays in the process until it ends.
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        return {nullptr, dlerror()};
    const auto entry = reinterpret_cast<ChartPluginEntry>(dlsym(library, kChartPluginEntry));
    if (entry == nullptr)
        return {nullptr, path.string() + " is not qrv-cli's chart plug-in"};
    const ChartPlugin* plugin = entry();
    if (!sameBuild(*plugin))
        return {nullptr, path.string() + " belongs to another build of qrv-cli"};
    return {plugin, {}};
}

// Next to the program (the build folder), then in the library folder of the installation
// the program is in.
LoadedPlugin find()
{
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {nullptr, "the folder of qrv-cli is unknown: " + ec.message()};
    const fs::path folders[] = {program.parent_path(), (program.parent_path() / QRV_CHART_PLUGIN_FROM_BIN).lexically_normal()};
    for (const fs::path& folder : folders) {
        if (fs::exists(folder / kChartPluginFile, ec))
            return load(folder / kChartPluginFile);
    }
    return {nullptr, "the chart plug-in " + std::string(kChartPluginFile) + " is neither in " + folders[0].string()
                         + " nor in " + folders[1].string()};
}

const LoadedPlugin& chartPlugin()
{
    static const LoadedPlugin loaded = find();
    return loaded;
}

// The plug-in's answer, or why there is no plug-in to ask, after the words unavailable.
template <typename Ask>
std::string askPlugin(const char* unavailable, Ask ask)
{
    const LoadedPlugin& loaded = chartPlugin();
    if (loaded.plugin == nullptr)
        return unavailable + loaded.error;
    return ask(*loaded.plugin);
}

} // namespace

std::string chartRequestError(const ChartRequest& request)
{
    return askPlugin("option --plot: charts are not available: ",
                     [&](const ChartPlugin& plugin) { return plugin.requestError(request); });
}

std::string writeSweepChart(const RunStore& runs, const ChartRequest& request)
{
    return askPlugin("charts are not available: ",
                     [&](const ChartPlugin& plugin) { return plugin.writeChart(runs, request); });
}

std::string mapRequestError(const MapRequest& request)
{
    return askPlugin("option --plot: maps are not available: ",
                     [&](const ChartPlugin& plugin) { return plugin.mapRequestError(request); });
}

std::string writeMapPicture(const MapGrid& map, const MapRequest& request)
{
    return askPlugin("maps are not available: ", [&](const ChartPlugin& plugin) { return plugin.writeMap(map, request); });
}

std::string histogramsRequestError(const HistogramsRequest& request)
{
    return askPlugin("option --plot: histograms are not available: ",
                     [&](const ChartPlugin& plugin) { return plugin.histogramsRequestError(request); });
}

std::string writeHistogramsPicture(const HistogramSet& set, const HistogramsRequest& request)
{
    return askPlugin("histograms are not available: ",
                     [&](const ChartPlugin& plugin) { return plugin.writeHistograms(set, request); });
}

} // namespace qrv::cli

#else

namespace qrv::cli {

std::string chartRequestError(const ChartRequest&)
{
    return "option --plot: charts are not available in this build of qrv-cli, which has no Qt";
}

std::string writeSweepChart(const RunStore&, const ChartRequest& request) { return chartRequestError(request); }

std::string mapRequestError(const MapRequest&)
{
    return "option --plot: maps are not available in this build of qrv-cli, which has no Qt";
}

std::string writeMapPicture(const MapGrid&, const MapRequest& request) { return mapRequestError(request); }

std::string histogramsRequestError(const HistogramsRequest&)
{
    return "option --plot: histograms are not available in this build of qrv-cli, which has no Qt";
}

std::string writeHistogramsPicture(const HistogramSet&, const HistogramsRequest& request)
{
    return histogramsRequestError(request);
}

} // namespace qrv::cli

#endif

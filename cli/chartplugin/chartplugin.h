// What qrv-cli asks of its chart plug-in. The plug-in holds everything of --plot that needs
// Qt, and qrv-cli loads it only for --plot, so that runs, sweeps and open load no Qt library.
#pragma once

#include "cli/sweepchart.h"

#include <cstddef>
#include <string>

namespace qrv {
class RunStore;
struct MapGrid;
struct HistogramSet;
}

namespace qrv::cli {

// The plug-in's file, next to qrv-cli in the build and in the library folder once installed.
inline constexpr char kChartPluginFile[] = "qrv-cli-charts.so";

// The name of the plug-in's one exported function, of type ChartPluginEntry.
inline constexpr char kChartPluginEntry[] = "qrv_chart_plugin";

struct ChartPlugin {
    // The build the plug-in belongs to, first so that any plug-in can be checked: what follows
    // may differ between builds.
    int versionMajor;
    int versionMinor;
    int versionRevision;
    std::size_t runStoreSize;

    // Why the chart cannot be drawn as asked; empty when it can.
    std::string (*requestError)(const ChartRequest& request);
    // Draws the stored runs and writes the file; the failure's description, empty on success.
    std::string (*writeChart)(const RunStore& runs, const ChartRequest& request);

    // Maps, added after charts: read only once the version has matched.
    std::size_t mapGridSize;
    // Why no map can be written to the request's file; empty when one can.
    std::string (*mapRequestError)(const MapRequest& request);
    // Draws the map and writes the file; the failure's description, empty on success.
    std::string (*writeMap)(const MapGrid& map, const MapRequest& request);

    // An uncertainty study's histograms, added after maps.
    std::size_t histogramSetSize;
    // Why no histograms can be written to the request's file; empty when they can.
    std::string (*histogramsRequestError)(const HistogramsRequest& request);
    // Draws the histograms and writes the file; the failure's description, empty on success.
    std::string (*writeHistograms)(const HistogramSet& set, const HistogramsRequest& request);
};

using ChartPluginEntry = const ChartPlugin* (*)();

} // namespace qrv::cli

// A map's picture for map --plot. The drawing needs Qt and belongs to the chart plug-in that
// draws sweep charts (cli/sweepchart.h); these two functions are the one place where qrv-cli
// hands a map to it.
#pragma once

#include "cli/options.h"

#include <string>

namespace qrv::cli {

// Why no map can be written as asked (the file's ending, no plug-in); empty when one can.
// Asked before the grid is run, so that a refused picture costs no runs.
std::string mapPlotError(const MapPlot& plot);

// Draws the values and writes the file; the failure's description, empty on success.
std::string writeMapPlot(const MapValues& values, const MapPlot& plot);

} // namespace qrv::cli

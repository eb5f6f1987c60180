#include "cli/mapplot.h"

namespace qrv::cli {

// Not yet connected: the plug-in's map entry takes the values as its MapGrid (x and y with
// their quantities and units from kStudyInputs, z, the quantity's title, unit and whether it
// is a difference, and the fixed conditions), and the picture's path and size.
constexpr char kNoMapPictures[] = "map pictures are not drawn by this build yet; use --csv for the values";

std::string mapPlotError(const MapPlot&)
{
    return kNoMapPictures;
}

std::string writeMapPlot(const MapValues&, const MapPlot&)
{
    return kNoMapPictures;
}

} // namespace qrv::cli

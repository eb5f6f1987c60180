// The chart of a sweep's runs written to a picture file, as the plot window draws it, and the
// map of a grid. The drawing needs Qt and lives in a plug-in that is loaded on first use; the
// engine-only build has none and says so.
#pragma once

#include <string>

namespace qrv {
class RunStore;
struct MapGrid;
struct HistogramSet;
}

namespace qrv::cli {

struct ChartRequest {
    std::string path; // .png, .svg or .pdf
    std::string yKey = "cr";
    bool curve = false;
    bool reference = false; // the runs' IAPWS-95 reference beside them
    bool peaks = false;     // each curve's largest conversion ratio marked
    int widthPx = 1600;
    int heightPx = 1000;
};

struct MapRequest {
    std::string path; // .png, .svg or .pdf
    int widthPx = 1600;
    int heightPx = 1000;
};

// An uncertainty study's histograms go to a picture as a map does.
using HistogramsRequest = MapRequest;

// Why the chart cannot be drawn as asked, or why no chart can be drawn at all (no plug-in);
// empty when it can.
std::string chartRequestError(const ChartRequest& request);

// Draws the stored runs and writes the file; the failure's description, empty on success.
std::string writeSweepChart(const RunStore& runs, const ChartRequest& request);

// Why no map can be written to that file (its suffix, or no plug-in); empty when one can. Asked
// before the grid is worked out, so that a refused picture costs no runs.
std::string mapRequestError(const MapRequest& request);

// Draws the map (chart/rendermap.h) and writes the file; the failure's description (a grid that
// cannot be drawn, a file that cannot be written), empty on success.
std::string writeMapPicture(const MapGrid& map, const MapRequest& request);

// The same of an uncertainty study's histograms (chart/renderhistograms.h).
std::string histogramsRequestError(const HistogramsRequest& request);
std::string writeHistogramsPicture(const HistogramSet& set, const HistogramsRequest& request);

} // namespace qrv::cli

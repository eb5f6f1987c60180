// The chart of a sweep's runs written to a picture file, as the plot window draws it. The
// drawing needs Qt and lives in a plug-in that is loaded on first use; the engine-only build
// has none and says so.
#pragma once

#include <string>

namespace qrv {
class RunStore;
}

namespace qrv::cli {

struct ChartRequest {
    std::string path; // .png, .svg or .pdf
    std::string yKey = "cr";
    bool curve = false;
    bool reference = false; // the runs' IAPWS-95 reference beside them
    int widthPx = 1600;
    int heightPx = 1000;
};

// Why the chart cannot be drawn as asked, or why no chart can be drawn at all (no plug-in);
// empty when it can.
std::string chartRequestError(const ChartRequest& request);

// Draws the stored runs and writes the file; the failure's description, empty on success.
std::string writeSweepChart(const RunStore& runs, const ChartRequest& request);

} // namespace qrv::cli

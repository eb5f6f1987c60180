// The peaks of a chart's curves of stored runs. The runs of one curve share every input but the
// ratio, and the store keeps those inputs, so the curve's peaks are found as qrv-cli's
// sweep --peaks finds them: by findPeaks over the curve's range of R, never off the drawn line.
#pragma once

#include "calculation/peaks.h"
#include "runs/runstore.h"

#include <map>
#include <string>
#include <vector>

namespace qrv {

// The inputs of a stored run as the input window's boxes would hold them (each the shortest
// text of the stored number), its initial water's S and Cv left to the calculation.
RunRequest requestOfRecord(const SeriesRecord& run);

struct CurvePeaks {
    std::vector<Peak> peaks; // one per path of kPeakPaths, in its order; empty with a reason
    std::string reason;      // why the curve has no peaks
};

// Each curve's peaks, worked once: charts are redrawn after every option click.
class CurvePeakFinder {
public:
    // The peaks of the curve of these stored runs (indexes into the store).
    const CurvePeaks& of(const RunStore& store, const std::vector<int>& runs);

private:
    std::map<std::vector<double>, CurvePeaks> m_found; // by the curve's inputs and ratios
};

} // namespace qrv

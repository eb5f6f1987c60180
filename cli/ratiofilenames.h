// File names of a sweep's results files, one per run.
#pragma once

#include <string>
#include <vector>

namespace qrv::cli {

// "run-01-R0.050.qrv" for each ratio, in the same order: the run's number, padded with zeros
// to the width of the last one, so that every run has its own name and the names sort in run
// order; then the ratio as the results window shows it ("0.000"), with more decimals where
// that tells the ratios apart.
std::vector<std::string> ratioFileNames(const std::vector<double>& ratios);

} // namespace qrv::cli

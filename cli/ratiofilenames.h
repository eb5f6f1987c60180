// File names of a sweep's results files, one per ratio, that sort by ratio.
#pragma once

#include <string>
#include <vector>

namespace qrv::cli {

// "run-R0.050.qrv" for each ratio, in the same order: the ratio as the results window shows
// it ("0.000"), with more decimals where that would give two ratios the same name and the
// integer part padded with zeros to the widest one ("run-R02.500.qrv" beside "run-R10.000.qrv").
std::vector<std::string> ratioFileNames(const std::vector<double>& ratios);

} // namespace qrv::cli

// Histograms of an uncertainty study's outputs: each output's values counted into bins of a
// round width (1, 2 or 5 times a power of ten) from a round edge, with the percentiles the
// study reports, one panel per output, and the study's conditions for the picture's title.
#pragma once

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace qrv {

struct HistogramBins {
    double low = 0;   // the first bin's lower edge, a multiple of width
    double width = 1; // every bin's
    std::vector<std::size_t> counts; // bin k holds low + k width <= v < low + (k + 1) width

    double edge(std::size_t k) const { return low + double(k) * width; }
    std::size_t total() const;
};

// The finite values counted into bins of Freedman and Diaconis' width (twice the values'
// interquartile range over the cube root of their count; the square-root rule where the
// quartiles coincide), rounded up to a 1-2-5 step and widened until at most kMostBins bins
// hold the values. Every finite value is in exactly one bin; NaN and infinities are left out.
HistogramBins binsOf(std::vector<double> values, double interquartileRange);
inline constexpr std::size_t kMostBins = 60;

struct HistogramPanel {
    std::string quantity; // "Adiabatic conversion ratio"
    std::string unit;     // "%"
    HistogramBins bins;
    // The 5, 50 and 95 % percentiles of the values, NaN without values.
    double p5 = NAN, p50 = NAN, p95 = NAN;
};

struct HistogramSet {
    std::string title;      // "QRV Uncertainty"
    std::string conditions; // the drawn inputs, the fixed ones, the seed and the samples
    std::string failed;     // "3 of 1000 samples failed", or "No sample failed"
    std::vector<HistogramPanel> panels;
};

// Why the set cannot be drawn (no panels, a bin width that is not positive, a value of a bin
// or percentile that is not finite where it must be); empty when it can.
std::string histogramSetError(const HistogramSet& set);

} // namespace qrv

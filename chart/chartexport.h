// The chart (or map) written to a picture file, from the plot window or from the command-line tool
// without any window: PNG, SVG or PDF, chosen by the file's suffix. Drawing a chart needs a
// QApplication (the offscreen platform will do), never a visible window.
#pragma once

#include "chart/plotroutine.h"

#include <QSize>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace qrv {

struct Chart;
struct MapGrid;
struct HistogramSet;
class RunStore;

// Writes the chart as it now stands. pixels is the size of a PNG, the size of an SVG and the
// aspect of a PDF page. The file is replaced only once it is complete; on failure error (when
// given) says why and an existing file is left as it was.
bool exportChart(const Chart& chart, const QString& path, QSize pixels, QString* error);

// Writes the map as exportChart writes a chart: the same picture types, sizes, title and
// description. A grid that cannot be drawn (mapGridError) is a failure that says why.
bool exportMap(const MapGrid& map, const QString& path, QSize pixels, QString* error);

// Writes an uncertainty study's histograms as exportChart writes a chart. A set that cannot be
// drawn (histogramSetError) is a failure that says why.
bool exportHistograms(const HistogramSet& set, const QString& path, QSize pixels, QString* error);

// Whether the file's suffix names a picture type exportChart writes: .png, .svg or .pdf.
bool isChartFileName(const QString& path);

// The Y choice of a key: cr, sf, wf, ft, et, ep, ed, ee.
std::optional<YChoice> yChoiceFromKey(std::string_view key);
// Those keys, as a list in words: "cr, sf, wf, ft, et, ep, ed, ee".
std::string yKeysText();

// Draws the stored runs as the plot window would with these choices, and writes the chart.
// A store without runs is a failure: nothing is written, error says why.
bool renderRunsChart(const RunStore& store, const PlotChoices& choices, const QString& path, QSize pixels,
                     QString* error);

} // namespace qrv

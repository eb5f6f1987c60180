// The chart of the plot window, of printing and of qrv-cli's --plot: what the plot routine
// drew (titles, the runs' conditions, axes with their ticks, series, legend and notes), and
// the figure on show, a chart or a map (chart/renderchart.h and chart/rendermap.h draw them
// onto any paint device).
#pragma once

#include "chart/contour/mapgrid.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QPainter;
class QRectF;

namespace qrv {

// Line styles that tell curves apart in a greyscale print as well as by colour.
enum class LineStyle { None, Solid, Dotted, Dashed, DashDot };
enum class MarkerShape { None, Circle, Square };

struct ChartAxis {
    QString title;
    double low = 0;
    double high = 1;
    std::vector<double> ticks;
    QStringList labels; // one per tick
};

struct ChartSeries {
    QString name; // what it draws: "TMagma 1073 K, Adiabatic", "Isothermal, IAPWS-95 reference"
    QColor colour;
    LineStyle line = LineStyle::None;
    MarkerShape marker = MarkerShape::None;
    std::vector<QPointF> curve; // the line, ascending in X
    std::vector<QPointF> markers; // one per run
};

struct LegendEntry {
    QString text;
    QColor colour;
    LineStyle line = LineStyle::None;
    MarkerShape marker = MarkerShape::None;
    bool area = false; // a shaded swatch, as bands are drawn
};

// A shaded area between two curves, each ascending in X: how far a path's runs spread.
struct ChartBand {
    QColor colour; // of the path's curve; the band is drawn translucent
    std::vector<QPointF> low;
    std::vector<QPointF> high;
};

// A curve's largest conversion ratio, found by the calculation between its runs rather than
// read off the drawn line: a diamond at the peak and a label with its value.
struct ChartPeak {
    QPointF at;
    QString label; // "38.33 % at R 0.430"
    QColor colour; // its curve's
    bool reference = false; // of an IAPWS-95 reference curve: a hollow diamond
};

struct Chart {
    QString title;
    QString conditions; // the runs' conditions, under the title
    QStringList notes; // what the chart does not show, and why, under the conditions
    ChartAxis x;
    ChartAxis y;
    std::vector<ChartSeries> series;
    std::vector<LegendEntry> legend;
    std::vector<ChartBand> bands; // behind the series
    std::vector<ChartPeak> peaks;
};

// A figure drawn into a target in units of 1/96 inch, holding its own copy of what it draws.
using FigureDrawing = std::function<void(QPainter& painter, const QRectF& target)>;

// The figure on show: the plot routine's last chart, or a map, which the screen repaints from
// and the clipboard, printing and files copy.
class ChartAdapter : public QObject {
    Q_OBJECT
public:
    explicit ChartAdapter(QObject* parent = nullptr);

    // Replaces the figure by the chart and shows it.
    void show(Chart chart);
    // Replaces the figure by the map and shows it; the grid must be drawable (mapGridError).
    void show(MapGrid map);
    // The last chart shown, also while a map is on show.
    const Chart& chart() const { return m_chart; }
    // The map on show; null while a chart is.
    const MapGrid* map() const { return m_map ? &*m_map : nullptr; }
    QString title() const;

    void render(QPainter& painter, const QRectF& target) const;
    // The figure as it stands now, for a print that later changes of the figure leave alone.
    FigureDrawing drawing() const;
    // Writes the figure as exportChart or exportMap write it.
    bool save(const QString& path, QSize pixels, QString* error) const;
    // The drawn chart as a picture of the given size (device-independent pixels).
    QImage picture(QSize size, qreal devicePixelRatio = 1.0) const;
    // Puts the picture on the clipboard, as an image and, for a chart, as SVG.
    void copyToClipboard(QSize size) const;

signals:
    void drawn();

private:
    Chart m_chart;
    std::optional<MapGrid> m_map;
};

} // namespace qrv

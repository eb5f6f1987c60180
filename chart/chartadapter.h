// The chart of the plot window, of printing and of qrv-cli's --plot: what the plot routine
// drew (titles, the runs' conditions, axes with their ticks, series, legend and notes), and
// the chart on show (chart/renderchart.h draws a chart onto any paint device).
#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPointF>
#include <QString>
#include <QStringList>

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

// The chart on show: the plot routine's last drawing, which the screen repaints from and
// the clipboard, printing and files copy.
class ChartAdapter : public QObject {
    Q_OBJECT
public:
    explicit ChartAdapter(QObject* parent = nullptr);

    // Replaces the chart and shows it.
    void show(Chart chart);
    const Chart& chart() const { return m_chart; }
    QString title() const { return m_chart.title; }

    void render(QPainter& painter, const QRectF& target) const;
    // The drawn chart as a picture of the given size (device-independent pixels).
    QImage picture(QSize size, qreal devicePixelRatio = 1.0) const;
    // Puts the picture on the clipboard, as an image and as SVG.
    void copyToClipboard(QSize size) const;

signals:
    void drawn();

private:
    Chart m_chart;
};

} // namespace qrv

// The chart of the plot window and of qrv-cli's --plot: the data that the plot routine hands
// over point by point, and one drawing of it onto any paint device (screen, clipboard
// picture, page, file).
#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

class QPainter;
class QRectF;

namespace qrv {

class ChartAdapter : public QObject {
    Q_OBJECT
public:
    // Points: markers at given X positions. Line: a line through equally spaced points,
    // labelled on the X axis. Trace: a line through points at given X positions.
    enum class Kind { Points, Line, Trace };

    explicit ChartAdapter(QObject* parent = nullptr);

    // Discards all data, titles stay.
    void reset();
    void setKind(Kind kind) { m_kind = kind; }
    Kind kind() const { return m_kind; }
    void setPointCount(int points);
    int pointCount() const { return m_pointCount; }
    void setSeriesCount(int series);
    int seriesCount() const { return int(m_series.size()); }

    // Series and points count from 1. A point without a value (NaN) is not drawn.
    void setValue(int series, int point, double value);
    double value(int series, int point) const;
    void setXPosition(int series, int point, double x);
    double xPosition(int series, int point) const;
    void setColour(int series, int point, QColor colour);
    QColor colour(int series, int point) const;
    void setXLabel(int point, const QString& label);
    QString xLabel(int point) const;
    // Every how many points a Line chart shows a label and a tick.
    void setLabelSpacing(int points) { m_labelSpacing = points; }
    int labelSpacing() const { return m_labelSpacing; }
    void setLegend(int series, const QString& text);
    QString legend(int series) const;

    void setTitle(const QString& title) { m_title = title; }
    QString title() const { return m_title; }
    void setXTitle(const QString& title) { m_xTitle = title; }
    QString xTitle() const { return m_xTitle; }
    void setYTitle(const QString& title) { m_yTitle = title; }
    QString yTitle() const { return m_yTitle; }
    void setYRange(double minimum, double maximum);
    double yMin() const { return m_yMin; }
    double yMax() const { return m_yMax; }
    // X axis of Points and Trace charts.
    void setXRange(double minimum, double maximum);
    double xMin() const { return m_xMin; }
    double xMax() const { return m_xMax; }

    // Shows the chart as it now stands.
    void draw();
    // Draws the chart laid out for target's size, in the painter's coordinates.
    void render(QPainter& painter, const QRectF& target) const;
    // The drawn chart as a picture of the given size (device-independent pixels).
    QImage picture(QSize size, qreal devicePixelRatio = 1.0) const;
    // Puts the picture on the clipboard, as an image and as SVG.
    void copyToClipboard(QSize size) const;

signals:
    void drawn();

private:
    struct Point {
        double value;
        double x;
        QColor colour;
    };
    struct Series {
        std::vector<Point> points;
        QString legend;
    };
    Point& point(int series, int point);
    const Point* findPoint(int series, int point) const;

    Kind m_kind = Kind::Points;
    int m_pointCount = 0;
    int m_labelSpacing = 1;
    std::vector<Series> m_series;
    QStringList m_xLabels;
    QString m_title;
    QString m_xTitle;
    QString m_yTitle;
    double m_yMin = 0;
    double m_yMax = 1;
    double m_xMin = 0;
    double m_xMax = 1;
};

} // namespace qrv

// The chart on screen: paints whatever the chart adapter last drew.
#pragma once

#include <QWidget>

namespace qrv {

class ChartAdapter;

class ChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit ChartWidget(const ChartAdapter& chart, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ChartAdapter& m_chart;
};

} // namespace qrv

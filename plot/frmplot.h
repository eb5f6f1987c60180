// The plot window: the chart of all stored runs, the choice of quantity, axis and kind, what
// the chart shows besides the runs, "Clear Data", "Print", and the store and the chart saved
// to files; or the last map run from the sweep dialog, shown, printed and saved alike.
#pragma once

#include "chart/chartadapter.h"
#include "chart/plotroutine.h"
#include "plot/plotview.h"

#include <QWidget>

#include <array>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace qrv {

class ChartWidget;
class EngineHost;
class ExportDialogs;
class RunStore;
class FrmPrint;
class MapPanel;

class FrmPlot : public QWidget, public PlotView {
    Q_OBJECT
public:
    FrmPlot(RunStore& store, EngineHost& host, QWidget* parent = nullptr);
    ~FrmPlot() override;

    // Redraws the chart from the store with the chosen options and puts it on the clipboard.
    void Plot();

    void showAndPlot() override;
    void plotIfVisible() override;
    void showMap(MapStudy map, MapResult result) override;

    ChartAdapter& chart() { return m_chart; }
    // A sweep's uncertainty bands, drawn with the runs; they must outlive the window.
    void setBands(const SweepBands* bands) { m_routine.setBands(bands); }
    // The print window, created on first use.
    FrmPrint& printWindow();
    // Replaces the file and picture size dialogs of "Export Data..." and "Save Chart...".
    void setExportDialogs(std::unique_ptr<ExportDialogs> dialogs);

signals:
    // The store was emptied: there is nothing to plot until the next run.
    void dataCleared();

private:
    void buildControls();
    // The figure chosen in the map panel: the held map, or the runs' chart.
    void showChosenFigure();
    PlotChoices choices() const;
    void xChosen(int index);
    void clearData();
    void printChart();
    // Buttons that act on stored runs follow whether there are any.
    void enableDataButtons(bool enabled);
    void enableOptions(bool enabled);
    QString saveFileName(const QString& title, const QString& fileName, const QString& filters);
    void exportData();
    void saveChart();

    RunStore& m_store;
    EngineHost& m_host;
    ChartAdapter m_chart;
    PlotRoutine m_routine;
    std::unique_ptr<FrmPrint> m_print;
    std::unique_ptr<ExportDialogs> m_exportDialogs;
    QSize m_pictureSize{1600, 1000};

    ChartWidget* m_graph1 = nullptr;
    MapPanel* m_mapPanel = nullptr;
    QGroupBox* m_frame1 = nullptr;
    QGroupBox* m_frame2 = nullptr;
    QGroupBox* m_frame3 = nullptr;
    QGroupBox* m_frame4 = nullptr;
    QGroupBox* m_frame5 = nullptr;
    QRadioButton* m_optCurve = nullptr;
    QRadioButton* m_optPoints = nullptr;
    QCheckBox* m_chkMarkers = nullptr;
    QCheckBox* m_chkFullScale = nullptr;
    QCheckBox* m_chkReference = nullptr;
    QCheckBox* m_chkPeaks = nullptr;
    std::array<QRadioButton*, 8> m_optY{};
    std::array<QRadioButton*, 8> m_optX{};
    QButtonGroup* m_yGroup = nullptr;
    QButtonGroup* m_xGroup = nullptr;
    QPushButton* m_cmdPrint = nullptr;
    QPushButton* m_cmdClose = nullptr;
    QPushButton* m_cmdClear = nullptr;
    QPushButton* m_cmdExportData = nullptr;
    QPushButton* m_cmdSaveChart = nullptr;
};

} // namespace qrv

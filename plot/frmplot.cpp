#include "plot/frmplot.h"

#include "base/appidentity.h"
#include "display/enginehost.h"
#include "runs/runstore.h"
#include "files/safewrite.h"
#include "plot/chartwidget.h"
#include "plot/exportdialogs.h"
#include "plot/mappanel.h"
#include "print/frmprint.h"
#include "reference/referencecolumns.h"
#include "widgets/screenfittedscroll.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <sstream>

namespace qrv {

namespace {

struct OptionText {
    const char* name;
    const char* caption;
};

constexpr std::array<OptionText, 8> kYOptions = {{
    {"optY_CR", "Conversion Ratio"},        {"optY_SF", "Steam Fraction"},
    {"optY_WF", "Water Fraction"},          {"optY_FT", "Final Temperature"},
    {"optY_ET", "Equilibrium Temperature"}, {"optY_EP", "Equilibrium Pressure"},
    {"optY_ED", "Equilibrium Density"},     {"optY_EE", "Equilibrium Entropy"},
}};

constexpr std::array<const char*, 8> kXCaptions = {
    "vs. R (water/magma ratio)", "vs. Magma Temperature",      "vs. Water Temperature",
    "vs. Hydrostatic Pressure",  "vs. Equilibrium Pressure",   "vs. Equilibrium Temperature",
    "vs. Equilibrium Density",   "vs.Equilibrium Entropy",
};

// An X axis that names an equilibrium quantity cannot also be the Y axis: that Y option is
// off, and if it was chosen the next one takes its place.
struct YSwap {
    int xIndex;
    YChoice disabled;
    YChoice instead;
};

constexpr std::array<YSwap, 4> kYSwaps = {{
    {4, YChoice::EquilibriumPressure, YChoice::EquilibriumTemperature},
    {5, YChoice::EquilibriumTemperature, YChoice::EquilibriumDensity},
    {6, YChoice::EquilibriumDensity, YChoice::EquilibriumEntropy},
    {7, YChoice::EquilibriumEntropy, YChoice::EquilibriumPressure},
}};

// Where files are saved unless the user goes elsewhere: the program's data folder.
QString dataFolder()
{
    const QString dataPath =
        QSettings(QString::fromUtf8(kOrganisationName), QString::fromUtf8(kApplicationName)).value(QStringLiteral("DataPath")).toString();
    return dataPath.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                              : dataPath;
}

std::string saveErrorText(const std::string& description) { return "Save error: " + description; }

} // namespace

FrmPlot::FrmPlot(RunStore& store, EngineHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), m_store(store), m_host(host), m_routine(store),
      m_exportDialogs(std::make_unique<StandardExportDialogs>())
{
    setObjectName(QStringLiteral("frmPlot"));
    setWindowTitle(QStringLiteral("QRV Plot"));
    buildControls();
    enableDataButtons(m_store.count() > 0);
    resize(900, 640);
}

FrmPlot::~FrmPlot() = default;

void FrmPlot::buildControls()
{
    m_graph1 = new ChartWidget(m_chart, this);
    m_graph1->setObjectName(QStringLiteral("Graph1"));
    // First in the order of Tab, as it stands over the figure.
    m_mapPanel = new MapPanel(this);
    connect(m_mapPanel, &MapPanel::changed, this, &FrmPlot::showChosenFigure);

    m_frame1 = new QGroupBox(QStringLiteral("Parameters"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    auto* parameters = new QVBoxLayout(m_frame1);

    m_frame4 = new QGroupBox(QStringLiteral("Plot Type"), m_frame1);
    m_frame4->setObjectName(QStringLiteral("Frame4"));
    auto* kindLayout = new QVBoxLayout(m_frame4);
    m_optCurve = new QRadioButton(QStringLiteral("Spline Curve"), m_frame4);
    m_optCurve->setObjectName(QStringLiteral("optCurve"));
    m_optPoints = new QRadioButton(QStringLiteral("Points"), m_frame4);
    m_optPoints->setObjectName(QStringLiteral("optPoints"));
    m_optPoints->setChecked(true);
    kindLayout->addWidget(m_optCurve);
    kindLayout->addWidget(m_optPoints);
    // Options react to being toggled, as the mouse, the arrow keys and screen readers all
    // toggle them; one of the pair toggling is one change.
    connect(m_optCurve, &QRadioButton::toggled, this, &FrmPlot::Plot);

    // What the chart shows besides the runs.
    m_frame5 = new QGroupBox(QStringLiteral("Show"), m_frame1);
    m_frame5->setObjectName(QStringLiteral("Frame5"));
    auto* showLayout = new QVBoxLayout(m_frame5);
    const auto checkBox = [this, showLayout](const char* name, const char* caption, const char* tip, bool checked) {
        auto* box = new QCheckBox(QString::fromLatin1(caption), m_frame5);
        box->setObjectName(QString::fromLatin1(name));
        box->setToolTip(QString::fromLatin1(tip));
        box->setChecked(checked);
        showLayout->addWidget(box);
        connect(box, &QCheckBox::toggled, this, &FrmPlot::Plot);
        return box;
    };
    m_chkMarkers = checkBox("chkMarkers", "Markers at the runs", "A marker at every run on the curves", true);
    m_chkFullScale = checkBox("chkFullScale", "Full scale",
                              "The Y axis over the whole range of its quantity instead of the runs' range", false);
    m_chkReference = checkBox("chkReference", "IAPWS-95 reference",
                              "Beside the runs, dashed: the same idealisation worked with exact water properties",
                              false);
    m_chkPeaks = checkBox("chkPeaks", "Peaks",
                          "Each curve's largest conversion ratio and the R where it lies, found by runs between "
                          "its runs; for the conversion ratio against R",
                          false);
    // Points are markers already.
    m_chkMarkers->setEnabled(false);
    connect(m_optCurve, &QRadioButton::toggled, m_chkMarkers, &QWidget::setEnabled);

    m_frame3 = new QGroupBox(QStringLiteral("Y-Axis"), m_frame1);
    m_frame3->setObjectName(QStringLiteral("Frame3"));
    auto* yLayout = new QVBoxLayout(m_frame3);
    m_yGroup = new QButtonGroup(this);
    for (int i = 0; i < 8; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(kYOptions[std::size_t(i)].caption), m_frame3);
        option->setObjectName(QString::fromLatin1(kYOptions[std::size_t(i)].name));
        m_yGroup->addButton(option, i);
        yLayout->addWidget(option);
        m_optY[std::size_t(i)] = option;
    }
    m_optY[0]->setChecked(true);
    connect(m_yGroup, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            Plot();
    });

    m_frame2 = new QGroupBox(QStringLiteral("X-Axis"), m_frame1);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    auto* xLayout = new QVBoxLayout(m_frame2);
    // Options close together, so that the window fits a laptop's screen.
    for (QVBoxLayout* options : {kindLayout, showLayout, yLayout, xLayout})
        options->setSpacing(1);
    m_xGroup = new QButtonGroup(this);
    for (int i = 0; i < 8; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(kXCaptions[std::size_t(i)]), m_frame2);
        option->setObjectName(QStringLiteral("optX(%1)").arg(i));
        m_xGroup->addButton(option, i);
        xLayout->addWidget(option);
        m_optX[std::size_t(i)] = option;
    }
    m_optX[0]->setChecked(true);
    connect(m_xGroup, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked)
            xChosen(index);
    });

    // Created in the order of their rows below, which Tab follows.
    const auto button = [this](const char* name, const char* caption, void (FrmPlot::*action)()) {
        auto* made = new QPushButton(QString::fromLatin1(caption), m_frame1);
        made->setObjectName(QString::fromLatin1(name));
        connect(made, &QPushButton::clicked, this, action);
        return made;
    };
    m_cmdExportData = button("cmdExportData", "Export Data...", &FrmPlot::exportData);
    m_cmdSaveChart = button("cmdSaveChart", "Save Chart...", &FrmPlot::saveChart);
    m_cmdPrint = button("cmdPrint", "Print", &FrmPlot::printChart);
    m_cmdClear = button("cmdClear", "Clear Data", &FrmPlot::clearData);
    m_cmdClose = button("cmdClose", "Close", &QWidget::hide);

    // The options scroll on a screen too short for them all; the buttons stay in reach.
    auto* options = new QWidget;
    auto* optionsLayout = new QVBoxLayout(options);
    optionsLayout->setContentsMargins({});
    for (QGroupBox* frame : {m_frame4, m_frame5, m_frame3, m_frame2})
        optionsLayout->addWidget(frame);
    optionsLayout->addStretch();
    auto* optionsScroll = new ScreenFittedScroll(options, m_frame1);
    parameters->addWidget(optionsScroll, 1);
    // Two buttons a row, for the same reason.
    auto* buttons = new QGridLayout;
    buttons->addWidget(m_cmdExportData, 0, 0);
    buttons->addWidget(m_cmdSaveChart, 0, 1);
    buttons->addWidget(m_cmdPrint, 1, 0);
    buttons->addWidget(m_cmdClear, 1, 1);
    buttons->addWidget(m_cmdClose, 2, 1);
    parameters->addLayout(buttons);

    auto* figure = new QVBoxLayout;
    figure->addWidget(m_mapPanel);
    figure->addWidget(m_graph1, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(figure, 1);
    layout->addWidget(m_frame1);
    const QMargins margins = layout->contentsMargins();
    optionsScroll->setReservedHeight(margins.top() + margins.bottom() + m_frame1->sizeHint().height()
                                     - optionsScroll->sizeHint().height());
}

PlotChoices FrmPlot::choices() const
{
    return {YChoice(m_yGroup->checkedId()), m_xGroup->checkedId(), m_optCurve->isChecked(),
            m_chkMarkers->isChecked(), m_chkFullScale->isChecked(), m_chkReference->isChecked(),
            m_chkPeaks->isEnabled() && m_chkPeaks->isChecked()};
}

void FrmPlot::Plot()
{
    // A stored run or a sweep shows the runs again; the map stays held.
    m_mapPanel->chooseRuns();
    enableOptions(true);
    // Peaks are those of the conversion ratio over a range of R.
    m_chkPeaks->setEnabled(m_yGroup->checkedId() == int(YChoice::ConversionRatio) && m_xGroup->checkedId() == 0);
    enableDataButtons(m_store.count() > 0);
    m_chart.show(m_routine.plot(choices()));
    m_chart.copyToClipboard(m_graph1->size());
}

void FrmPlot::showAndPlot()
{
    show();
    raise();
    activateWindow();
    Plot();
}

void FrmPlot::plotIfVisible()
{
    if (isVisible())
        Plot();
}

void FrmPlot::showMap(MapStudy map, MapResult result)
{
    m_mapPanel->hold(std::move(map), std::move(result));
    show();
    raise();
    activateWindow();
    showChosenFigure();
}

// The chart's options do not apply to a map: they are off while it is on show.
void FrmPlot::showChosenFigure()
{
    if (!m_mapPanel->showsMap()) {
        Plot();
        return;
    }
    enableOptions(false);
    enableDataButtons(true);
    m_cmdClear->setEnabled(m_store.count() > 0);
    m_chart.show(m_mapPanel->grid());
    m_chart.copyToClipboard(m_graph1->size());
}

void FrmPlot::xChosen(int index)
{
    for (const YSwap& swap : kYSwaps)
        m_optY[std::size_t(swap.disabled)]->setEnabled(true);
    for (const YSwap& swap : kYSwaps) {
        if (swap.xIndex != index)
            continue;
        QRadioButton* disabled = m_optY[std::size_t(swap.disabled)];
        if (disabled->isChecked()) {
            // One drawing for the change, below.
            const QSignalBlocker quiet(m_yGroup);
            m_optY[std::size_t(swap.instead)]->setChecked(true);
        }
        disabled->setEnabled(false);
    }
    Plot();
}

void FrmPlot::clearData()
{
    m_store.clear();
    m_mapPanel->chooseRuns();
    m_chart.show(PlotRoutine::placeholder());
    enableDataButtons(false);
    enableOptions(false);
    emit dataCleared();
}

FrmPrint& FrmPlot::printWindow()
{
    // Not a child: disabling this window while printing must leave the print window usable.
    if (!m_print) {
        m_print = std::make_unique<FrmPrint>(m_host);
        // A chart is wider than high: it prints across the page unless the user turns it.
        m_print->printEngine().setOrientation(PrintEngine::Landscape);
    }
    return *m_print;
}

// The print window draws the chart as it stands now straight onto the page, through the
// same drawing as the screen's; later runs change the screen, not the print.
void FrmPlot::printChart()
{
    if (!m_mapPanel->showsMap())
        Plot();
    printWindow().PrintSetup(this, m_chart.drawing());
    setEnabled(false);
}

void FrmPlot::enableDataButtons(bool enabled)
{
    m_cmdClear->setEnabled(enabled);
    m_cmdExportData->setEnabled(enabled);
    m_cmdSaveChart->setEnabled(enabled);
}

// The option frames are off from Clear Data until the next plot.
void FrmPlot::enableOptions(bool enabled)
{
    for (QWidget* frame : {m_frame2, m_frame3, m_frame4, m_frame5})
        frame->setEnabled(enabled);
}

void FrmPlot::setExportDialogs(std::unique_ptr<ExportDialogs> dialogs)
{
    m_exportDialogs = std::move(dialogs);
}

QString FrmPlot::saveFileName(const QString& title, const QString& fileName, const QString& filters)
{
    return m_exportDialogs->saveFileName(this, title, QDir(dataFolder()).filePath(fileName), filters);
}

void FrmPlot::exportData()
{
    const bool map = m_mapPanel->showsMap();
    QString path = saveFileName(QStringLiteral("Export Data"), map ? QStringLiteral("QRV Map.csv") : QStringLiteral("QRV Runs.csv"),
                                QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    std::ostringstream csv;
    if (map)
        csv << m_mapPanel->csv();
    else
        reference::writeRunStoreCsvWithReference(m_store, csv);
    const std::string error = safeWriteFile(QFile::encodeName(path).toStdString(), csv.str());
    if (!error.empty())
        m_host.message(saveErrorText(error), Icon::Information);
}

void FrmPlot::saveChart()
{
    const QString title = m_chart.title().isEmpty() ? QStringLiteral("QRV Chart") : m_chart.title();
    const QString path = saveFileName(
        QStringLiteral("Save Chart"), title + QStringLiteral(".png"),
        QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"));
    if (path.isEmpty())
        return;
    const std::optional<QSize> size = m_exportDialogs->pictureSize(this, m_pictureSize);
    if (!size)
        return;
    m_pictureSize = *size;
    QString error;
    if (!m_chart.save(path, m_pictureSize, &error))
        m_host.message(saveErrorText(error.toStdString()), Icon::Information);
}

} // namespace qrv

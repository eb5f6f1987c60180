#include "plot/frmplot.h"

#include "chart/chartexport.h"
#include "engine/appidentity.h"
#include "engine/enginehost.h"
#include "engine/runstore.h"
#include "engine/safewrite.h"
#include "plot/chartwidget.h"
#include "plot/exportdialogs.h"
#include "print/frmprint.h"
#include "reference/referencecolumns.h"

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
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

constexpr double kPrintPictureScale = 4.0;

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
    : QWidget(parent, Qt::Window), m_store(store), m_host(host), m_routine(store, m_chart, host),
      m_exportDialogs(std::make_unique<StandardExportDialogs>())
{
    setObjectName(QStringLiteral("frmPlot"));
    setWindowTitle(QStringLiteral("QRV Plot"));
    buildControls();
    enableDataButtons(m_store.count() > 0);
    resize(860, 560);
}

FrmPlot::~FrmPlot() = default;

void FrmPlot::buildControls()
{
    m_graph1 = new ChartWidget(m_chart, this);
    m_graph1->setObjectName(QStringLiteral("Graph1"));

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
    connect(m_optCurve, &QRadioButton::clicked, this, &FrmPlot::Plot);
    connect(m_optPoints, &QRadioButton::clicked, this, &FrmPlot::Plot);

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
    connect(m_yGroup, &QButtonGroup::idClicked, this, &FrmPlot::Plot);

    m_frame2 = new QGroupBox(QStringLiteral("X-Axis"), m_frame1);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    auto* xLayout = new QVBoxLayout(m_frame2);
    m_xGroup = new QButtonGroup(this);
    for (int i = 0; i < 8; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(kXCaptions[std::size_t(i)]), m_frame2);
        option->setObjectName(QStringLiteral("optX(%1)").arg(i));
        m_xGroup->addButton(option, i);
        xLayout->addWidget(option);
        m_optX[std::size_t(i)] = option;
    }
    m_optX[0]->setChecked(true);
    connect(m_xGroup, &QButtonGroup::idClicked, this, &FrmPlot::xClicked);

    m_cmdPrint = new QPushButton(QStringLiteral("Print"), m_frame1);
    m_cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    m_cmdClose = new QPushButton(QStringLiteral("Close"), m_frame1);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClear = new QPushButton(QStringLiteral("Clear Data"), m_frame1);
    m_cmdClear->setObjectName(QStringLiteral("cmdClear"));
    connect(m_cmdPrint, &QPushButton::clicked, this, &FrmPlot::printChart);
    connect(m_cmdClose, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_cmdClear, &QPushButton::clicked, this, &FrmPlot::clearData);
    m_cmdExportData = new QPushButton(QStringLiteral("Export Data..."), m_frame1);
    m_cmdExportData->setObjectName(QStringLiteral("cmdExportData"));
    m_cmdSaveChart = new QPushButton(QStringLiteral("Save Chart..."), m_frame1);
    m_cmdSaveChart->setObjectName(QStringLiteral("cmdSaveChart"));
    connect(m_cmdExportData, &QPushButton::clicked, this, &FrmPlot::exportData);
    connect(m_cmdSaveChart, &QPushButton::clicked, this, &FrmPlot::saveChart);

    parameters->addWidget(m_frame4);
    parameters->addWidget(m_frame3);
    parameters->addWidget(m_frame2);
    parameters->addStretch();
    parameters->addWidget(m_cmdExportData);
    parameters->addWidget(m_cmdSaveChart);
    parameters->addWidget(m_cmdPrint);
    parameters->addWidget(m_cmdClose);
    parameters->addWidget(m_cmdClear);

    // Holders of the chart picture on its way to the print window; never shown.
    m_picture1 = new QLabel(this);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->hide();
    m_picture2 = new QLabel(this);
    m_picture2->setObjectName(QStringLiteral("Picture2"));
    m_picture2->hide();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_graph1, 1);
    layout->addWidget(m_frame1);
}

PlotChoices FrmPlot::choices() const
{
    return {YChoice(m_yGroup->checkedId()), m_xGroup->checkedId(), m_optCurve->isChecked()};
}

void FrmPlot::Plot()
{
    m_frame2->setEnabled(true);
    m_frame3->setEnabled(true);
    m_frame4->setEnabled(true);
    enableDataButtons(m_store.count() > 0);
    m_routine.plot(choices());
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

void FrmPlot::xClicked(int index)
{
    for (const YSwap& swap : kYSwaps)
        m_optY[std::size_t(swap.disabled)]->setEnabled(true);
    for (const YSwap& swap : kYSwaps) {
        if (swap.xIndex != index)
            continue;
        QRadioButton* disabled = m_optY[std::size_t(swap.disabled)];
        if (disabled->isChecked())
            m_optY[std::size_t(swap.instead)]->setChecked(true);
        disabled->setEnabled(false);
    }
    Plot();
}

void FrmPlot::clearData()
{
    m_store.clear();
    m_routine.drawPlaceholder(m_optCurve->isChecked());
    enableDataButtons(false);
    m_frame2->setEnabled(false);
    m_frame3->setEnabled(false);
    m_frame4->setEnabled(false);
    emit dataCleared();
}

FrmPrint& FrmPlot::printWindow()
{
    // Not a child: disabling this window while printing must leave the print window usable.
    if (!m_print)
        m_print = std::make_unique<FrmPrint>(m_host);
    return *m_print;
}

void FrmPlot::printChart()
{
    Plot();
    const QImage picture = m_chart.picture(m_graph1->size(), kPrintPictureScale);
    m_picture2->clear();
    m_picture1->setPixmap(QPixmap::fromImage(picture));
    printWindow().PrintSetup(this, picture);
    setEnabled(false);
    Plot();
}

void FrmPlot::enableDataButtons(bool enabled)
{
    m_cmdClear->setEnabled(enabled);
    m_cmdExportData->setEnabled(enabled);
    m_cmdSaveChart->setEnabled(enabled);
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
    QString path = saveFileName(QStringLiteral("Export Data"), QStringLiteral("QRV Runs.csv"),
                                QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    std::ostringstream csv;
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
    if (!exportChart(m_chart, path, m_pictureSize, &error))
        m_host.message(saveErrorText(error.toStdString()), Icon::Information);
}

} // namespace qrv

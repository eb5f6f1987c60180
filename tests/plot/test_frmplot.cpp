#include "engine/recordinghost.h"
#include "engine/runstore.h"
#include "engine/runstorecsv.h"
#include "plot/exportdialogs.h"
#include "plot/frmplot.h"
#include "reference/referencecolumns.h"
#include "reference/runreference.h"
#include "tests/chart/exportfiles.h"
#include "tests/chart/sampleruns.h"

#include <QClipboard>
#include <QGroupBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <fstream>

using namespace qrv;

namespace {

// Answers the export dialogs as a test tells it and remembers what they were asked.
class ScriptedExportDialogs : public ExportDialogs {
public:
    QString fileName;
    std::optional<QSize> size;
    QStringList asked;

    QString saveFileName(QWidget*, const QString& title, const QString& startPath,
                         const QString& filters) override
    {
        asked << title << startPath << filters;
        return fileName;
    }
    std::optional<QSize> pictureSize(QWidget*, QSize initial) override
    {
        asked << QStringLiteral("%1 x %2").arg(initial.width()).arg(initial.height());
        return size;
    }
};

// Files larger than a few hundred bytes cannot be written while it lives: a full disk as
// far as this process can tell, even for root.
class SmallFileLimit {
public:
    SmallFileLimit()
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit small = m_saved;
        small.rlim_cur = 300;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~SmallFileLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class FrmPlotTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pointsAgainstTheRatio();
    void curvesAgainstTheRatio();
    void eachYChoiceDrawsItsSeries();
    void otherXAxesAndTheYSwaps();
    void clearDataAndItsComeback();
    void redrawsAfterARunOnlyWhileVisible();
    void chartGoesToTheClipboard();
    void curveCapacityIsReported();
    void exportDataWritesTheStore();
    void saveChartWritesTheChartAsShown();
    void cancelWritesNothing();
    void failedSavesKeepTheOldFile();
    void savesFollowLinksAndRespectReadOnlyFiles();

private:
    ScriptedExportDialogs& dialogs() { return *m_dialogs; }
    QString dataFile(const char* name) const { return m_data->filePath(QString::fromLatin1(name)); }

    template <typename T>
    T* control(const char* name)
    {
        T* found = m_plot->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    RunStore m_store;
    RecordingHost m_host;
    std::unique_ptr<FrmPlot> m_plot;
    ScriptedExportDialogs* m_dialogs = nullptr;
    std::unique_ptr<QTemporaryDir> m_data;
};

void FrmPlotTest::init()
{
    m_store.clear();
    test::fillSampleRuns(m_store);
    m_host = RecordingHost();
    m_plot = std::make_unique<FrmPlot>(m_store, m_host);
    auto dialogs = std::make_unique<ScriptedExportDialogs>();
    m_dialogs = dialogs.get();
    m_plot->setExportDialogs(std::move(dialogs));
    QStandardPaths::setTestModeEnabled(true);
    m_data = std::make_unique<QTemporaryDir>();
    QSettings(QStringLiteral("Tarvel"), QStringLiteral("QRV")).setValue(QStringLiteral("DataPath"), m_data->path() + QLatin1Char('/'));
}

void FrmPlotTest::cleanup()
{
    m_plot.reset();
    QSettings(QStringLiteral("Tarvel"), QStringLiteral("QRV")).remove(QStringLiteral("DataPath"));
}

void FrmPlotTest::pointsAgainstTheRatio()
{
    m_plot->showAndPlot();
    // Printing to a PDF file needs no printer.
    QVERIFY(control<QPushButton>("cmdPrint")->isEnabled());
    const ChartAdapter& chart = m_plot->chart();
    QCOMPARE(chart.kind(), ChartAdapter::Kind::Points);
    // One marker per run and nothing else: the axis, not a point at (3, 0), reaches 3.
    QCOMPARE(chart.pointCount(), 5);
    QCOMPARE(chart.seriesCount(), 2);
    QCOMPARE(chart.xMin(), 0.0);
    QCOMPARE(chart.xMax(), 3.0);
    QCOMPARE(chart.title(), QStringLiteral("QRV Conversion Ratios"));
    QCOMPARE(chart.xTitle(), QStringLiteral("R"));
    QCOMPARE(chart.yTitle(), QStringLiteral("%"));
    QCOMPARE(chart.yMax(), 100.0);
    QCOMPARE(chart.legend(1), QStringLiteral("Isothermal"));
    QCOMPARE(chart.legend(2), QStringLiteral("Adiabatic"));
    for (int p = 1; p <= 5; ++p) {
        QCOMPARE(chart.xPosition(1, p), double(m_store.record(p).R));
        QCOMPARE(chart.value(1, p), double(m_store.record(p).CRIsothermal));
        QCOMPARE(chart.value(2, p), double(m_store.record(p).CRAdiabatic));
        QCOMPARE(chart.colour(1, p), QColor(255, 0, 0));
        QCOMPARE(chart.colour(2, p), QColor(0, 0, 255));
    }
}

void FrmPlotTest::curvesAgainstTheRatio()
{
    m_plot->showAndPlot();
    control<QRadioButton>("optCurve")->click();
    const ChartAdapter& chart = m_plot->chart();
    QCOMPARE(chart.kind(), ChartAdapter::Kind::Line);
    QCOMPARE(chart.pointCount(), 300);
    QCOMPARE(chart.labelSpacing(), 30);
    QCOMPARE(chart.xLabel(30), QStringLiteral("0.3"));
    QCOMPARE(chart.xLabel(300), QStringLiteral("3.0"));
    // The runs were stored out of order; the curves still pass through every one of them.
    for (int r = 1; r <= m_store.count(); ++r) {
        const int p = int(std::lround(m_store.record(r).R * 100));
        QCOMPARE(float(chart.value(1, p)), m_store.record(r).CRIsothermal);
        QCOMPARE(float(chart.value(2, p)), m_store.record(r).CRAdiabatic);
    }
    for (int p = 1; p <= 300; ++p)
        QVERIFY(!std::isnan(chart.value(1, p)) && chart.value(1, p) <= 100);
    QCOMPARE(chart.value(1, 300), 0.0);
    QVERIFY(m_host.messages().empty());
}

void FrmPlotTest::eachYChoiceDrawsItsSeries()
{
    struct Expected {
        const char* option;
        const char* title;
        const char* yTitle;
        double yMax;
        const char* key;
        const char* legend;
    };
    const Expected table[] = {
        {"optY_SF", "QRV Steam Fractions", "Fract.", 1, "sfi", "Isothermal"},
        {"optY_WF", "QRV Water Fractions", "Fract.", 1, "wfi", "Isothermal"},
        {"optY_FT", "QRV Final Temperatures", "K", 1500, "fti", "Isothermal"},
        {"optY_ET", "QRV Equilibrium Temperatures", "K", 1500, "et", "T"},
        {"optY_EP", "QRV Equilibrium Pressures", "MPa", 200, "ep", "P"},
        {"optY_ED", "QRV Equilibrium Densities", "kg/m^3", 1000, "ed", "Rho"},
        {"optY_EE", "QRV Equilibrium Entropies", "J/kg-K", 8000, "ee", "S"},
        {"optY_CR", "QRV Conversion Ratios", "%", 100, "cri", "Isothermal"},
    };
    m_plot->showAndPlot();
    const ChartAdapter& chart = m_plot->chart();
    for (const Expected& e : table) {
        control<QRadioButton>(e.option)->click();
        QCOMPARE(chart.title(), QString::fromLatin1(e.title));
        QCOMPARE(chart.yTitle(), QString::fromLatin1(e.yTitle));
        QCOMPARE(chart.yMax(), e.yMax);
        QCOMPARE(chart.legend(1), QString::fromLatin1(e.legend));
        const bool single = std::string_view(e.key).size() == 2;
        QCOMPARE(chart.seriesCount(), single ? 1 : 2);
        QCOMPARE(chart.colour(1, 1), single ? QColor(0, 0, 255) : QColor(255, 0, 0));
        const int field = *seriesKeyField(e.key);
        QCOMPARE(chart.value(1, 3), double(m_store.record(3).field(field)));
    }
}

void FrmPlotTest::otherXAxesAndTheYSwaps()
{
    m_plot->showAndPlot();
    auto* pressureY = control<QRadioButton>("optY_EP");
    auto* temperatureY = control<QRadioButton>("optY_ET");
    for (int i = 1; i <= 7; ++i)
        QVERIFY(control<QRadioButton>(qPrintable(QStringLiteral("optX(%1)").arg(i)))->isEnabled());
    pressureY->click();
    control<QRadioButton>("optX(4)")->click();
    QVERIFY(!pressureY->isEnabled());
    QVERIFY(temperatureY->isChecked());
    const ChartAdapter& chart = m_plot->chart();
    QCOMPARE(chart.title(), QStringLiteral("QRV Equilibrium Temperatures"));
    QCOMPARE(chart.xTitle(), QStringLiteral("PEq [MPa]"));
    QCOMPARE(chart.kind(), ChartAdapter::Kind::Points);
    QCOMPARE(chart.pointCount(), 5);
    for (int p = 1; p <= 5; ++p) {
        QCOMPARE(chart.xPosition(1, p), double(m_store.record(p).PEqMPa));
        QCOMPARE(chart.value(1, p), double(m_store.record(p).TEq));
    }
    QVERIFY(chart.xMin() < 4 && chart.xMax() > 100);

    // As a curve the runs are joined in order of the X quantity.
    control<QRadioButton>("optCurve")->click();
    QCOMPARE(chart.kind(), ChartAdapter::Kind::Trace);
    QVERIFY(chart.pointCount() > 5);
    QCOMPARE(chart.xPosition(1, 1), 4.0);
    QCOMPARE(float(chart.value(1, 1)), 1370.0f);
    for (int p = 2; p <= chart.pointCount(); ++p)
        QVERIFY(chart.xPosition(1, p) > chart.xPosition(1, p - 1));

    control<QRadioButton>("optX(0)")->click();
    for (const char* name : {"optY_EP", "optY_ET", "optY_ED", "optY_EE"})
        QVERIFY(control<QRadioButton>(name)->isEnabled());
    QCOMPARE(chart.xTitle(), QStringLiteral("R"));
}

void FrmPlotTest::clearDataAndItsComeback()
{
    QSignalSpy cleared(m_plot.get(), &FrmPlot::dataCleared);
    m_plot->showAndPlot();
    auto* clear = control<QPushButton>("cmdClear");
    auto* exportData = control<QPushButton>("cmdExportData");
    auto* saveChart = control<QPushButton>("cmdSaveChart");
    QCOMPARE(exportData->text(), QStringLiteral("Export Data..."));
    QCOMPARE(saveChart->text(), QStringLiteral("Save Chart..."));
    QVERIFY(clear->isEnabled() && exportData->isEnabled() && saveChart->isEnabled());
    clear->click();
    QCOMPARE(cleared.count(), 1);
    QCOMPARE(m_store.count(), 0);
    const ChartAdapter& chart = m_plot->chart();
    QCOMPARE(chart.title(), QStringLiteral("QRV Results"));
    QCOMPARE(chart.yTitle(), QString());
    QCOMPARE(chart.seriesCount(), 1);
    QVERIFY(!clear->isEnabled() && !exportData->isEnabled() && !saveChart->isEnabled());
    for (const char* frame : {"Frame2", "Frame3", "Frame4"})
        QVERIFY(!control<QGroupBox>(frame)->isEnabled());

    // An empty store draws no marker at all.
    m_plot->Plot();
    QCOMPARE(chart.pointCount(), 0);
    QVERIFY(!clear->isEnabled());
    QVERIFY(control<QGroupBox>("Frame3")->isEnabled());

    m_store.append(test::sampleRun(0.4f, 25, 9, 1, 0.5f));
    m_plot->plotIfVisible();
    QVERIFY(clear->isEnabled() && exportData->isEnabled() && saveChart->isEnabled());
    clear->click();
    QCOMPARE(cleared.count(), 2);
    QCOMPARE(m_store.count(), 0);

    // A window opened over an empty store starts with them off.
    FrmPlot fresh(m_store, m_host);
    QVERIFY(!fresh.findChild<QPushButton*>(QStringLiteral("cmdExportData"))->isEnabled());
    QVERIFY(!fresh.findChild<QPushButton*>(QStringLiteral("cmdSaveChart"))->isEnabled());
}

void FrmPlotTest::redrawsAfterARunOnlyWhileVisible()
{
    const ChartAdapter& chart = m_plot->chart();
    m_plot->plotIfVisible();
    QCOMPARE(chart.pointCount(), 0);
    QVERIFY(chart.title().isEmpty());
    m_plot->showAndPlot();
    QCOMPARE(chart.pointCount(), 5);
    m_store.append(test::sampleRun(1.5f, 15, 6, 0.5f, 0.25f));
    m_plot->plotIfVisible();
    QCOMPARE(chart.pointCount(), 6);
    control<QPushButton>("cmdClose")->click();
    QVERIFY(!m_plot->isVisible());
    m_store.append(test::sampleRun(1.7f, 14, 5, 0.45f, 0.2f));
    m_plot->plotIfVisible();
    QCOMPARE(chart.pointCount(), 6);
}

void FrmPlotTest::chartGoesToTheClipboard()
{
    QGuiApplication::clipboard()->clear();
    m_plot->showAndPlot();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasImage());
    QVERIFY(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    const QImage image = qvariant_cast<QImage>(data->imageData());
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            red += image.pixelColor(x, y) == QColor(255, 0, 0);
    // Five isothermal markers of a few pixels each.
    QVERIFY2(red > 5 * 20, qPrintable(QString::number(red)));
}

void FrmPlotTest::curveCapacityIsReported()
{
    m_store.append(test::sampleRun(12.0f, 3, 1, 0.1f, 0.05f));
    m_plot->showAndPlot();
    control<QRadioButton>("optCurve")->click();
    QCOMPARE(int(m_host.messages().size()), 2);
    const HostMessage& message = m_host.messages().front();
    QCOMPARE(message.icon, Icon::Information);
    QVERIFY(QString::fromStdString(message.text).startsWith(QStringLiteral("Spline error:\r\n\r\nA curve")));
    const ChartAdapter& chart = m_plot->chart();
    for (int p = 1; p <= chart.pointCount(); ++p)
        QVERIFY(std::isnan(chart.value(1, p)));
}

void FrmPlotTest::exportDataWritesTheStore()
{
    m_store.append(test::sampleRun(1.0f / 3.0f, 1.0e-6f, -0.0f, 1, 3.4e38f));
    m_plot->showAndPlot();
    // A name typed without suffix still makes a CSV file.
    dialogs().fileName = dataFile("runs");
    control<QPushButton>("cmdExportData")->click();
    QCOMPARE(dialogs().asked, (QStringList{QStringLiteral("Export Data"), dataFile("QRV Runs.csv"),
                                           QStringLiteral("CSV files (*.csv)")}));
    QVERIFY(m_host.messages().empty());

    std::ifstream in(dataFile("runs.csv").toStdString());
    const RunStoreCsv back = readRunStoreCsv(in, reference::referenceColumnNames());
    QVERIFY2(back.ok(), back.error.c_str());
    QCOMPARE(int(back.records.size()), m_store.count());
    for (int r = 1; r <= m_store.count(); ++r)
        for (int i = 0; i < SeriesRecord::kFieldCount; ++i)
            QCOMPARE(back.records[std::size_t(r - 1)].field(i), m_store.record(r).field(i));

    // Each run with the IAPWS-95 reference of its inputs.
    const QStringList lines = QString::fromUtf8(contents(dataFile("runs.csv"))).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + m_store.count());
    for (int r = 1; r <= m_store.count(); ++r) {
        QStringList cells;
        for (const std::string& cell : reference::referenceCells(
                 reference::computeReference(reference::referenceInputOf(m_store.record(r)))))
            cells.append(QString::fromStdString(cell));
        QVERIFY(!cells.front().isEmpty());
        QCOMPARE(lines[r].split(',').mid(SeriesRecord::kFieldCount), cells);
    }
}

void FrmPlotTest::saveChartWritesTheChartAsShown()
{
    m_plot->showAndPlot();
    control<QRadioButton>("optY_SF")->click();
    dialogs().fileName = dataFile("fractions.svg");
    dialogs().size = QSize(1200, 400);
    control<QPushButton>("cmdSaveChart")->click();
    QCOMPARE(dialogs().asked,
             (QStringList{QStringLiteral("Save Chart"), dataFile("QRV Steam Fractions.png"),
                          QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"),
                          QStringLiteral("1600 x 1000")}));
    QVERIFY(m_host.messages().empty());
    const QByteArray svg = contents(dataFile("fractions.svg"));
    QVERIFY(QSvgRenderer(svg).isValid());
    QVERIFY(svg.contains("<title>QRV Steam Fractions</title>"));

    // The size chosen last is offered next time.
    dialogs().asked.clear();
    dialogs().fileName = dataFile("fractions.png");
    control<QPushButton>("cmdSaveChart")->click();
    QCOMPARE(dialogs().asked.last(), QStringLiteral("1200 x 400"));
    const QImage png(dataFile("fractions.png"));
    QCOMPARE(png.size(), QSize(1200, 400));
    QVERIFY(test::countColour(png, QColor(255, 0, 0)) > 5 * 20);

    dialogs().fileName = dataFile("fractions.gif");
    control<QPushButton>("cmdSaveChart")->click();
    QCOMPARE(int(m_host.messages().size()), 1);
    QCOMPARE(m_host.messages().front().icon, Icon::Information);
    QVERIFY(QString::fromStdString(m_host.messages().front().text)
                .startsWith(QStringLiteral("Save error: unknown picture type \"fractions.gif\"")));
}

void FrmPlotTest::cancelWritesNothing()
{
    m_plot->showAndPlot();
    control<QPushButton>("cmdExportData")->click();
    control<QPushButton>("cmdSaveChart")->click();
    // A file chosen but the size dialog cancelled.
    dialogs().fileName = dataFile("chart.png");
    control<QPushButton>("cmdSaveChart")->click();
    QCOMPARE(dialogs().asked.size(), 3 + 3 + 4);
    QVERIFY(QDir(m_data->path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    QVERIFY(m_host.messages().empty());

    // Without a data folder the dialog starts in the documents folder.
    QSettings(QStringLiteral("Tarvel"), QStringLiteral("QRV")).remove(QStringLiteral("DataPath"));
    dialogs().fileName.clear();
    control<QPushButton>("cmdExportData")->click();
    QCOMPARE(dialogs().asked.at(11),
             QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(QStringLiteral("QRV Runs.csv")));
}

void FrmPlotTest::failedSavesKeepTheOldFile()
{
    m_plot->showAndPlot();
    dialogs().fileName = dataFile("missing/runs.csv");
    dialogs().size = QSize(800, 600);
    control<QPushButton>("cmdExportData")->click();
    dialogs().fileName = dataFile("missing/chart.pdf");
    control<QPushButton>("cmdSaveChart")->click();
    QCOMPARE(int(m_host.messages().size()), 2);
    for (const HostMessage& message : m_host.messages()) {
        QCOMPARE(message.icon, Icon::Information);
        QVERIFY2(message.text.rfind("Save error: ", 0) == 0 && message.text.size() > 12, message.text.c_str());
    }

    // The disk fills up halfway: the earlier file stays whole and no half-written one is left.
    for (const char* name : {"runs.csv", "chart.png"}) {
        QFile earlier(dataFile(name));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier contents");
    }
    for (int r = 0; r < 20; ++r)
        m_store.append(test::sampleRun(0.1f * float(r), 5, 2, 0.5f, 0.2f));
    m_host.clearLog();
    {
        const SmallFileLimit full;
        dialogs().fileName = dataFile("runs.csv");
        control<QPushButton>("cmdExportData")->click();
        dialogs().fileName = dataFile("chart.png");
        control<QPushButton>("cmdSaveChart")->click();
    }
    QCOMPARE(int(m_host.messages().size()), 2);
    for (const HostMessage& message : m_host.messages())
        QVERIFY2(message.text.rfind("Save error: ", 0) == 0, message.text.c_str());
    QCOMPARE(contents(dataFile("runs.csv")), QByteArray("earlier contents"));
    QCOMPARE(contents(dataFile("chart.png")), QByteArray("earlier contents"));
    QCOMPARE(QDir(m_data->path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{QStringLiteral("chart.png"), QStringLiteral("runs.csv")}));
}

void FrmPlotTest::savesFollowLinksAndRespectReadOnlyFiles()
{
    m_plot->showAndPlot();
    QVERIFY(QDir(m_data->path()).mkdir(QStringLiteral("kept")));
    for (const char* name : {"kept/runs.csv", "kept/chart.png"}) {
        QFile earlier(dataFile(name));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier contents");
    }
    QVERIFY(QFile::link(QStringLiteral("kept/runs.csv"), dataFile("runs.csv")));
    dialogs().fileName = dataFile("runs.csv");
    control<QPushButton>("cmdExportData")->click();
    QVERIFY(m_host.messages().empty());
    QVERIFY(QFileInfo(dataFile("runs.csv")).isSymLink());
    QVERIFY(contents(dataFile("kept/runs.csv")).startsWith("R,"));

    QVERIFY(QFile::setPermissions(dataFile("kept/chart.png"), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    dialogs().fileName = dataFile("kept/chart.png");
    dialogs().size = QSize(400, 300);
    control<QPushButton>("cmdSaveChart")->click();
    QCOMPARE(int(m_host.messages().size()), 1);
    QCOMPARE(m_host.messages().front().text, std::string("Save error: Permission denied"));
    QCOMPARE(contents(dataFile("kept/chart.png")), QByteArray("earlier contents"));
}

QTEST_MAIN(FrmPlotTest)
#include "test_frmplot.moc"

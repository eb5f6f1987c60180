#include "calculation/peaks.h"
#include "calculation/ratiosweep.h"
#include "calculation/sweepfamily.h"
#include "display/recordinghost.h"
#include "runs/runstore.h"
#include "files/runstorecsv.h"
#include "plot/exportdialogs.h"
#include "plot/frmplot.h"
#include "reference/referencecolumns.h"
#include "reference/runreference.h"
#include "chart/chartexport.h"
#include "report/mapvalues.h"
#include "report/sweeptable.h"
#include "tests/chart/exportfiles.h"
#include "tests/chart/samplemap.h"
#include "tests/chart/sampleruns.h"
#include "tests/helpercheck.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
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
#include <map>

using namespace qrv;

namespace {

// Answers the export dialogs as a test tells it and remembers what they were asked.
class ScriptedExportDialogs : public ExportDialogs {
public:
    QString fileName;
    std::optional<QSize> size;
    QStringList asked;

    QString saveFileName(QWidget*, const QString& title, const QString& startPath, const QString& filters) override
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
struct SmallFileLimit {
    rlimit saved{};
    SmallFileLimit()
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 300;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~SmallFileLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
};

bool writeEarlierContents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("earlier contents") == 16;
}

// Okabe and Ito's blue and vermillion: the adiabatic and the isothermal path of one curve pair.
const QColor kBlue(0, 114, 178);
const QColor kVermillion(213, 94, 0);

// The runs a curve must keep to: by X, the later of two runs at one X standing.
using Runs = std::map<double, double>;

Runs runsOf(const RunStore& store, int xField, int yField, double scale = 1)
{
    Runs runs;
    for (int i = 1; i <= store.count(); ++i)
        runs[double(store.record(i).field(xField))] = double(store.record(i).field(yField)) * scale;
    return runs;
}

// The curve as drawn spans exactly the runs, passes through each, and between two
// neighbouring runs never leaves the range of their values.
void expectCurveKeepsToRuns(const ChartSeries& series, const Runs& runs)
{
    QVERIFY2(!series.curve.empty(), qPrintable(series.name));
    QCOMPARE(series.curve.front().x(), runs.begin()->first);
    QCOMPARE(series.curve.back().x(), runs.rbegin()->first);
    std::size_t passed = 0;
    for (const QPointF& p : series.curve) {
        const auto right = runs.lower_bound(p.x());
        QVERIFY(right != runs.end());
        if (right->first == p.x()) {
            QCOMPARE(p.y(), right->second);
            ++passed;
            continue;
        }
        const auto left = std::prev(right);
        QVERIFY2(p.y() >= std::min(left->second, right->second) && p.y() <= std::max(left->second, right->second),
                 qPrintable(QStringLiteral("%1 at %2: %3 outside the runs").arg(series.name).arg(p.x()).arg(p.y())));
    }
    QCOMPARE(passed, runs.size());
}

void expectMarkersAt(const ChartSeries& series, const RunStore& store, float SeriesRecord::*x, float SeriesRecord::*y)
{
    QCOMPARE(int(series.markers.size()), store.count());
    for (int p = 1; p <= store.count(); ++p)
        QCOMPARE(series.markers[std::size_t(p - 1)], QPointF(store.record(p).*x, store.record(p).*y));
}

} // namespace

class FrmPlotTest : public QObject {
    Q_OBJECT

    RunStore m_store;
    RecordingHost m_host;
    std::unique_ptr<FrmPlot> m_plot;
    ScriptedExportDialogs* m_dialogs = nullptr;
    std::unique_ptr<QTemporaryDir> m_data;

    QString dataFile(const char* name) const { return m_data->filePath(QString::fromLatin1(name)); }
    const Chart& shown() const { return m_plot->chart().chart(); }
    const ChartSeries& series(const QString& name) const
    {
        for (const ChartSeries& s : shown().series)
            if (s.name == name)
                return s;
        qFatal("no series %s", qPrintable(name));
    }

    template <typename T = QAbstractButton>
    T* control(const char* name)
    {
        T* found = m_plot->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    void click(const char* name) { control(name)->click(); }
    // Asks the dialogs for `file` (and `size`) and presses the button.
    void save(const char* button, const char* file, std::optional<QSize> size = std::nullopt)
    {
        m_dialogs->fileName = dataFile(file);
        if (size)
            m_dialogs->size = size;
        click(button);
    }
    void expectOnlyMessage(const std::string& start)
    {
        QCOMPARE(int(m_host.messages().size()), 1);
        QCOMPARE(m_host.messages().front().icon, Icon::Information);
        QVERIFY2(m_host.messages().front().text.rfind(start, 0) == 0, m_host.messages().front().text.c_str());
    }

private slots:
    void init()
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
        QSettings(QStringLiteral("Tarvel"), QStringLiteral("QRV"))
            .setValue(QStringLiteral("DataPath"), m_data->path() + QLatin1Char('/'));
    }

    void cleanup()
    {
        m_plot.reset();
        QSettings(QStringLiteral("Tarvel"), QStringLiteral("QRV")).remove(QStringLiteral("DataPath"));
    }

    void points_shown_aMarkerAtEveryRunWithTitledRoundAxes()
    {
        m_plot->showAndPlot();
        // Printing to a PDF file needs no printer.
        QVERIFY(control("cmdPrint")->isEnabled());
        const Chart& chart = shown();
        QCOMPARE(chart.conditions, QStringLiteral("TMagma 1473 K, water 298 K at 10 MPa, ambient 0.10 MPa"));
        QVERIFY(chart.notes.isEmpty());
        QCOMPARE(chart.x.title, QStringLiteral("Water/magma ratio R"));
        // The axis ends at the last run's round bound, not a unit further; the origin is a tick.
        QCOMPARE(chart.x.low, 0.0);
        QCOMPARE(chart.x.high, 2.5);
        QCOMPARE(chart.x.labels, (QStringList{"0.0", "0.5", "1.0", "1.5", "2.0", "2.5"}));
        QCOMPARE(chart.y.labels, (QStringList{"0", "5", "10", "15", "20", "25", "30", "35"}));
        QCOMPARE(chart.y.high, 35.0);

        QCOMPARE(int(chart.series.size()), 2);
        const ChartSeries& adiabatic = series(QStringLiteral("Adiabatic"));
        const ChartSeries& isothermal = series(QStringLiteral("Isothermal"));
        QVERIFY(adiabatic.curve.empty() && isothermal.curve.empty());
        QRV_CHECKED(expectMarkersAt(adiabatic, m_store, &SeriesRecord::R, &SeriesRecord::CRAdiabatic));
        QRV_CHECKED(expectMarkersAt(isothermal, m_store, &SeriesRecord::R, &SeriesRecord::CRIsothermal));
        // Told apart by colour and by marker shape, in the legend too.
        QCOMPARE(adiabatic.colour, kBlue);
        QCOMPARE(isothermal.colour, kVermillion);
        QVERIFY(adiabatic.marker != isothermal.marker && adiabatic.marker != MarkerShape::None);
        QCOMPARE(int(chart.legend.size()), 2);
        QCOMPARE(chart.legend[0].marker, adiabatic.marker);
        QCOMPARE(chart.legend[1].line, LineStyle::None);
        // Points are markers: there is nothing to switch off.
        QVERIFY(!control("chkMarkers")->isEnabled());
    }

    void sweepAndSampleRuns_curves_spanTheRunsAndKeepBetweenNeighbours()
    {
        // A whole sweep, whose isothermal curve drops sharply and whose final temperatures
        // zigzag by the kelvin; and a run far beyond the old curve's reach.
        RunRequest request;
        request.inputs = {"1473", "298", "0.1", "0.1", "", "--", false};
        m_store.clear();
        runSweep(request, sweepRatios(0.05, 3, 0.05).ratios, [this](const SweepRun& step) {
            m_store.append(step.run.record.value());
            return true;
        });
        m_plot->showAndPlot();
        click("optCurve");
        QVERIFY(control("chkMarkers")->isEnabled());
        // Each option's Y field from the path's conversion ratio field; -1: the entropy, a field of its own.
        const std::pair<const char*, int> options[] = {{"optY_CR", 0}, {"optY_FT", 3}, {"optY_SF", 1}, {"optY_EE", -1}};
        for (const auto& [option, offset] : options) {
            click(option);
            for (const ChartSeries& s : shown().series) {
                const int yField = offset < 0
                    ? 8
                    : *seriesKeyField(s.name == QLatin1String("Isothermal") ? "cri" : "cra") + offset;
                QRV_CHECKED(expectCurveKeepsToRuns(s, runsOf(m_store, 0, yField, yField == 8 ? 1e-3 : 1)));
                // A marker at every run by default.
                QCOMPARE(int(s.markers.size()), m_store.count());
            }
        }
        QCOMPARE(shown().x.low, 0.0);
        QCOMPARE(shown().x.high, 3.0);
        QVERIFY(m_host.messages().empty());

        // The sample runs, stored out of order, with one at R 12
        click("chkMarkers");
        m_store.clear();
        test::fillSampleRuns(m_store);
        m_store.append(test::sampleRun(12.0f, 3, 1, 0.1f, 0.05f));
        click("optY_FT");
        // Three runs at 373 K make a flat line, and nothing but lines is drawn.
        const ChartSeries& adiabatic = series(QStringLiteral("Adiabatic"));
        QRV_CHECKED(expectCurveKeepsToRuns(adiabatic, runsOf(m_store, 0, 12)));
        for (const QPointF& p : adiabatic.curve)
            QCOMPARE(p.y(), 373.0);
        QRV_CHECKED(expectCurveKeepsToRuns(series(QStringLiteral("Isothermal")), runsOf(m_store, 0, 16)));
        for (const ChartSeries& s : shown().series)
            QVERIFY(s.markers.empty() && s.line != LineStyle::None);
        QCOMPARE(shown().x.high, 12.0);
        QCOMPARE(shown().legend[0].marker, MarkerShape::None);
        QVERIFY(m_host.messages().empty());
    }

    void eachYChoice_clicked_titlesLegendsAndFullScale()
    {
        struct Expected {
            const char* option;
            const char* title;
            const char* yTitle;
            double fullScale;
            const char* key;
            const char* legend;
            double scale;
        };
        const Expected table[] = {
            {"optY_SF", "QRV Steam Fractions", "Steam fraction", 1, "sfa", "Adiabatic", 1},
            {"optY_WF", "QRV Water Fractions", "Water fraction", 1, "wfa", "Adiabatic", 1},
            {"optY_FT", "QRV Final Temperatures", "Final temperature (K)", 1500, "fta", "Adiabatic", 1},
            {"optY_ET", "QRV Equilibrium Temperatures", "Equilibrium temperature (K)", 1500, "et", "Equilibrium", 1},
            {"optY_EP", "QRV Equilibrium Pressures", "Equilibrium pressure (MPa)", 200, "ep", "Equilibrium", 1},
            {"optY_ED", "QRV Equilibrium Densities", "Equilibrium density (kg/m\u00b3)", 1000, "ed", "Equilibrium", 1},
            {"optY_EE", "QRV Equilibrium Entropies", "Equilibrium entropy (kJ/(kg K))", 8, "ee", "Equilibrium", 1e-3},
            {"optY_CR", "QRV Conversion Ratios", "Conversion ratio (%)", 100, "cra", "Adiabatic", 1},
        };
        m_plot->showAndPlot();
        auto* fullScale = control<QCheckBox>("chkFullScale");
        for (const Expected& e : table) {
            click(e.option);
            // The Y axis fits the runs' values, in the unit the results window shows.
            const Chart& chart = shown();
            QCOMPARE(chart.title, QString::fromLatin1(e.title));
            QCOMPARE(chart.y.title, QString::fromUtf8(e.yTitle));
            QCOMPARE(chart.series[0].name, QString::fromLatin1(e.legend));
            QCOMPARE(chart.legend[0].text, QString::fromLatin1(e.legend));
            const bool single = std::string_view(e.key).size() == 2;
            QCOMPARE(int(chart.series.size()), single ? 1 : 2);
            if (!single)
                QCOMPARE(chart.legend[1].text, QStringLiteral("Isothermal"));
            const int field = *seriesKeyField(e.key);
            QCOMPARE(chart.series[0].markers[2].y(), double(m_store.record(3).field(field)) * e.scale);
            double low = INFINITY;
            double high = -INFINITY;
            for (const ChartSeries& s : chart.series)
                for (const QPointF& p : s.markers) {
                    low = std::min(low, p.y());
                    high = std::max(high, p.y());
                }
            QVERIFY2(chart.y.low <= low && chart.y.high >= high && chart.y.high - chart.y.low < 3 * (high - low) + 1,
                     qPrintable(QString::asprintf("%s: %g to %g for %g to %g", e.option, chart.y.low, chart.y.high, low,
                                                  high)));
            QVERIFY(chart.y.ticks.size() >= 4 && chart.y.ticks.size() <= 10);
            QCOMPARE(chart.y.ticks.size(), std::size_t(chart.y.labels.size()));

            // "Full scale" keeps the quantity's fixed range.
            fullScale->setChecked(true);
            QCOMPARE(shown().y.low, 0.0);
            QCOMPARE(shown().y.high, e.fullScale);
            QCOMPARE(shown().y.ticks.front(), 0.0);
            QVERIFY(shown().y.ticks.back() <= e.fullScale && shown().y.ticks.size() >= 5);
            fullScale->setChecked(false);
        }
    }

    void runsAtOneMagmaTemperature_curveAgainstIt_pointAndAWordWhy()
    {
        m_plot->showAndPlot();
        click("optCurve");
        control<QCheckBox>("chkMarkers")->setChecked(false);
        click("optX(1)");
        // One curve per ratio, each of one point, drawn as that point; said once in the
        // chart, never in a message box.
        const Chart& chart = shown();
        QCOMPARE(chart.x.title, QStringLiteral("Magma temperature (K)"));
        QVERIFY(chart.x.low < 1473 && chart.x.high > 1473);
        QCOMPARE(chart.notes,
                 QStringList{QStringLiteral("A curve needs runs at two or more different values of "
                                            "magma temperature; one point is drawn.")});
        QCOMPARE(int(chart.series.size()), 2 * m_store.count());
        for (const ChartSeries& s : chart.series) {
            QVERIFY(s.curve.empty());
            QCOMPARE(int(s.markers.size()), 1);
            QCOMPARE(s.markers[0].x(), 1473.0);
        }
        QVERIFY(chart.conditions.startsWith(QStringLiteral("mixed conditions: R by curve; ")));
        QVERIFY(m_host.messages().empty());
    }

    void family_plotted_onePairPerMemberColouredByMember()
    {
        // Three magma temperatures, four ratios each
        m_store.clear();
        for (const float tMagma : {1073.0f, 1273.0f, 1473.0f})
            for (const float ratio : {0.5f, 1.0f, 1.5f, 2.0f}) {
                SeriesRecord run = test::sampleRun(ratio, tMagma / 50 - 2 * ratio, tMagma / 100 - ratio, 1, 0.5f);
                run.TMagma = tMagma;
                m_store.append(run);
            }
        m_plot->showAndPlot();
        click("optCurve");
        const Chart& chart = shown();
        QCOMPARE(chart.conditions,
                 QStringLiteral("mixed conditions: TMagma by curve; water 298 K at 10 MPa, ambient 0.10 MPa"));
        QCOMPARE(int(chart.series.size()), 6);
        const QString members[] = {"TMagma 1073 K", "TMagma 1273 K", "TMagma 1473 K"};
        for (std::size_t m = 0; m < 3; ++m) {
            const ChartSeries& adiabatic = series(members[m] + QStringLiteral(", Adiabatic"));
            const ChartSeries& isothermal = series(members[m] + QStringLiteral(", Isothermal"));
            QCOMPARE(adiabatic.colour, isothermal.colour);
            QVERIFY(adiabatic.line != isothermal.line && adiabatic.marker != isothermal.marker);
            QCOMPARE(int(adiabatic.markers.size()), 4);
            QCOMPARE(adiabatic.curve.front().x(), 0.5);
            QCOMPARE(adiabatic.curve.back().x(), 2.0);
            QCOMPARE(chart.legend[m].text, members[m]);
            QCOMPARE(chart.legend[m].colour, adiabatic.colour);
        }
        QVERIFY(series(members[0] + QStringLiteral(", Adiabatic")).colour
                != series(members[1] + QStringLiteral(", Adiabatic")).colour);
        // Then the paths, in black, by line and marker.
        QCOMPARE(int(chart.legend.size()), 5);
        QCOMPARE(chart.legend[3].text, QStringLiteral("Adiabatic"));
        QCOMPARE(chart.legend[4].text, QStringLiteral("Isothermal"));
        QCOMPARE(chart.legend[4].colour, QColor(Qt::black));
        QCOMPARE(chart.legend[4].line, series(QStringLiteral("TMagma 1073 K, Isothermal")).line);
    }

    void referenceChecked_anyQuantity_dashedCurvesInTheRunsColours()
    {
        m_plot->showAndPlot();
        click("chkReference");
        reference::RunReferences references;
        for (const char* option : {"optY_CR", "optY_EE", "optY_ET"}) {
            click(option);
            const Chart& chart = shown();
            const bool equilibrium = std::string_view(option) != "optY_CR";
            QCOMPARE(int(chart.series.size()), equilibrium ? 2 : 4);
            for (const ChartSeries& runs : chart.series) {
                if (runs.name.endsWith(QStringLiteral("IAPWS-95 reference")))
                    continue;
                const ChartSeries& ref = series(runs.name + QStringLiteral(", IAPWS-95 reference"));
                QCOMPARE(ref.colour, runs.colour);
                QVERIFY(ref.line == LineStyle::Dashed || ref.line == LineStyle::DashDot);
                QVERIFY(ref.markers.empty());
                // Through the reference of every run, in the unit of the axis.
                const std::string_view key = std::string_view(option) == "optY_EE" ? "ee"
                    : std::string_view(option) == "optY_ET"                        ? "et"
                    : runs.name == QLatin1String("Adiabatic")                      ? "cra"
                                                                                   : "cri";
                Runs expected;
                for (int i = 1; i <= m_store.count(); ++i)
                    expected[double(m_store.record(i).R)] = *reference::referenceValue(
                                                                *references.of(m_store.record(i)).reference, key)
                        * (key == "ee" ? 1e-3 : 1);
                QRV_CHECKED(expectCurveKeepsToRuns(ref, expected));
            }
            QCOMPARE(chart.legend.back().text,
                     (equilibrium ? QStringLiteral("Equilibrium") : QStringLiteral("Isothermal"))
                         + QStringLiteral(", IAPWS-95 reference"));
            QCOMPARE(chart.legend.back().line, chart.series.back().line);
        }

        // A run of ice, which has no reference, and one at 1000 MPa, beyond IAPWS-95's validity
        SeriesRecord ice = test::sampleRun(0.8f, 20, 8, 0.8f, 0.4f);
        ice.TWater = 250;
        m_store.append(ice);
        SeriesRecord deep = test::sampleRun(0.2f, 20, 8, 0.8f, 0.4f);
        deep.PHydroMPa = 1000;
        m_store.append(deep);
        m_plot->Plot();
        // The ice leaves no reference point, and the chart says why and what is extrapolated.
        QVERIFY(series(QStringLiteral("TInit 250 K, PInit 10 MPa, Equilibrium, IAPWS-95 reference")).curve.empty());
        QVERIFY(references.of(deep).reference && references.of(deep).reference->outsideValidity);
        const QString notes = shown().notes.join(QLatin1Char('\n'));
        QVERIFY2(notes.contains(QStringLiteral("No IAPWS-95 reference for 1 run: ")), qPrintable(notes));
        QVERIFY2(notes.contains(QString::fromUtf8(reference::kOutsideValidityNote.data())), qPrintable(notes));
    }

    void otherXAxes_chosen_yOptionSwapsAndTheirTitles()
    {
        m_plot->showAndPlot();
        for (int i = 1; i <= 7; ++i)
            QVERIFY(control(qPrintable(QStringLiteral("optX(%1)").arg(i)))->isEnabled());
        click("optY_EP");
        click("optX(4)");
        QVERIFY(!control("optY_EP")->isEnabled());
        QVERIFY(control("optY_ET")->isChecked());
        const Chart& chart = shown();
        QCOMPARE(chart.title, QStringLiteral("QRV Equilibrium Temperatures"));
        QCOMPARE(chart.x.title, QStringLiteral("Equilibrium pressure (MPa)"));
        QRV_CHECKED(expectMarkersAt(chart.series.at(0), m_store, &SeriesRecord::PEqMPa, &SeriesRecord::TEq));
        QVERIFY(chart.x.low <= 4 && chart.x.high >= 100);

        // As a curve the runs are joined in order of the X quantity.
        click("optCurve");
        QRV_CHECKED(expectCurveKeepsToRuns(shown().series.at(0), runsOf(m_store, 5, 6)));

        // Back against the ratio, every equilibrium option is offered again.
        click("optX(0)");
        for (const char* name : {"optY_EP", "optY_ET", "optY_ED", "optY_EE"})
            QVERIFY(control(name)->isEnabled());
        QCOMPARE(shown().x.title, QStringLiteral("Water/magma ratio R"));

        // Sediment runs name their ratio Rs.
        RunStore sediment;
        for (int i = 1; i <= m_store.count(); ++i) {
            SeriesRecord run = m_store.record(i);
            run.XWater = 0.4f;
            sediment.append(run);
        }
        m_store = sediment;
        m_plot->Plot();
        QCOMPARE(shown().x.title, QStringLiteral("Sediment/magma ratio Rs"));
    }

    void peaksChecked_familyOfSweeps_eachCurvesPeakOnlyWhileTheChartIsAConversionRatioAgainstR()
    {
        // State: a family of two magma temperatures swept over R, the reference shown.
        RunRequest request;
        request.inputs = {"1073", "298", "0.1", "0.1", "", "--", false};
        const SweepFamily family{FamilyInput::TMagma, {"1073", "1473"}};
        const std::vector<double> ratios = sweepRatios(0.05, 1, 0.05).ratios;
        m_store.clear();
        runFamilySweep(request, family, ratios, [this](std::size_t, const SweepRun& step) {
            m_store.append(step.run.record.value());
            return true;
        });
        m_plot->showAndPlot();
        click("chkReference");
        QAbstractButton* peaks = control("chkPeaks");
        QVERIFY(peaks->isEnabled() && !peaks->isChecked() && !peaks->toolTip().isEmpty());
        QVERIFY(shown().peaks.empty());

        // Action: Peaks checked. Expected: a mark per curve and reference, where findPeaks puts it.
        click("chkPeaks");
        const std::vector<Peak> expected = findPeaks(request, family, ratios);
        QTRY_COMPARE(shown().peaks.size(), expected.size());
        QCOMPARE(shown().peaks.back().at, QPointF(expected.back().ratio, expected.back().crPercent));

        // Action: another quantity, then another X axis. Expected: the option off, no marks.
        click("optY_SF");
        QTRY_VERIFY(!peaks->isEnabled());
        QVERIFY(shown().peaks.empty());
        click("optY_CR");
        QTRY_VERIFY(peaks->isEnabled());
        QCOMPARE(shown().peaks.size(), expected.size());
        click("optX(1)");
        QTRY_VERIFY(!peaks->isEnabled());
        QVERIFY(shown().peaks.empty());
        click("optX(0)");
        // Action: Peaks unchecked. Expected: the marks gone.
        click("chkPeaks");
        QTRY_VERIFY(shown().peaks.empty());
        QVERIFY(peaks->isEnabled());
    }

    void optionsToggledByAScreenReaderOrByTheProgram_chartRedrawnOncePerChange()
    {
        m_plot->showAndPlot();
        QSignalSpy drawn(&m_plot->chart(), &ChartAdapter::drawn);
        // A screen reader toggles an option through its accessible action, without a click.
        const auto toggle = [this](const char* name) {
            QAccessibleInterface* option = QAccessible::queryAccessibleInterface(control(name));
            QVERIFY(option != nullptr && option->actionInterface() != nullptr);
            QVERIFY(option->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
            option->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            QVERIFY(control(name)->isChecked());
        };
        toggle("optY_SF");
        QCOMPARE(shown().title, QStringLiteral("QRV Steam Fractions"));
        toggle("optCurve");
        QVERIFY(!shown().series.at(0).curve.empty());
        QCOMPARE(drawn.count(), 2);

        // An X axis chosen by the program redraws once, its Y option swapped in the same drawing.
        control("optY_EP")->setChecked(true);
        QCOMPARE(drawn.count(), 3);
        control("optX(4)")->setChecked(true);
        QCOMPARE(drawn.count(), 4);
        QCOMPARE(shown().title, QStringLiteral("QRV Equilibrium Temperatures"));
        QCOMPARE(shown().x.title, QStringLiteral("Equilibrium pressure (MPa)"));
        // Points again, from the keyboard's side of the pair.
        control("optPoints")->setChecked(true);
        QCOMPARE(drawn.count(), 5);
        QVERIFY(shown().series.at(0).curve.empty());
    }

    void clearData_clicked_placeholderUntilTheNextRun()
    {
        QSignalSpy cleared(m_plot.get(), &FrmPlot::dataCleared);
        m_plot->showAndPlot();
        QCOMPARE(control("cmdExportData")->text(), QStringLiteral("Export Data..."));
        QCOMPARE(control("cmdSaveChart")->text(), QStringLiteral("Save Chart..."));
        const auto dataButtonsEnabled = [this](bool enabled) {
            for (const char* name : {"cmdClear", "cmdExportData", "cmdSaveChart"})
                QVERIFY2(control(name)->isEnabled() == enabled, name);
        };
        dataButtonsEnabled(true);
        click("cmdClear");
        QCOMPARE(cleared.count(), 1);
        QCOMPARE(m_store.count(), 0);
        QCOMPARE(shown().title, QStringLiteral("QRV Results"));
        QCOMPARE(shown().y.title, QString());
        QVERIFY(shown().series.empty() && shown().legend.empty());
        dataButtonsEnabled(false);
        for (const char* frame : {"Frame2", "Frame3", "Frame4", "Frame5"})
            QVERIFY(!control<QGroupBox>(frame)->isEnabled());

        // An empty store draws no marker at all.
        m_plot->Plot();
        QVERIFY(shown().series.empty());
        QVERIFY(!control("cmdClear")->isEnabled());
        QVERIFY(control<QGroupBox>("Frame3")->isEnabled());

        m_store.append(test::sampleRun(0.4f, 25, 9, 1, 0.5f));
        m_plot->plotIfVisible();
        dataButtonsEnabled(true);
        click("cmdClear");
        QCOMPARE(cleared.count(), 2);
        QCOMPARE(m_store.count(), 0);

        // A window opened over an empty store starts with them off.
        m_plot = std::make_unique<FrmPlot>(m_store, m_host);
        QVERIFY(!control("cmdExportData")->isEnabled());
        QVERIFY(!control("cmdSaveChart")->isEnabled());
    }

    void hidden_runAdded_redrawnOnlyWhileVisible()
    {
        const auto markers = [this] { return shown().series.empty() ? 0 : int(shown().series[0].markers.size()); };
        m_plot->plotIfVisible();
        QCOMPARE(markers(), 0);
        QVERIFY(shown().title.isEmpty());
        m_plot->showAndPlot();
        QCOMPARE(markers(), 5);
        m_store.append(test::sampleRun(1.5f, 15, 6, 0.5f, 0.25f));
        m_plot->plotIfVisible();
        QCOMPARE(markers(), 6);
        click("cmdClose");
        QVERIFY(!m_plot->isVisible());
        m_store.append(test::sampleRun(1.7f, 14, 5, 0.45f, 0.2f));
        m_plot->plotIfVisible();
        QCOMPARE(markers(), 6);
    }

    void plotted_clipboard_holdsTheChart()
    {
        QGuiApplication::clipboard()->clear();
        m_plot->showAndPlot();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data && data->hasImage());
        QVERIFY(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
        // Five isothermal markers of a few pixels each.
        const int vermillion = test::countColour(qvariant_cast<QImage>(data->imageData()), kVermillion);
        QVERIFY2(vermillion > 5 * 20, qPrintable(QString::number(vermillion)));
    }

    // A map from the sweep dialog is held by the window beside the stored runs: shown with the
    // chart's options off, coloured by the quantity chosen without a new run, and left for the
    // runs' chart by the user or by a new stored run.
    void mapRun_shown_heldBesideTheRunsAndRecolouredWithoutARun()
    {
        m_plot->showAndPlot();
        const MapStudy study = test::smallMap();
        const MapResult result = runMap(study);
        QVERIFY(result.finished);
        QSignalSpy drawn(&m_plot->chart(), &ChartAdapter::drawn);
        QGuiApplication::clipboard()->clear();
        m_plot->showMap(study, result);
        QVERIFY(m_plot->isVisible());
        QVERIFY(drawn.count() >= 1);
        const MapGrid* map = m_plot->chart().map();
        QVERIFY(map != nullptr);
        QCOMPARE(map->z, mapGrid(study, result, kMapZKeys[0]).z);
        QCOMPARE(m_plot->chart().title(), QStringLiteral("QRV Adiabatic Conversion Ratio"));
        QCOMPARE(m_store.count(), 5);
        for (const char* frame : {"Frame2", "Frame3", "Frame4", "Frame5"})
            QVERIFY2(!control<QGroupBox>(frame)->isEnabled(), frame);
        for (const char* button : {"cmdExportData", "cmdSaveChart", "cmdPrint"})
            QVERIFY2(control(button)->isEnabled(), button);
        // The clipboard holds the map as drawn, as a picture.
        const QImage copied = qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData());
        QCOMPARE(copied.convertToFormat(QImage::Format_ARGB32),
                 m_plot->chart().picture(control<QWidget>("Graph1")->size()).convertToFormat(QImage::Format_ARGB32));
        const QImage adiabatic = control<QWidget>("Graph1")->grab().toImage();

        // Another quantity: the same runs, drawn again on screen.
        auto* figure = control<QComboBox>("cboFigure");
        QCOMPARE(figure->count(), 1 + int(kMapZKeys.size()));
        QCOMPARE(figure->currentText(), QStringLiteral("Map: Adiabatic conversion ratio"));
        figure->setCurrentIndex(figure->findText(QStringLiteral("Map: Equilibrium temperature")));
        QCOMPARE(m_plot->chart().title(), QStringLiteral("QRV Equilibrium Temperature"));
        QCOMPARE(m_plot->chart().map()->z, mapGrid(study, result, *findMapZKey("teq")).z);
        QTRY_VERIFY(control<QWidget>("Graph1")->grab().toImage() != adiabatic);

        // Back to the runs' chart, with its options.
        figure->setCurrentIndex(0);
        QVERIFY(m_plot->chart().map() == nullptr);
        QCOMPARE(int(series(QStringLiteral("Adiabatic")).markers.size()), 5);
        QVERIFY(control<QGroupBox>("Frame3")->isEnabled());
        // A run stored while the map is on show brings the runs back; the map stays held, and a
        // new map is coloured as the last one was.
        figure->setCurrentIndex(1);
        QVERIFY(m_plot->chart().map() != nullptr);
        m_store.append(test::sampleRun(1.5f, 15, 6, 0.5f, 0.25f));
        m_plot->plotIfVisible();
        QVERIFY(m_plot->chart().map() == nullptr);
        QCOMPARE(figure->currentIndex(), 0);
        QCOMPARE(int(series(QStringLiteral("Adiabatic")).markers.size()), 6);
        QVERIFY(figure->isVisible());
        m_plot->showMap(study, result);
        QCOMPARE(m_plot->chart().title(), QStringLiteral("QRV Adiabatic Conversion Ratio"));
    }

    // Export Data writes the map's rows as qrv-cli map --csv does: each point's row that of a
    // single run at its inputs; Save Chart the map as exportMap draws it.
    void mapShown_exportDataAndSaveChart_theMapsRowsAndPicture()
    {
        const MapStudy study = test::smallMap();
        m_plot->showMap(study, runMap(study));
        save("cmdExportData", "map");
        QCOMPARE(m_dialogs->asked.at(1), dataFile("QRV Map.csv"));
        QVERIFY(m_host.messages().empty());
        const QStringList lines = QString::fromUtf8(test::fileContents(dataFile("map.csv"))).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + 9);
        QCOMPARE(lines[0], QString::fromStdString(csvLine(mapHeadings(study))));
        for (std::size_t j = 0; j < 3; ++j)
            for (std::size_t i = 0; i < 3; ++i) {
                const RunResult single = calculate(mapPointRequest(study, i, j), kSweepRuns);
                QVERIFY(single.record.has_value());
                QCOMPARE(lines[int(1 + j * 3 + i)], QString::fromStdString(csvLine(mapRowCells(study, i, j, single))));
            }

        save("cmdSaveChart", "map.png", QSize(800, 500));
        QCOMPARE(m_dialogs->asked.at(4), dataFile("QRV Adiabatic Conversion Ratio.png"));
        QVERIFY(m_host.messages().empty());
        QString error;
        QVERIFY(exportMap(*m_plot->chart().map(), dataFile("expected.png"), QSize(800, 500), &error));
        QCOMPARE(test::fileContents(dataFile("map.png")), test::fileContents(dataFile("expected.png")));
        save("cmdSaveChart", "map.svg");
        QVERIFY(test::fileContents(dataFile("map.svg")).contains("<title>QRV Adiabatic Conversion Ratio</title>"));
    }

    void exportDataWritesTheStore()
    {
        m_store.append(test::sampleRun(1.0f / 3.0f, 1.0e-6f, -0.0f, 1, 3.4e38f));
        m_plot->showAndPlot();
        // A name typed without suffix still makes a CSV file.
        save("cmdExportData", "runs");
        QCOMPARE(m_dialogs->asked,
                 (QStringList{"Export Data", dataFile("QRV Runs.csv"), QStringLiteral("CSV files (*.csv)")}));
        QVERIFY(m_host.messages().empty());

        std::ifstream in(dataFile("runs.csv").toStdString());
        const RunStoreCsv back = readRunStoreCsv(in, reference::referenceColumnNames());
        QVERIFY2(back.ok(), back.error.c_str());
        QCOMPARE(int(back.records.size()), m_store.count());
        for (int r = 1; r <= m_store.count(); ++r)
            for (int i = 0; i < SeriesRecord::kFieldCount; ++i)
                QCOMPARE(back.records[std::size_t(r - 1)].field(i), m_store.record(r).field(i));

        // Each run with the IAPWS-95 reference of its inputs.
        const QStringList lines =
            QString::fromUtf8(test::fileContents(dataFile("runs.csv"))).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + m_store.count());
        for (int r = 1; r <= m_store.count(); ++r) {
            QStringList cells;
            for (const std::string& cell :
                 reference::referenceCells(reference::computeReference(reference::referenceInputOf(m_store.record(r))),
                                           reference::CellPrecision::Full))
                cells.append(QString::fromStdString(cell));
            QVERIFY(!cells.front().isEmpty());
            QCOMPARE(lines[r].split(',').mid(SeriesRecord::kFieldCount), cells);
        }
    }

    void saveChartWritesTheChartAsShown()
    {
        m_plot->showAndPlot();
        click("optY_SF");
        save("cmdSaveChart", "fractions.svg", QSize(1200, 400));
        QCOMPARE(m_dialogs->asked,
                 (QStringList{"Save Chart", dataFile("QRV Steam Fractions.png"),
                              "PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)", "1600 x 1000"}));
        QVERIFY(m_host.messages().empty());
        const QByteArray svg = test::fileContents(dataFile("fractions.svg"));
        QVERIFY(QSvgRenderer(svg).isValid());
        QVERIFY(svg.contains("<title>QRV Steam Fractions</title>"));

        // The size chosen last is offered next time.
        m_dialogs->asked.clear();
        save("cmdSaveChart", "fractions.png");
        QCOMPARE(m_dialogs->asked.last(), QStringLiteral("1200 x 400"));
        const QImage png(dataFile("fractions.png"));
        QCOMPARE(png.size(), QSize(1200, 400));
        QVERIFY(test::countColour(png, kVermillion) > 5 * 20);

        save("cmdSaveChart", "fractions.gif");
        QRV_CHECKED(expectOnlyMessage("Save error: unknown picture type \"fractions.gif\""));
    }

    void cancelWritesNothing()
    {
        m_plot->showAndPlot();
        click("cmdExportData");
        click("cmdSaveChart");
        // A file chosen but the size dialog cancelled.
        save("cmdSaveChart", "chart.png");
        QCOMPARE(m_dialogs->asked.size(), 3 + 3 + 4);
        QVERIFY(QDir(m_data->path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QVERIFY(m_host.messages().empty());

        // Without a data folder the dialog starts in the documents folder.
        QSettings(QStringLiteral("Tarvel"), QStringLiteral("QRV")).remove(QStringLiteral("DataPath"));
        m_dialogs->fileName.clear();
        click("cmdExportData");
        QCOMPARE(m_dialogs->asked.at(11),
                 QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                     .filePath(QStringLiteral("QRV Runs.csv")));
    }

    void failedSavesKeepTheOldFile()
    {
        const auto expectTwoSaveErrors = [this] {
            QCOMPARE(int(m_host.messages().size()), 2);
            for (const HostMessage& message : m_host.messages()) {
                QCOMPARE(message.icon, Icon::Information);
                QVERIFY2(message.text.rfind("Save error: ", 0) == 0 && message.text.size() > 12, message.text.c_str());
            }
        };
        m_plot->showAndPlot();
        save("cmdExportData", "missing/runs.csv", QSize(800, 600));
        save("cmdSaveChart", "missing/chart.pdf");
        expectTwoSaveErrors();

        // The disk fills up halfway: the earlier file stays whole and no half-written one is left.
        QVERIFY(writeEarlierContents(dataFile("runs.csv")) && writeEarlierContents(dataFile("chart.png")));
        for (int r = 0; r < 20; ++r)
            m_store.append(test::sampleRun(0.1f * float(r), 5, 2, 0.5f, 0.2f));
        m_host.clearLog();
        {
            const SmallFileLimit full;
            save("cmdExportData", "runs.csv");
            save("cmdSaveChart", "chart.png");
        }
        expectTwoSaveErrors();
        QCOMPARE(test::fileContents(dataFile("runs.csv")), QByteArray("earlier contents"));
        QCOMPARE(test::fileContents(dataFile("chart.png")), QByteArray("earlier contents"));
        QCOMPARE(QDir(m_data->path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"chart.png", "runs.csv"}));
    }

    void savesFollowLinksAndRespectReadOnlyFiles()
    {
        m_plot->showAndPlot();
        QVERIFY(QDir(m_data->path()).mkdir(QStringLiteral("kept")));
        QVERIFY(writeEarlierContents(dataFile("kept/runs.csv")) && writeEarlierContents(dataFile("kept/chart.png")));
        QVERIFY(QFile::link(QStringLiteral("kept/runs.csv"), dataFile("runs.csv")));
        save("cmdExportData", "runs.csv");
        QVERIFY(m_host.messages().empty());
        QVERIFY(QFileInfo(dataFile("runs.csv")).isSymLink());
        QVERIFY(test::fileContents(dataFile("kept/runs.csv")).startsWith("R,"));

        QVERIFY(QFile::setPermissions(dataFile("kept/chart.png"), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        save("cmdSaveChart", "kept/chart.png", QSize(400, 300));
        QRV_CHECKED(expectOnlyMessage("Save error: Permission denied"));
        QCOMPARE(m_host.messages().front().text, std::string("Save error: Permission denied"));
        QCOMPARE(test::fileContents(dataFile("kept/chart.png")), QByteArray("earlier contents"));
    }
};

QTEST_MAIN(FrmPlotTest)
#include "test_frmplot.moc"

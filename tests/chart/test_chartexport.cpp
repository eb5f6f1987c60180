#include "calculation/sweepbands.h"
#include "chart/bandseries.h"
#include "chart/chartadapter.h"
#include "chart/chartexport.h"
#include "chart/renderchart.h"
#include "runs/runstore.h"
#include "tests/chart/exportfiles.h"
#include "tests/chart/sampleruns.h"

#include <QDir>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

using namespace qrv;

namespace {

const QColor kBlue(0, 114, 178);
const QColor kVermillion(213, 94, 0);

// Light pixels of a clear hue: a translucent band over white, not a curve, text or the grid.
int countTinted(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.lightness() > 180 && std::abs(c.red() - c.blue()) > 25;
        }
    return count;
}

} // namespace

class ChartExportTest : public QObject {
    Q_OBJECT

    RunStore m_store;
    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const char* name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    // Renders the stored runs into `file`; a refusal fails the test with its reason.
    void render(YChoice y, bool curve, const char* file, QSize pixels, bool reference = false)
    {
        PlotChoices choices;
        choices.y = y;
        choices.curve = curve;
        choices.reference = reference;
        QString error;
        QVERIFY2(renderRunsChart(m_store, choices, path(file), pixels, &error), qPrintable(error));
    }

private slots:
    void init()
    {
        m_store.clear();
        test::fillSampleRuns(m_store);
        m_dir = std::make_unique<QTemporaryDir>();
    }

    void yChoicesByKey()
    {
        const std::pair<const char*, YChoice> keys[] = {
            {"cr", YChoice::ConversionRatio},        {"sf", YChoice::SteamFraction},
            {"wf", YChoice::WaterFraction},          {"ft", YChoice::FinalTemperature},
            {"et", YChoice::EquilibriumTemperature}, {"ep", YChoice::EquilibriumPressure},
            {"ed", YChoice::EquilibriumDensity},     {"ee", YChoice::EquilibriumEntropy},
        };
        for (const auto& [key, choice] : keys)
            QCOMPARE(yChoiceFromKey(key), std::optional<YChoice>(choice));
        for (const char* unknown : {"", "cra", "CR", "c", "r"})
            QVERIFY(!yChoiceFromKey(unknown));
    }

    void pngHasTheSizeAndTheMarkers()
    {
        render(YChoice::ConversionRatio, false, "points.png", QSize(1200, 700));
        const QImage points(path("points.png"));
        QCOMPARE(points.size(), QSize(1200, 700));
        // Five markers per series, drawn larger than on screen.
        QVERIFY2(test::countColour(points, kVermillion) > 5 * 40, "too few isothermal marker pixels");
        QVERIFY2(test::countColour(points, kBlue) > 5 * 40, "too few adiabatic marker pixels");

        // Curves are lines, and a single-series quantity draws in blue only.
        render(YChoice::EquilibriumTemperature, true, "curve.png", QSize(300, 900));
        const QImage curve(path("curve.png"));
        QCOMPARE(curve.size(), QSize(300, 900));
        QCOMPARE(test::countColour(curve, kVermillion), 0);
        QVERIFY(test::countColour(curve, kBlue) > 100);
    }

    // A marker where the data ends (the last ratio on the axis's end, a steam fraction of 1 at
    // the top) is drawn whole, as is the one run of a single-run sweep, with or without curves.
    void markersAtTheAxisEndsAndALoneRunAreDrawnWhole()
    {
        const auto markerPixels = [](QPointF at) {
            Chart chart;
            chart.x = {QStringLiteral("x"), 0, 1, {0, 0.5, 1}, {"0.0", "0.5", "1.0"}};
            chart.y = chart.x;
            chart.series.push_back({QStringLiteral("runs"), kBlue, LineStyle::None, MarkerShape::Square, {}, {at}});
            QImage image(800, 500, QImage::Format_RGB32);
            QPainter painter(&image);
            renderChart(chart, painter, QRectF(image.rect()));
            return test::countColour(image, kBlue);
        };
        const int inside = markerPixels({0.5, 0.5});
        QVERIFY(inside > 20);
        for (const QPointF end : {QPointF(1, 1), QPointF(0, 0), QPointF(1, 0.5), QPointF(0.5, 1)})
            QVERIFY2(markerPixels(end) >= inside - 2, qPrintable(QStringLiteral("cut at %1, %2").arg(end.x()).arg(end.y())));

        m_store.clear();
        m_store.append(test::sampleRun(0.3f, 31.5f, 12.0f, 1.0f, 0.62f));
        for (const bool curve : {false, true}) {
            render(YChoice::ConversionRatio, curve, "lone.png", QSize(1200, 700));
            const QImage lone(path("lone.png"));
            // One whole marker per path; the note of a curve mode says no more than that.
            QVERIFY2(test::countColour(lone, kBlue) > 40, "no adiabatic marker");
            QVERIFY2(test::countColour(lone, kVermillion) > 40, "no isothermal marker");
        }
        PlotChoices curve;
        curve.curve = true;
        const Chart chart = PlotRoutine(m_store).plot(curve);
        for (const ChartSeries& s : chart.series) {
            QCOMPARE(int(s.markers.size()), 1);
            QVERIFY(s.markers[0].x() > chart.x.low && s.markers[0].x() < chart.x.high);
            QVERIFY(s.markers[0].y() > chart.y.low && s.markers[0].y() < chart.y.high);
        }
    }

    // A sweep's bands stand around the curve of their runs, in its colours, only where the
    // chart is conversion ratio against the ratio; the Y axis takes them in.
    void bandsShowOnConversionRatiosAgainstTheRatioOnly()
    {
        SweepBands bands;
        bands.finished = true;
        bands.description = "TMagma 1473~50 K; 200 samples a ratio, seed 1";
        CurveBand curve;
        curve.storeRun = 2;
        curve.ratios = {0.1, 0.3, 0.6, 1.0, 2.5};
        curve.adiabaticP5 = {6.5, 11, 9.6, 7.1, 2.2};
        curve.adiabaticP95 = {8.5, 13, 11.6, 9.1, 4.2};
        curve.isothermalP5 = {15, 28, 25, 18, 4};
        curve.isothermalP95 = {20, 45, 30, 22, 8};
        bands.curves.push_back(curve);
        PlotRoutine routine(m_store);
        routine.setBands(&bands);

        PlotChoices crAgainstR;
        const Chart chart = routine.plot(crAgainstR);
        QCOMPARE(int(chart.bands.size()), 2);
        QCOMPARE(chart.bands[0].colour, kBlue);
        QCOMPARE(chart.bands[1].colour, kVermillion);
        QVERIFY(chart.bands[0].low.size() > 100); // a curve through the ratios, not their five points
        QVERIFY(chart.y.high >= 45);
        const auto bandEntries = std::count_if(chart.legend.begin(), chart.legend.end(),
                                               [](const LegendEntry& e) { return e.text == kBandLegend; });
        QCOMPARE(bandEntries, 1);
        QVERIFY(chart.notes.contains(QStringLiteral("5-95 % bands: TMagma 1473~50 K; 200 samples a ratio, seed 1")));

        // Drawn shaded: the plain chart has next to no light tinted pixels, the banded one many.
        const auto picture = [](const Chart& drawn) {
            QImage image(900, 600, QImage::Format_RGB32);
            QPainter painter(&image);
            renderChart(drawn, painter, QRectF(image.rect()));
            return image;
        };
        Chart plain = chart;
        plain.bands.clear();
        const int plainTint = countTinted(picture(plain));
        QVERIFY2(countTinted(picture(chart)) > plainTint + 5000, qPrintable(QString::number(plainTint)));

        PlotChoices steamFractions;
        steamFractions.y = YChoice::SteamFraction;
        PlotChoices againstMagmaT;
        againstMagmaT.xIndex = 1;
        for (const PlotChoices& choices : {steamFractions, againstMagmaT}) {
            const Chart other = routine.plot(choices);
            QVERIFY(other.bands.empty());
            QVERIFY(std::none_of(other.legend.begin(), other.legend.end(),
                                 [](const LegendEntry& e) { return e.text == kBandLegend; }));
        }
        // Bands of runs no longer stored, or of a study that was stopped, are not drawn.
        bands.curves[0].storeRun = 6;
        QVERIFY(routine.plot(crAgainstR).bands.empty());
        bands.curves[0].storeRun = 2;
        bands.finished = false;
        QVERIFY(routine.plot(crAgainstR).bands.empty());
    }

    void svgIsWellFormedWithItsTitle()
    {
        render(YChoice::SteamFraction, false, "chart.SVG", QSize(900, 600));
        const QByteArray svg = test::fileContents(path("chart.SVG"));
        QVERIFY2(test::xmlError(svg).isEmpty(), qPrintable(test::xmlError(svg)));
        QVERIFY(svg.contains("<title>QRV Steam Fractions</title>"));
        QSvgRenderer renderer(svg);
        QVERIFY(renderer.isValid());
        QVERIFY(qAbs(renderer.viewBoxF().width() / renderer.viewBoxF().height() - 1.5) < 1e-4);
    }

    void pdfPageShowsTheChart()
    {
        render(YChoice::FinalTemperature, false, "chart.pdf", QSize(1600, 1000));
        QVERIFY(test::fileContents(path("chart.pdf")).startsWith("%PDF-"));
        if (!test::popplerInstalled())
            QSKIP("poppler-utils is not installed");
        const QImage page = test::renderedPage(path("chart.pdf"), 72);
        QVERIFY(!page.isNull());
        // One page with the chart's aspect, and the markers on it.
        QVERIFY(qAbs(double(page.width()) / page.height() - 1.6) < 0.02);
        QVERIFY(test::countNonWhite(page) > page.width() * page.height() / 400);
        QVERIFY(test::countColour(page, kVermillion) > 5 * 10);
    }

    void refusedRequestsWriteNothing()
    {
        const Chart chart = PlotRoutine(m_store).plot(PlotChoices{});
        QFile existing(path("keep.png"));
        QVERIFY(existing.open(QIODevice::WriteOnly) && existing.write("earlier picture") == 15);
        existing.close();

        const std::tuple<QString, QSize, const char*> cases[] = {
            {path("keep.png"), QSize(0, 600), "a picture must be 1 to 10000 pixels"},
            {path("keep.png"), QSize(800, 10001), "a picture must be 1 to 10000 pixels"},
            {path("chart.bmp"), QSize(800, 600), "unknown picture type \"chart.bmp\""},
            {path("chart"), QSize(800, 600), "unknown picture type \"chart\""},
            {path("missing/chart.png"), QSize(800, 600), ""},
        };
        for (const auto& [file, pixels, expected] : cases) {
            QString error;
            QVERIFY(!exportChart(chart, file, pixels, &error));
            QVERIFY2(error.startsWith(QString::fromLatin1(expected)) && !error.isEmpty(), qPrintable(error));
        }
        QCOMPARE(test::fileContents(path("keep.png")), QByteArray("earlier picture"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("keep.png")});

        RunStore empty;
        QString error;
        QVERIFY(!renderRunsChart(empty, PlotChoices{}, path("empty.png"), QSize(800, 600), &error));
        QCOMPARE(error, QStringLiteral("there are no runs to plot"));
        QVERIFY(!QFile::exists(path("empty.png")));
    }

    // A PDF chart is drawn, not pictured: no image in it, its texts as text, with the runs'
    // conditions under the title and the reference in the legend.
    void pdfIsVectorWithItsTexts()
    {
        if (!test::popplerInstalled())
            QSKIP("poppler-utils is not installed");
        render(YChoice::ConversionRatio, true, "chart.pdf", QSize(1600, 1000), true);
        // The list's two heading lines and nothing else.
        QCOMPARE(test::popplerOutput("pdfimages", {"-list", path("chart.pdf")}).trimmed().split('\n').size(), 2);
        const QString words =
            QString::fromUtf8(test::popplerOutput("pdftotext", {path("chart.pdf"), "-"})).simplified();
        for (const char* expected : {"QRV Conversion Ratios", "TMagma 1473 K, water 298 K at 10 MPa, ambient 0.10 MPa",
                                     "Conversion ratio (%)", "Water/magma ratio R", "Isothermal, IAPWS-95 reference"})
            QVERIFY2(words.contains(QString::fromLatin1(expected)),
                     qPrintable(expected + QStringLiteral(" not in: ") + words));
    }
};

QTEST_MAIN(ChartExportTest)
#include "test_chartexport.moc"

#include "chart/chartadapter.h"
#include "chart/chartexport.h"
#include "engine/recordinghost.h"
#include "engine/runstore.h"
#include "tests/chart/exportfiles.h"
#include "tests/chart/sampleruns.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace qrv;

class ChartExportTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void yChoicesByKey();
    void pngHasTheSizeAndTheMarkers();
    void svgIsWellFormedWithItsTitle();
    void pdfPageShowsTheChart();
    void refusedRequestsWriteNothing();
    void splineFailureIsReturnedNotShown();

private:
    QString path(const char* name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    QByteArray contents(const QString& file) const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    RunStore m_store;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void ChartExportTest::init()
{
    m_store.clear();
    test::fillSampleRuns(m_store);
    m_dir = std::make_unique<QTemporaryDir>();
}

void ChartExportTest::yChoicesByKey()
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

void ChartExportTest::pngHasTheSizeAndTheMarkers()
{
    QString error;
    QVERIFY2(renderRunsChart(m_store, YChoice::ConversionRatio, false, path("points.png"),
                             QSize(1200, 700), &error), qPrintable(error));
    const QImage points(path("points.png"));
    QCOMPARE(points.size(), QSize(1200, 700));
    // Five markers per series, drawn larger than on screen.
    QVERIFY2(test::countColour(points, QColor(255, 0, 0)) > 5 * 40, "too few isothermal marker pixels");
    QVERIFY2(test::countColour(points, QColor(0, 0, 255)) > 5 * 40, "too few adiabatic marker pixels");

    // Curves are lines, and a single-series quantity draws in blue only.
    QVERIFY2(renderRunsChart(m_store, YChoice::EquilibriumTemperature, true, path("curve.png"),
                             QSize(300, 900), &error), qPrintable(error));
    const QImage curve(path("curve.png"));
    QCOMPARE(curve.size(), QSize(300, 900));
    QCOMPARE(test::countColour(curve, QColor(255, 0, 0)), 0);
    QVERIFY(test::countColour(curve, QColor(0, 0, 255)) > 100);
}

void ChartExportTest::svgIsWellFormedWithItsTitle()
{
    QString error;
    QVERIFY2(renderRunsChart(m_store, YChoice::SteamFraction, false, path("chart.SVG"), QSize(900, 600),
                             &error), qPrintable(error));
    const QByteArray svg = contents(path("chart.SVG"));
    QXmlStreamReader xml(svg);
    while (!xml.atEnd())
        xml.readNext();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(svg.contains("<title>QRV Steam Fractions</title>"));
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QVERIFY(qAbs(renderer.viewBoxF().width() / renderer.viewBoxF().height() - 1.5) < 1e-4);
}

void ChartExportTest::pdfPageShowsTheChart()
{
    QString error;
    QVERIFY2(renderRunsChart(m_store, YChoice::FinalTemperature, false, path("chart.pdf"),
                             QSize(1600, 1000), &error), qPrintable(error));
    QVERIFY(contents(path("chart.pdf")).startsWith("%PDF-"));
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        QSKIP("pdftoppm (poppler-utils) is not installed");
    QProcess render;
    render.start(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"),
                            QStringLiteral("-singlefile"), path("chart.pdf"), path("page")});
    QVERIFY(render.waitForFinished(30000));
    QCOMPARE(render.exitCode(), 0);
    const QImage page(path("page.png"));
    QVERIFY(!page.isNull());
    // One page with the chart's aspect, and the markers on it.
    QVERIFY(qAbs(double(page.width()) / page.height() - 1.6) < 0.02);
    QVERIFY(test::countNonWhite(page) > page.width() * page.height() / 400);
    QVERIFY(test::countColour(page, QColor(255, 0, 0)) > 5 * 10);
}

void ChartExportTest::refusedRequestsWriteNothing()
{
    ChartAdapter chart;
    RecordingHost host;
    PlotRoutine(m_store, chart, host).plot(PlotChoices{});
    QFile existing(path("keep.png"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("earlier picture");
    existing.close();

    struct Case {
        QString file;
        QSize pixels;
        const char* error;
    };
    const Case cases[] = {
        {path("keep.png"), QSize(0, 600), "a picture must be 1 to 10000 pixels"},
        {path("keep.png"), QSize(800, 10001), "a picture must be 1 to 10000 pixels"},
        {path("chart.bmp"), QSize(800, 600), "unknown picture type \"chart.bmp\""},
        {path("chart"), QSize(800, 600), "unknown picture type \"chart\""},
        {path("missing/chart.png"), QSize(800, 600), ""},
    };
    for (const Case& c : cases) {
        QString error;
        QVERIFY(!exportChart(chart, c.file, c.pixels, &error));
        QVERIFY2(error.startsWith(QString::fromLatin1(c.error)) && !error.isEmpty(), qPrintable(error));
    }
    QCOMPARE(contents(path("keep.png")), QByteArray("earlier picture"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("keep.png")});

    RunStore empty;
    QString error;
    QVERIFY(!renderRunsChart(empty, YChoice::ConversionRatio, false, path("empty.png"), QSize(800, 600), &error));
    QCOMPARE(error, QStringLiteral("there are no runs to plot"));
    QVERIFY(!QFile::exists(path("empty.png")));
}

void ChartExportTest::splineFailureIsReturnedNotShown()
{
    // A ratio beyond the curve's capacity: the window reports it in a message box.
    m_store.append(test::sampleRun(12.0f, 3, 1, 0.1f, 0.05f));
    QString error;
    QVERIFY(!renderRunsChart(m_store, YChoice::ConversionRatio, true, path("curve.png"), QSize(800, 600), &error));
    QVERIFY2(error.startsWith(QStringLiteral("Spline error:\n\nA curve")), qPrintable(error));
    // Both series fail alike; the reason is given once.
    QCOMPARE(error.count(QStringLiteral("Spline error:")), 1);
    QVERIFY(!QFile::exists(path("curve.png")));
    // The same runs as points are fine.
    QVERIFY2(renderRunsChart(m_store, YChoice::ConversionRatio, false, path("points.png"), QSize(800, 600),
                             &error), qPrintable(error));
}

QTEST_MAIN(ChartExportTest)
#include "test_chartexport.moc"

#include "chart/chartadapter.h"
#include "chart/chartexport.h"
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
    void pdfIsVectorWithItsTexts();

private:
    QString path(const char* name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    bool render(YChoice y, bool curve, const char* file, QSize pixels, QString* error)
    {
        PlotChoices choices;
        choices.y = y;
        choices.curve = curve;
        return renderRunsChart(m_store, choices, path(file), pixels, error);
    }
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
    const QColor blue(0, 114, 178);
    const QColor vermillion(213, 94, 0);
    QVERIFY2(render(YChoice::ConversionRatio, false, "points.png", QSize(1200, 700), &error), qPrintable(error));
    const QImage points(path("points.png"));
    QCOMPARE(points.size(), QSize(1200, 700));
    // Five markers per series, drawn larger than on screen.
    QVERIFY2(test::countColour(points, vermillion) > 5 * 40, "too few isothermal marker pixels");
    QVERIFY2(test::countColour(points, blue) > 5 * 40, "too few adiabatic marker pixels");

    // Curves are lines, and a single-series quantity draws in blue only.
    QVERIFY2(render(YChoice::EquilibriumTemperature, true, "curve.png", QSize(300, 900), &error), qPrintable(error));
    const QImage curve(path("curve.png"));
    QCOMPARE(curve.size(), QSize(300, 900));
    QCOMPARE(test::countColour(curve, vermillion), 0);
    QVERIFY(test::countColour(curve, blue) > 100);
}

void ChartExportTest::svgIsWellFormedWithItsTitle()
{
    QString error;
    QVERIFY2(render(YChoice::SteamFraction, false, "chart.SVG", QSize(900, 600), &error), qPrintable(error));
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
    QVERIFY2(render(YChoice::FinalTemperature, false, "chart.pdf", QSize(1600, 1000), &error), qPrintable(error));
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
    QVERIFY(test::countColour(page, QColor(213, 94, 0)) > 5 * 10);
}

void ChartExportTest::refusedRequestsWriteNothing()
{
    ChartAdapter chart;
    chart.show(PlotRoutine(m_store).plot(PlotChoices{}));
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
    QVERIFY(!renderRunsChart(empty, PlotChoices{}, path("empty.png"), QSize(800, 600), &error));
    QCOMPARE(error, QStringLiteral("there are no runs to plot"));
    QVERIFY(!QFile::exists(path("empty.png")));
}

// A PDF chart is drawn, not pictured: no image in it, its texts as text, with the runs'
// conditions under the title and the reference in the legend.
void ChartExportTest::pdfIsVectorWithItsTexts()
{
    const QString pdfimages = QStandardPaths::findExecutable(QStringLiteral("pdfimages"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdfimages.isEmpty() || pdftotext.isEmpty())
        QSKIP("pdfimages and pdftotext (poppler-utils) are not installed");
    PlotChoices choices;
    choices.curve = true;
    choices.reference = true;
    QString error;
    QVERIFY2(renderRunsChart(m_store, choices, path("chart.pdf"), QSize(1600, 1000), &error), qPrintable(error));
    QProcess images;
    images.start(pdfimages, {QStringLiteral("-list"), path("chart.pdf")});
    QVERIFY(images.waitForFinished(30000));
    QCOMPARE(images.exitCode(), 0);
    // The list's two heading lines and nothing else.
    QCOMPARE(images.readAllStandardOutput().trimmed().split('\n').size(), 2);
    QProcess text;
    text.start(pdftotext, {path("chart.pdf"), QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    for (const char* expected : {"QRV Conversion Ratios", "TMagma 1473 K, water 298 K at 10 MPa, ambient 0.10 MPa",
                                 "Conversion ratio (%)", "Water/magma ratio R", "Isothermal, IAPWS-95 reference"})
        QVERIFY2(words.contains(QString::fromLatin1(expected)), qPrintable(expected + QStringLiteral(" not in: ") + words));
}

QTEST_MAIN(ChartExportTest)
#include "test_chartexport.moc"

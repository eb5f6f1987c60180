#include "chart/chartexport.h"
#include "chart/contour/colourscale.h"
#include "chart/contour/mapgrid.h"
#include "chart/rendermap.h"
#include "base/appidentity.h"
#include "tests/chart/contour/samplegrids.h"
#include "tests/chart/exportfiles.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace qrv;

namespace {

// Four R by three magma temperatures, no value on a contour level (a multiple of 5) or near one
// at a cell's centre, and no result at (0.2, 1473 K).
MapGrid sampleMap()
{
    MapGrid map = test::gridOf({0.1, 0.2, 0.3, 0.4}, {1273, 1373, 1473}, [](double, double) { return 0.0; });
    map.z = {11, 22, 33, 44, 14, 27, 38, 47, 18, NAN, 41, 52};
    map.title = "QRV Isothermal Conversion Ratio";
    map.conditions = "water 298 K at 10 MPa, ambient 0.10 MPa";
    return map;
}

bool neutral(QColor c)
{
    return std::abs(c.red() - c.green()) <= 6 && std::abs(c.green() - c.blue()) <= 6;
}

bool near(QColor c, Rgb expected, int tolerance)
{
    return std::abs(c.red() - expected.red) <= tolerance && std::abs(c.green() - expected.green) <= tolerance
        && std::abs(c.blue() - expected.blue) <= tolerance;
}

} // namespace

class MapExportTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    QString path(const char* name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    void write(const MapGrid& map, const char* file, QSize pixels)
    {
        QString error;
        QVERIFY2(exportMap(map, path(file), pixels, &error), qPrintable(error));
    }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    // Each cell has its value's colour on the colour bar, at the bar's height for that value;
    // the missing point is hatched grey, named in the key, and nowhere the colour of a value.
    void pngCellsTakeTheColourBarsColours()
    {
        const MapGrid map = sampleMap();
        write(map, "map.png", QSize(800, 500));
        const QImage png(path("map.png"));
        QCOMPARE(png.size(), QSize(800, 500));
        const MapLayout layout = layOutMap(map, QRectF(0, 0, 800, 500));
        const ColourScale scale(map);
        QVERIFY(scale.colour(11) != scale.colour(52));
        for (std::size_t j = 0; j < 3; ++j)
            for (std::size_t i = 0; i < 4; ++i) {
                const double z = map.at(i, j);
                const QPoint centre = layout.pointOf(map.x.values[i], map.y.values[j]).toPoint();
                if (std::isnan(z)) {
                    const QRectF cell(centre - QPointF(40, 30), centre + QPointF(40, 30));
                    int hatched = 0;
                    for (int y = int(cell.top()); y < cell.bottom(); ++y)
                        for (int x = int(cell.left()); x < cell.right(); ++x) {
                            QVERIFY2(neutral(png.pixelColor(x, y)), qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
                            hatched += png.pixelColor(x, y).red() < 190;
                        }
                    QVERIFY(hatched > 80 * 60 / 10);
                    continue;
                }
                QCOMPARE(png.pixelColor(centre), QColor(scale.colour(z).red, scale.colour(z).green, scale.colour(z).blue));
                const QRectF& bar = layout.colourBar;
                const QPoint onBar(int(bar.center().x()), int(bar.bottom() - scale.position(z) * bar.height()));
                QVERIFY2(near(png.pixelColor(onBar), scale.colour(z), 4), qPrintable(QString::number(z)));
            }
        QVERIFY(!layout.missingKey.isEmpty());
        QVERIFY(layout.missingKey.top() > layout.colourBar.bottom());
        const QPoint swatch = layout.missingKey.topLeft().toPoint() + QPoint(3, 7);
        QVERIFY(neutral(png.pixelColor(swatch)) && png.pixelColor(swatch).red() < 230);

        // Every point with a result: no key, and the bar takes the plot's height.
        MapGrid complete = map;
        complete.z[9] = 30;
        const MapLayout full = layOutMap(complete, QRectF(0, 0, 800, 500));
        QVERIFY(full.missingKey.isEmpty());
        QCOMPARE(full.colourBar.height(), full.plot.height());
    }

    // A difference's map is white where the model meets the reference, blue below, red above.
    void differenceMapIsWhiteAtZero()
    {
        MapGrid map = test::gridOf({0.1, 0.2, 0.3}, {1273, 1473}, [](double, double) { return 0.0; });
        map.z = {-6.3, 0, 4.4, -2.2, 2.1, 7.7};
        map.diverging = true;
        write(map, "diff.png", QSize(800, 500));
        const QImage png(path("diff.png"));
        const MapLayout layout = layOutMap(map, QRectF(0, 0, 800, 500));
        // The zero contour runs through the point itself: most of the cell around it is white.
        const QPoint zero = layout.pointOf(0.2, 1273).toPoint();
        const Rgb white = blueWhiteRed(0.5);
        int whitePixels = 0;
        for (int y = zero.y() - 20; y < zero.y() + 20; ++y)
            for (int x = zero.x() - 20; x < zero.x() + 20; ++x)
                whitePixels += png.pixelColor(x, y) == QColor(white.red, white.green, white.blue);
        QVERIFY2(whitePixels > 40 * 40 * 3 / 4, qPrintable(QString::number(whitePixels)));
        const QColor below = png.pixelColor(layout.pointOf(0.1, 1273).toPoint());
        const QColor above = png.pixelColor(layout.pointOf(0.3, 1473).toPoint());
        QVERIFY(below.blue() > below.red() + 60);
        QVERIFY(above.red() > above.blue() + 60);
    }

    void svgCarriesTheDescriptionAndTheTexts()
    {
        write(sampleMap(), "map.svg", QSize(900, 600));
        const QByteArray svg = test::fileContents(path("map.svg"));
        QVERIFY2(test::xmlError(svg).isEmpty(), qPrintable(test::xmlError(svg)));
        QVERIFY(svg.contains("<title>QRV Isothermal Conversion Ratio</title>"));
        QVERIFY(svg.contains(QByteArray("<desc>") + QByteArray::fromStdString(madeByText()) + "</desc>"));
        for (const char* text : {"Isothermal conversion ratio (%)", "Magma temperature (K)", "Water/magma ratio R",
                                 "water 298 K at 10 MPa, ambient 0.10 MPa", "no result"})
            QVERIFY2(svg.contains(text), text);
    }

    // Drawn, not pictured: no image in the PDF, its texts as text, made by this program.
    void pdfIsVectorWithItsTexts()
    {
        write(sampleMap(), "map.pdf", QSize(1600, 1000));
        QVERIFY(test::fileContents(path("map.pdf")).startsWith("%PDF-"));
        if (!test::popplerInstalled())
            QSKIP("poppler-utils is not installed");
        QCOMPARE(test::popplerOutput("pdfimages", {"-list", path("map.pdf")}).trimmed().split('\n').size(), 2);
        const QString words = QString::fromUtf8(test::popplerOutput("pdftotext", {path("map.pdf"), "-"})).simplified();
        for (const char* expected : {"QRV Isothermal Conversion Ratio", "Isothermal conversion ratio (%)", "no result"})
            QVERIFY2(words.contains(QString::fromLatin1(expected)),
                     qPrintable(expected + QStringLiteral(" not in: ") + words));
        const QString info = QString::fromUtf8(test::popplerOutput("pdfinfo", {path("map.pdf")}));
        const QRegularExpression creator(
            QStringLiteral("Creator: +%1\n").arg(QRegularExpression::escape(QString::fromStdString(madeByText()))));
        QVERIFY2(info.contains(creator), qPrintable(info));
    }

    void gridThatCannotBeDrawnWritesNothing()
    {
        MapGrid map = sampleMap();
        map.z.pop_back();
        QString error;
        QVERIFY(!exportMap(map, path("short.png"), QSize(800, 500), &error));
        QCOMPARE(error, QStringLiteral("the map cannot be drawn: the map has 11 values for 4 x 3 points"));
        QVERIFY(!exportMap(sampleMap(), path("map.bmp"), QSize(800, 500), &error));
        QVERIFY2(error.startsWith(QStringLiteral("unknown picture type \"map.bmp\"")), qPrintable(error));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_MAIN(MapExportTest)
#include "test_mapexport.moc"

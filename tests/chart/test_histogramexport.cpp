// An uncertainty study's histograms written as pictures: each type valid, with the panels' and
// the title's texts, and a set that cannot be drawn refused without a file.
#include "chart/chartexport.h"
#include "chart/histogram/histogram.h"
#include "report/uncertaintyhistograms.h"
#include "tests/chart/exportfiles.h"

#include <QDir>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

using namespace qrv;

class HistogramExportTest : public QObject {
    Q_OBJECT

    HistogramSet m_set;
    QTemporaryDir m_dir;

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    void write(const HistogramSet& set, const char* file, QSize pixels)
    {
        QString error;
        QVERIFY2(exportHistograms(set, path(file), pixels, &error), qPrintable(error));
    }

private slots:
    void initTestCase()
    {
        UncertaintyRequest request;
        request.base.inputs = {"1473", "298", "0.1", "0.1", "0.3", "--", false};
        request.drawn = {{StudyInput::TMagma, {Distribution::Kind::Normal, 1473, 50}}};
        request.samples = 300;
        m_set = uncertaintyHistograms(request, runUncertainty(request));
    }

    void eachPictureTypeHoldsThePanels()
    {
        write(m_set, "mc.png", QSize(1200, 800));
        const QImage png(path("mc.png"));
        QCOMPARE(png.size(), QSize(1200, 800));
        // The bars' fill: six panels of bars.
        QVERIFY(test::countColour(png, QColor(86, 180, 233)) > 6 * 2000);

        write(m_set, "mc.svg", QSize(1600, 1000));
        const QByteArray svg = test::fileContents(path("mc.svg"));
        QVERIFY2(test::xmlError(svg).isEmpty(), qPrintable(test::xmlError(svg)));
        QVERIFY(QSvgRenderer(svg).isValid());
        for (const char* text : {"<title>QRV Uncertainty</title>", "Drawn: TMagma 1473~50 K (normal)",
                                 "No sample of 300 failed", "Equilibrium temperature (K)", "95 %"})
            QVERIFY2(svg.contains(text), text);

        write(m_set, "mc.pdf", QSize(1600, 1000));
        QVERIFY(test::fileContents(path("mc.pdf")).startsWith("%PDF-"));
        if (!test::popplerInstalled())
            QSKIP("poppler-utils is not installed");
        const QString words = QString::fromUtf8(test::popplerOutput("pdftotext", {path("mc.pdf"), "-"})).simplified();
        QVERIFY2(words.contains(QStringLiteral("IAPWS-95 isothermal conversion ratio (%)")), qPrintable(words));
        // Drawn, not pictured.
        QCOMPARE(test::popplerOutput("pdfimages", {"-list", path("mc.pdf")}).trimmed().split('\n').size(), 2);
    }

    void setsThatCannotBeDrawnWriteNothing()
    {
        HistogramSet broken = m_set;
        broken.panels[2].bins.width = 0;
        QString error;
        QVERIFY(!exportHistograms(broken, path("broken.png"), QSize(800, 600), &error));
        QVERIFY2(error.startsWith(QStringLiteral("the histograms cannot be drawn: IAPWS-95 adiabatic")), qPrintable(error));
        QVERIFY(!exportHistograms(HistogramSet{}, path("empty.png"), QSize(800, 600), &error));
        QCOMPARE(error, QStringLiteral("the histograms cannot be drawn: there are no outputs to draw"));
        QVERIFY(!QFile::exists(path("broken.png")) && !QFile::exists(path("empty.png")));
    }
};

QTEST_MAIN(HistogramExportTest)
#include "test_histogramexport.moc"

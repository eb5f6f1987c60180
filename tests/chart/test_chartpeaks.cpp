// Peaks marked on charts: the chart's marks are findPeaks' peaks of the stored curves, and
// their labels keep clear of each other. (That the files show them: tests/cli/test_charts.py.)
#include "calculation/peaks.h"
#include "calculation/ratiosweep.h"
#include "calculation/sweepfamily.h"
#include "chart/chartexport.h"
#include "chart/peaklabels.h"
#include "chart/plotroutine.h"
#include "runs/runstore.h"
#include "tests/chart/sampleruns.h"

#include <QtTest>

using namespace qrv;

class ChartPeaksTest : public QObject {
    Q_OBJECT

    RunRequest m_request;
    SweepFamily m_family{FamilyInput::TMagma, {"1073", "1273", "1473"}};
    std::vector<double> m_ratios = sweepRatios(0.05, 1, 0.05).ratios;
    RunStore m_store;

    static PlotChoices peaksChosen(bool reference)
    {
        PlotChoices choices;
        choices.curve = true;
        choices.reference = reference;
        choices.peaks = true;
        return choices;
    }

private slots:
    void initTestCase()
    {
        m_request.inputs = {"1073", "298", "0.1", "0.1", "", "--", false};
        runFamilySweep(m_request, m_family, m_ratios, [this](std::size_t, const SweepRun& step) {
            m_store.append(step.run.record.value());
            return true;
        });
    }

    // Each curve's mark, with its reference's when that is shown, is the peak qrv-cli's
    // sweep --peaks finds for the family: same R, same conversion ratio, to the bit.
    void familyPeaksAreThoseOfFindPeaks()
    {
        const std::vector<Peak> expected = findPeaks(m_request, m_family, m_ratios);
        PlotRoutine routine(m_store);
        const Chart chart = routine.plot(peaksChosen(true));
        QCOMPARE(chart.peaks.size(), expected.size());
        for (std::size_t k = 0; k < expected.size(); ++k) {
            const Peak& peak = expected[k];
            QVERIFY(peak.found);
            QCOMPARE(chart.peaks[k].at, QPointF(peak.ratio, peak.crPercent));
            QCOMPARE(chart.peaks[k].reference, peak.path >= 2);
            QCOMPARE(chart.peaks[k].label,
                     QStringLiteral("%1 % at R %2").arg(peak.crPercent, 0, 'f', 2).arg(peak.ratio, 0, 'f', 3));
            // In its member's colour, the colour of that member's curves.
            QCOMPARE(chart.peaks[k].colour, chart.series.at(2 * 2 * peak.member).colour);
            // On the chart: the axis reaches above the highest peak, even where it lies above every run.
            QVERIFY(chart.y.high >= peak.crPercent);
        }
        // Without the reference, only the runs' own curves are marked.
        const Chart runsOnly = routine.plot(peaksChosen(false));
        QCOMPARE(runsOnly.peaks.size(), 2 * m_family.values.size());
        QVERIFY(std::none_of(runsOnly.peaks.begin(), runsOnly.peaks.end(), [](const ChartPeak& p) { return p.reference; }));
    }

    // Where no peak of a conversion ratio over R can be shown, the chart says why instead.
    void chartsWithoutPeaksSayWhy()
    {
        PlotRoutine routine(m_store);
        PlotChoices steam = peaksChosen(false);
        steam.y = YChoice::SteamFraction;
        Chart chart = routine.plot(steam);
        QVERIFY(chart.peaks.empty());
        QVERIFY(chart.notes.contains(QStringLiteral("Peaks are marked only where the conversion ratio is drawn against the ratio")));

        // Runs whose numbers their stored inputs do not give again (typed S and Cv): a note, no marks.
        RunStore made;
        test::fillSampleRuns(made);
        chart = PlotRoutine(made).plot(peaksChosen(false));
        QVERIFY(chart.peaks.empty());
        QVERIFY2(chart.notes.filter(QStringLiteral("No peaks: its runs cannot be made again")).size() == 1,
                 qPrintable(chart.notes.join(QLatin1Char('|'))));

        RunStore lone;
        lone.append(m_store.record(1));
        chart = PlotRoutine(lone).plot(peaksChosen(false));
        QVERIFY(chart.peaks.empty());
        QVERIFY(chart.notes.contains(QStringLiteral("No peaks: a curve of one run has no peak between runs")));
    }

    // Twelve peaks crowded into a corner of the plot, one in its very corner and one alone:
    // every label inside the plot, touching no other label and no peak's mark.
    void crowdedLabelsKeepClearOfEachOtherAndOfTheMarks()
    {
        const QRectF plot(50, 40, 700, 400);
        std::vector<QPointF> centres;
        for (int k = 0; k < 12; ++k)
            centres.emplace_back(600 + 13 * (k % 4), 70 + 9 * k);
        centres.emplace_back(plot.right() - 1, plot.top() + 1);
        centres.emplace_back(200, 300); // alone
        const std::vector<QSizeF> sizes(centres.size(), QSizeF(130, 20));
        const std::vector<QRectF> labels = placePeakLabels(centres, sizes, plot, 14);
        // A peak with room around it has its label right beside its mark.
        const QRectF alone = labels.back().adjusted(-10, -10, 10, 10);
        QVERIFY2(alone.contains(centres.back()), qPrintable(QStringLiteral("%1, %2").arg(labels.back().x()).arg(labels.back().y())));
        QCOMPARE(labels.size(), centres.size());
        for (std::size_t k = 0; k < labels.size(); ++k) {
            QVERIFY2(plot.contains(labels[k]), qPrintable(QStringLiteral("label %1 outside the plot").arg(k)));
            QCOMPARE(labels[k].size(), sizes[k]);
            for (std::size_t other = 0; other < labels.size(); ++other) {
                const QRectF mark(centres[other] - QPointF(7, 7), QSizeF(14, 14));
                QVERIFY2(!labels[k].intersects(mark), qPrintable(QStringLiteral("label %1 on mark %2").arg(k).arg(other)));
                QVERIFY2(other == k || !labels[k].intersects(labels[other]),
                         qPrintable(QStringLiteral("labels %1 and %2 overlap").arg(k).arg(other)));
            }
        }
    }
};

QTEST_MAIN(ChartPeaksTest)
#include "test_chartpeaks.moc"

// The sweep dialog's uncertainty bands: the group's boxes read or refused by name and
// remembered, the bands run after the sweep's runs into the session, and a stop leaving none.
#include "tests/windows/guitestsupport.h"

#include "calculation/ratiosweep.h"
#include "windows/ratiobands.h"
#include "windows/sweepdialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>

using namespace qrv;
using namespace qrv::test;

namespace {

QLineEdit* box(const SweepDialog& dialog, const char* name)
{
    return dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
}

QString summary(const SweepDialog& dialog)
{
    return dialog.findChild<QLabel*>(QStringLiteral("labSummary"))->text();
}

QGroupBox* bandsGroup(const SweepDialog& dialog)
{
    return dialog.findChild<QGroupBox*>(QStringLiteral("fraUncertainty"));
}

class StopAt : public SweepProgress {
public:
    explicit StopAt(int done) : m_done(done) {}
    bool advance(int done, int total) override
    {
        m_total = total;
        return done < m_done;
    }
    int total() const { return m_total; }

private:
    int m_done;
    int m_total = 0;
};

} // namespace

class UncertaintyBandsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QSettings(QStringLiteral("Tarvel"), QStringLiteral("QRV")).remove(QStringLiteral("Sweep")); }

    void spreadsTyped_sweepDialog_refusalsNameTheBoxAndRunWaits()
    {
        SweepDialog dialog(QStringLiteral("R"), {});
        box(dialog, "txtTo")->setText(QStringLiteral("0.15")); // 0.05, 0.1, 0.15
        QGroupBox* group = bandsGroup(dialog);
        QVERIFY(group->isCheckable() && !group->isChecked() && !dialog.bands());
        group->setChecked(true);
        const std::pair<const char*, QString> refused[] = {
            {"", QStringLiteral("Uncertainty bands: give at least one input a spread, or switch the bands off.")},
            {"1473~x", QStringLiteral("TMagma spread: \"1473~x\" is not MEAN~SD.")},
            {"~-5", QStringLiteral("TMagma spread: \"~-5\": the standard deviation must not be negative.")},
            {"1473", QStringLiteral("TMagma spread: \"1473\" is a single value: give MEAN~SD, ~SD or FROM..TO, or "
                                    "leave the box empty to keep the input window's value.")},
        };
        for (const auto& [text, reason] : refused) {
            box(dialog, "txtSpreadTMagma")->setText(QString::fromLatin1(text));
            QCOMPARE(summary(dialog), reason);
            QVERIFY(!dialog.runButton()->isEnabled() && !dialog.bands());
        }
        box(dialog, "txtSpreadTMagma")->setText(QStringLiteral("1473~50"));
        box(dialog, "txtSamples")->setText(QStringLiteral("20"));
        QCOMPARE(summary(dialog), QStringLiteral("3 runs, with 5-95 % bands from 20 samples per ratio"));
        QVERIFY(dialog.runButton()->isEnabled());
        QCOMPARE(dialog.bands()->samples, std::size_t(20));

        // A family of magma temperatures spreads each member's own value, not one for all
        auto* family = dialog.findChild<QComboBox*>(QStringLiteral("cboFamily"));
        family->setCurrentIndex(family->findText(QStringLiteral("TMagma (K)")));
        box(dialog, "txtFamily")->setText(QStringLiteral("1273, 1473"));
        QCOMPARE(summary(dialog),
                 QStringLiteral("TMagma spread: the family varies TMagma; give ~SD to spread each member's value."));
        box(dialog, "txtSpreadTMagma")->setText(QStringLiteral("~50"));
        QVERIFY(dialog.runButton()->isEnabled());
        QVERIFY(!box(dialog, "txtSpreadX")); // water has no water fraction to spread
        dialog.reject();

        // What was typed is there the next time, in a sediment sweep with its X box too
        SweepDialog sediment(QStringLiteral("Rs"), {});
        QVERIFY(bandsGroup(sediment)->isChecked());
        QCOMPARE(box(sediment, "txtSpreadTMagma")->text(), QStringLiteral("~50"));
        QCOMPARE(box(sediment, "txtSamples")->text(), QStringLiteral("20"));
        QVERIFY(box(sediment, "txtSpreadX"));
    }

    void bandsAsked_sweep_bandsBesideTheRunsUntilClearData()
    {
        TestSession t;
        const BandRequest bands{{{StudyInput::TMagma, "~50"}}, 30, 1};
        t.session->sweep({0.1, 0.2, 0.3}, {}, bands);
        QCOMPARE(t.session->store().count(), 3);
        const SweepBands& held = t.session->bands();
        QVERIFY(held.finished);
        QCOMPARE(held.curves.size(), std::size_t(1));
        QCOMPARE(held.curves[0].storeRun, 1);
        QCOMPARE(held.samples, std::size_t(90));
        // Clear Data takes them away.
        t.session->plotDataCleared();
        QVERIFY(t.session->bands().empty());

        // A family: each member's band goes with that member's runs, "~50" about its own value.
        t.session->store().clear();
        t.session->sweep({0.1, 0.2}, SweepFamily{FamilyInput::TMagma, {"1073", "1473"}}, bands);
        QCOMPARE(t.session->bands().curves.size(), std::size_t(2));
        for (const int member : {0, 1}) {
            const CurveBand& band = t.session->bands().curves[std::size_t(member)];
            QCOMPARE(band.storeRun, 1 + 2 * member);
            const double run = t.session->store().record(band.storeRun).CRAdiabatic;
            QVERIFY(band.adiabaticP5[0] < run && run < band.adiabaticP95[0]);
        }
        QCOMPARE(t.session->bands().description, "TMagma ~50 K about each member's value; 30 samples a ratio, seed 1");
    }

    void progressStopped_bands_runsKeptAndNoBands()
    {
        RunStore store;
        RecordingHost host;
        RatioSweeper sweeper(store, host);
        const BandRequest bands{{{StudyInput::TMagma, "1473~50"}}, 40, 1};
        RunRequest request;
        request.inputs = {"1473", "298", "0.1", "0.1", "0.1", "--", false};
        const std::vector<double> ratios{0.1, 0.2};
        // Stopped as the second ratio's samples start: the sweep's two runs stay, no band at all.
        StopAt stop(2 + 40);
        const SweepReport sweep = sweeper.run(request, ratios, stop);
        QCOMPARE(store.count(), 2);
        QCOMPARE(sweep.memberRuns, std::vector<int>{1});
        const SweepBands stopped = runRatioBands(request, ratios, {}, bands, sweep, stop);
        QCOMPARE(stop.total(), 2 + 80);
        QVERIFY(!stopped.finished && stopped.empty());
    }
};

QRV_GUI_TEST_MAIN(UncertaintyBandsTest)
#include "test_uncertaintybands.moc"

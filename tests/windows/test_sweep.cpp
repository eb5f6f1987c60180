// The input window's ratio sweep: the dialog's range, runs equal to single runs and to
// qrv-cli's sweep, the store limit, cancelling, the steam-table path without vaptab and the
// collected messages.
#include "tests/windows/guitestsupport.h"

#include "engine/freshrunner.h"
#include "engine/parsenumber.h"
#include "engine/ratiosweep.h"
#include "engine/runner.h"
#include "engine/runstore.h"
#include "reference/referencecolumns.h"
#include "steam/densitysolver.h"
#include "windows/ratiosweeper.h"
#include "windows/sweepdialog.h"
#include "windows/sweeprange.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStandardItemModel>
#include <QTimer>

#include <cstdlib>
#include <stdexcept>

using namespace qrv;
using namespace qrv::test;

namespace {

class StopAfter : public SweepProgress {
public:
    explicit StopAfter(int runs) : m_runs(runs) {}
    bool advance(int done, int) override { return done < m_runs; }

private:
    int m_runs;
};

const InputTexts kStartUp{"1473", "298", "0.1", "0.1", "", "--", false};

// A single run after start-up with the ratio typed as the sweep types it.
SeriesRecord singleRun(RunRequest request, double ratio)
{
    request.inputs.ratio = ratioText(ratio);
    const std::optional<SeriesRecord> record = FreshRunner().run(request)->record();
    if (!record)
        qFatal("the single run at ratio %g was not stored", ratio);
    return *record;
}

void compareWithSingleRuns(const RunStore& store, int first, const RunRequest& request,
                           const std::vector<double>& ratios)
{
    for (std::size_t i = 0; i < ratios.size(); ++i) {
        const SeriesRecord expected = singleRun(request, ratios[i]);
        const SeriesRecord& swept = store.record(first + int(i));
        for (int field = 0; field < SeriesRecord::kFieldCount; ++field)
            QVERIFY2(swept.field(field) == expected.field(field),
                     qPrintable(QStringLiteral("ratio %1, %2: %3 instead of %4")
                                    .arg(ratios[i])
                                    .arg(QString::fromUtf8(kSeriesFieldNames[std::size_t(field)].data()))
                                    .arg(double(swept.field(field)), 0, 'g', 9)
                                    .arg(double(expected.field(field)), 0, 'g', 9)));
    }
}

const std::vector<double> kDefaultRatios = sweepRange({"0.05", "3", "0.05", "60", false}).ratios;

} // namespace

class SweepTest : public QObject {
    Q_OBJECT
private slots:
    void rangeTexts_sweepRange_ratiosOrTheReason();
    void startUpInputs_sweepDialogDefaults_sixtyRunsEqualToSingleRunsAndThePlot();
    void sedimentMode_sweep_everyRecordEqualsItsSingleRun();
    void warmPressurisedWater_sweepWithoutVaptab_usesTheIapwsState();
    void waterBetweenSteamTableSteps_desktopAndCliSweeps_sameRecords();
    void waterBeyondTheSteamTable_sweep_oneRefusalAndNoRun();
    void fiveShortOfFull_sweepOfTen_refusedWithTheFiveThatFit();
    void fiveShortOfFull_sweepDialog_staysOpenWithTheTypedRange();
    void sweepDialog_opened_wideEnoughForItsWholeTitle();
    void progressStopsAfterThree_run_threeWholeRunsAndNoPartialRecord();
    void everyRunReportsAMessage_sweep_oneShortenedBoxAfterTheRuns();
    void missingMagmaTemperature_sweep_continuesMessageAndNoRun();
    void familyOfTwoTemperatures_sweepDialog_everyRatioPerMemberAsInQrvCli();
    void familyTypedWrongOrRefused_dialogAndSweep_saySoAndRunNothing();
};

void SweepTest::rangeTexts_sweepRange_ratiosOrTheReason()
{
    // State / Action
    const SweepRange defaults = sweepRange({"0.05", "3", "0.05", "", false});
    const SweepRange counted = sweepRange({"0.5", "2", "", "4", true});
    // Expected
    QVERIFY(defaults.error.isEmpty());
    QCOMPARE(defaults.ratios.size(), std::size_t(60));
    QCOMPARE(defaults.ratios.front(), 0.05);
    QVERIFY(std::abs(defaults.ratios.back() - 3.0) < 1e-12);
    QCOMPARE(counted.ratios, (std::vector<double>{0.5, 1.0, 1.5, 2.0}));
    const std::pair<SweepRangeTexts, QString> refused[] = {
        {{"0", "3", "0.05", "", false}, "first ratio"},
        {{"-1", "3", "0.05", "", false}, "first ratio"},
        {{"1", "0.5", "0.05", "", false}, "must not end below"},
        {{"1", "3", "0", "", false}, "step"},
        {{"1", "3", "", "2.5", true}, "whole number"},
        {{"1", "3", "", "1", true}, "whole number"},
        {{"3", "3", "", "5", true}, "greater than the first"},
    };
    for (const auto& [texts, reason] : refused) {
        const SweepRange range = sweepRange(texts);
        QVERIFY2(range.error.contains(reason), qPrintable(texts.from + QLatin1Char(' ') + range.error));
        QVERIFY(range.ratios.empty());
    }
    // A text that is not a number is named by its box, whichever box it is.
    const QString commaHint = QStringLiteral("\nUse \".\" as the decimal point (0.5, not 0,5) and no thousands separators.");
    const std::pair<SweepRangeTexts, QString> unreadable[] = {
        {{"0,05", "3", "0.05", "", false, "Rs"}, "From Rs: \"0,05\" is not a number." + commaHint},
        {{"0.05", "inf", "0.05", "", false}, "To R: \"inf\" is not a number."},
        {{"0.05", "3", "1e", "", false}, "Step: \"1e\" is not a number."},
        {{"0.05", "3", "", "6O", true}, "Number of ratios: \"6O\" is not a number."},
    };
    for (const auto& [texts, message] : unreadable) {
        const SweepRange range = sweepRange(texts);
        QCOMPARE(range.error, message);
        QVERIFY(range.ratios.empty());
    }
}

void SweepTest::startUpInputs_sweepDialogDefaults_sixtyRunsEqualToSingleRunsAndThePlot()
{
    // State
    TestSession t;
    CountingPlotView plot;
    t.session->setPlotView(&plot);
    // Action: the dialog opens modally; its defaults are run as they stand.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<SweepDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        dialog->runButton()->click();
    });
    t.main().ui().cmdSweep->click();
    // Expected
    QCOMPARE(t.session->store().count(), 60);
    RunRequest request;
    request.inputs = kStartUp;
    compareWithSingleRuns(t.session->store(), 1, request, kDefaultRatios);
    QCOMPARE(plot.shown, 1);
    QVERIFY(t.presenter.shown.isEmpty());
    QVERIFY(t.main().isEnabled());
    QVERIFY(!t.main().isMinimized());
    QVERIFY(!t.main().ui().Frame1->isVisible());
    QCOMPARE(t.main().ui().txtR->text(), QStringLiteral("0.30"));
}

void SweepTest::sedimentMode_sweep_everyRecordEqualsItsSingleRun()
{
    // State
    TestSession t;
    t.main().ui().optSM->click();
    t.main().ui().txtXmix->setText(QStringLiteral("0.4"));
    const std::vector<double> ratios = sweepRange({"0.2", "5", "", "7", true}).ratios;
    // Action
    t.session->sweep(ratios);
    // Expected
    QCOMPARE(t.session->store().count(), 7);
    RunRequest request;
    request.inputs = {"1473", "298", "0.1", "0.1", "", "0.4", true};
    compareWithSingleRuns(t.session->store(), 1, request, ratios);
    QCOMPARE(t.session->store().record(7).R, 5.0f);
}

void SweepTest::warmPressurisedWater_sweepWithoutVaptab_usesTheIapwsState()
{
    // State: no steam-table program at all
    TestSession t(QStringLiteral("/nonexistent/vaptab"));
    t.setInputs("1473", "400", "5", "0.1", "0.30");
    const steam::Properties water = steam::stateAt(5e6, 400).properties;
    RecordingHost quiet;
    RunStore scratch;
    const std::optional<RunRequest> prepared = RatioSweeper(scratch, quiet).prepare(
        {"1473", "400", "5", "0.1", "", "--", false}, false, 0.5);
    // Action
    t.session->sweep({0.5, 1.0, 2.0});
    // Expected: the initial water as IAPWS-95 has it, carried into the runs
    QVERIFY(prepared.has_value());
    const std::unique_ptr<FreshRun> single = FreshRunner().run(*prepared);
    QVERIFY(single->source == InitialValuesSource::Iapws95);
    // Exactly, not within QCOMPARE's float tolerance: a rounded text would shift them slightly.
    QVERIFY(single->state.SInit == float(water.entropy));
    QVERIFY(single->state.CvInit == float(water.cv));
    QCOMPARE(t.session->store().count(), 3);
    compareWithSingleRuns(t.session->store(), 1, *prepared, {0.5, 1.0, 2.0});
    QVERIFY(t.presenter.shown.isEmpty());
    QVERIFY(!t.main().ui().Frame1->isVisible());
    QVERIFY(t.main().ui().txtVaptab->toPlainText().isEmpty());
}

void SweepTest::waterBetweenSteamTableSteps_desktopAndCliSweeps_sameRecords()
{
    // State: water at 400.04 K, which the steam-table question names as 400.0 K
    const QString cli = qEnvironmentVariable("QRV_TEST_CLI");
    QVERIFY2(!cli.isEmpty(), "QRV_TEST_CLI names the qrv-cli program");
    TestSession t(QStringLiteral("/nonexistent/vaptab"));
    t.setInputs("1473", "400.04", "5", "0.1", "0.30");
    const std::vector<double> ratios = sweepRange({"0.5", "2", "0.5", "", false}).ratios;
    // Action: the same sweep in the desktop program and in qrv-cli
    t.session->sweep(ratios);
    QProcess process;
    process.start(cli, {"sweep", "--tmagma", "1473", "--tinit", "400.04", "--pinit", "5", "--pfinal", "0.1",
                        "--r", "0.5:2:0.5", "--csv"});
    QVERIFY(process.waitForFinished(60000));
    // Expected: every field of every record equal, read back from the CSV's shortest texts
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(t.presenter.shown.isEmpty());
    const QStringList rows = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), 1 + int(ratios.size()));
    QCOMPARE(t.session->store().count(), int(ratios.size()));
    for (int run = 1; run <= t.session->store().count(); ++run) {
        const QStringList cells = rows[run].split(',');
        QCOMPARE(cells.size(), SeriesRecord::kFieldCount + int(reference::referenceColumnNames().size()));
        for (int field = 0; field < SeriesRecord::kFieldCount; ++field)
            QVERIFY2(std::strtof(cells[field].toStdString().c_str(), nullptr) == t.session->store().record(run).field(field),
                     qPrintable(QStringLiteral("run %1, %2: qrv-cli %3, desktop %4")
                                    .arg(run)
                                    .arg(QString::fromUtf8(kSeriesFieldNames[std::size_t(field)].data()))
                                    .arg(cells[field])
                                    .arg(double(t.session->store().record(run).field(field)), 0, 'g', 9)));
    }
}

void SweepTest::waterBeyondTheSteamTable_sweep_oneRefusalAndNoRun()
{
    // State: water hotter than the steam table reaches
    TestSession t(QStringLiteral("/nonexistent/vaptab"));
    t.setInputs("1473", "1300", "5", "0.1", "0.30");
    // Action
    t.session->sweep(kDefaultRatios);
    // Expected
    QCOMPARE(t.session->store().count(), 0);
    QCOMPARE(t.presenter.shown.size(), 1);
    QVERIFY2(t.presenter.shown[0].text.startsWith(
                 QStringLiteral("The steam table has no initial water state for this sweep: ")),
             qPrintable(t.presenter.shown[0].text));
    QCOMPARE(t.presenter.shown[0].icon, Icon::Exclamation);
}

void SweepTest::fiveShortOfFull_sweepOfTen_refusedWithTheFiveThatFit()
{
    // State
    TestSession t;
    for (int i = 0; i < RunStore::kCapacity - 5; ++i)
        t.session->store().append(SeriesRecord{});
    const std::vector<double> ten(kDefaultRatios.begin(), kDefaultRatios.begin() + 10);
    // Action
    t.session->sweep(ten);
    // Expected
    QCOMPARE(t.session->store().count(), RunStore::kCapacity - 5);
    QCOMPARE(t.presenter.shown.size(), 1);
    QVERIFY2(t.presenter.shown[0].text.contains(QStringLiteral("only 5 more runs fit, not 10")),
             qPrintable(t.presenter.shown[0].text));
    // Action: one more than fits, then the five that fit
    t.session->sweep(std::vector<double>(ten.begin(), ten.begin() + 6));
    QCOMPARE(t.presenter.shown.size(), 2);
    t.session->sweep(std::vector<double>(ten.begin(), ten.begin() + 5));
    // Expected: the store is full and nothing else was said
    QCOMPARE(t.presenter.shown.size(), 2);
    QCOMPARE(t.session->store().count(), RunStore::kCapacity);
}

void SweepTest::fiveShortOfFull_sweepDialog_staysOpenWithTheTypedRange()
{
    // State
    TestSession t;
    for (int i = 0; i < RunStore::kCapacity - 5; ++i)
        t.session->store().append(SeriesRecord{});
    // Action: the default 60 ratios asked for, then five of them
    bool checked = false;
    QTimer::singleShot(0, [&checked] {
        auto* dialog = qobject_cast<SweepDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        // A failed check must not leave the modal dialog waiting.
        auto closeOnFailure = qScopeGuard([dialog] { dialog->reject(); });
        auto* summary = dialog->findChild<QLabel*>(QStringLiteral("labSummary"));
        QVERIFY2(summary->text().contains(QStringLiteral("only 5 more runs fit, not 60")), qPrintable(summary->text()));
        dialog->runButton()->click();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("txtTo"))->text(), QStringLiteral("3"));
        dialog->findChild<QLineEdit*>(QStringLiteral("txtTo"))->setText(QStringLiteral("0.25"));
        QVERIFY(dialog->runButton()->isEnabled());
        QCOMPARE(summary->text(), QStringLiteral("5 runs"));
        checked = true;
        closeOnFailure.dismiss();
        dialog->runButton()->click();
    });
    t.main().ui().cmdSweep->click();
    // Expected
    QVERIFY(checked);
    QCOMPARE(t.session->store().count(), RunStore::kCapacity);
    QVERIFY(t.presenter.shown.isEmpty());
}

void SweepTest::sweepDialog_opened_wideEnoughForItsWholeTitle()
{
    SweepDialog dialog(QStringLiteral("R"), {});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // A bold title bar, with the window's icon and buttons beside the title.
    QFont titleFont = dialog.font();
    titleFont.setBold(true);
    QVERIFY(dialog.width() >= QFontMetrics(titleFont).horizontalAdvance(dialog.windowTitle()) + 120);
}

void SweepTest::progressStopsAfterThree_run_threeWholeRunsAndNoPartialRecord()
{
    // State
    RunStore store;
    RecordingHost host;
    RatioSweeper sweeper(store, host);
    RunRequest request;
    request.inputs = kStartUp;
    StopAfter progress(3);
    // Action
    const SweepReport report = sweeper.run(request, kDefaultRatios, progress);
    // Expected
    QCOMPARE(report.done, 3);
    QCOMPARE(report.stored, 3);
    QVERIFY(report.cancelled);
    QCOMPARE(store.count(), 3);
    compareWithSingleRuns(store, 1, request, {kDefaultRatios.begin(), kDefaultRatios.begin() + 3});
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, store.record(4));
    QVERIFY(host.messages().empty());
}

void SweepTest::everyRunReportsAMessage_sweep_oneShortenedBoxAfterTheRuns()
{
    // State: constant-volume heating warns in every run of this range
    TestSession t;
    t.main().ui().optCV->setChecked(true);
    RunRequest request;
    request.inputs = kStartUp;
    request.constantVolume = true;
    std::vector<SweepMessage> expected;
    runSweep(request, kDefaultRatios, [&expected](const SweepRun& step) {
        for (const HostMessage& message : step.run.host.messages())
            expected.push_back({step.ratio, message.text, {}});
        return true;
    });
    QCOMPARE(expected.size(), std::size_t(60));
    // Action
    t.session->sweep(kDefaultRatios);
    // Expected
    QCOMPARE(t.session->store().count(), 60);
    QCOMPARE(t.presenter.shown.size(), 1);
    const QStringList lines = t.presenter.shown[0].text.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 1 + 12 + 1);
    QCOMPARE(lines.front(), QStringLiteral("60 messages during the sweep:"));
    QCOMPARE(lines[2], QStringLiteral("ratio 0.1: ") + QString::fromStdString(expected[1].text).replace('\n', ' '));
    QCOMPARE(lines.back(), QStringLiteral("... and 48 more"));
    QCOMPARE(QString::fromStdString(sweepMessageSummary({{0.25, "one\ntwo", {}}, {0.5, "three", "TMagma 1073 K"}})),
             QStringLiteral("2 messages during the sweep:\nratio 0.25: one two\nTMagma 1073 K, ratio 0.5: three"));
}

void SweepTest::missingMagmaTemperature_sweep_continuesMessageAndNoRun()
{
    // State
    TestSession t;
    t.main().ui().txtTMagma->clear();
    // Action
    t.session->sweep(kDefaultRatios);
    // Expected
    QCOMPARE(t.presenter.shown.size(), 1);
    QCOMPARE(t.presenter.shown[0].text, QStringLiteral("Please enter all values!"));
    QCOMPARE(t.session->store().count(), 0);
}

void SweepTest::familyOfTwoTemperatures_sweepDialog_everyRatioPerMemberAsInQrvCli()
{
    // State
    const QString cli = qEnvironmentVariable("QRV_TEST_CLI");
    QVERIFY2(!cli.isEmpty(), "QRV_TEST_CLI names the qrv-cli program");
    TestSession t;
    bool checked = false;
    // Action: a family of two magma temperatures over two ratios, chosen in the dialog
    QTimer::singleShot(0, [&checked] {
        auto* dialog = qobject_cast<SweepDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        auto closeOnFailure = qScopeGuard([dialog] { dialog->reject(); });
        dialog->findChild<QLineEdit*>(QStringLiteral("txtFrom"))->setText(QStringLiteral("0.5"));
        dialog->findChild<QLineEdit*>(QStringLiteral("txtTo"))->setText(QStringLiteral("1"));
        dialog->findChild<QLineEdit*>(QStringLiteral("txtStep"))->setText(QStringLiteral("0.5"));
        auto* values = dialog->findChild<QLineEdit*>(QStringLiteral("txtFamily"));
        QVERIFY(!values->isEnabled());
        auto* input = dialog->findChild<QComboBox*>(QStringLiteral("cboFamily"));
        input->setCurrentIndex(input->findText(QStringLiteral("TMagma (K)")));
        QVERIFY(values->isEnabled());
        values->setText(QStringLiteral("1073, 1273"));
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("labSummary"))->text(),
                 QStringLiteral("4 runs: 2 values x 2 ratios"));
        checked = true;
        closeOnFailure.dismiss();
        dialog->runButton()->click();
    });
    t.main().ui().cmdSweep->click();
    QProcess process;
    process.start(cli, {"sweep", "--family", "tmagma=1073,1273", "--tinit", "298", "--pinit", "0.1", "--pfinal",
                        "0.1", "--r", "0.5:1:0.5", "--csv"});
    QVERIFY(process.waitForFinished(60000));
    // Expected: member after member, each run as a single run of that member, and as qrv-cli
    // runs the same family, whose rows lead with the member's value
    QVERIFY(checked);
    QVERIFY(t.presenter.shown.isEmpty());
    QCOMPARE(t.session->store().count(), 4);
    for (const char* tMagma : {"1073", "1273"}) {
        RunRequest member;
        member.inputs = {tMagma, "298", "0.1", "0.1", "", "--", false};
        compareWithSingleRuns(t.session->store(), tMagma == std::string_view("1073") ? 1 : 3, member, {0.5, 1.0});
    }
    QCOMPARE(process.exitCode(), 0);
    const QStringList rows = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), 5);
    QVERIFY(rows[0].startsWith(QStringLiteral("Member TMagma [K],R,TMagma [K],")));
    for (int run = 1; run <= 4; ++run) {
        const QStringList cells = rows[run].split(',');
        QCOMPARE(cells[0], run <= 2 ? QStringLiteral("1073") : QStringLiteral("1273"));
        for (int field = 0; field < SeriesRecord::kFieldCount; ++field)
            QVERIFY(std::strtof(cells[field + 1].toStdString().c_str(), nullptr) == t.session->store().record(run).field(field));
    }
}

void SweepTest::familyTypedWrongOrRefused_dialogAndSweep_saySoAndRunNothing()
{
    // State / Action: a list with a gap
    SweepDialog water(QStringLiteral("R"), {});
    auto* input = water.findChild<QComboBox*>(QStringLiteral("cboFamily"));
    input->setCurrentIndex(input->findText(QStringLiteral("PFinal (MPa)")));
    water.findChild<QLineEdit*>(QStringLiteral("txtFamily"))->setText(QStringLiteral("0.1,,1"));
    // Expected
    QCOMPARE(water.findChild<QLabel*>(QStringLiteral("labSummary"))->text(),
             QStringLiteral("Family values: every value needs a number between the commas."));
    QVERIFY(!water.runButton()->isEnabled());
    // Water has no water fraction to vary; a wet sediment has.
    const auto xOffered = [](const SweepDialog& dialog) {
        const auto* choices = dialog.findChild<QComboBox*>(QStringLiteral("cboFamily"));
        const auto* model = qobject_cast<const QStandardItemModel*>(choices->model());
        return model->item(choices->findText(QStringLiteral("X")))->isEnabled();
    };
    QVERIFY(!xOffered(water));
    QVERIFY(xOffered(SweepDialog(QStringLiteral("Rs"), {})));

    // State / Action: a member the input window refuses
    TestSession t;
    t.session->sweep({0.5, 1.0}, SweepFamily{FamilyInput::TMagma, {"1073", "250"}});
    // Expected: its message, as Continue gives it, and no run of any member
    QCOMPARE(t.presenter.shown.size(), 1);
    QVERIFY2(t.presenter.shown[0].text.contains(QStringLiteral("must be above 298 K")), qPrintable(t.presenter.shown[0].text));
    QCOMPARE(t.session->store().count(), 0);
}

QRV_GUI_TEST_MAIN(SweepTest)
#include "test_sweep.moc"

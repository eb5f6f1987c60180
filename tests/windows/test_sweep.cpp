// The input window's ratio sweep: the dialog's range, runs equal to single runs and to
// qrv-cli's sweep, the store limit, cancelling, the steam-table path without vaptab and the
// collected messages.
#include "tests/windows/guitestsupport.h"

#include "tests/helpercheck.h"

#include "runs/freshrunner.h"
#include "base/parsenumber.h"
#include "calculation/ratiosweep.h"
#include "runs/runner.h"
#include "runs/runstore.h"
#include "reference/referencecolumns.h"
#include "report/sweeptable.h"
#include "steam/densitysolver.h"
#include "windows/maprunner.h"
#include "windows/ratiosweeper.h"
#include "windows/sweepdialog.h"
#include "windows/sweeprange.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QProcess>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardItemModel>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <stdexcept>

using namespace qrv;
using namespace qrv::test;

namespace {

class StopAfter : public SweepProgress {
public:
    explicit StopAfter(int runs)
        : m_runs(runs)
    {
    }
    bool advance(int done, int) override { return done < m_runs; }

private:
    int m_runs;
};

const InputTexts kStartUp{"1473", "298", "0.1", "0.1", "", "--", false};
RunRequest requestOf(const InputTexts& inputs, bool constantVolume = false)
{
    RunRequest request;
    request.inputs = inputs;
    request.constantVolume = constantVolume;
    return request;
}

const std::vector<double> kDefaultRatios = sweepRange({"0.05", "3", "0.05", "60", false}).ratios;

const char* fieldName(int field)
{
    return kSeriesFieldNames[std::size_t(field)].data();
}

// Each stored run from `first` on equals the single run after start-up with its ratio typed
// as the sweep types it.
void compareWithSingleRuns(const RunStore& store, int first, RunRequest request, const std::vector<double>& ratios)
{
    for (std::size_t i = 0; i < ratios.size(); ++i) {
        request.inputs.ratio = ratioText(ratios[i]);
        const std::optional<SeriesRecord> expected = FreshRunner().run(request)->record();
        QVERIFY2(expected.has_value(), qPrintable(QStringLiteral("ratio %1 was not stored").arg(ratios[i])));
        const SeriesRecord& swept = store.record(first + int(i));
        for (int field = 0; field < SeriesRecord::kFieldCount; ++field)
            QVERIFY2(swept.field(field) == expected->field(field),
                     qPrintable(QString::asprintf("ratio %g, %s: %.9g instead of %.9g", ratios[i], fieldName(field),
                                                  double(swept.field(field)), double(expected->field(field)))));
    }
}

// qrv-cli's sweep with these arguments, as CSV rows; none when it failed.
QStringList cliSweepRows(const QStringList& arguments)
{
    const QString cli = qEnvironmentVariable("QRV_TEST_CLI");
    if (cli.isEmpty())
        qFatal("QRV_TEST_CLI names the qrv-cli program");
    QProcess process;
    process.start(cli, QStringList{"sweep"} + arguments + QStringList{"--csv"});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// Every field of every run equal to the CSV row's, read back from its shortest texts, which
// start at column `first` and are followed by the reference's and the energy check's columns.
void compareWithCsvRows(const RunStore& store, const QStringList& rows, int first)
{
    QCOMPARE(rows.size(), 1 + store.count());
    for (int run = 1; run <= store.count(); ++run) {
        const QStringList cells = rows[run].split(',');
        QCOMPARE(cells.size(), first + SeriesRecord::kFieldCount + int(reference::referenceColumnNames().size())
                                   + int(std::size(kEnergyExcessHeadings)));
        for (int field = 0; field < SeriesRecord::kFieldCount; ++field)
            QVERIFY2(std::strtof(cells[first + field].toStdString().c_str(), nullptr) == store.record(run).field(field),
                     qPrintable(QString::asprintf("run %d, %s: qrv-cli %s, desktop %.9g", run, fieldName(field),
                                                  qPrintable(cells[first + field]),
                                                  double(store.record(run).field(field)))));
    }
}

// Presses Sweep and does `script` in the modal dialog, then Run; a failed check rejects the
// dialog so that nothing waits. True when the script ran to its end.
bool sweepFromDialog(TestSession& t, const std::function<void(SweepDialog&)>& script)
{
    bool done = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<SweepDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        auto closeOnFailure = qScopeGuard([dialog] { dialog->reject(); });
        script(*dialog);
        if (QTest::currentTestFailed())
            return;
        done = true;
        closeOnFailure.dismiss();
        dialog->runButton()->click();
    });
    t.ui().cmdSweep->click();
    return done;
}

QLineEdit* box(const SweepDialog& dialog, const char* name)
{
    return dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
}

QString summary(const SweepDialog& dialog)
{
    return dialog.findChild<QLabel*>(QStringLiteral("labSummary"))->text();
}

// The sweep dialog's map: the two axes' inputs, by their names in the list, and ranges.
void typeMap(SweepDialog& dialog, const QString& xInput, const QStringList& x, const QString& yInput,
             const QStringList& y)
{
    dialog.findChild<QRadioButton*>(QStringLiteral("optMapMode"))->setChecked(true);
    for (const auto& [axis, input, range] : {std::tuple{"X", xInput, x}, std::tuple{"Y", yInput, y}}) {
        auto* choice = dialog.findChild<QComboBox*>(QStringLiteral("cbo%1Input").arg(QLatin1String(axis)));
        choice->setCurrentIndex(choice->findText(input));
        const char* boxes[] = {"From", "To", "Step"};
        for (int k = 0; k < 3; ++k)
            box(dialog, qPrintable(QStringLiteral("txt%1%2").arg(QLatin1String(axis), QLatin1String(boxes[k]))))
                ->setText(range[k]);
    }
}

// Each point of the map shown equals the single run at its inputs.
void compareMapWithSingleRuns(const CountingPlotView& plot)
{
    const std::size_t columns = plot.map.x.values.size();
    QCOMPARE(plot.mapResult.runs.size(), columns * plot.map.y.values.size());
    for (std::size_t index = 0; index < plot.mapResult.runs.size(); ++index) {
        const RunResult single = calculate(mapPointRequest(plot.map, index % columns, index / columns), kSweepRuns);
        const std::optional<SeriesRecord>& shown = plot.mapResult.runs[index].record;
        QCOMPARE(shown.has_value(), single.record.has_value());
        for (int field = 0; shown && field < SeriesRecord::kFieldCount; ++field)
            QCOMPARE(shown->field(field), single.record->field(field));
    }
}

void fillAllBut(RunStore& store, int free)
{
    for (int i = 0; i < RunStore::kCapacity - free; ++i)
        store.append(SeriesRecord{});
}

} // namespace

class SweepTest : public QObject {
    Q_OBJECT
private slots:
    // Every test starts with the dialog as a first start of the program shows it.
    void init()
    {
        QSettings settings(QStringLiteral("Tarvel"), QStringLiteral("QRV"));
        settings.remove(QStringLiteral("Sweep"));
        settings.remove(QStringLiteral("Map"));
    }

    void rangeTexts_sweepRange_ratiosOrTheReason()
    {
        const SweepRange defaults = sweepRange({"0.05", "3", "0.05", "", false});
        QVERIFY(defaults.error.isEmpty());
        QCOMPARE(defaults.ratios.size(), std::size_t(60));
        QCOMPARE(defaults.ratios.front(), 0.05);
        QVERIFY(std::abs(defaults.ratios.back() - 3.0) < 1e-12);
        QCOMPARE(sweepRange({"0.5", "2", "", "4", true}).ratios, (std::vector<double>{0.5, 1.0, 1.5, 2.0}));
        // The most ratios a sweep takes, by count and by step; one more is refused.
        QCOMPARE(sweepRange({"0.001", "100", "", "100000", true}).ratios.size(), std::size_t(100000));
        QCOMPARE(sweepRange({"0.001", "100", "0.001", "", false}).ratios.size(), std::size_t(100000));
        QVERIFY(sweepRange({"0.001", "100", "", "100001", true}).error.contains("must not exceed 100000"));
        QVERIFY(sweepRange({"0.001", "100.001", "0.001", "", false}).error.contains("100000"));
        // A text that is not a number is named by its box, whichever box it is.
        const QString commaHint = QStringLiteral(
            "\nUse \".\" as the decimal point (0.5, not 0,5) and no thousands separators.");
        // Refused with the reason in the message, or (exact) with exactly that message.
        const std::tuple<SweepRangeTexts, QString, bool> refused[] = {
            {{"0", "3", "0.05", "", false}, "first ratio", false},
            {{"-1", "3", "0.05", "", false}, "first ratio", false},
            {{"1", "0.5", "0.05", "", false}, "must not end below", false},
            {{"1", "3", "0", "", false}, "step", false},
            {{"1", "3", "", "2.5", true}, "whole number", false},
            {{"1", "3", "", "1", true}, "whole number", false},
            {{"3", "3", "", "5", true}, "greater than the first", false},
            {{"0,05", "3", "0.05", "", false, "Rs"}, "From Rs: \"0,05\" is not a number." + commaHint, true},
            {{"0.05", "inf", "0.05", "", false}, "To R: \"inf\" is not a number.", true},
            {{"0.05", "3", "1e", "", false}, "Step: \"1e\" is not a number.", true},
            {{"0.05", "3", "", "6O", true}, "Number of ratios: \"6O\" is not a number.", true},
        };
        for (const auto& [texts, reason, exact] : refused) {
            const SweepRange range = sweepRange(texts);
            QVERIFY2(exact ? range.error == reason : range.error.contains(reason),
                     qPrintable(texts.from + QLatin1Char(' ') + range.error));
            QVERIFY(range.ratios.empty());
        }
    }

    void startUpInputs_sweepDialogDefaults_sixtyRunsEqualToSingleRunsAndThePlot()
    {
        TestSession t;
        CountingPlotView plot;
        t.session->setPlotView(&plot);
        // The dialog's defaults run as they stand.
        QVERIFY(sweepFromDialog(t, [](SweepDialog&) {}));
        QCOMPARE(t.session->store().count(), 60);
        compareWithSingleRuns(t.session->store(), 1, requestOf(kStartUp), kDefaultRatios);
        QCOMPARE(plot.shown, 1);
        QVERIFY(t.presenter.shown.isEmpty());
        QVERIFY(t.main().isEnabled());
        QVERIFY(!t.main().isMinimized());
        QVERIFY(!t.ui().Frame1->isVisible());
        QCOMPARE(t.ui().txtR->text(), QStringLiteral("0.30"));
    }

    void sedimentMode_sweep_everyRecordEqualsItsSingleRun()
    {
        TestSession t;
        t.ui().optSM->click();
        t.ui().txtXmix->setText(QStringLiteral("0.4"));
        const std::vector<double> ratios = sweepRange({"0.2", "5", "", "7", true}).ratios;
        t.session->sweep(ratios);
        QCOMPARE(t.session->store().count(), 7);
        compareWithSingleRuns(t.session->store(), 1, requestOf({"1473", "298", "0.1", "0.1", "", "0.4", true}), ratios);
        QCOMPARE(t.session->store().record(7).R, 5.0f);
    }

    void warmPressurisedWater_sweepWithoutVaptab_usesTheIapwsState()
    {
        TestSession t(QStringLiteral("/nonexistent/vaptab"));
        t.setInputs("1473", "400", "5", "0.1", "0.30");
        const steam::Properties water = steam::stateAt(5e6, 400).properties;
        RecordingHost quiet;
        RunStore scratch;
        const std::optional<RunRequest> prepared
            = RatioSweeper(scratch, quiet).prepare({"1473", "400", "5", "0.1", "", "--", false}, false, 0.5);
        t.session->sweep({0.5, 1.0, 2.0});
        // The initial water as IAPWS-95 has it, carried into the runs
        QVERIFY(prepared.has_value());
        const std::unique_ptr<FreshRun> single = FreshRunner().run(*prepared);
        QVERIFY(single->source == InitialValuesSource::Iapws95);
        // Exactly, not within QCOMPARE's float tolerance: a rounded text would shift them slightly.
        QVERIFY(single->state.SInit == float(water.entropy));
        QVERIFY(single->state.CvInit == float(water.cv));
        QCOMPARE(t.session->store().count(), 3);
        compareWithSingleRuns(t.session->store(), 1, *prepared, {0.5, 1.0, 2.0});
        QVERIFY(t.presenter.shown.isEmpty());
        QVERIFY(!t.ui().Frame1->isVisible());
        QVERIFY(t.ui().txtVaptab->toPlainText().isEmpty());
    }

    void waterBetweenSteamTableSteps_desktopAndCliSweeps_sameRecords()
    {
        // Water at 400.04 K, which the steam-table question names as 400.0 K
        TestSession t(QStringLiteral("/nonexistent/vaptab"));
        t.setInputs("1473", "400.04", "5", "0.1", "0.30");
        t.session->sweep(sweepRange({"0.5", "2", "0.5", "", false}).ratios);
        const QStringList rows = cliSweepRows(
            {"--tmagma", "1473", "--tinit", "400.04", "--pinit", "5", "--pfinal", "0.1", "--r", "0.5:2:0.5"});
        QVERIFY(t.presenter.shown.isEmpty());
        QCOMPARE(t.session->store().count(), 4);
        compareWithCsvRows(t.session->store(), rows, 0);
    }

    void waterBeyondTheSteamTable_sweep_oneRefusalAndNoRun()
    {
        TestSession t(QStringLiteral("/nonexistent/vaptab"));
        t.setInputs("1473", "1300", "5", "0.1", "0.30");
        t.session->sweep(kDefaultRatios);
        QCOMPARE(t.session->store().count(), 0);
        QCOMPARE(t.presenter.shown.size(), 1);
        QVERIFY2(t.presenter.shown[0].text.startsWith(
                     QStringLiteral("The steam table has no initial water state for this sweep: ")),
                 qPrintable(t.presenter.shown[0].text));
        QCOMPARE(t.presenter.shown[0].icon, Icon::Exclamation);
    }

    void fiveShortOfFull_sweepOfTen_refusedWithTheFiveThatFit()
    {
        TestSession t;
        fillAllBut(t.session->store(), 5);
        const std::vector<double> ten(kDefaultRatios.begin(), kDefaultRatios.begin() + 10);
        t.session->sweep(ten);
        QCOMPARE(t.session->store().count(), RunStore::kCapacity - 5);
        QCOMPARE(t.presenter.shown.size(), 1);
        QVERIFY2(t.presenter.shown[0].text.contains(QStringLiteral("only 5 more runs fit, not 10")),
                 qPrintable(t.presenter.shown[0].text));
        // One more than fits is refused; the five that fit fill the store and nothing else is said.
        t.session->sweep(std::vector<double>(ten.begin(), ten.begin() + 6));
        QCOMPARE(t.presenter.shown.size(), 2);
        t.session->sweep(std::vector<double>(ten.begin(), ten.begin() + 5));
        QCOMPARE(t.presenter.shown.size(), 2);
        QCOMPARE(t.session->store().count(), RunStore::kCapacity);
    }

    void fiveShortOfFull_sweepDialog_staysOpenWithTheTypedRange()
    {
        TestSession t;
        fillAllBut(t.session->store(), 5);
        // The default 60 ratios asked for, then five of them
        QVERIFY(sweepFromDialog(t, [](SweepDialog& dialog) {
            QVERIFY2(summary(dialog).contains(QStringLiteral("only 5 more runs fit, not 60")),
                     qPrintable(summary(dialog)));
            dialog.runButton()->click();
            QVERIFY(dialog.isVisible());
            QCOMPARE(box(dialog, "txtTo")->text(), QStringLiteral("3"));
            box(dialog, "txtTo")->setText(QStringLiteral("0.25"));
            QVERIFY(dialog.runButton()->isEnabled());
            QCOMPARE(summary(dialog), QStringLiteral("5 runs"));
        }));
        QCOMPARE(t.session->store().count(), RunStore::kCapacity);
        QVERIFY(t.presenter.shown.isEmpty());
    }

    void sweepDialog_opened_wideEnoughForItsWholeTitle()
    {
        SweepDialog dialog(QStringLiteral("R"), {});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // A bold title bar, with the window's icon and buttons beside the title.
        QFont titleFont = dialog.font();
        titleFont.setBold(true);
        QVERIFY(dialog.width() >= QFontMetrics(titleFont).horizontalAdvance(dialog.windowTitle()) + 120);
    }

    void progressStopsAfterThree_run_threeWholeRunsAndNoPartialRecord()
    {
        RunStore store;
        RecordingHost host;
        StopAfter progress(3);
        const SweepReport report = RatioSweeper(store, host).run(requestOf(kStartUp), kDefaultRatios, progress);
        QCOMPARE(report.done, 3);
        QCOMPARE(report.stored, 3);
        QVERIFY(report.cancelled);
        QCOMPARE(store.count(), 3);
        compareWithSingleRuns(store, 1, requestOf(kStartUp), {kDefaultRatios.begin(), kDefaultRatios.begin() + 3});
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, store.record(4));
        QVERIFY(host.messages().empty());
    }

    void everyRunReportsAMessage_sweep_oneShortenedBoxAfterTheRuns()
    {
        // Constant-volume heating warns in every run of this range
        TestSession t;
        t.ui().optCV->setChecked(true);
        std::vector<SweepMessage> expected;
        runSweep(requestOf(kStartUp, true), kDefaultRatios, [&expected](const SweepRun& step) {
            for (const HostMessage& message : step.run.messages())
                expected.push_back({step.ratio, message.text, {}});
            return true;
        });
        QCOMPARE(expected.size(), std::size_t(60));
        t.session->sweep(kDefaultRatios);
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

    void missingMagmaTemperature_sweep_continuesMessageAndNoRun()
    {
        TestSession t;
        t.ui().txtTMagma->clear();
        t.session->sweep(kDefaultRatios);
        QCOMPARE(t.presenter.shown.size(), 1);
        QCOMPARE(t.presenter.shown[0].text, QStringLiteral("Please enter all values!\nEmpty: Magma Temperature (K)."));
        QCOMPARE(t.session->store().count(), 0);
    }

    void familyOfTwoTemperatures_sweepDialog_everyRatioPerMemberAsInQrvCli()
    {
        TestSession t;
        // A family of two magma temperatures over two ratios, chosen in the dialog
        QVERIFY(sweepFromDialog(t, [](SweepDialog& dialog) {
            box(dialog, "txtFrom")->setText(QStringLiteral("0.5"));
            box(dialog, "txtTo")->setText(QStringLiteral("1"));
            box(dialog, "txtStep")->setText(QStringLiteral("0.5"));
            QVERIFY(!box(dialog, "txtFamily")->isEnabled());
            auto* input = dialog.findChild<QComboBox*>(QStringLiteral("cboFamily"));
            input->setCurrentIndex(input->findText(QStringLiteral("TMagma (K)")));
            QVERIFY(box(dialog, "txtFamily")->isEnabled());
            box(dialog, "txtFamily")->setText(QStringLiteral("1073, 1273"));
            QCOMPARE(summary(dialog), QStringLiteral("4 runs: 2 values x 2 ratios"));
        }));
        // Member after member, each run as a single run of that member, and as qrv-cli runs the
        // same family, whose rows lead with the member's value
        QVERIFY(t.presenter.shown.isEmpty());
        QCOMPARE(t.session->store().count(), 4);
        compareWithSingleRuns(t.session->store(), 1, requestOf({"1073", "298", "0.1", "0.1", "", "--", false}),
                              {0.5, 1.0});
        compareWithSingleRuns(t.session->store(), 3, requestOf({"1273", "298", "0.1", "0.1", "", "--", false}),
                              {0.5, 1.0});
        const QStringList rows = cliSweepRows({"--family", "tmagma=1073,1273", "--tinit", "298", "--pinit", "0.1",
                                               "--pfinal", "0.1", "--r", "0.5:1:0.5"});
        QCOMPARE(rows.size(), 5);
        compareWithCsvRows(t.session->store(), rows, 1);
        QVERIFY(rows[0].startsWith(QStringLiteral("Member TMagma [K],R,TMagma [K],")));
        for (int run = 1; run <= 4; ++run)
            QCOMPARE(rows[run].split(',')[0], run <= 2 ? QStringLiteral("1073") : QStringLiteral("1273"));
    }

    void typedAndClosed_sweepDialogOpenedAgain_sameRangeAndFamily()
    {
        {
            SweepDialog sediment(QStringLiteral("Rs"), {});
            box(sediment, "txtFrom")->setText(QStringLiteral("0.2"));
            sediment.findChild<QRadioButton*>(QStringLiteral("optCount"))->setChecked(true);
            box(sediment, "txtCount")->setText(QStringLiteral("7"));
            auto* input = sediment.findChild<QComboBox*>(QStringLiteral("cboFamily"));
            input->setCurrentIndex(input->findText(QStringLiteral("X")));
            box(sediment, "txtFamily")->setText(QStringLiteral("0.2, 0.4"));
            QCOMPARE(summary(sediment), QStringLiteral("14 runs: 2 values x 7 ratios"));
            // Cancelled: what was typed is kept all the same.
            sediment.reject();
        }
        SweepDialog again(QStringLiteral("Rs"), {});
        QCOMPARE(box(again, "txtFrom")->text(), QStringLiteral("0.2"));
        QCOMPARE(box(again, "txtTo")->text(), QStringLiteral("3"));
        QVERIFY(again.findChild<QRadioButton*>(QStringLiteral("optCount"))->isChecked());
        QCOMPARE(box(again, "txtCount")->text(), QStringLiteral("7"));
        QCOMPARE(again.findChild<QComboBox*>(QStringLiteral("cboFamily"))->currentText(), QStringLiteral("X"));
        QCOMPARE(box(again, "txtFamily")->text(), QStringLiteral("0.2, 0.4"));
        QCOMPARE(summary(again), QStringLiteral("14 runs: 2 values x 7 ratios"));
        // Water has no water fraction: no family, but the values wait in their box.
        SweepDialog water(QStringLiteral("R"), {});
        QCOMPARE(water.findChild<QComboBox*>(QStringLiteral("cboFamily"))->currentText(), QStringLiteral("None"));
        QCOMPARE(summary(water), QStringLiteral("7 runs"));
    }

    void mapRangeTexts_mapRanges_valuesOrTheReasonNamingTheBox()
    {
        const auto ranges = [](StudyInput xInput, const QStringList& x, StudyInput yInput, const QStringList& y) {
            return mapRanges({QStringLiteral("X axis"), xInput, x[0], x[1], x[2]},
                             {QStringLiteral("Y axis"), yInput, y[0], y[1], y[2]});
        };
        const MapRanges grid = ranges(StudyInput::R, {"0.05", "2", "0.05"}, StudyInput::TMagma, {"1100", "1390", "10"});
        QVERIFY(grid.error.isEmpty());
        QCOMPARE(grid.x.values.size(), std::size_t(40));
        QCOMPARE(grid.y.values.size(), std::size_t(30));
        QCOMPARE(grid.y.values.back(), 1390.0);
        QCOMPARE(grid.y.input, StudyInput::TMagma);
        // The most points a map takes, as qrv-cli map takes them; one row more is refused.
        QVERIFY(ranges(StudyInput::R, {"1", "1000", "1"}, StudyInput::PInit, {"1", "100", "1"}).error.isEmpty());
        const std::pair<MapRanges, QString> refused[] = {
            {ranges(StudyInput::R, {"1", "1000", "1"}, StudyInput::PInit, {"1", "101", "1"}),
             "1000 x 101 points are more than the 100000 a map takes: choose larger steps."},
            {ranges(StudyInput::R, {"0.1", "1", "1e-7"}, StudyInput::PInit, {"1", "2", "1"}),
             "X axis: more values than the 100000 points a map takes."},
            {ranges(StudyInput::R, {"0,1", "1", "0.1"}, StudyInput::TMagma, {"1100", "1300", "100"}),
             "X axis From: \"0,1\" is not a number.\nUse \".\" as the decimal point (0.5, not 0,5) and no thousands "
             "separators."},
            {ranges(StudyInput::R, {"0.1", "1", "0.1"}, StudyInput::TMagma, {"1100", "1300", "x"}),
             "Y axis Step: \"x\" is not a number."},
            {ranges(StudyInput::R, {"0.1", "1", "0.1"}, StudyInput::TMagma, {"1300", "1100", "100"}),
             "Y axis: the range must not end below its start."},
            {ranges(StudyInput::R, {"0.1", "0.15", "0.1"}, StudyInput::TMagma, {"1100", "1300", "100"}),
             "X axis: a map needs at least two values along each axis."},
            {ranges(StudyInput::TMagma, {"1100", "1300", "100"}, StudyInput::TMagma, {"1100", "1300", "100"}),
             "The two axes must span different inputs, not TMagma twice."},
        };
        for (const auto& [range, reason] : refused) {
            QCOMPARE(range.error, reason);
            QVERIFY(range.x.values.empty() && range.y.values.empty());
        }
    }

    void mapMode_typedAndClosed_openedAgainInMapModeWithTheTypedRanges()
    {
        {
            SweepDialog dialog(QStringLiteral("Rs"), {});
            QVERIFY(!dialog.mapMode());
            typeMap(dialog, QStringLiteral("X"), {"0.2", "1", "0.2"}, QStringLiteral("PFinal (MPa)"),
                    {"0.1", "1.1", "0.5"});
            QVERIFY(dialog.mapMode());
            QCOMPARE(summary(dialog), QStringLiteral("15 points: 5 x 3"));
            QCOMPARE(dialog.runButton()->text(), QStringLiteral("Run Map"));
            QVERIFY(dialog.windowTitle().endsWith(QStringLiteral(" - Map")));
            QVERIFY(!box(dialog, "txtFrom")->isVisibleTo(&dialog));
            // A box that is not a number is named, and Run Map waits for it.
            box(dialog, "txtYTo")->setText(QStringLiteral("1.1.1"));
            QCOMPARE(summary(dialog), QStringLiteral("Y axis To: \"1.1.1\" is not a number."));
            QVERIFY(!dialog.runButton()->isEnabled());
            box(dialog, "txtYTo")->setText(QStringLiteral("1.1"));
            QVERIFY(dialog.runButton()->isEnabled());
            dialog.reject();
        }
        SweepDialog again(QStringLiteral("Rs"), {});
        QVERIFY(again.mapMode());
        QCOMPARE(again.findChild<QComboBox*>(QStringLiteral("cboXInput"))->currentText(), QStringLiteral("X"));
        QCOMPARE(box(again, "txtXTo")->text(), QStringLiteral("1"));
        QCOMPARE(box(again, "txtYStep")->text(), QStringLiteral("0.5"));
        QCOMPARE(again.mapRanges().y.input, StudyInput::PFinal);
        QCOMPARE(summary(again), QStringLiteral("15 points: 5 x 3"));
        // Water has no water fraction: the X axis spans its first input, the ratio R, over the
        // values that wait in its boxes.
        SweepDialog water(QStringLiteral("R"), {});
        QCOMPARE(water.findChild<QComboBox*>(QStringLiteral("cboXInput"))->currentText(), QStringLiteral("R"));
        QCOMPARE(water.mapRanges().x.input, StudyInput::R);
        QCOMPARE(water.mapRanges().x.values.size(), std::size_t(5));
        // Back to the ratio sweep, as it was typed.
        water.findChild<QRadioButton*>(QStringLiteral("optSweepMode"))->setChecked(true);
        QVERIFY(!water.mapMode());
        QCOMPARE(summary(water), QStringLiteral("60 runs"));
        QCOMPARE(water.runButton()->text(), QStringLiteral("Run Sweep"));
    }

    void mapFromDialog_valueRefusedThenCorrected_namesTheValueThenEveryPointAsASingleRun()
    {
        TestSession t;
        CountingPlotView plot;
        t.session->setPlotView(&plot);
        QVERIFY(sweepFromDialog(t, [&t](SweepDialog& dialog) {
            typeMap(dialog, QStringLiteral("R"), {"0.1", "0.3", "0.1"}, QStringLiteral("TMagma (K)"),
                    {"200", "1200", "500"});
            dialog.runButton()->click();
            QVERIFY(dialog.isVisible());
            QCOMPARE(t.presenter.shown.size(), 1);
            QVERIFY2(t.presenter.shown[0].text.startsWith(QStringLiteral("Y axis value TMagma 200 K: "))
                         && t.presenter.shown[0].text.contains(QStringLiteral("must be above 298 K")),
                     qPrintable(t.presenter.shown[0].text));
            box(dialog, "txtYFrom")->setText(QStringLiteral("1100"));
            box(dialog, "txtYTo")->setText(QStringLiteral("1300"));
            box(dialog, "txtYStep")->setText(QStringLiteral("100"));
        }));
        QCOMPARE(t.presenter.shown.size(), 1);
        QCOMPARE(plot.mapsShown, 1);
        QCOMPARE(plot.map.y.values, (std::vector<double>{1100, 1200, 1300}));
        QRV_CHECKED(compareMapWithSingleRuns(plot));
        // Nothing enters the store.
        QCOMPARE(t.session->store().count(), 0);
        QCOMPARE(plot.shown, 0);

        // A box of the input window that every point shares is refused in its own words.
        t.ui().txtPInit->setText(QStringLiteral("0"));
        QVERIFY(sweepFromDialog(t, [&t](SweepDialog& dialog) {
            QVERIFY(dialog.mapMode());
            dialog.runButton()->click();
            QVERIFY(dialog.isVisible());
            QCOMPARE(t.presenter.shown.size(), 2);
            QVERIFY2(t.presenter.shown[1].text.startsWith(QStringLiteral("Initial Pressure (MPa) must be above 0.")),
                     qPrintable(t.presenter.shown[1].text));
            t.ui().txtPInit->setText(QStringLiteral("5"));
        }));
        QCOMPARE(plot.mapsShown, 2);
    }

    void waterBeyondTheSteamTableAtSomePoints_map_shownWithThemMissingAndSaidOnce()
    {
        TestSession t;
        CountingPlotView plot;
        t.session->setPlotView(&plot);
        t.setInputs("1473", "298", "5", "0.1", "0.30");
        QVERIFY(sweepFromDialog(t, [](SweepDialog& dialog) {
            typeMap(dialog, QStringLiteral("TInit (K)"), {"400", "1300", "900"}, QStringLiteral("R"),
                    {"0.5", "1", "0.5"});
        }));
        QCOMPARE(plot.mapsShown, 1);
        QRV_CHECKED(compareMapWithSingleRuns(plot));
        QVERIFY(plot.mapResult.runs[0].record && !plot.mapResult.runs[1].record);
        QCOMPARE(t.presenter.shown.size(), 1);
        QVERIFY2(t.presenter.shown[0].text.startsWith(
                     QStringLiteral("2 of 4 points have no result; the first, at TInit 1300 K, R 0.5: ")),
                 qPrintable(t.presenter.shown[0].text));
    }

    void largeMap_cancelInTheProgressWindow_nothingShownOrSaid()
    {
        TestSession t;
        CountingPlotView plot;
        t.session->setPlotView(&plot);
        bool cancelled = false;
        QTimer canceller;
        QObject::connect(&canceller, &QTimer::timeout, [&cancelled] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* progress = qobject_cast<QProgressDialog*>(window); progress && progress->isVisible()) {
                    QVERIFY(progress->labelText().contains(QStringLiteral(" of 100000 points")));
                    progress->findChild<QPushButton*>()->click();
                    cancelled = true;
                }
        });
        canceller.start(20);
        QVERIFY(sweepFromDialog(t, [](SweepDialog& dialog) {
            // The largest map, which runs for seconds.
            typeMap(dialog, QStringLiteral("R"), {"0.005", "2", "0.005"}, QStringLiteral("TMagma (K)"),
                    {"1000", "1498", "2"});
            QCOMPARE(summary(dialog), QStringLiteral("100000 points: 400 x 250"));
        }));
        QVERIFY(cancelled);
        QCOMPARE(plot.mapsShown, 0);
        QVERIFY(t.presenter.shown.isEmpty());
        QVERIFY(t.main().isEnabled());
    }

    void familyMemberRefused_sweepDialog_staysOpenNamingTheValue()
    {
        TestSession t;
        QVERIFY(sweepFromDialog(t, [&t](SweepDialog& dialog) {
            box(dialog, "txtFrom")->setText(QStringLiteral("0.5"));
            box(dialog, "txtTo")->setText(QStringLiteral("0.5"));
            auto* input = dialog.findChild<QComboBox*>(QStringLiteral("cboFamily"));
            input->setCurrentIndex(input->findText(QStringLiteral("TMagma (K)")));
            box(dialog, "txtFamily")->setText(QStringLiteral("1473, 200"));
            QCOMPARE(summary(dialog), QStringLiteral("2 runs: 2 values x 1 ratio"));
            // The magma box holds 1473: the message names the family's value that is refused
            dialog.runButton()->click();
            QVERIFY(dialog.isVisible());
            QCOMPARE(t.presenter.shown.size(), 1);
            QVERIFY2(t.presenter.shown[0].text.startsWith(QStringLiteral("Family value TMagma 200 K: "))
                         && t.presenter.shown[0].text.contains(QStringLiteral("must be above 298 K")),
                     qPrintable(t.presenter.shown[0].text));
            QCOMPARE(t.session->store().count(), 0);
            // Corrected in the dialog, which kept what was typed
            box(dialog, "txtFamily")->setText(QStringLiteral("1473"));
            QCOMPARE(summary(dialog), QStringLiteral("1 run: 1 value x 1 ratio"));
        }));
        QCOMPARE(t.session->store().count(), 1);
        QCOMPARE(t.presenter.shown.size(), 1);

        // A box of the input window that every member shares is refused in its own words
        t.ui().txtTInit->setText(QStringLiteral("-5"));
        t.presenter.shown.clear();
        t.session->sweep({0.5}, SweepFamily{FamilyInput::TMagma, {"1073", "1273"}});
        QCOMPARE(t.presenter.shown.size(), 1);
        QVERIFY2(t.presenter.shown[0].text.startsWith(QStringLiteral("Water/Rock Temperature (K)")),
                 qPrintable(t.presenter.shown[0].text));
    }

    void familyTypedWrongOrRefused_dialogAndSweep_saySoAndRunNothing()
    {
        // A list with a gap
        SweepDialog water(QStringLiteral("R"), {});
        auto* input = water.findChild<QComboBox*>(QStringLiteral("cboFamily"));
        input->setCurrentIndex(input->findText(QStringLiteral("PFinal (MPa)")));
        box(water, "txtFamily")->setText(QStringLiteral("0.1,,1"));
        QCOMPARE(summary(water), QStringLiteral("Family values: every value needs a number between the commas."));
        QVERIFY(!water.runButton()->isEnabled());
        // The same value twice, written two ways
        box(water, "txtFamily")->setText(QStringLiteral("0.1, 1, +0.10"));
        QCOMPARE(summary(water),
                 QStringLiteral("Family values: \"+0.10\" is the same value as \"0.1\"; give each value once."));
        QVERIFY(!water.runButton()->isEnabled());
        // Water has no water fraction to vary; a wet sediment has.
        const auto xOffered = [](const SweepDialog& dialog) {
            const auto* choices = dialog.findChild<QComboBox*>(QStringLiteral("cboFamily"));
            const auto* model = qobject_cast<const QStandardItemModel*>(choices->model());
            return model->item(choices->findText(QStringLiteral("X")))->isEnabled();
        };
        QVERIFY(!xOffered(water));
        QVERIFY(xOffered(SweepDialog(QStringLiteral("Rs"), {})));

        // A member the input window refuses: its message, as Continue gives it, and no run of any member
        TestSession t;
        t.session->sweep({0.5, 1.0}, SweepFamily{FamilyInput::TMagma, {"1073", "250"}});
        QCOMPARE(t.presenter.shown.size(), 1);
        QVERIFY2(t.presenter.shown[0].text.contains(QStringLiteral("must be above 298 K")),
                 qPrintable(t.presenter.shown[0].text));
        QCOMPARE(t.session->store().count(), 0);
    }
};

QRV_GUI_TEST_MAIN(SweepTest)
#include "test_sweep.moc"

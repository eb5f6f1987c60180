// The results window: filled by a run or a results file, copying values, ReCalculate, New,
// Finished, Save and Open, and the IAPWS-95 reference beside the run.
#include "tests/windows/guitestsupport.h"

#include "engine/appidentity.h"
#include "engine/resultsfile.h"
#include "engine/resultswindow.h"
#include "reference/reference.h"
#include "windows/valuelabel.h"

#include "tests/data/referenceruns.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

#include <algorithm>

using namespace qrv;
using namespace qrv::test;

namespace {

QLabel* resultLabel(const TestSession& t, const QString& name)
{
    return t.session->resultsWindow()->findChild<QLabel*>(name);
}

ResultTexts shownTexts(TestSession& t)
{
    return resultTextsFrom(
        [&t](std::string_view control) { return t.session->host().text(Window::Results, control).toStdString(); },
        t.session->state().PFinal);
}

// The sediment run worked out by hand for X = 0.5, Rs = 0.6 and the start-up values.
const ResultTexts kSedimentRun = [] {
    ResultTexts texts;
    const auto& lines = testdata::referenceRun("sediment").lines;
    std::copy(lines.begin(), lines.end(), texts.begin());
    return texts;
}();

// The IAPWS-95 reference of that run (Rs 0.6, X 0.5) as Copy All gives it: 1042 MPa lies
// beyond IAPWS-95's 1000 MPa.
const QString kSedimentReference = QStringLiteral(
    "IAPWS-95 Reference\n"
    "Equilibrium Temperature (K):\t821.9\n"
    "Equilibrium Pressure (MPa):\t1042.3\n"
    "Path:\tAdiabatic\tIsothermal\n"
    "Conversion Ratio (%):\t13.22\t32.75\n"
    "Steam Fraction:\t0.39\t0.96\n"
    "Final Temperature (K):\t372.8\t372.8\n"
    "Final Phase:\ttwo-phase\ttwo-phase\n"
    "Note:\toutside IAPWS-95 validity (extrapolated)\n");

QString copiedText(TestSession& t)
{
    QApplication::clipboard()->clear();
    t.session->resultsWindow()->copyAllButton()->click();
    return QApplication::clipboard()->text();
}

// What the reference panel shows, as Copy All gives it; empty when the panel is hidden.
QString referenceText(TestSession& t)
{
    const QString text = copiedText(t);
    const qsizetype start = text.indexOf(QStringLiteral("IAPWS-95 Reference\n"));
    return start < 0 ? QString() : text.mid(start);
}

QSettings programSettings()
{
    return QSettings(QString::fromUtf8(kOrganisationName), QString::fromUtf8(kApplicationName));
}

} // namespace

class FrmResultsTest : public QObject {
    Q_OBJECT
private slots:
    // Every test starts with the reference shown, as a first start of the program does.
    void init() { programSettings().remove(QStringLiteral("ShowReference")); }
    void loaded_everyDescribedControlIsAWidgetAsDesigned();
    void defaultRun_continue_everyTextAndStateAsTheEngineLeftThem();
    void sedimentRun_continue_theTwentyFiveTextsOfTheWorkedRun();
    void firstRun_duringTheRun_onlyHelpResponds();
    void shownRun_clickTwoValues_onlyTheLastIsBoldAndOnTheClipboard();
    void sedimentRun_copyAll_everyCaptionAndValueAsTabbedLines();
    void shownRun_reCalculate_appendsASecondRunWithTheSameTexts();
    void shownRun_new_inputWindowBackAndResultsUnloaded();
    void shownRun_finished_everyWindowClosesAndTheProgramEnds();
    void shownRun_closedDuringTheRun_unloadsAfterTheRunWithoutCrash();
    void savedRun_open_sameTextsAndOneMoreRun();
    void unwritableFolder_save_reportsTheFailure();
    void freshProgram_open_reCalculateWaitsForACalculation();
    void sedimentFile_open_inputWindowInSedimentModeWithRsAndX();
    void defaultRun_continue_referenceBesideTheFittedResultsFlaggedOutsideValidity();
    void sedimentFile_open_referenceWorkedFromTheFileInputs();
    void iceFile_open_referenceSaysWhyThereIsNone();
    void failedRun_continueAndReCalculate_referenceShowsNoValues();
    void referenceHidden_nextSession_staysHiddenAndOutOfCopyAll();
    void shownRun_help_resultsTopicLeadsToTheReferencePage();
};

void FrmResultsTest::loaded_everyDescribedControlIsAWidgetAsDesigned()
{
    // State, Action
    FrmResults window;
    // Expected
    verifyBuiltAsDescribed(window, resultswindow::kDescription);
    QCOMPARE(window.findChild<QGroupBox*>("Frame2")->title(), QString("Isothermal Results"));
}

void FrmResultsTest::defaultRun_continue_everyTextAndStateAsTheEngineLeftThem()
{
    // State
    TestSession t;
    const EngineReference reference({"1473", "298", "0.1", "0.1", "0.30", "--", false});
    // Action
    t.runToResults();
    // Expected
    QVERIFY(t.session->resultsWindow() != nullptr);
    QVERIFY(t.session->calcWindow() == nullptr || !t.session->calcWindow()->isVisible());
    QVERIFY(t.presenter.shown.isEmpty());
    for (const auto& [name, expected] : reference.host.controls(Window::Results)) {
        auto* widget = t.session->resultsWindow()->findChild<QWidget*>(QString::fromStdString(name));
        QVERIFY2(widget != nullptr, name.c_str());
        if (qobject_cast<QLabel*>(widget) != nullptr)
            QCOMPARE(controlText(widget), QString::fromStdString(expected.text));
        QCOMPARE(widget->isVisibleTo(t.session->resultsWindow()), expected.visible);
        QCOMPARE(widget->isEnabled(), expected.enabled);
        // Bold type and colour of the values are the engine's; other captions keep their design.
        if (qobject_cast<ValueLabel*>(widget) != nullptr && name != "labES(4)") {
            QCOMPARE(widget->font().bold(), expected.bold);
            const bool red = widget->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
            QCOMPARE(red, expected.colour == TextColour::Red);
        }
    }
    QCOMPARE(t.session->store().count(), 1);
    QVERIFY(!t.main().isEnabled());
    QVERIFY(t.main().isMinimized());
}

void FrmResultsTest::sedimentRun_continue_theTwentyFiveTextsOfTheWorkedRun()
{
    TestSession t;
    t.setInputs("1473", "298", "0.1", "0.1", "0.6");
    t.main().ui().optSM->click();
    t.main().ui().txtXmix->setText("0.5");
    t.runToResults();
    QCOMPARE(shownTexts(t), kSedimentRun);
    QCOMPARE(t.main().ui().txtXmix->text(), QString("0.50"));
}

void FrmResultsTest::firstRun_duringTheRun_onlyHelpResponds()
{
    TestSession t;
    t.session->host().setPauseScale(0.001);
    QMap<QString, bool> enabledMidRun;
    t.main().ui().Command1->click();
    // Fires inside the run's first pause.
    QTimer::singleShot(0, [&] {
        FrmResults* results = t.session->resultsWindow();
        for (QPushButton* b : results->findChildren<QPushButton*>())
            enabledMidRun[b->objectName()] = b->isEnabled();
    });
    t.session->calcWindow()->continueButton()->click();
    QVERIFY(!enabledMidRun.isEmpty());
    for (const QString name : {"Command1", "Command2", "Command3", "cmdSave", "cmdPlot"})
        QVERIFY2(!enabledMidRun.value(name), qPrintable(name));
    QVERIFY(enabledMidRun.value("cmdHelp"));
    for (QPushButton* b : t.session->resultsWindow()->findChildren<QPushButton*>())
        QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
}

void FrmResultsTest::shownRun_clickTwoValues_onlyTheLastIsBoldAndOnTheClipboard()
{
    TestSession t;
    t.runToResults();
    QLabel* steam = resultLabel(t, "labXa");
    QLabel* isoTemperature = resultLabel(t, "labFSI(2)");
    QTest::mouseClick(steam, Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), steam->text());
    QVERIFY(steam->font().bold());
    QTest::mouseClick(isoTemperature, Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), QString("462.6"));
    QVERIFY(isoTemperature->font().bold());
    QVERIFY(!steam->font().bold());

    QLabel* phase = resultLabel(t, "labES(4)");
    isoTemperature->setFocus();
    QTest::keyClick(phase, Qt::Key_Space);
    QCOMPARE(QApplication::clipboard()->text(), QString("Supercritcal Vapor"));
    QVERIFY(phase->font().bold());
    QVERIFY(!isoTemperature->font().bold());
    QTest::mouseClick(resultLabel(t, "labEffi"), Qt::LeftButton);
    QVERIFY(phase->font().bold());
}

void FrmResultsTest::sedimentRun_copyAll_everyCaptionAndValueAsTabbedLines()
{
    // State: the worked sediment run on screen
    TestSession t;
    t.setInputs("1473", "298", "0.1", "0.1", "0.6");
    t.main().ui().optSM->click();
    t.main().ui().txtXmix->setText("0.5");
    t.runToResults();
    QApplication::clipboard()->clear();
    // Action
    t.session->resultsWindow()->findChild<QPushButton*>("cmdCopyAll")->click();
    // Expected
    const QString expected = QStringLiteral(
        "Sediment/Magma Ratio Rs:\t0.60 (R = 0.30)\n"
        "Initial Magma Temperature (K):\t1473\n"
        "Initial Water Temperature (K):\t298\n"
        "Initial Water Pressure (MPa):\t0.10\n"
        "Source of thermodynamic data:\tNIST: Steam Table Extrapolation\n"
        "Method of finding equilibrium state:\tVolume by entropy extrapolation\n"
        "Equilibrium and Final States:\tEquilibrium\tFinal (Adiab)\tFinal (Iso)\n"
        "Pressure (MPa):\t134.9\t0.100\t0.100\n"
        "Volume (m3/kg):\t0.00160\t0.80653\t1.96747\n"
        "Temperature (K):\t760.4\t373.0\t434.5\n"
        "Entropy (kJ/kg-K):\t4.24211\t4.24211\t7.66579\n"
        "Equilibrium Phase:\tSupercritcal Liquid\n"
        "Adiabatic Results:\tSteam/Water Mix\n"
        "Conversion Ratio (%):\t13.75\n"
        "Steam Fraction:\t0.48\n"
        "Water Fraction:\t0.52\n"
        "Isothermal Results:\tSuperheated Vapor\n"
        "Conversion Ratio (%):\t33.37\n"
        "Steam Fraction:\t1.00\n"
        "Water Fraction:\t0.00\n") + kSedimentReference;
    QCOMPARE(QApplication::clipboard()->text().split('\n'), expected.split('\n'));
}

void FrmResultsTest::shownRun_reCalculate_appendsASecondRunWithTheSameTexts()
{
    TestSession t;
    t.runToResults();
    const ResultTexts first = shownTexts(t);
    t.session->resultsWindow()->recalculateButton()->click();
    QCOMPARE(t.session->store().count(), 2);
    QCOMPARE(shownTexts(t), first);
    QCOMPARE(resultLabel(t, "Label1")->text(), QString("Calculation Complete"));
}

void FrmResultsTest::shownRun_new_inputWindowBackAndResultsUnloaded()
{
    TestSession t;
    t.main().ui().txtR->setText("0.5");
    t.runToResults();
    t.session->resultsWindow()->newButton()->click();
    QTRY_VERIFY(t.session->resultsWindow() == nullptr);
    QVERIFY(t.main().isEnabled());
    QVERIFY(!t.main().isMinimized());
    QVERIFY(!t.main().ui().Frame1->isVisibleTo(&t.main()));
    QCOMPARE(t.main().focusWidget(), t.main().ui().txtR);
    QCOMPARE(t.main().ui().txtR->text(), QString("0.5"));
}

void FrmResultsTest::shownRun_finished_everyWindowClosesAndTheProgramEnds()
{
    TestSession t;
    t.runToResults();
    QSignalSpy finished(t.session.get(), &Session::finished);
    t.session->resultsWindow()->finishedButton()->click();
    QCOMPARE(finished.count(), 1);
    QVERIFY(!t.main().isVisible());
    QTRY_VERIFY(t.session->resultsWindow() == nullptr);
}

void FrmResultsTest::shownRun_closedDuringTheRun_unloadsAfterTheRunWithoutCrash()
{
    TestSession t;
    t.session->host().setPauseScale(1.0); // a real one-second pause that the close must cut short
    QSignalSpy finished(t.session.get(), &Session::finished);
    t.main().ui().Command1->click();
    QTimer::singleShot(20, &t.main(), [&t] { t.main().close(); });
    QElapsedTimer clock;
    clock.start();
    t.session->calcWindow()->continueButton()->click();
    QVERIFY(clock.elapsed() < 900);
    QCOMPARE(finished.count(), 1);
    QVERIFY(!t.main().isVisible());
    QTRY_VERIFY(t.session->resultsWindow() == nullptr);
    QTRY_VERIFY(t.session->calcWindow() == nullptr);
}

void FrmResultsTest::savedRun_open_sameTextsAndOneMoreRun()
{
    QTemporaryDir folder;
    TestSession t(QStringLiteral("/nonexistent/vaptab"));
    CountingPlotView plot;
    t.session->setPlotView(&plot);
    t.runToResults();
    QCOMPARE(plot.redrawn, 1);
    const ResultTexts saved = shownTexts(t);
    t.dialogs.saveAnswer = folder.filePath("run.qrv");
    t.session->resultsWindow()->saveButton()->click();
    QCOMPARE(t.dialogs.lastFolder, t.session->dataPath());
    QVERIFY(t.presenter.shown.isEmpty());
    t.session->resultsWindow()->newButton()->click();
    QTRY_VERIFY(t.session->resultsWindow() == nullptr);
    // Opened while the steam-table values are asked for.
    t.main().ui().txtTMagma->setText("1300");
    t.main().ui().txtTInit->setText("400");
    t.main().ui().Command1->click();
    QVERIFY(t.main().ui().Frame1->isVisibleTo(&t.main()));
    t.presenter.shown.clear();

    t.dialogs.openAnswer = t.dialogs.saveAnswer;
    t.main().ui().cmdOpen->click();

    QVERIFY(t.presenter.shown.isEmpty());
    QCOMPARE(plot.redrawn, 2);
    QCOMPARE(shownTexts(t), saved);
    QCOMPARE(t.session->store().count(), 2);
    QCOMPARE(t.session->store().record(2).CRIsothermal, 42.62f);
    QCOMPARE(resultLabel(t, "labFSA(2)")->text(), QString("373.0"));
    QCOMPARE(resultLabel(t, "labFSA(0)")->text(), QString());
    QCOMPARE(resultLabel(t, "Label1")->text(), QString("Calculation Complete"));
    QCOMPARE(t.main().ui().txtTMagma->text(), QString("1473"));
    QCOMPARE(t.main().ui().txtPfin->text(), QString("0.10"));
    FrmResults* results = t.session->resultsWindow();
    QVERIFY(!results->saveButton()->isEnabled());
    for (QPushButton* b : {results->newButton(), results->finishedButton(), results->recalculateButton(),
                           results->plotButton()})
        QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
    QVERIFY(!t.main().isEnabled());
    QVERIFY(t.main().isMinimized());

    // The plot window's "Clear Data" leaves nothing to plot.
    t.session->plotDataCleared();
    QVERIFY(!results->plotButton()->isEnabled());

    results->newButton()->click();
    const FrmMainControls& u = t.main().ui();
    QVERIFY(!u.Frame1->isVisibleTo(&t.main()));
    QVERIFY(u.Command1->isEnabled() && u.Command3->isEnabled() && u.txtTInit->isEnabled());
}

void FrmResultsTest::unwritableFolder_save_reportsTheFailure()
{
    QTemporaryDir folder;
    TestSession t;
    t.runToResults();
    t.dialogs.saveAnswer = folder.filePath("missing/run.qrv");
    t.session->resultsWindow()->saveButton()->click();
    QCOMPARE(t.presenter.shown.size(), 1);
    QVERIFY(t.presenter.shown[0].text.startsWith("Save error: "));
    QCOMPARE(t.presenter.shown[0].icon, Icon::Information);

    QVERIFY(!QFile::exists(t.dialogs.saveAnswer));
}

void FrmResultsTest::freshProgram_open_reCalculateWaitsForACalculation()
{
    // State: a saved run, and a program that has calculated nothing yet
    QTemporaryDir folder;
    const QString path = folder.filePath("run.qrv");
    QCOMPARE(writeResultsFile(QFile::encodeName(path).toStdString(), kSedimentRun), std::string());
    TestSession t;
    t.dialogs.openAnswer = path;
    // Action
    t.main().ui().cmdOpen->click();
    // Expected: nothing to recalculate, but the way on is open
    FrmResults* results = t.session->resultsWindow();
    QVERIFY(results != nullptr);
    QVERIFY(!results->recalculateButton()->isEnabled());
    QVERIFY(results->newButton()->isEnabled() && results->finishedButton()->isEnabled());

    // Action: a calculation, then the file again
    results->newButton()->click();
    t.runToResults();
    t.session->resultsWindow()->newButton()->click();
    t.main().ui().cmdOpen->click();
    // Expected: ReCalculate repeats that calculation
    QVERIFY(t.session->resultsWindow()->recalculateButton()->isEnabled());
    t.session->resultsWindow()->recalculateButton()->click();
    QVERIFY(t.presenter.shown.isEmpty());
    QCOMPARE(resultLabel(t, "Label1")->text(), QString("Calculation Complete"));
}

void FrmResultsTest::sedimentFile_open_inputWindowInSedimentModeWithRsAndX()
{
    // State: a sediment run saved, the program in water/magma mode
    QTemporaryDir folder;
    const QString sediment = folder.filePath("sediment.qrv");
    QCOMPARE(writeResultsFile(QFile::encodeName(sediment).toStdString(), kSedimentRun), std::string());
    TestSession t;
    const FrmMainControls& u = t.main().ui();
    t.dialogs.openAnswer = sediment;
    // Action
    u.cmdOpen->click();
    t.session->resultsWindow()->newButton()->click();
    // Expected: the input window as the run was made
    QVERIFY(u.optSM->isChecked());
    QCOMPARE(u.Label7->text(), QString("Sediment/Magma Ratio (Rs):"));
    QCOMPARE(u.txtR->text(), QString("0.60"));
    QCOMPARE(u.txtXmix->text(), QString("0.50"));
    QVERIFY(u.txtXmix->isEnabled() && u.Label9->isEnabled());
    // Action: Continue runs the same sediment run again
    t.runToResults();
    QCOMPARE(shownTexts(t), kSedimentRun);

    // Action: a water/magma file brings water/magma mode back
    const QString water = folder.filePath("water.qrv");
    ResultTexts texts = kSedimentRun;
    texts[0] = "Water/Magma Ratio R:";
    texts[1] = "0.300";
    QCOMPARE(writeResultsFile(QFile::encodeName(water).toStdString(), texts), std::string());
    t.session->resultsWindow()->newButton()->click();
    t.dialogs.openAnswer = water;
    u.cmdOpen->click();
    t.session->resultsWindow()->newButton()->click();
    QVERIFY(u.optWM->isChecked());
    QCOMPARE(u.Label7->text(), QString("Water/Magma Ratio (R):"));
    QCOMPARE(u.txtR->text(), QString("0.300"));
    QCOMPARE(u.txtXmix->text(), QString("--"));
    QVERIFY(!u.txtXmix->isEnabled());
    QVERIFY(t.presenter.shown.isEmpty());
}

void FrmResultsTest::defaultRun_continue_referenceBesideTheFittedResultsFlaggedOutsideValidity()
{
    // State: the start-up inputs
    TestSession t;
    // Action
    t.runToResults();
    // Expected: the exact water answer under the fitted one, flagged in red
    FrmResults* results = t.session->resultsWindow();
    QTRY_COMPARE(resultLabel(t, "labRefEffa")->text(), QString("16.87"));
    QCOMPARE(resultLabel(t, "labEffa")->text(), QString("16.90"));
    QCOMPARE(resultLabel(t, "labRefEffi")->text(), QString("36.29"));
    QCOMPARE(resultLabel(t, "labRefTEq")->text(), QString("907.9"));
    QCOMPARE(resultLabel(t, "labRefPEq")->text(), QString("1216.5"));
    QCOMPARE(resultLabel(t, "labRefResa")->text(), QString("two-phase"));
    QLabel* note = resultLabel(t, "labRefNote");
    QVERIFY(note->isVisibleTo(results));
    QCOMPARE(note->text(), QString("outside IAPWS-95 validity (extrapolated)"));
    QVERIFY(results->referenceCheckBox()->isChecked());
    QVERIFY(results->referenceFrame()->isVisibleTo(results));
    // Under the two path panels.
    const QWidget* adiabatic = results->findChild<QGroupBox*>("Frame1");
    QVERIFY(results->referenceFrame()->geometry().top() >= adiabatic->geometry().bottom());
    QVERIFY(t.presenter.shown.isEmpty());
}

void FrmResultsTest::sedimentFile_open_referenceWorkedFromTheFileInputs()
{
    // State: the worked sediment run saved, a program that has calculated nothing
    QTemporaryDir folder;
    const QString path = folder.filePath("sediment.qrv");
    QCOMPARE(writeResultsFile(QFile::encodeName(path).toStdString(), kSedimentRun), std::string());
    TestSession t;
    t.dialogs.openAnswer = path;
    // Action
    t.main().ui().cmdOpen->click();
    // Expected: the reference of Rs 0.6 with X 0.5 from the ratio line, as a run shows it
    QTRY_COMPARE(referenceText(t), kSedimentReference);
    QCOMPARE(shownTexts(t), kSedimentRun);
}

void FrmResultsTest::iceFile_open_referenceSaysWhyThereIsNone()
{
    // State: a results file of water that started as ice
    QTemporaryDir folder;
    const QString path = folder.filePath("ice.qrv");
    QVERIFY(writeWaterRun(path, "1473", "270"));
    TestSession t;
    t.dialogs.openAnswer = path;
    // Action
    t.main().ui().cmdOpen->click();
    // Expected: no values, and the reason in their place
    QTRY_VERIFY(resultLabel(t, "labRefNote")->isVisibleTo(t.session->resultsWindow()));
    QVERIFY(resultLabel(t, "labRefNote")->text().startsWith("No reference: the initial water is below the triple point"));
    for (const char* value : {"labRefTEq", "labRefPEq", "labRefEffa", "labRefXi", "labRefTa", "labRefResi"})
        QVERIFY2(resultLabel(t, value)->text().isEmpty(), value);
    QVERIFY(t.presenter.shown.isEmpty());
}

void FrmResultsTest::failedRun_continueAndReCalculate_referenceShowsNoValues()
{
    // State: near-freezing water under 50 MPa expanded to a supercritical 100 MPa, a run whose
    // paths fail; S and Cv typed as IAPWS-95 gives them
    TestSession t(QStringLiteral("/nonexistent/vaptab"));
    t.setInputs("1473", "274", "50", "100", "100");
    const FrmMainControls& u = t.main().ui();
    u.Command1->click();
    u.txtSInit->setText("11.478");
    u.txtCvInit->setText("4020.417");
    u.cmdCalc->click();
    QVERIFY(t.session->calcWindow() != nullptr);
    t.presenter.shown.clear();
    // Action
    t.session->calcWindow()->continueButton()->click();
    // Expected: the run failed, and its reference panel holds no values
    QTRY_COMPARE(resultLabel(t, "Label1")->text(), QString("Calculation Failed"));
    QVERIFY(!t.presenter.shown.isEmpty());
    QVERIFY(resultLabel(t, "labRefEffa")->text().isEmpty());
    QVERIFY(!resultLabel(t, "labRefNote")->isVisibleTo(t.session->resultsWindow()));

    // State: a saved run opened over it, with its reference
    QTemporaryDir folder;
    const QString path = folder.filePath("sediment.qrv");
    QCOMPARE(writeResultsFile(QFile::encodeName(path).toStdString(), kSedimentRun), std::string());
    t.session->resultsWindow()->newButton()->click();
    QTRY_VERIFY(t.session->resultsWindow() == nullptr);
    t.dialogs.openAnswer = path;
    u.cmdOpen->click();
    QTRY_COMPARE(referenceText(t), kSedimentReference);
    // Action: ReCalculate repeats the failed calculation
    t.presenter.shown.clear();
    t.session->resultsWindow()->recalculateButton()->click();
    // Expected: the file's reference does not stay beside the failed run
    QTRY_COMPARE(resultLabel(t, "Label1")->text(), QString("Calculation Failed"));
    for (const char* value : {"labRefTEq", "labRefPEq", "labRefEffa", "labRefEffi", "labRefXa", "labRefResi"})
        QVERIFY2(resultLabel(t, value)->text().isEmpty(), value);
    QVERIFY(!resultLabel(t, "labRefNote")->isVisibleTo(t.session->resultsWindow()));
}

void FrmResultsTest::referenceHidden_nextSession_staysHiddenAndOutOfCopyAll()
{
    {
        // State: a run with its reference on screen
        TestSession t;
        t.runToResults();
        FrmResults* results = t.session->resultsWindow();
        QTRY_VERIFY(results->referenceFrame()->isVisibleTo(results));
        const int shownHeight = results->height();
        // Action: the check box from the keyboard
        results->referenceCheckBox()->setFocus();
        QTest::keyClick(results->referenceCheckBox(), Qt::Key_Space);
        // Expected: the panel gone from the window and from Copy All
        QVERIFY(!results->referenceCheckBox()->isChecked());
        QVERIFY(!results->referenceFrame()->isVisibleTo(results));
        QTRY_VERIFY(results->height() < shownHeight);
        const QString copied = copiedText(t);
        QVERIFY2(copied.endsWith("Water Fraction:\t0.00\n"), qPrintable(copied));
        QVERIFY(!copied.contains("IAPWS-95"));
    }
    // Action: the program started again
    TestSession next;
    next.runToResults();
    // Expected: still hidden, the values there for when it is shown again
    FrmResults* results = next.session->resultsWindow();
    QVERIFY(!results->referenceCheckBox()->isChecked());
    QVERIFY(!results->referenceFrame()->isVisibleTo(results));
    QCOMPARE(resultLabel(next, "labRefEffa")->text(), QString("16.87"));
    results->referenceCheckBox()->click();
    QVERIFY(results->referenceFrame()->isVisibleTo(results));
    QVERIFY(referenceText(next).contains("Conversion Ratio (%):\t16.87\t36.29\n"));
    QCOMPARE(programSettings().value(QStringLiteral("ShowReference")).toBool(), true);
}

void FrmResultsTest::shownRun_help_resultsTopicLeadsToTheReferencePage()
{
    // State
    TestSession t;
    t.runToResults();
    // Action
    t.session->resultsWindow()->helpButton()->click();
    // Expected: the results topic, which links to the page on the reference
    QVERIFY(t.session->helpWindow() != nullptr && t.session->helpWindow()->isVisible());
    QTextBrowser* browser = t.session->helpWindow()->browser();
    QCOMPARE(browser->source().fragment(), QString("topic4"));
    QVERIFY(browser->toHtml().contains("href=\"#reference\""));
    // Action: the link followed
    browser->setSource(QUrl(QStringLiteral("qrc:/qrv/help.html#reference")));
    // Expected: the page names both models and the note the windows show
    const QString page = browser->toPlainText();
    const QString note = QString::fromUtf8(reference::kOutsideValidityNote.data(),
                                           qsizetype(reference::kOutsideValidityNote.size()));
    for (const QString& part : {QStringLiteral("The IAPWS-95 reference"), QStringLiteral("at constant volume"),
                                QStringLiteral("When the two differ most"), QStringLiteral("supercritical"), note})
        QVERIFY2(page.contains(part), qPrintable(part));
}

QRV_GUI_TEST_MAIN(FrmResultsTest)
#include "test_frmresults.moc"

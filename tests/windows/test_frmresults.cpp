// The results window: filled by a run or a results file, copying values, ReCalculate, New,
// Finished, Save and Open, and the IAPWS-95 reference beside the run.
#include "tests/windows/guitestsupport.h"

#include "base/appidentity.h"
#include "files/resultsfile.h"
#include "display/resultswindow.h"
#include "reference/reference.h"
#include "windows/describedwindow.h"
#include "windows/valuelabel.h"
#include "windows/widgethost.h"

#include "tests/data/referenceruns.h"

#include <QAbstractButton>
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

QLabel* resultLabel(const TestSession& t, const char* name)
{
    return t.results()->findChild<QLabel*>(name);
}

QString labelText(const TestSession& t, const char* name)
{
    return resultLabel(t, name)->text();
}

// The results file of the texts on screen, as the user reads them.
ResultTexts shownTexts(TestSession& t)
{
    return resultTextsFrom(
        [&t](std::string_view control) {
            const QWidget* widget = t.results()->findChild<QWidget*>(qtName(control));
            if (widget == nullptr)
                qFatal("no control %s", std::string(control).c_str());
            return controlText(widget).toStdString();
        },
        t.session->state().PFinal);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("%s not read", qPrintable(path));
    return file.readAll();
}

// The sediment run worked out by hand for X = 0.5, Rs = 0.6 and the start-up values.
const ResultTexts kSedimentRun = [] {
    ResultTexts texts;
    const auto& lines = testdata::referenceRun("sediment").lines;
    std::copy(lines.begin(), lines.end(), texts.begin());
    return texts;
}();

void typeSedimentRun(TestSession& t)
{
    t.setInputs("1473", "298", "0.1", "0.1", "0.6");
    t.ui().optSM->click();
    t.ui().txtXmix->setText("0.5");
}

// A results file of `texts` in `folder`.
QString saved(const QTemporaryDir& folder, const char* name, const ResultTexts& texts = kSedimentRun)
{
    const QString path = folder.filePath(name);
    const std::string error = writeResultsFile(QFile::encodeName(path).toStdString(), texts);
    if (!error.empty())
        qFatal("%s not written: %s", name, error.c_str());
    return path;
}

// The IAPWS-95 reference of that run (Rs 0.6, X 0.5) as Copy All gives it: 1042 MPa lies
// beyond IAPWS-95's 1000 MPa.
const QString kSedimentReference = QStringLiteral("IAPWS-95 Reference\n"
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
    t.results()->copyAllButton()->click();
    return QApplication::clipboard()->text();
}

// What the reference panel shows, as Copy All gives it, up to the energy check under it; empty
// when the panel is hidden.
QString referenceText(TestSession& t)
{
    const QString text = copiedText(t);
    const qsizetype start = text.indexOf(QStringLiteral("IAPWS-95 Reference\n"));
    return start < 0 ? QString() : text.mid(start, text.indexOf(QStringLiteral("Energy Check\n")) - start);
}

void expectNoReferenceValues(const TestSession& t, std::initializer_list<const char*> values)
{
    for (const char* value : values)
        QVERIFY2(labelText(t, value).isEmpty(), value);
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

    void loaded_everyDescribedControlIsAWidgetAsDesigned()
    {
        FrmResults window;
        verifyBuiltAsDescribed(window, resultswindow::kDescription);
        QCOMPARE(window.findChild<QGroupBox*>("Frame2")->title(), QString("Isothermal Results"));
    }

    void defaultRun_continue_everyTextAndStateAsTheEngineLeftThemAndTheReferenceBeside()
    {
        TestSession t;
        const EngineReference reference({"1473", "298", "0.1", "0.1", "0.30", "--", false});
        t.runToResults();
        QVERIFY(t.results() != nullptr);
        QVERIFY(t.session->calcWindow() == nullptr || !t.session->calcWindow()->isVisible());
        QVERIFY(t.presenter.shown.isEmpty());
        for (const auto& [name, expected] : reference.host.controls(Window::Results)) {
            auto* widget = t.results()->findChild<QWidget*>(QString::fromStdString(name));
            QVERIFY2(widget != nullptr, name.c_str());
            if (qobject_cast<QLabel*>(widget) != nullptr)
                QCOMPARE(controlText(widget), QString::fromStdString(expected.text));
            QCOMPARE(widget->isVisibleTo(t.results()), expected.visible);
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

        // The exact water answer under the fitted one, flagged in red
        QTRY_COMPARE(labelText(t, "labRefEffa"), QString("16.87"));
        QCOMPARE(labelText(t, "labEffa"), QString("16.90"));
        QCOMPARE(labelText(t, "labRefEffi"), QString("36.29"));
        QCOMPARE(labelText(t, "labRefTEq"), QString("907.9"));
        QCOMPARE(labelText(t, "labRefPEq"), QString("1216.5"));
        QCOMPARE(labelText(t, "labRefResa"), QString("two-phase"));
        QVERIFY(resultLabel(t, "labRefNote")->isVisibleTo(t.results()));
        QCOMPARE(labelText(t, "labRefNote"), QString("outside IAPWS-95 validity (extrapolated)"));
        QVERIFY(t.results()->referenceCheckBox()->isChecked());
        QVERIFY(t.results()->referenceFrame()->isVisibleTo(t.results()));
        // Under the two path panels.
        const QWidget* adiabatic = t.results()->findChild<QGroupBox*>("Frame1");
        QVERIFY(t.results()->referenceFrame()->geometry().top() >= adiabatic->geometry().bottom());
    }

    void sedimentRun_continue_theTwentyFiveTextsOfTheWorkedRunAndCopyAllAsTabbedLines()
    {
        TestSession t;
        typeSedimentRun(t);
        t.runToResults();
        QCOMPARE(shownTexts(t), kSedimentRun);
        QCOMPARE(t.ui().txtXmix->text(), QString("0.50"));
        // Copy All: every caption and value as tabbed lines
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
                                     "Water Fraction:\t0.00\n")
            + kSedimentReference
            + QStringLiteral("Energy Check\n"
                             "Path:\tAdiabatic\tIsothermal\n"
                             "Work Above Energy Released (CR points):\t0.0\t13.4\n"
                             "Note:\tEnergy check: the isothermal work is 13.4 points of conversion ratio more "
                             "than this run's own states release on that path; the model's figure is shown "
                             "unchanged.\n");
        QCOMPARE(copiedText(t).split('\n'), expected.split('\n'));
    }

    void firstRun_duringTheRun_onlyHelpResponds()
    {
        TestSession t;
        t.session->host().setPauseScale(0.001);
        QMap<QString, bool> enabledMidRun;
        t.ui().Command1->click();
        // Fires inside the run's first pause.
        QTimer::singleShot(0, [&] {
            for (QPushButton* b : t.results()->findChildren<QPushButton*>())
                enabledMidRun[b->objectName()] = b->isEnabled();
        });
        t.session->calcWindow()->continueButton()->click();
        QVERIFY(!enabledMidRun.isEmpty());
        for (const QString name : {"Command1", "Command2", "Command3", "cmdSave", "cmdPlot"})
            QVERIFY2(!enabledMidRun.value(name), qPrintable(name));
        QVERIFY(enabledMidRun.value("cmdHelp"));
        for (QPushButton* b : t.results()->findChildren<QPushButton*>())
            QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
    }

    void shownRun_clickTwoValues_onlyTheLastIsBoldAndOnTheClipboard()
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

    void shownRun_reCalculate_appendsASecondRunWithTheSameTexts()
    {
        TestSession t;
        t.runToResults();
        const ResultTexts first = shownTexts(t);
        t.results()->recalculateButton()->click();
        QCOMPARE(t.session->store().count(), 2);
        QCOMPARE(shownTexts(t), first);
        QCOMPARE(labelText(t, "Label1"), QString("Calculation Complete"));
    }

    void shownRun_new_inputWindowBackAndResultsUnloaded()
    {
        TestSession t;
        t.ui().txtR->setText("0.5");
        t.runToResults();
        t.results()->newButton()->click();
        QTRY_VERIFY(t.results() == nullptr);
        QVERIFY(t.main().isEnabled());
        QVERIFY(!t.main().isMinimized());
        QVERIFY(!t.lowerPaneShown());
        QCOMPARE(t.main().focusWidget(), t.ui().txtR);
        QCOMPARE(t.ui().txtR->text(), QString("0.5"));
    }

    void shownRun_finished_everyWindowClosesAndTheProgramEnds()
    {
        TestSession t;
        t.runToResults();
        QSignalSpy finished(t.session.get(), &Session::finished);
        t.results()->finishedButton()->click();
        QCOMPARE(finished.count(), 1);
        QVERIFY(!t.main().isVisible());
        QTRY_VERIFY(t.results() == nullptr);
    }

    void shownRun_closedDuringTheRun_unloadsAfterTheRunWithoutCrash()
    {
        TestSession t;
        t.session->host().setPauseScale(1.0); // a real one-second pause that the close must cut short
        QSignalSpy finished(t.session.get(), &Session::finished);
        t.ui().Command1->click();
        QTimer::singleShot(20, &t.main(), [&t] { t.main().close(); });
        QElapsedTimer clock;
        clock.start();
        t.session->calcWindow()->continueButton()->click();
        QVERIFY(clock.elapsed() < 900);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!t.main().isVisible());
        QTRY_VERIFY(t.results() == nullptr);
        QTRY_VERIFY(t.session->calcWindow() == nullptr);
    }

    void savedRun_open_sameTextsAndOneMoreRun()
    {
        QTemporaryDir folder;
        TestSession t(QStringLiteral("/nonexistent/vaptab"));
        CountingPlotView plot;
        t.session->setPlotView(&plot);
        t.runToResults();
        QCOMPARE(plot.redrawn, 1);
        const ResultTexts savedTexts = shownTexts(t);
        t.dialogs.saveAnswer = folder.filePath("run.qrv");
        t.results()->saveButton()->click();
        QCOMPARE(t.dialogs.lastFolder, t.session->dataPath());
        QVERIFY(t.presenter.shown.isEmpty());
        t.results()->newButton()->click();
        QTRY_VERIFY(t.results() == nullptr);
        // Opened while the steam-table values are asked for.
        t.ui().txtTMagma->setText("1300");
        t.ui().txtTInit->setText("400");
        t.ui().Command1->click();
        QVERIFY(t.lowerPaneShown());
        t.presenter.shown.clear();

        t.open(t.dialogs.saveAnswer);
        QVERIFY(t.presenter.shown.isEmpty());
        QCOMPARE(plot.redrawn, 2);
        QCOMPARE(shownTexts(t), savedTexts);
        QCOMPARE(t.session->store().count(), 2);
        QCOMPARE(t.session->store().record(2).CRIsothermal, 42.62f);
        QCOMPARE(labelText(t, "labFSA(2)"), QString("373.0"));
        QCOMPARE(labelText(t, "labFSA(0)"), QString());
        QCOMPARE(labelText(t, "Label1"), QString("Calculation Complete"));
        // No path caption left over from the window's design: both paths are done
        QCOMPARE(labelText(t, "labPath"), QString());
        QCOMPARE(t.ui().txtTMagma->text(), QString("1473"));
        QCOMPARE(t.ui().txtPfin->text(), QString("0.10"));
        FrmResults* results = t.results();
        QVERIFY(!results->saveButton()->isEnabled());
        for (QPushButton* b :
             {results->newButton(), results->finishedButton(), results->recalculateButton(), results->plotButton()})
            QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
        QVERIFY(!t.main().isEnabled());
        QVERIFY(t.main().isMinimized());

        // The plot window's "Clear Data" leaves nothing to plot.
        t.session->plotDataCleared();
        QVERIFY(!results->plotButton()->isEnabled());

        results->newButton()->click();
        QVERIFY(!t.lowerPaneShown());
        QVERIFY(t.ui().Command1->isEnabled() && t.ui().Command3->isEnabled() && t.ui().txtTInit->isEnabled());
    }

    void openedFile_saveAndCopyAll_theFileAsReadWhateverTheInputWindowHolds()
    {
        // A file whose ambient pressure differs from the program's, handed over while a run
        // is shown and can be saved
        QTemporaryDir folder;
        ResultTexts texts = kSedimentRun;
        texts[std::size_t(kAmbientPressureLine - 1)] = "0.25";
        const QString original = saved(folder, "ambient.qrv", texts);
        TestSession t;
        t.runToResults();
        t.session->takeHandOver({original});
        QCOMPARE(t.ui().txtPfin->text(), QString("0.25"));
        QCOMPARE(shownTexts(t)[1], kSedimentRun[1]);
        const QString copied = copiedText(t);

        // Saved again: the same bytes, the ambient pressure line included
        t.dialogs.saveAnswer = folder.filePath("again.qrv");
        QVERIFY(t.results()->saveButton()->isEnabled());
        t.results()->saveButton()->click();
        QVERIFY(t.presenter.shown.isEmpty());
        QCOMPARE(fileBytes(t.dialogs.saveAnswer), fileBytes(original));

        // Copy All gives the file's run however the values on screen are changed meanwhile
        t.results()->findChild<QLabel*>("labEffa")->setText("99.99");
        QCOMPARE(copiedText(t), copied);
        QVERIFY(copied.contains("Conversion Ratio (%):\t13.75\n"));
    }

    void unwritableFolder_save_reportsTheFailure()
    {
        QTemporaryDir folder;
        TestSession t;
        t.runToResults();
        t.dialogs.saveAnswer = folder.filePath("missing/run.qrv");
        t.results()->saveButton()->click();
        QCOMPARE(t.presenter.shown.size(), 1);
        QVERIFY(t.presenter.shown[0].text.startsWith("Save error: "));
        QCOMPARE(t.presenter.shown[0].icon, Icon::Information);
        QVERIFY(!QFile::exists(t.dialogs.saveAnswer));
    }

    void freshProgram_open_reCalculateWaitsForACalculation()
    {
        QTemporaryDir folder;
        TestSession t;
        t.open(saved(folder, "run.qrv"));
        // Nothing to recalculate, but the way on is open
        FrmResults* results = t.results();
        QVERIFY(results != nullptr);
        QVERIFY(!results->recalculateButton()->isEnabled());
        QVERIFY(results->newButton()->isEnabled() && results->finishedButton()->isEnabled());

        // A calculation, then the file again: ReCalculate repeats that calculation
        results->newButton()->click();
        t.runToResults();
        t.results()->newButton()->click();
        t.ui().cmdOpen->click();
        QVERIFY(t.results()->recalculateButton()->isEnabled());
        t.results()->recalculateButton()->click();
        QVERIFY(t.presenter.shown.isEmpty());
        QCOMPARE(labelText(t, "Label1"), QString("Calculation Complete"));
    }

    void sedimentFile_open_referenceFromTheFileAndInputWindowInSedimentMode()
    {
        // A sediment run saved, the program in water/magma mode
        QTemporaryDir folder;
        TestSession t;
        t.open(saved(folder, "sediment.qrv"));
        // The reference of Rs 0.6 with X 0.5 from the ratio line, as a run shows it
        QTRY_COMPARE(referenceText(t), kSedimentReference);
        QCOMPARE(shownTexts(t), kSedimentRun);
        // New: the input window as the run was made
        t.results()->newButton()->click();
        expectInteractionType(t.ui(), true, "0.50");
        QCOMPARE(t.ui().txtR->text(), QString("0.60"));
        // Continue runs the same sediment run again
        t.runToResults();
        QCOMPARE(shownTexts(t), kSedimentRun);

        // A water/magma file brings water/magma mode back
        ResultTexts texts = kSedimentRun;
        texts[0] = "Water/Magma Ratio R:";
        texts[1] = "0.300";
        t.results()->newButton()->click();
        t.open(saved(folder, "water.qrv", texts));
        t.results()->newButton()->click();
        expectInteractionType(t.ui(), false, "--");
        QCOMPARE(t.ui().txtR->text(), QString("0.300"));
        QVERIFY(t.presenter.shown.isEmpty());
    }

    void iceFile_open_referenceSaysWhyThereIsNone()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("ice.qrv");
        QVERIFY(writeWaterRun(path, "1473", "270"));
        TestSession t;
        t.open(path);
        // No values, and the reason in their place
        QTRY_VERIFY(resultLabel(t, "labRefNote")->isVisibleTo(t.results()));
        QVERIFY(labelText(t, "labRefNote").startsWith("No reference: the initial water is below the triple point"));
        expectNoReferenceValues(t, {"labRefTEq", "labRefPEq", "labRefEffa", "labRefXi", "labRefTa", "labRefResi"});
        QVERIFY(t.presenter.shown.isEmpty());
    }

    void failedRun_continueAndReCalculate_referenceShowsNoValues()
    {
        // Near-freezing water under 50 MPa expanded to a supercritical 100 MPa, a run whose
        // paths fail; S and Cv typed as IAPWS-95 gives them
        TestSession t(QStringLiteral("/nonexistent/vaptab"));
        t.setInputs("1473", "274", "50", "100", "100");
        t.ui().Command1->click();
        t.ui().txtSInit->setText("11.478");
        t.ui().txtCvInit->setText("4020.417");
        t.ui().cmdCalc->click();
        QVERIFY(t.session->calcWindow() != nullptr);
        t.presenter.shown.clear();
        t.session->calcWindow()->continueButton()->click();
        // The run failed, and its reference panel holds no values and says why
        QTRY_COMPARE(labelText(t, "Label1"), QString("Calculation Failed"));
        QVERIFY(!t.presenter.shown.isEmpty());
        QVERIFY(labelText(t, "labRefEffa").isEmpty());
        QVERIFY(resultLabel(t, "labRefNote")->isVisibleTo(t.results()));
        QCOMPARE(labelText(t, "labRefNote"), QString("No reference: the run did not complete"));

        // A saved run opened over it, with its reference
        QTemporaryDir folder;
        t.results()->newButton()->click();
        QTRY_VERIFY(t.results() == nullptr);
        t.open(saved(folder, "sediment.qrv"));
        QTRY_COMPARE(referenceText(t), kSedimentReference);
        // ReCalculate repeats the failed calculation: the file's reference does not stay
        // beside the failed run
        t.presenter.shown.clear();
        t.results()->recalculateButton()->click();
        QTRY_COMPARE(labelText(t, "Label1"), QString("Calculation Failed"));
        expectNoReferenceValues(t, {"labRefTEq", "labRefPEq", "labRefEffa", "labRefEffi", "labRefXa", "labRefResi"});
        QCOMPARE(labelText(t, "labRefNote"), QString("No reference: the run did not complete"));
    }

    void referenceHidden_nextSession_staysHiddenAndOutOfCopyAll()
    {
        {
            TestSession t;
            t.runToResults();
            FrmResults* results = t.results();
            QTRY_VERIFY(results->referenceFrame()->isVisibleTo(results));
            const int shownHeight = results->height();
            // The check box from the keyboard: the panel gone from the window and from Copy All
            results->referenceCheckBox()->setFocus();
            QTest::keyClick(results->referenceCheckBox(), Qt::Key_Space);
            QVERIFY(!results->referenceCheckBox()->isChecked());
            QVERIFY(!results->referenceFrame()->isVisibleTo(results));
            QTRY_VERIFY(results->height() < shownHeight);
            const QString copied = copiedText(t);
            QVERIFY2(copied.contains("Water Fraction:\t0.00\nEnergy Check\n"), qPrintable(copied));
            QVERIFY(!copied.contains("IAPWS-95"));
        }
        // The program started again: still hidden, the values there for when it is shown again
        TestSession next;
        next.runToResults();
        FrmResults* results = next.results();
        QVERIFY(!results->referenceCheckBox()->isChecked());
        QVERIFY(!results->referenceFrame()->isVisibleTo(results));
        QCOMPARE(labelText(next, "labRefEffa"), QString("16.87"));
        results->referenceCheckBox()->click();
        QVERIFY(results->referenceFrame()->isVisibleTo(results));
        QVERIFY(referenceText(next).contains("Conversion Ratio (%):\t16.87\t36.29\n"));
        QCOMPARE(programSettings().value(QStringLiteral("ShowReference")).toBool(), true);
    }

    void shownRun_keyboard_buttonsBeforeTheValuesWhichStillCopy()
    {
        TestSession t;
        t.runToResults();
        FrmResults* results = t.results();
        // The Tab stops in order, from the window's first
        QList<QWidget*> stops;
        for (QWidget* w = results->nextInFocusChain(); w != results; w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(results))
                stops.append(w);
        const auto firstValue = std::find_if(stops.begin(), stops.end(),
                                             [](QWidget* w) { return qobject_cast<ValueLabel*>(w) != nullptr; });
        QVERIFY(firstValue != stops.end());
        // Every button and the reference's check box come first
        const qsizetype buttons = firstValue - stops.begin();
        QCOMPARE(buttons, qsizetype(results->findChildren<QAbstractButton*>().size()));
        QCOMPARE(stops.first(), static_cast<QWidget*>(results->referenceCheckBox()));
        QVERIFY(std::all_of(firstValue, stops.end(), [](QWidget* w) { return qobject_cast<ValueLabel*>(w) != nullptr; }));
        // A value reached by Tab copies itself on Space, as a click does
        ValueLabel* value = results->findChild<ValueLabel*>("labXa");
        QVERIFY(stops.contains(value));
        QApplication::clipboard()->clear();
        value->setFocus();
        QTest::keyClick(value, Qt::Key_Space);
        QCOMPARE(QApplication::clipboard()->text(), value->text());
        QVERIFY(value->font().bold());
    }

    void shownRun_help_resultsTopicLeadsToTheReferencePage()
    {
        TestSession t;
        t.runToResults();
        t.results()->helpButton()->click();
        // The results topic, which links to the page on the reference
        QVERIFY(t.session->helpWindow() != nullptr && t.session->helpWindow()->isVisible());
        QTextBrowser* browser = t.session->helpWindow()->browser();
        QCOMPARE(browser->source().fragment(), QString("topic4"));
        QVERIFY(browser->toHtml().contains("href=\"#reference\""));
        browser->setSource(QUrl(QStringLiteral("qrc:/qrv/help.html#reference")));
        // The page names both models and the note the windows show
        const QString page = browser->toPlainText();
        const QString note = QString::fromUtf8(reference::kOutsideValidityNote.data(),
                                               qsizetype(reference::kOutsideValidityNote.size()));
        for (const QString& part : {QStringLiteral("The IAPWS-95 reference"), QStringLiteral("at constant volume"),
                                    QStringLiteral("When the two differ most"), QStringLiteral("supercritical"), note})
            QVERIFY2(page.contains(part), qPrintable(part));

        // Escape closes it, from the text that has the keyboard
        QVERIFY(QTest::qWaitForWindowActive(t.session->helpWindow()));
        browser->setFocus();
        QTest::keyClick(browser, Qt::Key_Escape);
        QTRY_VERIFY(!t.session->helpWindow()->isVisible());
    }
};

QRV_GUI_TEST_MAIN(FrmResultsTest)
#include "test_frmresults.moc"

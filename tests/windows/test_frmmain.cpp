// The input window: Continue and its messages, the steam-table request, Calculate, Cancel,
// the interaction type, Enter moves, Open refusals and the remembered position.
#include "tests/windows/guitestsupport.h"

#include "display/inputwindow.h"
#include "windows/describedwindow.h"
#include "windows/widgethost.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

using namespace qrv;
using namespace qrv::test;

namespace {

bool calcWindowShown(const TestSession& t)
{
    return t.session->calcWindow() != nullptr && t.session->calcWindow()->isVisible();
}

} // namespace

class FrmMainTest : public QObject {
    Q_OBJECT
private slots:
    void loaded_everyDescribedControlIsOneWidgetWithItsCaptionAndTip()
    {
        FrmMain window;
        QCOMPARE(window.objectName(), qtName(inputwindow::kName));
        for (const Control* control : inputwindow::kControls) {
            const QString name = qtName(control->name);
            const QList<QWidget*> widgets = window.findChildren<QWidget*>(name);
            QVERIFY2(widgets.size() == 1, qPrintable(name));
            const QWidget* widget = widgets.front();
            if (control->look != Look::Box && control->look != Look::HelpButton)
                QCOMPARE(controlText(widget), qtName(control->design));
            if (!control->tooltip.empty())
                QCOMPARE(widget->toolTip(), qtName(control->tooltip));
        }
    }

    void defaults_continue_equilibriumWindowAsTheEngineFillsIt()
    {
        TestSession t;
        const EngineReference reference({"1473", "298", "0.1", "0.1", "0.30", "--", false});
        t.ui().Command1->click();
        FrmCalc* calc = t.session->calcWindow();
        QVERIFY(calcWindowShown(t));
        QCOMPARE(reference.host.controls(Window::Calc).size(), std::size_t(10));
        for (const auto& [name, expected] : reference.host.controls(Window::Calc)) {
            auto* label = calc->findChild<QLabel*>(QString::fromStdString(name));
            QVERIFY2(label != nullptr, name.c_str());
            QCOMPARE(label->text(), QString::fromStdString(expected.text));
        }
        QCOMPARE(calc->findChild<QLabel*>("labT0")->text(), QString("822"));
        QVERIFY(!t.main().isEnabled());
        QVERIFY(t.main().isMinimized());
        QVERIFY(t.presenter.shown.isEmpty());
        QCOMPARE(t.session->link().taskId(), 0);
    }

    void badInput_continue_messageAndNothingMoves()
    {
        const QString commaHint = "\nUse \".\" as the decimal point (0.5, not 0,5) and no thousands separators.";
        struct Row {
            QString ratio;
            QString fraction; // empty: water/magma mode
            QString magma;
            QString message;
            Icon icon = Icon::Critical;
        };
        const Row rows[] = {
            {"0.3", "", "", "Please enter all values!\nEmpty: Magma Temperature (K).", Icon::Exclamation},
            {"0", "", "1473", "Enter R value > 0"},
            {"abc", "", "1473", "Water/Magma Ratio (R): \"abc\" is not a number."},
            {"0.3", "", "1,473", "Magma Temperature (K): \"1,473\" is not a number." + commaHint},
            {"0.3", "", "1e40",
             "Continue error: Overflow\nMagma Temperature (K): \"1e40\" is out of range.\nTry different values"},
            {"0.3", "", "-100",
             "Magma Temperature (K) must be above 298 K, the temperature from which the conversion ratio measures "
             "the magma's heat."},
            {"0.5", "0", "1473", "Enter X > 0.0"},
            {"0.5", "1.01", "1473", "Enter X <= 1.0"},
            {"0.5", " ", "1473", "Water Fraction (X): \" \" is not a number."},
        };
        for (const Row& row : rows) {
            TestSession t;
            if (!row.fraction.isEmpty()) {
                t.ui().optSM->click();
                t.ui().txtXmix->setText(row.fraction);
            }
            t.ui().txtR->setText(row.ratio);
            t.ui().txtTMagma->setText(row.magma);
            t.ui().Command1->click();
            QCOMPARE(t.presenter.shown.size(), 1);
            QCOMPARE(t.presenter.shown[0].text, row.message);
            QCOMPARE(t.presenter.shown[0].icon, row.icon);
            QVERIFY(t.session->calcWindow() == nullptr);
            QVERIFY(t.main().isEnabled());
            QVERIFY(!t.lowerPaneShown());
            QVERIFY(t.ui().Command1->isEnabled());
        }
    }

    void waterStateFails_continue_messageAndNoEquilibriumWindow()
    {
        // Magma so hot that the heated water's fits overflow
        TestSession t;
        t.setInputs("1e30", "298", "0.1", "0.1", "0.3");
        t.ui().Command1->click();
        QVERIFY(!t.presenter.shown.isEmpty());
        QVERIFY2(t.presenter.shown[0].text.startsWith("State0 error: "), qPrintable(t.presenter.shown[0].text));
        QVERIFY(!calcWindowShown(t));
        QVERIFY(t.main().isEnabled());
        QVERIFY(!t.main().isMinimized());
        // Sound inputs again
        t.ui().txtTMagma->setText("1473");
        t.ui().Command1->click();
        QVERIFY(calcWindowShown(t));
    }

    void waterTheSteamTableLacks_continue_saysSoAndStillTakesTypedValues()
    {
        TestSession t;
        t.setInputs("1473", "1300", "5", "0.1", "0.3");
        t.ui().Command1->click();
        QCOMPARE(t.presenter.shown.size(), 1);
        QVERIFY2(t.presenter.shown[0].text.startsWith(
                     "The steam table has no water at Water/Rock Temperature (K) \"1300\" and Initial Pressure (MPa) "
                     "\"5\": "),
                 qPrintable(t.presenter.shown[0].text));
        QCOMPARE(t.presenter.shown[0].icon, Icon::Exclamation);
        QVERIFY(t.lowerPaneShown());

        t.ui().txtSInit->setText("7900");
        t.ui().txtCvInit->setText("1800");
        t.ui().cmdCalc->click();
        QTRY_VERIFY(calcWindowShown(t));
    }

    void steamTableRequest_continue_paneShowsVaptabAndFillsTheBoxes()
    {
        if (vaptabProgram().isEmpty() || !QFile::exists(vaptabProgram()))
            QSKIP("the steam-table program was not built");
        TestSession t;
        const InputWidgets& u = t.ui();
        u.txtTInit->setText("350");
        u.txtPInit->setText("5");
        u.Command1->click();
        QVERIFY(t.lowerPaneShown());
        QVERIFY(!u.txtTInit->isEnabled() && !u.txtR->isEnabled() && !u.Command1->isEnabled()
                && !u.Command3->isEnabled());
        QVERIFY(u.txtSInit->isEnabled() && u.cmdCalc->isEnabled() && u.Command2->isEnabled());
        QVERIFY(t.session->link().taskId() != 0);
        QTRY_VERIFY_WITH_TIMEOUT(!u.txtSInit->text().isEmpty() && !u.txtCvInit->text().isEmpty(), 10000);
        QVERIFY(u.txtVaptab->toPlainText().contains("T = 350 K"));
        QVERIFY(!u.txtSInit->isReadOnly());
        // Liquid water at 5 MPa and 350 K: S 1.0348 kJ/(kg K), Cv 3.8799 kJ/(kg K), in J.
        QCOMPARE(u.txtSInit->text(), QString("1034.830"));
        QCOMPARE(u.txtCvInit->text(), QString("3879.915"));
        QVERIFY(t.presenter.shown.isEmpty());

        u.cmdCalc->click();
        QCOMPARE(t.session->link().taskId(), 0);
        QVERIFY(t.session->calcWindow() != nullptr);
        QCOMPARE(t.session->state().TInit, 350.0f);
        QVERIFY(u.txtTInit->isEnabledTo(&t.main()) && u.Command1->isEnabledTo(&t.main()));
    }

    void vaptabMissing_continue_messageAndTheValuesAreTyped()
    {
        TestSession t(QStringLiteral("/nonexistent/vaptab"));
        const InputWidgets& u = t.ui();
        u.txtTInit->setText("350");
        u.Command1->click();
        QCOMPARE(t.presenter.shown.size(), 1);
        QCOMPARE(t.presenter.shown[0].text, QString("Error opening/closing vaptab!"));
        QCOMPARE(t.presenter.shown[0].icon, Icon::Exclamation);
        QVERIFY(t.lowerPaneShown());
        QVERIFY(u.txtSInit->text().isEmpty());
        u.cmdCalc->click();
        QCOMPARE(t.presenter.shown.last().text,
                 QString("Please enter all values!\nEmpty: Iniitial Water Entropy (J/kg-K), Initial Water Cv (J/kg-K)."));
        QVERIFY(t.session->calcWindow() == nullptr);

        // Values no water has stay in the pane with the box named
        u.txtSInit->setText("1075.5");
        u.txtCvInit->setText("-5");
        u.cmdCalc->click();
        QCOMPARE(t.presenter.shown.last().text, QString("Initial Water Cv (J/kg-K): \"-5\" must be above 0."));
        QVERIFY(t.session->calcWindow() == nullptr);
        QVERIFY(t.lowerPaneShown());

        u.txtSInit->setText("1075.5");
        u.txtCvInit->setText("3880");
        u.cmdCalc->click();
        QVERIFY(t.session->calcWindow() != nullptr);
        QCOMPARE(t.session->state().SInit, 1075.5f);
        QCOMPARE(t.session->state().CvInit, 3880.0f);
        QVERIFY(!t.session->state().ConstVolume);
    }

    void steamTableRequest_cancelThenContinue_upperPaneBackAndAsksAgainUntilCalculateAccepts()
    {
        // Water at 350 K and 5 MPa asked for, S typed, then cancelled
        TestSession t(QStringLiteral("/nonexistent/vaptab"));
        const InputWidgets& u = t.ui();
        u.txtTInit->setText("350");
        u.txtPInit->setText("5");
        u.Command1->click();
        QVERIFY(t.lowerPaneShown());
        u.txtSInit->setText("1");
        u.Command2->click();
        QVERIFY(!t.lowerPaneShown());
        QVERIFY(u.txtTInit->isEnabled() && u.txtR->isEnabled() && u.Command1->isEnabled() && u.Command3->isEnabled());
        QVERIFY(!u.txtXmix->isEnabled());
        QVERIFY(u.txtSInit->text().isEmpty() && u.txtCvInit->text().isEmpty());
        QVERIFY(t.session->calcWindow() == nullptr);
        u.Command1->click();
        // Asked again, the held values still those of the start-up water
        QVERIFY(t.lowerPaneShown());
        QVERIFY(t.session->calcWindow() == nullptr);
        QCOMPARE(t.session->state().TInit, 298.0f);
        QCOMPARE(t.session->state().SInit, 366.93f);

        // Calculate accepts typed values; back, and Continue with the same water
        u.txtSInit->setText("1034.83");
        u.txtCvInit->setText("3879.915");
        u.cmdCalc->click();
        QCOMPARE(t.session->state().TInit, 350.0f);
        QCOMPARE(t.session->state().PInit, 5e6f);
        t.session->calcWindow()->backButton()->click();
        t.presenter.shown.clear();
        u.Command1->click();
        // Now they are held for this water and go straight on
        QVERIFY(!t.lowerPaneShown());
        QVERIFY(calcWindowShown(t));
        QCOMPARE(t.session->state().SInit, 1034.83f);
        QVERIFY(t.presenter.shown.isEmpty());
    }

    void requestEndedByOpenAndNew_continue_asksAgain()
    {
        // A file of a run with water at 400 K and 0.1 MPa; the same water asked for
        QTemporaryDir folder;
        const QString path = folder.filePath("warm.qrv");
        QVERIFY(writeWaterRun(path, "1473", "400"));
        TestSession t(QStringLiteral("/nonexistent/vaptab"));
        t.ui().txtTInit->setText("400");
        t.ui().Command1->click();
        QVERIFY(t.lowerPaneShown());
        t.open(path);
        QVERIFY(t.results() != nullptr);
        t.results()->newButton()->click();
        QCOMPARE(t.ui().txtTInit->text(), QString("400"));
        t.presenter.shown.clear();
        t.ui().Command1->click();
        // The file's water is asked for, not calculated with the start-up values
        QCOMPARE(t.presenter.shown.size(), 1);
        QCOMPARE(t.presenter.shown[0].text, QString("Error opening/closing vaptab!"));
        QVERIFY(t.lowerPaneShown());
        QVERIFY(!calcWindowShown(t));
    }

    void interactionType_switch_captionsAndBoxesFollow()
    {
        TestSession t;
        const InputWidgets& u = t.ui();
        u.optSM->click();
        expectInteractionType(u, true, "1.00");
        u.txtR->setText("0.9");
        u.optWM->click();
        expectInteractionType(u, false, "--");
        QCOMPARE(u.txtR->text(), QString("0.30")); // the held ratio, not the typed one
        QVERIFY(!u.optCV->isEnabled());
        QVERIFY(u.optSext->isChecked());
        // Whatever its caption says, each caption names its box.
        const std::pair<QLabel*, QLineEdit*> captions[] = {
            {u.Label3, u.txtTMagma}, {u.Label1, u.txtTInit}, {u.Label2, u.txtPInit}, {u.Label10, u.txtPfin},
            {u.Label7, u.txtR},      {u.Label9, u.txtXmix},  {u.Label5, u.txtSInit}, {u.Label6, u.txtCvInit}};
        for (const auto& [label, box] : captions)
            QCOMPARE(label->buddy(), box);
    }

    void interactionType_toggledWithoutMouse_followsOnlyOnAChange()
    {
        TestSession t;
        const InputWidgets& u = t.ui();
        // A screen reader's toggle
        QAccessibleInterface* sediment = QAccessible::queryAccessibleInterface(u.optSM);
        QVERIFY(sediment != nullptr && sediment->actionInterface() != nullptr);
        sediment->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        expectInteractionType(u, true, "1.00");
        // The keyboard's way back
        u.optSM->setFocus();
        QTest::keyClick(u.optSM, Qt::Key_Up);
        expectInteractionType(u, false, "--");

        // The selected option chosen again keeps what was typed
        u.txtR->setText("0.9");
        u.optWM->click();
        QCOMPARE(u.txtR->text(), QString("0.9"));
        u.optSM->setChecked(true);
        u.txtXmix->setText("0.4");
        u.optSM->click();
        QCOMPARE(u.txtXmix->text(), QString("0.4"));
        QCOMPARE(u.txtR->text(), QString("0.9"));
    }

    void enterKey_inEachBox_movesOnOrContinues()
    {
        TestSession t;
        const InputWidgets& u = t.ui();
        const std::pair<QLineEdit*, QWidget*> moves[]
            = {{u.txtTMagma, u.txtTInit}, {u.txtTInit, u.txtPInit}, {u.txtPInit, u.txtPfin}, {u.txtPfin, u.txtR}};
        for (const auto& [from, to] : moves) {
            const QString before = from->text();
            QTest::keyClick(from, Qt::Key_Return);
            QCOMPARE(t.main().focusWidget(), to);
            QCOMPARE(from->text(), before);
        }
        // Clicked into, a box is selected whole, so that typing replaces the entry.
        QTest::mouseClick(u.txtTMagma, Qt::LeftButton);
        QTRY_COMPARE(u.txtTMagma->selectedText(), QString("1473"));
        u.optSM->click();
        QTest::keyClick(u.txtR, Qt::Key_Return);
        QCOMPARE(t.main().focusWidget(), u.txtXmix);
        QTest::keyClick(u.txtXmix, Qt::Key_Return);
        QCOMPARE(t.main().focusWidget(), u.Command1);
        QVERIFY(t.session->calcWindow() == nullptr);

        u.optWM->click();
        QTest::keyClick(u.txtR, Qt::Key_Return);
        QVERIFY(t.session->calcWindow() != nullptr);
    }

    void shortFile_open_refusedAndNothingChanged()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("short.qrv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int line = 1; line <= 24; ++line)
            file.write("\"1.00\"\r\n");
        file.close();
        TestSession t;
        t.open(path);
        QCOMPARE(t.dialogs.lastFolder, t.session->dataPath());
        QCOMPARE(t.presenter.shown.size(), 1);
        QVERIFY(t.presenter.shown[0].text.startsWith("Open error: "));
        QCOMPARE(t.presenter.shown[0].icon, Icon::Information);
        QVERIFY(t.results() == nullptr);
        QCOMPARE(t.session->store().count(), 0);
        QCOMPARE(t.ui().txtTMagma->text(), QString("1473"));
        QVERIFY(t.main().isEnabled());
        // Cancelled: nothing at all
        t.open(QString());
        QCOMPARE(t.presenter.shown.size(), 1);
    }

    void movedWindow_quitAndStartAgain_positionAndDataFolderRemembered()
    {
        QString dataPath;
        {
            TestSession first;
            dataPath = first.session->dataPath();
            QVERIFY(dataPath.endsWith("/Tarvel/QRV/"));
            QVERIFY(QDir(dataPath).exists());
            first.main().move(120, 90);
            first.ui().Command3->click();
        }
        QSettings settings(QStringLiteral("Tarvel"), QStringLiteral("QRV"));
        QCOMPARE(settings.value("DataPath").toString(), dataPath);
        QVERIFY(settings.value("MainLeft").toInt() > 0);

        TestSession second;
        QCOMPARE(second.main().pos(), QPoint(120, 90));
        QCOMPARE(second.session->dataPath(), dataPath);

        // A position on no screen is not restored.
        settings.setValue("MainLeft", 9000000);
        settings.sync();
        TestSession third;
        QVERIFY(third.main().pos().x() < 5000);
    }
};

QRV_GUI_TEST_MAIN(FrmMainTest)
#include "test_frmmain.moc"

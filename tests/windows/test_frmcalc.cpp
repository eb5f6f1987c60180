// The equilibrium window: <Back to unchanged inputs, Continue into the results window, and
// closing it from the title bar.
#include "tests/windows/guitestsupport.h"

#include "display/equilibriumwindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>

using namespace qrv;
using namespace qrv::test;

class FrmCalcTest : public QObject {
    Q_OBJECT
private slots:
    void loaded_everyDescribedControlIsAWidgetAsDesigned();
    void shown_back_inputWindowRestoredWithItsInputs();
    void shown_closeFromTitleBar_sameAsBack();
    void backThenContinueAgain_continue_recomputesFromTheBoxes();
    void shown_help_helpOpensAtTheEquilibriumTopic();
};

void FrmCalcTest::loaded_everyDescribedControlIsAWidgetAsDesigned()
{
    FrmCalc window;
    verifyBuiltAsDescribed(window, equilibriumwindow::kDescription);
    QVERIFY(window.continueButton()->isDefault());
    QCOMPARE(window.findChild<QLabel*>("labT0")->toolTip(), QString("Initial equilibrium state of water"));
}

void FrmCalcTest::shown_back_inputWindowRestoredWithItsInputs()
{
    TestSession t;
    InputWidgets(t.main()).txtR->setText("0.45");
    InputWidgets(t.main()).Command1->click();
    const float equilibriumT = t.session->state().TEq;

    t.session->calcWindow()->backButton()->click();

    QTRY_VERIFY(t.session->calcWindow() == nullptr);
    QVERIFY(t.main().isEnabled() && !t.main().isMinimized());
    QVERIFY(!InputWidgets(t.main()).Frame1->isVisibleTo(&t.main()));
    QCOMPARE(t.main().focusWidget(), InputWidgets(t.main()).txtR);
    QCOMPARE(InputWidgets(t.main()).txtR->text(), QString("0.45"));
    QCOMPARE(t.session->state().TEq, equilibriumT);
    QVERIFY(t.session->resultsWindow() == nullptr);
}

void FrmCalcTest::shown_closeFromTitleBar_sameAsBack()
{
    TestSession t;
    InputWidgets(t.main()).Command1->click();
    t.session->calcWindow()->close();
    QTRY_VERIFY(t.session->calcWindow() == nullptr);
    QVERIFY(t.main().isEnabled());
}

void FrmCalcTest::backThenContinueAgain_continue_recomputesFromTheBoxes()
{
    TestSession t;
    InputWidgets(t.main()).Command1->click();
    t.session->calcWindow()->backButton()->click();
    QTRY_VERIFY(t.session->calcWindow() == nullptr);
    InputWidgets(t.main()).txtR->setText("0.6");

    InputWidgets(t.main()).Command1->click();

    QCOMPARE(t.session->calcWindow()->findChild<QLabel*>("labInitR")->text(), QString("R = 0.600"));
    t.session->calcWindow()->continueButton()->click();
    QTRY_VERIFY(t.session->calcWindow() == nullptr);
    QCOMPARE(t.session->resultsWindow()->findChild<QLabel*>("LabR")->text(), QString("0.600"));
}

void FrmCalcTest::shown_help_helpOpensAtTheEquilibriumTopic()
{
    TestSession t;
    InputWidgets(t.main()).Command1->click();
    t.session->calcWindow()->helpButton()->click();
    QVERIFY(t.session->helpWindow() != nullptr && t.session->helpWindow()->isVisible());
    QCOMPARE(t.session->helpWindow()->browser()->source().fragment(), QString("topic3"));
    QVERIFY(t.session->helpWindow()->browser()->toPlainText().contains("The equilibrium window"));

    t.session->calcWindow()->backButton()->click();
    InputWidgets(t.main()).Command3->click();
    QVERIFY(!t.session->helpWindow() || !t.session->helpWindow()->isVisible());
}

QRV_GUI_TEST_MAIN(FrmCalcTest)
#include "test_frmcalc.moc"

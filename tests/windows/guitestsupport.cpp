#include "tests/windows/guitestsupport.h"

#include "display/ratioline.h"
#include "files/resultsfile.h"
#include "runs/runner.h"
#include "runs/runstore.h"
#include "runs/startupvalues.h"
#include "model/calcstate.h"

#include "windows/describedwindow.h"
#include "windows/valuelabel.h"
#include "windows/widgethost.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace qrv::test {

QString ScriptedDialogs::openResultsPath(QWidget*, const QString& folder)
{
    lastFolder = folder;
    return openAnswer;
}

QString ScriptedDialogs::saveResultsPath(QWidget*, const QString& folder)
{
    lastFolder = folder;
    return saveAnswer;
}

bool writeWaterRun(const QString& path, const QString& tMagma, const QString& tInit)
{
    ResultTexts texts;
    texts.fill("1.00");
    texts[0] = kWaterRatioCaption;
    texts[1] = "0.300";
    texts[2] = tMagma.toStdString();
    texts[3] = tInit.toStdString();
    texts[4] = "0.10";
    texts[5] = "0.10";
    return writeResultsFile(QFile::encodeName(path).toStdString(), texts).empty();
}

QString vaptabProgram()
{
    return qEnvironmentVariable("QRV_TEST_VAPTAB");
}

namespace {

bool isKind(const QWidget* widget, Look look)
{
    switch (look) {
    case Look::Copyable: return qobject_cast<const ValueLabel*>(widget) != nullptr;
    case Look::Frame: return qobject_cast<const QGroupBox*>(widget) != nullptr;
    case Look::Button:
    case Look::RunButton:
    case Look::HelpButton: return qobject_cast<const QPushButton*>(widget) != nullptr;
    case Look::CheckBox: return qobject_cast<const QCheckBox*>(widget) != nullptr;
    default:
        return qobject_cast<const QLabel*>(widget) != nullptr && qobject_cast<const ValueLabel*>(widget) == nullptr;
    }
}

} // namespace

void verifyBuiltAsDescribed(const QWidget& window, const WindowDescription& description)
{
    QCOMPARE(window.objectName(), qtName(description.name));
    QStringList described;
    forEachControl(description, [&](const Control& control) { described.append(qtName(control.name)); });
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            QVERIFY2(described.contains(name), qPrintable(name + " is not described"));
    }

    forEachControl(description, [&](const Control& control) {
        const QString name = qtName(control.name);
        const QList<QWidget*> widgets = window.findChildren<QWidget*>(name);
        QVERIFY2(widgets.size() == 1, qPrintable(name));
        const QWidget* widget = widgets.front();
        QVERIFY2(isKind(widget, control.look), qPrintable(name));
        if (control.look != Look::HelpButton)
            QCOMPARE(controlText(widget), qtName(control.design));
        QCOMPARE(widget->toolTip(), qtName(control.tooltip));
        QCOMPARE(widget->font().bold(), control.bold);
        QCOMPARE(widget->isVisibleTo(&window), control.look != Look::ErrorMark);
        QCOMPARE(widget->isEnabled(), control.look != Look::RunButton);
        if (control.look == Look::Copyable || control.look == Look::Shown) {
            const Rgb rgb = control.background;
            QCOMPARE(widget->palette().color(QPalette::Window), QColor(rgb.red, rgb.green, rgb.blue));
        }
        if (control.look == Look::ErrorMark)
            QCOMPARE(widget->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        if (control.look == Look::CheckBox)
            QVERIFY2(qobject_cast<const QCheckBox*>(widget)->isChecked(), qPrintable(name));
    });
}

void isolateUserFolders()
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/qrv-gui-test-XXXXXX"));
    if (!folder.isValid())
        qFatal("no temporary home");
    const QByteArray home = QFile::encodeName(folder.path());
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", home + "/config");
    qputenv("XDG_DATA_HOME", home + "/data");
    // The single-instance socket of the tests' programs, apart from any other program's.
    QDir().mkpath(folder.path() + QStringLiteral("/runtime"));
    QFile::setPermissions(folder.path() + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", home + "/runtime");
    qputenv("USER", "qrv-test-" + home.right(6));
}

TestSession::TestSession(const QString& vaptab)
    : session(std::make_unique<Session>(presenter, dialogs, vaptab.isEmpty() ? vaptabProgram() : vaptab))
{
    // A control the routines name that the window lacks fails the test, not only the log.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^No control ")));
    session->host().setPauseScale(0);
    session->link().setStartWaitMs(0);
    session->start();
    if (AboutWindow* about = session->aboutWindow())
        about->close();
}

TestSession::~TestSession() = default;

void TestSession::setInputs(const QString& tMagma, const QString& tInit, const QString& pInit, const QString& pFinal,
                            const QString& ratio)
{
    const InputWidgets u(main());
    u.txtTMagma->setText(tMagma);
    u.txtTInit->setText(tInit);
    u.txtPInit->setText(pInit);
    u.txtPfin->setText(pFinal);
    u.txtR->setText(ratio);
}

void TestSession::runToResults()
{
    InputWidgets(main()).Command1->click();
    QVERIFY(session->calcWindow() != nullptr);
    session->calcWindow()->continueButton()->click();
}

namespace {

// The window's one widget of that name and kind; a missing one ends the test binary, which
// has nothing to test without it.
template <typename Widget>
Widget* find(const QWidget& window, const char* name)
{
    auto* widget = window.findChild<Widget*>(QLatin1String(name));
    if (widget == nullptr)
        qFatal("the input window has no %s", name);
    return widget;
}

} // namespace

InputWidgets::InputWidgets(const FrmMain& window)
    : frInit(find<std::remove_pointer_t<decltype(frInit)>>(window, "frInit")),
      Label3(find<std::remove_pointer_t<decltype(Label3)>>(window, "Label3")),
      Label1(find<std::remove_pointer_t<decltype(Label1)>>(window, "Label1")),
      Label2(find<std::remove_pointer_t<decltype(Label2)>>(window, "Label2")),
      Label10(find<std::remove_pointer_t<decltype(Label10)>>(window, "Label10")),
      Label7(find<std::remove_pointer_t<decltype(Label7)>>(window, "Label7")),
      Label9(find<std::remove_pointer_t<decltype(Label9)>>(window, "Label9")),
      txtTMagma(find<std::remove_pointer_t<decltype(txtTMagma)>>(window, "txtTMagma")),
      txtTInit(find<std::remove_pointer_t<decltype(txtTInit)>>(window, "txtTInit")),
      txtPInit(find<std::remove_pointer_t<decltype(txtPInit)>>(window, "txtPInit")),
      txtPfin(find<std::remove_pointer_t<decltype(txtPfin)>>(window, "txtPfin")),
      txtR(find<std::remove_pointer_t<decltype(txtR)>>(window, "txtR")),
      txtXmix(find<std::remove_pointer_t<decltype(txtXmix)>>(window, "txtXmix")),
      optWM(find<std::remove_pointer_t<decltype(optWM)>>(window, "optWM")),
      optSM(find<std::remove_pointer_t<decltype(optSM)>>(window, "optSM")),
      Command1(find<std::remove_pointer_t<decltype(Command1)>>(window, "Command1")),
      cmdSweep(find<std::remove_pointer_t<decltype(cmdSweep)>>(window, "cmdSweep")),
      cmdOpen(find<std::remove_pointer_t<decltype(cmdOpen)>>(window, "cmdOpen")),
      cmdAbout(find<std::remove_pointer_t<decltype(cmdAbout)>>(window, "cmdAbout")),
      cmdHelpContents(find<std::remove_pointer_t<decltype(cmdHelpContents)>>(window, "cmdHelpContents")),
      Command3(find<std::remove_pointer_t<decltype(Command3)>>(window, "Command3")),
      Frame1(find<std::remove_pointer_t<decltype(Frame1)>>(window, "Frame1")),
      Label5(find<std::remove_pointer_t<decltype(Label5)>>(window, "Label5")),
      Label6(find<std::remove_pointer_t<decltype(Label6)>>(window, "Label6")),
      Label8(find<std::remove_pointer_t<decltype(Label8)>>(window, "Label8")),
      txtSInit(find<std::remove_pointer_t<decltype(txtSInit)>>(window, "txtSInit")),
      txtCvInit(find<std::remove_pointer_t<decltype(txtCvInit)>>(window, "txtCvInit")),
      optCV(find<std::remove_pointer_t<decltype(optCV)>>(window, "optCV")),
      optSext(find<std::remove_pointer_t<decltype(optSext)>>(window, "optSext")),
      txtVaptab(find<std::remove_pointer_t<decltype(txtVaptab)>>(window, "txtVaptab")),
      cmdCalc(find<std::remove_pointer_t<decltype(cmdCalc)>>(window, "cmdCalc")),
      Command2(find<std::remove_pointer_t<decltype(Command2)>>(window, "Command2")),
      cmdHelp(find<std::remove_pointer_t<decltype(cmdHelp)>>(window, "cmdHelp"))
{
}

void expectInteractionType(const InputWidgets& u, bool sediment, const QString& fraction)
{
    QCOMPARE(u.optSM->isChecked(), sediment);
    QCOMPARE(u.optWM->isChecked(), !sediment);
    QCOMPARE(u.Label7->text(), sediment ? QString("Sediment/Magma Ratio (Rs):") : QString("Water/Magma Ratio (R):"));
    QCOMPARE(u.txtXmix->isEnabled(), sediment);
    QCOMPARE(u.Label9->isEnabled(), sediment);
    QCOMPARE(u.txtXmix->text(), fraction);
}

EngineReference::EngineReference(const InputTexts& inputs)
{
    CalcState state;
    SetDefaults(state, host);
    RunStore store;
    RunRequest request;
    request.inputs = inputs;
    runCalculation(state, store, host, request);
}

} // namespace qrv::test

#include "tests/windows/guitestsupport.h"

#include "engine/calcstate.h"
#include "engine/ratioline.h"
#include "engine/resultsfile.h"
#include "engine/runner.h"
#include "engine/runstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QPushButton>

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

void isolateUserFolders()
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/qrv-gui-test-XXXXXX"));
    if (!folder.isValid())
        qFatal("no temporary home");
    const QByteArray home = QFile::encodeName(folder.path());
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", home + "/config");
    qputenv("XDG_DATA_HOME", home + "/data");
    qputenv("USER", "qrv-test-" + home.right(6));
}

TestSession::TestSession(const QString& vaptab)
    : session(std::make_unique<Session>(presenter, dialogs, vaptab.isEmpty() ? vaptabProgram() : vaptab))
{
    session->host().setPauseScale(0);
    session->link().setStartWaitMs(0);
    session->start();
    if (AboutWindow* about = session->aboutWindow())
        about->close();
}

TestSession::~TestSession() = default;

void TestSession::setInputs(const QString& tMagma, const QString& tInit, const QString& pInit,
                            const QString& pFinal, const QString& ratio)
{
    const FrmMainControls& u = main().ui();
    u.txtTMagma->setText(tMagma);
    u.txtTInit->setText(tInit);
    u.txtPInit->setText(pInit);
    u.txtPfin->setText(pFinal);
    u.txtR->setText(ratio);
}

void TestSession::runToResults()
{
    main().ui().Command1->click();
    QVERIFY(session->calcWindow() != nullptr);
    session->calcWindow()->continueButton()->click();
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

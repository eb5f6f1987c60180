// What the window tests share: a session whose message boxes and file dialogs are recorded
// and scripted instead of shown, settings and documents in a private folder, short pauses.
#pragma once

#include "runs/inputrules.h"
#include "display/recordinghost.h"
#include "display/windowdescription.h"
#include "plot/plotview.h"
#include "windows/filedialogs.h"
#include "windows/link/linkvaptab.h"
#include "windows/messagepresenter.h"
#include "windows/session.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QList>
#include <QPushButton>
#include <QString>
#include <QTest>

#include <memory>
#include <type_traits>

namespace qrv::test {

struct ShownMessage {
    QString text;
    Icon icon;
};

class RecordingPresenter : public MessagePresenter {
public:
    void show(const QString& text, Icon icon) override { shown.append({text, icon}); }
    QList<ShownMessage> shown;
};

class ScriptedDialogs : public FileDialogs {
public:
    QString openResultsPath(QWidget*, const QString& folder) override;
    QString saveResultsPath(QWidget*, const QString& folder) override;
    QString openAnswer; // empty: the user cancels
    QString saveAnswer;
    QString lastFolder;
};

// Counts what the windows ask of the plot window.
class CountingPlotView : public PlotView {
public:
    void showAndPlot() override { ++shown; }
    void plotIfVisible() override { ++redrawn; }
    void showMap(MapStudy study, MapResult result) override
    {
        map = std::move(study);
        mapResult = std::move(result);
        ++mapsShown;
    }
    int shown = 0;
    int redrawn = 0;
    int mapsShown = 0;
    MapStudy map;
    MapResult mapResult;
};

// The input window's widgets, found by their object names as a user finds them on screen.
struct InputWidgets {
    explicit InputWidgets(const FrmMain& window);

    QGroupBox* frInit;
    QLabel *Label3, *Label1, *Label2, *Label10, *Label7, *Label9;
    QLineEdit *txtTMagma, *txtTInit, *txtPInit, *txtPfin, *txtR, *txtXmix;
    QRadioButton *optWM, *optSM;
    QPushButton *Command1, *cmdSweep, *cmdOpen, *cmdAbout, *cmdHelpContents, *Command3;

    QGroupBox* Frame1;
    QLabel *Label5, *Label6, *Label8;
    QLineEdit *txtSInit, *txtCvInit;
    QRadioButton *optCV, *optSext;
    QPlainTextEdit* txtVaptab;
    QPushButton *cmdCalc, *Command2, *cmdHelp;
};

// A started session; `vaptab` empty uses the steam-table program built with the tests.
struct TestSession {
    explicit TestSession(const QString& vaptab = {});
    ~TestSession();

    RecordingPresenter presenter;
    ScriptedDialogs dialogs;
    std::unique_ptr<Session> session;

    FrmMain& main() const { return *session->mainWindow(); }
    InputWidgets ui() const { return InputWidgets(main()); }
    FrmResults* results() const { return session->resultsWindow(); }
    bool lowerPaneShown() const { return ui().Frame1->isVisibleTo(&main()); }
    // Open, with the file dialog answering `path`.
    void open(const QString& path)
    {
        dialogs.openAnswer = path;
        ui().cmdOpen->click();
    }
    void setInputs(const QString& tMagma, const QString& tInit, const QString& pInit, const QString& pFinal,
                   const QString& ratio);
    // Types the inputs, presses Continue and, on the equilibrium window, Continue.
    void runToResults();
};

// The input window set for sediment/magma (or water/magma) runs, the water fraction box
// holding `fraction`.
void expectInteractionType(const InputWidgets& u, bool sediment, const QString& fraction);

// The engine alone, from the same input texts, S and Cv: what the windows must show.
struct EngineReference {
    EngineReference(const InputTexts& inputs);
    RecordingHost host;
};

QString vaptabProgram();

// Every control of the description is one widget of the window with the control's name,
// kind, design caption, tooltip, type, colours and start-up state, and every named widget
// of the window is described.
void verifyBuiltAsDescribed(const QWidget& window, const WindowDescription& description);

// A results file at `path` of a water/magma run with these temperatures and otherwise the
// start-up inputs, as Save writes it; false when it could not be written.
bool writeWaterRun(const QString& path, const QString& tMagma, const QString& tInit);

// Before the application object: settings, documents and the single-instance name in a
// private temporary home.
void isolateUserFolders();

} // namespace qrv::test

#define QRV_GUI_TEST_MAIN(TestClass)                                                                                   \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        qrv::test::isolateUserFolders();                                                                               \
        QApplication app(argc, argv);                                                                                  \
        QApplication::setQuitOnLastWindowClosed(false);                                                                \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }

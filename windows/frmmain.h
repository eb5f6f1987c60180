// The input window: the run inputs in the upper pane, the initial water's entropy and Cv in
// the lower pane that is shown only while the user is asked for them.
#pragma once

#include "windows/chainwindow.h"

#include <string>
#include <string_view>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace qrv {

struct ContinueResult;
struct InputTexts;

class FrmMain : public ChainWindow {
    Q_OBJECT
public:
    explicit FrmMain(QWidget* parent = nullptr);

    // The run's inputs as typed, and the interaction type chosen.
    InputTexts inputs() const;
    // A run's inputs, as a results file holds them: the interaction type follows them.
    void showInputs(const InputTexts& inputs);
    // What Continue rewrote: the water fraction as "0.00", the initial pressure raised to its floor.
    void showContinued(const ContinueResult& continued);
    // The interaction type chosen: the ratio box's caption, the water-fraction box usable in
    // sediment mode, and `value` (the calculation's water fraction in sediment mode, its ratio
    // otherwise) in the box that the type brings back.
    void showInteraction(bool sediment, std::string_view value);

    // The initial water's S and Cv as typed, and whether it is heated at constant volume.
    std::string entropyText() const;
    std::string cvText() const;
    bool constantVolume() const;
    void showInitialWater(std::string_view entropy, std::string_view cv);
    // The steam-table program's answer in the boxes, which stay editable, the entropy's focused.
    void showSteamTableAnswer(std::string_view entropy, std::string_view cv);

    // Asks for S and Cv: the lower pane opens with its boxes and the steam-table output empty,
    // and only it takes input.
    void showSteamTableRequest();
    // What the steam-table program printed, its end in view.
    void showSteamTableOutput(const QString& text);
    // Whether typed S and Cv are still asked for (the pane is up and Calculate usable).
    bool asksForInitialWater() const;
    // Cancel: the boxes empty, the pane closed, the upper pane takes input again.
    void endSteamTableRequest();
    // The lower pane; the window takes the height it needs.
    void showLowerPane(bool shown);
    // Enabled sets: the upper pane at rest, or only the lower pane during a steam-table request.
    void setSteamTableRequest(bool active);
    // The window back in front, taking input at the ratio box, with no request pending.
    void takeInput();
    void focusCalculate();

signals:
    void continueRequested();
    void sweepRequested();
    void calculateRequested();
    void cancelRequested();
    void quitRequested();
    void openRequested();
    void aboutRequested();
    void helpRequested();
    void helpContentsRequested();
    // Mouse, keyboard and screen readers all toggle; choosing the selected option again is no change.
    void interactionChosen(bool sediment);

private:
    struct Widgets {
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

    void buildUpperPane();
    void buildLowerPane();
    void connectEnterMoves();
    void connectRequests();

    Widgets m_ui{};
};

} // namespace qrv

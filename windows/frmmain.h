// The input window: the run inputs in the upper pane, the initial water's entropy and Cv in
// the lower pane that is shown only while the user is asked for them.
#pragma once

#include "windows/chainwindow.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace qrv {

struct FrmMainControls {
    QGroupBox* frInit;
    QLabel *Label3, *Label1, *Label2, *Label10, *Label7, *Label9;
    QLineEdit *txtTMagma, *txtTInit, *txtPInit, *txtPfin, *txtR, *txtXmix;
    QRadioButton *optWM, *optSM;
    QPushButton *Command1, *cmdSweep, *cmdOpen, *cmdAbout, *cmdHelpContents, *Command3;

    QGroupBox* Frame1;
    QLabel *Label5, *Label6, *Label8;
    QLineEdit *txtSInit, *txtCvInit;
    QRadioButton *optCV, *optSext;
    QPlainTextEdit* txtVaptab; // what the steam-table program printed
    QPushButton *cmdCalc, *Command2, *cmdHelp;
};

class FrmMain : public ChainWindow {
    Q_OBJECT
public:
    explicit FrmMain(QWidget* parent = nullptr);

    const FrmMainControls& ui() const { return m_ui; }

    // The lower pane; the window takes the height it needs.
    void showLowerPane(bool shown);
    // Enabled sets: the upper pane at rest, or only the lower pane during a steam-table request.
    void setSteamTableRequest(bool active);

private:
    void buildUpperPane();
    void buildLowerPane();
    void connectEnterMoves();

    FrmMainControls m_ui{};
};

} // namespace qrv

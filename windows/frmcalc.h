// The equilibrium window, built from its description (display/equilibriumwindow.h): the state
// of the heated water before expansion, and the gate to the expansion paths ("Continue") or
// back to the inputs ("<Back").
#pragma once

#include "windows/chainwindow.h"

class QPushButton;

namespace qrv {

class FrmCalc : public ChainWindow {
    Q_OBJECT
public:
    explicit FrmCalc(QWidget* parent = nullptr);

    QPushButton* backButton() const { return m_back; }
    QPushButton* helpButton() const { return m_help; }
    QPushButton* continueButton() const { return m_continue; }

private:
    QPushButton* m_back;
    QPushButton* m_help;
    QPushButton* m_continue;
};

} // namespace qrv

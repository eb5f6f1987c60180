// The input window's part of the road: Continue, the steam-table request that asks the user
// for the initial water's S and Cv, Calculate (the equilibrium window follows), Cancel and
// Open.
#pragma once

#include "runs/inputrules.h"

#include <QObject>

#include <optional>

namespace qrv {

class FrmMain;
class Session;

class InputRoad : public QObject {
    Q_OBJECT
public:
    explicit InputRoad(Session& session);

    // Connects the input window's buttons of this road.
    void attach(FrmMain& main);

    // The input window takes input again, with no steam-table request pending.
    void restore();
    // The last equilibrium calculation succeeded: its state can be expanded (ReCalculate).
    bool equilibriumStands() const { return m_equilibriumStands; }

private:
    void continueInputs();
    void beginSteamTableRequest();
    void showSteamTableOutput();
    void fillSteamTableValues(double entropy, double cv);
    void calculate();
    void cancelSteamTableRequest();
    void openResults();

    Session& m_session;
    // The water whose S and Cv the lower pane asks for, while it does.
    std::optional<WaterState> m_askedWater;
    qsizetype m_transcriptStart = 0;
    bool m_equilibriumStands = false;
};

} // namespace qrv

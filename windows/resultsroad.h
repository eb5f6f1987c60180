// The equilibrium and results windows' part of the road: Continue to the results, ReCalculate,
// Back, New, Finished, Save, Copy All, Plot, and a results file opened into the results
// window.
#pragma once

#include <QObject>

namespace qrv {

class FrmCalc;
class FrmResults;
class InputRoad;
class Session;

class ResultsRoad : public QObject {
    Q_OBJECT
public:
    // Back and New hand the input window back to `input`.
    ResultsRoad(Session& session, InputRoad& input);

    // Connects the buttons of a newly loaded window.
    void attach(FrmCalc& calc);
    void attach(FrmResults& results);

    void openResultsFile(const QString& path);
    void plotDataCleared();

private:
    void continueToResults();
    void expand();
    void backToInputs();
    void newCalculation();
    void finish();
    void saveResults();
    void copyAll();
    void plot();

    Session& m_session;
    InputRoad& m_input;
};

} // namespace qrv

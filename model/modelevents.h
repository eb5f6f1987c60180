// What the closed-form model tells the program around it while it calculates: a routine
// that stopped at an arithmetic fault, a warning about the method, the kind of final state a
// path reached, the points where that progress is worth holding on screen, and the
// equilibrium it found. The model says what happened; how it is shown is the listener's.
#pragma once

#include "model/real.h"

#include <string_view>

namespace qrv {

struct CalcState;

enum class ModelWarning {
    RedlichKwongOutOfRange,   // the constant-volume pressure is beyond the equation's range
    RedlichKwongExtrapolation, // it came out negative; entropy extrapolation took over
};

// The final state an expansion path is heading for, or that it entered the steam dome.
enum class PathStage { TwoPhase, Superheated, Supercooled, Supercritical, IntoSteamDome };

class ModelEvents {
public:
    virtual ~ModelEvents() = default;

    // A routine (named as the program has always named it: "StateSat") stopped at a fault.
    void fault(std::string_view routine, EngineFault fault)
    {
        countFault();
        faultReported(routine, fault);
    }
    // How many faults were reported so far: a caller tells whether the routines it ran
    // failed, wherever inside them that happened.
    int faultsReported() const { return m_faults; }

    virtual void warning(ModelWarning warning) = 0;
    virtual void pathStage(PathStage stage) = 0;
    // A step of the calculation is done; what it showed may be held for the reader.
    virtual void holdProgress() = 0;
    // The equilibrium routine reached its end with this state.
    virtual void equilibriumFound(const CalcState& s) = 0;

protected:
    virtual void faultReported(std::string_view routine, EngineFault fault) = 0;
    // For a listener that also counts faults of routines above the model.
    void countFault() { ++m_faults; }

private:
    int m_faults = 0;
};

} // namespace qrv

// The one calculation of every face: a run's inputs in, its typed result out. Each run starts
// fresh; the initial water's S and Cv come from the request, from the input rules or, where
// the rules would ask the steam-table program, from IAPWS-95 exactly as that program answers.
#pragma once

#include "calculation/runresult.h"

namespace qrv {

struct CalculateOptions {
    // Kept: the windows' texts, for a report, Copy All or a results file.
    WindowTexts texts = WindowTexts::Kept;
    // The IAPWS-95 reference of a run whose paths ran; the desktop program's sweeps leave it
    // to the plot window, which works it when it draws.
    bool reference = true;
};

// Runs one after another with the same options; a sweep keeps one, so that the steam-table
// answer for its water is worked once.
class Calculator {
public:
    explicit Calculator(CalculateOptions options = {}) : m_options(options), m_runner(options.texts) {}

    RunResult run(const RunRequest& request);

private:
    CalculateOptions m_options;
    FreshRunner m_runner;
};

RunResult calculate(const RunRequest& request, CalculateOptions options = {});

} // namespace qrv

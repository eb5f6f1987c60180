// A ratio sweep in the desktop program: the input window's texts checked once as Continue
// checks them, then one run per ratio, each a fresh start as a single run would be, appended
// to the program's store. Nothing here shows a window, so tests and benchmarks drive it alone.
#pragma once

#include "runs/inputrules.h"
#include "runs/runner.h"
#include "calculation/sweepfamily.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace qrv {

class EngineHost;
class RecordingHost;
class RunStore;

// Continue's checks on a fresh state, as every run of a sweep or a map gets: they refuse
// exactly what they would refuse for a single run after start-up. The messages go to `host`.
bool continueRefuses(const InputTexts& texts, RecordingHost& host);

class SweepProgress {
public:
    virtual ~SweepProgress() = default;
    // Called after each run; false stops the sweep before the next one.
    virtual bool advance(int done, int total) = 0;
};

struct SweepMessage {
    double ratio = 0;
    std::string text;
    std::string member; // the family member's label, "TMagma 1073 K"; empty without a family
};

struct SweepReport {
    int done = 0;   // ratios run
    int stored = 0; // runs appended to the store
    // Per family member: the store index of its first stored run, 0 when it stored none.
    std::vector<int> memberRuns;
    bool cancelled = false;
    std::vector<SweepMessage> messages; // every run's message boxes, in order
    std::string refusal; // why the sweep stopped: the initial water has no S and Cv in IAPWS-95
};

class RatioSweeper {
public:
    // Validation messages go to `host` at once; the runs' own messages are collected instead.
    RatioSweeper(RunStore& store, EngineHost& host);

    // How many more runs the store takes.
    int room() const;
    // Why `count` runs cannot be added; empty when they fit.
    std::string capacityRefusal(std::size_t count) const;

    // The request every ratio runs with: the texts, checked as Continue checks them with
    // `firstRatio` in the ratio box, for every member of the family. None after a validation
    // message, before anything runs.
    std::optional<RunRequest> prepare(InputTexts texts, bool constantVolume, double firstRatio,
                                      const SweepFamily& family = {});

    // Runs every ratio for every member unless the store lacks room (then nothing runs), the
    // initial water has no S and Cv in IAPWS-95 (the refusal says so) or `progress` stops it.
    SweepReport run(const RunRequest& request, const std::vector<double>& ratios, SweepProgress& progress,
                    const SweepFamily& family = {});

private:
    RunStore& m_store;
    EngineHost& m_host;
};

// One box for a sweep's messages: a line per message with its ratio, at most `maxLines` of them
// and then how many more there were.
std::string sweepMessageSummary(const std::vector<SweepMessage>& messages, std::size_t maxLines = 12);

} // namespace qrv

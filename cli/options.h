// The command line of qrv-cli: three commands and their options, checked strictly.
#pragma once

#include "cli/sweepchart.h"
#include "engine/runner.h"
#include "engine/sweepfamily.h"

#include <optional>
#include <string>
#include <variant>

namespace qrv::cli {

struct RunCommand {
    RunRequest request;
    bool json = false;
    std::optional<std::string> qrvPath;
};

struct SweepCommand {
    RunRequest request; // the ratio text is filled per run
    double from = 0, to = 0, step = 0;
    SweepFamily family; // every ratio is run once per member
    bool csv = false;
    bool json = false; // one JSON object per run, a line each
    std::optional<std::string> qrvDir; // one results file per run into this folder
    std::optional<ChartRequest> chart;
};

struct OpenCommand {
    std::string path;
    bool json = false;
};

struct HelpCommand {};

struct UsageError {
    std::string message;
};

using Command = std::variant<RunCommand, SweepCommand, OpenCommand, HelpCommand, UsageError>;

Command parseCommandLine(int argc, const char* const* argv);

// What to type, for errors and --help.
extern const char* const kUsage;

} // namespace qrv::cli

// The command line of qrv-cli: its commands and their options, checked strictly. Each
// option is written once, in its command's table, with the line the help gives it.
#pragma once

#include "cli/sweepchart.h"
#include "runs/runner.h"
#include "calculation/montecarlo.h"
#include "calculation/runmap.h"
#include "calculation/sweepfamily.h"
#include "report/mapvalues.h"

#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

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
    bool peaks = false; // each curve's largest conversion ratio instead of the runs
};

// A map's picture: the file and its size, and the quantity coloured.
struct MapPlot {
    MapRequest picture;
    const MapZKey* z = nullptr;
};

struct MapCommand {
    MapStudy map;
    bool csv = false;
    std::optional<MapPlot> plot;
};

struct UncertaintyCommand {
    UncertaintyRequest request;
    bool json = false;
    bool csv = false; // every sample instead of the summary
    std::optional<HistogramsRequest> plot; // the outputs' histograms also drawn into a picture
};

struct OpenCommand {
    std::string path;
    bool json = false;
};

struct HelpCommand {
    std::string command; // empty: the help of every command
};

struct VersionCommand {};

struct UsageError {
    std::string message;
};

using Command = std::variant<RunCommand, SweepCommand, MapCommand, UncertaintyCommand, OpenCommand, HelpCommand,
                             VersionCommand, UsageError>;

Command parseCommandLine(int argc, const char* const* argv);

enum class Value { None, Number, Text, Range };

// One value an option takes from a fixed list, for the help.
struct Choice {
    std::string key;
    std::string meaning;
};

struct OptionSpec {
    std::string_view name;
    Value value;
    std::string_view placeholder; // the value in the usage: "K", "FILE"; empty for a switch
    std::string_view help;        // what it does, its unit, default and limits
    bool required = false;
    std::vector<Choice> (*choices)() = nullptr; // the values it takes, when from a list
};

struct CommandSpec {
    std::string_view name;
    std::string_view operand; // a positional argument: "FILE"; empty when there is none
    std::string_view operandHelp;
    std::string_view summary;     // one line, for the list of commands
    std::string_view description; // what it prints and does
    std::span<const OptionSpec> options;
};

// run, sweep, map, mc and open.
std::span<const CommandSpec> commandSpecs();

// The command of that name; null when there is none.
const CommandSpec* findCommand(std::string_view name);

} // namespace qrv::cli

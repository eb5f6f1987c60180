#include "cli/options.h"

#include "chart/ykeys.h"
#include "base/parsenumber.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace qrv::cli {

namespace {

// Larger pictures than this are refused rather than allocated.
constexpr int kMostChartPixels = 10000;

std::vector<Choice> familyChoices()
{
    std::vector<Choice> choices;
    for (const FamilyInputName& input : kFamilyInputs) {
        std::string meaning = "values of --" + std::string(input.key);
        if (!input.unit.empty())
            meaning += ", in " + std::string(input.unit);
        choices.push_back({std::string(input.key), meaning});
    }
    return choices;
}

std::vector<Choice> yChoices()
{
    std::vector<Choice> choices;
    for (const YKey& y : kYKeys)
        choices.push_back({std::string(y.key), std::string(y.quantity)});
    return choices;
}

// The inputs of one calculation, shared by run and sweep.
const OptionSpec kInputOptions[] = {
    {"--tmagma", Value::Number, "K",
     "magma temperature in K, above 298 K (the temperature from which the conversion ratio measures "
     "the magma's heat)", true},
    {"--tinit", Value::Number, "K",
     "temperature of the water (or of the wet sediment) in K, above 0 K; at 273 K and below the water "
     "starts as ice", true},
    {"--pinit", Value::Number, "MPa",
     "confining pressure of the water in MPa, above 0; below 0.002 MPa, the steam table's lowest row, "
     "it is raised to 0.002 MPa", true},
    {"--pfinal", Value::Number, "MPa", "ambient pressure, to which the water expands, in MPa, above 0", true},
    {"--x", Value::Number, "X",
     "wet sediment: the mass fraction of water in it, above 0 and at most 1; --r is then the "
     "sediment/magma ratio Rs. Default: water meets the magma alone"},
    {"--s", Value::Number, "S",
     "entropy of the initial water in J/(kg K), given together with --cv. Default: the values the "
     "input window holds or fixes for that water, or IAPWS-95 values where it would ask the steam "
     "table (a note on stderr says so)"},
    {"--cv", Value::Number, "CV",
     "heat capacity at constant volume of the initial water in J/(kg K), given together with --s"},
    {"--constvolume", Value::None, "",
     "heat the water at constant volume: the equilibrium pressure comes from the Redlich-Kwong "
     "equation at the initial water's volume; where that equation is out of range or gives a negative "
     "pressure, a message says so and the entropy extrapolation is used. Default: the entropy "
     "extrapolation, the only heating mode the input window offers"},
};

std::vector<OptionSpec> inputOptionsWith(std::initializer_list<OptionSpec> extra)
{
    std::vector<OptionSpec> specs(std::begin(kInputOptions), std::end(kInputOptions));
    specs.insert(specs.end(), extra);
    return specs;
}

const std::vector<OptionSpec> kRunOptions = inputOptionsWith({
    {"--r", Value::Number, "R", "water/magma mass ratio R (with --x the sediment/magma ratio Rs), above 0", true},
    {"--json", Value::None, "", "print the whole calculation as one JSON object instead of the windows' text"},
    {"--qrv", Value::Text, "FILE",
     "also save the run as a results file, as the results window's Save does; a run that did not "
     "complete writes none"},
});

const std::vector<OptionSpec> kSweepOptions = inputOptionsWith({
    {"--r", Value::Range, "FROM:TO:STEP",
     "the ratios FROM, FROM+STEP, ... up to TO (a last ratio that misses TO only by rounding "
     "included); STEP above 0, at most 100,000 ratios", true},
    {"--family", Value::Text, "INPUT=V1,V2,...",
     "run every ratio once for each value of one more input (that input's own option is then left "
     "out); each row starts with the member's value. INPUT is one of:", false, familyChoices},
    {"--csv", Value::None, "", "comma-separated rows (a note with a comma quoted) instead of tab-separated"},
    {"--json", Value::None, "",
     "one JSON object per run (JSON Lines, full precision; failed runs included) instead of the table; "
     "not with --csv"},
    {"--qrv-dir", Value::Text, "DIR",
     "save every completed run as a results file into DIR (made when missing), named in run order: "
     "run-01-R0.050.qrv, ...; with --family one folder per member: tmagma-1073/"},
    {"--plot", Value::Text, "FILE",
     "draw the runs as the plot window does into FILE, a picture chosen by its ending: .png, .svg or "
     ".pdf; at most 2,000 runs (ratios times members)"},
    {"--y", Value::Text, "KEY", "with --plot: the quantity on the Y axis, cr by default:", false, yChoices},
    {"--curve", Value::None, "",
     "with --plot: curves through the runs (shape-preserving, never beyond two neighbouring runs) "
     "instead of markers alone"},
    {"--reference", Value::None, "", "with --plot: the runs' IAPWS-95 reference beside them, dashed"},
    {"--size", Value::Text, "WxH",
     "with --plot: the picture's width and height in pixels, each 1 to 10000; default 1600x1000 (a PDF "
     "page takes its aspect)"},
});

const OptionSpec kOpenOptions[] = {
    {"--json", Value::None, "", "print the file as one JSON object instead of its lines"},
};

const CommandSpec kCommands[] = {
    {"run", "", "", "one calculation, from the inputs to both expansion paths",
     "One calculation, as the input window's Continue and Calculate and the equilibrium window's "
     "Continue make it, refused with the input window's messages (on stderr, exit status 2). Prints "
     "the equilibrium window, a blank line and the results window as its Copy All gives them (a "
     "caption, a tab and the values on each line), ending with the run's IAPWS-95 reference.",
     kRunOptions},
    {"sweep", "", "", "one calculation per ratio of a range: a table, results files or a chart",
     "One calculation per ratio, with the other inputs of run. Prints a header line and one row per "
     "completed run: the stored fields, then the IAPWS-95 columns. A failed ratio does not stop the "
     "sweep, which ends with \"N of M ratios failed\" on stderr.",
     kSweepOptions},
    {"open", "FILE", "a results file that QRV saved", "read a results file back",
     "Reads a results file back, as the input window's Open does, and prints its 25 lines and the run "
     "it adds to the store. A file whose number lines hold anything but numbers is refused.",
     kOpenOptions},
};

// The input window's number rule, without the blanks a box may keep around its number.
bool isPlainNumber(std::string_view text)
{
    return text.find_first_of(" \t") == std::string_view::npos && readPlainNumber(text).valid;
}

// The parts of `text` between `separator`s.
std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

bool isPixelCount(const std::string& text)
{
    return !text.empty() && text.size() <= 5 && std::all_of(text.begin(), text.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
}

struct Parsed {
    std::map<std::string, std::string, std::less<>> values;
    std::vector<std::string> positional;
};

UsageError usageError(const std::string& message) { return {message}; }

// Splits the arguments after the command word by the given option table; "--name=value"
// and "--name value" are both accepted, the value may start with "-". A text taken from the
// next argument must not start with "--": "--qrv --json" forgot the file name rather than
// naming a file "--json" ("--qrv=--json" does).
std::variant<Parsed, UsageError> parseOptions(const std::vector<std::string>& args,
                                              std::span<const OptionSpec> specs)
{
    Parsed parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (name.rfind("--", 0) != 0) {
            parsed.positional.push_back(name);
            continue;
        }
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        const auto spec = std::find_if(specs.begin(), specs.end(), [&](const OptionSpec& s) { return s.name == name; });
        if (spec == specs.end())
            return usageError("unknown option " + name);
        if (parsed.values.count(name))
            return usageError("option " + name + " given twice");
        if (spec->value == Value::None) {
            if (value)
                return usageError("option " + name + " takes no value");
            parsed.values[name] = "";
            continue;
        }
        if (!value) {
            if (i + 1 >= args.size())
                return usageError("option " + name + " needs a value");
            value = args[++i];
            if (spec->value == Value::Text && value->rfind("--", 0) == 0)
                return usageError("option " + name + " needs a value, not the option " + *value + " (write "
                                  + name + "=" + *value + " for a value that starts with --)");
        }
        if (spec->value == Value::Number && !isPlainNumber(*value))
            return usageError("option " + name + ": \"" + *value + "\" is not a number");
        parsed.values[name] = *value;
    }
    return parsed;
}

std::optional<std::string> take(const Parsed& parsed, std::string_view name)
{
    const auto it = parsed.values.find(name);
    return it == parsed.values.end() ? std::nullopt : std::optional<std::string>(it->second);
}

// The option of the input a family gives instead: "--tmagma".
std::string familyOption(FamilyInput input)
{
    return input == FamilyInput::None ? std::string() : "--" + std::string(familyInputName(input).key);
}

std::variant<RunRequest, UsageError> requestFrom(const Parsed& parsed, std::span<const OptionSpec> specs,
                                                 FamilyInput family)
{
    const std::string fromFamily = familyOption(family);
    if (!fromFamily.empty() && take(parsed, fromFamily))
        return usageError("options " + fromFamily + " and --family " + std::string(familyInputName(family).key)
                          + " both give " + std::string(familyInputName(family).name));
    for (const OptionSpec& spec : specs)
        if (spec.required && spec.name != fromFamily && !take(parsed, spec.name))
            return usageError("missing option " + std::string(spec.name));
    if (take(parsed, "--s").has_value() != take(parsed, "--cv").has_value())
        return usageError("options --s and --cv go together");

    RunRequest request;
    InputTexts& in = request.inputs;
    in.tMagma = take(parsed, "--tmagma").value_or("");
    in.tInit = take(parsed, "--tinit").value_or("");
    in.pInit = take(parsed, "--pinit").value_or("");
    in.pFinal = take(parsed, "--pfinal").value_or("");
    in.ratio = *take(parsed, "--r");
    // The disabled water-fraction box of water/magma mode reads "--".
    in.sedimentMode = take(parsed, "--x").has_value();
    in.waterFraction = take(parsed, "--x").value_or("--");
    request.entropyText = take(parsed, "--s");
    request.cvText = take(parsed, "--cv");
    request.constantVolume = take(parsed, "--constvolume").has_value();
    return request;
}

// --family INPUT=V1,V2,...: the input by its option's name, and its values.
std::variant<SweepFamily, UsageError> familyFrom(const Parsed& parsed)
{
    const auto text = take(parsed, "--family");
    if (!text)
        return SweepFamily{};
    const auto eq = text->find('=');
    if (eq == std::string::npos)
        return usageError("option --family: \"" + *text + "\" is not INPUT=V1,V2,...");
    const std::string key = text->substr(0, eq);
    const auto input = std::find_if(kFamilyInputs.begin(), kFamilyInputs.end(),
                                    [&key](const FamilyInputName& name) { return name.key == key; });
    if (input == kFamilyInputs.end())
        return usageError("option --family: \"" + key + "\" is not one of tmagma, tinit, pinit, pfinal, x");
    FamilyValues values = readFamilyValues(std::string_view(*text).substr(eq + 1));
    if (!values.error.empty())
        return usageError("option --family: " + values.error);
    return SweepFamily{input->input, std::move(values.values)};
}

struct ParsedRequest {
    Parsed parsed;
    RunRequest request;
    SweepFamily family;
};

// The options every calculation takes, plus the command's own; no positional arguments.
std::variant<ParsedRequest, UsageError> parseRequest(const std::vector<std::string>& args,
                                                     std::span<const OptionSpec> specs)
{
    auto parsed = parseOptions(args, specs);
    if (auto* error = std::get_if<UsageError>(&parsed))
        return *error;
    Parsed& p = std::get<Parsed>(parsed);
    if (!p.positional.empty())
        return usageError("unexpected argument " + p.positional.front());
    auto family = familyFrom(p);
    if (auto* error = std::get_if<UsageError>(&family))
        return *error;
    auto request = requestFrom(p, specs, std::get<SweepFamily>(family).input);
    if (auto* error = std::get_if<UsageError>(&request))
        return *error;
    return ParsedRequest{std::move(p), std::get<RunRequest>(request), std::get<SweepFamily>(std::move(family))};
}

// A file or folder option given as "" is refused.
std::optional<UsageError> emptyName(const Parsed& parsed, std::string_view name, std::string_view what)
{
    const auto value = take(parsed, name);
    if (value && value->empty())
        return usageError("option " + std::string(name) + " needs a " + std::string(what));
    return std::nullopt;
}

Command parseRun(const std::vector<std::string>& args)
{
    auto parsed = parseRequest(args, kRunOptions);
    if (auto* error = std::get_if<UsageError>(&parsed))
        return *error;
    const auto& [p, request, family] = std::get<ParsedRequest>(parsed);
    RunCommand run;
    run.request = request;
    run.json = take(p, "--json").has_value();
    if (auto error = emptyName(p, "--qrv", "file name"))
        return *error;
    run.qrvPath = take(p, "--qrv");
    return run;
}

// --plot and the options that shape its chart; those without --plot are refused.
std::variant<std::optional<ChartRequest>, UsageError> chartFrom(const Parsed& parsed)
{
    if (auto error = emptyName(parsed, "--plot", "file name"))
        return *error;
    const auto path = take(parsed, "--plot");
    if (!path) {
        for (const auto name : {"--y", "--curve", "--reference", "--size"})
            if (take(parsed, name))
                return usageError("option " + std::string(name) + " goes with --plot");
        return std::optional<ChartRequest>();
    }
    ChartRequest chart;
    chart.path = *path;
    chart.yKey = take(parsed, "--y").value_or(chart.yKey);
    chart.curve = take(parsed, "--curve").has_value();
    chart.reference = take(parsed, "--reference").has_value();
    if (const auto size = take(parsed, "--size")) {
        const std::vector<std::string> sides = split(*size, 'x');
        if (sides.size() != 2 || !isPixelCount(sides[0]) || !isPixelCount(sides[1]))
            return usageError("option --size: \"" + *size + "\" is not WxH");
        chart.widthPx = std::stoi(sides[0]);
        chart.heightPx = std::stoi(sides[1]);
        if (chart.widthPx < 1 || chart.heightPx < 1 || chart.widthPx > kMostChartPixels
            || chart.heightPx > kMostChartPixels)
            return usageError("option --size: each side must be 1 to " + std::to_string(kMostChartPixels) + " pixels");
    }
    return chart;
}

Command parseSweep(const std::vector<std::string>& args)
{
    auto parsed = parseRequest(args, kSweepOptions);
    if (auto* error = std::get_if<UsageError>(&parsed))
        return *error;
    const auto& [p, request, family] = std::get<ParsedRequest>(parsed);
    SweepCommand sweep;
    sweep.request = request;
    sweep.family = family;
    sweep.csv = take(p, "--csv").has_value();
    sweep.json = take(p, "--json").has_value();
    if (sweep.csv && sweep.json)
        return usageError("options --csv and --json exclude each other");
    if (auto error = emptyName(p, "--qrv-dir", "folder name"))
        return *error;
    sweep.qrvDir = take(p, "--qrv-dir");
    auto chart = chartFrom(p);
    if (auto* error = std::get_if<UsageError>(&chart))
        return *error;
    sweep.chart = std::get<std::optional<ChartRequest>>(chart);
    const std::string text = sweep.request.inputs.ratio;
    const std::vector<std::string> parts = split(text, ':');
    if (parts.size() != 3 || !std::all_of(parts.begin(), parts.end(), isPlainNumber))
        return usageError("option --r: \"" + text + "\" is not FROM:TO:STEP");
    // A range too large for a double reads as infinite and is refused with the range.
    sweep.from = std::strtod(parts[0].c_str(), nullptr);
    sweep.to = std::strtod(parts[1].c_str(), nullptr);
    sweep.step = std::strtod(parts[2].c_str(), nullptr);
    return sweep;
}

Command parseOpen(const std::vector<std::string>& args)
{
    auto parsed = parseOptions(args, kOpenOptions);
    if (auto* error = std::get_if<UsageError>(&parsed))
        return *error;
    const Parsed& p = std::get<Parsed>(parsed);
    if (p.positional.size() != 1)
        return usageError("open needs exactly one FILE");
    return OpenCommand{p.positional.front(), take(p, "--json").has_value()};
}

bool isHelp(std::string_view argument) { return argument == "--help" || argument == "-h"; }

// "run, sweep, open"
std::string commandNames()
{
    std::string names;
    for (const CommandSpec& spec : kCommands)
        names.append(names.empty() ? "" : ", ").append(spec.name);
    return names;
}

} // namespace

std::span<const CommandSpec> commandSpecs() { return kCommands; }

const CommandSpec* findCommand(std::string_view name)
{
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [name](const CommandSpec& spec) { return spec.name == name; });
    return found == std::end(kCommands) ? nullptr : found;
}

Command parseCommandLine(int argc, const char* const* argv)
{
    if (argc < 2)
        return usageError("missing command");
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (isHelp(command))
        return HelpCommand{};
    if (command == "--version")
        return VersionCommand{};
    if (command == "help") {
        if (args.empty())
            return HelpCommand{};
        if (args.size() > 1 || findCommand(args.front()) == nullptr)
            return usageError("help takes one of the commands " + commandNames());
        return HelpCommand{args.front()};
    }
    // Help wins over everything else on the command's line, as it does in most programs.
    if (findCommand(command) != nullptr && std::any_of(args.begin(), args.end(), isHelp))
        return HelpCommand{command};
    if (command == "run")
        return parseRun(args);
    if (command == "sweep")
        return parseSweep(args);
    if (command == "open")
        return parseOpen(args);
    return usageError("unknown command " + command);
}

} // namespace qrv::cli

#include "cli/options.h"

#include "engine/parsenumber.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

namespace qrv::cli {

const char* const kUsage =
    "usage: qrv-cli run --tmagma K --tinit K --pinit MPa --pfinal MPa --r R [--x X]\n"
    "                   [--s S --cv CV] [--constvolume] [--json] [--qrv FILE]\n"
    "       qrv-cli sweep --r FROM:TO:STEP --tmagma K --tinit K --pinit MPa --pfinal MPa [--x X]\n"
    "                   [--s S --cv CV] [--constvolume] [--csv | --json] [--qrv-dir DIR]\n"
    "                   [--family tmagma|tinit|pinit|pfinal|x=V1,V2,...]\n"
    "                   [--plot FILE.png|FILE.svg|FILE.pdf [--y cr|sf|wf|ft|et|ep|ed|ee] [--curve]\n"
    "                    [--reference] [--size WxH]]\n"
    "       qrv-cli open FILE [--json]\n"
    "Without --s and --cv (J/(kg K)), the initial water's S and Cv are those the input window\n"
    "holds or fixes, or IAPWS-95 values where it would ask the steam table.\n"
    "Every completed run also gets its IAPWS-95 reference, the same idealisation worked with\n"
    "exact water properties: a block in run's text, \"reference\" in --json ({\"error\": reason}\n"
    "when there is none, as for ice) and the IAPWS-95 columns of sweep. Its final phases are\n"
    "liquid, two-phase, vapour, or supercritical at or above the critical pressure and\n"
    "temperature. A run without a reference is still a completed run: the reference never\n"
    "changes the exit status.\n"
    "Exit status (the lowest that applies):\n"
    "  0  every run completed and no calculation routine reported an error\n"
    "  1  a file could not be read or written, or the output could not be written\n"
    "  2  the command line or an input was refused, or --plot where charts are not available\n"
    "  3  a calculation routine reported an error (on stderr) or the run did not complete;\n"
    "     a sweep also says on stderr how many of its ratios failed\n";

namespace {

enum class Value { None, Number, Text, Range };

// Larger pictures than this are refused rather than allocated.
constexpr int kMostChartPixels = 10000;

struct OptionSpec {
    std::string_view name;
    Value value;
};

// The inputs of one calculation, shared by run and sweep.
constexpr OptionSpec kInputOptions[] = {
    {"--tmagma", Value::Number}, {"--tinit", Value::Number}, {"--pinit", Value::Number},
    {"--pfinal", Value::Number}, {"--x", Value::Number},     {"--s", Value::Number},
    {"--cv", Value::Number},     {"--constvolume", Value::None},
};
constexpr std::string_view kRequired[] = {"--tmagma", "--tinit", "--pinit", "--pfinal", "--r"};

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
// and "--name value" are both accepted, the value may start with "-".
std::variant<Parsed, UsageError> parseOptions(const std::vector<std::string>& args,
                                              const std::vector<OptionSpec>& specs)
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

std::variant<RunRequest, UsageError> requestFrom(const Parsed& parsed, FamilyInput family)
{
    const std::string fromFamily = familyOption(family);
    if (!fromFamily.empty() && take(parsed, fromFamily))
        return usageError("options " + fromFamily + " and --family " + std::string(familyInputName(family).key)
                          + " both give " + std::string(familyInputName(family).name));
    for (const auto name : kRequired)
        if (name != fromFamily && !take(parsed, name))
            return usageError("missing option " + std::string(name));
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

std::vector<OptionSpec> inputOptionsWith(std::initializer_list<OptionSpec> extra)
{
    std::vector<OptionSpec> specs(std::begin(kInputOptions), std::end(kInputOptions));
    specs.insert(specs.end(), extra);
    return specs;
}

struct ParsedRequest {
    Parsed parsed;
    RunRequest request;
    SweepFamily family;
};

// The options every calculation takes, plus the command's own; no positional arguments.
std::variant<ParsedRequest, UsageError> parseRequest(const std::vector<std::string>& args,
                                                     std::initializer_list<OptionSpec> extra)
{
    auto parsed = parseOptions(args, inputOptionsWith(extra));
    if (auto* error = std::get_if<UsageError>(&parsed))
        return *error;
    Parsed& p = std::get<Parsed>(parsed);
    if (!p.positional.empty())
        return usageError("unexpected argument " + p.positional.front());
    auto family = familyFrom(p);
    if (auto* error = std::get_if<UsageError>(&family))
        return *error;
    auto request = requestFrom(p, std::get<SweepFamily>(family).input);
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
    auto parsed = parseRequest(args, {{"--r", Value::Number}, {"--json", Value::None}, {"--qrv", Value::Text}});
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
    auto parsed = parseRequest(args, {{"--r", Value::Range}, {"--csv", Value::None}, {"--json", Value::None},
                                      {"--qrv-dir", Value::Text},
                                      {"--plot", Value::Text}, {"--y", Value::Text}, {"--curve", Value::None},
                                      {"--reference", Value::None}, {"--size", Value::Text},
                                      {"--family", Value::Text}});
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
    auto parsed = parseOptions(args, {{"--json", Value::None}});
    if (auto* error = std::get_if<UsageError>(&parsed))
        return *error;
    const Parsed& p = std::get<Parsed>(parsed);
    if (p.positional.size() != 1)
        return usageError("open needs exactly one FILE");
    return OpenCommand{p.positional.front(), take(p, "--json").has_value()};
}

} // namespace

Command parseCommandLine(int argc, const char* const* argv)
{
    if (argc < 2)
        return usageError("missing command");
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "run")
        return parseRun(args);
    if (command == "sweep")
        return parseSweep(args);
    if (command == "open")
        return parseOpen(args);
    if (command == "--help" || command == "-h" || command == "help")
        return HelpCommand{};
    return usageError("unknown command " + command);
}

} // namespace qrv::cli

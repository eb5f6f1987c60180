#include "cli/options.h"

#include "chart/ykeys.h"
#include "base/parsenumber.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <deque>
#include <limits>
#include <map>

namespace qrv::cli {

namespace {

// Larger pictures than this are refused rather than allocated.
constexpr int kMostChartPixels = 10000;
// An uncertainty study's samples are all kept until the study ends.
constexpr std::size_t kMostSamples = 1000000;

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

const OptionSpec kRatioOption = {"--r", Value::Number, "R",
                                 "water/magma mass ratio R (with --x the sediment/magma ratio Rs), above 0", true};

std::vector<OptionSpec> inputOptionsWith(std::initializer_list<OptionSpec> extra)
{
    std::vector<OptionSpec> specs(std::begin(kInputOptions), std::end(kInputOptions));
    specs.insert(specs.end(), extra);
    return specs;
}

// The inputs of run, those a study may vary taking `form` beside a number: "K|FROM:TO:STEP".
std::vector<OptionSpec> studyOptionsWith(std::string_view form, std::initializer_list<OptionSpec> extra)
{
    // The tables' placeholders live as long as the program.
    static std::deque<std::string> placeholders;
    std::vector<OptionSpec> specs = inputOptionsWith({kRatioOption});
    for (OptionSpec& spec : specs) {
        const bool varied = std::any_of(kStudyInputs.begin(), kStudyInputs.end(), [&spec](const StudyInputName& input) {
            return spec.name.substr(2) == input.key;
        });
        if (!varied)
            continue;
        spec.value = Value::Text;
        spec.placeholder = placeholders.emplace_back(std::string(spec.placeholder) + "|" + std::string(form));
    }
    specs.insert(specs.end(), extra);
    return specs;
}

std::vector<Choice> mapQuantityChoices()
{
    std::vector<Choice> choices;
    for (const MapZKey& z : kMapZKeys)
        choices.push_back({std::string(z.key), std::string(z.quantity) + " (" + std::string(z.unit) + ")"});
    return choices;
}

const OptionSpec kSizeOption = {"--size", Value::Text, "WxH",
                                "with --plot: the picture's width and height in pixels, each 1 to 10000; default "
                                "1600x1000 (a PDF page takes its aspect)"};

const std::vector<OptionSpec> kRunOptions = inputOptionsWith({
    kRatioOption,
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
    kSizeOption,
    {"--peaks", Value::None, "",
     "instead of the runs, each curve's largest conversion ratio over the range and the R where it "
     "lies (to 1e-4, found by runs between the sweep's ratios): a row per member and path (Adiabatic, "
     "Isothermal and their IAPWS-95 references); with --plot the chart marks them too (--y cr); not "
     "with --json or --qrv-dir"},
});

const std::vector<OptionSpec> kMapOptions = studyOptionsWith("FROM:TO:STEP", {
    {"--csv", Value::None, "", "comma-separated rows at full precision instead of the table"},
    {"--plot", Value::Text, "FILE",
     "draw the map into FILE, a picture chosen by its ending: .png, .svg or .pdf; needs --z"},
    {"--z", Value::Text, "KEY", "with --plot: the quantity coloured:", false, mapQuantityChoices},
    kSizeOption,
});

const std::vector<OptionSpec> kUncertaintyOptions = studyOptionsWith("MEAN~SD|FROM..TO", {
    {"--n", Value::Text, "N", "the number of samples, 1 to 1,000,000; default 1000"},
    {"--seed", Value::Text, "S",
     "the seed of the draws, a whole number from 0 to 18446744073709551615; the same seed gives the "
     "same samples on every machine; default 1"},
    {"--json", Value::None, "", "the summary as one JSON object instead of the table"},
    {"--csv", Value::None, "",
     "every sample as a comma-separated row (its drawn inputs, the outputs, its status) instead of the "
     "summary; not with --json"},
    {"--plot", Value::Text, "FILE",
     "also draw a histogram of each output into FILE, a picture chosen by its ending: .png, .svg or .pdf; "
     "each marks the 5, 50 and 95 % percentiles, the title gives the drawn inputs, the seed and the failed "
     "samples"},
    kSizeOption,
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
    {"map", "", "", "one calculation per point of a grid over two inputs: a table or a map",
     "One calculation per point of a grid: exactly two of --r, --tmagma, --tinit, --pinit, --pfinal "
     "and --x are FROM:TO:STEP ranges (as sweep's --r), the others numbers as for run; at most 100,000 "
     "points, run on every core. Prints a header line and one row per point, the first range varying "
     "fastest: the point's two values, the columns of sweep, and the point's status; a failed point "
     "keeps its row with its status and no values. Ends with \"N of M points failed\" on stderr when "
     "some did.",
     kMapOptions},
    {"mc", "", "", "the spread of the results when inputs are uncertain (Monte Carlo)",
     "The inputs of run, any of --r, --tmagma, --tinit, --pinit, --pfinal and --x given as a "
     "distribution: MEAN~SD normal, FROM..TO uniform. Runs --n samples on every core and prints, for "
     "the conversion ratio of both paths, their IAPWS-95 references, TEq and PEq, how many samples "
     "gave a value, the mean, the standard deviation and the 5, 25, 50, 75 and 95 % percentiles, "
     "then how many samples failed (those are counted, never left out silently; a failed sample sets "
     "exit status 3).",
     kUncertaintyOptions},
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

// --size WxH into the picture's sides.
std::optional<UsageError> readSize(const Parsed& parsed, int& widthPx, int& heightPx)
{
    const auto size = take(parsed, "--size");
    if (!size)
        return std::nullopt;
    const std::vector<std::string> sides = split(*size, 'x');
    if (sides.size() != 2 || !isPixelCount(sides[0]) || !isPixelCount(sides[1]))
        return usageError("option --size: \"" + *size + "\" is not WxH");
    widthPx = std::stoi(sides[0]);
    heightPx = std::stoi(sides[1]);
    if (widthPx < 1 || heightPx < 1 || widthPx > kMostChartPixels || heightPx > kMostChartPixels)
        return usageError("option --size: each side must be 1 to " + std::to_string(kMostChartPixels) + " pixels");
    return std::nullopt;
}

// Options that shape a picture, refused without --plot.
std::optional<UsageError> onlyWithPlot(const Parsed& parsed, std::initializer_list<const char*> names)
{
    for (const auto name : names)
        if (take(parsed, name))
            return usageError("option " + std::string(name) + " goes with --plot");
    return std::nullopt;
}

// --plot and the options that shape its chart; those without --plot are refused.
std::variant<std::optional<ChartRequest>, UsageError> chartFrom(const Parsed& parsed)
{
    if (auto error = emptyName(parsed, "--plot", "file name"))
        return *error;
    const auto path = take(parsed, "--plot");
    if (!path) {
        if (auto error = onlyWithPlot(parsed, {"--y", "--curve", "--reference", "--size"}))
            return *error;
        return std::optional<ChartRequest>();
    }
    ChartRequest chart;
    chart.path = *path;
    chart.yKey = take(parsed, "--y").value_or(chart.yKey);
    chart.curve = take(parsed, "--curve").has_value();
    chart.reference = take(parsed, "--reference").has_value();
    if (auto error = readSize(parsed, chart.widthPx, chart.heightPx))
        return *error;
    return chart;
}

// "FROM:TO:STEP" as the values of a range; its refusal names the option.
std::variant<std::vector<double>, UsageError> rangeFrom(std::string_view option, const std::string& text)
{
    const std::vector<std::string> parts = split(text, ':');
    if (parts.size() != 3 || !std::all_of(parts.begin(), parts.end(), isPlainNumber))
        return usageError("option " + std::string(option) + ": \"" + text + "\" is not FROM:TO:STEP");
    // A range too large for a double reads as infinite and is refused with the range.
    SweepRatios range = sweepRatios(std::strtod(parts[0].c_str(), nullptr), std::strtod(parts[1].c_str(), nullptr),
                                    std::strtod(parts[2].c_str(), nullptr));
    if (!range.error.empty())
        return usageError("option " + std::string(option) + ": " + range.error);
    return std::move(range.ratios);
}

// "--r, --tmagma, --tinit, --pinit, --pfinal and --x"
std::string studyOptionNames()
{
    std::string names;
    for (std::size_t k = 0; k < kStudyInputs.size(); ++k)
        names.append(k == 0 ? "" : k + 1 == kStudyInputs.size() ? " and " : ", ")
            .append("--")
            .append(kStudyInputs[k].key);
    return names;
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
    sweep.peaks = take(p, "--peaks").has_value();
    if (sweep.peaks && (sweep.json || sweep.qrvDir))
        return usageError("option --peaks goes with --csv and --plot, not with --json or --qrv-dir");
    if (sweep.peaks && sweep.chart && sweep.chart->yKey != "cr")
        return usageError("option --peaks marks the peaks of the conversion ratio: with --plot it needs --y cr, not "
                          + sweep.chart->yKey);
    if (sweep.chart)
        sweep.chart->peaks = sweep.peaks;
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

Command parseMap(const std::vector<std::string>& args)
{
    auto parsed = parseRequest(args, kMapOptions);
    if (auto* error = std::get_if<UsageError>(&parsed))
        return *error;
    const auto& [p, request, family] = std::get<ParsedRequest>(parsed);
    MapCommand command;
    command.map.base = request;
    std::vector<MapRange> ranges;
    for (const StudyInputName& input : kStudyInputs) {
        const std::string option = "--" + std::string(input.key);
        const auto text = take(p, option);
        if (!text || text->find(':') == std::string::npos) {
            if (text && !isPlainNumber(*text))
                return usageError("option " + option + ": \"" + *text + "\" is neither a number nor FROM:TO:STEP");
            continue;
        }
        auto values = rangeFrom(option, *text);
        if (auto* error = std::get_if<UsageError>(&values))
            return *error;
        ranges.push_back({input.input, std::get<std::vector<double>>(std::move(values))});
    }
    if (ranges.size() != 2)
        return usageError("map takes exactly two of " + studyOptionNames() + " as FROM:TO:STEP ranges, not "
                          + std::to_string(ranges.size()));
    if (ranges[0].values.size() * ranges[1].values.size() > kMaxMapPoints)
        return usageError("map: the grid has " + std::to_string(ranges[0].values.size()) + " x "
                          + std::to_string(ranges[1].values.size()) + " points, more than "
                          + std::to_string(kMaxMapPoints));
    command.map.x = std::move(ranges[0]);
    command.map.y = std::move(ranges[1]);
    command.csv = take(p, "--csv").has_value();

    if (auto error = emptyName(p, "--plot", "file name"))
        return *error;
    const auto path = take(p, "--plot");
    if (!path) {
        if (auto error = onlyWithPlot(p, {"--z", "--size"}))
            return *error;
        return command;
    }
    MapPlot plot;
    plot.picture.path = *path;
    const auto z = take(p, "--z");
    if (!z)
        return usageError("option --plot needs --z, the quantity the map colours");
    plot.z = findMapZKey(*z);
    if (plot.z == nullptr)
        return usageError("option --z: \"" + *z + "\" is not one of the quantities a map colours (see qrv-cli map --help)");
    if (auto error = readSize(p, plot.picture.widthPx, plot.picture.heightPx))
        return *error;
    command.plot = plot;
    return command;
}

// A whole number of at most 20 digits within `most`.
std::optional<std::uint64_t> wholeNumber(const std::string& text, std::uint64_t most)
{
    if (text.empty() || text.size() > 20 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value > most)
        return std::nullopt;
    return std::uint64_t(value);
}

Command parseUncertainty(const std::vector<std::string>& args)
{
    auto parsed = parseRequest(args, kUncertaintyOptions);
    if (auto* error = std::get_if<UsageError>(&parsed))
        return *error;
    const auto& [p, request, family] = std::get<ParsedRequest>(parsed);
    UncertaintyCommand command;
    command.request.base = request;
    for (const StudyInputName& input : kStudyInputs) {
        const std::string option = "--" + std::string(input.key);
        const auto text = take(p, option);
        if (!text)
            continue;
        const DistributionText read = readDistribution(*text);
        if (!read.error.empty())
            return usageError("option " + option + ": " + read.error);
        if (read.distribution)
            command.request.drawn.push_back({input.input, *read.distribution});
    }
    if (const auto n = take(p, "--n")) {
        const auto samples = wholeNumber(*n, kMostSamples);
        if (!samples || *samples == 0)
            return usageError("option --n: \"" + *n + "\" is not a number of samples from 1 to 1000000");
        command.request.samples = std::size_t(*samples);
    }
    if (const auto seed = take(p, "--seed")) {
        const auto value = wholeNumber(*seed, std::numeric_limits<std::uint64_t>::max());
        if (!value)
            return usageError("option --seed: \"" + *seed + "\" is not a whole number from 0 to 18446744073709551615");
        command.request.seed = *value;
    }
    command.json = take(p, "--json").has_value();
    command.csv = take(p, "--csv").has_value();
    if (command.csv && command.json)
        return usageError("options --csv and --json exclude each other");
    if (auto error = emptyName(p, "--plot", "file name"))
        return *error;
    const auto path = take(p, "--plot");
    if (!path) {
        if (auto error = onlyWithPlot(p, {"--size"}))
            return *error;
        return command;
    }
    HistogramsRequest plot;
    plot.path = *path;
    if (auto error = readSize(p, plot.widthPx, plot.heightPx))
        return *error;
    command.plot = plot;
    return command;
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
    if (command == "map")
        return parseMap(args);
    if (command == "mc")
        return parseUncertainty(args);
    if (command == "open")
        return parseOpen(args);
    return usageError("unknown command " + command);
}

} // namespace qrv::cli

#include "cli/help.h"

#include "cli/options.h"

#include <algorithm>
#include <sstream>

namespace qrv::cli {

namespace {

constexpr std::size_t kWidth = 79;
// Where an option's description starts.
constexpr std::size_t kDescriptionColumn = 26;

constexpr char kProgram[] = "qrv-cli";

constexpr char kIntroduction[] =
    "QRV's calculation without windows: the energetics of explosive water/magma interaction for "
    "scripts, tests and series of runs. Every command runs the same calculation as the desktop "
    "program qrv.";

constexpr char kReferenceNote[] =
    "Every completed run also gets its IAPWS-95 reference, the same idealisation worked with exact "
    "water properties: a block in run's text, \"reference\" in --json ({\"error\": reason} when there "
    "is none, as for ice) and the IAPWS-95 columns of sweep. Its final phases are liquid, two-phase, "
    "vapour, or supercritical at or above the critical pressure and temperature. A run without a "
    "reference is still a completed run: the reference never changes the exit status. Its note "
    "says when its conversion ratio exceeds 100 %: hot or compressed initial water adds its own "
    "energy, while the ratio counts only the magma's heat.";

constexpr char kEnergyCheckNote[] =
    "Energy check: the adiabatic work is the water's loss of internal energy on its path, so it "
    "equals what the run's own states release. The isothermal work counts the water's "
    "cooling once more on top of that loss: at the start-up values it is 500.8 kJ per kg of magma "
    "(42.62 %) while the water and the magma release 228.1 kJ on that path, an excess of 23.2 "
    "points of conversion ratio (0.3 to 31.6 points for R 0.02 to 0.4). The conversion ratios are "
    "the model's, printed unchanged.";

constexpr char kExitStatuses[] =
    "Exit status (the lowest that applies):\n"
    "  0  every run completed and no calculation routine reported an error\n"
    "  1  a file could not be read or written, or the output could not be written\n"
    "  2  the command line or an input was refused, or --plot where charts are not\n"
    "     available\n"
    "  3  a calculation routine reported an error (on stderr) or the run did not\n"
    "     complete; a sweep also says on stderr how many of its ratios failed\n";

// The words of text laid into lines of at most kWidth characters, the first starting at
// column `first` (text already there), every further one indented to `indent`.
std::string wrapped(std::string_view text, std::size_t first, std::size_t indent)
{
    std::istringstream words{std::string(text)};
    std::string out;
    std::size_t column = first;
    bool lineStart = true;
    for (std::string word; words >> word;) {
        if (!lineStart && column + 1 + word.size() > kWidth) {
            out += '\n' + std::string(indent, ' ');
            column = indent;
            lineStart = true;
        }
        if (!lineStart) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        lineStart = false;
    }
    return out + '\n';
}

// Required options first, each group in the order of its table.
std::vector<OptionSpec> requiredFirst(std::span<const OptionSpec> options)
{
    std::vector<OptionSpec> sorted(options.begin(), options.end());
    std::stable_partition(sorted.begin(), sorted.end(), [](const OptionSpec& o) { return o.required; });
    return sorted;
}

std::string withPlaceholder(const OptionSpec& option)
{
    // Appended, not " " + placeholder: GCC 12 at -O3 takes a literal prepended to a temporary
    // string for an overlapping copy (-Wrestrict), which stops a Release build.
    std::string text(option.name);
    if (!option.placeholder.empty())
        text.append(" ").append(option.placeholder);
    return text;
}

// "qrv-cli run --tmagma K ... [--json] [--qrv FILE]", on one line: help2man reads each line
// after "Usage:" and "or:" as one form of the command for the manual's synopsis.
std::string synopsis(const CommandSpec& command)
{
    std::string text = std::string(kProgram) + ' ' + std::string(command.name);
    if (!command.operand.empty())
        text += ' ' + std::string(command.operand);
    for (const OptionSpec& option : requiredFirst(command.options)) {
        text += ' ';
        if (option.required)
            text += withPlaceholder(option);
        else
            text.append("[").append(withPlaceholder(option)).append("]");
    }
    return text + '\n';
}

std::string optionLine(std::string_view names, std::string_view help)
{
    std::string line = "  " + std::string(names);
    if (line.size() + 2 > kDescriptionColumn)
        line += '\n' + std::string(kDescriptionColumn, ' ');
    else
        line.resize(kDescriptionColumn, ' ');
    return line + wrapped(help, kDescriptionColumn, kDescriptionColumn);
}

std::string optionsText(const CommandSpec& command)
{
    std::string text;
    if (!command.operand.empty())
        text += optionLine(command.operand, command.operandHelp);
    for (const OptionSpec& option : requiredFirst(command.options)) {
        text += optionLine(withPlaceholder(option), (option.required ? "required: " : "") + std::string(option.help));
        if (!option.choices)
            continue;
        const std::vector<Choice> choices = option.choices();
        std::size_t keyWidth = 0;
        for (const Choice& choice : choices)
            keyWidth = std::max(keyWidth, choice.key.size());
        for (const Choice& choice : choices) {
            std::string key = choice.key;
            key.resize(keyWidth + 2, ' ');
            text += std::string(kDescriptionColumn + 2, ' ') + key + choice.meaning + '\n';
        }
    }
    text += optionLine("-h, --help", "print this help and exit");
    return text;
}

} // namespace

std::string usageText()
{
    std::string text;
    std::string_view lead = "Usage: ";
    for (const CommandSpec& command : commandSpecs()) {
        text += std::string(lead) + synopsis(command);
        lead = "   or: ";
    }
    return text + std::string(lead) + kProgram + " COMMAND --help\n" + std::string(lead) + kProgram + " --version\n";
}

std::string commandHelp(std::string_view name)
{
    const CommandSpec& command = *findCommand(name);
    return "Usage: " + synopsis(command) + '\n' + wrapped(command.description, 0, 0) + "\nOptions:\n"
        + optionsText(command) + '\n' + wrapped(kReferenceNote, 0, 0) + '\n' + wrapped(kEnergyCheckNote, 0, 0)
        + '\n' + kExitStatuses;
}

std::string fullHelp()
{
    std::string text = usageText() + '\n' + wrapped(kIntroduction, 0, 0) + "\nCommands:\n";
    for (const CommandSpec& command : commandSpecs())
        text += optionLine(command.name, command.summary);
    for (const CommandSpec& command : commandSpecs()) {
        text += "\nCommand " + std::string(command.name) + ":\n  " + wrapped(command.description, 2, 2) + '\n'
            + optionsText(command);
    }
    text += "\nOther options:\n" + optionLine("-h, --help", "print this help and exit")
        + optionLine("--version", "print the version and exit");
    return text + '\n' + wrapped(kReferenceNote, 0, 0) + '\n' + wrapped(kEnergyCheckNote, 0, 0) + '\n'
        + kExitStatuses;
}

} // namespace qrv::cli

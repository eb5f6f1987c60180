// qrv-cli: the calculation without windows, for scripts, tests and series of runs.
#include "cli/commands.h"
#include "cli/help.h"
#include "cli/options.h"
#include "cli/outputbuffer.h"
#include "base/appidentity.h"

#include <cstring>
#include <iostream>
#include <unistd.h>

namespace {

using namespace qrv::cli;

int runCommandLine(int argc, char** argv, std::ostream& out)
{
    const Command command = parseCommandLine(argc, argv);
    if (const auto* error = std::get_if<UsageError>(&command)) {
        std::cerr << "qrv-cli: " << error->message << '\n' << usageText();
        return kRefused;
    }
    if (const auto* help = std::get_if<HelpCommand>(&command)) {
        out << (help->command.empty() ? fullHelp() : commandHelp(help->command));
        return kDone;
    }
    if (std::holds_alternative<VersionCommand>(command)) {
        out << qrv::versionLine("qrv-cli") << '\n';
        return kDone;
    }
    if (const auto* run = std::get_if<RunCommand>(&command))
        return runCommand(*run, out, std::cerr);
    if (const auto* sweep = std::get_if<SweepCommand>(&command))
        return sweepCommand(*sweep, out, std::cerr);
    return openCommand(std::get<OpenCommand>(command), out, std::cerr);
}

} // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    OutputBuffer standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    const int status = runCommandLine(argc, argv, out);
    out.flush();
    if (standardOutput.error() != 0) {
        std::cerr << "qrv-cli: cannot write output: " << std::strerror(standardOutput.error()) << '\n';
        return kFileError;
    }
    return status;
}

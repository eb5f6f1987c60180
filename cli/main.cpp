// qrv-cli: the calculation without windows, for scripts, tests and series of runs.
#include "commands.h"
#include "options.h"

#include <iostream>

int main(int argc, char** argv)
{
    using namespace qrv::cli;
    std::ios::sync_with_stdio(false);
    const Command command = parseCommandLine(argc, argv);
    if (const auto* error = std::get_if<UsageError>(&command)) {
        std::cerr << "qrv-cli: " << error->message << '\n' << kUsage;
        return 2;
    }
    if (std::holds_alternative<HelpCommand>(command)) {
        std::cout << kUsage;
        return 0;
    }
    if (const auto* run = std::get_if<RunCommand>(&command))
        return runCommand(*run, std::cout, std::cerr);
    if (const auto* sweep = std::get_if<SweepCommand>(&command))
        return sweepCommand(*sweep, std::cout, std::cerr);
    return openCommand(std::get<OpenCommand>(command), std::cout, std::cerr);
}

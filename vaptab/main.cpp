// vaptab: a steam-table program driven by commands on its standard input.
#include "cli/outputbuffer.h"
#include "base/appidentity.h"
#include "vaptab/conversation.h"

#include <csignal>
#include <cstring>
#include <iostream>
#include <string_view>
#include <unistd.h>

namespace {

constexpr char kUsage[] =
    "Usage: vaptab [--help | --version]\n"
    "Steam tables for ordinary water (IAPWS-95): reads commands on standard input, one\n"
    "a line, and answers each state with a block of \"name = value unit\" lines (phase,\n"
    "p, T, rho, v, u, h, s, cv, cp, w) closed by an empty line; a line it cannot answer\n"
    "gets one \"error: ...\" line. Lines longer than 4096 bytes are refused unread.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit\n"
    "  --version      print the version and exit\n"
    "\n";

constexpr char kExample[] =
    "\n"
    "Example: the water at 0.1 MPa and 25 degC, in SI units:\n"
    "  printf 'si out\\np and t\\n0.1,25\\ns\\n' | vaptab\n"
    "\n"
    "Exit status: 0, or 2 for an unknown option.\n";

} // namespace

int main(int argc, char* argv[])
{
    const std::string_view option = argc > 1 ? argv[1] : "";
    if (argc > 2 || (argc == 2 && option != "--version" && option != "--help" && option != "-h")) {
        std::cerr << "vaptab: unknown option " << option << '\n' << kUsage;
        return 2;
    }
    // A reader that has gone is a failed write to report, not a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    qrv::cli::OutputBuffer standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    if (option == "--version") {
        out << qrv::versionLine("vaptab") << '\n';
    } else if (!option.empty()) {
        out << kUsage << qrv::vaptab::kCommandsHelp << kExample;
    } else {
        qrv::vaptab::Conversation conversation(std::cin, out);
        conversation.run();
    }
    out.flush();
    if (standardOutput.error() != 0) {
        std::cerr << "vaptab: cannot write output: " << std::strerror(standardOutput.error()) << '\n';
        return 1;
    }
    return 0;
}

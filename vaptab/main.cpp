// vaptab: a steam-table program driven by commands on its standard input.
#include "cli/outputbuffer.h"
#include "vaptab/conversation.h"

#include <csignal>
#include <cstring>
#include <iostream>
#include <unistd.h>

int main()
{
    // A reader that has gone is a failed write to report, not a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    qrv::cli::OutputBuffer standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    qrv::vaptab::Conversation conversation(std::cin, out);
    conversation.run();
    out.flush();
    if (standardOutput.error() != 0) {
        std::cerr << "vaptab: cannot write output: " << std::strerror(standardOutput.error()) << '\n';
        return 1;
    }
    return 0;
}

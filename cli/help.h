// qrv-cli's help, made from the commands' option tables, so that an option added to a table
// is in the help, the manual page and the shell completion at once.
#pragma once

#include <string>
#include <string_view>

namespace qrv::cli {

// The "Usage:" lines of every command, for --help and after an error on the command line.
std::string usageText();

// One command's help: its usage, what it does, every option, the exit statuses.
std::string commandHelp(std::string_view command);

// The help of every command, for qrv-cli --help and the manual page.
std::string fullHelp();

} // namespace qrv::cli

// The command conversation of the steam-table program: one command a line, answers as
// blocks of "name = value unit" lines closed by an empty line, errors as one "error: " line.
#pragma once

#include <iosfwd>
#include <string>

namespace qrv::vaptab {

// The commands and the range, for the help command and --help.
inline constexpr char kCommandsHelp[] =
    "commands, one a line:\n"
    "  p and t   then a line \"pressure,temperature\": the properties of water there\n"
    "  si in     read pressures in Pa and temperatures in K (default MPa and degC)\n"
    "  si out    print Pa, K, J/kg and J/(kg K) (default MPa, degC, kJ/kg, kJ/(kg K))\n"
    "  help      this list\n"
    "  s         stop\n"
    "range: 273.16 K to 1273 K, above 0 up to 1000 MPa\n";

class Conversation {
public:
    Conversation(std::istream& in, std::ostream& out);

    // Reads and answers commands until "s", the end of the input or a failed write.
    void run();

private:
    // False when the session ends.
    bool handle(const std::string& command);
    void answerState(const std::string& line);
    void printHelp();
    void lineTooLong();
    void error(const std::string& text);

    std::istream& m_in;
    std::ostream& m_out;
    bool m_siIn = false;
    bool m_siOut = false;
};

} // namespace qrv::vaptab

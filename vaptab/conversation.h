// The command conversation of the steam-table program: one command a line, answers as
// blocks of "name = value unit" lines closed by an empty line, errors as one "error: " line.
#pragma once

#include <iosfwd>
#include <string>

namespace qrv::vaptab {

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

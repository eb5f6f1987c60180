#include "vaptab/conversation.h"

#include "steam/densitysolver.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <istream>
#include <limits>
#include <ostream>

namespace qrv::vaptab {

namespace {

constexpr double kZeroCelsiusK = 273.15;
// No command or state is longer; a longer line is skipped unread and never echoed.
constexpr std::size_t kMostLineBytes = 4096;

enum class LineRead { Line, TooLong, End };

// One line without its line break; the rest of an overlong one is skipped.
LineRead readLine(std::istream& in, std::string& line)
{
    line.clear();
    for (char c; in.get(c);) {
        if (c == '\n')
            return LineRead::Line;
        if (line.size() == kMostLineBytes) {
            in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
            return LineRead::TooLong;
        }
        line += c;
    }
    return line.empty() ? LineRead::End : LineRead::Line;
}

std::string trimmed(const std::string& text)
{
    const auto first = std::find_if_not(text.begin(), text.end(), [](unsigned char c) { return std::isspace(c); });
    const auto last = std::find_if_not(text.rbegin(), text.rend(), [](unsigned char c) { return std::isspace(c); }).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The whole (trimmed) text must be a finite number.
bool parseNumber(const std::string& text, double& value)
{
    const std::string t = trimmed(text);
    if (t.empty())
        return false;
    const char* end = t.data() + t.size();
    const auto [ptr, ec] = std::from_chars(t.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

// A typed text as it may be shown on a terminal: bytes outside printable ASCII, and the
// backslash, as \xHH escapes.
std::string printable(const std::string& text)
{
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && c != '\\') {
            shown += c;
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", unsigned(byte));
            shown += escape;
        }
    }
    return shown;
}

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    return buffer;
}

} // namespace

Conversation::Conversation(std::istream& in, std::ostream& out)
    : m_in(in)
    , m_out(out)
{
}

void Conversation::run()
{
    m_out << "vaptab: steam tables for ordinary water (IAPWS-95). Type help for the commands.\n"
          << std::flush;
    std::string line;
    // Nothing more is read once the output has failed: no answer could be given.
    for (LineRead read; m_out && (read = readLine(m_in, line)) != LineRead::End;) {
        if (read == LineRead::TooLong)
            lineTooLong();
        else if (!handle(lowered(trimmed(line))))
            break;
        m_out << std::flush;
    }
    m_out << std::flush;
}

bool Conversation::handle(const std::string& command)
{
    if (command.empty())
        return true;
    if (command == "s")
        return false;
    if (command == "help") {
        printHelp();
    } else if (command == "si in") {
        m_siIn = true;
        m_out << "inputs in Pa and K\n";
    } else if (command == "si out") {
        m_siOut = true;
        m_out << "outputs in Pa, K, J/kg and J/(kg K)\n";
    } else if (command == "p and t") {
        m_out << (m_siIn ? "pressure,temperature (Pa,K)?\n" : "pressure,temperature (MPa,degC)?\n")
              << std::flush;
        std::string stateLine;
        const LineRead read = readLine(m_in, stateLine);
        if (read == LineRead::End)
            return false;
        if (read == LineRead::TooLong)
            lineTooLong();
        else
            answerState(stateLine);
    } else {
        error("unknown command \"" + printable(command) + "\"; type help for the commands");
    }
    return true;
}

void Conversation::answerState(const std::string& line)
{
    const auto comma = line.find(',');
    double pressure = 0, temperature = 0;
    if (comma == std::string::npos || !parseNumber(line.substr(0, comma), pressure)
        || !parseNumber(line.substr(comma + 1), temperature)) {
        error("expected pressure,temperature as two numbers, such as "
              + std::string(m_siIn ? "2000000,300.0" : "2,26.85"));
        return;
    }
    const double pressurePa = m_siIn ? pressure : pressure * 1e6;
    const double temperatureK = m_siIn ? temperature : temperature + kZeroCelsiusK;

    steam::State state;
    try {
        state = steam::stateAt(pressurePa, temperatureK);
    } catch (const steam::OutOfRange& e) {
        error(e.what());
        return;
    }

    const steam::Properties& p = state.properties;
    const double energyScale = m_siOut ? 1.0 : 1e-3;
    const std::string energyUnit = m_siOut ? "J/kg" : "kJ/kg";
    const std::string entropyUnit = m_siOut ? "J/(kg K)" : "kJ/(kg K)";
    m_out << "phase = " << steam::phaseName(state.phase) << '\n'
          << "p = " << number(m_siOut ? p.pressurePa : p.pressurePa * 1e-6) << (m_siOut ? " Pa" : " MPa") << '\n'
          << "T = " << number(m_siOut ? p.temperatureK : p.temperatureK - kZeroCelsiusK) << (m_siOut ? " K" : " degC") << '\n'
          << "rho = " << number(p.density) << " kg/m3\n"
          << "v = " << number(p.specificVolume) << " m3/kg\n"
          << "u = " << number(p.internalEnergy * energyScale) << ' ' << energyUnit << '\n'
          << "h = " << number(p.enthalpy * energyScale) << ' ' << energyUnit << '\n'
          << "s = " << number(p.entropy * energyScale) << ' ' << entropyUnit << '\n'
          << "cv = " << number(p.cv * energyScale) << ' ' << entropyUnit << '\n'
          << "cp = " << number(p.cp * energyScale) << ' ' << entropyUnit << '\n'
          << "w = " << number(p.speedOfSound) << " m/s\n"
          << '\n';
}

void Conversation::printHelp() { m_out << kCommandsHelp; }

void Conversation::lineTooLong()
{
    error("line longer than " + std::to_string(kMostLineBytes) + " bytes; ignored");
}

void Conversation::error(const std::string& text)
{
    m_out << "error: " << text << '\n';
}

} // namespace qrv::vaptab

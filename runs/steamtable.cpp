#include "runs/steamtable.h"

#include "base/numberformat.h"
#include "steam/densitysolver.h"

#include <charconv>
#include <exception>

namespace qrv {

namespace {

bool readNumber(std::string_view text, double& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

} // namespace

SteamTableAnswer answerSteamTableQuery(std::string_view query)
{
    SteamTableAnswer answer;
    answer.query = std::string(query);
    const auto comma = query.find(',');
    if (comma == std::string_view::npos || !readNumber(query.substr(0, comma), answer.pressurePa)
        || !readNumber(query.substr(comma + 1), answer.temperatureK)) {
        answer.error = "the state \"" + answer.query + "\" is not pressure,temperature";
        return answer;
    }
    try {
        const steam::Properties properties = steam::stateAt(answer.pressurePa, answer.temperatureK).properties;
        answer.entropy = properties.entropy;
        answer.cv = properties.cv;
    } catch (const std::exception& failure) { // OutOfRange, or a density that did not converge
        answer.error = failure.what();
    }
    return answer;
}

std::string exactText(double value)
{
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return ec == std::errc() ? std::string(buffer, end) : formatFixed(value, 6);
}

} // namespace qrv

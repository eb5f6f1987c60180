#include "engine/runstorecsv.h"

#include <charconv>
#include <istream>
#include <ostream>
#include <string_view>
#include <system_error>

namespace qrv {

namespace {

constexpr char kSeparator = ',';

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (;;) {
        const auto comma = line.find(kSeparator);
        fields.push_back(trimmed(line.substr(0, comma)));
        if (comma == std::string_view::npos)
            return fields;
        line.remove_prefix(comma + 1);
    }
}

std::string headerLine()
{
    std::string header;
    for (std::size_t i = 0; i < kSeriesFieldNames.size(); ++i) {
        if (i > 0)
            header += kSeparator;
        header += kSeriesFieldNames[i];
    }
    return header;
}

std::string lineError(long lineNumber, std::string_view what)
{
    return "line " + std::to_string(lineNumber) + ": " + std::string(what);
}

// The fields of one run, or the reason they are no run.
std::string parseRecord(std::string_view line, long lineNumber, SeriesRecord& record)
{
    const auto fields = splitFields(line);
    if (fields.size() != std::size_t(SeriesRecord::kFieldCount))
        return lineError(lineNumber, std::to_string(fields.size()) + " fields instead of " +
                                         std::to_string(SeriesRecord::kFieldCount));
    for (int i = 0; i < SeriesRecord::kFieldCount; ++i) {
        const std::string_view text = fields[std::size_t(i)];
        float value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        const std::string name(kSeriesFieldNames[std::size_t(i)]);
        if (error == std::errc::result_out_of_range)
            return lineError(lineNumber, name + " is out of range: \"" + std::string(text) + "\"");
        if (text.empty() || error != std::errc() || end != text.data() + text.size())
            return lineError(lineNumber, name + " is not a number: \"" + std::string(text) + "\"");
        record.field(i) = value;
    }
    return {};
}

} // namespace

bool writeRunStoreCsv(const RunStore& store, std::ostream& out)
{
    out << headerLine() << '\n';
    // Shortest round-trip digits of a float never exceed this.
    char buffer[64];
    for (int r = 1; r <= store.count(); ++r) {
        std::string line;
        for (int i = 0; i < SeriesRecord::kFieldCount; ++i) {
            if (i > 0)
                line += kSeparator;
            const auto result = std::to_chars(buffer, buffer + sizeof buffer, store.record(r).field(i));
            line.append(buffer, result.ptr);
        }
        out << line << '\n';
    }
    out.flush();
    return bool(out);
}

RunStoreCsv readRunStoreCsv(std::istream& in)
{
    RunStoreCsv result;
    std::string line;
    long lineNumber = 0;
    bool headerSeen = false;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (trimmed(line).empty())
            continue;
        if (!headerSeen) {
            if (splitFields(line) != splitFields(headerLine())) {
                result.error = lineError(lineNumber, "the header is not \"" + headerLine() + "\"");
                return result;
            }
            headerSeen = true;
            continue;
        }
        if (result.records.size() >= std::size_t(RunStore::kCapacity)) {
            result.error = lineError(lineNumber, "more than " + std::to_string(RunStore::kCapacity) +
                                                     " runs");
            result.records.clear();
            return result;
        }
        SeriesRecord record;
        result.error = parseRecord(line, lineNumber, record);
        if (!result.ok()) {
            result.records.clear();
            return result;
        }
        result.records.push_back(record);
    }
    if (!headerSeen)
        result.error = "no header line";
    else if (in.bad())
        result.error = lineError(lineNumber + 1, "the text could not be read");
    return result;
}

} // namespace qrv

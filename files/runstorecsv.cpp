#include "files/runstorecsv.h"

#include "base/numberformat.h"
#include "base/trimmed.h"

#include <charconv>
#include <istream>
#include <ostream>
#include <string_view>
#include <system_error>

namespace qrv {

namespace {

constexpr char kSeparator = ',';

// The fields of a line, blanks around them dropped; a field in quotes may hold commas and
// doubled quotes.
std::vector<std::string> splitFields(std::string_view line)
{
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
            field += c;
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == kSeparator && !quoted) {
            fields.emplace_back(trimmed(field));
            field.clear();
        } else {
            field += c;
        }
    }
    fields.emplace_back(trimmed(field));
    return fields;
}

std::string lineError(long lineNumber, std::string_view what)
{
    return "line " + std::to_string(lineNumber) + ": " + std::string(what);
}

// The fields of one run, or the reason they are no run.
std::string parseRecord(std::string_view line, long lineNumber, std::size_t fieldCount, SeriesRecord& record)
{
    const auto fields = splitFields(line);
    if (fields.size() != fieldCount)
        return lineError(lineNumber, std::to_string(fields.size()) + " fields instead of " +
                                         std::to_string(fieldCount));
    for (int i = 0; i < SeriesRecord::kFieldCount; ++i) {
        const std::string& text = fields[std::size_t(i)];
        float value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        const std::string name(kSeriesFieldNames[std::size_t(i)]);
        if (error == std::errc::result_out_of_range)
            return lineError(lineNumber, name + " is out of range: \"" + text + "\"");
        if (text.empty() || error != std::errc() || end != text.data() + text.size())
            return lineError(lineNumber, name + " is not a number: \"" + text + "\"");
        record.field(i) = value;
    }
    return {};
}

} // namespace

std::vector<std::string> csvHeaderNames(const std::vector<std::string>& extraNames)
{
    std::vector<std::string> names(kSeriesFieldNames.begin(), kSeriesFieldNames.end());
    names.insert(names.end(), extraNames.begin(), extraNames.end());
    return names;
}

std::string csvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += kSeparator;
        line += csvField(fields[i]);
    }
    return line;
}

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    return quoted + '"';
}

bool writeRunStoreCsv(const RunStore& store, std::ostream& out, const ExtraCsvColumns& extra)
{
    out << csvLine(csvHeaderNames(extra.names)) << '\n';
    for (int r = 1; r <= store.count(); ++r) {
        const SeriesRecord& run = store.record(r);
        std::vector<std::string> fields;
        for (int i = 0; i < SeriesRecord::kFieldCount; ++i)
            fields.push_back(formatShortest(run.field(i)));
        if (extra.cells) {
            std::vector<std::string> cells = extra.cells(run);
            cells.resize(extra.names.size());
            fields.insert(fields.end(), cells.begin(), cells.end());
        }
        out << csvLine(fields) << '\n';
    }
    out.flush();
    return bool(out);
}

RunStoreCsv readRunStoreCsv(std::istream& in, const std::vector<std::string>& extraNames)
{
    const std::vector<std::string> header = csvHeaderNames(extraNames);
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
            if (splitFields(line) != header) {
                result.error = lineError(lineNumber, "the header is not \"" + csvLine(header) + "\"");
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
        result.error = parseRecord(line, lineNumber, header.size(), record);
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

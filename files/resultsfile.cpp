#include "files/resultsfile.h"

#include "files/fileerror.h"
#include "base/numberformat.h"
#include "base/parsenumber.h"
#include "display/ratioline.h"
#include "files/safewrite.h"
#include "base/trimmed.h"
#include "model/real.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace qrv {

const std::array<const Control*, kResultLineCount> kResultLineControls = [] {
    std::array<const Control*, kResultLineCount> lines{};
    forEachControl(resultswindow::kDescription, [&lines](const Control& control) {
        if (control.fileLine != 0)
            lines.at(std::size_t(control.fileLine - 1)) = &control;
    });
    return lines;
}();

const std::vector<int> kResultNumberLines = [] {
    std::vector<int> numbers;
    for (int number = 1; number <= kResultLineCount; ++number) {
        const Control* control = kResultLineControls[std::size_t(number - 1)];
        if (control == nullptr || control == &resultswindow::kRatio || control->decimals != kText)
            numbers.push_back(number);
    }
    return numbers;
}();

namespace {

constexpr std::uintmax_t kMaxFileBytes = 64 * 1024;
// Editors may put a UTF-8 byte-order mark in front; it is no part of line 1.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

namespace win = resultswindow;

// At least one input line, ratio to pressure, must hold a value.
constexpr int kFirstInputLine = win::kRatio.fileLine;
constexpr int kLastInputLine = win::kWaterPressure.fileLine;

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineBreak(char c) { return c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A number as the windows show one: an optional minus, digits, and a point followed by more
// digits or nothing, within the single-precision range. Never an exponent, "inf" or "nan".
bool isShownNumber(std::string_view text)
{
    const auto digitsFrom = [text](std::size_t from) {
        while (from < text.size() && isDigit(text[from]))
            ++from;
        return from;
    };
    const std::size_t start = text.starts_with('-') ? 1 : 0;
    std::size_t end = digitsFrom(start);
    if (end == start)
        return false;
    if (end < text.size() && text[end] == '.') {
        const std::size_t decimals = end + 1;
        end = digitsFrom(decimals);
        if (end == decimals)
            return false;
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return end == text.size() && ec == std::errc() && std::fabs(value) < kSingleRoundingLimit;
}

// "0.60 (R = 0.30)": the sediment/magma ratio and the water/magma ratio it gives.
bool isSedimentRatio(std::string_view text)
{
    const auto parts = sedimentRatioParts(text);
    return parts && text.ends_with(')') && isShownNumber(parts->sediment) && isShownNumber(parts->water);
}

// Why the texts are not a run the program could have saved; empty when they are one.
std::string numberLinesError(const ResultTexts& texts)
{
    const auto line = [&texts](int number) { return trimmed(texts[std::size_t(number - 1)]); };
    for (const int number : kResultNumberLines) {
        const std::string_view text = line(number);
        if (!text.empty() && !isShownNumber(text) && !(number == win::kRatio.fileLine && isSedimentRatio(text)))
            return "line " + std::to_string(number) + " is not a number";
    }
    for (int number = kFirstInputLine; number <= kLastInputLine; ++number)
        if (!line(number).empty())
            return {};
    return "lines " + std::to_string(kFirstInputLine) + " to " + std::to_string(kLastInputLine)
        + " (the inputs) are empty";
}

// Text files carry no control bytes beyond tabs and line breaks.
bool isBinary(const std::string& content)
{
    for (unsigned char c : content)
        if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7f)
            return true;
    return false;
}

// Splits the content into fields: a quoted field is the text between a pair of quotes,
// anything after its closing quote up to the next separator is dropped; an unquoted field
// runs to the next comma or line end with its leading blanks dropped. Blanks and line
// breaks before a field are skipped.
class FieldReader {
public:
    explicit FieldReader(std::string_view content) : m_text(content) {}

    bool atEnd()
    {
        while (m_pos < m_text.size() && (isBlank(m_text[m_pos]) || isLineBreak(m_text[m_pos])))
            ++m_pos;
        return m_pos >= m_text.size();
    }

    // Call only when atEnd() is false; false when a quote is never closed.
    bool next(std::string& field)
    {
        if (m_text[m_pos] == '"') {
            const auto close = m_text.find('"', m_pos + 1);
            if (close == std::string_view::npos)
                return false;
            field.assign(m_text.substr(m_pos + 1, close - m_pos - 1));
            m_pos = close + 1;
            skipToSeparator();
        } else {
            const auto start = m_pos;
            skipToSeparator();
            field.assign(m_text.substr(start, m_pos - start));
        }
        if (m_pos < m_text.size() && m_text[m_pos] == ',')
            ++m_pos;
        return true;
    }

private:
    void skipToSeparator()
    {
        while (m_pos < m_text.size() && m_text[m_pos] != ',' && !isLineBreak(m_text[m_pos]))
            ++m_pos;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

ResultsFileRead refused(std::string error) { return {std::nullopt, std::move(error)}; }
ResultsFileRead unreadable(std::string error, int systemError) { return {std::nullopt, std::move(error), systemError}; }

// Reads the whole file, at most one byte past the limit so that a larger file is detected
// without reading it all.
std::optional<std::string> readLimited(const std::string& path, ResultsFileRead& failure)
{
    File file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        const int error = errno;
        failure = unreadable(error == ENOENT ? "File not found" : fileErrorText(error), error);
        return std::nullopt;
    }
    std::string content(kMaxFileBytes + 1, '\0');
    const std::size_t got = std::fread(content.data(), 1, content.size(), file.get());
    if (std::ferror(file.get())) {
        failure = unreadable("Device I/O error", EIO);
        return std::nullopt;
    }
    content.resize(got);
    return content;
}

// Zero where the value cannot be stored in single precision.
float storable(double value) { return std::fabs(value) < kSingleRoundingLimit ? roundToSingle(value) : 0.0f; }

} // namespace

ResultTexts resultTextsFrom(const std::function<std::string(std::string_view control)>& caption,
                            float pFinalPa)
{
    ResultTexts texts;
    for (int i = 0; i < kResultLineCount; ++i) {
        const Control* control = kResultLineControls[std::size_t(i)];
        texts[std::size_t(i)] = control != nullptr ? caption(control->name) : formatFixed(double(pFinalPa) / 1e6, 2);
    }
    return texts;
}

std::string writeResultsFile(const std::string& path, const ResultTexts& texts)
{
    std::string content;
    for (const auto& text : texts) {
        // A quote inside a text would end its field early and the file would not read back.
        std::string line = text;
        std::replace(line.begin(), line.end(), '"', '\'');
        content += "\"" + line + "\"\r\n";
    }
    return safeWriteFile(path, content);
}

ResultsFileRead readResultsFile(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
        return unreadable(fileErrorText(ec.value()), ec.value());
    if (!fs::exists(status))
        return unreadable("File not found", ENOENT);
    // Devices and pipes could block or never end.
    if (!fs::is_regular_file(status))
        return unreadable("Bad file mode", fs::is_directory(status) ? EISDIR : EINVAL);
    if (fs::file_size(path, ec) > kMaxFileBytes && !ec)
        return refused("File too large for a results file (over 64 KiB)");

    ResultsFileRead failure;
    const auto content = readLimited(path, failure);
    if (!content)
        return failure;
    if (content->size() > kMaxFileBytes)
        return refused("File too large for a results file (over 64 KiB)");
    if (isBinary(*content))
        return refused("Not a results file: binary content");

    std::string_view text = *content;
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    ResultTexts texts;
    FieldReader reader(text);
    for (auto& field : texts) {
        if (reader.atEnd() || !reader.next(field))
            return refused("Input past end of file");
    }
    if (!reader.atEnd())
        return refused("More than 25 fields: not a results file");
    if (std::string numbers = numberLinesError(texts); !numbers.empty())
        return refused(std::move(numbers));
    return {texts, {}};
}

SeriesRecord recordFromResultTexts(const ResultTexts& texts)
{
    const auto shown = [&texts](const Control& control) { return ParseNumber(texts[std::size_t(control.fileLine - 1)]); };
    SeriesRecord r;
    r.R = shown(win::kRatio);
    r.TMagma = shown(win::kMagmaTemperature);
    r.TWater = shown(win::kWaterTemperature);
    r.PHydroMPa = shown(win::kWaterPressure);
    r.PFinalMPa = ParseNumber(texts[kAmbientPressureLine - 1]);
    r.PEqMPa = shown(win::kEquilibriumState[0]);
    const float volume = shown(win::kEquilibriumState[1]);
    r.RhoEq = volume == 0.0f ? 0.0f : storable(1.0 / double(volume));
    r.TEq = shown(win::kEquilibriumState[2]);
    r.SEq = storable(double(shown(win::kEquilibriumState[3])) * 1000.0);
    r.CRAdiabatic = shown(win::kAdiabatic.ratio);
    r.SFAdiabatic = shown(win::kAdiabatic.steam);
    r.WFAdiabatic = shown(win::kAdiabatic.water);
    r.TFAdiabatic = shown(win::kAdiabaticState[2]);
    r.CRIsothermal = shown(win::kIsothermal.ratio);
    r.SFIsothermal = shown(win::kIsothermal.steam);
    r.WFIsothermal = shown(win::kIsothermal.water);
    r.TFIsothermal = shown(win::kIsothermalState[2]);
    r.XWater = ratioWaterFraction(texts[std::size_t(win::kRatioCaption.fileLine - 1)],
                                  texts[std::size_t(win::kRatio.fileLine - 1)]);
    return r;
}

} // namespace qrv

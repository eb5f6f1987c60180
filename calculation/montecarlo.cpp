#include "calculation/montecarlo.h"

#include "base/numberformat.h"
#include "base/parsenumber.h"
#include "calculation/ratiosweep.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>

namespace qrv {

namespace {

std::uint64_t mixed(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ull;

// Both ends of "A~B" or "A..B" as numbers.
std::optional<std::pair<double, double>> twoNumbers(std::string_view text, std::size_t at, std::size_t length)
{
    const PlainNumber a = readPlainNumber(text.substr(0, at));
    const PlainNumber b = readPlainNumber(text.substr(at + length));
    if (!a.valid || !b.valid || !std::isfinite(a.value) || !std::isfinite(b.value)
        || text.find_first_of(" \t") != std::string_view::npos)
        return std::nullopt;
    return std::pair{a.value, b.value};
}

} // namespace

DistributionText readDistribution(std::string_view text)
{
    const std::string quoted = "\"" + std::string(text) + "\"";
    if (const auto tilde = text.find('~'); tilde != std::string_view::npos) {
        const auto ends = twoNumbers(text, tilde, 1);
        if (!ends)
            return {{}, quoted + " is not MEAN~SD"};
        if (ends->second < 0)
            return {{}, quoted + ": the standard deviation must not be negative"};
        return {Distribution{Distribution::Kind::Normal, ends->first, ends->second}, {}};
    }
    if (const auto dots = text.find(".."); dots != std::string_view::npos) {
        const auto ends = twoNumbers(text, dots, 2);
        if (!ends)
            return {{}, quoted + " is not FROM..TO"};
        if (ends->second < ends->first)
            return {{}, quoted + ": the upper end must not be below the lower"};
        return {Distribution{Distribution::Kind::Uniform, ends->first, ends->second}, {}};
    }
    const PlainNumber number = readPlainNumber(text);
    if (!number.valid || text.find_first_of(" \t") != std::string_view::npos)
        return {{}, quoted + " is neither a number, MEAN~SD nor FROM..TO"};
    return {};
}

std::string distributionText(const Distribution& distribution)
{
    const char* between = distribution.kind == Distribution::Kind::Normal ? "~" : "..";
    return formatShortest(distribution.a) + between + formatShortest(distribution.b);
}

SampleRandom::SampleRandom(std::uint64_t seed, std::uint64_t sample) : m_state(mixed(seed) ^ mixed(sample * kGolden + 1))
{
}

std::uint64_t SampleRandom::next()
{
    return mixed(m_state += kGolden);
}

double SampleRandom::uniform()
{
    return double(next() >> 11) * 0x1.0p-53;
}

double SampleRandom::normal()
{
    const double u1 = 1.0 - uniform(); // in (0, 1]: the logarithm stays finite
    const double u2 = uniform();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

double SampleRandom::draw(const Distribution& distribution)
{
    if (distribution.kind == Distribution::Kind::Normal)
        return distribution.a + distribution.b * normal();
    return distribution.a + (distribution.b - distribution.a) * uniform();
}

bool sampleFailed(const RunResult& run)
{
    return !run.stored || run.faults != 0;
}

std::size_t failedSamples(const UncertaintyResult& result)
{
    return std::size_t(std::count_if(result.runs.begin(), result.runs.end(), sampleFailed));
}

std::vector<double> drawSample(const UncertaintyRequest& request, std::size_t sample)
{
    SampleRandom random(request.seed, sample);
    std::vector<double> values;
    for (const DrawnInput& input : request.drawn)
        values.push_back(random.draw(input.distribution));
    return values;
}

UncertaintyResult runUncertainty(const UncertaintyRequest& request, const StudyProgress& progress, unsigned threads)
{
    UncertaintyResult result;
    result.drawn.resize(request.samples);
    result.runs.resize(request.samples);
    result.finished = runInParallel(request.samples, [&](Calculator& calculator, std::size_t sample) {
        std::vector<double> values = drawSample(request, sample);
        RunRequest run = request.base;
        for (std::size_t k = 0; k < values.size(); ++k)
            setStudyInput(run, request.drawn[k].input, ratioText(values[k]));
        result.runs[sample] = calculator.run(run);
        result.drawn[sample] = std::move(values);
    }, CalculateOptions{WindowTexts::Skipped, request.reference}, progress, threads);
    return result;
}

Spread spreadOf(std::vector<double> values)
{
    std::erase_if(values, [](double v) { return std::isnan(v); });
    constexpr double none = std::numeric_limits<double>::quiet_NaN();
    Spread spread{values.size(), none, none, none, none, none, none, none};
    if (values.empty())
        return spread;
    std::sort(values.begin(), values.end());
    const double n = double(values.size());
    spread.mean = std::accumulate(values.begin(), values.end(), 0.0) / n;
    if (values.size() > 1) {
        double squares = 0;
        for (const double v : values)
            squares += (v - spread.mean) * (v - spread.mean);
        spread.sd = std::sqrt(squares / (n - 1));
    }
    const auto percentile = [&values](double p) {
        const double at = p / 100.0 * double(values.size() - 1);
        const auto below = std::size_t(std::floor(at));
        const std::size_t above = std::min(below + 1, values.size() - 1);
        return values[below] + (at - double(below)) * (values[above] - values[below]);
    };
    spread.p5 = percentile(5);
    spread.p25 = percentile(25);
    spread.p50 = percentile(50);
    spread.p75 = percentile(75);
    spread.p95 = percentile(95);
    return spread;
}

std::array<std::pair<std::string_view, double>, 7> spreadFigures(const Spread& spread)
{
    return {{{"mean", spread.mean},
             {"sd", spread.sd},
             {"p5", spread.p5},
             {"p25", spread.p25},
             {"p50", spread.p50},
             {"p75", spread.p75},
             {"p95", spread.p95}}};
}

} // namespace qrv

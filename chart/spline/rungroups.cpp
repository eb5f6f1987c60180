#include "chart/spline/rungroups.h"

#include "base/numberformat.h"

#include <array>
#include <bit>
#include <cstdint>
#include <map>

namespace qrv {

namespace {

// The inputs of a run, as the store keeps them.
enum Input { Ratio, TMagma, TInit, PInit, PFinal, XWater, kInputCount };

using InputValues = std::array<float, kInputCount>;

InputValues inputsOf(const SeriesRecord& run)
{
    return {run.R, run.TMagma, run.TWater, run.PHydroMPa, run.PFinalMPa, run.XWater};
}

bool isSediment(const SeriesRecord& run)
{
    return run.XWater != 1.0f;
}

// The input the X axis shows, which varies along a curve; against an equilibrium quantity
// that is the ratio, which moves the equilibrium.
Input inputOnTheAxis(int xField)
{
    switch (xField) {
    case 1: return TMagma;
    case 2: return TInit;
    case 3: return PInit;
    default: return Ratio;
    }
}

// Same number, same bits: 0 and -0 alike, every NaN of a file alike.
std::uint32_t bitsOf(float value)
{
    if (value == 0.0f)
        return 0;
    if (value != value)
        return 0x7fc00000u;
    return std::bit_cast<std::uint32_t>(value);
}

// Pressures keep two decimals below 10 MPa, as the input window shows them: "0.10 MPa".
std::string pressureText(float megapascals)
{
    std::string text = formatGeneral(megapascals);
    if (megapascals >= 10.0f || megapascals <= -10.0f)
        return text;
    const auto point = text.find('.');
    const std::size_t decimals = point == std::string::npos ? 0 : text.size() - point - 1;
    if (point == std::string::npos)
        text += '.';
    if (decimals < 2)
        text.append(2 - decimals, '0');
    return text;
}

std::string ratioName(bool sediment)
{
    return sediment ? "Rs" : "R";
}

// How the legend names one input of a curve: "TMagma 1073 K".
std::string inputLabel(Input input, const SeriesRecord& run)
{
    switch (input) {
    case Ratio: return ratioName(isSediment(run)) + " " + formatGeneral(run.R);
    case TMagma: return "TMagma " + formatGeneral(run.TMagma) + " K";
    case TInit: return "TInit " + formatGeneral(run.TWater) + " K";
    case PInit: return "PInit " + pressureText(run.PHydroMPa) + " MPa";
    case PFinal: return "PFinal " + pressureText(run.PFinalMPa) + " MPa";
    case XWater: return "X " + formatGeneral(run.XWater);
    case kInputCount: break;
    }
    return {};
}

std::string joined(const std::vector<std::string>& parts, const char* separator)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

// The shared inputs in words, from a run that has them: "TMagma 1473 K, water 298 K at
// 0.10 MPa, ambient 0.10 MPa".
std::string sharedConditions(const std::array<bool, kInputCount>& shared, const SeriesRecord& run)
{
    std::vector<std::string> parts;
    if (shared[Ratio])
        parts.push_back(inputLabel(Ratio, run));
    if (shared[TMagma])
        parts.push_back(inputLabel(TMagma, run));
    const bool sediment = shared[XWater] && isSediment(run);
    std::string water;
    // Appended piece by piece: GCC 12 at -O3 takes a literal prepended to a temporary string
    // for an overlapping copy (-Wrestrict) and stops a Release build with warnings as errors.
    if (shared[TInit])
        water.append(" ").append(formatGeneral(run.TWater)).append(" K");
    if (shared[PInit])
        water.append(" at ").append(pressureText(run.PHydroMPa)).append(" MPa");
    if (sediment)
        water.append(" (X ").append(formatGeneral(run.XWater)).append(")");
    if (!water.empty())
        parts.push_back((sediment ? "sediment" : "water") + water);
    if (shared[PFinal])
        parts.push_back("ambient " + pressureText(run.PFinalMPa) + " MPa");
    return joined(parts, ", ");
}

const char* const kInputNames[kInputCount] = {"R", "TMagma", "TInit", "PInit", "PFinal", "X"};

} // namespace

RunGroups groupRuns(const RunStore& store, int xField)
{
    RunGroups result;
    if (store.count() == 0)
        return result;
    const Input onAxis = inputOnTheAxis(xField);

    std::map<std::array<std::uint32_t, kInputCount>, std::size_t> groupOfKey;
    std::vector<int> firstRuns;
    for (int i = 1; i <= store.count(); ++i) {
        const SeriesRecord& run = store.record(i);
        result.anySediment = result.anySediment || isSediment(run);
        result.allSediment = i == 1 ? isSediment(run) : result.allSediment && isSediment(run);
        const InputValues values = inputsOf(run);
        std::array<std::uint32_t, kInputCount> key{};
        for (int input = 0; input < kInputCount; ++input)
            key[std::size_t(input)] = input == onAxis ? 0 : bitsOf(values[std::size_t(input)]);
        const auto [found, added] = groupOfKey.emplace(key, result.groups.size());
        if (added) {
            result.groups.emplace_back();
            firstRuns.push_back(i);
        }
        result.groups[found->second].runs.push_back(i);
    }

    // An input is shared when every curve has the same value of it.
    std::array<bool, kInputCount> shared{};
    std::vector<std::string> differing;
    const InputValues first = inputsOf(store.record(firstRuns.front()));
    for (int input = 0; input < kInputCount; ++input) {
        bool same = input != onAxis;
        for (const int run : firstRuns)
            same = same && bitsOf(inputsOf(store.record(run))[std::size_t(input)]) == bitsOf(first[std::size_t(input)]);
        shared[std::size_t(input)] = same;
        if (!same && input != onAxis)
            differing.emplace_back(input == Ratio ? ratioName(result.allSediment) : kInputNames[input]);
    }

    const std::string sharedText = sharedConditions(shared, store.record(firstRuns.front()));
    if (result.groups.size() == 1) {
        result.conditions = sharedText;
        return result;
    }
    result.conditions = "mixed conditions: " + joined(differing, ", ") + " by curve";
    if (!sharedText.empty())
        result.conditions += "; " + sharedText;
    for (std::size_t g = 0; g < result.groups.size(); ++g) {
        std::vector<std::string> labels;
        for (int input = 0; input < kInputCount; ++input)
            if (!shared[std::size_t(input)] && input != onAxis)
                labels.push_back(inputLabel(Input(input), store.record(firstRuns[g])));
        result.groups[g].legend = joined(labels, ", ");
    }
    return result;
}

} // namespace qrv

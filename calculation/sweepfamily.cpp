#include "calculation/sweepfamily.h"

#include "base/parsenumber.h"
#include "calculation/ratiosweep.h"
#include "model/real.h"
#include "base/trimmed.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace qrv {

namespace {

// Two values are the same member when a run stores them alike: equal as typed numbers, or as
// the single-precision values the input window keeps.
bool sameMember(double a, double b)
{
    const auto storable = [](double v) { return std::fabs(v) < kSingleRoundingLimit; };
    return a == b || (storable(a) && storable(b) && roundToSingle(a) == roundToSingle(b));
}

} // namespace

const std::array<FamilyInputName, 5> kFamilyInputs = {{
    {FamilyInput::TMagma, "tmagma", "TMagma", "K"},
    {FamilyInput::TInit, "tinit", "TInit", "K"},
    {FamilyInput::PInit, "pinit", "PInit", "MPa"},
    {FamilyInput::PFinal, "pfinal", "PFinal", "MPa"},
    {FamilyInput::X, "x", "X", ""},
}};

const FamilyInputName& familyInputName(FamilyInput input)
{
    const auto found = std::find_if(kFamilyInputs.begin(), kFamilyInputs.end(),
                                    [input](const FamilyInputName& name) { return name.input == input; });
    if (found == kFamilyInputs.end())
        throw std::invalid_argument("a sweep without a family has no family input");
    return *found;
}

std::string SweepFamily::memberLabel(std::size_t member) const
{
    if (input == FamilyInput::None)
        return {};
    const FamilyInputName& name = familyInputName(input);
    // Appended piece by piece: GCC 12 at -O3 takes a literal prepended to a temporary string
    // for an overlapping copy (-Wrestrict) and stops a Release build with warnings as errors.
    std::string label(name.name);
    label.append(" ").append(values.at(member));
    if (!name.unit.empty())
        label.append(" ").append(name.unit);
    return label;
}

FamilyValues readFamilyValues(std::string_view list)
{
    FamilyValues read;
    std::vector<double> numbers;
    std::size_t start = 0;
    while (true) {
        const auto comma = list.find(',', start);
        const std::string_view value = trimmed(list.substr(start, comma - start));
        if (value.empty())
            return {{}, "every value needs a number between the commas"};
        const PlainNumber number = readPlainNumber(value);
        if (!number.valid)
            return {{}, std::string("\"").append(value).append("\" is not a number")};
        // Equal members would be the same runs twice, and would write to the same results files.
        const auto same = std::find_if(numbers.begin(), numbers.end(), [&number](double earlier) {
            return sameMember(earlier, number.value);
        });
        if (same != numbers.end())
            return {{}, std::string("\"")
                            .append(value)
                            .append("\" is the same value as \"")
                            .append(read.values[std::size_t(same - numbers.begin())])
                            .append("\"; give each value once")};
        numbers.push_back(number.value);
        read.values.emplace_back(value);
        if (comma == std::string_view::npos)
            return read;
        start = comma + 1;
    }
}

RunRequest familyMember(const RunRequest& base, const SweepFamily& family, std::size_t member)
{
    RunRequest request = base;
    if (family.input == FamilyInput::None)
        return request;
    const std::string& value = family.values.at(member);
    InputTexts& in = request.inputs;
    switch (family.input) {
    case FamilyInput::TMagma: in.tMagma = value; break;
    case FamilyInput::TInit: in.tInit = value; break;
    case FamilyInput::PInit: in.pInit = value; break;
    case FamilyInput::PFinal: in.pFinal = value; break;
    case FamilyInput::X:
        in.waterFraction = value;
        in.sedimentMode = true;
        break;
    case FamilyInput::None: break;
    }
    return request;
}

bool runFamilySweep(const RunRequest& base, const SweepFamily& family, const std::vector<double>& ratios,
                    const std::function<bool(std::size_t member, const SweepRun&)>& onRun, CalculateOptions options)
{
    for (std::size_t member = 0; member < family.memberCount(); ++member) {
        const bool finished = runSweep(familyMember(base, family, member), ratios,
                                       [&](const SweepRun& run) { return onRun(member, run); }, options);
        if (!finished)
            return false;
    }
    return true;
}

} // namespace qrv

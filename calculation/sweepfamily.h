// A family of sweeps: one more input of the input window (magma temperature, water
// temperature or pressure, ambient pressure, or the sediment's water fraction) takes a list
// of values, and every ratio of the sweep is run once for each. A study compares the curves
// of the members: basalt, andesite and rhyolite temperatures, or several depths.
#pragma once

#include "calculation/ratiosweep.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

enum class FamilyInput { None, TMagma, TInit, PInit, PFinal, X };

struct FamilyInputName {
    FamilyInput input;
    std::string_view key; // as qrv-cli's --family takes it: "tmagma"
    std::string_view name; // as charts and tables name it: "TMagma"
    std::string_view unit; // "K", "MPa", or empty for the water fraction
};

// Every input but None, in the order the sweep dialog offers them.
extern const std::array<FamilyInputName, 5> kFamilyInputs;
const FamilyInputName& familyInputName(FamilyInput input);

struct SweepFamily {
    FamilyInput input = FamilyInput::None;
    std::vector<std::string> values; // each member's text for the input, as typed

    // One member without a family: the sweep's own inputs.
    std::size_t memberCount() const { return input == FamilyInput::None ? 1 : values.size(); }
    // "TMagma 1073 K" for a member; empty without a family.
    std::string memberLabel(std::size_t member) const;
};

struct FamilyValues {
    std::vector<std::string> values;
    std::string error; // why the list was refused; empty when it was read
};

// "1073, 1273,1473": at least one value, each a plain number (blanks around it allowed).
FamilyValues readFamilyValues(std::string_view list);

// The inputs of one member: the family's input replaced by the member's value. A member of a
// water-fraction family is a wet sediment.
RunRequest familyMember(const RunRequest& base, const SweepFamily& family, std::size_t member);

// The family's sweeps, member after member, each the one sweep loop (runSweep) over every
// ratio; onRun gets the member's index with each run and stops everything by returning false.
// True when every run of every member ran.
bool runFamilySweep(const RunRequest& base, const SweepFamily& family, const std::vector<double>& ratios,
                    const std::function<bool(std::size_t member, const SweepRun&)>& onRun,
                    CalculateOptions options = kSweepRuns);

} // namespace qrv

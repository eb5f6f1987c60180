// Every scalar field of the calculation state by its name, for the JSON report.
#pragma once

#include "model/calcstate.h"

#include <array>
#include <string_view>

namespace qrv {

struct NumberField {
    std::string_view name;
    float CalcState::*member;
};

struct FlagField {
    std::string_view name;
    bool CalcState::*member;
};

extern const std::array<NumberField, 51> kNumberFields;
extern const std::array<FlagField, 3> kFlagFields;

} // namespace qrv

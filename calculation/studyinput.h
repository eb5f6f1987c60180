// The inputs a study may vary: the ratio and the inputs a family takes, each by the key of
// its qrv-cli option. A map spans two of them, an uncertainty study draws any of them.
#pragma once

#include "calculation/sweepfamily.h"

#include <array>
#include <iterator>
#include <string>
#include <string_view>

namespace qrv {

enum class StudyInput { R, TMagma, TInit, PInit, PFinal, X };

struct StudyInputName {
    StudyInput input = StudyInput::R;
    std::string_view key;  // "tmagma"
    std::string_view name; // "TMagma"
    std::string_view unit; // "K", "MPa", or empty
};

// The ratio, then the inputs a family takes, in their order.
inline constexpr std::array<StudyInputName, 6> kStudyInputs = [] {
    constexpr StudyInput kFamily[] = {StudyInput::TMagma, StudyInput::TInit, StudyInput::PInit, StudyInput::PFinal,
                                      StudyInput::X};
    static_assert(std::size(kFamily) == kFamilyInputs.size());
    std::array<StudyInputName, 6> inputs{};
    inputs[0] = {StudyInput::R, "r", "R", ""};
    for (std::size_t k = 0; k < kFamilyInputs.size(); ++k)
        inputs[k + 1] = {kFamily[k], kFamilyInputs[k].key, kFamilyInputs[k].name, kFamilyInputs[k].unit};
    return inputs;
}();
const StudyInputName& studyInputName(StudyInput input);

// The study input that a family's input is.
StudyInput studyInputOf(FamilyInput input);

// The request with that input's box holding `text`; a water fraction makes it a wet sediment.
void setStudyInput(RunRequest& request, StudyInput input, const std::string& text);

// The text of that input's box.
const std::string& studyInputText(const RunRequest& request, StudyInput input);

} // namespace qrv

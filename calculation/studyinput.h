// The inputs a study may vary: the ratio and the inputs a family takes, each by the key of
// its qrv-cli option. A map spans two of them, an uncertainty study draws any of them.
#pragma once

#include "calculation/sweepfamily.h"

#include <array>
#include <string>
#include <string_view>

namespace qrv {

enum class StudyInput { R, TMagma, TInit, PInit, PFinal, X };

struct StudyInputName {
    StudyInput input;
    std::string_view key;  // "tmagma"
    std::string_view name; // "TMagma"
    std::string_view unit; // "K", "MPa", or empty
};

// In the order of the input window.
extern const std::array<StudyInputName, 6> kStudyInputs;
const StudyInputName& studyInputName(StudyInput input);

// The study input that a family's input is.
StudyInput studyInputOf(FamilyInput input);

// The request with that input's box holding `text`; a water fraction makes it a wet sediment.
void setStudyInput(RunRequest& request, StudyInput input, const std::string& text);

// The text of that input's box.
const std::string& studyInputText(const RunRequest& request, StudyInput input);

} // namespace qrv

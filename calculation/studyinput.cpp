#include "calculation/studyinput.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace qrv {

const StudyInputName& studyInputName(StudyInput input)
{
    const auto found = std::find_if(kStudyInputs.begin(), kStudyInputs.end(),
                                    [input](const StudyInputName& name) { return name.input == input; });
    if (found == kStudyInputs.end())
        throw std::invalid_argument("no such study input");
    return *found;
}

namespace {

template <typename Texts>
auto& box(Texts& in, StudyInput input)
{
    switch (input) {
    case StudyInput::R: return in.ratio;
    case StudyInput::TMagma: return in.tMagma;
    case StudyInput::TInit: return in.tInit;
    case StudyInput::PInit: return in.pInit;
    case StudyInput::PFinal: return in.pFinal;
    case StudyInput::X: break;
    }
    return in.waterFraction;
}

} // namespace

StudyInput studyInputOf(FamilyInput input)
{
    const std::string_view key = familyInputName(input).key;
    return std::find_if(kStudyInputs.begin(), kStudyInputs.end(),
                        [key](const StudyInputName& name) { return name.key == key; })
        ->input;
}

void setStudyInput(RunRequest& request, StudyInput input, const std::string& text)
{
    box(request.inputs, input) = text;
    if (input == StudyInput::X)
        request.inputs.sedimentMode = true;
}

const std::string& studyInputText(const RunRequest& request, StudyInput input)
{
    return box(request.inputs, input);
}

} // namespace qrv

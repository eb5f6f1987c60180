#include "display/enginehost.h"

#include "display/equilibriumwindow.h"
#include "display/resultswindow.h"
#include "display/windowdescription.h"

#include <string>

namespace qrv {

namespace {

constexpr std::string_view kFaultSeparator = " error: ";
constexpr std::string_view kFaultAdvice = "\nTry different values";

std::string_view warningText(ModelWarning warning)
{
    switch (warning) {
    case ModelWarning::RedlichKwongOutOfRange: return "Out of useful range for Redlich-Kwong EOS.";
    case ModelWarning::RedlichKwongExtrapolation: return "Redlich-Kwong extrapolation failed!\nUsing entropy extrapolation.";
    }
    return {};
}

std::string_view stageCaption(PathStage stage)
{
    switch (stage) {
    case PathStage::TwoPhase: return "Two-phase final state";
    case PathStage::Superheated: return "Superheated final state";
    case PathStage::Supercooled: return "Supercooled final state";
    case PathStage::Supercritical: return "Supercritical final state";
    case PathStage::IntoSteamDome: return "Expansion into steam dome";
    }
    return {};
}

std::string faultText(std::string_view routine, std::string_view description)
{
    std::string text(routine);
    text += kFaultSeparator;
    text += description;
    text += kFaultAdvice;
    return text;
}

} // namespace

void EngineHost::faultReported(std::string_view routine, EngineFault fault)
{
    message(faultText(routine, fault.description()), Icon::Critical);
}

void reportFault(EngineHost& host, std::string_view routine, std::string_view description)
{
    host.countFault();
    host.message(faultText(routine, description), Icon::Critical);
}

void EngineHost::warning(ModelWarning warning)
{
    message(warningText(warning), Icon::Critical);
}

void EngineHost::pathStage(PathStage stage)
{
    setText(resultswindow::kPathCaption, stageCaption(stage));
}

void EngineHost::holdProgress()
{
    processEvents();
    pause(1000);
}

void EngineHost::equilibriumFound(const CalcState& s)
{
    if (!showsTexts())
        return;
    showEquilibrium(s, *this);
}

} // namespace qrv

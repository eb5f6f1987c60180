#include "reference/referencepanel.h"

#include "display/resultswindow.h"
#include "reference/runreference.h"

namespace qrv::reference {

namespace {

using resultswindow::kReference;
using resultswindow::ReferencePathControls;

void showNote(EngineHost& host, std::string_view note)
{
    host.setVisible(kReference.note, !note.empty());
    host.setText(kReference.note, note);
}

void showPath(EngineHost& host, const ReferencePathControls& controls, const PathResult& path)
{
    showNumber(host, controls.ratio, path.CR);
    showNumber(host, controls.steam, path.X);
    showNumber(host, controls.finalTemperature, path.TFinal);
    host.setText(controls.phase, phaseName(path.phase));
}

void clearValues(EngineHost& host)
{
    for (const Control* value : {&kReference.temperature, &kReference.pressure})
        host.setText(*value, "");
    for (const ReferencePathControls* path : {&kReference.adiabatic, &kReference.isothermal})
        for (const Control* value : {&path->ratio, &path->steam, &path->finalTemperature, &path->phase})
            host.setText(*value, "");
}

} // namespace

ReferenceOutcome showReference(EngineHost& host, const ReferenceInput& run)
{
    ReferenceOutcome outcome = computeReference(run);
    if (const auto& r = outcome.reference) {
        showNumber(host, kReference.temperature, r->TEq);
        showNumber(host, kReference.pressure, r->PEq / 1e6);
        showPath(host, kReference.adiabatic, r->adiabatic);
        showPath(host, kReference.isothermal, r->isothermal);
    } else {
        clearValues(host);
    }
    showNote(host, referenceNote(outcome));
    return outcome;
}

void clearReference(EngineHost& host)
{
    clearValues(host);
    showNote(host, referenceNote({{}, std::string(kIncompleteRunReason)}));
}

} // namespace qrv::reference

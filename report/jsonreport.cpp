#include "report/jsonreport.h"

#include "report/jsonwriter.h"
#include "report/runend.h"
#include "report/statefields.h"
#include "display/equilibriumwindow.h"
#include "calculation/runresult.h"
#include "base/parsenumber.h"
#include "calculation/sweepfamily.h"
#include "base/version.h"

namespace qrv {

namespace {

// The layout of the reports; docs/qrv.schema.json describes it.
constexpr int kSchema = 1;

std::string_view iconName(Icon icon)
{
    switch (icon) {
    case Icon::Critical: return "critical";
    case Icon::Exclamation: return "exclamation";
    case Icon::Information: return "information";
    case Icon::None: break;
    }
    return "none";
}

// Where the initial water's S and Cv came from.
std::string_view sourceName(InitialValuesSource source)
{
    switch (source) {
    case InitialValuesSource::Typed: return "options";
    case InitialValuesSource::Iapws95: return "IAPWS-95";
    case InitialValuesSource::InputRules: break;
    }
    return "input rules";
}

// Labels are the controls whose names start with "lab" or "Label", whatever the case.
bool isLabel(std::string_view name)
{
    return name.size() >= 3 && (name[0] == 'l' || name[0] == 'L') && name[1] == 'a' && name[2] == 'b';
}

void beginReport(JsonWriter& json)
{
    json.beginObject();
    json.key("schema").value(kSchema).key("version").value(kVersionText);
}

void writeEnd(JsonWriter& json, const RunResult& run)
{
    const RunEnd end = runEnd(run);
    json.key("completed").value(end.completed).key("stage").value(end.stage);
    if (!end.completed)
        json.key("error").value(end.error);
}

void writeTexts(JsonWriter& json, const ResultTexts& texts)
{
    json.key("results_file").beginArray();
    for (const auto& text : texts)
        json.value(text);
    json.endArray();
}

void writeRecord(JsonWriter& json, const std::optional<SeriesRecord>& record)
{
    json.key("record");
    if (!record) {
        json.null();
        return;
    }
    json.beginObject();
    for (int i = 0; i < SeriesRecord::kFieldCount; ++i)
        json.key(kSeriesFieldNames[std::size_t(i)]).value(record->field(i));
    json.endObject();
}

void writePath(JsonWriter& json, std::string_view name, const reference::PathResult& path)
{
    json.key(name).beginObject();
    json.key("CR").value(path.CR).key("TFinal").value(path.TFinal).key("X").value(path.X);
    json.key("phase").value(reference::phaseName(path.phase));
    json.endObject();
}

void writeReference(JsonWriter& json, const std::optional<reference::ReferenceOutcome>& worked)
{
    const reference::ReferenceOutcome outcome = worked.value_or(reference::ReferenceOutcome{{}, "not worked"});
    json.key("reference").beginObject();
    if (const auto& r = outcome.reference) {
        json.key("TEq").value(r->TEq).key("PEq").value(r->PEq).key("SEq").value(r->SEq);
        json.key("RhoEq").value(r->RhoEq).key("outsideValidity").value(r->outsideValidity);
        writePath(json, "adiabatic", r->adiabatic);
        writePath(json, "isothermal", r->isothermal);
    } else {
        json.key("error").value(outcome.reason);
    }
    json.endObject();
}

void writeChecks(JsonWriter& json, const EnergyCheck& check)
{
    json.key("checks").beginObject();
    for (const auto& [key, excess] : {std::pair{"adiabaticEnergyExcess", check.adiabaticExcess},
                                      std::pair{"isothermalEnergyExcess", check.isothermalExcess}}) {
        json.key(key);
        if (excess)
            json.value(*excess);
        else
            json.null();
    }
    json.endObject();
}

// The texts of the equilibrium window's shown values and of the results window's labels.
void writeWindowTexts(JsonWriter& json, const WindowRecord& host)
{
    json.key("windowTexts").beginObject();
    json.key("equilibrium").beginObject();
    forEachControl(equilibriumwindow::kDescription, [&json, &host](const Control& control) {
        if (control.look == Look::Shown)
            json.key(control.name).value(host.text(control.window, control.name));
    });
    json.endObject();
    json.key("results").beginObject();
    for (const auto& [name, control] : host.controls(Window::Results))
        if (isLabel(name))
            json.key(name).value(control.text);
    json.endObject();
    json.endObject();
}

void writeMessages(JsonWriter& json, const WindowRecord& host)
{
    json.key("messages").beginArray();
    for (const auto& message : host.messages)
        json.beginObject().key("text").value(message.text).key("icon").value(iconName(message.icon)).endObject();
    json.endArray();
}

void writeCaptions(JsonWriter& json, const WindowRecord& host)
{
    json.key("captions").beginArray();
    for (const auto& caption : host.captions)
        json.value(caption);
    json.endArray();
}

} // namespace

std::string runJson(const RunResult& run)
{
    JsonWriter json;
    beginReport(json);
    writeEnd(json, run);
    if (run.stage == RunStage::Expanded) {
        for (const auto& field : kNumberFields)
            json.key(field.name).value(run.state.*field.member);
        for (const auto& field : kFlagFields)
            json.key(field.name).value(run.state.*field.member);
        json.key("initial_values_source").value(sourceName(run.source));
        writeWindowTexts(json, run.shown);
        writeTexts(json, run.resultsFile());
        writeRecord(json, run.record);
        writeReference(json, run.reference);
        writeChecks(json, run.energy);
    }
    writeMessages(json, run.shown);
    writeCaptions(json, run.shown);
    json.endObject();
    return json.text();
}

std::string sweepRunJson(const RunResult& run, double ratio, const SweepFamily& family, std::size_t member)
{
    JsonWriter json;
    beginReport(json);
    writeEnd(json, run);
    json.key("ratio").value(ratio);
    if (family.input != FamilyInput::None) {
        const FamilyInputName& input = familyInputName(family.input);
        json.key("member").beginObject();
        json.key("input").value(input.name).key("unit").value(input.unit);
        json.key("value").value(readPlainNumber(family.values.at(member)).value);
        json.endObject();
    }
    writeRecord(json, run.record);
    writeReference(json, run.reference);
    writeChecks(json, run.energy);
    writeMessages(json, run.shown);
    json.endObject();
    return json.text();
}

OpenJson openJson(const ResultTexts& texts, const SeriesRecord& record, const reference::ReferenceOutcome& reference)
{
    JsonWriter json;
    beginReport(json);
    writeTexts(json, texts);
    writeRecord(json, record);
    writeReference(json, reference);
    json.endObject();
    return {json.text(), json.replacedBytes()};
}

} // namespace qrv

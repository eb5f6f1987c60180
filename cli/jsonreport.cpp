#include "cli/jsonreport.h"

#include "cli/jsonwriter.h"
#include "cli/statefields.h"
#include "engine/equilibriumwindow.h"
#include "engine/recordinghost.h"

namespace qrv::cli {

namespace {

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

// Labels are the controls whose names start with "lab" or "Label", whatever the case.
bool isLabel(std::string_view name)
{
    return name.size() >= 3 && (name[0] == 'l' || name[0] == 'L') && name[1] == 'a' && name[2] == 'b';
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

void writeReference(JsonWriter& json, const reference::ReferenceOutcome& outcome)
{
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

} // namespace

std::string runJson(const CalcState& state, std::string_view initialValuesSource, const RecordingHost& host,
                    const ResultTexts& texts, const std::optional<SeriesRecord>& record,
                    const reference::ReferenceOutcome& reference)
{
    JsonWriter json;
    json.beginObject();
    for (const auto& field : kNumberFields)
        json.key(field.name).value(state.*field.member);
    for (const auto& field : kFlagFields)
        json.key(field.name).value(state.*field.member);
    json.key("initial_values_source").value(initialValuesSource);

    json.key("equilibrium").beginObject();
    forEachControl(equilibriumwindow::kDescription, [&json, &host](const Control& control) {
        if (control.look == Look::Shown)
            json.key(control.name).value(host.text(control.window, control.name));
    });
    json.endObject();

    json.key("labels").beginObject();
    for (const auto& [name, control] : host.controls(Window::Results))
        if (isLabel(name))
            json.key(name).value(control.text);
    json.endObject();

    writeTexts(json, texts);
    writeRecord(json, record);
    writeReference(json, reference);

    json.key("messages").beginArray();
    for (const auto& message : host.messages())
        json.beginObject().key("text").value(message.text).key("icon").value(iconName(message.icon)).endObject();
    json.endArray();

    json.key("captions").beginArray();
    for (const auto& caption : host.captions())
        json.value(caption);
    json.endArray();

    json.endObject();
    return json.text();
}

OpenJson openJson(const ResultTexts& texts, const SeriesRecord& record)
{
    JsonWriter json;
    json.beginObject();
    writeTexts(json, texts);
    writeRecord(json, record);
    json.endObject();
    return {json.text(), json.replacedBytes()};
}

} // namespace qrv::cli

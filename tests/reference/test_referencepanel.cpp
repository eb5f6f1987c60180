// The reference beside a run as the results window shows it and tables give it: the panel the
// desktop program and qrv-cli fill, and the columns of Export Data and qrv-cli's sweep.
#include "display/recordinghost.h"
#include "display/resultswindow.h"
#include "files/runstorecsv.h"
#include "runs/startupvalues.h"
#include "display/windowtext.h"
#include "model/calcstate.h"
#include "reference/referencecolumns.h"
#include "reference/referencepanel.h"
#include "reference/runreference.h"
#include "tests/reference/storedruns.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace qrv;
using namespace qrv::reference;
using resultswindow::kReference;

namespace {

std::string shown(const RecordingHost& host, const Control& control)
{
    return host.text(control.window, control.name);
}

bool noteShown(const RecordingHost& host)
{
    return host.control(Window::Results, kReference.note.name).visible;
}

// The panel's lines of the results window's text, up to the energy check under it.
std::string panelText(const RecordingHost& host)
{
    const std::string text = windowText(resultswindow::kDescription, host.record());
    const auto start = text.find("IAPWS-95 Reference\n");
    return text.substr(start, text.find("Energy Check\n") - start);
}

// The calculation state of a run with the start-up temperatures and pressures.
CalcState stateOf(float typedRatio, float waterFraction)
{
    CalcState s;
    RecordingHost inputWindow;
    SetDefaults(s, inputWindow);
    s.RInput = typedRatio;
    s.XWater = waterFraction;
    s.RWater = typedRatio * waterFraction;
    return s;
}

} // namespace

TEST(ReferencePanel, WaterRunShowsItsReferenceWithTheValidityFlag)
{
    RecordingHost host;
    const ReferenceOutcome outcome = showReference(host, referenceInputOf(stateOf(0.3f, 1.0f)));
    ASSERT_TRUE(outcome.reference) << outcome.reason;
    const Reference& r = *outcome.reference;
    // The defaults: 907.9 K at about 1216 MPa, beyond the 1000 MPa of IAPWS-95's validity.
    EXPECT_EQ(panelText(host),
              "IAPWS-95 Reference\n"
              "Equilibrium Temperature (K):\t907.9\n"
              "Equilibrium Pressure (MPa):\t1216.5\n"
              "Path:\tAdiabatic\tIsothermal\n"
              "Conversion Ratio (%):\t16.87\t36.29\n"
              "Steam Fraction:\t0.44\t0.93\n"
              "Final Temperature (K):\t372.8\t372.8\n"
              "Final Phase:\ttwo-phase\ttwo-phase\n"
              "Note:\toutside IAPWS-95 validity (extrapolated)\n");
    EXPECT_TRUE(r.outsideValidity);
    // Only the panel's described controls are written.
    for (const auto& [name, state] : host.controls(Window::Results))
        EXPECT_TRUE(findControl(resultswindow::kDescription, name)) << name;
}

TEST(ReferencePanel, SedimentRunCarriesItsRockAndAFlagOnlyWhenOutsideValidity)
{
    RecordingHost host;
    // Rs 3 of a sediment half water: the equilibrium stays near 445 K and 229 MPa.
    const CalcState sediment = stateOf(3.0f, 0.5f);
    const ReferenceInput input = referenceInputOf(sediment);
    EXPECT_EQ(input.mixture, Mixture::SedimentMagma);
    EXPECT_EQ(input.ratio, 3.0);
    EXPECT_EQ(input.XWater, 0.5);
    const ReferenceOutcome outcome = showReference(host, input);
    ASSERT_TRUE(outcome.reference) << outcome.reason;
    EXPECT_FALSE(outcome.reference->outsideValidity);
    EXPECT_EQ(shown(host, kReference.temperature), "444.5");
    EXPECT_EQ(shown(host, kReference.pressure), "228.9");
    EXPECT_EQ(shown(host, kReference.adiabatic.ratio), "4.84");
    EXPECT_EQ(shown(host, kReference.isothermal.ratio), "7.19");
    EXPECT_FALSE(noteShown(host));
    EXPECT_EQ(panelText(host).find("Note"), std::string::npos);

    // The heat capacities are the state's, not assumed.
    CalcState hotterRock = sediment;
    hotterRock.CRock = 2000;
    EXPECT_EQ(referenceInputOf(hotterRock).CRock, 2000);
    EXPECT_LT(computeReference(referenceInputOf(hotterRock)).reference->TEq, outcome.reference->TEq);
}

// The reference's ratio counts only the magma's heat: hot water (liquid at 570 K under
// 10 MPa, three kilograms per kilogram of 1073 K magma) converts more than 100 % of it, within
// IAPWS-95's validity. The note says why; the ratio is shown as it is.
TEST(ReferencePanel, RatioAboveAHundredPercentIsExplainedBesideIt)
{
    RecordingHost host;
    CalcState hot = stateOf(3.0f, 1.0f);
    hot.TMagma = 1073;
    hot.TInit = 570;
    hot.PInit = 10e6f;
    const ReferenceOutcome outcome = showReference(host, referenceInputOf(hot));
    ASSERT_TRUE(outcome.reference) << outcome.reason;
    EXPECT_FALSE(outcome.reference->outsideValidity);
    EXPECT_GT(outcome.reference->adiabatic.CR, 100);
    EXPECT_GT(outcome.reference->isothermal.CR, 100);
    EXPECT_GT(std::stod(shown(host, kReference.isothermal.ratio)), 100);
    EXPECT_TRUE(noteShown(host));
    EXPECT_EQ(shown(host, kReference.note), kAboveMagmaHeatNote);

    // Water at 298 K brings nothing to speak of: no such note.
    hot.TInit = 298;
    const ReferenceOutcome cold = showReference(host, referenceInputOf(hot));
    ASSERT_TRUE(cold.reference) << cold.reason;
    EXPECT_LT(cold.reference->isothermal.CR, 100);
    EXPECT_EQ(shown(host, kReference.note).find(kAboveMagmaHeatNote), std::string::npos);

    // Beyond validity too: both are said.
    Reference both = *outcome.reference;
    both.outsideValidity = true;
    EXPECT_EQ(referenceNote({both, ""}),
              std::string(kOutsideValidityNote) + "; " + std::string(kAboveMagmaHeatNote));
}

TEST(ReferencePanel, WithoutAReferenceOrResultsTheValuesAreEmpty)
{
    RecordingHost host;
    showReference(host, referenceInputOf(stateOf(0.3f, 1.0f)));

    // Ice: the values of the run before go, the note says why.
    CalcState ice = stateOf(0.3f, 1.0f);
    ice.TInit = 270;
    const ReferenceOutcome refused = showReference(host, referenceInputOf(ice));
    ASSERT_FALSE(refused.reference);
    EXPECT_NE(refused.reason.find("ice"), std::string::npos) << refused.reason;
    for (const Control* value : {&kReference.temperature, &kReference.pressure, &kReference.adiabatic.ratio,
                                 &kReference.isothermal.steam, &kReference.adiabatic.finalTemperature,
                                 &kReference.isothermal.phase})
        EXPECT_EQ(shown(host, *value), "") << value->name;
    EXPECT_TRUE(noteShown(host));
    EXPECT_EQ(shown(host, kReference.note), "No reference: " + refused.reason);

    // A failed run: no values, and the note says why.
    showReference(host, referenceInputOf(stateOf(0.3f, 1.0f)));
    clearReference(host);
    EXPECT_EQ(shown(host, kReference.adiabatic.ratio), "");
    EXPECT_EQ(shown(host, kReference.temperature), "");
    EXPECT_TRUE(noteShown(host));
    EXPECT_EQ(shown(host, kReference.note), "No reference: the run did not complete");
}

TEST(ReferenceColumns, OneCellPerColumnInTheStoreUnits)
{
    const std::vector<std::string>& names = referenceColumnNames();
    ASSERT_EQ(names.size(), 15u);
    EXPECT_EQ(names.front(), "IAPWS-95 PEq [MPa]");
    EXPECT_EQ(names[8], "IAPWS-95 PhaseAdiabatic");
    EXPECT_EQ(names.back(), "IAPWS-95 Note");

    const ReferenceOutcome outcome = computeReference(ReferenceInput{});
    const Reference& r = *outcome.reference;
    const std::vector<std::string> full = referenceCells(outcome, CellPrecision::Full);
    const std::vector<std::string> single = referenceCells(outcome, CellPrecision::Single);
    ASSERT_EQ(full.size(), names.size());
    ASSERT_EQ(single.size(), names.size());
    const auto cell = [&](const std::vector<std::string>& cells, std::string_view name) {
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == "IAPWS-95 " + std::string(name))
                return cells[i];
        ADD_FAILURE() << "no column " << name;
        return std::string();
    };
    // Files keep every double; tables to read show its single-precision value.
    const std::pair<std::string_view, double> values[] = {
        {"PEq [MPa]", r.PEq / 1e6},          {"TEq [K]", r.TEq},
        {"SEq [J/kg-K]", r.SEq},             {"CRIsothermal [%]", r.isothermal.CR},
        {"WFAdiabatic", 1 - r.adiabatic.X}, {"TFIsothermal [K]", r.isothermal.TFinal},
    };
    for (const auto& [name, value] : values) {
        EXPECT_EQ(std::stod(cell(full, name)), value) << name;
        EXPECT_EQ(std::stof(cell(single, name)), float(value)) << name;
    }
    EXPECT_NE(cell(full, "TEq [K]"), cell(single, "TEq [K]"));
    EXPECT_EQ(cell(full, "PhaseIsothermal"), "two-phase");
    EXPECT_EQ(cell(full, "Note"), kOutsideValidityNote);

    const std::vector<std::string> none = referenceCells({std::nullopt, "the initial water is ice, say"},
                                                         CellPrecision::Full);
    ASSERT_EQ(none.size(), names.size());
    EXPECT_EQ(std::count(none.begin(), none.end(), std::string()), long(names.size() - 1));
    EXPECT_EQ(none.back(), "No reference: the initial water is ice, say");
}

// Export Data: the stored fields read back exactly, each run with the reference of its own
// inputs beside them.
TEST(ReferenceColumns, ExportedRunsReadBackWithTheirReference)
{
    RunStore store;
    SeriesRecord water = test::storedRun(0.3f, 1.0f);
    water.CRAdiabatic = 16.9f;
    store.append(water);
    SeriesRecord ice = water;
    ice.TWater = 270;
    store.append(ice);

    std::ostringstream out;
    ASSERT_TRUE(writeRunStoreCsvWithReference(store, out));
    std::istringstream in(out.str());
    const RunStoreCsv back = readRunStoreCsv(in, referenceColumnNames());
    ASSERT_TRUE(back.ok()) << back.error << "\n" << out.str();
    ASSERT_EQ(back.records.size(), 2u);
    EXPECT_EQ(back.records[0].CRAdiabatic, 16.9f);
    EXPECT_EQ(back.records[1].TWater, 270.0f);

    std::istringstream lines(out.str());
    std::string line;
    std::getline(lines, line);
    for (const SeriesRecord& run : {water, ice}) {
        std::string cells;
        for (const std::string& cell : referenceCells(computeReference(referenceInputOf(run)), CellPrecision::Full))
            cells.append(",").append(csvField(cell));
        std::getline(lines, line);
        EXPECT_TRUE(line.ends_with(cells)) << line << "\n" << cells;
    }
}

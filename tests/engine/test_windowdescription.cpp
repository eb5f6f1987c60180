// The descriptions of the equilibrium and results windows, and the text rendering that
// Copy All and qrv-cli share.
#include "display/equilibriumwindow.h"
#include "display/recordinghost.h"
#include "files/resultsfile.h"
#include "display/resultswindow.h"
#include "display/windowtext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace qrv;

// Each control belongs to its window under a name of its own, and each results-file line
// but the ambient pressure's keeps exactly one control's caption.
TEST(WindowDescription, NamesAndFileLinesAreOneToOne)
{
    std::vector<int> keptLines;
    for (const WindowDescription* window : {&equilibriumwindow::kDescription, &resultswindow::kDescription}) {
        std::set<std::string_view> names;
        forEachControl(*window, [&](const Control& control) {
            EXPECT_FALSE(control.name.empty()) << window->name;
            EXPECT_TRUE(names.insert(control.name).second) << control.name << " twice in " << window->name;
            EXPECT_EQ(control.window, window->window) << control.name;
            if (control.fileLine != 0)
                keptLines.push_back(control.fileLine);
        });
    }
    std::sort(keptLines.begin(), keptLines.end());
    std::vector<int> expected;
    for (int line = 1; line <= kResultLineCount; ++line)
        if (line != kAmbientPressureLine)
            expected.push_back(line);
    EXPECT_EQ(keptLines, expected);
}

TEST(WindowText, UntouchedControlsReadAsDesignedAndErrorMarksStayHidden)
{
    const RecordingHost host;
    EXPECT_EQ(windowText(equilibriumwindow::kDescription, host.record()),
              "Equilibrium Conditions (SI)\nR = 1.00\nTmagma\nTemperature (K):\t\nEntropy (kJ/kg-K):\t\n"
              "Pressure (MPa):\t\nDensity (kg/m3):\t\nInternal Energy (kJ/kg):\t\nHeat Cap-Cp (kJ/kg K):\t\n"
              "Gamma (Cp/Cv):\t\nSteam fraction (X):\t\n");
    const std::string results = windowText(resultswindow::kDescription, host.record());
    EXPECT_NE(results.find("Equilibrium Phase:\tSaturated Liquid\nAdiabatic Results:\tState\n"), std::string::npos)
        << results;
    EXPECT_EQ(results.find("Error"), std::string::npos) << results;
    EXPECT_EQ(results.find("Calculating"), std::string::npos) << "the status line is not copied";
}

TEST(WindowText, HiddenRowsAndPanelsAreLeftOutAndRewrittenCaptionsGetTheirColon)
{
    using namespace resultswindow;
    RecordingHost host;
    host.setText(kAdiabatic.waterCaption, "Ice Fraction");
    host.setText(kAdiabatic.water, " 0.46 ");
    host.setText(kIsothermal.errorMark, "Isothermal Error");
    host.setVisible(kAdiabatic.errorMark, false);
    host.setVisible(kEquilibriumState[1], false);
    const std::string text = windowText(kDescription, host.record());
    EXPECT_NE(text.find("\nIce Fraction:\t0.46\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nError:\tIsothermal Error\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Volume"), std::string::npos) << text;
    EXPECT_NE(text.find("Equilibrium and Final States:\tEquilibrium\tFinal (Adiab)\tFinal (Iso)\n"),
              std::string::npos);

    host.setVisible(kAdiabatic.frame, false);
    host.setVisible(kReference.frame, false);
    host.setVisible(kEnergyCheck.frame, false);
    const std::string withoutPanel = windowText(kDescription, host.record());
    EXPECT_EQ(withoutPanel.find("Adiabatic"), std::string::npos) << withoutPanel;
    EXPECT_EQ(withoutPanel.find("IAPWS-95"), std::string::npos) << withoutPanel;
    EXPECT_EQ(withoutPanel.find("Ice Fraction"), std::string::npos) << withoutPanel;
    EXPECT_NE(withoutPanel.find("Isothermal Results:\tState\nConversion Ratio (%):\t\n"), std::string::npos)
        << withoutPanel;
}

#include "model/energycheck.h"

#include <gtest/gtest.h>

using qrv::EnergyCheck;
using qrv::energyCheckNote;

// The results window says a sentence per path whose excess is above 1 point, with one
// decimal and a "." whatever the locale; at or below it, or without an excess, nothing.
TEST(EnergyCheckNote, SaysOnlyExcessesAboveOnePoint)
{
    const std::string isothermal = "Energy check: the isothermal work is 23.2 points of conversion ratio more "
                                   "than this run's own states release on that path; the model's figure is "
                                   "shown unchanged.";
    EXPECT_EQ(energyCheckNote({0.0, 23.21}), isothermal);
    EXPECT_EQ(energyCheckNote({2.04, 23.21}),
              "Energy check: the adiabatic work is 2.0 points of conversion ratio more than this run's own "
              "states release on that path; the model's figure is shown unchanged. " + isothermal);
    EXPECT_EQ(energyCheckNote({1.0, 1.0}), "");
    EXPECT_EQ(energyCheckNote({-12.3, 0.31}), "");
    EXPECT_EQ(energyCheckNote({std::nullopt, std::nullopt}), "");
    EXPECT_NE(energyCheckNote({std::nullopt, 1.01}).find("isothermal work is 1.0 points"), std::string::npos);
}

// The quantities a chart can show on its Y axis, by the key that qrv-cli's --y takes, in the
// order of the plot window's Y options. Plain C++, so that qrv-cli names them in its help
// without loading Qt.
#pragma once

#include <array>
#include <string_view>

namespace qrv {

struct YKey {
    std::string_view key;
    std::string_view quantity; // with its unit, as the chart's axis shows it
};

inline constexpr std::array<YKey, 8> kYKeys = {{
    {"cr", "conversion ratio (%)"},
    {"sf", "steam fraction"},
    {"wf", "water fraction"},
    {"ft", "final temperature (K)"},
    {"et", "equilibrium temperature (K)"},
    {"ep", "equilibrium pressure (MPa)"},
    {"ed", "equilibrium density (kg/m3)"},
    {"ee", "equilibrium entropy (kJ/(kg K))"},
}};

} // namespace qrv

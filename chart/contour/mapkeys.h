// What a map can show, by the keys of qrv-cli's map options: the quantity coloured (--z) and
// the inputs its axes may span, each with the title and unit that charts give it. Plain C++,
// so that qrv-cli names them in its help without loading Qt.
#pragma once

#include <array>
#include <string_view>

namespace qrv {

struct MapZKey {
    std::string_view key;
    std::string_view title; // the map's title
    std::string_view quantity; // the colour bar's title, before its unit
    std::string_view unit;
    bool diverging; // a difference, coloured on the map centred on 0
};

inline constexpr std::array<MapZKey, 8> kMapZKeys = {{
    {"cr-adiabatic", "QRV Adiabatic Conversion Ratio", "Adiabatic conversion ratio", "%", false},
    {"cr-isothermal", "QRV Isothermal Conversion Ratio", "Isothermal conversion ratio", "%", false},
    {"ref-cr-adiabatic", "IAPWS-95 Adiabatic Conversion Ratio", "IAPWS-95 adiabatic conversion ratio", "%", false},
    {"ref-cr-isothermal", "IAPWS-95 Isothermal Conversion Ratio", "IAPWS-95 isothermal conversion ratio", "%", false},
    {"diff-adiabatic", "QRV Adiabatic Conversion Ratio minus IAPWS-95", "Adiabatic CR, model minus IAPWS-95",
     "% points", true},
    {"diff-isothermal", "QRV Isothermal Conversion Ratio minus IAPWS-95", "Isothermal CR, model minus IAPWS-95",
     "% points", true},
    {"teq", "QRV Equilibrium Temperature", "Equilibrium temperature", "K", false},
    {"peq", "QRV Equilibrium Pressure", "Equilibrium pressure", "MPa", false},
}};

struct MapAxisKey {
    std::string_view key; // the option's name without its dashes
    std::string_view quantity;
    std::string_view unit;
};

// As the plot window titles these inputs; a map over R of sediment names Rs instead
// ("Sediment/magma ratio Rs").
inline constexpr std::array<MapAxisKey, 6> kMapAxisKeys = {{
    {"r", "Water/magma ratio R", ""},
    {"tmagma", "Magma temperature", "K"},
    {"tinit", "Water temperature", "K"},
    {"pinit", "Hydrostatic pressure", "MPa"},
    {"pfinal", "Ambient pressure", "MPa"},
    {"x", "Water fraction of the sediment X", ""},
}};

} // namespace qrv

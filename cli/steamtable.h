// The steam-table answer for the initial water: what the steam-table program prints for the
// state the input window asks it about, from the same IAPWS-95 library.
#pragma once

#include <string>
#include <string_view>

namespace qrv::cli {

struct SteamTableAnswer {
    std::string query;     // "Pa,K" as the input window types it: "5000000,400.0"
    double pressurePa = 0; // the state the query names
    double temperatureK = 0;
    double entropy = 0;    // J/(kg K)
    double cv = 0;         // J/(kg K)
    std::string error;     // why there is no answer; empty when there is one
};

SteamTableAnswer answerSteamTableQuery(std::string_view query);

// The shortest text that reads back as exactly this value, for the S and Cv boxes.
std::string exactText(double value);

// "5.00 MPa, 400.0 K"
std::string steamTableStateText(const SteamTableAnswer& answer);

// "Initial water S and Cv from IAPWS-95 at 5.00 MPa, 400.0 K: ..." with both values.
std::string steamTableNote(const SteamTableAnswer& answer);

} // namespace qrv::cli

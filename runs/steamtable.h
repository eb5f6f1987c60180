// The steam-table answer for the initial water: what the steam-table program answers for the
// state the input window asks it about, from the same IAPWS-95 library, and the texts that
// carry its S and Cv into a run. Every run that takes S and Cv without asking the program (a
// sweep in the desktop program, qrv-cli) takes them from here.
#pragma once

#include <string>
#include <string_view>

namespace qrv {

struct SteamTableAnswer {
    std::string query;     // "Pa,K" as the input window types it: "5000000,400.0"
    double pressurePa = 0; // the state the query names
    double temperatureK = 0;
    double entropy = 0;    // J/(kg K)
    double cv = 0;         // J/(kg K)
    std::string error;     // why there is no answer; empty when there is one
};

SteamTableAnswer answerSteamTableQuery(std::string_view query);

// The shortest fixed-point text that reads back as exactly this value ("1303.2470138425183"),
// for the S and Cv boxes: the run stores the value as single precision, rounded once.
std::string exactText(double value);

} // namespace qrv

// The input window's Continue and Calculate rules, free of widgets: validation of the
// typed texts, their conversion into the calculation state, and where the initial water's
// entropy and Cv come from. Messages go through the host, as the window shows them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qrv {

struct CalcState;
class EngineHost;

struct InputTexts {
    std::string tMagma;         // txtTMagma, K
    std::string tInit;          // txtTInit, K
    std::string pInit;          // txtPInit, MPa
    std::string pFinal;         // txtPfin, MPa
    std::string ratio;          // txtR: R, or Rs in sediment/magma mode
    std::string waterFraction;  // txtXmix
    bool sedimentMode = false;  // optSM selected
};

enum class ContinueOutcome {
    Refused,           // a validation message was shown; nothing more happens
    SteamTableRequest, // the initial water needs steam-table S and Cv: open the lower pane
    Calculate,         // S and Cv are known: write them into the boxes and run Calculate
};

// The water (or wet sediment) before interaction, whose entropy and Cv the run needs.
struct WaterState {
    float temperatureK = 0;
    float pressurePa = 0;
};

struct ContinueResult {
    ContinueOutcome outcome = ContinueOutcome::Refused;
    // SteamTableRequest: the water whose S and Cv are asked for. It becomes the calculation's
    // TInit and PInit only when Calculate accepts values for it.
    WaterState askedWater;
    std::optional<std::string> waterFractionText; // txtXmix rewritten in "0.00"
    std::optional<std::string> initialPressureText; // txtPInit raised to the 2000 Pa floor: "0.002"
    std::string steamTableQuery; // SteamTableRequest: PInit in Pa "0", comma, TInit "0.0"
    std::string entropyText;     // Calculate: SInit in general number format, for txtSInit
    std::string cvText;          // Calculate: CvInit in general number format, for txtCvInit
};

ContinueResult applyContinue(CalcState& s, const InputTexts& texts, EngineHost& host);

// Why the steam table cannot answer a SteamTableRequest, naming the boxes and what was typed
// in them; empty when it can. The input window says it before the steam-table pane opens, so
// that a mistyped state is seen at once while values read elsewhere can still be typed.
std::string steamTableRefusal(const ContinueResult& asked, const InputTexts& texts);

// The refusal of a box whose whole text is not a plain decimal number: the box named by its
// caption, what was typed, and for a comma where the decimal point goes.
std::string notANumberMessage(std::string_view caption, std::string_view typed);

// Stores S, Cv and the heating mode, and with them the water they were asked for, if any;
// false after a message when a box is empty or not a number.
bool applyCalculate(CalcState& s, std::string_view entropyText, std::string_view cvText, bool constantVolume,
                    const std::optional<WaterState>& askedWater, EngineHost& host);

} // namespace qrv

#include "inputrules.h"

#include "calcstate.h"
#include "enginehost.h"
#include "numberformat.h"
#include "parsenumber.h"
#include "real.h"

namespace qrv {

namespace {

constexpr std::string_view kMissingValues = "Please enter all values!";

// Above this confining pressure the initial water's S and Cv are taken as fixed values
// instead of asking the steam table.
constexpr float kHighPressurePa = 98700000.0f;
constexpr float kHighPressureEntropy = 334.1535f;
constexpr float kHighPressureCv = 3876.879f;

// The start-up water state, whose S and Cv are already held.
constexpr float kStartTemperatureK = 298.0f;
constexpr float kStartPressurePa = 100000.0f;

// The steam table has no rows below 2000 Pa.
constexpr float kLowestPressurePa = 2000.0f;
constexpr std::string_view kLowestPressureText = "0.002";

// At or below freezing the initial water is ice with these nominal values.
constexpr float kFreezingK = 273.0f;
constexpr float kIceEntropy = 1.0f;
constexpr float kIceCv = 4000.0f;

float megapascalsToPa(std::string_view text) { return single(Real(ParseNumber(text)) * 1000000.0); }

bool refuse(EngineHost& host, std::string_view text)
{
    host.message(text, Icon::Critical);
    return false;
}

// Steps 2 to 5: the inputs that do not depend on the water state. A failed check leaves the
// fields converted before it with their new values.
bool convertInputs(CalcState& s, const InputTexts& texts, ContinueResult& result, EngineHost& host)
{
    s.TMagma = ParseNumber(texts.tMagma);
    s.EMagma = single((Real(s.TMagma) - 298.0) * s.CMagma);
    s.PFinal = megapascalsToPa(texts.pFinal);
    s.RInput = ParseNumber(texts.ratio);
    if (s.RInput <= 0.0f)
        return refuse(host, "Enter R value > 0");

    s.XWater = 1.0f;
    if (texts.sedimentMode) {
        s.XWater = ParseNumber(texts.waterFraction);
        if (s.XWater <= 0.0f)
            return refuse(host, "Enter X > 0.0");
        if (s.XWater > 1.0f)
            return refuse(host, "Enter X <= 1.0");
        result.waterFractionText = formatFixed(s.XWater, 2);
    }

    s.RInput = ParseNumber(texts.ratio);
    s.RWater = single(Real(s.XWater) * s.RInput);
    if (s.RWater <= 0.0f)
        return refuse(host, "Rmix error");
    return true;
}

// Steps 6 to 8: whether S and Cv are held, fixed, or must come from the steam table.
ContinueOutcome chooseInitialWater(CalcState& s, const InputTexts& texts, ContinueResult& result)
{
    const float tInit = ParseNumber(texts.tInit);
    const float pInit = megapascalsToPa(texts.pInit);
    if (tInit == s.TInit && pInit == s.PInit)
        return ContinueOutcome::Calculate;

    s.PInit = pInit;
    s.TInit = tInit;
    if (s.PInit > kHighPressurePa) {
        s.SInit = kHighPressureEntropy;
        s.CvInit = kHighPressureCv;
        return ContinueOutcome::Calculate;
    }
    if (s.TInit == kStartTemperatureK && s.PInit == kStartPressurePa)
        return ContinueOutcome::Calculate;

    if (s.PInit < kLowestPressurePa) {
        s.PInit = kLowestPressurePa;
        result.initialPressureText = std::string(kLowestPressureText);
    }
    if (s.TInit <= kFreezingK) {
        s.SInit = kIceEntropy;
        s.CvInit = kIceCv;
        return ContinueOutcome::Calculate;
    }
    result.steamTableQuery = formatFixed(s.PInit, 0) + "," + formatFixed(s.TInit, 1);
    return ContinueOutcome::SteamTableRequest;
}

} // namespace

ContinueResult applyContinue(CalcState& s, const InputTexts& texts, EngineHost& host)
{
    ContinueResult result;
    if (texts.pInit.empty() || texts.tInit.empty() || texts.tMagma.empty() || texts.ratio.empty()
        || texts.waterFraction.empty()) {
        host.message(kMissingValues, Icon::Exclamation);
        return result;
    }

    // A magma temperature or pressure beyond the single range cannot be stored; it is refused
    // like any other unusable input instead of ending the program.
    try {
        if (!convertInputs(s, texts, result, host))
            return result;
        result.outcome = chooseInitialWater(s, texts, result);
        if (result.outcome == ContinueOutcome::SteamTableRequest)
            return result;

        // Step 9 reads the boxes again, including a pressure box raised to its floor.
        s.TInit = ParseNumber(texts.tInit);
        s.PInit = megapascalsToPa(result.initialPressureText ? *result.initialPressureText : texts.pInit);
    } catch (const EngineFault& fault) {
        // Texts rewritten before the failure stay rewritten, as the fields stored before it do.
        reportFault(host, "Continue", fault.description());
        result.outcome = ContinueOutcome::Refused;
        return result;
    }
    result.entropyText = formatGeneral(s.SInit);
    result.cvText = formatGeneral(s.CvInit);
    return result;
}

bool applyCalculate(CalcState& s, std::string_view entropyText, std::string_view cvText,
                    bool constantVolume, EngineHost& host)
{
    if (entropyText.empty() || cvText.empty()) {
        host.message(kMissingValues, Icon::Exclamation);
        return false;
    }
    s.SInit = ParseNumber(entropyText);
    s.CvInit = ParseNumber(cvText);
    s.ConstVolume = constantVolume;
    return true;
}

} // namespace qrv

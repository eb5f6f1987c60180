#include "engine/inputrules.h"

#include "engine/enginehost.h"
#include "engine/inputcaptions.h"
#include "engine/numberformat.h"
#include "engine/parsenumber.h"
#include "model/calcstate.h"
#include "model/real.h"

#include <optional>

namespace qrv {

namespace {

constexpr std::string_view kMissingValues = "Please enter all values!";

// The conversion ratio measures the magma's heat from this temperature down.
constexpr float kReferenceTemperatureK = 298.0f;

// Above this confining pressure the initial water's S and Cv are taken as fixed values
// instead of asking the steam table.
constexpr float kHighPressurePa = 98700000.0f;
constexpr float kHighPressureEntropy = 334.1535f;
constexpr float kHighPressureCv = 3876.879f;

// The steam table has no rows below 2000 Pa.
constexpr float kLowestPressurePa = 2000.0f;
constexpr float kLowestPressureMPa = 0.002f;
constexpr std::string_view kLowestPressureText = "0.002";

// At or below freezing the initial water is ice with these nominal values.
constexpr float kFreezingK = 273.0f;
constexpr float kIceEntropy = 1.0f;
constexpr float kIceCv = 4000.0f;

// A typed text longer than this is shortened in messages.
constexpr std::size_t kLongestQuote = 40;

// The numbers typed into the input window, each read whole from its box.
struct TypedValues {
    float tMagma = 0;
    float tInit = 0;
    float pInitMPa = 0;
    float pFinalMPa = 0;
    float ratio = 0;
    float waterFraction = 1;
};

std::string boxName(std::string_view caption)
{
    return std::string(caption.ends_with(':') ? caption.substr(0, caption.size() - 1) : caption);
}

float megapascalsToPa(float megapascals) { return single(Real(megapascals) * 1000000.0); }

bool refuse(EngineHost& host, std::string_view text)
{
    host.message(text, Icon::Critical);
    return false;
}

// A box's value: refused with a message when the text is not a number; a value beyond
// single precision overflows as any stored value does.
std::optional<float> readBox(std::string_view caption, std::string_view text, EngineHost& host)
{
    const PlainNumber number = readPlainNumber(text);
    if (!number.valid) {
        refuse(host, notANumberMessage(caption, text));
        return std::nullopt;
    }
    return single(Real(number.value));
}

// Every box that Continue reads, in the order they stand on the window.
std::optional<TypedValues> readBoxes(const InputTexts& texts, EngineHost& host)
{
    TypedValues v;
    const std::pair<std::string_view, std::pair<const std::string*, float*>> boxes[] = {
        {caption::kMagmaTemperature, {&texts.tMagma, &v.tMagma}},
        {caption::kWaterTemperature, {&texts.tInit, &v.tInit}},
        {caption::kInitialPressure, {&texts.pInit, &v.pInitMPa}},
        {caption::kAmbientPressure, {&texts.pFinal, &v.pFinalMPa}},
        {texts.sedimentMode ? caption::kSedimentRatio : caption::kWaterRatio, {&texts.ratio, &v.ratio}},
    };
    for (const auto& [caption, box] : boxes) {
        const auto value = readBox(caption, *box.first, host);
        if (!value)
            return std::nullopt;
        *box.second = *value;
    }
    // In water/magma mode the disabled fraction box reads "--" and is not read.
    if (texts.sedimentMode) {
        const auto fraction = readBox(caption::kWaterFraction, texts.waterFraction, host);
        if (!fraction)
            return std::nullopt;
        v.waterFraction = *fraction;
    }
    return v;
}

// Temperatures and pressures that no water or magma can have.
bool physicallyPossible(const TypedValues& v, EngineHost& host)
{
    if (!(v.tMagma > kReferenceTemperatureK))
        return refuse(host, boxName(caption::kMagmaTemperature) + " must be above 298 K, the temperature from which "
                                                                  "the conversion ratio measures the magma's heat.");
    if (!(v.tInit > 0.0f))
        return refuse(host, boxName(caption::kWaterTemperature) + " must be above 0 K.");
    if (!(v.pInitMPa > 0.0f))
        return refuse(host, boxName(caption::kInitialPressure) + " must be above 0.");
    if (!(v.pFinalMPa > 0.0f))
        return refuse(host, boxName(caption::kAmbientPressure) + " must be above 0.");
    return true;
}

// Steps 2 to 5: the inputs that do not depend on the water state. A failed check leaves the
// fields converted before it with their new values.
bool convertInputs(CalcState& s, const TypedValues& v, const InputTexts& texts, ContinueResult& result,
                   EngineHost& host)
{
    s.TMagma = v.tMagma;
    s.EMagma = single((Real(s.TMagma) - kReferenceTemperatureK) * s.CMagma);
    s.PFinal = megapascalsToPa(v.pFinalMPa);
    s.RInput = v.ratio;
    if (s.RInput <= 0.0f)
        return refuse(host, "Enter R value > 0");

    s.XWater = 1.0f;
    if (texts.sedimentMode) {
        s.XWater = v.waterFraction;
        if (s.XWater <= 0.0f)
            return refuse(host, "Enter X > 0.0");
        if (s.XWater > 1.0f)
            return refuse(host, "Enter X <= 1.0");
        result.waterFractionText = formatFixed(s.XWater, 2);
    }

    s.RWater = single(Real(s.XWater) * s.RInput);
    if (s.RWater <= 0.0f)
        return refuse(host, "Rmix error");
    return true;
}

// The typed water, its pressure raised to the steam table's floor (the box then reads it).
WaterState typedWater(const TypedValues& v, ContinueResult& result)
{
    WaterState water{v.tInit, megapascalsToPa(v.pInitMPa)};
    if (water.pressurePa < kLowestPressurePa) {
        water.pressurePa = megapascalsToPa(kLowestPressureMPa);
        result.initialPressureText = std::string(kLowestPressureText);
    }
    return water;
}

// Steps 6 to 8: whether S and Cv are held, fixed, or must come from the steam table. The
// calculation state's TInit and PInit are the water that the held S and Cv belong to: held
// values are used only for that water, and water still asked for does not replace it.
ContinueOutcome chooseInitialWater(CalcState& s, const WaterState& water, ContinueResult& result)
{
    if (water.temperatureK == s.TInit && water.pressurePa == s.PInit)
        return ContinueOutcome::Calculate;

    const auto fixedValues = [&s](float entropy, float cv) {
        s.SInit = entropy;
        s.CvInit = cv;
        return ContinueOutcome::Calculate;
    };
    if (water.pressurePa > kHighPressurePa)
        return fixedValues(kHighPressureEntropy, kHighPressureCv);
    if (water.temperatureK == kStartUpTemperatureK && water.pressurePa == kStartUpPressurePa)
        return fixedValues(kStartUpEntropy, kStartUpCv);
    if (water.temperatureK <= kFreezingK)
        return fixedValues(kIceEntropy, kIceCv);
    result.askedWater = water;
    result.steamTableQuery = formatFixed(water.pressurePa, 0) + "," + formatFixed(water.temperatureK, 1);
    return ContinueOutcome::SteamTableRequest;
}

} // namespace

std::string notANumberMessage(std::string_view caption, std::string_view typed)
{
    std::string quoted(typed.substr(0, kLongestQuote));
    if (typed.size() > kLongestQuote)
        quoted += "...";
    std::string text = boxName(caption) + ": \"" + quoted + "\" is not a number.";
    if (typed.find(',') != std::string_view::npos)
        text += "\nUse \".\" as the decimal point (0.5, not 0,5) and no thousands separators.";
    return text;
}

ContinueResult applyContinue(CalcState& s, const InputTexts& texts, EngineHost& host)
{
    ContinueResult result;
    if (texts.pInit.empty() || texts.tInit.empty() || texts.tMagma.empty() || texts.pFinal.empty()
        || texts.ratio.empty() || texts.waterFraction.empty()) {
        host.message(kMissingValues, Icon::Exclamation);
        return result;
    }

    // A value beyond the single range cannot be stored; it is refused like any other
    // unusable input instead of ending the program.
    try {
        const std::optional<TypedValues> values = readBoxes(texts, host);
        if (!values || !physicallyPossible(*values, host) || !convertInputs(s, *values, texts, result, host))
            return result;
        const WaterState water = typedWater(*values, result);
        result.outcome = chooseInitialWater(s, water, result);
        if (result.outcome == ContinueOutcome::SteamTableRequest)
            return result;
        s.TInit = water.temperatureK;
        s.PInit = water.pressurePa;
    } catch (const EngineFault& fault) {
        // Texts rewritten before the failure stay rewritten, as the fields stored before it do.
        host.fault("Continue", fault);
        result.outcome = ContinueOutcome::Refused;
        return result;
    }
    result.entropyText = formatGeneral(s.SInit);
    result.cvText = formatGeneral(s.CvInit);
    return result;
}

bool applyCalculate(CalcState& s, std::string_view entropyText, std::string_view cvText, bool constantVolume,
                    const std::optional<WaterState>& askedWater, EngineHost& host)
{
    if (entropyText.empty() || cvText.empty()) {
        host.message(kMissingValues, Icon::Exclamation);
        return false;
    }
    try {
        const auto entropy = readBox(caption::kEntropy, entropyText, host);
        const auto cv = entropy ? readBox(caption::kCv, cvText, host) : std::nullopt;
        if (!cv)
            return false;
        s.SInit = *entropy;
        s.CvInit = *cv;
        if (askedWater) {
            s.TInit = askedWater->temperatureK;
            s.PInit = askedWater->pressurePa;
        }
    } catch (const EngineFault& fault) {
        host.fault("Calculate", fault);
        return false;
    }
    s.ConstVolume = constantVolume;
    return true;
}

} // namespace qrv

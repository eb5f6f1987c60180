#include "runs/inputrules.h"

#include "display/enginehost.h"
#include "display/inputcaptions.h"
#include "base/numberformat.h"
#include "base/parsenumber.h"
#include "runs/steamtable.h"
#include "model/calcstate.h"
#include "model/real.h"

#include <optional>
#include <vector>

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

// What was typed, in quotes, shortened when long.
std::string quoted(std::string_view typed)
{
    std::string text(typed.substr(0, kLongestQuote));
    if (typed.size() > kLongestQuote)
        text += "...";
    return "\"" + text + "\"";
}

float megapascalsToPa(float megapascals) { return single(Real(megapascals) * 1000000.0); }

bool refuse(EngineHost& host, std::string_view text)
{
    host.message(text, Icon::Critical);
    return false;
}

// A conversion that failed on the value of one box: reported with the box and what was typed.
struct BoxFault {
    EngineFault fault;
    std::string_view caption;
    std::string_view typed;
};

template <typename Convert>
auto fromBox(std::string_view caption, std::string_view typed, Convert convert)
{
    try {
        return convert();
    } catch (const EngineFault& fault) {
        throw BoxFault{fault, caption, typed};
    }
}

// The routine's own words first ("Continue error: Overflow"), then the box and its text.
void reportBoxFault(EngineHost& host, std::string_view routine, const BoxFault& failure)
{
    reportFault(host, routine,
                std::string(failure.fault.description()) + "\n" + boxName(failure.caption) + ": "
                    + quoted(failure.typed) + " is out of range.");
}

// A box's value: refused with a message when the text is not a number; a value beyond
// single precision overflows (BoxFault) as any stored value does.
std::optional<float> readBox(std::string_view caption, std::string_view text, EngineHost& host)
{
    const PlainNumber number = readPlainNumber(text);
    if (!number.valid) {
        refuse(host, notANumberMessage(caption, text));
        return std::nullopt;
    }
    return fromBox(caption, text, [&number] { return single(Real(number.value)); });
}

struct Box {
    std::string_view caption;
    const std::string* text;
    float TypedValues::*value;
    bool read; // false for the disabled water-fraction box of water/magma mode
};

// Every box that Continue reads, in the order they stand on the window.
std::vector<Box> boxesOf(const InputTexts& texts)
{
    return {
        {caption::kMagmaTemperature, &texts.tMagma, &TypedValues::tMagma, true},
        {caption::kWaterTemperature, &texts.tInit, &TypedValues::tInit, true},
        {caption::kInitialPressure, &texts.pInit, &TypedValues::pInitMPa, true},
        {caption::kAmbientPressure, &texts.pFinal, &TypedValues::pFinalMPa, true},
        {texts.sedimentMode ? caption::kSedimentRatio : caption::kWaterRatio, &texts.ratio, &TypedValues::ratio, true},
        {caption::kWaterFraction, &texts.waterFraction, &TypedValues::waterFraction, texts.sedimentMode},
    };
}

// "Please enter all values!" naming the empty boxes among (caption, text); false when none is.
bool refusedAsEmpty(EngineHost& host, const std::vector<std::pair<std::string_view, std::string_view>>& boxes)
{
    std::string empty;
    for (const auto& [caption, text] : boxes)
        if (text.empty())
            empty += (empty.empty() ? "" : ", ") + boxName(caption);
    if (empty.empty())
        return false;
    host.message(std::string(kMissingValues) + "\nEmpty: " + empty + ".", Icon::Exclamation);
    return true;
}

std::optional<TypedValues> readBoxes(const std::vector<Box>& boxes, EngineHost& host)
{
    TypedValues v;
    for (const Box& box : boxes) {
        if (!box.read)
            continue;
        const auto value = readBox(box.caption, *box.text, host);
        if (!value)
            return std::nullopt;
        v.*box.value = *value;
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
    s.EMagma = fromBox(caption::kMagmaTemperature, texts.tMagma,
                       [&s] { return single((Real(s.TMagma) - kReferenceTemperatureK) * s.CMagma); });
    s.PFinal = fromBox(caption::kAmbientPressure, texts.pFinal, [&v] { return megapascalsToPa(v.pFinalMPa); });
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
WaterState typedWater(const TypedValues& v, const InputTexts& texts, ContinueResult& result)
{
    WaterState water{v.tInit,
                     fromBox(caption::kInitialPressure, texts.pInit, [&v] { return megapascalsToPa(v.pInitMPa); })};
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
    std::string text = boxName(caption) + ": " + quoted(typed) + " is not a number.";
    if (typed.find(',') != std::string_view::npos)
        text += "\nUse \".\" as the decimal point (0.5, not 0,5) and no thousands separators.";
    return text;
}

std::string steamTableRefusal(const ContinueResult& asked, const InputTexts& texts)
{
    const SteamTableAnswer answer = answerSteamTableQuery(asked.steamTableQuery);
    if (answer.error.empty())
        return {};
    return "The steam table has no water at " + boxName(caption::kWaterTemperature) + " " + quoted(texts.tInit)
           + " and " + boxName(caption::kInitialPressure) + " " + quoted(asked.initialPressureText.value_or(texts.pInit))
           + ": " + answer.error + ".";
}

ContinueResult applyContinue(CalcState& s, const InputTexts& texts, EngineHost& host)
{
    ContinueResult result;
    const std::vector<Box> boxes = boxesOf(texts);
    std::vector<std::pair<std::string_view, std::string_view>> typed;
    for (const Box& box : boxes)
        typed.emplace_back(box.caption, *box.text);
    if (refusedAsEmpty(host, typed))
        return result;

    // A value beyond the single range cannot be stored; it is refused like any other
    // unusable input instead of ending the program.
    try {
        const std::optional<TypedValues> values = readBoxes(boxes, host);
        if (!values || !physicallyPossible(*values, host) || !convertInputs(s, *values, texts, result, host))
            return result;
        const WaterState water = typedWater(*values, texts, result);
        result.outcome = chooseInitialWater(s, water, result);
        if (result.outcome != ContinueOutcome::Calculate)
            return result;
        s.TInit = water.temperatureK;
        s.PInit = water.pressurePa;
    } catch (const BoxFault& failure) {
        // Texts rewritten before the failure stay rewritten, as the fields stored before it do.
        reportBoxFault(host, "Continue", failure);
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
    if (refusedAsEmpty(host, {{caption::kEntropy, entropyText}, {caption::kCv, cvText}}))
        return false;
    try {
        const auto entropy = readBox(caption::kEntropy, entropyText, host);
        const auto cv = entropy ? readBox(caption::kCv, cvText, host) : std::nullopt;
        if (!cv)
            return false;
        // No water stores heat without warming: a Cv at or below 0 would put the equilibrium
        // at or beyond the magma's temperature.
        if (!(*cv > 0.0f))
            return refuse(host, boxName(caption::kCv) + ": " + quoted(cvText) + " must be above 0.");
        // The water's heat up to the magma's temperature, S T and Cv T, is a single-precision
        // quantity like every stored one: a value whose heat overflows it (Cv 3e38) is beyond
        // the range as surely as one that overflows by itself.
        fromBox(caption::kEntropy, entropyText, [&] { return single(Real(*entropy) * s.TMagma); });
        fromBox(caption::kCv, cvText, [&] { return single(Real(*cv) * s.TMagma); });
        s.SInit = *entropy;
        s.CvInit = *cv;
        if (askedWater) {
            s.TInit = askedWater->temperatureK;
            s.PInit = askedWater->pressurePa;
        }
    } catch (const BoxFault& failure) {
        reportBoxFault(host, "Calculate", failure);
        return false;
    }
    s.ConstVolume = constantVolume;
    return true;
}

} // namespace qrv

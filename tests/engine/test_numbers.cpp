#include "base/numberformat.h"
#include "base/parsenumber.h"
#include "model/real.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using namespace qrv;

TEST(ParseNumber, ReadsTheLongestNumericPrefix)
{
    for (const auto& [text, value] :
         {std::pair{"", 0.0f}, {"False", 0.0f}, {"True", 1.0f}, {"12.5", 12.5f}, {" 7", 7.0f}, {"3.2e", 3.2f},
          {"45 (R = 0.50)", 45.0f}, {"1.00 (R = 0.50)", 1.0f}, {"0.30", 0.3f}, {"-5", -5.0f}, {"abc", 0.0f},
          {"12abc", 12.0f}, {"1e5", 100000.0f}, {".5", 0.5f}, {"0.60 (R = 0.30)", 0.6f}})
        EXPECT_EQ(ParseNumber(text), value) << '"' << text << '"';
}

TEST(ParseNumber, RefusesForeignAndOutOfRangeForms)
{
    for (const char* text : {"inf", "nan", "-infinity", "0x10", "&H10", "1e300", "-", "."})
        EXPECT_EQ(ParseNumber(text), 0.0f) << text;
    EXPECT_EQ(ParseNumber("1,5"), 1.0f);
}

TEST(PlainNumber, OnlyAWholePlainDecimalNumberReads)
{
    const auto reads = [](std::string_view text, double value) {
        const PlainNumber number = readPlainNumber(text);
        EXPECT_TRUE(number.valid) << '"' << text << '"';
        EXPECT_EQ(number.value, value) << '"' << text << '"';
    };
    for (const auto& [text, value] : {std::pair{"1473", 1473.0}, {" 1473.5\t", 1473.5}, {"-5", -5.0}, {"+.5", 0.5},
                                      {"2.", 2.0}, {"3.5E38", 3.5e38}, {"1e-3", 0.001}})
        reads(text, value);
    for (std::string_view text : {"", " ", "1,473", "1473,5", "0,5", "abc", "12abc", "1e", "1e+", "-", ".",
                                  "1 000", "inf", "nan", "0x10", "1.2.3", "--", "True", "False", "1e5 x"})
        EXPECT_FALSE(readPlainNumber(text).valid) << '"' << text << '"';
}

TEST(PlainNumber, BeyondTheDoubleRangeTheSizeStillShows)
{
    EXPECT_EQ(readPlainNumber("1e400").value, HUGE_VAL);
    EXPECT_EQ(readPlainNumber("-0.01e402").value, -HUGE_VAL);
    EXPECT_EQ(readPlainNumber("1" + std::string(400, '0')).value, HUGE_VAL);
    EXPECT_EQ(readPlainNumber("1e-400").value, 0.0);
    EXPECT_EQ(readPlainNumber("123e-402").value, 0.0);
    EXPECT_EQ(readPlainNumber("0." + std::string(400, '0') + "1").value, 0.0);
    EXPECT_EQ(readPlainNumber("1e99999999999999999999").value, HUGE_VAL);
    // The lenient reader still gives 0 for all of them.
    EXPECT_EQ(ParseNumber("1e400"), 0.0f);
    EXPECT_EQ(ParseNumber("1e40"), 0.0f);
}

TEST(NumberFormat, FixedPatternsRoundAndKeepOneIntegerDigit)
{
    const std::tuple<double, int, const char*> cases[] = {
        {0.3f, 2, "0.30"},  {0.3f, 3, "0.300"},   {822.3125, 0, "822"}, {0.535020173, 2, "0.54"},
        {1 - 0.535020173, 2, "0.46"}, {2.5, 0, "3"}, {-2.5, 0, "-3"}, {0.125, 2, "0.13"}, {-0.001, 2, "0.00"},
        {366.93f, 3, "366.930"}, {1.5e9, 0, "1500000000"}};
    for (const auto& [value, decimals, text] : cases)
        EXPECT_EQ(formatFixed(value, decimals), text);
}

TEST(NumberFormat, GeneralFormatIsShortestPlainDecimal)
{
    for (const auto& [value, text] : {std::pair{298.0f, "298"}, {0.3f, "0.3"}, {366.93f, "366.93"},
                                      {4136.766f, "4136.766"}, {1e20f, "100000000000000000000"},
                                      {1.5e-7f, "0.00000015"}, {-2.5e-5f, "-0.000025"}})
        EXPECT_EQ(formatGeneral(value), text);
    EXPECT_EQ(ParseNumber(formatGeneral(3.4028235e38f)), 3.4028235e38f);
}

// CSV and JSON keep every bit: the text reads back as the same value, in its own precision,
// at the longest texts too.
TEST(NumberFormat, ShortestTextReadsBackBitForBit)
{
    std::mt19937_64 random(20);
    std::vector<double> doubles = {997.0854108357236, -std::numeric_limits<double>::denorm_min(),
                                   -std::numeric_limits<double>::min(), -std::numeric_limits<double>::max(),
                                   -0.0, 0.1 + 0.2};
    for (int i = 0; i < 2000; ++i)
        doubles.push_back(std::bit_cast<double>(random()));
    for (const double value : doubles) {
        if (!std::isfinite(value))
            continue;
        const std::string text = formatShortest(value);
        double back = 1;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), back);
        ASSERT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(value)) << text;

        const float single = float(value);
        const std::string singleText = formatShortest(single);
        EXPECT_EQ(std::strtof(singleText.c_str(), nullptr), single) << singleText;
    }
    EXPECT_EQ(formatShortest(0.3f), "0.3");
    EXPECT_EQ(formatShortest(double(0.3f)), "0.30000001192092896");
    EXPECT_EQ(formatShortest(std::numeric_limits<double>::quiet_NaN()), "nan");
}

TEST(CheckedArithmetic, FailuresCarryTheirDescriptions)
{
    auto description = [](auto&& f) {
        try {
            f();
        } catch (const EngineFault& e) {
            return std::string(e.description());
        }
        return std::string("no fault");
    };
    EXPECT_EQ(description([] { return Real(1) / Real(0); }), "Division by zero");
    EXPECT_EQ(description([] { return Real(0) / Real(0); }), "Overflow");
    EXPECT_EQ(description([] { return log(Real(0)); }), "Invalid procedure call or argument");
    EXPECT_EQ(description([] { return sqrt(Real(-1)); }), "Invalid procedure call or argument");
    EXPECT_EQ(description([] { return pow(Real(-2), Real(1.5)); }), "Invalid procedure call or argument");
    EXPECT_EQ(description([] { return exp(Real(1000)); }), "Overflow");
    EXPECT_EQ(description([] { return Real(1e308) * Real(10); }), "Overflow");
    EXPECT_EQ(description([] { return single(Real(1e39)); }), "Overflow");
    EXPECT_EQ(description([] { return int16(Real(32767.6)); }), "Overflow");
    EXPECT_EQ(int16(Real(1000.5)), 1000);
    EXPECT_EQ(int16(Real(999.5)), 1000);
    EXPECT_EQ(pow(Real(-2), Real(3)).value(), -8.0);
}

// The desktop program runs in the user's locale, which may write decimal commas; the numbers
// on screen and in files keep ".". The test's environment provides a comma locale (LOCPATH).
TEST(NumberFormat, DecimalPointHoldsInACommaLocale)
{
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr) << "the comma locale is missing";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    const std::string localeText = probe;
    const std::string fixed = formatFixed(1473.25, 2);
    const std::string general = formatGeneral(0.3f);
    const std::string shortest = formatShortest(997.0854108357236);
    const float parsed = ParseNumber("0.5");
    const bool plain = readPlainNumber("0.5").valid;
    std::setlocale(LC_NUMERIC, before.c_str());

    ASSERT_EQ(localeText, "1,5") << "the locale does not write commas, so it proves nothing";
    EXPECT_EQ(fixed, "1473.25");
    EXPECT_EQ(general, "0.3");
    EXPECT_EQ(shortest, "997.0854108357236");
    EXPECT_EQ(parsed, 0.5f);
    EXPECT_TRUE(plain);
}

// Randomised inputs for the two parsers that read what users and files hand over.
#include "base/numberformat.h"
#include "base/parsenumber.h"
#include "files/resultsfile.h"
#include "model/real.h"
#include "tests/engine/enginetest.h"

#include <cmath>
#include <cstdlib>
#include <random>

using namespace qrv;

namespace {

constexpr unsigned kSeed = 20240611;

std::string randomDigits(std::mt19937& rng, int minCount, int maxCount)
{
    std::string digits(std::uniform_int_distribution<int>(minCount, maxCount)(rng), '0');
    for (char& c : digits)
        c = char('0' + rng() % 10);
    return digits;
}

// A plain decimal that strtod reads completely: sign, digits, point, exponent.
std::string randomNumber(std::mt19937& rng)
{
    std::string text;
    if (rng() % 3 == 0)
        text += rng() % 2 ? "-" : "+";
    const std::string whole = randomDigits(rng, rng() % 4 == 0 ? 0 : 1, 12);
    text += whole;
    if (whole.empty() || rng() % 2)
        text.append(".").append(randomDigits(rng, whole.empty() ? 1 : 0, 10));
    if (rng() % 3 == 0) {
        text += rng() % 2 ? "e" : "E";
        if (rng() % 2)
            text += rng() % 2 ? "-" : "+";
        text += randomDigits(rng, 1, 2);
    }
    return text;
}

// What the lenient parser must give for a number followed by text that cannot extend it.
float expectedValue(const std::string& number)
{
    const double value = std::strtod(number.c_str(), nullptr);
    return std::fabs(value) < kSingleRoundingLimit ? roundToSingle(value) : 0.0f;
}

TEST(FuzzParseNumber, AgreesWithStrtodOnGeneratedNumbers)
{
    std::mt19937 rng(kSeed);
    const std::string tails[] = {"", " ", "  ", " (R = 0.50)", "abc", ",5", "x1", ")", " e", "e", "e+", "%"};
    for (int i = 0; i < 4000; ++i) {
        const std::string number = randomNumber(rng);
        const std::string text = (rng() % 4 == 0 ? " " : "") + number + tails[rng() % std::size(tails)];
        ASSERT_EQ(ParseNumber(text), expectedValue(number)) << '"' << text << '"';
    }
}

TEST(FuzzParseNumber, RandomBytesGiveAFiniteValue)
{
    std::mt19937 rng(kSeed + 1);
    const std::string alphabet = "0123456789+-.eE ,()xTrueFalse\t\r\n\x01\xff";
    for (int i = 0; i < 5000; ++i) {
        std::string text(rng() % 24, ' ');
        for (char& c : text)
            c = rng() % 4 == 0 ? char(rng() % 256) : alphabet[rng() % alphabet.size()];
        const float value = ParseNumber(text);
        ASSERT_TRUE(std::isfinite(value)) << text;
    }
}

class FuzzResultsFile : public test::ScratchFolder {
protected:
    // Reads `content` back through a file and checks the reader's contract.
    ResultsFileRead readContent(const std::string& content)
    {
        const ResultsFileRead read = readResultsFile(writeRaw("f.qrv", content));
        EXPECT_NE(read.texts.has_value(), !read.error.empty());
        if (read.texts) {
            EXPECT_LE(content.size(), 64u * 1024u);
            for (const auto& text : *read.texts)
                EXPECT_LE(text.size(), content.size());
        }
        bool control = false;
        for (unsigned char c : content)
            control |= (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7f;
        if (control) {
            EXPECT_FALSE(read.texts);
        }
        return read;
    }

    // A number as the results window shows it, or nothing now and then.
    static std::string randomShownNumber(std::mt19937& rng)
    {
        if (rng() % 8 == 0)
            return "";
        const double value = std::ldexp(double(rng()) / 4294967296.0 - 0.5, int(rng() % 60) - 30);
        return formatFixed(value, int(rng() % 6));
    }

    static ResultTexts randomTexts(std::mt19937& rng)
    {
        // Everything the writer keeps: printable text, commas, blanks and line breaks, no quotes.
        const std::string alphabet = " ,.-0123456789abcXYZ()/:\r\n\t";
        ResultTexts texts;
        for (auto& text : texts) {
            text.resize(rng() % 20);
            for (char& c : text)
                c = alphabet[rng() % alphabet.size()];
        }
        for (const int line : kResultNumberLines)
            texts[std::size_t(line - 1)] = randomShownNumber(rng);
        if (!texts[1].empty() && rng() % 2)
            texts[1] += " (R = " + formatFixed(double(rng() % 1000) / 100.0, 2) + ")";
        texts[2] = "1473"; // an input, so that the file holds a run
        return texts;
    }
};

TEST_F(FuzzResultsFile, RandomTextsRoundTrip)
{
    std::mt19937 rng(kSeed + 2);
    const std::string file = path("round.qrv");
    for (int i = 0; i < 500; ++i) {
        const ResultTexts texts = randomTexts(rng);
        ASSERT_EQ(writeResultsFile(file, texts), "");
        const ResultsFileRead read = readResultsFile(file);
        ASSERT_TRUE(read.texts) << read.error;
        ASSERT_EQ(*read.texts, texts);
    }
}

TEST_F(FuzzResultsFile, MutatedAndRandomFilesNeverBreakTheReader)
{
    std::mt19937 rng(kSeed + 3);
    std::string valid;
    for (const auto& text : randomTexts(rng))
        valid += "\"" + text + "\"\r\n";
    const std::string inserts[] = {"\"", ",", "\r\n", "\n", " ", "\"\"", std::string(1, '\0'), "\x1a"};

    int accepted = 0;
    for (int i = 0; i < 2000; ++i) {
        std::string content = valid;
        switch (i % 4) {
        case 0: // flipped bytes
            for (int n = 0; n < 1 + int(rng() % 3); ++n)
                content[rng() % content.size()] = char(rng() % 256);
            break;
        case 1: // inserted separators and quotes
            for (int n = 0; n < 1 + int(rng() % 3); ++n)
                content.insert(rng() % content.size(), inserts[rng() % std::size(inserts)]);
            break;
        case 2: // truncated or doubled
            content = rng() % 2 ? content.substr(0, rng() % content.size()) : content + content.substr(rng() % content.size());
            break;
        default: // pure noise
            content.resize(rng() % 400);
            for (char& c : content)
                c = char(rng() % 256);
            break;
        }
        accepted += readContent(content).texts.has_value();
    }
    // Some mutations keep the file readable; the loop must have exercised both outcomes.
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, 2000);
}

} // namespace

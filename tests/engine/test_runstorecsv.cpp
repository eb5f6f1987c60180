#include "files/runstorecsv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <locale>
#include <sstream>

using namespace qrv;

namespace {

// A locale that writes numbers the German or French way, built here because a test machine
// need not have de_DE or fr_FR installed.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

RunStore variedStore()
{
    RunStore store;
    const float special[] = {
        0.1f, -273.15f, 1.0e-30f, 3.4e38f, -7.5e-12f, 1473.0f, 123456.789f,
        std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::min(),
        -std::numeric_limits<float>::max(), 0.0f, -0.0f, 1.0f / 3.0f, 98.765f, 1e7f, 2.5f, 4e-5f,
    };
    for (int r = 0; r < 7; ++r) {
        SeriesRecord record;
        for (int i = 0; i < SeriesRecord::kFieldCount; ++i)
            record.field(i) = special[(i + 3 * r) % std::size(special)] * float(r % 2 ? 1 : -1);
        store.append(record);
    }
    return store;
}

// Every field of every run read back bit for bit.
void expectSameRuns(const std::vector<SeriesRecord>& read, const RunStore& store)
{
    ASSERT_EQ(int(read.size()), store.count());
    for (int r = 1; r <= store.count(); ++r)
        for (int i = 0; i < SeriesRecord::kFieldCount; ++i) {
            const float written = store.record(r).field(i);
            const float back = read[std::size_t(r - 1)].field(i);
            EXPECT_EQ(std::memcmp(&written, &back, sizeof written), 0)
                << "run " << r << " field " << i << ": " << written << " came back as " << back;
        }
}

std::string csvOf(const RunStore& store)
{
    std::ostringstream out;
    EXPECT_TRUE(writeRunStoreCsv(store, out));
    return out.str();
}

RunStoreCsv read(const std::string& text)
{
    std::istringstream in(text);
    return readRunStoreCsv(in);
}

const std::string kHeader =
    "R,TMagma [K],TWater [K],PHydro [MPa],PFinal [MPa],PEq [MPa],TEq [K],RhoEq [kg/m3],"
    "SEq [J/kg-K],CRAdiabatic [%],SFAdiabatic,WFAdiabatic,TFAdiabatic [K],CRIsothermal [%],"
    "SFIsothermal,WFIsothermal,TFIsothermal [K]\n";

std::string row(const std::string& first, int fields = SeriesRecord::kFieldCount)
{
    std::string line = first;
    for (int i = 1; i < fields; ++i)
        line += ",1";
    return line + "\n";
}

} // namespace

TEST(RunStoreCsv, EveryFieldReadsBackBitForBit)
{
    const RunStore store = variedStore();
    const std::string text = csvOf(store);
    EXPECT_EQ(text.substr(0, kHeader.size()), kHeader);

    const RunStoreCsv back = read(text);
    ASSERT_TRUE(back.ok()) << back.error;
    expectSameRuns(back.records, store);
}

TEST(RunStoreCsv, ShortestDigitsAndAnEmptyStore)
{
    RunStore store;
    EXPECT_EQ(csvOf(store), kHeader);
    SeriesRecord record;
    record.R = 0.1f;
    record.TMagma = 1473;
    record.PFinalMPa = -2.5e-7f;
    record.RhoEq = 3.4e38f;
    store.append(record);
    EXPECT_EQ(csvOf(store), kHeader + "0.1,1473,0,0,-2.5e-07,0,0,3.4e+38,0,0,0,0,0,0,0,0,0\n");
}

TEST(RunStoreCsv, CommaDecimalLocaleChangesNothing)
{
    const RunStore store = variedStore();
    const std::string plain = csvOf(store);

    const std::locale comma(std::locale::classic(), new CommaDecimal);
    const std::locale previous = std::locale::global(comma);
    std::ostringstream imbued;
    imbued.imbue(comma);
    // The locale is really in force: ordinary stream output now uses a comma.
    imbued << 1.5;
    const std::string probe = imbued.str();
    imbued.str({});
    writeRunStoreCsv(store, imbued);
    std::ostringstream global;
    writeRunStoreCsv(store, global);
    std::istringstream in(plain);
    in.imbue(comma);
    const RunStoreCsv back = readRunStoreCsv(in);
    std::locale::global(previous);

    EXPECT_EQ(probe, "1,5");
    EXPECT_EQ(imbued.str(), plain);
    EXPECT_EQ(global.str(), plain);
    EXPECT_TRUE(back.ok()) << back.error;
    EXPECT_EQ(int(back.records.size()), store.count());
}

TEST(RunStoreCsv, ToleratesWindowsLineEndsBlankLinesAndSpaces)
{
    std::string header = kHeader;
    header.insert(header.end() - 1, '\r');
    std::string fields = row("3", SeriesRecord::kFieldCount - 2);
    fields.insert(fields.end() - 1, '\r');
    const std::string text = header + "\n \t\n 0.5 ,2e3\t," + fields + "\n";
    const RunStoreCsv back = read(text);
    ASSERT_TRUE(back.ok()) << back.error;
    ASSERT_EQ(back.records.size(), 1u);
    EXPECT_EQ(back.records[0].R, 0.5f);
    EXPECT_EQ(back.records[0].TMagma, 2000.0f);
    EXPECT_EQ(back.records[0].TWater, 3.0f);
    EXPECT_EQ(back.records[0].TFIsothermal, 1.0f);
}

TEST(RunStoreCsv, RefusesBadTextWithTheReason)
{
    struct Case { std::string text, error; };
    std::string tooMany = kHeader;
    for (int r = 0; r <= RunStore::kCapacity; ++r)
        tooMany += row(std::to_string(r));
    const Case cases[] = {
        {"", "no header line"},
        {"\n\r\n", "no header line"},
        {"R;TMagma\n" + row("1"), "line 1: the header is not"},
        {kHeader.substr(0, kHeader.rfind(',')) + "\n", "line 1: the header is not"},
        {kHeader + row("1") + row("1", 16), "line 3: 16 fields instead of 17"},
        {kHeader + row("1", 18), "line 2: 18 fields instead of 17"},
        {kHeader + row("1,5"), "line 2: 18 fields instead of 17"},
        {kHeader + row("abc"), "line 2: R is not a number: \"abc\""},
        {kHeader + row("1.5x"), "line 2: R is not a number: \"1.5x\""},
        {kHeader + row(""), "line 2: R is not a number: \"\""},
        {kHeader + row("0x10"), "line 2: R is not a number: \"0x10\""},
        {kHeader + "1,1e39" + row("", 16), "line 2: TMagma [K] is out of range: \"1e39\""},
        {tooMany, "line " + std::to_string(RunStore::kCapacity + 2) + ": more than "
                      + std::to_string(RunStore::kCapacity) + " runs"},
    };
    for (const Case& c : cases) {
        const RunStoreCsv back = read(c.text);
        EXPECT_FALSE(back.ok()) << c.text;
        EXPECT_EQ(back.error.substr(0, c.error.size()), c.error) << c.text;
        EXPECT_TRUE(back.records.empty()) << c.text;
    }
    // A full store is not "too many".
    tooMany.resize(tooMany.rfind('\n', tooMany.size() - 2) + 1);
    const RunStoreCsv full = read(tooMany);
    EXPECT_TRUE(full.ok()) << full.error;
    EXPECT_EQ(int(full.records.size()), RunStore::kCapacity);
}

// Columns after the stored fields (the IAPWS-95 reference of Export Data): quoted where they
// hold commas or quotes, read past by a reader that knows their names, refused by one that
// does not.
TEST(RunStoreCsv, ExtraColumnsAreQuotedAndReadPast)
{
    EXPECT_EQ(csvField("two-phase"), "two-phase");
    EXPECT_EQ(csvField("above 298 K, where"), "\"above 298 K, where\"");
    EXPECT_EQ(csvField("a \"b\""), "\"a \"\"b\"\"\"");

    const RunStore store = variedStore();
    const ExtraCsvColumns extra{{"Phase", "Note"}, [](const SeriesRecord& run) {
                                    return std::vector<std::string>{std::to_string(int(run.R)), "x, \"y\""};
                                }};
    std::ostringstream out;
    ASSERT_TRUE(writeRunStoreCsv(store, out, extra));
    const std::string text = out.str();
    EXPECT_EQ(text.substr(0, kHeader.size() + 11), kHeader.substr(0, kHeader.size() - 1) + ",Phase,Note\n");
    EXPECT_NE(text.find(",\"x, \"\"y\"\"\"\n"), std::string::npos) << text;

    std::istringstream in(text);
    const RunStoreCsv back = readRunStoreCsv(in, extra.names);
    ASSERT_TRUE(back.ok()) << back.error;
    expectSameRuns(back.records, store);

    EXPECT_EQ(read(text).error.substr(0, 25), "line 1: the header is not");
    std::istringstream oneShort(kHeader.substr(0, kHeader.size() - 1) + ",Phase,Note\n" + row("1", 18));
    EXPECT_EQ(readRunStoreCsv(oneShort, extra.names).error, "line 2: 18 fields instead of 19");
}

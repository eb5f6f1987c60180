#include "engine/resultsfile.h"

#include "tests/data/referenceruns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

using namespace qrv;
namespace fs = std::filesystem;

namespace {

// The sediment run worked out by hand for X = 0.5, Rs = 0.6 and the start-up values.
const ResultTexts kSedimentRun = [] {
    ResultTexts texts;
    const auto& lines = testdata::referenceRun("sediment").lines;
    std::copy(lines.begin(), lines.end(), texts.begin());
    return texts;
}();

class ResultsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        // Per process: other builds may run the same tests at the same time.
        m_dir = fs::temp_directory_path()
                / ("qrv-resultsfile-" + std::string(info->name()) + "-" + std::to_string(getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    std::string writeRaw(const std::string& name, const std::string& content) const
    {
        std::ofstream(path(name), std::ios::binary) << content;
        return path(name);
    }

    static std::string slurp(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    // The texts as quoted CR LF lines, `count` of them from line `first` + 1 on, starting
    // over after line 25.
    static std::string quotedLines(int count, int first = 0)
    {
        std::string content;
        for (int i = first; i < first + count; ++i)
            content += "\"" + kSedimentRun[std::size_t(i % kResultLineCount)] + "\"\r\n";
        return content;
    }

    // The error of reading the run with one text replaced; empty when it reads.
    std::string errorWith(int line, const std::string& text) const
    {
        ResultTexts texts = kSedimentRun;
        texts[std::size_t(line - 1)] = text;
        std::string content;
        for (const auto& t : texts)
            content += "\"" + t + "\"\r\n";
        return readResultsFile(writeRaw("line.qrv", content)).error;
    }

    std::size_t filesInDir() const { return std::size_t(std::distance(fs::directory_iterator(m_dir), {})); }

    fs::path m_dir;
};

// Saved files rely on which control each line keeps.
TEST_F(ResultsFile, TextsComeFromTheResultsWindowAndTheAmbientPressure)
{
    const ResultTexts texts =
        resultTextsFrom([](std::string_view control) { return "<" + std::string(control) + ">"; }, 100000.0f);
    const ResultTexts expected = {
        "<Label3>",   "<LabR>",  "<labTmag>",   "<labT>",    "<labP>",   "0.10",      "<labEx>",
        "<labPe>",    "<labES(0)>", "<labES(1)>", "<labES(2)>", "<labES(3)>", "<labES(4)>", "<labRes(1)>",
        "<labEffa>",  "<labXa>", "<labXaw>",    "<labFSA(2)>", "<labErr2>", "<labRes(2)>", "<labEffi>",
        "<labXi>",    "<labXiw>", "<labFSI(2)>", "<labErr1>",
    };
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(resultTextsFrom([](std::string_view) { return std::string(); }, 2.5e6f)[5], "2.50");
    const std::vector<int> numberLines = {2, 3, 4, 5, 6, 9, 10, 11, 12, 15, 16, 17, 18, 21, 22, 23, 24};
    EXPECT_EQ(kResultNumberLines, numberLines);
}

TEST_F(ResultsFile, WrittenFileIsQuotedCrLfLinesAndReadsBackWhole)
{
    ResultTexts texts = kSedimentRun;
    texts[6] = "NIST: Steam Table Extrapolation\r\n(Redlich-Kwong pressure)";
    texts[12] = "a, b, c";
    const std::string file = path("run.qrv");
    ASSERT_EQ(writeResultsFile(file, texts), "");

    const std::string content = slurp(file);
    EXPECT_EQ(content.substr(0, 47), "\"Sediment/Magma Ratio Rs:\"\r\n\"0.60 (R = 0.30)\"\r\n");
    EXPECT_EQ(content.substr(content.size() - 5), "\" \"\r\n");

    const ResultsFileRead read = readResultsFile(file);
    ASSERT_TRUE(read.texts) << read.error;
    EXPECT_EQ(*read.texts, texts);
    EXPECT_EQ(filesInDir(), 1u); // no temporary left behind

    // Overwriting replaces the old content.
    texts[2] = "1500";
    ASSERT_EQ(writeResultsFile(file, texts), "");
    EXPECT_EQ(readResultsFile(file).texts->at(2), "1500");
}

TEST_F(ResultsFile, QuoteInsideATextIsWrittenSoTheFileStillReads)
{
    ResultTexts texts = kSedimentRun;
    texts[13] = "Steam\"Water";
    ASSERT_EQ(writeResultsFile(path("q.qrv"), texts), "");
    const ResultsFileRead read = readResultsFile(path("q.qrv"));
    ASSERT_TRUE(read.texts) << read.error;
    EXPECT_EQ(read.texts->at(13), "Steam'Water");
}

TEST_F(ResultsFile, FieldRulesForHandWrittenFiles)
{
    // Unquoted fields with leading blanks, several fields on one line, blank lines between.
    std::string content = "\"Water/Magma Ratio R:\",  0.300 ,1473\r\n\r\n\n   298\n";
    for (int i = 4; i < kResultLineCount; ++i)
        content += "\"" + std::to_string(i + 1) + "\"   trailing ignored\r\n";
    const ResultsFileRead read = readResultsFile(writeRaw("hand.qrv", content));
    ASSERT_TRUE(read.texts) << read.error;
    EXPECT_EQ(read.texts->at(0), "Water/Magma Ratio R:");
    EXPECT_EQ(read.texts->at(1), "0.300 ");
    EXPECT_EQ(read.texts->at(2), "1473");
    EXPECT_EQ(read.texts->at(3), "298");
    EXPECT_EQ(read.texts->at(4), "5");
    EXPECT_EQ(read.texts->at(24), "25");

    // An empty field between two commas counts.
    const std::string empties = "\"a\",,\"1473\"\r\n" + quotedLines(22, 3);
    const ResultsFileRead withEmpty = readResultsFile(writeRaw("empty.qrv", empties));
    ASSERT_TRUE(withEmpty.texts) << withEmpty.error;
    EXPECT_EQ(withEmpty.texts->at(1), "");
    EXPECT_EQ(withEmpty.texts->at(2), "1473");

    // A UTF-8 byte-order mark in front is no part of line 1.
    const ResultsFileRead marked = readResultsFile(writeRaw("bom.qrv", "\xEF\xBB\xBF" + quotedLines(25)));
    ASSERT_TRUE(marked.texts) << marked.error;
    EXPECT_EQ(*marked.texts, kSedimentRun);
}

TEST_F(ResultsFile, WrongFieldCountsAndForeignFilesAreRefused)
{
    const auto refusedWith = [](const ResultsFileRead& read) {
        EXPECT_FALSE(read.texts);
        return read.error;
    };
    EXPECT_EQ(refusedWith(readResultsFile(writeRaw("24.qrv", quotedLines(24)))), "Input past end of file");
    EXPECT_EQ(refusedWith(readResultsFile(writeRaw("26.qrv", quotedLines(26)))),
              "More than 25 fields: not a results file");
    EXPECT_EQ(refusedWith(readResultsFile(writeRaw("open.qrv", quotedLines(24) + "\"never closed\r\n"))),
              "Input past end of file");
    EXPECT_EQ(refusedWith(readResultsFile(writeRaw("empty.qrv", ""))), "Input past end of file");
    EXPECT_EQ(refusedWith(readResultsFile(path("missing.qrv"))), "File not found");
    EXPECT_EQ(refusedWith(readResultsFile(m_dir.string())), "Bad file mode");
    EXPECT_EQ(refusedWith(readResultsFile("/dev/zero")), "Bad file mode");
    fs::create_symlink("loop-b.qrv", m_dir / "loop-a.qrv");
    fs::create_symlink("loop-a.qrv", m_dir / "loop-b.qrv");
    EXPECT_EQ(refusedWith(readResultsFile(path("loop-a.qrv"))), "Symbolic link loop");

    std::string binary = quotedLines(25);
    binary[30] = '\0';
    EXPECT_EQ(refusedWith(readResultsFile(writeRaw("nul.qrv", binary))), "Not a results file: binary content");
    binary[30] = '\x1b';
    EXPECT_EQ(refusedWith(readResultsFile(writeRaw("esc.qrv", binary))), "Not a results file: binary content");

    // Eight-bit text is fine.
    std::string latin = quotedLines(25);
    latin[3] = char(0xe9);
    EXPECT_TRUE(readResultsFile(writeRaw("latin.qrv", latin)).texts);
}

TEST_F(ResultsFile, SizeLimitIs64KiB)
{
    const std::string rest = quotedLines(24, 1);
    const std::size_t padding = 64 * 1024 - rest.size() - 4;
    const std::string atLimit = "\"" + std::string(padding, 'x') + "\"\r\n" + rest;
    ASSERT_EQ(atLimit.size(), 64u * 1024u);
    const ResultsFileRead read = readResultsFile(writeRaw("limit.qrv", atLimit));
    ASSERT_TRUE(read.texts) << read.error;
    EXPECT_EQ(read.texts->at(0).size(), padding);

    const ResultsFileRead over = readResultsFile(writeRaw("over.qrv", atLimit + "\n"));
    EXPECT_FALSE(over.texts);
    EXPECT_EQ(over.error, "File too large for a results file (over 64 KiB)");
}

// What the program writes reads leniently, but a line meant for a number holds one as the
// results window shows it, or nothing: anything else would enter the plot as a false run.
TEST_F(ResultsFile, NumberLinesHoldNumbersAsShownOrNothing)
{
    for (const int line : {2, 3, 4, 5, 6, 9, 10, 11, 12, 15, 16, 17, 18, 21, 22, 23, 24}) {
        EXPECT_EQ(errorWith(line, "Once upon a time"), "line " + std::to_string(line) + " is not a number");
        EXPECT_EQ(errorWith(line, ""), "") << line;
    }
    for (const char* text : {"1e400", "1e5", "nan", "inf", "-inf", "0x10", "1\xff" "2", "12abc", "1.2.3", "--5",
                             "+5", ".5", "5.", "-", "1 2", "340282366920938463463374607431768211456000"}) {
        EXPECT_EQ(errorWith(11, text), "line 11 is not a number") << text;
    }
    for (const char* text : {"760.4", "-0.50", "0", "  298  ", "\t1473", "340282346638528859811704183484516925440"})
        EXPECT_EQ(errorWith(11, text), "") << text;

    // The ratio line takes the sediment form too.
    EXPECT_EQ(errorWith(2, "0.60 (R = 0.30)"), "");
    EXPECT_EQ(errorWith(2, "0.300"), "");
    for (const char* text : {"0.60 (R = x)", "0.60 (R = 0.30", "0.60 (R = )", "(R = 0.30)", "0.60 (r = 0.30)"})
        EXPECT_EQ(errorWith(2, text), "line 2 is not a number") << text;
    // Texts beside the numbers are free.
    EXPECT_EQ(errorWith(13, "1e400"), "");
    EXPECT_EQ(errorWith(19, "nan"), "");

    // A file must hold at least one input.
    ResultTexts texts = kSedimentRun;
    for (int line = 2; line <= 5; ++line)
        texts[std::size_t(line - 1)] = " ";
    std::string content;
    for (const auto& t : texts)
        content += "\"" + t + "\"\r\n";
    EXPECT_EQ(readResultsFile(writeRaw("none.qrv", content)).error, "lines 2 to 5 (the inputs) are empty");
    EXPECT_EQ(readResultsFile(writeRaw("commas.qrv", std::string(25, ','))).error,
              "lines 2 to 5 (the inputs) are empty");
    EXPECT_EQ(errorWith(4, ""), "");
}

// The rules of replacing a file are those of safeWriteFile, tested with it.
TEST_F(ResultsFile, FailedWriteIsReported)
{
    EXPECT_EQ(writeResultsFile(path("no-such-folder/run.qrv"), kSedimentRun), "Path not found");
    EXPECT_EQ(writeResultsFile(m_dir.string(), kSedimentRun), "Path/File access error");
    EXPECT_EQ(filesInDir(), 0u);
}

TEST_F(ResultsFile, RecordFromTextsReadsTheDisplayedValues)
{
    const SeriesRecord r = recordFromResultTexts(kSedimentRun);
    EXPECT_EQ(r.R, 0.6f); // Rs, the " (R = ...)" part is not read
    EXPECT_EQ(r.TMagma, 1473.0f);
    EXPECT_EQ(r.TWater, 298.0f);
    EXPECT_EQ(r.PHydroMPa, 0.1f);
    EXPECT_EQ(r.PFinalMPa, 0.1f);
    EXPECT_EQ(r.PEqMPa, 134.9f);
    EXPECT_EQ(r.TEq, 760.4f);
    EXPECT_EQ(r.RhoEq, float(1.0 / double(0.0016f)));
    EXPECT_EQ(r.SEq, float(double(4.24211f) * 1000.0));
    EXPECT_EQ(r.CRAdiabatic, 13.75f);
    EXPECT_EQ(r.SFAdiabatic, 0.48f);
    EXPECT_EQ(r.WFAdiabatic, 0.52f);
    EXPECT_EQ(r.TFAdiabatic, 373.0f);
    EXPECT_EQ(r.CRIsothermal, 33.37f);
    EXPECT_EQ(r.SFIsothermal, 1.0f);
    EXPECT_EQ(r.WFIsothermal, 0.0f);
    EXPECT_EQ(r.TFIsothermal, 434.5f);
    // X of the wet sediment, from "0.60 (R = 0.30)" as the input window reads it back.
    EXPECT_EQ(r.XWater, 0.5f);
    ResultTexts water = kSedimentRun;
    water[0] = "Water/Magma Ratio R:";
    water[1] = "0.300";
    EXPECT_EQ(recordFromResultTexts(water).XWater, 1.0f);
    water[0] = "Sediment/Magma Ratio Rs:";
    water[1] = "0.60";
    EXPECT_EQ(recordFromResultTexts(water).XWater, 0.0f) << "a sediment line without R tells no X";

    ResultTexts odd = kSedimentRun;
    odd[9] = "0";
    odd[11] = "1e37";
    EXPECT_EQ(recordFromResultTexts(odd).RhoEq, 0.0f);
    EXPECT_EQ(recordFromResultTexts(odd).SEq, 0.0f);
    odd[9] = "1e-44";
    EXPECT_EQ(recordFromResultTexts(odd).RhoEq, 0.0f);
}

} // namespace

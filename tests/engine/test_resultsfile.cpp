#include "files/resultsfile.h"
#include "tests/data/referenceruns.h"
#include "tests/engine/enginetest.h"

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

// The texts as quoted CR LF lines.
std::string quoted(const ResultTexts& texts)
{
    std::string content;
    for (const auto& t : texts)
        content += "\"" + t + "\"\r\n";
    return content;
}

class ResultsFile : public test::ScratchFolder {
protected:
    // `count` of the run's quoted lines from line `first` + 1 on, starting over after line 25.
    static std::string quotedLines(int count, int first = 0)
    {
        std::string content;
        for (int i = first; i < first + count; ++i)
            content += "\"" + kSedimentRun[std::size_t(i % kResultLineCount)] + "\"\r\n";
        return content;
    }

    ResultsFileRead readText(const std::string& content) const { return readResultsFile(writeRaw("f.qrv", content)); }

    // The error of reading the run with one text replaced; empty when it reads.
    std::string errorWith(int line, const std::string& text) const
    {
        ResultTexts texts = kSedimentRun;
        texts[std::size_t(line - 1)] = text;
        return readText(quoted(texts)).error;
    }
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
    texts[13] = "Steam\"Water"; // a quote would end the field: it is written as ' so the file still reads
    ASSERT_EQ(writeResultsFile(path("run.qrv"), texts), "");
    const std::string content = slurp("run.qrv");
    EXPECT_EQ(content.substr(0, 47), "\"Sediment/Magma Ratio Rs:\"\r\n\"0.60 (R = 0.30)\"\r\n");
    EXPECT_EQ(content.substr(content.size() - 5), "\" \"\r\n");

    const ResultsFileRead read = readResultsFile(path("run.qrv"));
    ASSERT_TRUE(read.texts) << read.error;
    texts[13] = "Steam'Water";
    EXPECT_EQ(*read.texts, texts);
    EXPECT_EQ(names(), std::vector<std::string>{"run.qrv"}); // no temporary left behind

    texts[2] = "1500";
    ASSERT_EQ(writeResultsFile(path("run.qrv"), texts), "");
    EXPECT_EQ(readResultsFile(path("run.qrv")).texts->at(2), "1500");
}

TEST_F(ResultsFile, FieldRulesForHandWrittenFiles)
{
    // Unquoted fields with leading blanks, several fields on one line, blank lines between.
    std::string content = "\"Water/Magma Ratio R:\",  0.300 ,1473\r\n\r\n\n   298\n";
    for (int i = 4; i < kResultLineCount; ++i)
        content += "\"" + std::to_string(i + 1) + "\"   trailing ignored\r\n";
    const ResultsFileRead read = readText(content);
    ASSERT_TRUE(read.texts) << read.error;
    for (const auto& [index, text] : {std::pair{0, "Water/Magma Ratio R:"}, {1, "0.300 "}, {2, "1473"}, {3, "298"},
                                      {4, "5"}, {24, "25"}})
        EXPECT_EQ(read.texts->at(std::size_t(index)), text);

    // An empty field between two commas counts.
    const ResultsFileRead withEmpty = readText("\"a\",,\"1473\"\r\n" + quotedLines(22, 3));
    ASSERT_TRUE(withEmpty.texts) << withEmpty.error;
    EXPECT_EQ(withEmpty.texts->at(1), "");
    EXPECT_EQ(withEmpty.texts->at(2), "1473");

    // A UTF-8 byte-order mark in front is no part of line 1.
    EXPECT_EQ(readText("\xEF\xBB\xBF" + quotedLines(25)).texts, kSedimentRun);
}

TEST_F(ResultsFile, WrongFieldCountsAndForeignFilesAreRefused)
{
    fs::create_symlink("loop-b.qrv", m_dir / "loop-a.qrv");
    fs::create_symlink("loop-a.qrv", m_dir / "loop-b.qrv");
    std::string nul = quotedLines(25), escape = nul;
    nul[30] = '\0';
    escape[30] = '\x1b';
    const std::pair<ResultsFileRead, const char*> refused[] = {
        {readText(quotedLines(24)), "Input past end of file"},
        {readText(quotedLines(26)), "More than 25 fields: not a results file"},
        {readText(quotedLines(24) + "\"never closed\r\n"), "Input past end of file"},
        {readText(""), "Input past end of file"},
        {readResultsFile(path("missing.qrv")), "File not found"},
        {readResultsFile(m_dir.string()), "Bad file mode"},
        {readResultsFile("/dev/zero"), "Bad file mode"},
        {readResultsFile(path("loop-a.qrv")), "Symbolic link loop"},
        {readText(nul), "Not a results file: binary content"},
        {readText(escape), "Not a results file: binary content"},
    };
    for (const auto& [read, error] : refused) {
        EXPECT_FALSE(read.texts) << error;
        EXPECT_EQ(read.error, error);
    }

    // Eight-bit text is fine.
    std::string latin = quotedLines(25);
    latin[3] = char(0xe9);
    EXPECT_TRUE(readText(latin).texts);
}

TEST_F(ResultsFile, SizeLimitIs64KiB)
{
    const std::string rest = quotedLines(24, 1);
    const std::size_t padding = 64 * 1024 - rest.size() - 4;
    const std::string atLimit = "\"" + std::string(padding, 'x') + "\"\r\n" + rest;
    ASSERT_EQ(atLimit.size(), 64u * 1024u);
    const ResultsFileRead read = readText(atLimit);
    ASSERT_TRUE(read.texts) << read.error;
    EXPECT_EQ(read.texts->at(0).size(), padding);

    const ResultsFileRead over = readText(atLimit + "\n");
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
                             "+5", ".5", "5.", "-", "1 2", "340282366920938463463374607431768211456000"})
        EXPECT_EQ(errorWith(11, text), "line 11 is not a number") << text;
    for (const char* text : {"760.4", "-0.50", "0", "  298  ", "\t1473", "340282346638528859811704183484516925440"})
        EXPECT_EQ(errorWith(11, text), "") << text;

    // The ratio line takes the sediment form too; texts beside the numbers are free.
    for (const auto& [line, text] : {std::pair{2, "0.60 (R = 0.30)"}, {2, "0.300"}, {13, "1e400"}, {19, "nan"}})
        EXPECT_EQ(errorWith(line, text), "") << text;
    for (const char* text : {"0.60 (R = x)", "0.60 (R = 0.30", "0.60 (R = )", "(R = 0.30)", "0.60 (r = 0.30)"})
        EXPECT_EQ(errorWith(2, text), "line 2 is not a number") << text;

    // A file must hold at least one input.
    ResultTexts texts = kSedimentRun;
    for (int line = 2; line <= 5; ++line)
        texts[std::size_t(line - 1)] = " ";
    EXPECT_EQ(readText(quoted(texts)).error, "lines 2 to 5 (the inputs) are empty");
    EXPECT_EQ(readText(std::string(25, ',')).error, "lines 2 to 5 (the inputs) are empty");
    EXPECT_EQ(errorWith(4, ""), "");
}

// The rules of replacing a file are those of safeWriteFile, tested with it.
TEST_F(ResultsFile, FailedWriteIsReported)
{
    EXPECT_EQ(writeResultsFile(path("no-such-folder/run.qrv"), kSedimentRun), "Path not found");
    EXPECT_EQ(writeResultsFile(m_dir.string(), kSedimentRun), "Path/File access error");
    EXPECT_EQ(names(), std::vector<std::string>{});
}

TEST_F(ResultsFile, RecordFromTextsReadsTheDisplayedValues)
{
    // R is Rs: the " (R = ...)" part is not read.
    const float fields[SeriesRecord::kFieldCount] = {
        0.6f, 1473, 298, 0.1f, 0.1f, 134.9f, 760.4f, float(1.0 / double(0.0016f)), float(double(4.24211f) * 1000.0),
        13.75f, 0.48f, 0.52f, 373, 33.37f, 1, 0, 434.5f};
    const SeriesRecord r = recordFromResultTexts(kSedimentRun);
    for (int i = 0; i < SeriesRecord::kFieldCount; ++i)
        EXPECT_EQ(r.field(i), fields[i]) << kSeriesFieldNames[std::size_t(i)];
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

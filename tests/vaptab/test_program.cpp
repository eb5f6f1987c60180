// The vaptab program as the desktop link drives it: commands written to its standard input
// through a pipe, answers read back from its output.
#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::string runVaptab(const std::string& input)
{
    const std::filesystem::path output = std::filesystem::temp_directory_path()
        / ("vaptab_test_" + std::to_string(::getpid()) + ".txt");
    const std::string command = std::string("'") + VAPTAB_PROGRAM + "' > '" + output.string() + "'";
    FILE* pipe = ::popen(command.c_str(), "w");
    if (pipe == nullptr)
        return {};
    std::fputs(input.c_str(), pipe);
    const int status = ::pclose(pipe);
    std::ifstream file(output);
    std::stringstream text;
    text << file.rdbuf();
    std::filesystem::remove(output);
    return status == 0 ? text.str() : "exit status " + std::to_string(status);
}

struct Ended {
    int status = -1;    // exit status; -1 when it did not exit by itself
    std::string errors; // its standard error
};

// vaptab reading `input` with its standard output as `connectOutput` (in the child) makes it.
template <typename ConnectOutput>
Ended runVaptabWithOutput(const std::string& input, ConnectOutput connectOutput)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::string tag = std::to_string(::getpid());
    const std::filesystem::path in = folder / ("vaptab_in_" + tag), err = folder / ("vaptab_err_" + tag);
    std::ofstream(in) << input;
    const pid_t child = ::fork();
    if (child == 0) {
        const int inFd = ::open(in.c_str(), O_RDONLY);
        const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(inFd, 0);
        ::dup2(errFd, 2);
        connectOutput();
        ::execl(VAPTAB_PROGRAM, VAPTAB_PROGRAM, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    std::stringstream errors;
    errors << std::ifstream(err).rdbuf();
    std::filesystem::remove(in);
    std::filesystem::remove(err);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, errors.str()};
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}

// The "name = value unit" lines of the answer blocks, in order; a later block overwrites.
std::map<std::string, std::string> answerValues(const std::string& text)
{
    std::map<std::string, std::string> values;
    for (const std::string& line : lines(text)) {
        const auto equals = line.find(" = ");
        if (equals != std::string::npos && line.find(' ') == equals)
            values[line.substr(0, equals)] = line.substr(equals + 3);
    }
    return values;
}

int countPrefix(const std::string& text, const std::string& prefix)
{
    int count = 0;
    for (const std::string& line : lines(text))
        count += line.rfind(prefix, 0) == 0;
    return count;
}

} // namespace

TEST(VaptabProgram, AnswersInSiUnitsAsTheLinkAsks)
{
    const std::string out = runVaptab("si in\nsi out\np and t\n2000000,300.0\ns\n");
    const auto values = answerValues(out);
    EXPECT_EQ(values.at("phase"), "liquid");
    EXPECT_EQ(values.at("p"), "2000000 Pa");
    EXPECT_EQ(values.at("T"), "300 K");
    // 300 K, 2 MPa: s = 392.537 J/(kg K), cv = 4123.94 J/(kg K) (IAPWS-95).
    EXPECT_NEAR(std::stod(values.at("s")), 392.537, 1e-3);
    EXPECT_EQ(values.at("s").substr(values.at("s").find(' ')), " J/(kg K)");
    EXPECT_NEAR(std::stod(values.at("cv")), 4123.944, 1e-3);
    EXPECT_EQ(values.at("cv").substr(values.at("cv").find(' ')), " J/(kg K)");
    EXPECT_EQ(countPrefix(out, "error:"), 0) << out;
}

TEST(VaptabProgram, DefaultsToMegapascalCelsiusAndKilojoules)
{
    const auto values = answerValues(runVaptab("p and t\n2,26.85\n"));
    EXPECT_EQ(values.at("p"), "2 MPa");
    EXPECT_EQ(values.at("T"), "26.85 degC");
    EXPECT_NEAR(std::stod(values.at("s")), 0.392537, 1e-6);
    EXPECT_NE(values.at("s").find("kJ/(kg K)"), std::string::npos);
    EXPECT_NE(values.at("h").find("kJ/kg"), std::string::npos);
}

TEST(VaptabProgram, BadLinesGiveOneErrorAndTheProgramGoesOn)
{
    const std::string out = runVaptab("help\nfly\np and t\n2;300\np and t\n2,300x\n"
                                      "si in\np and t\n1e5,200\np and t\n2e9,500\n"
                                      "p and t\n1e5,400\ns\np and t\n1e5,500\n");
    EXPECT_NE(out.find("p and t"), std::string::npos) << "help lists the commands";
    EXPECT_NE(out.find("error: unknown command \"fly\""), std::string::npos) << out;
    EXPECT_EQ(countPrefix(out, "error:"), 5) << out;
    EXPECT_NE(out.find("ice is not covered"), std::string::npos) << out;
    // Only the good state after the errors is answered; nothing after "s".
    EXPECT_EQ(countPrefix(out, "phase = "), 1) << out;
    EXPECT_EQ(answerValues(out).at("phase"), "vapour");
}

TEST(VaptabProgram, StatesWithoutFinitePropertiesAreErrors)
{
    const std::string out = runVaptab("p and t\n1e-160,300\np and t\n1e-320,300\n"
                                      "si in\np and t\n1e-154,600\np and t\n1e-140,600\n");
    EXPECT_EQ(countPrefix(out, "error:"), 3) << out;
    EXPECT_EQ(countPrefix(out, "phase = "), 1) << out;
    for (const char* word : {"nan", "inf"})
        EXPECT_EQ(out.find(word), std::string::npos) << word << " in\n" << out;
}

TEST(VaptabProgram, OverlongLinesAreRefusedWithoutEchoAndTheProgramGoesOn)
{
    const std::string longLine(1 << 20, '7');
    const std::string out = runVaptab(longLine + "\np and t\n" + longLine + ",300\np and t\n2,26.85\n");
    EXPECT_EQ(countPrefix(out, "error:"), 2) << out.substr(0, 400);
    EXPECT_LT(out.size(), 2000u);
    EXPECT_EQ(answerValues(out).at("p"), "2 MPa");
}

// 4096 bytes before the line break are a line like any other; one byte more is refused whole.
TEST(VaptabProgram, LinesOfUpTo4096BytesAreRead)
{
    const auto padded = [](std::size_t bytes) { return "2,26.85" + std::string(bytes - 7, ' ') + "\n"; };
    const std::string longest = runVaptab("p and t\n" + padded(4096));
    EXPECT_EQ(countPrefix(longest, "error:"), 0) << longest.substr(0, 400);
    EXPECT_EQ(answerValues(longest).at("p"), "2 MPa");

    const std::string tooLong = runVaptab("p and t\n" + padded(4097));
    EXPECT_EQ(countPrefix(tooLong, "error:"), 1) << tooLong.substr(0, 400);
    EXPECT_EQ(answerValues(tooLong).count("p"), 0u);
}

TEST(VaptabProgram, UnknownCommandsAreEchoedWithTheirControlBytesEscaped)
{
    const std::string out = runVaptab("\033]0;x\007\nback\\slash\n");
    EXPECT_NE(out.find("error: unknown command \"\\x1b]0;x\\x07\""), std::string::npos) << out;
    EXPECT_NE(out.find("error: unknown command \"back\\x5cslash\""), std::string::npos) << out;
    for (const char raw : {'\033', '\007'})
        EXPECT_EQ(out.find(raw), std::string::npos);
}

// Output that fails is reported and ends the program with status 1, as qrv-cli's does.
TEST(VaptabProgram, FailedOutputIsReportedWithAFailureStatus)
{
    const std::string input = "help\np and t\n2,26.85\ns\n";
    const Ended full = runVaptabWithOutput(input, [] { ::dup2(::open("/dev/full", O_WRONLY), 1); });
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.errors, "vaptab: cannot write output: No space left on device\n");

    const Ended closed = runVaptabWithOutput(input, [] { ::close(1); });
    EXPECT_EQ(closed.status, 1);
    EXPECT_EQ(closed.errors, "vaptab: cannot write output: Bad file descriptor\n");

    // A reader that has gone before the first answer, whatever the caller does with SIGPIPE.
    const Ended gone = runVaptabWithOutput(input, [] {
        int ends[2];
        if (::pipe(ends) == 0) {
            ::close(ends[0]);
            ::dup2(ends[1], 1);
        }
    });
    EXPECT_EQ(gone.status, 1);
    EXPECT_EQ(gone.errors, "vaptab: cannot write output: Broken pipe\n");

    const Ended good = runVaptabWithOutput(input, [] { ::dup2(::open("/dev/null", O_WRONLY), 1); });
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.errors, "");
}

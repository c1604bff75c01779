// Runs the real game binary and checks what a person starting it from a
// console sees: the messages, the streams they go to and the exit status.
#include "Process.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

ProcessResult runGame(const std::vector<std::string>& args, ProcessOptions options = {})
{
    options.workingDirectory = gameWorkingDirectory();
    return runProcess(gameBinary(), args, options);
}

std::string executingLine()
{
    return "you are executing '" + gameBinary() + "'\n";
}

struct Failure {
    std::vector<std::string> args;
    std::string out; // expected standard output after the "you are executing" line
};

class CommandLineFailures : public ::testing::TestWithParam<Failure> {};

} // namespace

TEST_P(CommandLineFailures, PrintOnStandardOutputAndExitWithOne)
{
    const Failure& failure = GetParam();
    const ProcessResult result = runGame(failure.args);
    ASSERT_FALSE(result.timedOut) << "the game waited although standard input is not a terminal";
    EXPECT_EQ(result.exitCode, 1);
    const std::string prefix = failure.args.size() >= 2 ? executingLine() : "";
    EXPECT_EQ(result.out, prefix + failure.out + "\n");
    EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Game, CommandLineFailures,
    ::testing::Values(Failure{{}, "Not enough Arguments! Required at least two integers!"},
                      Failure{{"800"}, "Not enough Arguments! Required at least two integers!"},
                      Failure{{"wide", "600"}, "First cmd line arg could not be read!"},
                      Failure{{"", ""}, "First cmd line arg could not be read!"},
                      Failure{{"800", "high"}, "Second cmd line arg could not be read!"},
                      Failure{{"800", "600", "2"}, "Invalid Argument! Could not parse the third parameter as an integer!"},
                      Failure{{"800", "600", "true"}, "Invalid Argument! Could not parse the third parameter as an integer!"}));

TEST(GameStartup, ZeroOrNegativeSizeCannotOpenAWindow)
{
    for (const auto& size : std::vector<std::vector<std::string>>{{"0", "600"}, {"800", "0"}, {"-640", "480"}}) {
        const ProcessResult result = runGame(size);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, executingLine());
        EXPECT_EQ(result.err, "ERROR: Failed to open GLFW window\n");
    }
}

TEST(GameStartup, TrailingLettersAfterTheWidthAreIgnored)
{
    // "800abc" parses as 800; the zero height then stops the start at the window.
    const ProcessResult result = runGame({"800abc", "0"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, executingLine());
    EXPECT_EQ(result.err, "ERROR: Failed to open GLFW window\n");
}

TEST(GameStartup, NoDisplayMeansGlfwCannotStart)
{
    ProcessOptions options;
    options.extraEnvironment = {"DISPLAY=", "WAYLAND_DISPLAY="};
    const ProcessResult result = runGame({"800", "600"}, options);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, executingLine());
    EXPECT_EQ(result.err, "ERROR: Failed to initialize GLFW\n");
}

TEST(GameStartup, WaitsForAKeyOnlyWhenStartedFromATerminal)
{
    ProcessOptions options;
    options.stdinIsTerminal = true;
    options.terminalInput = "x";
    const ProcessResult result = runGame({"800"}, options);
    ASSERT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "Not enough Arguments! Required at least two integers!\nPress any key to continue . . .\n");

    const ProcessResult piped = runGame({"800"});
    EXPECT_EQ(piped.out, "Not enough Arguments! Required at least two integers!\n");
}

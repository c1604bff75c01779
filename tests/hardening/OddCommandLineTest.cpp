// Odd command lines given to the real game. A zero height stops every start
// that gets past the parser at the window ("ERROR: Failed to open GLFW
// window"), so each case ends right after the arguments were read and shows
// how they were read.
#include "GameRun.h"

#include <gtest/gtest.h>

namespace {

struct OddArguments {
    std::string name;
    std::vector<std::string> args;
    std::string out; // after the "you are executing" line
    std::string err;
};

const std::string firstUnreadable = "First cmd line arg could not be read!\n";
const std::string secondUnreadable = "Second cmd line arg could not be read!\n";
const std::string thirdUnreadable = "Invalid Argument! Could not parse the third parameter as an integer!\n";
const std::string noWindow = "ERROR: Failed to open GLFW window\n";

OddArguments refused(std::string name, std::vector<std::string> args, const std::string& message)
{
    return {std::move(name), std::move(args), message, ""};
}

// Read without complaint; the zero height then stops the start at the window.
OddArguments accepted(std::string name, std::vector<std::string> args)
{
    return {std::move(name), std::move(args), "", noWindow};
}

class OddCommandLine : public ::testing::TestWithParam<OddArguments> {};

std::string caseName(const ::testing::TestParamInfo<OddArguments>& info)
{
    return info.param.name;
}

} // namespace

TEST_P(OddCommandLine, GetsTheParsersAnswerAndNoCrash)
{
    const OddArguments& c = GetParam();
    ProcessOptions options;
    options.workingDirectory = gameWorkingDirectory();
    options.safetyKillSeconds = 120.0;
    const ProcessResult result = runProcess(gameBinary(), c.args, options);
    ASSERT_FALSE(result.timedOut);
    ASSERT_EQ(result.signal, 0) << result.err;
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, executingLine() + c.out);
    EXPECT_EQ(result.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Game, OddCommandLine,
    ::testing::Values(
        // Numbers too big or too small for an int are unreadable, not cut down.
        refused("WidthBeyondInt", {"99999999999", "0"}, firstUnreadable),
        refused("WidthOneAboveTheLargestInt", {"2147483648", "0"}, firstUnreadable),
        refused("HeightBeyondInt", {"800", "99999999999"}, secondUnreadable),
        refused("HeightBelowTheSmallestInt", {"800", "-99999999999"}, secondUnreadable),
        accepted("WidthTheSmallestInt", {"-2147483648", "0"}),
        // Empty, signs and spaces.
        refused("EmptyHeight", {"800", ""}, secondUnreadable),
        refused("WidthWithTwoSigns", {"--800", "0"}, firstUnreadable),
        accepted("WidthWithAPlusSign", {"+800", "0"}),
        accepted("MinusZeroWidth", {"-0", "0"}),
        accepted("SpacesAroundTheWidth", {" 800 ", "0"}),
        accepted("TabBeforeTheWidthSpaceBeforeTheHeight", {"\t800", " 0"}),
        // Only ASCII digits count.
        refused("FullWidthDigits", {"\xEF\xBC\x98\xEF\xBC\x90\xEF\xBC\x90", "0"}, firstUnreadable), // "８００"
        refused("EuroSignBeforeTheWidth", {"\xE2\x82\xAC" "800", "0"}, firstUnreadable),
        accepted("EuroSignAfterTheWidth", {"800\xE2\x82\xAC", "0"}),
        // Decimal integers only: the reading stops at the first other character.
        accepted("FractionalWidth", {"1.5", "0"}),
        accepted("HexadecimalWidthReadsAsZero", {"0x20", "0"}),
        accepted("HexadecimalHeightReadsAsZero", {"800", "0x20"}),
        // The full-screen flag: 0 or 1 as a number, nothing else.
        refused("EmptyFullScreenFlag", {"800", "0", ""}, thirdUnreadable),
        refused("NegativeFullScreenFlag", {"800", "0", "-1"}, thirdUnreadable),
        refused("HugeFullScreenFlag", {"800", "0", "99999999999"}, thirdUnreadable),
        refused("FullWidthOneAsFullScreenFlag", {"800", "0", "\xEF\xBC\x91"}, thirdUnreadable), // "１"
        accepted("FullScreenFlagWithLeadingZero", {"800", "0", "01"}),
        accepted("FractionalFullScreenFlag", {"800", "0", "1.5"}),
        // Arguments after the third are ignored.
        accepted("FourArguments", {"800", "0", "1", "extra"}),
        accepted("ManyArguments", {"800", "0", "0", "", "99999999999", "\xE2\x82\xAC"})),
    caseName);

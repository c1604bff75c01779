#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CommandLine parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "./vantor");
    return parseCommandLine(static_cast<int>(args.size()), args.data());
}

} // namespace

TEST(CommandLine, TwoIntegersGiveAWindowOfThatSize)
{
    const CommandLine c = parse({"1024", "768"});
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.width, 1024);
    EXPECT_EQ(c.height, 768);
    EXPECT_FALSE(c.fullscreen);
}

TEST(CommandLine, NumbersAreReadFromTheStartOfTheText)
{
    const CommandLine c = parse({"800abc", "  600 px"});
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.width, 800);
    EXPECT_EQ(c.height, 600);
}

TEST(CommandLine, ZeroAndNegativeSizesPassTheParser)
{
    const CommandLine c = parse({"0", "-5"});
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.width, 0);
    EXPECT_EQ(c.height, -5);
}

TEST(CommandLine, FullScreenFlagIsZeroOrOne)
{
    EXPECT_TRUE(parse({"800", "600", "1"}).fullscreen);
    const CommandLine windowed = parse({"800", "600", "0"});
    EXPECT_TRUE(windowed.ok);
    EXPECT_FALSE(windowed.fullscreen);
}

struct BadArguments {
    std::vector<const char*> args;
    const char* message;
};

class CommandLineFailure : public ::testing::TestWithParam<BadArguments> {};

TEST_P(CommandLineFailure, ReportsTheFirstBadArgument)
{
    const CommandLine c = parse(GetParam().args);
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.error, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineFailure,
    ::testing::Values(
        BadArguments{{}, "Not enough Arguments! Required at least two integers!"},
        BadArguments{{"800"}, "Not enough Arguments! Required at least two integers!"},
        BadArguments{{"abc", "600"}, "First cmd line arg could not be read!"},
        BadArguments{{"", "600"}, "First cmd line arg could not be read!"},
        BadArguments{{"abc", "xyz"}, "First cmd line arg could not be read!"},
        BadArguments{{"99999999999", "600"}, "First cmd line arg could not be read!"},
        BadArguments{{"800", ""}, "Second cmd line arg could not be read!"},
        BadArguments{{"800", "tall"}, "Second cmd line arg could not be read!"},
        BadArguments{{"800", "600", "2"}, "Invalid Argument! Could not parse the third parameter as an integer!"},
        BadArguments{{"800", "600", "true"}, "Invalid Argument! Could not parse the third parameter as an integer!"},
        BadArguments{{"800", "600", "yes"}, "Invalid Argument! Could not parse the third parameter as an integer!"},
        BadArguments{{"800", "600", ""}, "Invalid Argument! Could not parse the third parameter as an integer!"},
        BadArguments{{"800", "600", "-1"}, "Invalid Argument! Could not parse the third parameter as an integer!"}));

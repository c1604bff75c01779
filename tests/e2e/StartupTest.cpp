// The real game started the ways that fail: its messages, their streams, the exit status.
#include "Process.h"

#include <gtest/gtest.h>

TEST(GameStartup, EachFailurePrintsItsMessageOnItsStreamAndExitsWithOne)
{
    const std::string executing = "you are executing '" + gameReportedPath() + "'\n";
    const std::string pause = pausePrompt();
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> environment;
        bool terminal;
        std::string out, err;
    };
    const Case cases[] = {
        // From a terminal each bad command line waits for a key before the game goes.
        {{"800"}, {}, true, "Not enough Arguments! Required at least two integers!\n" + pause, ""},
        {{"800", "high"}, {}, true, executing + "Second cmd line arg could not be read!\n" + pause, ""},
        {{"800", "600", "full"}, {}, true,
         executing + "Invalid Argument! Could not parse the third parameter as an integer!\n" + pause, ""},
        // "800abc" reads as 800; a window of no height cannot be opened.
        {{"800abc", "0"}, {}, true, executing + pause, "ERROR: Failed to open GLFW window\n"},
        // Automated runs never wait.
        {{"800", "600"}, {"DISPLAY=", "WAYLAND_DISPLAY="}, false, executing, "ERROR: Failed to initialize GLFW\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        // Without a display Wine itself cannot start: only this build can be left without one.
        if (!c.environment.empty() && gameStartedElsewhere())
            continue;
        ProcessOptions options;
        options.workingDirectory = gameWorkingDirectory();
        options.extraEnvironment = c.environment;
        options.stdinIsTerminal = c.terminal;
        options.terminalInput = c.terminal ? "x" : "";
        const ProcessResult result = runProcess(gameBinary(), c.args, options);
        ASSERT_FALSE(result.timedOut) << "the game hung";
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, c.err);
    }
}

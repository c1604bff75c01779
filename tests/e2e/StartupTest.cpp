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
        std::string why; // in GLFW's line after err, which then ends stderr
    };
    const Case cases[] = {
        // From a terminal each bad command line waits for a key before the game goes.
        {{"800"}, {}, true, "Not enough Arguments! Required at least two integers!\n" + pause, "", ""},
        // An empty argument is one: launchers pass it on.
        {{"", "600"}, {}, true, executing + "First cmd line arg could not be read!\n" + pause, "", ""},
        {{"800", "high"}, {}, true, executing + "Second cmd line arg could not be read!\n" + pause, "", ""},
        {{"800", "600", "full"}, {}, true,
         executing + "Invalid Argument! Could not parse the third parameter as an integer!\n" + pause, "", ""},
        // Larger than OpenGL 4.1 promises to draw: refused before any window opens.
        {{"100000", "100000"}, {}, true,
         executing + "Window too large! Width and height must be at most 16384 pixels!\n" + pause, "", ""},
        // "800abc" reads as 800; a window of no height cannot be opened.
        {{"800abc", "0"}, {}, true, executing + pause, "ERROR: Failed to open GLFW window\n", "Invalid window size 800x0"},
        {{"800", "-600"}, {}, true, executing + pause, "ERROR: Failed to open GLFW window\n", "Invalid window size 800x-600"},
        // Automated runs never wait.
        {{"800", "600"}, {"DISPLAY", "WAYLAND_DISPLAY"}, false, executing, "ERROR: Failed to initialize GLFW\n", "DISPLAY"},
        // A driver that offers less than OpenGL 4.1.
        {{"800", "600"}, {"MESA_GL_VERSION_OVERRIDE=3.3"}, false, executing, "ERROR: Failed to open GLFW window\n",
         "context"},
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
        ASSERT_EQ(result.err.substr(0, c.err.size()), c.err);
        const std::string why = result.err.substr(c.err.size()); // one line, or none
        EXPECT_TRUE(c.why.empty() ? why.empty() : why.find(c.why) != std::string::npos && why.find('\n') == why.size() - 1) << why;
    }
}

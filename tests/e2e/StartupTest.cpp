// The real game started the ways that fail: its messages, their streams, the exit status.
#include "Process.h"

#include <gtest/gtest.h>

TEST(GameStartup, EachFailurePrintsItsMessageOnItsStreamAndExitsWithOne)
{
    const std::string executing = "you are executing '" + gameBinary() + "'\n";
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> environment;
        bool terminal;
        std::string out, err;
        std::string why; // in GLFW's line after err, which then ends stderr
    };
    const Case cases[] = {
        // From a terminal the game waits for a key before it goes.
        {{"800"}, {}, true, "Not enough Arguments! Required at least two integers!\nPress any key to continue . . .\n", "", ""},
        {{"800", "high"}, {}, false, executing + "Second cmd line arg could not be read!\n", "", ""},
        // Larger than OpenGL 4.1 promises to draw: refused before any window opens.
        {{"100000", "100000"}, {}, true,
         executing + "Window too large! Width and height must be at most 16384 pixels!\nPress any key to continue . . .\n", "", ""},
        // "800abc" reads as 800; a window of no height cannot be opened.
        {{"800abc", "0"}, {}, false, executing, "ERROR: Failed to open GLFW window\n", "Invalid window size 800x0"},
        {{"800", "-600"}, {}, false, executing, "ERROR: Failed to open GLFW window\n", "Invalid window size 800x-600"},
        {{"800", "600"}, {"DISPLAY", "WAYLAND_DISPLAY"}, false, executing, "ERROR: Failed to initialize GLFW\n", "DISPLAY"},
        // A driver that offers less than OpenGL 4.1.
        {{"800", "600"}, {"MESA_GL_VERSION_OVERRIDE=3.3"}, false, executing, "ERROR: Failed to open GLFW window\n",
         "context"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
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

// The command line and the key toggles, without a window.
#include "app/AppState.h"
#include "app/CommandLine.h"
#include "app/KeyCallback.h"
#include "camera/GameCamera.h"
#include "camera/GodCamera.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <vector>

TEST(CommandLine, ReadsSizeAndFlagOrNamesTheFirstBadArgument)
{
    const std::string notEnough = "Not enough Arguments! Required at least two integers!";
    const std::string first = "First cmd line arg could not be read!";
    const std::string second = "Second cmd line arg could not be read!";
    const std::string third = "Invalid Argument! Could not parse the third parameter as an integer!";
    const std::string tooLarge = "Window too large! Width and height must be at most 16384 pixels!";
    struct Case {
        std::vector<const char*> args;
        std::string error; // empty: accepted
        int width = 0, height = 0;
        bool fullscreen = false;
    };
    const Case cases[] = {
        {{"800", "600"}, "", 800, 600, false},
        {{"800abc", "600x"}, "", 800, 600, false}, // numbers are read from the start of the text
        {{"0", "-5"}, "", 0, -5, false},          // the window start-up refuses these
        {{"800", "600", "1"}, "", 800, 600, true},
        {{"800", "600", "0", "extra"}, "", 800, 600, false},
        {{}, notEnough, 0, 0, false},
        {{"abc", "600"}, first, 0, 0, false},
        {{"99999999999", "600"}, first, 0, 0, false},
        {{"800", ""}, second, 0, 0, false},
        {{"800", "600", "2"}, third, 0, 0, false},
        {{"16384", "16384", "1"}, "", 16384, 16384, true}, // the largest every OpenGL 4.1 driver draws
        {{"16385", "600"}, tooLarge, 0, 0, false},
        {{"800", "40000"}, tooLarge, 0, 0, false},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = c.args;
        argv.insert(argv.begin(), "./vantor");
        SCOPED_TRACE(::testing::PrintToString(std::vector<std::string>(argv.begin(), argv.end())));
        const CommandLine line = parseCommandLine(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(line.ok, c.error.empty());
        EXPECT_EQ(line.error, c.error);
        if (line.ok) {
            EXPECT_EQ(line.width, c.width);
            EXPECT_EQ(line.height, c.height);
            EXPECT_EQ(line.fullscreen, c.fullscreen);
        }
    }
}

TEST(KeyToggles, EachKeyFlipsItsOwnFlagOnReleaseOnly)
{
    AppState& s = appState();
    s.reset();
    s.gameCamera = std::make_unique<GameCamera>();
    s.godCamera = std::make_unique<GodCamera>();
    s.activeCamera = s.gameCamera.get();
    for (int key : {GLFW_KEY_P, GLFW_KEY_R, GLFW_KEY_F6, GLFW_KEY_F3, GLFW_KEY_SPACE}) {
        keyCallback(nullptr, key, 0, GLFW_PRESS, 0);
        keyCallback(nullptr, key, 0, GLFW_REPEAT, 0);
    }
    EXPECT_FALSE(s.paused || s.spinObstacles || s.godMode) << "a toggle acted before its key was released";
    for (int key : {GLFW_KEY_P, GLFW_KEY_R, GLFW_KEY_F6, GLFW_KEY_F3, GLFW_KEY_SPACE}) // F3 without a renderer: nothing
        keyCallback(nullptr, key, 0, GLFW_RELEASE, 0);
    EXPECT_TRUE(s.paused && s.spinObstacles && s.godMode && !s.printFrameTime);
    EXPECT_EQ(s.activeCamera, s.godCamera.get());
    keyCallback(nullptr, GLFW_KEY_F6, 0, GLFW_RELEASE, 0);
    EXPECT_EQ(s.activeCamera, s.gameCamera.get());
    s.reset();
}

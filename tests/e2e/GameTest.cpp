// The real game under the virtual display, played by nobody: the moon runs
// into a stone on its own. Keys are sent with xdotool, the window is read back
// with imagemagick.
#include "Process.h"
#include "Screen.h"

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <sstream>
#include <thread>

namespace {

// Generous safety limits for a slow software renderer; nothing here measures time.
constexpr double startSeconds = 120.0;
constexpr double gameOverSeconds = 300.0;

} // namespace

TEST(PlayedGame, EndsOnAStoneKeepsGameOverOnScreenAndQuitsOnEscape)
{
    ProcessOptions options;
    options.workingDirectory = gameWorkingDirectory();
    BackgroundProcess game(gameBinary(), {"800", "600"}, options);

    const std::string window = findWindow("VANTOR", startSeconds, gameWindowOwner(game));
    ASSERT_FALSE(window.empty()) << "no window titled VANTOR appeared";
    ASSERT_TRUE(game.waitForOutput("Game Over - You reached 0 Points\n", gameOverSeconds))
        << "stdout: " << game.out << "\nstderr: " << game.err;
    EXPECT_EQ(game.out, "you are executing '" + gameReportedPath() + "'\nGame Over - You reached 0 Points\n");
    // The game says "Game Over" before it draws that frame; a frame-time line
    // (F2) comes at the start of a later frame, when the last one is shown.
    pressKey(window, "F2");
    ASSERT_TRUE(game.waitForOutput("frametime: ", 30.0));

    // The last frame stays (frame-time lines go on although nothing is drawn):
    // "GAME OVER" in white across the middle, scale 2.
    const Screenshot shot = settledScreenshot(window, 60.0);
    ASSERT_TRUE(shot.valid()) << "the window never stopped changing after game over";
    ASSERT_EQ(shot.width, 800);
    ASSERT_EQ(shot.height, 600);
    const int bannerTop = 600 - 298 - 72; // baseline at y = 298 from the bottom, capitals ~70 px tall
    const int banner = shot.countBright(120, bannerTop, 700, 600 - 298, 235);
    const int below = shot.countBright(120, 450, 700, 450 + 72, 235);
    EXPECT_GT(banner, 3000) << "no white GAME OVER text in the middle of the window";
    EXPECT_LT(below, banner / 4);
    // The score "0" in the top right corner.
    EXPECT_GT(shot.countBright(600, 0, 680, 70, 235), 100);
    EXPECT_GT(shot.countLit(0, 0, 800, 600, 12), 100000) << "the scene behind the text is missing";

    // Resized after game over, the window shows the frozen scene whole at its
    // new size (the render tests hold that it is the view drawn anew for it).
    shellOutput("xdotool windowsize " + window + " 1000 700 2>/dev/null");
    Screenshot resized; // the repaint takes a while on a software renderer
    for (int i = 0; i < 120 && resized.countLit(800, 0, 1000, 700, 12) < 2000; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        resized = takeScreenshot(window);
    }
    ASSERT_TRUE(resized.valid());
    ASSERT_EQ(resized.width, 1000);
    ASSERT_EQ(resized.height, 700);
    EXPECT_GT(resized.countLit(800, 0, 1000, 700, 12), 2000) << "the new area on the right is black";
    EXPECT_GT(resized.countLit(0, 600, 1000, 700, 12), 2000) << "the new area at the bottom is black";

    // A quick tap of Escape (down and up within one wait for events) quits.
    pressKey(window, "Escape");
    const ProcessResult result = game.finish(60.0);
    EXPECT_FALSE(result.timedOut) << "the Escape tap was lost";
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    // Every line after game over is a frame-time line of the expected shape.
    std::istringstream lines(result.out.substr(result.out.find("Points\n") + 7));
    const std::regex frameTime("frametime: [-0-9.e+]+ms -- ([-0-9.e+]+|inf) fps");
    size_t count = 0;
    for (std::string line; std::getline(lines, line); ++count)
        EXPECT_TRUE(std::regex_match(line, frameTime)) << line;
    EXPECT_GE(count, 1u);
}

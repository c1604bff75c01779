// Laps with harmless stones, random steering and jumps, every 30th frame drawn:
// the half ahead is refilled once a lap, nothing piles up (GL objects, list
// entries, errors), every point is reported.
#include "GlWindow.h"
#include "Track.h"

#include "app/AppState.h"
#include "app/HeadlessGame.h"
#include "scene/Moon.h"
#include "scene/World.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

TEST(LongPlay, FiveLapsLeaveNoOpenGlObjectsListEntriesOrErrorsBehind)
{
    constexpr float frame = 1.0f / 60.0f;
    HeadlessGame game(HeadlessGame::Graphics::HiddenWindow, 96, 72);
    AppState& state = game.state();
    World& world = *state.world;
    sinkStones(world);
    ::testing::internal::CaptureStdout();
    game.advance(frame, {}, true);
    ASSERT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    const int objects = liveGlObjects();

    std::mt19937 random(7u);
    InputSnapshot input;
    int steerFrames = 0;
    int refills[2] = {0, 0};
    bool armed1 = state.refillArmed1;
    ASSERT_TRUE(world.obstacleList2.empty());
    for (int i = 1; i < 5 * 1510 && !state.gameOver; ++i) {
        if (steerFrames-- <= 0) { // hold D, A or nothing for a random while
            const unsigned choice = random() % 3;
            input.keyD = choice == 0;
            input.keyA = choice == 1;
            steerFrames = static_cast<int>(random() % 90);
        }
        input.keySpace = random() % 50 == 0;
        game.advance(frame, input, i % 30 == 0);
        sinkStones(world);
        if (state.refillArmed1 != armed1) {
            // The half ahead was just refilled: section 2 from section 1 and back.
            armed1 = state.refillArmed1;
            const float angle = world.moon->orbitAngle;
            ++refills[armed1 ? 1 : 0];
            EXPECT_TRUE(armed1 ? angle > 3.142f && angle < 4.1f : angle < 0.6f) << "refilled at " << angle;
            EXPECT_NE(state.refillArmed1, state.refillArmed2);
            EXPECT_EQ((armed1 ? world.obstacleList2 : world.obstacleList1).size(), 10u);
        }
        ASSERT_LE(world.obstacleList1.size() + world.obstacleList2.size(), 20u) << "frame " << i;
        ASSERT_TRUE(world.moon->radius >= 50.6f && world.moon->radius <= 61.3f) << "steered off the ring";
        ASSERT_LE(world.goodieList1.size() + world.goodieList2.size(), 20u) << "frame " << i;
    }
    const std::string console = ::testing::internal::GetCapturedStdout();
    EXPECT_FALSE(state.gameOver);
    EXPECT_EQ(refills[1], 5) << "the moon did not go round five times";
    EXPECT_GE(refills[0], 4);
    std::istringstream lines(console);
    int goodieLines = 0;
    for (std::string line; std::getline(lines, line); ++goodieLines)
        ASSERT_EQ(line, "Goodie Collected - 10 Points!");
    EXPECT_GT(goodieLines, 0) << "no cogwheel was ever taken";
    EXPECT_EQ(state.score, 10 * goodieLines);
    EXPECT_EQ(liveGlObjects(), objects);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

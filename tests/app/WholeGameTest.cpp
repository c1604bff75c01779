// Long frames (a stalled machine) are played as equal sub-steps of at most a
// quarter second, so the moon cannot pass through a stone or a refill point.
#include "app/AppState.h"
#include "app/HeadlessGame.h"
#include "scene/Moon.h"
#include "scene/Moonmoon.h"
#include "scene/World.h"

#include "Track.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

TEST(LongFrames, ALongFramePlaysLikeConsecutiveQuarterSecondFrames)
{
    // D and Space held: the moon steers, jumps and passes refill point 2.
    InputSnapshot keys;
    keys.keyD = true;
    keys.keySpace = true;
    auto play = [&](std::initializer_list<float> frames) {
        HeadlessGame game(HeadlessGame::Graphics::None);
        World& world = *game.state().world;
        sinkStones(world);
        for (float frame : frames)
            game.advance(frame, keys);
        return std::make_tuple(world.moon->transform, world.moonmoon->transform, world.moon->jumpHeight,
                               game.state().refillArmed2, world.obstacleList2.size());
    };
    const auto single = play({3.5f});
    EXPECT_EQ(single, play({0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f,
                            0.25f, 0.25f}));
    EXPECT_FALSE(std::get<3>(single)) << "refill point 2 was passed without a refill";
    EXPECT_EQ(std::get<4>(single), 10u);
    // A quarter second is one step: it differs from two eighths (the jump's
    // peak falls between them).
    EXPECT_NE(play({0.25f}), play({0.125f, 0.125f}));
}

TEST(LongFrames, AHalfSecondFrameStopsOnAStoneItWouldHaveJumpedOver)
{
    HeadlessGame game(HeadlessGame::Graphics::None);
    AppState& state = game.state();
    World& world = *state.world;
    emptyTrack(world);
    scene::Moon& moon = *world.moon;
    // 3.5 units ahead: one 0.5 s step (7 units) would land 3.5 units beyond
    // it, outside the 2-unit contact distance on either side.
    const float start = moon.orbitAngle;
    ObstacleInstance stone;
    stone.model = glm::rotate(glm::mat4(1.0f), start + 3.5f / moon.radius, glm::vec3(0.0f, 1.0f, 0.0f)) *
                  glm::translate(glm::mat4(1.0f), glm::vec3(moon.radius, -0.2f, 0.0f));
    world.obstacleList1.push_back(stone);
    ::testing::internal::CaptureStdout();
    EXPECT_TRUE(game.advance(0.5f).obstacleHit);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Game Over - You reached 0 Points\n");
    EXPECT_TRUE(state.gameOver);
    EXPECT_NEAR(moon.orbitAngle, start + 0.25f * 0.25f, 1e-5f) << "the game stops at the first sub-step";
    EXPECT_FLOAT_EQ(state.frameTime, 0.5f);
}

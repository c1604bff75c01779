// Long frames (a stalled machine) are played as equal sub-steps of at most a
// quarter second, so the moon cannot pass through a stone or a refill point.
#include "app/AppState.h"
#include "app/HeadlessGame.h"
#include "scene/Moon.h"
#include "scene/Moonmoon.h"
#include "scene/World.h"

#include "Track.h"

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

template <typename Instance>
std::vector<glm::mat4> models(const std::vector<Instance>& records)
{
    std::vector<glm::mat4> result;
    for (const Instance& record : records)
        result.push_back(record.model);
    return result;
}

// A refilled section: ten new records inside the section's angles (the placement
// tests check where within them each one stands).
void expectFresh(const std::vector<glm::mat4>& records, const std::vector<glm::mat4>& before, int section)
{
    EXPECT_EQ(records.size(), 10u);
    for (const glm::mat4& m : records) {
        float angle = std::atan2(-m[3].z, m[3].x); // section 1 reaches a little past a full turn
        angle += section == 1 && angle < 1.0f ? glm::two_pi<float>() : 0.0f;
        EXPECT_TRUE(section == 1 ? angle > 3.1419f && angle < 6.2835f : angle > -1e-4f && angle < 3.1415f) << angle;
        EXPECT_EQ(std::count(before.begin(), before.end(), m), 0) << "a record of the old section stayed";
    }
}

} // namespace

TEST(LongFrames, ALongFramePlaysLikeConsecutiveQuarterSecondFrames)
{
    // D and Space held: the moon steers, jumps and passes refill point 2.
    InputSnapshot keys;
    keys.keyD = keys.keySpace = true;
    auto play = [&](const std::vector<float>& frames) {
        HeadlessGame game(HeadlessGame::Graphics::None);
        World& world = *game.state().world;
        sinkStones(world);
        for (float frame : frames)
            game.advance(frame, keys);
        return std::make_tuple(world.moon->transform, world.moonmoon->transform, world.moon->jumpHeight,
                               game.state().refillArmed2, world.obstacleList2.size());
    };
    EXPECT_EQ(play({3.5f}), play(std::vector<float>(14, 0.25f)));
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
    EXPECT_NEAR(moon.orbitAngle, start + 0.25f * 0.25f, 1e-5f) << "the game stops at the first sub-step";
    EXPECT_FLOAT_EQ(state.frameTime, 0.5f);
}

// Three laps at quarter-second frames, steering across the lanes and jumping.
// Faults: a refill point that stops re-arming after a lap (its section keeps
// its gaps), a refill that keeps or adds to the old records, fills the wrong
// half or fires away from its point.
TEST(Laps, EachRefillPointRenewsItsSectionOnEveryLap)
{
    HeadlessGame game(HeadlessGame::Graphics::None);
    World& world = *game.state().world;
    sinkStones(world);
    auto stones = [&](int s) { return models(s == 1 ? world.obstacleList1 : world.obstacleList2); };
    auto goodies = [&](int s) { return models(s == 1 ? world.goodieList1 : world.goodieList2); };
    std::vector<glm::mat4> lastStones[3] = {{}, stones(1), stones(2)}, lastGoodies[3] = {{}, goodies(1), goodies(2)};
    std::vector<int> refilled;
    InputSnapshot keys;
    keys.keySpace = true;
    for (int frame = 0; frame < 310; ++frame) { // three laps from 3.14, ending before refill point 2
        keys.keyD = frame / 12 % 2 == 0, keys.keyA = !keys.keyD;
        game.advance(0.25f, keys);
        for (int s : {1, 2}) {
            ASSERT_LE(stones(s).size() + goodies(s).size(), 20u) << "frame " << frame;
            if (stones(s) == lastStones[s])
                continue;
            SCOPED_TRACE("section " + std::to_string(s) + " refilled in frame " + std::to_string(frame));
            refilled.push_back(s);
            EXPECT_NEAR(world.moon->orbitAngle, s == 1 ? 0.4873f : 4.0195f, 0.15f);
            expectFresh(stones(s), lastStones[s], s);
            expectFresh(goodies(s), lastGoodies[s], s);
        }
        sinkStones(world);
        for (int s : {1, 2})
            lastStones[s] = stones(s), lastGoodies[s] = goodies(s);
    }
    EXPECT_EQ(refilled, std::vector<int>({2, 1, 2, 1, 2, 1}));
}

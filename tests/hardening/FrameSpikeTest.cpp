// Long frames (a stalled machine) must not let the moon pass through a stone
// or over a refill point: a frame longer than a quarter second is played as
// equal sub-steps. Shorter frames are one step, as before.
#include "app/AppState.h"
#include "app/GameRules.h"
#include "app/HeadlessGame.h"
#include "app/MainLoop.h"
#include "scene/Moon.h"
#include "scene/Moonmoon.h"
#include "scene/World.h"

#include "Track.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

const glm::vec3 refillPoint2(-35.74f, 0.0f, 43.05f);

// The point of the moon's orbit plane at the given orbit angle and distance.
glm::vec3 onOrbit(float angle, float radius, float height = 0.0f)
{
    return glm::vec3(glm::rotate(glm::mat4(1.0f), angle, glm::vec3(0.0f, 1.0f, 0.0f)) *
                     glm::vec4(radius, height, 0.0f, 1.0f));
}

class FrameSpike : public ::testing::Test {
protected:
    HeadlessGame game{HeadlessGame::Graphics::None};
    AppState& state = game.state();
    World& world = *state.world;
    scene::Moon& moon = *world.moon;

    void emptyTrack() { ::emptyTrack(world); }
    void placeMoon(float angle, float radius)
    {
        moon.orbitAngle = angle;
        moon.radius = radius;
        moon.rebuildTransform();
    }
    // A stone on the moon's lane, `ahead` units further along the orbit.
    void stoneAhead(float ahead)
    {
        ObstacleInstance stone;
        stone.model = glm::translate(glm::mat4(1.0f), onOrbit(moon.orbitAngle + ahead / moon.radius, moon.radius, -0.2f));
        world.obstacleList1.push_back(stone);
    }
    // The orbit angle at which the moon, at its current distance, enters the
    // zone around refill point 2 (8 units).
    float refillZoneEntry() const
    {
        const float pointAngle = std::atan2(-refillPoint2.z, refillPoint2.x) + 2.0f * 3.14159265f;
        const float pointRadius = glm::length(refillPoint2);
        const float r = moon.radius;
        const float d = rules::refillDistance;
        const float half = std::acos((r * r + pointRadius * pointRadius - d * d) / (2.0f * r * pointRadius));
        return pointAngle - half;
    }
};

} // namespace

TEST_F(FrameSpike, AHalfSecondFrameDoesNotJumpOverAStone)
{
    emptyTrack();
    // 3.5 units ahead: one 0.5 s step (7 units) would land 3.5 units beyond
    // it, outside the 2-unit contact distance on either side.
    stoneAhead(3.5f);
    const float start = moon.orbitAngle;
    {
        // The premise: a single step of the whole frame misses the stone.
        moon.update(0.5f);
        EXPECT_FALSE(hitObstacle(state));
        EXPECT_GT(moon.orbitAngle * moon.radius, start * moon.radius + 5.5f);
        placeMoon(start, moon.radius);
        moon.spinAngle = 0.0f;
    }
    testing::internal::CaptureStdout();
    const StepEvents events = game.advance(0.5f);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(events.obstacleHit);
    EXPECT_TRUE(state.gameOver);
    EXPECT_EQ(out, "Game Over - You reached 0 Points\n");
    // The game stopped at the first sub-step, on the stone.
    EXPECT_NEAR(moon.orbitAngle, start + 0.25f * 0.25f, 1e-5f);
    EXPECT_FLOAT_EQ(state.frameTime, 0.5f);
}

TEST_F(FrameSpike, ASecondLongFrameDoesNotSkipARefill)
{
    emptyTrack();
    // On the outer edge the ring crosses the refill zone along a chord of
    // about 12 units; one second there is over 15 units of travel.
    placeMoon(0.0f, moon.maxRadius);
    const float start = refillZoneEntry() - 1.0f / moon.radius; // one unit before the zone
    placeMoon(start, moon.maxRadius);
    ASSERT_GE(glm::distance(moon.position(), refillPoint2), rules::refillDistance);
    ASSERT_TRUE(state.refillArmed2);
    {
        // The premise: a single step of the whole frame lands beyond the zone.
        moon.update(1.0f);
        EXPECT_GE(glm::distance(moon.position(), refillPoint2), rules::refillDistance);
        EXPECT_GT(moon.orbitAngle, refillZoneEntry() + 0.1f);
        placeMoon(start, moon.maxRadius);
    }
    game.advance(1.0f);
    EXPECT_FALSE(state.refillArmed2) << "the moon passed refill point 2 without refilling";
    EXPECT_TRUE(state.refillArmed1);
    EXPECT_EQ(world.obstacleList2.size(), 10u);
    EXPECT_EQ(world.goodieList2.size(), 10u);
    EXPECT_NEAR(moon.orbitAngle, start + 0.25f, 1e-5f) << "the whole second was played";
    EXPECT_FALSE(state.gameOver);
}

// What a game holds after its frames: the moon's and the small moon's
// placement and the moon's lane and jump.
struct Outcome {
    glm::mat4 moon;
    glm::mat4 moonmoon;
    float radius = 0.0f;
    float jumpHeight = 0.0f;
    bool jumping = false;
};

Outcome outcomeOf(const World& world)
{
    return {world.moon->transform, world.moonmoon->transform, world.moon->radius, world.moon->jumpHeight,
            world.moon->jumping};
}

void expectSame(const Outcome& a, const Outcome& b)
{
    EXPECT_EQ(a.moon, b.moon);
    EXPECT_EQ(a.moonmoon, b.moonmoon);
    EXPECT_EQ(a.radius, b.radius);
    EXPECT_EQ(a.jumpHeight, b.jumpHeight);
    EXPECT_EQ(a.jumping, b.jumping);
}

TEST(FrameSplit, ALongFramePlaysLikeConsecutiveQuarterSecondFrames)
{
    // The same game twice: one 0.75 s frame, then three 0.25 s frames, with D
    // and Space held; everything the frames touch ends up identical.
    InputSnapshot keys;
    keys.keyD = true;
    keys.keySpace = true;
    Outcome oneFrame;
    {
        HeadlessGame game(HeadlessGame::Graphics::None);
        game.advance(0.75f, keys);
        oneFrame = outcomeOf(*game.state().world);
    }
    ASSERT_TRUE(oneFrame.jumping);
    HeadlessGame game(HeadlessGame::Graphics::None);
    for (int i = 0; i < 3; ++i)
        game.advance(0.25f, keys);
    expectSame(outcomeOf(*game.state().world), oneFrame);
}

TEST(FrameSplit, AQuarterSecondFrameIsASingleStep)
{
    InputSnapshot keys;
    keys.keyA = true;
    keys.keySpace = true;
    Outcome byHand;
    {
        // One step of the rules for the whole quarter second.
        HeadlessGame game(HeadlessGame::Graphics::None);
        AppState& state = game.state();
        state.frameTime = 0.25f;
        updateWorld();
        refillObstacles(state);
        EXPECT_FALSE(hitObstacle(state));
        EXPECT_FALSE(collectGoodie(state));
        applySteering(state, keys);
        byHand = outcomeOf(*state.world);
    }
    ASSERT_TRUE(byHand.jumping);
    HeadlessGame game(HeadlessGame::Graphics::None);
    game.advance(0.25f, keys);
    expectSame(outcomeOf(*game.state().world), byHand);
}

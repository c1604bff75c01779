// The game rules on a world built without any window or OpenGL context.
#include "app/AppState.h"
#include "app/GameRules.h"
#include "app/HeadlessGame.h"
#include "app/Input.h"
#include "scene/Moon.h"
#include "scene/World.h"

#include "Process.h"
#include "Screen.h"
#include "Track.h"

#include <GLFW/glfw3.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

namespace {

class Rules : public ::testing::Test {
protected:
    HeadlessGame game{HeadlessGame::Graphics::None};
    AppState& state = game.state();
    World& world = *state.world;
    scene::Moon& moon = *world.moon;

    void emptyTrack() { ::emptyTrack(world); }
    // A stone or cogwheel record standing at the given point.
    static glm::mat4 at(const glm::vec3& p) { return glm::translate(glm::mat4(1.0f), p); }
    void addObstacle(const glm::vec3& p, int section = 1)
    {
        ObstacleInstance o;
        o.model = at(p);
        (section == 2 ? world.obstacleList2 : world.obstacleList1).push_back(o);
    }
    void addGoodie(const glm::vec3& p, int section = 1)
    {
        GoodieInstance g;
        g.model = at(p);
        (section == 2 ? world.goodieList2 : world.goodieList1).push_back(g);
    }
    // The moon standing still at the given height above its orbit plane.
    void liftMoon(float height)
    {
        moon.jumpHeight = height;
        moon.rebuildTransform();
    }
    glm::vec3 ground() const { return moon.position() - glm::vec3(0.0f, moon.jumpHeight, 0.0f); }
};

InputSnapshot keys(bool d, bool a, bool space)
{
    InputSnapshot input;
    input.keyD = d;
    input.keyA = a;
    input.keySpace = space;
    return input;
}

} // namespace

TEST_F(Rules, SteeringIsClampedToTheOuterAndInnerLimits)
{
    state.frameTime = 0.1f;
    moon.radius = 61.2f;
    applySteering(state, keys(true, false, false));
    EXPECT_FLOAT_EQ(moon.radius, 61.3f);
    EXPECT_NEAR(glm::length(glm::vec2(moon.position().x, moon.position().z)), 61.3f, 1e-3f);

    moon.radius = 50.7f;
    applySteering(state, keys(false, true, false));
    EXPECT_FLOAT_EQ(moon.radius, 50.6f);
}

TEST_F(Rules, SteeringMovesFiveUnitsPerSecond)
{
    state.frameTime = 0.1f;
    applySteering(state, keys(true, false, false));
    EXPECT_NEAR(moon.radius, 55.95f + 0.5f, 1e-4f);
    applySteering(state, keys(false, true, false));
    applySteering(state, keys(false, true, false));
    EXPECT_NEAR(moon.radius, 55.95f - 0.5f, 1e-4f);
}

TEST_F(Rules, HoldingDAndATogetherCancelsOut)
{
    state.frameTime = 0.1f;
    applySteering(state, keys(true, true, false));
    EXPECT_NEAR(moon.radius, 55.95f, 1e-4f);
    // ... unless a clamp applies: at the outer limit only the inward move remains.
    moon.radius = 61.2f;
    applySteering(state, keys(true, true, false));
    EXPECT_NEAR(moon.radius, 61.3f - 0.5f, 1e-4f);
}

TEST_F(Rules, SpaceStartsAJumpOnlyWhenNotJumping)
{
    state.frameTime = 0.1f;
    applySteering(state, keys(false, false, true));
    ASSERT_TRUE(moon.jumping);
    EXPECT_FLOAT_EQ(moon.jumpStart, 3.14f);
    EXPECT_FLOAT_EQ(moon.jumpEnd, 3.14f + 0.3f);

    moon.update(0.4f); // 0.1 rad into the jump
    applySteering(state, keys(false, false, true));
    EXPECT_FLOAT_EQ(moon.jumpStart, 3.14f);
    EXPECT_FLOAT_EQ(moon.jumpEnd, 3.14f + 0.3f);
}

TEST_F(Rules, HeldSpaceStartsTheNextJumpInTheFrameThePreviousEnds)
{
    emptyTrack();
    const InputSnapshot space = keys(false, false, true);
    game.advance(0.1f, space);
    ASSERT_TRUE(moon.jumping);
    const float firstEnd = moon.jumpEnd;
    int frames = 1;
    while (moon.jumpEnd == firstEnd && frames < 100) {
        game.advance(0.1f, space);
        ++frames;
    }
    // The update ended the first jump, then Space started the second at once.
    EXPECT_TRUE(moon.jumping);
    EXPECT_GT(moon.jumpStart, firstEnd);
    EXPECT_NEAR(moon.jumpStart, moon.orbitAngle, 1e-6f);
    EXPECT_FLOAT_EQ(moon.jumpHeight, 0.0f);
}

TEST_F(Rules, ObstacleContactUsesHeightToo)
{
    emptyTrack();
    addObstacle(ground() + glm::vec3(0.0f, -0.2f, 0.0f));
    EXPECT_TRUE(hitObstacle(state));
    liftMoon(1.75f);
    EXPECT_TRUE(hitObstacle(state));
    liftMoon(1.8f); // exactly 2.0 away: no contact
    EXPECT_FALSE(hitObstacle(state));
    liftMoon(3.0f);
    EXPECT_FALSE(hitObstacle(state));
}

TEST_F(Rules, ObstaclesOfBothSectionsCount)
{
    emptyTrack();
    addObstacle(ground() + glm::vec3(1.0f, -0.2f, 0.0f), 2);
    EXPECT_TRUE(hitObstacle(state));
    world.clearObstacles(2);
    addObstacle(ground() + glm::vec3(2.5f, -0.2f, 0.0f), 1);
    EXPECT_FALSE(hitObstacle(state));
}

TEST_F(Rules, AGoodieIsReachableOnlyAboveHalfAUnit)
{
    emptyTrack();
    addGoodie(ground() + glm::vec3(0.0f, 2.0f, 0.0f));
    EXPECT_FALSE(collectGoodie(state));
    liftMoon(0.5f); // exactly 1.5 away
    EXPECT_FALSE(collectGoodie(state));
    liftMoon(0.55f);
    EXPECT_TRUE(collectGoodie(state));
    EXPECT_TRUE(world.goodieList1.empty());
}

TEST_F(Rules, OfTwoGoodiesInReachOnlyTheFirstIsCollected)
{
    emptyTrack();
    liftMoon(2.0f);
    const glm::vec3 first = ground() + glm::vec3(0.5f, 2.0f, 0.0f);
    const glm::vec3 second = ground() + glm::vec3(-0.5f, 2.0f, 0.0f);
    addGoodie(second, 2); // section 1 is visited first
    addGoodie(first, 1);
    EXPECT_TRUE(collectGoodie(state));
    ASSERT_TRUE(world.goodieList1.empty());
    ASSERT_EQ(world.goodieList2.size(), 1u);
    // The other is still there for the next frame.
    EXPECT_TRUE(collectGoodie(state));
    EXPECT_TRUE(world.goodieList2.empty());
    EXPECT_FALSE(collectGoodie(state));
}

TEST_F(Rules, CollectingRemovesEveryEqualRecordInBothSections)
{
    // The record handed to the removal lives in the list being shifted: the
    // second equal record of section 1, past an unequal one, and the one in
    // section 2 must go as well.
    emptyTrack();
    liftMoon(2.0f);
    const glm::vec3 p = ground() + glm::vec3(0.0f, 2.0f, 0.0f);
    const glm::vec3 farAway = p + glm::vec3(30.0f, 0.0f, 0.0f);
    addGoodie(p, 1);
    addGoodie(farAway, 1);
    addGoodie(p, 1);
    addGoodie(p, 2);
    EXPECT_TRUE(collectGoodie(state));
    ASSERT_EQ(world.goodieList1.size(), 1u);
    EXPECT_EQ(glm::vec3(world.goodieList1[0].model[3]), farAway);
    EXPECT_TRUE(world.goodieList2.empty());
    EXPECT_FALSE(collectGoodie(state));
}

TEST_F(Rules, AGoodieCollectedInTheFatalFrameStillCounts)
{
    emptyTrack();
    // Both the stone and the cogwheel are within reach after this frame's move.
    game.advance(0.0f);
    liftMoon(1.0f);
    addObstacle(moon.position() + glm::vec3(0.0f, -1.0f, 0.0f));
    addGoodie(moon.position() + glm::vec3(0.0f, 0.6f, 0.0f));
    moon.jumping = false; // hold the height for this frame
    ::testing::internal::CaptureStdout();
    state.paused = true;  // the moon stays where it is
    const StepEvents events = game.advance(0.01f);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(events.goodieCollected);
    EXPECT_TRUE(events.obstacleHit);
    EXPECT_TRUE(state.gameOver);
    EXPECT_EQ(state.score, 10);
    EXPECT_EQ(out, "Goodie Collected - 10 Points!\nGame Over - You reached 10 Points\n");
}

TEST_F(Rules, WhilePausedTheMoonStandsButSteeringAndContactsGoOn)
{
    emptyTrack();
    state.paused = true;
    const float angle = moon.orbitAngle;
    game.advance(0.1f, keys(true, false, false));
    EXPECT_FLOAT_EQ(moon.orbitAngle, angle);
    EXPECT_NEAR(moon.radius, 56.45f, 1e-4f);
    addObstacle(moon.position() + glm::vec3(0.0f, -0.2f, 0.0f));
    ::testing::internal::CaptureStdout();
    game.advance(0.1f);
    ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(state.gameOver);
}

TEST_F(Rules, NoRefillUntilTheMoonNearsRefillPoint2)
{
    emptyTrack();
    world.fillObstacles(1);
    const auto section1 = world.obstacleList1;
    // Walk the moon along its orbit in small steps.
    const glm::vec3 refillPoint2(-35.74f, 0.0f, 43.05f);
    while (glm::distance(moon.position(), refillPoint2) >= 8.0f) {
        ASSERT_TRUE(world.obstacleList2.empty());
        ASSERT_TRUE(state.refillArmed2);
        refillObstacles(state);
        moon.update(0.01f);
        ASSERT_LT(moon.orbitAngle, 4.1f) << "passed the refill point without refilling";
    }
    refillObstacles(state);
    EXPECT_EQ(world.obstacleList2.size(), 10u);
    EXPECT_EQ(world.goodieList2.size(), 10u);
    EXPECT_TRUE(state.refillArmed1);
    EXPECT_FALSE(state.refillArmed2);
    // Section 1, where the moon is, stays as it was.
    ASSERT_EQ(world.obstacleList1.size(), section1.size());
    for (size_t i = 0; i < section1.size(); ++i)
        EXPECT_EQ(world.obstacleList1[i].model, section1[i].model);
}

TEST_F(Rules, SectionsAlternateLapAfterLapWithBoundedLists)
{
    // The stones are made harmless by sinking every record far below the track.
    sinkStones(world);
    int refills1 = 0;
    int refills2 = 0;
    bool armed1 = state.refillArmed1;
    const int frames = static_cast<int>(10 * 25.2 / (1.0 / 60.0)); // ten laps
    for (int i = 0; i < frames && !state.gameOver; ++i) {
        game.advance(1.0f / 60.0f);
        sinkStones(world);
        if (state.refillArmed1 != armed1) {
            armed1 = state.refillArmed1;
            // Armed 1 means section 2 was just refilled (the moon is on section 1).
            if (armed1) {
                ++refills2;
                EXPECT_GT(moon.orbitAngle, 3.142f);
            } else {
                ++refills1;
                EXPECT_LT(moon.orbitAngle, 3.1414f);
            }
            EXPECT_NE(state.refillArmed1, state.refillArmed2);
        }
        ASSERT_LE(world.obstacleList1.size(), 10u);
        ASSERT_LE(world.obstacleList2.size(), 10u);
        ASSERT_LE(world.goodieList1.size(), 10u);
        ASSERT_LE(world.goodieList2.size(), 10u);
    }
    EXPECT_FALSE(state.gameOver);
    EXPECT_EQ(refills2, 10);
    EXPECT_GE(refills1, 9);
    EXPECT_LE(refills1, 10);
}

TEST(KeyTaps, ASpaceTapBetweenTwoFramesStartsOneJump)
{
    // On a slow frame both the press and the release of a quick tap arrive
    // before the next poll; the game's window must still report it once.
    HeadlessGame game(HeadlessGame::Graphics::HiddenWindow);
    AppState& state = game.state();
    keepKeyTaps(state.window);
    pressKey(windowIdOf(state.window), "space");
    for (int i = 0; i < 25; ++i) {
        glfwPollEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const InputSnapshot tap = pollInput(state.window);
    EXPECT_TRUE(tap.keySpace) << "the tap was lost between two polls";
    game.advance(1.0f / 60.0f, tap);
    EXPECT_TRUE(state.world->moon->jumping);
    EXPECT_FALSE(pollInput(state.window).keySpace) << "one tap must count once";
}

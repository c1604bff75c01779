// The game rules on a world built without any window or OpenGL context.
#include "app/AppState.h"
#include "app/GameRules.h"
#include "app/HeadlessGame.h"
#include "app/Input.h"
#include "scene/Moon.h"
#include "scene/World.h"

#include "Track.h"

#include <GLFW/glfw3.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>


namespace {

class Rules : public ::testing::Test {
protected:
    HeadlessGame game{HeadlessGame::Graphics::None};
    AppState& state = game.state();
    World& world = *state.world;
    scene::Moon& moon = *world.moon;

    template <typename Instance>
    void add(std::vector<Instance>& list, const glm::vec3& p)
    {
        Instance record;
        record.model = glm::translate(glm::mat4(1.0f), p);
        list.push_back(record);
    }
    // The moon standing still at the given height above its orbit plane.
    void liftMoon(float height)
    {
        moon.jumpHeight = height;
        moon.rebuildTransform();
    }
    glm::vec3 ground() const { return moon.position() - glm::vec3(0.0f, moon.jumpHeight, 0.0f); }
};

} // namespace

TEST_F(Rules, ContactsDependOnHeightAndDistance)
{
    emptyTrack(world);
    // A stone stands 0.2 below the moon's centre: contact below 2.0 units.
    add(world.obstacleList2, ground() + glm::vec3(0.0f, -0.2f, 0.0f));
    // A cogwheel floats 2.0 above it: reachable within 1.5 units.
    add(world.goodieList1, ground() + glm::vec3(0.0f, 2.0f, 0.0f));
    struct Case {
        float height;
        bool hit, collect;
    };
    for (const Case c : {Case{0.0f, true, false}, Case{0.5f, true, false}, Case{1.75f, true, true},
                         Case{1.8f, false, true}, Case{3.0f, false, true}}) {
        SCOPED_TRACE(c.height);
        liftMoon(c.height);
        EXPECT_EQ(hitObstacle(state), c.hit);
        const size_t before = world.goodieList1.size();
        EXPECT_EQ(collectGoodie(state), c.collect);
        if (c.collect)
            add(world.goodieList1, ground() + glm::vec3(0.0f, 2.0f, 0.0f));
        EXPECT_EQ(world.goodieList1.size(), before);
    }
    world.clearObstacles(2);
    add(world.obstacleList1, ground() + glm::vec3(2.5f, -0.2f, 0.0f));
    liftMoon(0.0f);
    EXPECT_FALSE(hitObstacle(state));
}

TEST_F(Rules, CollectingTakesTheFirstInReachAndEveryRecordEqualToIt)
{
    // The record handed to the removal lives in the list being shifted: the
    // second equal record of section 1, past an unequal one, and the one in
    // section 2 must go as well.
    emptyTrack(world);
    liftMoon(2.0f);
    const glm::vec3 p = ground() + glm::vec3(0.0f, 2.0f, 0.0f);
    const glm::vec3 farAway = p + glm::vec3(30.0f, 0.0f, 0.0f);
    const glm::vec3 alsoInReach = p + glm::vec3(0.5f, 0.0f, 0.0f);
    add(world.goodieList2, alsoInReach);
    add(world.goodieList1, p);
    add(world.goodieList1, farAway);
    add(world.goodieList1, p);
    add(world.goodieList2, p);
    EXPECT_TRUE(collectGoodie(state));
    ASSERT_EQ(world.goodieList1.size(), 1u);
    EXPECT_EQ(glm::vec3(world.goodieList1[0].model[3]), farAway);
    ASSERT_EQ(world.goodieList2.size(), 1u) << "only the first cogwheel in reach is collected";
    EXPECT_EQ(glm::vec3(world.goodieList2[0].model[3]), alsoInReach);
}

TEST_F(Rules, AGoodieCollectedInTheFatalFrameStillCountsAndPauseStopsOnlyTheOrbit)
{
    emptyTrack(world);
    state.paused = true;
    const float angle = moon.orbitAngle;
    InputSnapshot outwards;
    outwards.keyD = true;
    game.advance(0.1f, outwards);
    EXPECT_FLOAT_EQ(moon.orbitAngle, angle);
    EXPECT_NEAR(moon.radius, 56.45f, 1e-4f) << "steering goes on while paused";

    liftMoon(1.0f);
    add(world.obstacleList1, moon.position() + glm::vec3(0.0f, -1.0f, 0.0f));
    add(world.goodieList1, moon.position() + glm::vec3(0.0f, 0.6f, 0.0f));
    state.repaintRequested = true; // the window was uncovered during play
    ::testing::internal::CaptureStdout();
    const StepEvents events = game.advance(0.01f);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(events.goodieCollected);
    EXPECT_TRUE(state.gameOver);
    EXPECT_FALSE(state.repaintRequested) << "the frame after the fatal one would draw again";
    EXPECT_EQ(state.score, 10);
    EXPECT_EQ(out, "Goodie Collected - 10 Points!\nGame Over - You reached 10 Points\n");
}

// Where stones and cogwheels are placed, from the game's own random source,
// and how the world's section lists are filled and cleared.
#include "gpu/Content.h"
#include "scene/GameRandom.h"
#include "scene/ObstacleLoader.h"
#include "scene/World.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

class Placement : public ::testing::Test {
protected:
    void SetUp() override
    {
        scene::gameRandom().reset();
        world.obstacleTemplate = std::make_unique<scene::ObstacleLoader>(glm::mat4(1.0f), nullptr, nullptr, model, nullptr);
        world.goodieTemplate = std::make_unique<scene::ObstacleLoader>(glm::mat4(1.0f), nullptr, nullptr, model, nullptr);
    }
    std::string model = contentPath("Models/stone_lores.dae");
    World world;
};

float orbitAngleOf(const glm::vec3& p)
{
    const float a = std::atan2(-p.z, p.x);
    return a < 0.0f ? a + 6.2831853f : a;
}

} // namespace

TEST_F(Placement, EveryRunPlacesTheSameItemsOnTheLanesOfTheirSection)
{
    scene::GameRandom predictor; // the C library's classic sequence: 41, 18467, 6334, ...
    EXPECT_EQ(predictor.next(), 41);
    EXPECT_EQ(predictor.next(), 18467);
    predictor.reset();
    const float lanes[] = {52.4f, 56.0f, 59.8f};
    for (const int section : {1, 2}) {
        world.fillObstacles(section);
        world.fillGoodies(section);
        const auto& obstacles = section == 1 ? world.obstacleList1 : world.obstacleList2;
        const auto& goodies = section == 1 ? world.goodieList1 : world.goodieList2;
        ASSERT_EQ(obstacles.size(), 10u);
        ASSERT_EQ(goodies.size(), 10u);
        const float first = section == 1 ? 3.142f : 0.0f;
        // Each stone draws lane, angle and tilt; each cogwheel lane and angle.
        for (const ObstacleInstance& o : obstacles) {
            const float lane = lanes[predictor.next() % 3];
            const float angle = float(predictor.next() % 31415) / 10000.0f + first;
            const float tilt = float(predictor.next()) * 360.0f;
            const glm::mat4 expected = glm::rotate(glm::mat4(1.0f), angle, glm::vec3(0, 1, 0)) *
                                       glm::translate(glm::mat4(1.0f), glm::vec3(lane, -0.2f, 0.0f)) *
                                       glm::rotate(glm::mat4(1.0f), tilt, glm::vec3(0, 0, 1));
            for (int c = 0; c < 4; ++c)
                for (int r = 0; r < 4; ++r)
                    ASSERT_NEAR(o.model[c][r], expected[c][r], 1e-3f) << "section " << section;
        }
        for (const GoodieInstance& g : goodies) {
            const float lane = lanes[predictor.next() % 3];
            const float angle = float(predictor.next() % 31415) / 10000.0f + first;
            const glm::vec3 centre(g.model[3]);
            EXPECT_NEAR(std::hypot(centre.x, centre.z), lane, 1e-3f);
            EXPECT_NEAR(centre.y, 2.0f, 1e-5f);
            EXPECT_NEAR(orbitAngleOf(centre), angle, 1e-4f);
            EXPECT_NEAR(glm::length(glm::vec3(g.model[1])), 0.7f, 1e-6f);
        }
    }
    // Clearing one section leaves the other alone.
    world.clearObstacles(1);
    world.clearGoodies(2);
    EXPECT_EQ(world.obstacleList1.size() + world.goodieList2.size(), 0u);
    EXPECT_EQ(world.obstacleList2.size() + world.goodieList1.size(), 20u);
}

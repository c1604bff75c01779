// The world's instance lists: filling, clearing, spinning and removing, with
// templates built from a small test model and no OpenGL context.

#include "ColladaFixture.h"

#include "scene/GameRandom.h"
#include "scene/ObstacleLoader.h"
#include "scene/World.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <sstream>

namespace {

class WorldLists : public ::testing::Test {
protected:
    void SetUp() override
    {
        scene::gameRandom().reset();
        world.obstacleTemplate = std::make_unique<scene::ObstacleLoader>(glm::mat4(1.0f), nullptr, nullptr, model, nullptr);
        world.goodieTemplate = std::make_unique<scene::ObstacleLoader>(glm::mat4(1.0f), nullptr, nullptr, model, nullptr);
    }

    fixture::TempDir dir;
    std::string model = dir.write("tetra.dae", fixture::collada({fixture::tetrahedron()}));
    World world;
};

GoodieInstance goodieAt(float x)
{
    GoodieInstance goodie;
    goodie.model = glm::translate(glm::mat4(1.0f), glm::vec3(x, 2.0f, 0.0f));
    return goodie;
}

TEST_F(WorldLists, FillAppendsTenToTheSection)
{
    world.fillObstacles(1);
    world.fillGoodies(1);
    EXPECT_EQ(world.obstacleList1.size(), 10u);
    EXPECT_EQ(world.goodieList1.size(), 10u);
    EXPECT_TRUE(world.obstacleList2.empty());
    EXPECT_TRUE(world.goodieList2.empty());

    world.fillObstacles(2);
    world.fillObstacles(2);
    EXPECT_EQ(world.obstacleList2.size(), 20u);
    for (const ObstacleInstance& obstacle : world.obstacleList2)
        EXPECT_LT(std::atan2(-obstacle.model[3][2], obstacle.model[3][0]), 3.1415f);
    EXPECT_EQ(world.obstacleList1.size(), 10u);
}

TEST_F(WorldLists, SectionSelection)
{
    world.fillObstacles(1);
    world.fillGoodies(2);
    EXPECT_EQ(world.obstacles(1).size(), 10u);
    EXPECT_EQ(world.obstacles(0).size(), 10u);
    EXPECT_EQ(world.obstacles(3).size(), 10u);
    EXPECT_TRUE(world.obstacles(2).empty());
    EXPECT_EQ(world.goodies(2).size(), 10u);
    EXPECT_TRUE(world.goodies(1).empty());
    EXPECT_TRUE(world.goodies(-1).empty());
    EXPECT_EQ(world.obstacles(3)[4].model, world.obstacleList1[4].model);

    // A copy: changing it leaves the world alone.
    std::vector<ObstacleInstance> copy = world.obstacles(1);
    copy.clear();
    EXPECT_EQ(world.obstacleList1.size(), 10u);
}

TEST_F(WorldLists, UnknownSectionPlacesButKeepsNothing)
{
    testing::internal::CaptureStdout();
    world.fillObstacles(3);
    const std::string out = testing::internal::GetCapturedStdout();
    std::string expected;
    for (int i = 0; i < 10; ++i)
        expected += "Invalid obstacle location!\n";
    EXPECT_EQ(out, expected);
    EXPECT_TRUE(world.obstacleList1.empty());
    EXPECT_TRUE(world.obstacleList2.empty());
    // Each of the ten placements drew a lane and a tilt.
    scene::GameRandom predictor;
    for (int i = 0; i < 20; ++i)
        predictor.next();
    EXPECT_EQ(scene::gameRandom().next(), predictor.next());
}

TEST_F(WorldLists, ClearEmptiesOnlyThatSection)
{
    world.fillObstacles(1);
    world.fillObstacles(2);
    world.fillGoodies(1);
    world.fillGoodies(2);
    world.clearObstacles(5);
    world.clearGoodies(0);
    EXPECT_EQ(world.obstacleList1.size() + world.obstacleList2.size(), 20u);
    EXPECT_EQ(world.goodieList1.size() + world.goodieList2.size(), 20u);
    world.clearObstacles(2);
    world.clearGoodies(1);
    EXPECT_EQ(world.obstacleList1.size(), 10u);
    EXPECT_TRUE(world.obstacleList2.empty());
    EXPECT_TRUE(world.goodieList1.empty());
    EXPECT_EQ(world.goodieList2.size(), 10u);
}

TEST_F(WorldLists, ExistingTemplateIsKeptByAFill)
{
    scene::ObstacleLoader* kept = world.goodieTemplate.get();
    world.fillGoodies(1);
    EXPECT_EQ(world.goodieTemplate.get(), kept);
}

TEST_F(WorldLists, SpinTurnsObstaclesInPlace)
{
    world.fillObstacles(1);
    world.fillObstacles(2);
    world.obstacleList1.resize(3);
    std::vector<glm::vec3> centres;
    for (const ObstacleInstance& o : world.obstacleList1)
        centres.emplace_back(o.model[3]);
    for (const ObstacleInstance& o : world.obstacleList2)
        centres.emplace_back(o.model[3]);

    testing::internal::CaptureStdout();
    world.spinObstacles(0.5f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "0.5\n0.5\n0.5\n");

    world.obstacleList1[1].spinAngle = 1.25f;
    testing::internal::CaptureStdout();
    world.spinObstacles(0.25f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "0.75\n1.5\n0.75\n");

    size_t i = 0;
    for (const std::vector<ObstacleInstance>* list : {&world.obstacleList1, &world.obstacleList2}) {
        for (const ObstacleInstance& o : *list) {
            const glm::vec3 centre(o.model[3]);
            EXPECT_NEAR(glm::distance(centre, centres[i]), 0.0f, 1e-4f);
            const glm::mat4 expected = glm::translate(glm::mat4(1.0f), centres[i]) *
                                       glm::rotate(glm::mat4(1.0f), o.spinAngle, glm::vec3(0, 1, 0));
            for (int c = 0; c < 4; ++c)
                for (int r = 0; r < 4; ++r)
                    EXPECT_NEAR(o.model[c][r], expected[c][r], 1e-4f);
            ++i;
        }
    }
    EXPECT_FLOAT_EQ(world.obstacleList2[0].spinAngle, 0.75f);
}

TEST_F(WorldLists, RemovingAGoodieRemovesEveryEqualRecord)
{
    world.goodieList1 = {goodieAt(1.0f), goodieAt(2.0f), goodieAt(1.0f)};
    world.goodieList2 = {goodieAt(3.0f), goodieAt(1.0f)};
    world.removeGoodie(goodieAt(1.0f));
    ASSERT_EQ(world.goodieList1.size(), 1u);
    EXPECT_EQ(world.goodieList1[0], goodieAt(2.0f));
    ASSERT_EQ(world.goodieList2.size(), 1u);
    EXPECT_EQ(world.goodieList2[0], goodieAt(3.0f));
    world.removeGoodie(goodieAt(7.0f));
    EXPECT_EQ(world.goodieList1.size() + world.goodieList2.size(), 2u);
}

TEST(WorldEmpty, HasNoObjectsUntilBuilt)
{
    World world;
    EXPECT_TRUE(world.sceneObjects().empty());
    EXPECT_TRUE(world.obstacles(1).empty());
    EXPECT_EQ(world.sun, nullptr);
    EXPECT_EQ(world.uvShader, nullptr);
}

} // namespace

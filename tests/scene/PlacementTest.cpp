// The game's random source and where stones and cogwheels are placed.

#include "ColladaFixture.h"

#include "scene/GameRandom.h"
#include "scene/ObstacleLoader.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(GameRandom, ReproducesTheClassicSequence)
{
    scene::GameRandom random;
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected)
        EXPECT_EQ(random.next(), value);
    random.reset();
    EXPECT_EQ(random.next(), 41);
}

TEST(GameRandom, StaysInFifteenBits)
{
    scene::GameRandom random;
    int largest = 0;
    for (int i = 0; i < 100000; ++i) {
        const int value = random.next();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, scene::GameRandom::maxValue);
        largest = std::max(largest, value);
    }
    EXPECT_GT(largest, 32000);
}

TEST(GameRandom, TheSharedGeneratorRestartsOnReset)
{
    scene::gameRandom().reset();
    const int first = scene::gameRandom().next();
    const int second = scene::gameRandom().next();
    scene::gameRandom().reset();
    EXPECT_EQ(first, 41);
    EXPECT_EQ(second, 18467);
    EXPECT_EQ(scene::gameRandom().next(), 41);
}

class Placement : public ::testing::Test {
protected:
    void SetUp() override { scene::gameRandom().reset(); }

    // Advances the shared generator until its next values satisfy `wanted`.
    template <typename Wanted>
    void skipUntil(int count, Wanted wanted)
    {
        for (;;) {
            scene::GameRandom ahead = scene::gameRandom();
            std::vector<int> values;
            for (int i = 0; i < count; ++i)
                values.push_back(ahead.next());
            if (wanted(values))
                return;
            scene::gameRandom().next();
        }
    }

    fixture::TempDir dir;
    std::string model = dir.write("tetra.dae", fixture::collada({fixture::tetrahedron()}));
    scene::ObstacleLoader loader{glm::mat4(1.0f), nullptr, nullptr, model, nullptr};
};

float orbitAngleOf(const glm::vec3& p)
{
    float a = std::atan2(-p.z, p.x);
    return a < 0.0f ? a + 6.2831853f : a;
}

TEST_F(Placement, TemplateIsNeverDrawnItself)
{
    EXPECT_EQ(loader.describe(), "I'm a Obstacle (or Goodie)");
    EXPECT_EQ(loader.getModelMatrix(), glm::mat4(1.0f));
    EXPECT_EQ(loader.mesh.vertexCount, 12u);
    // The tangent arrays exist for every template.
    EXPECT_EQ(loader.mesh.tangents.size(), 36u);
    EXPECT_EQ(loader.mesh.bitangents.size(), 36u);
}

TEST_F(Placement, ObstacleOnInnerLaneAtSectionStart)
{
    // lane value % 3 == 0, angle value % 31415 == 0, any tilt
    skipUntil(2, [](const std::vector<int>& v) { return v[0] % 3 == 0 && v[1] % 31415 == 0; });
    const ObstacleInstance obstacle = loader.placeObstacle(1);
    const glm::vec3 centre(obstacle.model[3]);
    EXPECT_NEAR(centre.x, -52.40f, 0.01f);
    EXPECT_NEAR(centre.y, -0.2f, 1e-5f);
    EXPECT_NEAR(centre.z, 0.0214f, 0.001f);
    EXPECT_EQ(obstacle.spinAngle, 0.0f);
    EXPECT_EQ(obstacle.vertexCount, loader.mesh.vertexCount);
    EXPECT_EQ(obstacle.vao, loader.mesh.vao);
}

TEST_F(Placement, GoodieOnOuterLaneAtAngleZero)
{
    skipUntil(2, [](const std::vector<int>& v) { return v[0] % 3 == 2 && v[1] % 31415 == 0; });
    const GoodieInstance goodie = loader.placeGoodie(2);
    const glm::vec3 centre(goodie.model[3]);
    EXPECT_NEAR(centre.x, 59.8f, 1e-4f);
    EXPECT_NEAR(centre.y, 2.0f, 1e-5f);
    EXPECT_NEAR(centre.z, 0.0f, 1e-5f);
    for (int axis = 0; axis < 3; ++axis)
        EXPECT_NEAR(glm::length(glm::vec3(goodie.model[axis])), 0.7f, 1e-6f);
    // No tilt: the model's axes stay upright.
    EXPECT_NEAR(goodie.model[1][1], 0.7f, 1e-6f);
}

// Each obstacle draws lane, angle and tilt, in that order, from the shared
// generator; each goodie lane and angle.
TEST_F(Placement, FirstObstaclesFollowTheSequence)
{
    scene::GameRandom predictor;
    for (int i = 0; i < 10; ++i) {
        const float lanes[] = {52.4f, 56.0f, 59.8f};
        const float lane = lanes[predictor.next() % 3];
        const float angle = float(predictor.next() % 31415) / 10000.0f + 3.142f;
        const float tilt = float(predictor.next()) * 360.0f;

        const ObstacleInstance obstacle = loader.placeObstacle(1);
        const glm::vec3 centre(obstacle.model[3]);
        EXPECT_NEAR(std::hypot(centre.x, centre.z), lane, 1e-3f) << i;
        EXPECT_NEAR(centre.y, -0.2f, 1e-5f);
        const float placedAngle = orbitAngleOf(centre);
        EXPECT_NEAR(placedAngle, angle, 1e-4f) << i;
        EXPECT_GE(placedAngle, 3.142f - 1e-4f);
        EXPECT_LE(placedAngle, 6.2834f);
        const glm::mat4 expected = glm::rotate(glm::mat4(1.0f), angle, glm::vec3(0, 1, 0)) *
                                   glm::translate(glm::mat4(1.0f), glm::vec3(lane, -0.2f, 0.0f)) *
                                   glm::rotate(glm::mat4(1.0f), tilt, glm::vec3(0, 0, 1));
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 4; ++r)
                EXPECT_NEAR(obstacle.model[c][r], expected[c][r], 1e-3f);
    }
    // Ten obstacles used exactly thirty values.
    EXPECT_EQ(scene::gameRandom().next(), predictor.next());
}

TEST_F(Placement, GoodiesOfSectionTwoLieInTheFirstHalf)
{
    scene::GameRandom predictor;
    for (int i = 0; i < 10; ++i) {
        const float lanes[] = {52.4f, 56.0f, 59.8f};
        const float lane = lanes[predictor.next() % 3];
        const float angle = float(predictor.next() % 31415) / 10000.0f;
        const GoodieInstance goodie = loader.placeGoodie(2);
        const glm::vec3 centre(goodie.model[3]);
        EXPECT_NEAR(std::hypot(centre.x, centre.z), lane, 1e-3f);
        EXPECT_NEAR(centre.y, 2.0f, 1e-5f);
        EXPECT_NEAR(orbitAngleOf(centre), angle, 1e-4f);
        EXPECT_LE(orbitAngleOf(centre), 3.1414f + 1e-4f);
    }
    EXPECT_EQ(scene::gameRandom().next(), predictor.next());
}

TEST_F(Placement, UnknownSectionWarnsAndDrawsNoAngle)
{
    testing::internal::CaptureStdout();
    const ObstacleInstance obstacle = loader.placeObstacle(3);
    const GoodieInstance goodie = loader.placeGoodie(0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Invalid obstacle location!\nInvalid goodie location!\n");
    // Angle 0: both stand on the +x axis.
    EXPECT_NEAR(obstacle.model[3][2], 0.0f, 1e-5f);
    EXPECT_NEAR(goodie.model[3][2], 0.0f, 1e-5f);
    // Obstacle: lane + tilt, goodie: lane only: three values used.
    scene::GameRandom predictor;
    for (int i = 0; i < 3; ++i)
        predictor.next();
    EXPECT_EQ(scene::gameRandom().next(), predictor.next());
}

} // namespace

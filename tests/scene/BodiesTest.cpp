// The celestial bodies' arithmetic: placement, orbit, wrap and jump.

#include "ColladaFixture.h"

#include "scene/Moon.h"
#include "scene/Moonmoon.h"
#include "scene/Saturn.h"
#include "scene/Sun.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

class Bodies : public ::testing::Test {
protected:
    fixture::TempDir dir;
    std::string model = dir.write("tetra.dae", fixture::collada({fixture::tetrahedron()}));
    glm::mat4 identity{1.0f};
};

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST_F(Bodies, SunStandsFarOffAtTwiceItsSize)
{
    scene::Sun sun(identity, nullptr, nullptr, model, nullptr);
    EXPECT_EQ(sun.getModelMatrix(), identity);
    sun.initialize();
    expectNear(sun.getPosition(), {95.0f, 25.0f, 95.0f}, 1e-5f);
    const glm::mat4 m = sun.getModelMatrix();
    expectNear(glm::vec3(m * glm::vec4(1, 0, 0, 1)), {97.0f, 25.0f, 95.0f}, 1e-4f);
    expectNear(glm::vec3(m * glm::vec4(0, 0, -1, 1)), {95.0f, 25.0f, 93.0f}, 1e-4f);
    sun.update(3.0f);
    EXPECT_EQ(sun.getModelMatrix(), m);
    EXPECT_EQ(sun.describe(), "I'm the sun.");
}

TEST_F(Bodies, SaturnIsScaledAndTiltedAtTheCentre)
{
    scene::Saturn saturn(identity, nullptr, nullptr, model, nullptr);
    saturn.initialize();
    const glm::mat4 expected = glm::rotate(glm::scale(identity, glm::vec3(35.0f)), 0.73f, glm::vec3(1.0f));
    const glm::mat4 m = saturn.getModelMatrix();
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(m[c][r], expected[c][r], 1e-4f);
    expectNear(glm::vec3(m[3]), glm::vec3(0.0f), 1e-6f);
    // The diagonal axis stays put, other directions turn; lengths grow by 35.
    expectNear(glm::vec3(m * glm::vec4(1, 1, 1, 0)), glm::vec3(35.0f), 1e-3f);
    EXPECT_NEAR(glm::length(glm::vec3(m * glm::vec4(1, 0, 0, 0))), 35.0f, 1e-3f);
    EXPECT_GT(std::fabs(m[0][1]), 1.0f);
    EXPECT_EQ(saturn.describe(), "I'm a saturn");
}

TEST_F(Bodies, MoonStartsOnTheMiddleOfTheRing)
{
    scene::Moon moon(identity, nullptr, nullptr, model, nullptr);
    EXPECT_EQ(moon.getModelMatrix(), identity);
    moon.initialize();
    expectNear(moon.position(), {-55.9499f, 0.0f, -0.0891f}, 1e-3f);
    EXPECT_FLOAT_EQ(moon.orbitSpeed, 0.25f);
    EXPECT_FLOAT_EQ(moon.minRadius, 50.6f);
    EXPECT_FLOAT_EQ(moon.maxRadius, 61.3f);
    EXPECT_FLOAT_EQ(moon.radius, 55.95f);
    EXPECT_FLOAT_EQ(moon.orbitAngle, 3.14f);
    EXPECT_FALSE(moon.jumping);
    EXPECT_EQ(moon.describe(), "I'm a moon");
}

TEST_F(Bodies, MoonRollsAlongItsOrbit)
{
    scene::Moon moon(identity, nullptr, nullptr, model, nullptr);
    moon.initialize();
    moon.update(2.0f);
    EXPECT_NEAR(moon.orbitAngle, 3.64f, 1e-5f);
    EXPECT_NEAR(moon.spinAngle, -15.0f, 1e-4f);
    const float a = moon.orbitAngle;
    expectNear(moon.position(), {55.95f * std::cos(a), 0.0f, -55.95f * std::sin(a)}, 1e-3f);
    // The rolling spin turns the moon about its own x axis only.
    const glm::mat3 turn(moon.getModelMatrix());
    const glm::mat3 orbitOnly(glm::rotate(identity, a, glm::vec3(0, 1, 0)));
    expectNear(turn[0], orbitOnly[0], 1e-5f);
    EXPECT_GT(glm::length(turn[1] - orbitOnly[1]), 0.1f);
}

TEST_F(Bodies, MoonUpdateWithoutTimeChangesNothing)
{
    scene::Moon moon(identity, nullptr, nullptr, model, nullptr);
    moon.initialize();
    moon.update(0.7f);
    moon.startJump();
    moon.update(0.3f);
    const float orbit = moon.orbitAngle, spin = moon.spinAngle, height = moon.jumpHeight;
    const glm::mat4 transform = moon.transform;
    moon.update(0.0f);
    EXPECT_EQ(moon.orbitAngle, orbit);
    EXPECT_EQ(moon.spinAngle, spin);
    EXPECT_EQ(moon.jumpHeight, height);
    EXPECT_TRUE(moon.jumping);
    EXPECT_EQ(moon.transform, transform);
}

TEST_F(Bodies, MoonOrbitAngleWrapsAfterAFullTurn)
{
    scene::Moon moon(identity, nullptr, nullptr, model, nullptr);
    moon.orbitAngle = 6.2f;
    moon.update(0.6f); // 6.2 + 0.15 = 6.35 > 6.3
    EXPECT_NEAR(moon.orbitAngle, 6.35f - 6.28318f, 1e-5f);
    EXPECT_NEAR(moon.orbitAngle, 0.0668f, 1e-4f);

    // Not past the threshold: no reduction.
    moon.orbitAngle = 6.2f;
    moon.update(0.32f);
    EXPECT_NEAR(moon.orbitAngle, 6.28f, 1e-5f);
}

TEST_F(Bodies, MoonOrbitAngleAbove360IsBroughtBack)
{
    scene::Moon moon(identity, nullptr, nullptr, model, nullptr);
    moon.orbitAngle = 359.9f;
    moon.update(1.0f); // 360.15 -> 0.15
    EXPECT_NEAR(moon.orbitAngle, 0.15f, 1e-3f);
}

TEST_F(Bodies, JumpIsATriangleOverThreeTenthsOfTheOrbit)
{
    scene::Moon moon(identity, nullptr, nullptr, model, nullptr);
    moon.orbitAngle = 1.0f;
    moon.startJump();
    EXPECT_TRUE(moon.jumping);
    EXPECT_FLOAT_EQ(moon.jumpStart, 1.0f);
    EXPECT_FLOAT_EQ(moon.jumpEnd, 1.3f);

    moon.update(0.2f); // at 1.05: a third of the way up
    EXPECT_NEAR(moon.jumpHeight, 1.0f, 1e-3f);
    EXPECT_NEAR(moon.position().y, 1.0f, 1e-3f);
    moon.update(0.4f); // at 1.15: the peak
    EXPECT_NEAR(moon.jumpHeight, 3.0f, 1e-3f);
    moon.update(0.4f); // at 1.25: on the way down
    EXPECT_NEAR(moon.jumpHeight, 1.0f, 1e-3f);
    EXPECT_TRUE(moon.jumping);

    // Step just short of the end, then past it.
    moon.orbitAngle = 1.29f;
    moon.update(0.0f);
    EXPECT_TRUE(moon.jumping);
    EXPECT_GT(moon.jumpHeight, 0.0f);
    moon.update(0.08f); // 1.31 > 1.3
    EXPECT_FALSE(moon.jumping);
    EXPECT_EQ(moon.jumpHeight, 0.0f);
    EXPECT_EQ(moon.jumpStart, 0.0f);
    EXPECT_EQ(moon.jumpEnd, 0.0f);
    EXPECT_NEAR(moon.position().y, 0.0f, 1e-5f);
}

TEST_F(Bodies, JumpCarriesOnAcrossTheWrap)
{
    scene::Moon moon(identity, nullptr, nullptr, model, nullptr);
    moon.orbitAngle = 6.2f;
    moon.startJump(); // ends at 6.5
    moon.update(0.36f); // 6.29: still below the threshold, t = 0.09
    EXPECT_NEAR(moon.jumpHeight, 1.8f, 1e-3f);
    moon.update(0.12f); // 6.32 wraps to about 0.0368
    EXPECT_NEAR(moon.orbitAngle, 6.32f - 6.28318f, 1e-4f);
    // Measured from the unwrapped angle 6.32: t = 0.12 -> 2.4
    EXPECT_NEAR(moon.jumpHeight, 2.4f, 1e-3f);
    EXPECT_TRUE(moon.jumping);

    moon.orbitAngle = 0.02f; // the jump is computed from 6.30318
    moon.update(0.0f);
    EXPECT_NEAR(moon.jumpHeight, (6.30318f - 6.2f) / 0.15f * 3.0f, 1e-3f);
    EXPECT_TRUE(moon.jumping);

    moon.orbitAngle = 0.22f; // 6.50318 > 6.5: over
    moon.update(0.0f);
    EXPECT_FALSE(moon.jumping);
    EXPECT_EQ(moon.jumpHeight, 0.0f);
}

TEST_F(Bodies, AJumpEndingJustBeforeTheWrapKeepsItsArcAndEndsOnTime)
{
    // A jump whose end lies within one frame's step below the wrap: the update
    // that carries the angle past the end also wraps it. Slow machines (long
    // frames) meet this case once every few laps.
    for (const float frameTime : {1.0f / 60.0f, 0.1f, 0.25f}) {
        for (const float offset : {0.1f, 0.35f, 0.6f, 0.9f}) {
            SCOPED_TRACE("frame " + std::to_string(frameTime) + " s, offset " + std::to_string(offset));
            scene::Moon moon(identity, nullptr, nullptr, model, nullptr);
            const float step = moon.orbitSpeed * frameTime;
            const double end = moon.wrapThreshold - offset * step;
            moon.orbitAngle = static_cast<float>(end - moon.jumpLength);
            moon.startJump();
            double along = moon.orbitAngle;
            int updates = 0;
            while (moon.jumping && updates < 1000) {
                moon.update(frameTime);
                along += step;
                ++updates;
                ASSERT_GE(moon.jumpHeight, 0.0f) << "after " << updates << " updates";
                ASSERT_LE(moon.jumpHeight, moon.jumpPeak + 1e-4f);
                ASSERT_GE(moon.position().y, -1e-3f) << "the moon sank under the ring";
                if (along < end - 1e-4)
                    ASSERT_TRUE(moon.jumping) << "the jump ended early";
            }
            EXPECT_FALSE(moon.jumping);
            EXPECT_LT(along - step, end + 1e-4) << "the jump ran on past its end";
        }
    }
}

TEST_F(Bodies, MoonmoonCirclesTheGivenCentre)
{
    scene::Moonmoon moonmoon(identity, nullptr, nullptr, model, nullptr);
    moonmoon.initialize();
    expectNear(glm::vec3(moonmoon.getModelMatrix()[3]), {55.95f, 0.0f, 1.5f}, 1e-4f);
    EXPECT_NEAR(glm::length(glm::vec3(moonmoon.getModelMatrix()[0])), 0.2f, 1e-6f);

    const glm::vec3 centre(-55.95f, 1.0f, -0.09f);
    moonmoon.orbitAround(centre, 0.1f); // angle 1.0
    EXPECT_NEAR(moonmoon.orbitAngle, 1.0f, 1e-6f);
    expectNear(glm::vec3(moonmoon.getModelMatrix()[3]),
               centre + 1.5f * glm::vec3(std::sin(1.0f), 0.0f, std::cos(1.0f)), 1e-4f);
    EXPECT_NEAR(glm::length(glm::vec3(moonmoon.getModelMatrix()[1])), 0.2f, 1e-6f);
    EXPECT_EQ(moonmoon.describe(), "Moonmoon!");
}

TEST_F(Bodies, MoonmoonAngleDropsBy360)
{
    scene::Moonmoon moonmoon(identity, nullptr, nullptr, model, nullptr);
    moonmoon.orbitAngle = 359.5f;
    moonmoon.orbitAround(glm::vec3(0.0f), 0.1f); // 360.5 -> 0.5
    EXPECT_NEAR(moonmoon.orbitAngle, 0.5f, 1e-3f);
    moonmoon.orbitAround(glm::vec3(0.0f), 0.0f);
    EXPECT_NEAR(moonmoon.orbitAngle, 0.5f, 1e-3f);
}

} // namespace

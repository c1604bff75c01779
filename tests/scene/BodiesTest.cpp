// The moon's orbit, roll, wrap and jump.
#include "gpu/Content.h"
#include "scene/Moon.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Bodies : ::testing::Test {
    scene::Moon moon{glm::mat4(1.0f), nullptr, nullptr, contentPath("Models/sphere.dae"), nullptr};
};

} // namespace

TEST_F(Bodies, AJumpIsATriangleOverThreeTenthsOfTheOrbitAlsoAcrossTheWrap)
{
    struct Case {
        float start, seconds, height;
    };
    // 0.25 rad/s: 0.2 s = 0.05 rad, a third of the way up to the peak of 3.
    for (const Case c : {Case{1.0f, 0.2f, 1.0f}, Case{1.0f, 0.6f, 3.0f}, Case{1.0f, 1.0f, 1.0f},
                         Case{6.2f, 0.36f, 1.8f}, Case{6.2f, 0.48f, 2.4f}}) {
        SCOPED_TRACE(std::to_string(c.start) + " + " + std::to_string(c.seconds) + " s");
        moon.orbitAngle = c.start;
        moon.startJump();
        EXPECT_FLOAT_EQ(moon.jumpEnd, c.start + 0.3f);
        moon.update(c.seconds);
        EXPECT_NEAR(moon.jumpHeight, c.height, 1e-3f);
        EXPECT_NEAR(moon.position().y, c.height, 1e-3f);
        EXPECT_TRUE(moon.jumping);
        moon.update(1.2f - c.seconds + 0.04f); // past the end
        EXPECT_FALSE(moon.jumping);
        EXPECT_EQ(moon.jumpHeight, 0.0f);
        EXPECT_NEAR(moon.position().y, 0.0f, 1e-5f);
    }
}

TEST_F(Bodies, AJumpEndingJustBeforeTheWrapKeepsItsArcAndEndsOnTime)
{
    // A jump whose end lies within one frame's step below the wrap: the update
    // that carries the angle past the end also wraps it. Slow machines (long
    // frames) meet this case once every few laps.
    for (const float frameTime : {1.0f / 60.0f, 0.1f, 0.25f}) {
        for (const float offset : {0.1f, 0.35f, 0.6f, 0.9f}) {
            SCOPED_TRACE("frame " + std::to_string(frameTime) + " s, offset " + std::to_string(offset));
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
                if (along < end - 1e-4) {
                    ASSERT_TRUE(moon.jumping) << "the jump ended early";
                }
            }
            EXPECT_FALSE(moon.jumping);
            EXPECT_LT(along - step, end + 1e-4) << "the jump ran on past its end";
        }
    }
}

#include "camera/GameCamera.h"
#include "camera/GodCamera.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

bool allFinite(const glm::mat4& m)
{
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            if (!std::isfinite(m[c][r]))
                return false;
    return true;
}

// Where the moon stands at orbit angle a, distance rho, height h.
glm::vec3 onOrbit(float a, float rho, float h)
{
    return glm::vec3(rho * std::cos(a), h, -rho * std::sin(a));
}

} // namespace

TEST(Projection, UsesTanOf22Point5Radians)
{
    GameCamera camera;
    camera.follow(800, 600, onOrbit(3.14f, 55.95f, 0.0f));
    const glm::mat4& p = camera.projection;
    EXPECT_NEAR(p[0][0], 1.34444f, 1e-4f);
    EXPECT_NEAR(p[1][1], 1.79259f, 1e-4f);
    EXPECT_NEAR(p[2][2], -1.0010005f, 1e-6f);
    EXPECT_FLOAT_EQ(p[2][3], -1.0f);
    EXPECT_NEAR(p[3][2], -0.20010005f, 1e-6f);
    EXPECT_FLOAT_EQ(p[3][3], 0.0f);
    EXPECT_FLOAT_EQ(p[0][1], 0.0f);
    // The same matrix as GLM's perspective with the matching field of view.
    const glm::mat4 reference = glm::perspective(2.0f * std::atan(0.5578517f), 800.0f / 600.0f, 0.1f, 200.0f);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(p[c][r], reference[c][r], 1e-5f) << c << "," << r;
}

TEST(Projection, ZeroHeightKeepsTheLastProjection)
{
    GameCamera camera;
    camera.follow(800, 600, onOrbit(3.14f, 55.95f, 0.0f));
    const glm::mat4 before = camera.projection;
    camera.follow(800, 0, onOrbit(3.2f, 55.95f, 0.0f));
    EXPECT_TRUE(allFinite(camera.projection));
    EXPECT_EQ(camera.projection, before);
    camera.follow(0, 0, onOrbit(3.3f, 55.95f, 0.0f));
    EXPECT_EQ(camera.projection, before);

    GodCamera god;
    god.fly(GodCameraInput{}, 0.016f); // a minimised window from the start
    EXPECT_TRUE(allFinite(god.projection));
    EXPECT_TRUE(allFinite(god.view));
}

TEST(GameCamera, HangsBehindAndAboveTheMoonAtStart)
{
    GameCamera camera;
    const glm::vec3 moon(-55.9499f, 0.0f, -0.0891f);
    camera.follow(800, 600, moon);
    expectNear(camera.getPosition(), glm::vec3(-59.515f, 3.0f, -15.298f), 2e-3f);
    // The moon is straight ahead: it projects to the horizontal centre of the screen.
    const glm::vec4 clip = camera.projection * camera.view * glm::vec4(moon, 1.0f);
    EXPECT_NEAR(clip.x / clip.w, 0.0f, 1e-4f);
    EXPECT_GT(clip.w, 0.0f);
}

TEST(GameCamera, StaysAQuarterRadianBehindAllAroundTheRing)
{
    GameCamera camera;
    for (float a : {0.1f, 1.0f, 2.5f, 3.14f, 4.0f, 5.5f, 6.2f}) {
        for (float rho : {50.6f, 56.0f, 61.3f}) {
            camera.follow(800, 600, onOrbit(a, rho, 0.0f));
            expectNear(camera.getPosition(), onOrbit(a - 0.25f, rho + 5.5f, 3.0f), 2e-3f);
        }
    }
}

TEST(GameCamera, RisesWithAJumpingMoon)
{
    GameCamera camera;
    const glm::vec3 moon = onOrbit(1.0f, 56.0f, 2.0f);
    camera.follow(800, 600, moon);
    const glm::vec3 eye = camera.getPosition();
    EXPECT_NEAR(eye.y, 5.0f, 1e-3f);
    // r includes the height, so the eye moves a little further out.
    const float expectedDistance = std::sqrt(56.0f * 56.0f + 4.0f) + 5.5f;
    EXPECT_NEAR(std::hypot(eye.x, eye.z), expectedDistance, 2e-3f);
}

TEST(GodCamera, StartsBesideTheTrackLookingAlongMinusZ)
{
    GodCamera camera;
    EXPECT_EQ(camera.getPosition(), glm::vec3(50.0f, 2.0f, 10.0f));
    GodCameraInput input;
    input.framebufferWidth = 800;
    input.framebufferHeight = 600;
    input.cursorX = 400.0;
    input.cursorY = 300.0;
    camera.fly(input, 0.1f);
    EXPECT_EQ(camera.getPosition(), glm::vec3(50.0f, 2.0f, 10.0f));
    // The view looks along (0.0016, 0, -1) with y up.
    const glm::vec3 forward = -glm::vec3(camera.view[0][2], camera.view[1][2], camera.view[2][2]);
    expectNear(forward, glm::vec3(0.0016f, 0.0f, -1.0f), 1e-3f);
    const glm::vec3 up(camera.view[0][1], camera.view[1][1], camera.view[2][1]);
    expectNear(up, glm::vec3(0.0f, 1.0f, 0.0f), 1e-3f);
    EXPECT_NEAR(camera.projection[1][1], 1.79259f, 1e-4f);

    // Resting at the centre with no key held changes nothing.
    const glm::mat4 view = camera.view;
    camera.fly(input, 0.1f);
    EXPECT_EQ(camera.view, view);
}

TEST(GodCamera, ArrowKeysFlyTenUnitsPerSecond)
{
    GodCamera camera;
    GodCameraInput input;
    input.framebufferWidth = 800;
    input.framebufferHeight = 600;
    input.cursorX = 400.0;
    input.cursorY = 300.0;
    input.up = true;
    camera.fly(input, 0.5f);
    expectNear(camera.getPosition(), glm::vec3(50.0f + 5.0f * std::sin(3.14f), 2.0f, 10.0f + 5.0f * std::cos(3.14f)), 1e-4f);

    input.up = false;
    input.right = true;
    const glm::vec3 before = camera.getPosition();
    camera.fly(input, 0.5f);
    expectNear(camera.getPosition() - before, 5.0f * glm::vec3(std::sin(3.14f - 1.57f), 0.0f, std::cos(3.14f - 1.57f)), 1e-4f);

    input.right = false;
    input.up = input.down = true; // cancel out
    const glm::vec3 still = camera.getPosition();
    camera.fly(input, 0.5f);
    expectNear(camera.getPosition(), still, 1e-5f);
}

TEST(GodCamera, MouseTurnsByFiveMilliradiansPerPixel)
{
    GodCamera camera;
    GodCameraInput input;
    input.framebufferWidth = 801; // odd: the centre rounds down to 400
    input.framebufferHeight = 600;
    input.cursorX = 500.0;        // 100 px right of the centre
    input.cursorY = 280.0;        // 20 px above it
    camera.fly(input, 0.016f);
    EXPECT_NEAR(camera.yaw, 3.14f - 0.5f, 1e-5f);
    EXPECT_NEAR(camera.pitch, 0.1f, 1e-5f);
}

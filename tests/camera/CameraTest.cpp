// The game camera that follows the moon and the free-flying god camera.
#include "camera/GameCamera.h"
#include "camera/GodCamera.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// Where the moon stands at orbit angle a, distance rho, height h.
glm::vec3 onOrbit(float a, float rho, float h) { return glm::vec3(rho * std::cos(a), h, -rho * std::sin(a)); }

float distance(const glm::vec3& a, const glm::vec3& b) { return glm::length(a - b); }

GodCameraInput centredMouse()
{
    GodCameraInput input;
    input.framebufferWidth = 800;
    input.framebufferHeight = 600;
    input.cursorX = 400.0;
    input.cursorY = 300.0;
    return input;
}

} // namespace

TEST(GameCamera, HangsAQuarterRadianBehindAndAboveTheMoonAllAroundTheRing)
{
    GameCamera camera;
    for (float a : {0.1f, 1.0f, 2.5f, 3.14f, 4.0f, 5.5f, 6.2f}) {
        for (float rho : {50.6f, 56.0f, 61.3f}) {
            const glm::vec3 moon = onOrbit(a, rho, 0.0f);
            camera.follow(800, 600, moon);
            EXPECT_LT(distance(camera.getPosition(), onOrbit(a - 0.25f, rho + 5.5f, 3.0f)), 2e-3f) << a;
            // The moon is straight ahead, in the middle of the screen.
            const glm::vec4 clip = camera.projection * camera.view * glm::vec4(moon, 1.0f);
            EXPECT_GT(clip.w, 0.0f);
            EXPECT_NEAR(clip.x / clip.w, 0.0f, 1e-4f);
        }
    }
    // A jumping moon lifts the camera; its distance counts the height too.
    camera.follow(800, 600, onOrbit(1.0f, 56.0f, 2.0f));
    EXPECT_NEAR(camera.getPosition().y, 5.0f, 1e-3f);
    EXPECT_NEAR(std::hypot(camera.getPosition().x, camera.getPosition().z), std::sqrt(56.0f * 56.0f + 4.0f) + 5.5f, 2e-3f);
    // The projection: tan(22.5) taken in radians, near 0.1, far 200.
    const glm::mat4 reference = glm::perspective(2.0f * std::atan(0.5578517f), 800.0f / 600.0f, 0.1f, 200.0f);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(camera.projection[c][r], reference[c][r], 1e-5f);
    // A minimised window (no height) keeps the last projection.
    const glm::mat4 before = camera.projection;
    camera.follow(800, 0, onOrbit(3.2f, 56.0f, 0.0f));
    EXPECT_EQ(camera.projection, before);
}

TEST(GodCamera, TheMouseTurnsItAndTheArrowKeysFlyItTenUnitsASecond)
{
    GodCamera camera;
    GodCameraInput input = centredMouse();
    input.framebufferWidth = 801; // odd: the centre rounds down to 400
    input.cursorX = 500.0;        // 100 px right of the centre
    input.cursorY = 280.0;        // 20 px above it
    camera.fly(input, 0.016f);
    EXPECT_NEAR(camera.yaw, 3.14f - 0.5f, 1e-5f);
    EXPECT_NEAR(camera.pitch, 0.1f, 1e-5f);
    EXPECT_EQ(camera.getPosition(), glm::vec3(50.0f, 2.0f, 10.0f));

    GodCamera flier;
    input = centredMouse();
    input.up = true;
    flier.fly(input, 0.5f);
    EXPECT_LT(distance(flier.getPosition(), glm::vec3(50.0f + 5.0f * std::sin(3.14f), 2.0f, 10.0f + 5.0f * std::cos(3.14f))),
              1e-4f);
    const glm::vec3 forward = -glm::vec3(flier.view[0][2], flier.view[1][2], flier.view[2][2]);
    EXPECT_LT(distance(forward, glm::vec3(0.0016f, 0.0f, -1.0f)), 1e-3f) << "looks along -z";
    input.up = false;
    input.right = true;
    const glm::vec3 before = flier.getPosition();
    flier.fly(input, 0.5f);
    EXPECT_LT(distance(flier.getPosition() - before, 5.0f * glm::vec3(std::sin(3.14f - 1.57f), 0.0f, std::cos(3.14f - 1.57f))),
              1e-4f);
}

// The work a frame skips (the sun's chain while no sun can be on screen, the parts
// of the kept shadow map that nothing moved over) never changes a pixel.
#include "RenderFixture.h"

#include "app/KeyCallback.h"
#include "camera/GameCamera.h"
#include "camera/GodCamera.h"
#include "render/SunVisibility.h"
#include "scene/Moon.h"
#include "scene/Saturn.h"
#include "scene/Sun.h"
#include "scene/World.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iostream>
#include <map>

using namespace rendertest;

namespace {

std::vector<GLuint> shadowMap(const Renderer& renderer)
{
    const glm::ivec2 size = textureSize(renderer.depthMapTexture);
    std::vector<GLuint> depths(static_cast<size_t>(size.x * size.y));
    glBindTexture(GL_TEXTURE_2D, renderer.depthMapTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, depths.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return depths;
}

// Stones of the middle lane move to the inner one: a moon near the middle lane meets none.
void clearMiddleLane(World& world)
{
    for (auto* list : {&world.obstacleList1, &world.obstacleList2})
        for (ObstacleInstance& stone : *list) {
            glm::vec4& at = stone.model[3];
            const float radius = std::hypot(at.x, at.z);
            if (std::abs(radius - 56.0f) < 1.0f)
                at.x *= 52.4f / radius, at.z *= 52.4f / radius;
        }
}

} // namespace

// A second renderer that draws every pass watches a scripted lap beside the game's
// own, then sun frames at three sizes. Faults: a moving caster's footprint too
// small, a change of the stones or cogwheels that keeps the old map, the sun's rim
// on screen without its flare, a stale flare, a sun beyond the far plane by a
// rounding error without its cap, a flare region too small on any side (a ghost,
// the halo, the blur's spread) or stale pixels around it; the every-pass renderer
// taking the shortcuts too; over the lap, GL objects or errors that pile up.
TEST(DrawOnlyWhatChanges, EveryFrameOfAScriptedLapEqualsTheFrameWithEveryPassDrawn)
{
    int width = 256, height = 192;
    HeadlessGame game(HeadlessGame::Graphics::HiddenWindow, width, height);
    AppState& state = game.state();
    World& world = *state.world;
    Renderer& cached = *state.renderer;
    Renderer full;
    full.drawEveryPass = true;
    clearMiddleLane(world);
    ::testing::internal::CaptureStdout();

    std::map<ShadowMapCache::Redraw, int> shadowPlans;
    int sunChains[2] = {0, 0}, frame = 0, glObjects = 0;
    auto draw = [&](Renderer& renderer) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glViewport(0, 0, width, height);
        renderer.drawFrame(&world, state.activeCamera, Hud{state.score, state.gameOver}, {width, height});
        return readFramebuffer(width, height);
    };
    // One frame with `keys` held, drawn by both renderers and compared.
    auto play = [&](float seconds, InputSnapshot keys = {}) {
        if (::testing::Test::HasFatalFailure())
            return;
        game.advance(seconds, keys);
        clearMiddleLane(world);
        ++frame;
        ASSERT_FALSE(state.gameOver) << "frame " << frame;
        full.wireframe = cached.wireframe;
        const Image expected = draw(full), actual = draw(cached);
        glfwSwapBuffers(state.window);
        ASSERT_EQ(0, std::memcmp(expected.pixels.data(), actual.pixels.data(), expected.pixels.size() * sizeof(Rgba)))
            << "frame " << frame << ", orbit angle " << world.moon->orbitAngle;
        ASSERT_TRUE(shadowMap(full) == shadowMap(cached)) << "shadow map of frame " << frame;
        ASSERT_TRUE(full.wireframe || (full.lastFrame.shadow == ShadowMapCache::Redraw::Whole && full.lastFrame.sunChain &&
                                        full.lastFrame.sunRegionShare == 1.0))
            << "the renderer with every pass skipped work in frame " << frame;
        if (!cached.wireframe)
            ++shadowPlans[cached.lastFrame.shadow], ++sunChains[cached.lastFrame.sunChain];
        glObjects = glObjects > 0 ? glObjects : liveGlObjects();
    };
    auto playFor = [&](int frames, InputSnapshot keys = {}) { // frames of 0.1 s, as on a software renderer
        while (frames-- > 0)
            play(0.1f, keys);
    };
    auto skipTo = [&](float orbitAngle) { // game time that nobody watches
        for (int i = 0; i < 400 && std::abs(world.moon->orbitAngle - orbitAngle) > 0.03f; ++i)
            game.advance(0.1f), clearMiddleLane(world);
    };
    InputSnapshot jump, outwards, inwards;
    jump.keySpace = outwards.keyD = inwards.keyA = true;

    play(1.0f / 60.0f); // the first frame draws everything
    playFor(2, jump);   // the sun comes on screen (orbit angle 3.25)
    playFor(2, outwards);
    playFor(3, inwards);
    for (bool* mode : {&state.spinObstacles, &state.paused, &cached.wireframe}) { // each on, then off
        *mode = true;
        playFor(2, mode == &state.paused ? jump : outwards); // a paused moon stays where it is
        *mode = false;
        playFor(2, inwards);
    }
    // A cogwheel where the moon is gets collected; one far away goes, as if taken.
    GoodieInstance here = world.goodieList1.front();
    here.model[3] = glm::vec4(world.moon->position(), 1.0f);
    world.goodieList1.push_back(here);
    world.removeGoodie(world.goodieList1.front());
    play(0.05f);
    EXPECT_EQ(state.score, 10);
    skipTo(3.78f);
    playFor(5); // section 2 refilled: new stones, new shadows
    skipTo(4.72f);
    playFor(5, jump); // the sun leaves the screen (4.81)

    // The god camera towards the sun, away, with only the sun's rim in view, from behind
    // Saturn, and with the sun's sphere at the far plane.
    handleKeyRelease(state, GLFW_KEY_F6);
    state.godMode = false; // the test turns it, not the hidden window's cursor
    GodCamera& god = *state.godCamera;
    const glm::vec3 godStart = god.position;
    const scene::BoundingSphere sun = world.sun->bounds();
    auto turn = [&](float yaw) {
        god.yaw = yaw;
        god.fly({width / 2.0, height / 2.0, width, height}, 0.0f);
    };
    auto aim = [&](glm::vec3 eye, glm::vec3 target) {
        const glm::vec3 toTarget = glm::normalize(target - eye);
        god.position = eye;
        god.pitch = std::asin(toTarget.y);
        turn(std::atan2(toTarget.x, toTarget.z));
    };
    aim(god.position, sun.centre);
    const float sunYaw = god.yaw;
    for (float yaw : {0.0f, 0.4f, 1.2f}) {
        turn(sunYaw + yaw);
        play(0.1f);
    }
    float yaw = sunYaw;
    do
        turn(yaw -= 0.0005f);
    while (mayBeInView(god.projection * god.view, {sun.centre, 0.3f * sun.radius}));
    play(0.0f);
    EXPECT_TRUE(cached.lastFrame.sunChain) << "the sun's rim on screen";
    const Image flare = readTexture(full.lensflareTexture);
    EXPECT_TRUE(std::any_of(flare.pixels.begin(), flare.pixels.end(), [](const Rgba& p) { return p.r + p.g > 0; }));

    aim(-0.42f * sun.centre, sun.centre); // Saturn in front of the sun: the chain runs, the flare is black
    play(0.0f);
    EXPECT_TRUE(cached.lastFrame.sunChain);
    // The sun's sphere at the far plane: reaching in by a rounding error (a
    // five-hundredth of its radius) it is in view, far beyond it not.
    for (float beyond : {-0.002f, 0.05f}) {
        aim(sun.centre - (200.0f + sun.radius * (1.0f + beyond)) * glm::normalize(glm::vec3(0.6f, 0.1f, 0.8f)), sun.centre);
        play(0.0f);
        EXPECT_EQ(cached.lastFrame.sunChain, beyond < 0.0f) << beyond;
    }
    state.activeCamera = state.gameCamera.get();

    width = 320, height = 240; // new targets, a new shadow map
    ASSERT_TRUE(resizeWindow(state.window, width, height));
    playFor(3, outwards);
    skipTo(0.28f);
    playFor(4); // section 1 refilled after the lap's end

    // The god camera turned until the sun stands at `ndc` in the picture.
    state.activeCamera = &god;
    auto look = [&](float yaw, float pitch) {
        god.pitch = pitch;
        turn(yaw);
        const glm::vec4 clip = god.projection * god.view * glm::vec4(sun.centre, 1.0f);
        return glm::vec2(clip) / clip.w;
    };
    auto place = [&](glm::vec2 ndc) {
        aim(godStart, sun.centre);
        for (int step = 0; step < 6; ++step) {
            const float yaw = god.yaw, pitch = god.pitch, h = 1e-3f;
            const glm::vec2 at = look(yaw, pitch);
            const glm::mat2 slope((look(yaw + h, pitch) - at) / h, (look(yaw, pitch + h) - at) / h);
            const glm::vec2 change = glm::inverse(slope) * (ndc - at);
            look(yaw + change.x, pitch + change.y);
        }
    };
    // From there the line of sight to the sun's centre grazes Saturn: its limb halves the sun.
    const scene::BoundingSphere saturn = world.saturn->bounds();
    const glm::vec3 saturnToSun = sun.centre - saturn.centre;
    const float sunDistance = glm::length(saturnToSun), back = 0.42f;
    const glm::vec3 limbEye = saturn.centre - back * saturnToSun +
                              glm::normalize(glm::cross(saturnToSun, glm::vec3(0.0f, 1.0f, 0.0f))) * saturn.radius *
                                  (1.0f + back) * sunDistance / std::sqrt(sunDistance * sunDistance - saturn.radius * saturn.radius);
    // The sun at the centre (the halo all round), in a corner, half over the right edge,
    // then near the other corners and the edges (the ghosts off screen); at 1440 pixels
    // high (eight reads a ghost) only the first three.
    const glm::vec2 places[] = {{0.0f, 0.0f},  {-0.9f, -0.9f}, {1.0f, 0.3f}, {0.9f, 0.9f}, {-0.9f, 0.9f},
                                {0.9f, -0.9f}, {0.9f, 0.0f},   {-0.9f, 0.0f}, {0.0f, 0.9f}, {0.0f, -0.9f}};
    for (glm::ivec2 size : {glm::ivec2(800, 600), glm::ivec2(1280, 720), glm::ivec2(2560, 1440)}) {
        width = size.x, height = size.y;
        ASSERT_TRUE(resizeWindow(state.window, width, height));
        for (int i = 0; i < (height > 1000 ? 3 : 10); ++i) {
            place(places[i]);
            play(0.0f);
            EXPECT_TRUE(cached.lastFrame.sunChain && cached.lastFrame.sunRegionShare < 0.6) << width << " " << i;
        }
        aim(limbEye, sun.centre);
        play(0.0f);
    }
    state.activeCamera = state.gameCamera.get();

    const std::string console = ::testing::internal::GetCapturedStdout(); // goodie lines and spin angles
    if (::testing::Test::HasFailure())
        std::cerr << console; // the failures were written into it
    EXPECT_EQ(liveGlObjects(), glObjects);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_GT(sunChains[0], 5);
    EXPECT_GT(sunChains[1], 5);
    EXPECT_GT(shadowPlans[ShadowMapCache::Redraw::Region], 10);
    EXPECT_GT(shadowPlans[ShadowMapCache::Redraw::Nothing], 1);
    EXPECT_GT(shadowPlans[ShadowMapCache::Redraw::Whole], 4);
}

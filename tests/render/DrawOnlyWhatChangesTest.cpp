// The game skips work that cannot change the picture: the sun's chain while no
// sun can be on screen, and the parts of the shadow map that nothing moved
// over. A second renderer with every pass drawn in full watches a scripted
// game beside the game's own; every frame and every shadow map must come out
// the same to the bit.
#include "RenderFixture.h"
#include "Track.h"

#include "app/KeyCallback.h"
#include "camera/GameCamera.h"
#include "camera/GodCamera.h"
#include "render/SunVisibility.h"
#include "scene/Moon.h"
#include "scene/Sun.h"
#include "scene/World.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <string>

using namespace rendertest;

namespace {

using Redraw = ShadowMapCache::Redraw;

std::vector<GLuint> shadowMap(const Renderer& renderer)
{
    const glm::ivec2 size = textureSize(renderer.depthMapTexture);
    std::vector<GLuint> depths(static_cast<size_t>(size.x) * static_cast<size_t>(size.y));
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glBindTexture(GL_TEXTURE_2D, renderer.depthMapTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, depths.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return depths;
}

bool anyLight(const Image& image)
{
    return std::any_of(image.pixels.begin(), image.pixels.end(), [](const Rgba& p) { return p.r + p.g + p.b > 0; });
}

// Stones of the middle lane move to the inner one, so that a moon kept near
// the middle lane never meets one.
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

TEST(DrawOnlyWhatChanges, EveryFrameOfAScriptedGameEqualsTheFrameWithEveryPassDrawn)
{
    int width = 256, height = 192;
    HeadlessGame game(HeadlessGame::Graphics::HiddenWindow, width, height);
    AppState& state = game.state();
    World& world = *state.world;
    Renderer& cached = *state.renderer;
    Renderer full;
    full.drawEveryPass = true;
    clearMiddleLane(world);

    std::map<Redraw, int> shadowPlans;
    int sunChains = 0, noSunChains = 0, flareSeenAtTheEdge = 0;
    int frame = 0;
    auto draw = [&](Renderer& renderer) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glViewport(0, 0, width, height);
        renderer.drawFrame(&world, state.activeCamera, Hud{state.score, state.gameOver}, {width, height});
        return readFramebuffer(width, height);
    };
    // One frame with `keys` held, drawn by both renderers and compared.
    auto play = [&](float seconds, InputSnapshot keys = {}) {
        if (::testing::Test::HasFatalFailure())
            return;
        ++frame;
        game.advance(seconds, keys);
        clearMiddleLane(world);
        ASSERT_FALSE(state.gameOver) << "frame " << frame;
        full.wireframe = cached.wireframe;
        const Image expected = draw(full);
        const Image actual = draw(cached);
        glfwSwapBuffers(state.window);
        ASSERT_EQ(0, std::memcmp(expected.pixels.data(), actual.pixels.data(), expected.pixels.size() * sizeof(Rgba)))
            << "frame " << frame << " at orbit angle " << world.moon->orbitAngle;
        ASSERT_TRUE(shadowMap(full) == shadowMap(cached)) << "shadow map of frame " << frame;
        if (!cached.wireframe) {
            ++shadowPlans[cached.lastFrame.shadow];
            ++(cached.lastFrame.sunChain ? sunChains : noSunChains);
        }
    };
    // Frames of 0.1 s, as on a software renderer.
    auto playFor = [&](int frames, InputSnapshot keys = {}) {
        for (int i = 0; i < frames; ++i)
            play(0.1f, keys);
    };
    // Game time that nobody watches, in frames of 0.1 s.
    auto skipTo = [&](float orbitAngle) {
        for (int i = 0; i < 400 && std::abs(world.moon->orbitAngle - orbitAngle) > 0.03f; ++i) {
            game.advance(0.1f);
            clearMiddleLane(world);
        }
    };
    InputSnapshot jump, outwards, inwards;
    jump.keySpace = true;
    outwards.keyD = true;
    inwards.keyA = true;

    play(1.0f / 60.0f); // the first frame: everything from scratch
    playFor(2, jump);   // the sun comes on screen (orbit angle about 3.25)
    playFor(2, outwards);
    playFor(3, inwards);
    state.spinObstacles = true;
    playFor(2);
    state.spinObstacles = false;
    playFor(2);
    state.paused = true;
    playFor(2, jump);
    state.paused = false;
    cached.wireframe = true;
    playFor(3, outwards);
    cached.wireframe = false;
    playFor(2, inwards);

    // A cogwheel where the moon is gets collected; one far away goes as if
    // taken, and takes its shadow along.
    GoodieInstance ahead = world.goodieList1.front();
    ahead.model[3] = glm::vec4(world.moon->position(), 1.0f);
    world.goodieList1.push_back(ahead);
    world.removeGoodie(world.goodieList1.front());
    play(0.05f);
    EXPECT_EQ(state.score, 10);

    skipTo(3.78f);
    playFor(5); // section 2 is refilled: new stones, new shadows
    EXPECT_TRUE(state.refillArmed1);
    skipTo(4.72f);
    playFor(5, jump); // the sun leaves the screen (about 4.81)

    // The god camera: towards the sun, just past its edge and away.
    handleKeyRelease(state, GLFW_KEY_F6);
    ASSERT_EQ(state.activeCamera, state.godCamera.get());
    state.godMode = false; // the test turns it, not the hidden window's cursor
    GodCamera& god = *state.godCamera;
    const glm::vec3 toSun = glm::normalize(world.sun->getPosition() - god.position);
    const float sunYaw = std::atan2(toSun.x, toSun.z);
    god.pitch = std::asin(toSun.y);
    auto turn = [&](float yaw) {
        GodCameraInput still;
        still.framebufferWidth = width;
        still.framebufferHeight = height;
        still.cursorX = width / 2, still.cursorY = height / 2;
        god.yaw = yaw;
        god.fly(still, 0.0f);
    };
    for (float yaw : {sunYaw, sunYaw + 0.4f, sunYaw + 1.2f}) {
        turn(yaw);
        play(0.1f);
    }
    // The sun's centre a third of its radius beyond the right edge: only its
    // rim is in the picture, and it throws a flare.
    const scene::BoundingSphere sun = world.sun->bounds();
    float edge = sunYaw;
    for (float yaw = sunYaw; yaw > sunYaw - 1.5f; yaw -= 0.0005f) {
        turn(yaw);
        const glm::mat4 viewProjection = god.projection * god.view;
        if (!mayBeInView(viewProjection, {sun.centre, 0.3f * sun.radius})) {
            edge = yaw;
            break;
        }
    }
    turn(edge);
    play(0.0f);
    flareSeenAtTheEdge = anyLight(readTexture(full.lensflareTexture));
    EXPECT_TRUE(cached.lastFrame.sunChain) << "a sun with only its rim on screen still throws its flare";
    state.godMode = true;
    handleKeyRelease(state, GLFW_KEY_F6);

    // Saturn between the camera and the sun: the chain runs, the flare stays black.
    rendertest::FixedCamera behindSaturn(-0.42f * world.sun->getPosition(), world.sun->getPosition(), width, height);
    state.activeCamera = &behindSaturn;
    play(0.0f);
    EXPECT_TRUE(cached.lastFrame.sunChain);
    state.activeCamera = state.gameCamera.get();

    // A bigger window: new targets, a new shadow map.
    width = 320, height = 240;
    ASSERT_TRUE(resizeWindow(state.window, width, height));
    playFor(3, outwards);

    skipTo(0.28f);
    playFor(4); // section 1 is refilled after the lap's end
    EXPECT_FALSE(state.refillArmed1);

    EXPECT_TRUE(flareSeenAtTheEdge);
    EXPECT_GT(sunChains, 5);
    EXPECT_GT(noSunChains, 5);
    EXPECT_GT(shadowPlans[Redraw::Region], 10);
    EXPECT_GT(shadowPlans[Redraw::Nothing], 1);
    EXPECT_GT(shadowPlans[Redraw::Whole], 4);
}

// Whole frames of the game read back from a hidden window: the GL state a
// frame leaves behind, the score, and the off-screen targets as the window
// changes. (The reference frames hold the exact pictures.)
#include "RenderFixture.h"

#include "app/KeyCallback.h"
#include "camera/GameCamera.h"
#include "render/RenderTargets.h"
#include "scene/Moon.h"
#include "scene/World.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace rendertest;

namespace {

// Columns of the top right corner (where the score stands) that hold white pixels.
int scoreColumns(const Image& image)
{
    int columns = 0;
    for (int x = image.width - 200; x < image.width; ++x) {
        bool white = false;
        for (int y = image.height - 65; y < image.height; ++y)
            white = white || (image.at(x, y).r >= 235 && image.at(x, y).g >= 235 && image.at(x, y).b >= 235);
        columns += white;
    }
    return columns;
}

void expectTargetsFit(const Renderer& r, glm::ivec2 window)
{
    EXPECT_EQ(textureSize(r.sceneColorTexture), window);
    EXPECT_EQ(textureSize(r.separationTexture1), glm::ivec2(std::max(1, window.x / 4), std::max(1, window.y / 4)));
    for (GLuint texture : {r.pingpongTexture[0].id(), r.pingpongTexture[1].id(), r.bloomTexture.id(), r.lensflareTexture.id(),
                           r.sunTexture.id()})
        EXPECT_EQ(textureSize(texture), window);
    EXPECT_EQ(textureSize(r.depthMapTexture), shadowMapSize(window.x, window.y));
    for (GLuint framebuffer : {r.sceneFBO.id(), r.separationFBO.id(), r.pingpongFBO[0].id(), r.pingpongFBO[1].id(),
                               r.bloomFBO.id(), r.lensflareFBO.id(), r.sunFBO.id(), r.depthMapFBO.id()})
    {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

bool same(const Image& a, const Image& b)
{
    return a.pixels.size() == b.pixels.size() && std::memcmp(a.pixels.data(), b.pixels.data(), a.pixels.size() * 4) == 0;
}

} // namespace

TEST(Frame, LeavesTheGlStateCleanAndWritesTheScoreDigitBesideDigit)
{
    GameScene scene(320, 240);
    scene.frame();
    const Image image = scene.frame();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_POLYGON_OFFSET_FILL));
    GLint framebuffer = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_EQ(framebuffer, 0);

    // The score's baseline starts at (width - 200, height - 60): "1234" is four digits wide.
    const int zero = scoreColumns(image);
    scene.renderer().points = 1234;
    const int digits = scoreColumns(scene.frame());
    EXPECT_GT(zero, 10);
    EXPECT_GT(digits, 3 * zero) << zero << " columns for one digit, " << digits << " for four: they overlap";
}

TEST(Frame, TheTargetsFollowTheWindowAndAWindowWithoutAreaDrawsNothing)
{
    // Sides that are no multiple of four, wider than the narrowest window Windows allows (104).
    GameScene scene(138, 74);
    scene.frame();
    expectTargetsFit(scene.renderer(), {138, 74});
    ASSERT_TRUE(resizeWindow(scene.window(), 128, 80));
    scene.frame();
    expectTargetsFit(scene.renderer(), {128, 80});

    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
    scene.renderer().renderFrame(nullptr); // a minimised window: 0 x 0
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    const Image untouched = readFramebuffer(128, 80);
    EXPECT_TRUE(std::all_of(untouched.pixels.begin(), untouched.pixels.end(),
                            [](const Rgba& p) { return p.r == 255 && p.g == 0 && p.b == 255; }));
    expectTargetsFit(scene.renderer(), {128, 80});

    // The shadow map is 8 times the window, clamped side by side to the driver's limits (else it has no storage).
    EXPECT_EQ(shadowMapSize(2560, 1440, {16384, 16384}), glm::ivec2(16384, 11520));
    GLint texels = 0, viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texels);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    EXPECT_EQ(shadowMapSize(10000, 10000), glm::min(glm::ivec2(texels), glm::ivec2(viewport[0], viewport[1])));
}

// The game ends in wireframe, lit by the shadow map as the last filled frame left it. A resize
// allocates the map anew: the frame must draw it before the lines read it (else all is in shadow).
TEST(Frame, AfterGameOverARepaintDrawsTheFrozenViewAtTheWindowsNewAspect)
{
    GameScene scene(160, 120);
    AppState& state = appState();
    World& world = *state.world;
    ObstacleInstance stone = world.obstacleList1.front(); // under the moon: the next frame is the fatal one
    stone.model[3] = glm::vec4(world.moon->position() - glm::vec3(0.0f, 0.2f, 0.0f), 1.0f);
    world.obstacleList1.push_back(stone);
    scene.frame();
    for (int key : {GLFW_KEY_F3, GLFW_KEY_P}) // paused: the map still holds the world as it is
        handleKeyRelease(state, key);
    state.frameTime = 1.0f / 60.0f;
    playFrame(state, {});
    ASSERT_TRUE(state.gameOver);

    auto repaint = [&](int w, int h) { return repaintFrozenFrame(state), readFramebuffer(w, h); };
    const Image frozen = repaint(160, 120);
    for (int key : {GLFW_KEY_F3, GLFW_KEY_F6, GLFW_KEY_F7, GLFW_KEY_F9})
        handleKeyRelease(state, key);
    EXPECT_TRUE(same(repaint(160, 120), frozen)) << "a key pressed after game over changed the picture";
    // Wider: the frame drawn at that size from the same view, not the old one stretched.
    ASSERT_TRUE(resizeWindow(scene.window(), 240, 120));
    const Image wider = repaint(240, 120);
    EXPECT_TRUE(same(wider, scene.frame())) << "the repaint kept the old aspect";
    ASSERT_TRUE(resizeWindow(scene.window(), 160, 120));
    EXPECT_TRUE(same(repaint(160, 120), frozen)) << "the resize lost the shadow map";
}

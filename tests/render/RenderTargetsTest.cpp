// The renderer's off-screen targets: their sizes, completeness, the clamped
// shadow map, and how they follow the window when it is resized or minimised.

#include "RenderFixture.h"

#include "render/RenderTargets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace rendertest;

namespace {

struct TargetSizes {
    glm::ivec2 scene, depthRenderbuffer, separation0, separation1, pingpong0, pingpong1, bloom, lensflare, sun,
        shadow;
};

TargetSizes targetSizes(const Renderer& r)
{
    TargetSizes sizes;
    sizes.scene = textureSize(r.sceneColorTexture);
    glBindRenderbuffer(GL_RENDERBUFFER, r.sceneDepthRenderbuffer);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_WIDTH, &sizes.depthRenderbuffer.x);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_HEIGHT, &sizes.depthRenderbuffer.y);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    sizes.separation0 = textureSize(r.separationTexture0);
    sizes.separation1 = textureSize(r.separationTexture1);
    sizes.pingpong0 = textureSize(r.pingpongTexture[0]);
    sizes.pingpong1 = textureSize(r.pingpongTexture[1]);
    sizes.bloom = textureSize(r.bloomTexture);
    sizes.lensflare = textureSize(r.lensflareTexture);
    sizes.sun = textureSize(r.sunTexture);
    sizes.shadow = textureSize(r.depthMapTexture);
    return sizes;
}

void expectTargetsFit(const Renderer& r, glm::ivec2 window, glm::ivec2 shadow)
{
    const TargetSizes sizes = targetSizes(r);
    EXPECT_EQ(r.width, window.x);
    EXPECT_EQ(r.height, window.y);
    EXPECT_EQ(sizes.scene, window);
    EXPECT_EQ(sizes.depthRenderbuffer, window);
    EXPECT_EQ(sizes.separation0, window / 4);
    EXPECT_EQ(sizes.separation1, window / 4);
    EXPECT_EQ(sizes.pingpong0, window);
    EXPECT_EQ(sizes.pingpong1, window);
    EXPECT_EQ(sizes.bloom, window);
    EXPECT_EQ(sizes.lensflare, window);
    EXPECT_EQ(sizes.sun, window);
    EXPECT_EQ(sizes.shadow, shadow);
    EXPECT_EQ(r.shadowWidth, shadow.x);
    EXPECT_EQ(r.shadowHeight, shadow.y);

    for (GLuint framebuffer : {r.sceneFBO.id(), r.separationFBO.id(), r.pingpongFBO[0].id(), r.pingpongFBO[1].id(),
                               r.bloomFBO.id(), r.lensflareFBO.id(), r.sunFBO.id(), r.depthMapFBO.id()})
        EXPECT_EQ(framebufferStatus(framebuffer), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE))
            << "framebuffer " << framebuffer;
}

int largestShadowSide()
{
    GLint textureLimit = 0;
    GLint viewportLimit[2] = {0, 0};
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textureLimit);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewportLimit);
    return std::min(textureLimit, viewportLimit[0]);
}

// Mean absolute difference of two images of the same size, over all channels.
double meanDifference(const Image& a, const Image& b)
{
    double sum = 0.0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        sum += std::abs(a.pixels[i].r - b.pixels[i].r) + std::abs(a.pixels[i].g - b.pixels[i].g) +
               std::abs(a.pixels[i].b - b.pixels[i].b);
    }
    return sum / (3.0 * static_cast<double>(a.pixels.size()));
}

} // namespace

TEST(RenderTargets, At800x600TheTargetsHaveTheirSizesAndAreComplete)
{
    GameScene scene(800, 600, false);
    ASSERT_EQ(scene.framebufferSize(), glm::ivec2(800, 600));
    expectTargetsFit(scene.renderer(), {800, 600}, {6400, 4800});

    // The shadow map is a depth texture that compares with GL_GREATER.
    GLint format = 0;
    GLint compareMode = 0;
    GLint compareFunc = 0;
    glBindTexture(GL_TEXTURE_2D, scene.renderer().depthMapTexture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, &compareMode);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, &compareFunc);
    EXPECT_EQ(format, GL_DEPTH_COMPONENT24);
    EXPECT_EQ(compareMode, GL_COMPARE_REF_TO_TEXTURE);
    EXPECT_EQ(compareFunc, GL_GREATER);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(RenderTargets, SidesThatAreNoMultipleOfFourRoundTheBrightPartsDown)
{
    GameScene scene(203, 101, false);
    ASSERT_EQ(scene.framebufferSize(), glm::ivec2(203, 101));
    expectTargetsFit(scene.renderer(), {203, 101}, {1624, 808});
    EXPECT_EQ(targetSizes(scene.renderer()).separation1, glm::ivec2(50, 25));
}

TEST(RenderTargets, ShadowMapSizeIsEightTimesTheWindowUpToTheLimit)
{
    EXPECT_EQ(shadowMapSize(800, 600, {16384, 16384}), glm::ivec2(6400, 4800));
    EXPECT_EQ(shadowMapSize(2048, 1024, {16384, 16384}), glm::ivec2(16384, 8192));
    EXPECT_EQ(shadowMapSize(2560, 1440, {16384, 16384}), glm::ivec2(16384, 11520));
    EXPECT_EQ(shadowMapSize(1920, 1080, {8192, 16384}), glm::ivec2(8192, 8640));
    EXPECT_EQ(shadowMapSize(1920, 1080, {8192, 8192}), glm::ivec2(8192, 8192));
}

TEST(RenderTargets, ATooWideWindowGetsAClampedCompleteShadowMap)
{
    GlWindow probe(16, 16);
    const int limit = largestShadowSide();
    ASSERT_GT(limit, 0);
    const int wide = limit / 8 + 8; // eight times this is over the limit
    ASSERT_TRUE(resizeWindow(probe.window, wide, 16));

    appState().window = probe.window;
    appState().renderer = std::make_unique<Renderer>();
    const Renderer& r = *appState().renderer;
    EXPECT_EQ(r.shadowWidth, limit);
    EXPECT_EQ(r.shadowHeight, 128);
    EXPECT_EQ(textureSize(r.depthMapTexture), glm::ivec2(limit, 128));
    EXPECT_EQ(framebufferStatus(r.depthMapFBO), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    EXPECT_EQ(textureSize(r.sceneColorTexture), glm::ivec2(wide, 16));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    appState().reset();
}

TEST(RenderTargets, AResizedWindowGetsTargetsOfItsNewSizeAndAFullFrame)
{
    GameScene scene(96, 72);
    scene.frame();
    ASSERT_TRUE(resizeWindow(scene.window(), 128, 80));
    scene.frame();
    const Image resized = scene.frame();
    expectTargetsFit(scene.renderer(), {128, 80}, {1024, 640});
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // A renderer made at the new size draws the same picture: nothing of the
    // old size is left (no squeezed or partly stale image).
    appState().renderer = std::make_unique<Renderer>();
    scene.frame();
    const Image fresh = scene.frame();
    ASSERT_EQ(fresh.pixels.size(), resized.pixels.size());
    EXPECT_LT(meanDifference(fresh, resized), 1.0);
    // (and both show the scene, not an empty window)
    int lit = 0;
    for (const Rgba& p : fresh.pixels)
        lit += (p.r + p.g + p.b > 90) ? 1 : 0;
    EXPECT_GT(lit, static_cast<int>(fresh.pixels.size()) / 20);
}

TEST(RenderTargets, AWindowWithoutAreaDrawsNothing)
{
    GameScene scene(96, 72);
    scene.frame();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.1f, 0.1f, 0.1f, 1.0f);

    // No window stands for a minimised one: its framebuffer is 0 x 0.
    scene.renderer().renderFrame(nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const Image image = readFramebuffer(96, 72);
    int magenta = 0;
    for (const Rgba& p : image.pixels)
        magenta += (p.r == 255 && p.g == 0 && p.b == 255) ? 1 : 0;
    EXPECT_EQ(magenta, 96 * 72);
    // The targets keep the last real size, ready for the window's return.
    expectTargetsFit(scene.renderer(), {96, 72}, {768, 576});
}

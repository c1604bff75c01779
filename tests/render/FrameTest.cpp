// Whole frames of the game read back from a hidden window: the GL state a
// frame leaves behind, the score, and the off-screen targets as the window
// changes. (The reference frames hold the exact pictures.)
#include "RenderFixture.h"

#include "camera/GameCamera.h"
#include "render/RenderTargets.h"
#include "scene/World.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace rendertest;

namespace {

// White pixels inside [x0, x1) x [y0, y1) (y from the bottom), and the
// columns they span.
struct WhiteArea {
    int pixels = 0;
    int left = 1 << 20;
    int right = -1;
};
WhiteArea whiteIn(const Image& image, int x0, int y0, int x1, int y1)
{
    WhiteArea area;
    for (int y = std::max(0, y0); y < std::min(image.height, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(image.width, x1); ++x)
            if (const Rgba& p = image.at(x, y); p.r >= 235 && p.g >= 235 && p.b >= 235) {
                ++area.pixels;
                area.left = std::min(area.left, x);
                area.right = std::max(area.right, x);
            }
    return area;
}

void expectTargetsFit(const Renderer& r, glm::ivec2 window)
{
    EXPECT_EQ(textureSize(r.sceneColorTexture), window);
    EXPECT_EQ(textureSize(r.separationTexture1), glm::ivec2(std::max(1, window.x / 4), std::max(1, window.y / 4)));
    for (GLuint texture : {r.pingpongTexture[0].id(), r.pingpongTexture[1].id(), r.bloomTexture.id(), r.lensflareTexture.id(),
                           r.sunTexture.id()})
        EXPECT_EQ(textureSize(texture), window);
    EXPECT_EQ(textureSize(r.depthMapTexture), shadowMapSize(window.x, window.y));
    EXPECT_EQ(shadowMapSize(window.x, window.y, {16384, 16384}), 8 * window);
    for (GLuint framebuffer : {r.sceneFBO.id(), r.separationFBO.id(), r.pingpongFBO[0].id(), r.pingpongFBO[1].id(),
                               r.bloomFBO.id(), r.lensflareFBO.id(), r.sunFBO.id(), r.depthMapFBO.id()})
    {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
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

    // The score's baseline starts at (width - 200, height - 60): "0", then
    // "1234" four digits wide.
    const WhiteArea zero = whiteIn(image, 120, 175, 320, 240);
    EXPECT_GT(zero.pixels, 40);
    scene.renderer().points = 1234;
    const WhiteArea digits = whiteIn(scene.frame(), 120, 175, 320, 240);
    EXPECT_GT(digits.pixels, 3 * zero.pixels);
    EXPECT_GT(digits.right - digits.left, 80) << "the digits overlap";
}

TEST(Frame, TheTargetsFollowTheWindowAndAWindowWithoutAreaDrawsNothing)
{
    GameScene scene(98, 74); // sides that are no multiple of four
    scene.frame();
    expectTargetsFit(scene.renderer(), {98, 74});
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
}

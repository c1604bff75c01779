// Whole frames of the game read back from a hidden window: the lit scene, the
// sun image and its flare, the HUD, the off-screen targets and the GL state a
// frame leaves behind.
#include "RenderFixture.h"

#include "app/KeyCallback.h"
#include "camera/GameCamera.h"
#include "render/RenderTargets.h"
#include "scene/Sun.h"
#include "scene/World.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace rendertest;

namespace {

int luminance(const Rgba& p) { return (2126 * p.r + 7152 * p.g + 722 * p.b) / 10000; }

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

double meanBrightness(const Image& image)
{
    double sum = 0.0;
    for (const Rgba& p : image.pixels)
        sum += (p.r + p.g + p.b) / 3.0;
    return sum / static_cast<double>(image.pixels.size());
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

TEST(Frame, AtTheStartShowsSaturnTheRingStarsAndTheScoreAndLeavesTheGlStateClean)
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

    std::set<unsigned> colours;
    int saturn = 0; // warm, lit pixels at the left edge, where the planet stands
    int ring = 0;   // greyish mid-tones in the lower third: the lanes
    int stars = 0;  // bright specks in the upper half, darker beside them
    for (int y = 1; y < image.height - 1; ++y) {
        for (int x = 1; x < image.width - 1; ++x) {
            const Rgba& p = image.at(x, y);
            colours.insert(unsigned(p.r) << 16 | unsigned(p.g) << 8 | p.b);
            const int l = luminance(p);
            saturn += x < image.width / 10 && l > 60 && p.r > p.b + 10;
            ring += y < image.height / 3 && x > image.width / 4 && l > 45 && l < 200 && std::abs(p.r - p.b) < 40;
            stars += y > image.height / 2 && l > 120 && luminance(image.at(x - 1, y)) < l - 40 &&
                     luminance(image.at(x + 1, y)) < l - 40;
        }
    }
    EXPECT_GT(colours.size(), 500u);
    EXPECT_GT(saturn, 200);
    EXPECT_GT(ring, 500);
    EXPECT_GT(stars, 10);

    // The score's baseline starts at (width - 200, height - 60): "0", then
    // "1234" four digits wide.
    const WhiteArea zero = whiteIn(image, 120, 175, 320, 240);
    EXPECT_GT(zero.pixels, 40);
    scene.renderer().points = 1234;
    const WhiteArea digits = whiteIn(scene.frame(), 120, 175, 320, 240);
    EXPECT_GT(digits.pixels, 3 * zero.pixels);
    EXPECT_GT(digits.right - digits.left, 80) << "the digits overlap";
}

TEST(Frame, GameOverAndWireframeChangeWhatTheHudShows)
{
    GameScene scene(320, 240);
    Renderer& r = scene.renderer();
    const int band = whiteIn(scene.frame(), 0, 100, 320, 175).pixels;
    r.gameOver = true;
    // "GAME OVER" at twice the size, baseline at (0.5 width - 280, 0.5 height - 2).
    EXPECT_GT(whiteIn(scene.frame(), 0, 100, 320, 175).pixels, band + 1000);

    // F3: only the lit scene, as lines over the cleared background, no text.
    keyCallback(nullptr, GLFW_KEY_F3, 0, GLFW_RELEASE, 0);
    ASSERT_TRUE(r.wireframe);
    const Image lines = scene.frame();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    int background = 0;
    for (const Rgba& p : lines.pixels)
        background += p.r == 26 && p.g == 26 && p.b == 26; // the clear colour 0.1
    const int total = static_cast<int>(lines.pixels.size());
    EXPECT_GT(background, total / 3);
    EXPECT_LT(background, total - total / 50);
    EXPECT_LT(whiteIn(lines, 0, 100, 320, 240).pixels, 60);
}

TEST(Frame, TheTargetsFollowTheWindowAndAWindowWithoutAreaDrawsNothing)
{
    GameScene scene(98, 74); // sides that are no multiple of four
    scene.frame();
    expectTargetsFit(scene.renderer(), {98, 74});
    ASSERT_TRUE(resizeWindow(scene.window(), 128, 80));
    scene.frame();
    const Image resized = scene.frame();
    expectTargetsFit(scene.renderer(), {128, 80});
    EXPECT_GT(meanBrightness(resized), 10.0);

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

TEST(Frame, TheSunShinesWhereItStandsAndItsFlareVanishesBehindSaturn)
{
    GameScene scene(96, 72);
    const glm::vec3 sun = appState().world->sun->getPosition();
    const Renderer& r = scene.renderer();
    FixedCamera facing(0.3f * sun + glm::vec3(0.0f, 10.0f, 0.0f), sun, 96, 72);
    appState().activeCamera = &facing;
    scene.frame();
    const Image open = readTexture(r.sunTexture);
    EXPECT_GT(luminance(open.at(48, 36)), 150);
    EXPECT_GT(open.at(48, 36).r, open.at(48, 36).b); // a warm sun
    EXPECT_EQ(open.at(2, 2).r, 26);                  // elsewhere only the clear colour
    const double flareOpen = meanBrightness(readTexture(r.lensflareTexture));

    FixedCamera hidden(-0.4f * sun, sun, 96, 72); // looking through Saturn at the sun
    appState().activeCamera = &hidden;
    scene.frame();
    EXPECT_EQ(luminance(readTexture(r.sunTexture).at(48, 36)), 0);
    EXPECT_GT(flareOpen, 2.0);
    EXPECT_LT(meanBrightness(readTexture(r.lensflareTexture)), 0.5);
    appState().activeCamera = appState().gameCamera.get();
}

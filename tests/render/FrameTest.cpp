// Whole frames of the game: what the lit scene, the post-processing, the
// shadow map and the HUD put on screen, and the GL state a frame leaves.

#include "RenderFixture.h"

#include "scene/World.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace rendertest;

namespace {

int luminance(const Rgba& p)
{
    return (2126 * p.r + 7152 * p.g + 722 * p.b) / 10000;
}

bool isWhite(const Rgba& p)
{
    return p.r >= 235 && p.g >= 235 && p.b >= 235;
}

// White pixels inside [x0, x1) x [y0, y1), clipped to the image.
int whiteIn(const Image& image, int x0, int y0, int x1, int y1)
{
    int count = 0;
    for (int y = std::max(0, y0); y < std::min(image.height, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(image.width, x1); ++x)
            count += isWhite(image.at(x, y)) ? 1 : 0;
    return count;
}

} // namespace

TEST(Frame, TheGameCameraAtStartSeesSaturnTheRingAndStars)
{
    GameScene scene(320, 240);
    const Image image = scene.frame();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    std::set<unsigned> colours;
    int saturn = 0; // warm, lit pixels at the left edge, where the planet stands
    int ring = 0;   // greyish mid-tones in the lower half: the lanes
    int stars = 0;  // bright specks in the upper half, darker around them
    for (int y = 1; y < image.height - 1; ++y) {
        for (int x = 1; x < image.width - 1; ++x) {
            const Rgba& p = image.at(x, y);
            colours.insert(static_cast<unsigned>(p.r) << 16 | static_cast<unsigned>(p.g) << 8 | p.b);
            const int l = luminance(p);
            if (x < image.width / 10 && l > 60 && p.r > p.b + 10)
                ++saturn;
            if (y < image.height / 3 && x > image.width / 4 && l > 45 && l < 200 &&
                std::abs(p.r - p.b) < 40)
                ++ring;
            if (y > image.height / 2 && l > 120 && luminance(image.at(x - 1, y)) < l - 40 &&
                luminance(image.at(x + 1, y)) < l - 40)
                ++stars;
        }
    }
    EXPECT_GT(colours.size(), 500u);
    EXPECT_GT(saturn, 200);
    EXPECT_GT(ring, 500);
    EXPECT_GT(stars, 10);
}

TEST(Frame, AFrameLeavesDepthTestOnBlendingAndPolygonOffsetOff)
{
    GameScene scene(96, 72);
    for (int i = 0; i < 3; ++i) {
        scene.frame();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "frame " << i;
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_FALSE(glIsEnabled(GL_POLYGON_OFFSET_FILL));
        GLint framebuffer = -1;
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
        EXPECT_EQ(framebuffer, 0);
    }
    scene.renderer().wireframe = true;
    scene.frame();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST(Frame, TheFinalImageKeepsTheScenesColoursAwayFromTheGlow)
{
    GameScene scene(200, 150);
    scene.frame();
    const Image final = scene.frame();
    const Renderer& r = scene.renderer();
    const Image lit = readTexture(r.sceneColorTexture);
    const Image bloom = readTexture(r.bloomTexture);
    const Image flare = readTexture(r.pingpongTexture[0]);
    ASSERT_EQ(lit.pixels.size(), final.pixels.size());

    double finalSum[3] = {0, 0, 0};
    double litSum[3] = {0, 0, 0};
    int counted = 0;
    for (size_t i = 0; i < final.pixels.size(); ++i) {
        if (luminance(bloom.pixels[i]) > 2 || luminance(flare.pixels[i]) > 2)
            continue;
        finalSum[0] += final.pixels[i].r;
        finalSum[1] += final.pixels[i].g;
        finalSum[2] += final.pixels[i].b;
        litSum[0] += lit.pixels[i].r;
        litSum[1] += lit.pixels[i].g;
        litSum[2] += lit.pixels[i].b;
        ++counted;
    }
    ASSERT_GT(counted, static_cast<int>(final.pixels.size()) / 2);
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(finalSum[c] / counted, litSum[c] / counted, 4.0) << "channel " << c;
    // ... and the scene is no flat grey either.
    EXPECT_GT(litSum[0] / counted, 10.0);
}

TEST(Frame, TheShadowMapHoldsTheWorldsDepthAndWireframeLeavesItAlone)
{
    GameScene scene(64, 48);
    scene.frame();
    const Renderer& r = scene.renderer();
    const int w = r.shadowWidth;
    const int h = r.shadowHeight;
    std::vector<float> depth(static_cast<size_t>(w * h));
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glBindTexture(GL_TEXTURE_2D, r.depthMapTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    // Saturn stands where the sun looks, in the middle of the map.
    EXPECT_LT(depth[static_cast<size_t>((h / 2) * w + w / 2)], 0.9f);
    const auto [lowest, highest] = std::minmax_element(depth.begin(), depth.end());
    EXPECT_GT(*lowest, 0.0f);
    EXPECT_EQ(*highest, 1.0f); // the light's box is not full of things
    const long covered = std::count_if(depth.begin(), depth.end(), [](float d) { return d < 1.0f; });
    EXPECT_GT(covered, static_cast<long>(depth.size() / 20));

    // Cleared by hand, the map stays cleared through a wireframe frame.
    glBindFramebuffer(GL_FRAMEBUFFER, r.depthMapFBO);
    glClear(GL_DEPTH_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    scene.renderer().wireframe = true;
    scene.frame();
    glBindTexture(GL_TEXTURE_2D, r.depthMapTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    EXPECT_EQ(*std::min_element(depth.begin(), depth.end()), 1.0f);
}

TEST(Frame, WireframeDrawsLinesOverTheClearedBackground)
{
    GameScene scene(160, 120);
    scene.renderer().wireframe = true;
    const Image image = scene.frame();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    int background = 0;
    int drawn = 0;
    for (const Rgba& p : image.pixels) {
        if (p.r == 26 && p.g == 26 && p.b == 26) // the clear colour 0.1
            ++background;
        else
            ++drawn;
    }
    const int total = static_cast<int>(image.pixels.size());
    EXPECT_GT(background, total / 3);
    EXPECT_GT(drawn, total / 50);
}

TEST(Frame, TheScoreStandsTopRightInWhiteAndGameOverInTheMiddle)
{
    GameScene scene(320, 240);
    Renderer& r = scene.renderer();
    // The score's baseline starts at (width - 200, height - 60).
    const Image running = scene.frame();
    const int scoreWhite = whiteIn(running, 120, 175, 200, 240);
    EXPECT_GT(scoreWhite, 40);
    // Nothing white lies left of the score or below it, apart from the game.
    const int bandWhite = whiteIn(running, 0, 100, 320, 200);

    r.points = 1234;
    const Image longer = scene.frame();
    EXPECT_GT(whiteIn(longer, 120, 175, 320, 240), 3 * scoreWhite);

    r.gameOver = true;
    const Image over = scene.frame();
    // "GAME OVER" at twice the size, baseline at (0.5 width - 280, 0.5 height - 2).
    EXPECT_GT(whiteIn(over, 0, 100, 320, 200), bandWhite + 1000);
    EXPECT_GT(whiteIn(over, 120, 175, 320, 240), 3 * scoreWhite);

    // Wireframe mode draws no text at all.
    r.wireframe = true;
    const Image lines = scene.frame();
    EXPECT_LT(whiteIn(lines, 120, 175, 320, 240), 10);
    EXPECT_LT(whiteIn(lines, 0, 100, 320, 200), 50);
}

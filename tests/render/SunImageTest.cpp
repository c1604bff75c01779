// The image of the sun alone that feeds the lens flare, and the flare that
// follows from it: bright where the sun is, black where Saturn covers it.

#include "RenderFixture.h"

#include "camera/GameCamera.h"
#include "scene/Sun.h"
#include "scene/World.h"

#include <gtest/gtest.h>

using namespace rendertest;

namespace {

int brightness(const Rgba& p)
{
    return (p.r + p.g + p.b) / 3;
}

// Mean brightness of the flare target over the whole image.
double meanBrightness(const Image& image)
{
    double sum = 0.0;
    for (const Rgba& p : image.pixels)
        sum += brightness(p);
    return sum / static_cast<double>(image.pixels.size());
}

} // namespace

TEST(SunImage, TheSunShinesWhereItStandsAndSaturnBlacksItOut)
{
    GameScene scene(96, 72);
    const glm::vec3 sun = appState().world->sun->getPosition();
    const Renderer& r = scene.renderer();

    // Between Saturn and the sun, looking at the sun: it fills the middle.
    FixedCamera facing(0.3f * sun + glm::vec3(0.0f, 10.0f, 0.0f), sun, 96, 72);
    appState().activeCamera = &facing;
    scene.frame();
    const Image open = readTexture(r.sunTexture);
    EXPECT_GT(brightness(open.at(48, 36)), 150);
    EXPECT_GT(open.at(48, 36).r, open.at(48, 36).b); // a warm sun
    // Elsewhere the clear colour: no moon, lane or stones in this image.
    EXPECT_EQ(open.at(2, 2).r, 26);
    EXPECT_EQ(open.at(93, 69).g, 26);
    const double flareOpen = meanBrightness(readTexture(r.lensflareTexture));

    // Behind Saturn, looking through the planet at the sun: black there.
    FixedCamera hidden(-0.4f * sun, sun, 96, 72);
    appState().activeCamera = &hidden;
    scene.frame();
    const Image covered = readTexture(r.sunTexture);
    EXPECT_EQ(brightness(covered.at(48, 36)), 0);
    const double flareHidden = meanBrightness(readTexture(r.lensflareTexture));

    // The flare comes from the visible sun and goes with it.
    EXPECT_GT(flareOpen, 2.0);
    EXPECT_LT(flareHidden, 0.5);
    appState().activeCamera = appState().gameCamera.get();
}

TEST(SunImage, TheFlareMovesWithTheSunAcrossTheScreen)
{
    GameScene scene(96, 72);
    const glm::vec3 sun = appState().world->sun->getPosition();
    const glm::vec3 eye = 0.3f * sun + glm::vec3(0.0f, 10.0f, 0.0f);
    const Renderer& r = scene.renderer();

    // The sun left of the centre, then right of it: the ghosts mirror it
    // through the centre, so the flare's weight swaps sides.
    const glm::vec3 side = glm::normalize(glm::cross(sun - eye, glm::vec3(0.0f, 1.0f, 0.0f)));
    auto flareBalance = [&](float offset) {
        FixedCamera camera(eye, sun + offset * side, 96, 72);
        appState().activeCamera = &camera;
        scene.frame();
        const Image flare = readTexture(r.lensflareTexture);
        const Image sunImage = readTexture(r.sunTexture);
        double left = 0.0;
        double right = 0.0;
        int sunX = 0;
        int sunPixels = 0;
        for (int y = 0; y < flare.height; ++y) {
            for (int x = 0; x < flare.width; ++x) {
                (x < flare.width / 2 ? left : right) += brightness(flare.at(x, y));
                if (brightness(sunImage.at(x, y)) > 150) {
                    sunX += x;
                    ++sunPixels;
                }
            }
        }
        appState().activeCamera = appState().gameCamera.get();
        EXPECT_GT(sunPixels, 0);
        return std::make_pair(sunPixels > 0 ? sunX / sunPixels : -1, left - right);
    };
    const auto [sunXa, balanceA] = flareBalance(25.0f);
    const auto [sunXb, balanceB] = flareBalance(-25.0f);
    ASSERT_NE(sunXa < 48, sunXb < 48) << "the sun should stand on either side";
    // Most of the flare lies opposite the sun.
    EXPECT_EQ(balanceA > 0, sunXa > 48);
    EXPECT_EQ(balanceB > 0, sunXb > 48);
}

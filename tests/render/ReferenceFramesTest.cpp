// The game's picture at fixed moments of one scripted game, compared pixel by pixel
// with PNGs recorded from an earlier build (tests/render/reference/). After a change
// that alters the pictures on purpose, record them anew from the build folder:
//   VANTOR_RECORD_REFERENCES=1 ./tests/test_render --gtest_filter='ReferenceFrames.*'
#include "RenderFixture.h"

#include "app/KeyCallback.h"
#include "camera/GodCamera.h"
#include "gpu/Texture.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace rendertest;

namespace {

constexpr int width = 320;
constexpr int height = 240;
constexpr int tolerance = 2; // the rasteriser may round a little differently from build to build

// Writes the picture as an RGB PNG, bottom row first like the read-back.
bool savePng(const Image& image, const std::string& path)
{
    FIBITMAP* bitmap = FreeImage_Allocate(image.width, image.height, 24);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            BYTE* q = FreeImage_GetScanLine(bitmap, y) + 3 * x;
            q[FI_RGBA_RED] = image.at(x, y).r, q[FI_RGBA_GREEN] = image.at(x, y).g, q[FI_RGBA_BLUE] = image.at(x, y).b;
        }
    const bool saved = FreeImage_Save(FIF_PNG, bitmap, path.c_str(), PNG_Z_BEST_COMPRESSION);
    FreeImage_Unload(bitmap);
    return saved;
}

// The frame as the main loop draws it: clear, viewport, renderFrame, present.
Image picture(AppState& state)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, width, height);
    state.renderer->renderFrame(state.window);
    Image image = readFramebuffer(width, height);
    glfwSwapBuffers(state.window);
    return image;
}

} // namespace

TEST(ReferenceFrames, AScriptedGameLooksAsRecorded)
{
    const char* record = std::getenv("VANTOR_RECORD_REFERENCES");
    const bool recording = record != nullptr && record == std::string("1");
    HeadlessGame game(HeadlessGame::Graphics::HiddenWindow, width, height);
    AppState& state = game.state();
    InputSnapshot jumpOutwards;
    jumpOutwards.keySpace = jumpOutwards.keyD = true;
    // Each picture: `frames` frames of 1/60 s with `keys` held (paused
    // throughout with `paused`), then the picture with the toggles released
    // once (and released again afterwards).
    struct Moment {
        const char* name;
        int frames;
        InputSnapshot keys;
        std::vector<int> toggles;
        bool paused = false;
    };
    const Moment moments[] = {
        // The first frame paused at once, filled and as lines: the web build compares its own with them.
        {"first", 1, {}, {}, true},
        {"first-wireframe", 0, {}, {GLFW_KEY_F3}},
        {"start", 1, {}, {}},
        {"jump", 36, jumpOutwards, {}}, // the top of the jump
        {"wireframe", 20, {}, {GLFW_KEY_F3}},
        {"plain", 0, {}, {GLFW_KEY_F7, GLFW_KEY_F9}}, // no normal maps, no blending
        {"god", 0, {}, {GLFW_KEY_F6}},                // turned towards the sun
        {"gameover", 100000, {}, {}},                 // runs into a stone
    };
    for (const Moment& moment : moments) {
        SCOPED_TRACE(moment.name);
        if (moment.paused)
            handleKeyRelease(state, GLFW_KEY_P);
        for (int i = 0; i < moment.frames && !state.gameOver; ++i)
            game.advance(1.0f / 60.0f, moment.keys);
        if (moment.paused)
            handleKeyRelease(state, GLFW_KEY_P);
        for (int key : moment.toggles)
            handleKeyRelease(state, key);
        if (state.godMode) // the mouse turns it
            state.godCamera->fly({width / 2 + 530.0, height / 2 - 47.0, width, height}, 0.0f);
        const Image actual = picture(state);
        for (int key : moment.toggles)
            handleKeyRelease(state, key);
        const std::string path = std::string(VANTOR_SOURCE_DIR) + "/tests/render/reference/" + moment.name + ".png";
        const Image expected = readTexture(Texture(path).id); // read as the game reads its pictures
        if (recording) {
            EXPECT_TRUE(savePng(actual, path)) << path;
        } else if (expected.pixels.size() != actual.pixels.size()) {
            ADD_FAILURE() << "no " << width << " x " << height << " picture in " << path;
        } else {
            int most = 0, over = 0;
            for (size_t i = 0; i < actual.pixels.size(); ++i) {
                const Rgba &a = actual.pixels[i], &e = expected.pixels[i];
                const int d = std::max({std::abs(a.r - e.r), std::abs(a.g - e.g), std::abs(a.b - e.b)});
                most = std::max(most, d);
                over += d > tolerance;
            }
            EXPECT_EQ(over, 0) << "largest difference " << most << "; this build's picture: " << moment.name
                               << "-actual.png in the build folder";
            if (over > 0)
                savePng(actual, std::string(moment.name) + "-actual.png");
        }
    }
    EXPECT_TRUE(state.gameOver) << "the script ends when the moon hits a stone";
    if (recording)
        GTEST_SKIP() << "recorded the reference frames in tests/render/reference/";
}

// The game's picture at fixed moments of one scripted game, compared pixel by
// pixel with PNGs recorded from an earlier build (tests/render/reference/).
// A change of the renderer that alters what the player sees fails here. After
// a change that alters the pictures on purpose, record them anew from the
// build folder and commit them:
//   VANTOR_RECORD_REFERENCES=1 ./test_render --gtest_filter='ReferenceFrames.*'

#include "RenderFixture.h"

#include "app/HeadlessGame.h"
#include "app/KeyCallback.h"
#include "camera/GodCamera.h"

#include <FreeImage.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace rendertest;

namespace {

constexpr int width = 320;
constexpr int height = 240;
constexpr float frameTime = 1.0f / 60.0f;
// The rasteriser may round a little differently from build to build.
constexpr int tolerance = 2;

// One picture of the script: the game plays `frames` frames of 1/60 s with
// `keys` held, then the picture is taken with the `toggles` keys released once
// (and released again afterwards, which switches them back).
struct Moment {
    const char* name;
    int frames;
    InputSnapshot keys;
    std::vector<int> toggles;
};

// The god camera as the mouse would turn it, without the shared display's
// real cursor: from its start towards the sun.
void aimGodCameraAtTheSun(AppState& state)
{
    GodCameraInput input;
    input.framebufferWidth = width;
    input.framebufferHeight = height;
    input.cursorX = width / 2 + 530;
    input.cursorY = height / 2 - 47;
    state.godCamera->fly(input, 0.0f);
}

std::string referencePath(const std::string& name)
{
    return std::string(VANTOR_SOURCE_DIR) + "/tests/render/reference/" + name + ".png";
}

// PNG files hold RGB, bottom row first, like the read-back.
bool savePng(const Image& image, const std::string& path)
{
    FIBITMAP* bitmap = FreeImage_Allocate(image.width, image.height, 24);
    if (bitmap == nullptr)
        return false;
    for (int y = 0; y < image.height; ++y) {
        BYTE* row = FreeImage_GetScanLine(bitmap, y);
        for (int x = 0; x < image.width; ++x) {
            row[3 * x + FI_RGBA_RED] = image.at(x, y).r;
            row[3 * x + FI_RGBA_GREEN] = image.at(x, y).g;
            row[3 * x + FI_RGBA_BLUE] = image.at(x, y).b;
        }
    }
    const bool saved = FreeImage_Save(FIF_PNG, bitmap, path.c_str(), PNG_Z_BEST_COMPRESSION) != 0;
    FreeImage_Unload(bitmap);
    return saved;
}

bool loadPng(const std::string& path, Image& image)
{
    FIBITMAP* bitmap = FreeImage_Load(FIF_PNG, path.c_str(), 0);
    if (bitmap == nullptr)
        return false;
    const bool rgb = FreeImage_GetBPP(bitmap) == 24;
    image.width = static_cast<int>(FreeImage_GetWidth(bitmap));
    image.height = static_cast<int>(FreeImage_GetHeight(bitmap));
    image.pixels.assign(static_cast<size_t>(image.width * image.height), Rgba{0, 0, 0, 255});
    for (int y = 0; rgb && y < image.height; ++y) {
        const BYTE* row = FreeImage_GetScanLine(bitmap, y);
        for (int x = 0; x < image.width; ++x)
            image.pixels[static_cast<size_t>(y * image.width + x)] =
                Rgba{row[3 * x + FI_RGBA_RED], row[3 * x + FI_RGBA_GREEN], row[3 * x + FI_RGBA_BLUE], 255};
    }
    FreeImage_Unload(bitmap);
    return rgb;
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

struct Difference {
    int largest = 0;  // over all pixels and channels
    int pixelsOver = 0; // pixels with a channel beyond the tolerance
};

Difference compare(const Image& actual, const Image& expected)
{
    Difference d;
    for (size_t i = 0; i < actual.pixels.size(); ++i) {
        const Rgba& a = actual.pixels[i];
        const Rgba& e = expected.pixels[i];
        const int most = std::max({std::abs(a.r - e.r), std::abs(a.g - e.g), std::abs(a.b - e.b)});
        d.largest = std::max(d.largest, most);
        d.pixelsOver += most > tolerance ? 1 : 0;
    }
    return d;
}

} // namespace

TEST(ReferenceFrames, AScriptedGameLooksAsRecorded)
{
    const char* record = std::getenv("VANTOR_RECORD_REFERENCES");
    const bool recording = record != nullptr && std::strcmp(record, "1") == 0;

    HeadlessGame game(HeadlessGame::Graphics::HiddenWindow, width, height);
    AppState& state = game.state();

    InputSnapshot none;
    InputSnapshot jumpOutwards;
    jumpOutwards.keySpace = true;
    jumpOutwards.keyD = true;
    const Moment moments[] = {
        {"start", 1, none, {}},
        {"jump", 36, jumpOutwards, {}}, // the top of the jump
        {"wireframe", 20, none, {GLFW_KEY_F3}},
        {"plain", 0, none, {GLFW_KEY_F7, GLFW_KEY_F9}}, // no normal maps, no blending
        {"god", 0, none, {GLFW_KEY_F6}},
        {"gameover", 100000, none, {}}, // runs into a stone
    };

    std::string largest; // printed at the end, for whoever changes the renderer
    // The very first frame is no reference: from the second on every frame
    // sees the programs as the frames before left them.
    picture(state);

    for (const Moment& moment : moments) {
        SCOPED_TRACE(moment.name);
        for (int i = 0; i < moment.frames && !state.gameOver; ++i)
            game.advance(frameTime, moment.keys);
        for (int key : moment.toggles)
            handleKeyRelease(state, key);
        if (state.godMode)
            aimGodCameraAtTheSun(state);
        const Image actual = picture(state);
        for (int key : moment.toggles)
            handleKeyRelease(state, key);

        const std::string path = referencePath(moment.name);
        if (recording) {
            EXPECT_TRUE(savePng(actual, path)) << path;
            continue;
        }
        Image expected;
        if (!loadPng(path, expected) || expected.width != actual.width || expected.height != actual.height) {
            ADD_FAILURE() << "no " << width << " x " << height << " picture in " << path;
            continue;
        }
        const Difference d = compare(actual, expected);
        largest += std::string(" ") + moment.name + " " + std::to_string(d.largest);
        EXPECT_EQ(d.pixelsOver, 0) << "largest difference " << d.largest << "; this build's picture: "
                                   << moment.name << "-actual.png in the build folder";
        if (d.pixelsOver > 0)
            savePng(actual, std::string(moment.name) + "-actual.png");
    }
    EXPECT_TRUE(state.gameOver) << "the script ends when the moon hits a stone";
    if (!recording)
        std::printf("largest difference per channel:%s\n", largest.c_str());
    else
        GTEST_SKIP() << "recorded the reference frames in tests/render/reference/";
}

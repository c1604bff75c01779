// The game's own window under the virtual display, played by the headless
// driver: resized to odd sizes and back, minimised and restored, and looked
// at through the god camera flown far out. Every frame must fill the window
// at its current size, and OpenGL must never complain.
#include "Track.h"

#include "app/AppState.h"
#include "app/HeadlessGame.h"
#include "app/KeyCallback.h"
#include "camera/GameCamera.h"
#include "camera/GodCamera.h"
#include "render/Renderer.h"
#include "scene/World.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

constexpr float frame = 1.0f / 60.0f;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;

    // The number of distinct colours in a rectangle.
    size_t colours(int x0, int y0, int x1, int y1) const
    {
        std::set<unsigned> seen;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const unsigned char* p = &rgba[static_cast<size_t>((y * width + x) * 4)];
                seen.insert(unsigned(p[0]) << 16 | unsigned(p[1]) << 8 | unsigned(p[2]));
            }
        return seen.size();
    }
};

class WindowEvents : public ::testing::Test {
protected:
    HeadlessGame game{HeadlessGame::Graphics::HiddenWindow, 200, 150};
    AppState& state = game.state();
    World& world = *state.world;

    void SetUp() override
    {
        // Under its own title, so that tests looking for the real game's
        // window ("VANTOR") on the same display never take this one.
        glfwSetWindowTitle(state.window, "VANTOR window events");
        glfwShowWindow(state.window);
        state.paused = true; // the same stretch of track in every picture
        sinkStones(world);
        ::testing::internal::CaptureStdout();
    }
    void TearDown() override
    {
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << "the renderer complained";
    }

    // A few whole game frames (step, draw, present), each free of GL errors.
    void play(int frames = 3)
    {
        for (int i = 0; i < frames; ++i) {
            glfwPollEvents();
            game.advance(frame, {}, true);
            sinkStones(world);
            ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "frame " << i;
        }
    }
    // The picture the game draws now, read back before it is presented.
    Picture picture()
    {
        Picture p;
        glfwGetFramebufferSize(state.window, &p.width, &p.height);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glViewport(0, 0, p.width, p.height);
        state.renderer->renderFrame(state.window);
        p.rgba.resize(static_cast<size_t>(p.width * p.height * 4));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, p.width, p.height, GL_RGBA, GL_UNSIGNED_BYTE, p.rgba.data());
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        return p;
    }
    // Every part of the window shows a picture: no region of one flat colour
    // (the clear colour of a stale, smaller image).
    void expectFilled(const Picture& p, const char* what)
    {
        ASSERT_EQ(p.rgba.size(), static_cast<size_t>(p.width * p.height * 4));
        for (int cy = 0; cy < 4; ++cy)
            for (int cx = 0; cx < 4; ++cx) {
                const int x0 = p.width * cx / 4, x1 = p.width * (cx + 1) / 4;
                const int y0 = p.height * cy / 4, y1 = p.height * (cy + 1) / 4;
                EXPECT_GT(p.colours(x0, y0, x1, y1), 1u)
                    << what << ": a flat region at cell (" << cx << ", " << cy << ") of " << p.width << " x " << p.height;
            }
    }
    bool resize(int width, int height)
    {
        glfwSetWindowSize(state.window, width, height);
        for (int attempt = 0; attempt < 500; ++attempt) {
            glfwWaitEventsTimeout(0.01);
            int w = 0, h = 0;
            glfwGetFramebufferSize(state.window, &w, &h);
            if (w == width && h == height)
                return true;
        }
        return false;
    }
};

} // namespace

TEST_F(WindowEvents, EveryFrameFillsTheWindowAtEachNewSize)
{
    play();
    expectFilled(picture(), "at the start");
    const int sizes[][2] = {{333, 211}, {640, 480}, {97, 33}, {3, 2}, {1, 1}, {200, 150}, {333, 211}};
    for (const auto& size : sizes) {
        ASSERT_TRUE(resize(size[0], size[1])) << size[0] << " x " << size[1];
        play();
        const Picture p = picture();
        ASSERT_EQ(p.width, size[0]);
        ASSERT_EQ(p.height, size[1]);
        EXPECT_EQ(state.windowWidth, size[0]);
        EXPECT_EQ(state.windowHeight, size[1]);
        EXPECT_EQ(state.renderer->width, size[0]);
        EXPECT_EQ(state.renderer->height, size[1]);
        if (size[0] >= 16 && size[1] >= 16)
            expectFilled(p, "after a resize");
    }
}

TEST_F(WindowEvents, MinimisedAndRestoredTheGameGoesOn)
{
    play();
    // Without a window manager the request may change nothing; the game must
    // cope either way, and draw whole frames again once restored.
    glfwIconifyWindow(state.window);
    for (int i = 0; i < 20; ++i)
        glfwWaitEventsTimeout(0.01);
    play(10);
    glfwRestoreWindow(state.window);
    for (int i = 0; i < 20; ++i)
        glfwWaitEventsTimeout(0.01);
    play();
    const Picture p = picture();
    EXPECT_EQ(p.width, 200);
    EXPECT_EQ(p.height, 150);
    expectFilled(p, "after restoring");
}

TEST_F(WindowEvents, TheGodCameraFlownFarOutStillSeesTheSky)
{
    play();
    handleKeyRelease(state, GLFW_KEY_F6);
    ASSERT_TRUE(state.godMode);
    ASSERT_EQ(state.activeCamera, static_cast<Camera*>(state.godCamera.get()));
    play();

    // Turn it with the mouse, then fly straight on for 50 s: 500 units out,
    // far beyond the far plane of everything but the sky.
    glfwSetCursorPos(state.window, 100 + 40, 75 - 15);
    play(1);
    GodCameraInput ahead;
    ahead.cursorX = 100;
    ahead.cursorY = 75;
    ahead.framebufferWidth = 200;
    ahead.framebufferHeight = 150;
    ahead.up = true;
    const glm::vec3 before = state.godCamera->getPosition();
    state.godCamera->fly(ahead, 50.0f);
    EXPECT_NEAR(glm::distance(state.godCamera->getPosition(), before), 500.0f, 0.5f);
    play(5);
    expectFilled(picture(), "far out");

    // A resize out there, then back to the game camera.
    ASSERT_TRUE(resize(333, 211));
    play();
    expectFilled(picture(), "far out after a resize");
    handleKeyRelease(state, GLFW_KEY_F6);
    EXPECT_EQ(state.activeCamera, static_cast<Camera*>(state.gameCamera.get()));
    play();
    expectFilled(picture(), "back with the game camera");
}

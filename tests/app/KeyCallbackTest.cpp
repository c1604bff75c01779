#include "app/AppState.h"
#include "app/KeyCallback.h"
#include "camera/GameCamera.h"
#include "camera/GodCamera.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <tuple>

namespace {

// The key callback works on the process-wide state; every test starts from a
// fresh one with both cameras and no renderer.
class KeyCallbackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state().reset();
        state().gameCamera = std::make_unique<GameCamera>();
        state().godCamera = std::make_unique<GodCamera>();
        state().activeCamera = state().gameCamera.get();
    }
    void TearDown() override { state().reset(); }
    static AppState& state() { return appState(); }

    static auto flags()
    {
        const AppState& s = appState();
        return std::make_tuple(s.paused, s.spinObstacles, s.printFrameTime, s.godMode, s.activeCamera);
    }
};

} // namespace

TEST_F(KeyCallbackTest, TogglesActOnReleaseOnly)
{
    keyCallback(nullptr, GLFW_KEY_P, 0, GLFW_PRESS, 0);
    keyCallback(nullptr, GLFW_KEY_P, 0, GLFW_REPEAT, 0);
    EXPECT_FALSE(state().paused);
    keyCallback(nullptr, GLFW_KEY_P, 0, GLFW_RELEASE, 0);
    EXPECT_TRUE(state().paused);
    keyCallback(nullptr, GLFW_KEY_P, 0, GLFW_RELEASE, 0);
    EXPECT_FALSE(state().paused);
}

TEST_F(KeyCallbackTest, EachKeyFlipsItsOwnFlag)
{
    keyCallback(nullptr, GLFW_KEY_R, 0, GLFW_RELEASE, 0);
    EXPECT_TRUE(state().spinObstacles);
    EXPECT_FALSE(state().paused);
    keyCallback(nullptr, GLFW_KEY_F2, 0, GLFW_RELEASE, 0);
    EXPECT_TRUE(state().printFrameTime);
    EXPECT_FALSE(state().godMode);
}

TEST_F(KeyCallbackTest, F6SwitchesToTheGodCameraAndBack)
{
    keyCallback(nullptr, GLFW_KEY_F6, 0, GLFW_RELEASE, 0);
    EXPECT_TRUE(state().godMode);
    EXPECT_EQ(state().activeCamera, state().godCamera.get());
    keyCallback(nullptr, GLFW_KEY_F6, 0, GLFW_RELEASE, 0);
    EXPECT_FALSE(state().godMode);
    EXPECT_EQ(state().activeCamera, state().gameCamera.get());
}

TEST_F(KeyCallbackTest, RendererTogglesNeedNoRenderer)
{
    // F3, F7 and F9 flip renderer fields; before the renderer exists they do nothing.
    const auto before = flags();
    for (int key : {GLFW_KEY_F3, GLFW_KEY_F7, GLFW_KEY_F9})
        keyCallback(nullptr, key, 0, GLFW_RELEASE, 0);
    EXPECT_EQ(flags(), before);
}

TEST_F(KeyCallbackTest, OtherKeysDoNothing)
{
    const auto before = flags();
    for (int key : {GLFW_KEY_UNKNOWN, GLFW_KEY_SPACE, GLFW_KEY_A, GLFW_KEY_D, GLFW_KEY_O, GLFW_KEY_Q,
                    GLFW_KEY_ESCAPE, GLFW_KEY_F1, GLFW_KEY_F4, GLFW_KEY_F5, GLFW_KEY_F8, GLFW_KEY_F10,
                    GLFW_KEY_F25, GLFW_KEY_KP_0, GLFW_KEY_MENU, 79, 299, 100000, -5})
        keyCallback(nullptr, key, 0, GLFW_RELEASE, 0);
    EXPECT_EQ(flags(), before);
}

#include "app/AppState.h"
#include "app/HeadlessGame.h"
#include "app/Input.h"
#include "scene/Moon.h"
#include "scene/World.h"

#include "Screen.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(KeyTaps, ASpaceTapBetweenTwoFramesStartsOneJump)
{
    // On a slow frame both the press and the release of a quick tap arrive
    // before the next poll; the game's window must still report it once.
    HeadlessGame game(HeadlessGame::Graphics::HiddenWindow);
    AppState& state = game.state();
    keepKeyTaps(state.window);
    pressKey(windowIdOf(state.window), "space");
    for (int i = 0; i < 25; ++i) {
        glfwPollEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const InputSnapshot tap = pollInput(state.window);
    EXPECT_TRUE(tap.keySpace) << "the tap was lost between two polls";
    game.advance(1.0f / 60.0f, tap);
    EXPECT_TRUE(state.world->moon->jumping);
    EXPECT_FALSE(pollInput(state.window).keySpace) << "one tap must count once";
}

// Whole games played by the headless driver, without a window.
#include "app/AppState.h"
#include "app/HeadlessGame.h"
#include "scene/Moon.h"
#include "scene/World.h"

#include <glm/gtc/constants.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float frame = 1.0f / 60.0f;
constexpr int frameLimit = 60 * 60 * 5; // five minutes of play

struct GameResult {
    int frames = 0;
    int score = 0;
    std::string console;
};

// The orbit angle of a point on the ring, in [0, 2 pi).
float angleOf(const glm::vec3& p)
{
    float a = std::atan2(-p.z, p.x);
    return a < 0.0f ? a + glm::two_pi<float>() : a;
}

// How far ahead of the moon (in its direction of travel) a point lies.
float aheadOf(const scene::Moon& moon, const glm::vec3& p)
{
    float d = angleOf(p) - angleOf(moon.position());
    while (d < 0.0f)
        d += glm::two_pi<float>();
    return d;
}

// Plays until game over. The player may look at the world each frame.
template <typename Player>
GameResult play(Player player)
{
    HeadlessGame game(HeadlessGame::Graphics::None);
    AppState& state = game.state();
    GameResult result;
    ::testing::internal::CaptureStdout();
    while (!state.gameOver && result.frames < frameLimit) {
        game.advance(frame, player(*state.world));
        ++result.frames;
    }
    result.console = ::testing::internal::GetCapturedStdout();
    result.score = state.score;
    return result;
}

// True when a stone stands on the moon's path within the given angle ahead.
bool stoneAhead(const World& world, float within)
{
    const scene::Moon& moon = *world.moon;
    for (const auto* list : {&world.obstacleList1, &world.obstacleList2}) {
        for (const ObstacleInstance& o : *list) {
            const glm::vec3 p(o.model[3]);
            if (aheadOf(moon, p) < within && std::abs(std::hypot(p.x, p.z) - moon.radius) < 2.5f)
                return true;
        }
    }
    return false;
}

// Steers to the lane of the next cogwheel ahead and jumps so that the top of
// the jump meets it, or jumps over a stone in the way.
InputSnapshot chaseGoodies(World& world)
{
    scene::Moon& moon = *world.moon;
    const float halfJump = moon.jumpLength * 0.5f;
    const GoodieInstance* target = nullptr;
    float best = 1e9f;
    for (const auto* list : {&world.goodieList1, &world.goodieList2}) {
        for (const GoodieInstance& g : *list) {
            const float ahead = aheadOf(moon, glm::vec3(g.model[3]));
            if (ahead > 0.02f && ahead < best) {
                best = ahead;
                target = &g;
            }
        }
    }
    InputSnapshot input;
    input.keySpace = !moon.jumping && stoneAhead(world, halfJump);
    if (target == nullptr)
        return input;
    const glm::vec3 p(target->model[3]);
    const float lane = std::hypot(p.x, p.z);
    input.keyD = moon.radius < lane - 0.2f;
    input.keyA = moon.radius > lane + 0.2f;
    input.keySpace = input.keySpace || (!moon.jumping && best <= halfJump && std::abs(moon.radius - lane) < 1.0f);
    return input;
}

} // namespace

TEST(WholeGame, WithoutInputTheMoonRunsIntoAStoneTheSameWayEveryTime)
{
    const GameResult first = play([](World&) { return InputSnapshot{}; });
    const GameResult second = play([](World&) { return InputSnapshot{}; });
    ASSERT_LT(first.frames, frameLimit) << "no stone was ever hit";
    EXPECT_EQ(first.score, 0);
    EXPECT_EQ(first.console, "Game Over - You reached 0 Points\n");
    EXPECT_EQ(second.frames, first.frames);
    EXPECT_EQ(second.console, first.console);
}

TEST(WholeGame, JumpingAtTheRightMomentsCollectsCogwheels)
{
    const GameResult result = play(chaseGoodies);
    ASSERT_GE(result.score, 10);
    const std::string goodieLine = "Goodie Collected - 10 Points!\n";
    const std::string gameOverLine = "Game Over - You reached " + std::to_string(result.score) + " Points\n";
    // Every collected cogwheel printed its line, all before the last line.
    size_t lines = 0;
    for (size_t at = result.console.find(goodieLine); at != std::string::npos; at = result.console.find(goodieLine, at + 1))
        ++lines;
    EXPECT_EQ(static_cast<int>(lines) * 10, result.score);
    if (result.frames < frameLimit) {
        ASSERT_GE(result.console.size(), gameOverLine.size());
        EXPECT_EQ(result.console.substr(result.console.size() - gameOverLine.size()), gameOverLine);
        EXPECT_EQ(result.console.find("Game Over"), result.console.size() - gameOverLine.size());
    }
}

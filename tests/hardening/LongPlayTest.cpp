// Twenty laps in a hidden window: the stones are made harmless, the moon
// steers and jumps at random, and every 30th frame is drawn. Nothing may pile
// up on the way: no OpenGL objects, no list entries, no OpenGL errors.
#include "Track.h"

#include "app/AppState.h"
#include "app/HeadlessGame.h"
#include "scene/Moon.h"
#include "scene/World.h"

#include <GL/glew.h>
#include <glm/gtc/constants.hpp>
#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

constexpr float frame = 1.0f / 60.0f;
constexpr int renderEvery = 30;
constexpr int laps = 20;

// How many names of each kind of OpenGL object exist among the first few thousand.
struct GlCensus {
    int textures = 0, buffers = 0, vertexArrays = 0, programs = 0, shaders = 0, framebuffers = 0,
        renderbuffers = 0;

    static GlCensus take()
    {
        GlCensus c;
        for (GLuint name = 1; name <= 4096; ++name) {
            c.textures += glIsTexture(name) ? 1 : 0;
            c.buffers += glIsBuffer(name) ? 1 : 0;
            c.vertexArrays += glIsVertexArray(name) ? 1 : 0;
            c.programs += glIsProgram(name) ? 1 : 0;
            c.shaders += glIsShader(name) ? 1 : 0;
            c.framebuffers += glIsFramebuffer(name) ? 1 : 0;
            c.renderbuffers += glIsRenderbuffer(name) ? 1 : 0;
        }
        return c;
    }
    bool operator==(const GlCensus& o) const
    {
        return textures == o.textures && buffers == o.buffers && vertexArrays == o.vertexArrays &&
               programs == o.programs && shaders == o.shaders && framebuffers == o.framebuffers &&
               renderbuffers == o.renderbuffers;
    }
};

std::ostream& operator<<(std::ostream& out, const GlCensus& c)
{
    return out << c.textures << " textures, " << c.buffers << " buffers, " << c.vertexArrays
               << " vertex arrays, " << c.programs << " programs, " << c.shaders << " shaders, "
               << c.framebuffers << " framebuffers, " << c.renderbuffers << " renderbuffers";
}

} // namespace

TEST(LongPlay, TwentyLapsLeaveNoOpenGlObjectsListEntriesOrErrorsBehind)
{
    HeadlessGame game(HeadlessGame::Graphics::HiddenWindow, 96, 72);
    AppState& state = game.state();
    World& world = *state.world;
    sinkStones(world);

    // The first drawn frame, then the census everything later is held to.
    ::testing::internal::CaptureStdout();
    game.advance(frame, {}, true);
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const GlCensus before = GlCensus::take();
    ASSERT_GT(before.textures, 0);

    std::mt19937 random(7u);
    InputSnapshot input;
    int steerFrames = 0;
    int refills = 0;
    int jumps = 0;
    bool armed1 = state.refillArmed1;
    const int frames = static_cast<int>(laps * glm::two_pi<float>() / world.moon->orbitSpeed / frame) + 60;
    for (int i = 1; i < frames && !state.gameOver; ++i) {
        // Hold D, A or nothing for a random while; press Space now and then.
        if (steerFrames-- <= 0) {
            const unsigned choice = random() % 3;
            input.keyD = choice == 0;
            input.keyA = choice == 1;
            steerFrames = static_cast<int>(random() % 90);
        }
        input.keySpace = random() % 50 == 0;
        const bool wasJumping = world.moon->jumping;

        const bool render = i % renderEvery == 0;
        game.advance(frame, input, render);
        sinkStones(world);
        if (render) {
            const GLenum error = glGetError();
            ASSERT_EQ(error, static_cast<GLenum>(GL_NO_ERROR)) << "after frame " << i;
        }
        jumps += !wasJumping && world.moon->jumping ? 1 : 0;
        if (state.refillArmed1 != armed1) {
            armed1 = state.refillArmed1;
            ++refills;
        }
        ASSERT_LE(world.obstacleList1.size(), 10u) << "frame " << i;
        ASSERT_LE(world.obstacleList2.size(), 10u) << "frame " << i;
        ASSERT_LE(world.goodieList1.size(), 10u) << "frame " << i;
        ASSERT_LE(world.goodieList2.size(), 10u) << "frame " << i;
    }
    const std::string console = ::testing::internal::GetCapturedStdout();

    EXPECT_FALSE(state.gameOver);
    EXPECT_GE(refills, 2 * laps - 1) << "the moon did not go round twenty times";
    EXPECT_GT(jumps, 100);
    // Every collected cogwheel was reported once, and nothing else was printed.
    std::istringstream lines(console);
    int goodieLines = 0;
    for (std::string line; std::getline(lines, line);) {
        ASSERT_EQ(line, "Goodie Collected - 10 Points!");
        ++goodieLines;
    }
    EXPECT_EQ(state.score, 10 * goodieLines);
    EXPECT_GT(goodieLines, 0) << "no cogwheel was ever taken";

    const GlCensus after = GlCensus::take();
    EXPECT_EQ(after, before);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

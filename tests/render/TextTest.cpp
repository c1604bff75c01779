// Screen text: the glyph table made from the font and how strings are drawn.

#include "RenderFixture.h"

#include <gtest/gtest.h>

#include <climits>

using namespace rendertest;

namespace {

struct Box {
    int left = INT_MAX, bottom = INT_MAX, right = INT_MIN, top = INT_MIN;
    bool empty() const { return left > right; }
};

// The lit pixels of white text drawn on black, as an inclusive box.
Box litBox(const Image& image)
{
    Box box;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.at(x, y).r > 0) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.bottom = std::min(box.bottom, y);
                box.top = std::max(box.top, y);
            }
        }
    }
    return box;
}

class Text : public ::testing::Test {
protected:
    static constexpr int width = 240;
    static constexpr int height = 160;

    GameScene scene{width, height, false};
    Renderer& r = scene.renderer();

    Image draw(const std::string& text, float x, float y, float scale)
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, width, height);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        r.renderText(text, x, y, scale, glm::vec3(1.0f));
        glDisable(GL_BLEND);
        return readFramebuffer(width, height);
    }

    // Where a glyph's quad lands, from its table entry.
    Box expectedBox(char c, float x, float y, float scale, float penOffset = 0.0f)
    {
        const Character& g = r.characters.at(c);
        Box box;
        box.left = static_cast<int>(x + penOffset + static_cast<float>(g.bearing.x) * scale);
        box.right = static_cast<int>(x + penOffset + static_cast<float>(g.bearing.x + g.size.x) * scale) - 1;
        box.bottom = static_cast<int>(y - static_cast<float>(g.size.y - g.bearing.y) * scale);
        box.top = static_cast<int>(y + static_cast<float>(g.bearing.y) * scale) - 1;
        return box;
    }
};

void expectNear(const Box& actual, const Box& expected, int tolerance)
{
    EXPECT_NEAR(actual.left, expected.left, tolerance);
    EXPECT_NEAR(actual.right, expected.right, tolerance);
    EXPECT_NEAR(actual.bottom, expected.bottom, tolerance);
    EXPECT_NEAR(actual.top, expected.top, tolerance);
}

} // namespace

TEST_F(Text, TheFontGivesEveryAsciiCodeAGlyphTextureAndLeavesUnpackAlignmentAtOne)
{
    EXPECT_EQ(r.characters.size(), 128u);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1);

    const Character& zero = r.characters.at('0');
    EXPECT_GT(zero.size.x, 10);
    EXPECT_GT(zero.size.y, 25); // 48-pixel glyphs
    EXPECT_GT(zero.advance, 64u * static_cast<GLuint>(zero.size.x));
    EXPECT_EQ(textureSize(zero.textureID), zero.size);
    GLint format = 0;
    glBindTexture(GL_TEXTURE_2D, zero.textureID);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    EXPECT_EQ(format, GL_RED);
    EXPECT_EQ(r.characters.at(' ').size, glm::ivec2(0, 0));
    EXPECT_GT(r.characters.at(' ').advance, 0u);
}

TEST_F(Text, AnEmptyStringDrawsNothingAndUnbindsItsState)
{
    const Image image = draw("", 20.0f, 40.0f, 1.0f);
    EXPECT_TRUE(litBox(image).empty());
    GLint vertexArray = -1;
    GLint texture = -1;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vertexArray);
    glActiveTexture(GL_TEXTURE0);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    EXPECT_EQ(vertexArray, 0);
    EXPECT_EQ(texture, 0);
    EXPECT_EQ(r.characters.size(), 128u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Text, AByteWithoutAGlyphAddsOneEmptyEntryAndDrawsNothing)
{
    const char unknown = static_cast<char>(0xC4);
    const Image image = draw(std::string(1, unknown), 20.0f, 40.0f, 1.0f);
    EXPECT_TRUE(litBox(image).empty());
    ASSERT_EQ(r.characters.size(), 129u);
    const Character& entry = r.characters.at(unknown);
    EXPECT_EQ(entry.size, glm::ivec2(0, 0));
    EXPECT_EQ(entry.bearing, glm::ivec2(0, 0));
    // Drawing it again adds nothing more.
    draw(std::string(2, unknown), 20.0f, 40.0f, 1.0f);
    EXPECT_EQ(r.characters.size(), 129u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Text, AGlyphSitsOnTheBaselineAndScaleTwoDoublesQuadAndAdvance)
{
    const Box one = litBox(draw("H", 20.0f, 40.0f, 1.0f));
    expectNear(one, expectedBox('H', 20.0f, 40.0f, 1.0f), 1);

    const Box two = litBox(draw("H", 20.0f, 40.0f, 2.0f));
    expectNear(two, expectedBox('H', 20.0f, 40.0f, 2.0f), 1);
    EXPECT_NEAR(two.right - two.left, 2 * (one.right - one.left), 2);
    EXPECT_NEAR(two.top - two.bottom, 2 * (one.top - one.bottom), 2);

    // The second H starts one whole-pixel advance (times the scale) later.
    const float advance = static_cast<float>(r.characters.at('H').advance >> 6);
    const Box pair = litBox(draw("HH", 20.0f, 40.0f, 2.0f));
    EXPECT_NEAR(pair.left, two.left, 1);
    EXPECT_NEAR(pair.right, expectedBox('H', 20.0f, 40.0f, 2.0f, 2.0f * advance).right, 1);

    // A space only moves the pen.
    const Box spaced = litBox(draw("H H", 20.0f, 40.0f, 1.0f));
    const float spaceAdvance = static_cast<float>(r.characters.at(' ').advance >> 6);
    EXPECT_NEAR(spaced.right, expectedBox('H', 20.0f, 40.0f, 1.0f, advance + spaceAdvance).right, 1);
}

TEST_F(Text, DescendersReachBelowTheBaseline)
{
    const Box box = litBox(draw("g", 20.0f, 60.0f, 1.0f));
    const Character& g = r.characters.at('g');
    ASSERT_GT(g.size.y, g.bearing.y);
    EXPECT_NEAR(box.bottom, 60 - (g.size.y - g.bearing.y), 1);
}

// The owners of GL names. Faults caught: an owner that leaks its object when
// it goes; a move that leaves the name in the moved-from owner too (which
// would delete the object under its new owner); a move assignment that drops
// the object it held before without deleting it.
#include "gpu/GlObject.h"

#include "GlWindow.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

namespace {

// How a test binds an object of each kind and asks whether it exists.
template <typename Owner>
struct Probe;
template <>
struct Probe<GlFramebuffer> {
    static void bind(GLuint n) { glBindFramebuffer(GL_FRAMEBUFFER, n); }
    static bool exists(GLuint n) { return glIsFramebuffer(n); }
};
template <>
struct Probe<GlRenderbuffer> {
    static void bind(GLuint n) { glBindRenderbuffer(GL_RENDERBUFFER, n); }
    static bool exists(GLuint n) { return glIsRenderbuffer(n); }
};
template <>
struct Probe<GlTexture> {
    static void bind(GLuint n) { glBindTexture(GL_TEXTURE_2D, n); }
    static bool exists(GLuint n) { return glIsTexture(n); }
};
template <>
struct Probe<GlBuffer> {
    static void bind(GLuint n) { glBindBuffer(GL_ARRAY_BUFFER, n); }
    static bool exists(GLuint n) { return glIsBuffer(n); }
};
template <>
struct Probe<GlVertexArray> {
    static void bind(GLuint n) { glBindVertexArray(n); }
    static bool exists(GLuint n) { return glIsVertexArray(n); }
};
template <>
struct Probe<GlProgram> {
    static void bind(GLuint) {}
    static bool exists(GLuint n) { return glIsProgram(n); }
};
template <>
struct Probe<GlShaderStage> {
    static void bind(GLuint) {}
    static bool exists(GLuint n) { return glIsShader(n); }
};

template <typename Owner>
Owner make()
{
    if constexpr (std::is_same_v<Owner, GlShaderStage>) {
        return GlShaderStage(glCreateShader(GL_VERTEX_SHADER));
    } else {
        Owner owner = Owner::create();
        Probe<Owner>::bind(owner); // a generated name becomes an object when first bound
        Probe<Owner>::bind(0);
        return owner;
    }
}

template <typename Owner>
class GlObjects : public ::testing::Test {};
using Kinds =
    ::testing::Types<GlFramebuffer, GlRenderbuffer, GlTexture, GlBuffer, GlVertexArray, GlProgram, GlShaderStage>;
TYPED_TEST_SUITE(GlObjects, Kinds);

} // namespace

TYPED_TEST(GlObjects, OwnOneNameHandItOnWhenMovedAndDeleteIt)
{
    auto exists = Probe<TypeParam>::exists;
    GlWindow gl;
    TypeParam kept;
    GLuint name = 0;
    {
        TypeParam first = make<TypeParam>();
        name = first.id();
        ASSERT_NE(name, 0u);
        ASSERT_TRUE(exists(name));
        kept = std::move(first);
        EXPECT_EQ(first.id(), 0u);
    }
    EXPECT_TRUE(exists(name)) << "deleted by the owner it was moved from";
    EXPECT_EQ(kept.id(), name);

    TypeParam other = make<TypeParam>();
    const GLuint replaced = other.id();
    other = std::move(kept);
    EXPECT_FALSE(exists(replaced)) << "a move assignment deletes what the owner held before";
    EXPECT_EQ(kept.id(), 0u);
    {
        const TypeParam last(std::move(other));
        EXPECT_EQ(other.id(), 0u);
        EXPECT_EQ(last.id(), name);
        EXPECT_TRUE(exists(name));
    }
    EXPECT_FALSE(exists(name));
}

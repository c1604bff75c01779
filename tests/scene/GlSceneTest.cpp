// GL owners on a real OpenGL 4.1 core context: an owner deletes its one name and
// hands it on when moved; the world and the renderer release all they made.
#include "GlWindow.h"

#include "app/AppState.h"
#include "app/WorldSetup.h"
#include "gpu/GlObject.h"

#include <gtest/gtest.h>

#include <utility>

TEST(GlOwners, AnOwnerDeletesItsNameOnceAndAMoveHandsItOn)
{
    GlWindow window(16, 16);
    auto texture = [] {
        GlTexture t = GlTexture::create();
        glBindTexture(GL_TEXTURE_2D, t); // a generated name becomes an object when first bound
        glBindTexture(GL_TEXTURE_2D, 0);
        return t;
    };
    GlTexture kept;
    GlTexture first = texture();
    const GLuint name = first.id();
    kept = std::move(first);
    EXPECT_EQ(first.id(), 0u);
    { const GlTexture gone(std::move(first)); } // a moved-from owner deletes nothing
    EXPECT_TRUE(glIsTexture(name)) << "deleted by the owner it was moved from";
    GlTexture other = texture();
    const GLuint replaced = other.id();
    other = std::move(kept);
    EXPECT_FALSE(glIsTexture(replaced)) << "a move assignment must delete what the owner held";
    EXPECT_EQ(other.id(), name);
    { const GlTexture last(std::move(other)); }
    EXPECT_FALSE(glIsTexture(name)) << "the last owner leaked its texture";
}

TEST(GlOwners, TheWorldAndTheRendererReleaseEveryGlObjectTheyMade)
{
    GlWindow window(16, 16);
    ASSERT_NE(window.window, nullptr);
    const int before = liveGlObjects();
    appState().window = window.window;
    setUpWorld();
    EXPECT_GT(liveGlObjects(), before + 50);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    tearDownWorld();
    EXPECT_EQ(liveGlObjects(), before);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    appState().reset();
}

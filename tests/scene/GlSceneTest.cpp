// The whole world on a real OpenGL 4.1 core context: everything it makes, it releases.
#include "GlWindow.h"

#include "scene/World.h"

#include <gtest/gtest.h>

#include <memory>

TEST(SceneGl, TheWorldReleasesEveryGlObjectItMade)
{
    GlWindow window(16, 16);
    ASSERT_NE(window.window, nullptr);
    const int before = liveGlObjects();
    auto world = std::make_unique<World>();
    world->loadResources();
    world->buildScene();
    world->fillObstacles(2);
    EXPECT_GT(liveGlObjects(), before + 30);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    world.reset();
    EXPECT_EQ(liveGlObjects(), before);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// The whole world built from the game's content: with OpenGL, as the game
// does, and without, as the rule tests do.

#include "GlWindow.h"

#include "gpu/Shader.h"
#include "gpu/Texture.h"
#include "scene/GameRandom.h"
#include "scene/Lane.h"
#include "scene/Material.h"
#include "scene/Moon.h"
#include "scene/Moonmoon.h"
#include "scene/ObstacleLoader.h"
#include "scene/Saturn.h"
#include "scene/SkyBox.h"
#include "scene/Sun.h"
#include "scene/World.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

bool onALane(const glm::vec3& centre)
{
    const float distance = std::hypot(centre.x, centre.z);
    for (float lane : {52.4f, 56.0f, 59.8f})
        if (std::fabs(distance - lane) < 1e-3f)
            return true;
    return false;
}

float orbitAngleOf(const glm::vec3& p)
{
    const float a = std::atan2(-p.z, p.x);
    return a < 0.0f ? a + 6.2831853f : a;
}

// What holds for a freshly built world, with or without GL.
void expectStartingWorld(World& world)
{
    const std::vector<scene::SceneObject*>& objects = world.sceneObjects();
    ASSERT_EQ(objects.size(), 5u);
    EXPECT_EQ(objects[0], world.sun.get());
    EXPECT_EQ(objects[1], world.moon.get());
    EXPECT_EQ(objects[2], world.moonmoon.get());
    EXPECT_EQ(objects[3], world.saturn.get());
    EXPECT_EQ(objects[4], world.lane.get());
    EXPECT_EQ(world.sceneObjects().size(), 5u); // rebuilt, not appended

    EXPECT_EQ(world.obstacles(1).size(), 10u);
    EXPECT_EQ(world.goodies(1).size(), 10u);
    EXPECT_TRUE(world.obstacles(2).empty());
    EXPECT_TRUE(world.goodies(2).empty());
    EXPECT_EQ(world.obstacles(0).size(), 10u);
    EXPECT_EQ(world.obstacles(3).size(), 10u);
    ASSERT_NE(world.goodieTemplate, nullptr);
    ASSERT_NE(world.obstacleTemplate, nullptr);
    ASSERT_NE(world.skyBox, nullptr);

    for (const ObstacleInstance& obstacle : world.obstacles(1)) {
        const glm::vec3 centre(obstacle.model[3]);
        EXPECT_TRUE(onALane(centre));
        EXPECT_NEAR(centre.y, -0.2f, 1e-5f);
        EXPECT_GE(orbitAngleOf(centre), 3.142f - 1e-4f);
        EXPECT_LE(orbitAngleOf(centre), 6.2834f);
        EXPECT_EQ(obstacle.vertexCount, world.obstacleTemplate->mesh.vertexCount);
        EXPECT_EQ(obstacle.vao, world.obstacleTemplate->mesh.vao);
    }
    for (const GoodieInstance& goodie : world.goodies(1)) {
        const glm::vec3 centre(goodie.model[3]);
        EXPECT_TRUE(onALane(centre));
        EXPECT_NEAR(centre.y, 2.0f, 1e-5f);
        EXPECT_EQ(goodie.vao, world.goodieTemplate->mesh.vao);
    }

    // Everything has been placed once.
    EXPECT_NEAR(world.moon->position().x, -55.95f, 1e-2f);
    EXPECT_NEAR(world.sun->getPosition().x, 95.0f, 1e-5f);
    EXPECT_NEAR(world.lane->getModelMatrix()[3][1], -1.0f, 1e-6f);
    EXPECT_NEAR(glm::length(glm::vec3(world.saturn->getModelMatrix()[0])), 35.0f, 1e-3f);
    EXPECT_NEAR(world.moonmoon->getModelMatrix()[3][2], 1.5f, 1e-5f);

    // The models carry what their programs read.
    EXPECT_GT(world.moon->mesh.vertexCount, 0u);
    EXPECT_GT(world.saturn->mesh.vertexCount, 0u);
    EXPECT_GT(world.lane->mesh.vertexCount, 0u);
    EXPECT_GT(world.goodieTemplate->mesh.vertexCount, 0u);
    EXPECT_EQ(world.moon->mesh.vertexCount % 3, 0u);
}

TEST(WorldWithoutGl, BuildsTheSceneForTheRules)
{
    scene::gameRandom().reset();
    World world;
    world.buildScene();
    expectStartingWorld(world);
    EXPECT_EQ(world.moon->mesh.vao, 0u);
    EXPECT_EQ(world.moon->shader, nullptr);
    EXPECT_EQ(world.skyBox->vao, 0u);

    // Same generator state, same world.
    scene::gameRandom().reset();
    World again;
    again.buildScene();
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(again.obstacleList1[i].model, world.obstacleList1[i].model);
        EXPECT_EQ(again.goodieList1[i], world.goodieList1[i]);
    }
}

TEST(WorldWithGl, AssemblesOwnsAndReleasesEverything)
{
    GlWindow window;
    ASSERT_NE(window.window, nullptr);
    auto world = std::make_unique<World>();
    world->loadResources();
    world->buildScene();
    expectStartingWorld(*world);

    // Programs, textures and materials as the scene needs them.
    EXPECT_EQ(world->sun->shader, world->uvShader.get());
    EXPECT_EQ(world->sun->texture, world->sunSurfaceTexture.get());
    EXPECT_EQ(world->moon->shader, world->directionalLightShader.get());
    EXPECT_EQ(world->moonmoon->texture, world->moonTexture.get());
    EXPECT_EQ(world->saturn->texture, world->saturnTexture.get());
    EXPECT_EQ(world->lane->material, world->transparentMaterial.get());
    EXPECT_EQ(world->lane->texture, world->ringTexture.get());
    EXPECT_EQ(world->obstacleTemplate->shader, world->normalMapShader.get());
    EXPECT_EQ(world->obstacleTemplate->texture, world->stoneTexture.get());
    EXPECT_EQ(world->goodieTemplate->shader, world->directionalLightShader.get());
    EXPECT_EQ(world->goodieTemplate->material, world->shinyMaterial.get());
    EXPECT_EQ(world->goodieTemplate->texture, world->steelTexture.get());
    EXPECT_EQ(world->skyBox->shader, world->skyboxShader.get());
    EXPECT_EQ(world->skyBox->texture, world->spaceCubeMap.get());
    EXPECT_EQ(world->skyBox->material, world->dullMaterial.get());
    EXPECT_FLOAT_EQ(world->shinyMaterial->specularIntensity, 0.8f);
    EXPECT_FLOAT_EQ(world->transparentMaterial->transparency, 0.5f);
    EXPECT_EQ(world->uvShader->activeUniformCount(), 4);
    EXPECT_EQ(world->directionalLightShader->activeUniformCount(), 12);

    // The models have what their programs read.
    EXPECT_NE(world->moon->mesh.uvBuffer, 0u);
    EXPECT_NE(world->saturn->mesh.normalBuffer, 0u);
    EXPECT_NE(world->lane->mesh.uvBuffer, 0u);
    EXPECT_NE(world->obstacleTemplate->mesh.tangentBuffer, 0u);
    EXPECT_NE(world->obstacleTemplate->mesh.bitangentBuffer, 0u);

    std::vector<GLuint> programs, textures, arrays, buffers;
    for (Shader* s : {world->basicShader.get(), world->uvShader.get(), world->directionalLightShader.get(),
                      world->normalMapShader.get(), world->skyboxShader.get()}) {
        programs.push_back(s->program);
        programs.push_back(s->vertexShader);
        programs.push_back(s->fragmentShader);
    }
    for (Texture* t : {world->saturnTexture.get(), world->moonTexture.get(), world->sunSurfaceTexture.get(),
                       world->steelTexture.get(), world->stoneTexture.get(), world->ringTexture.get(),
                       world->spaceCubeMap.get()})
        textures.push_back(t->id);
    for (const scene::ImportedMesh* mesh :
         {&world->sun->mesh, &world->moon->mesh, &world->moonmoon->mesh, &world->saturn->mesh, &world->lane->mesh,
          &world->obstacleTemplate->mesh, &world->goodieTemplate->mesh}) {
        arrays.push_back(mesh->vao);
        for (GLuint b : {mesh->positionBuffer.id(), mesh->normalBuffer.id(), mesh->uvBuffer.id()})
            buffers.push_back(b);
    }
    arrays.push_back(world->skyBox->vao);
    buffers.push_back(world->skyBox->vertexBuffer);

    for (GLuint p : programs)
        EXPECT_TRUE(glIsProgram(p) || glIsShader(p));
    for (GLuint t : textures)
        EXPECT_TRUE(glIsTexture(t));
    for (GLuint a : arrays)
        EXPECT_TRUE(glIsVertexArray(a));
    for (GLuint b : buffers)
        EXPECT_TRUE(glIsBuffer(b));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    world.reset();
    for (size_t i = 0; i < programs.size(); ++i) {
        if (i % 3 == 0)
            EXPECT_FALSE(glIsProgram(programs[i]));
        else
            EXPECT_FALSE(glIsShader(programs[i]));
    }
    for (GLuint t : textures)
        EXPECT_FALSE(glIsTexture(t));
    for (GLuint a : arrays)
        EXPECT_FALSE(glIsVertexArray(a));
    for (GLuint b : buffers)
        EXPECT_FALSE(glIsBuffer(b));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

} // namespace

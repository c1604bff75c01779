// The scene's lit programs and the whole world on a real OpenGL 4.1 core context.
#include "GlWindow.h"

#include "gpu/Shader.h"
#include "scene/ImportedMesh.h"
#include "scene/World.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

// A 1x1 texture of one colour on the given unit.
GLuint solidTexture(GLenum unit, unsigned char r, unsigned char g, unsigned char b)
{
    GLuint id = 0;
    glGenTextures(1, &id);
    glActiveTexture(unit);
    glBindTexture(GL_TEXTURE_2D, id);
    const unsigned char pixel[4] = {r, g, b, 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    return id;
}

// A shadow map as the renderer makes it (compare with GL_GREATER), every texel at one depth.
GLuint shadowMap(GLenum unit, float depth)
{
    GLuint id = 0;
    glGenTextures(1, &id);
    glActiveTexture(unit);
    glBindTexture(GL_TEXTURE_2D, id);
    const std::vector<float> texels(16 * 16, depth);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, 16, 16, 0, GL_DEPTH_COMPONENT, GL_FLOAT, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_GREATER);
    return id;
}

class SceneGl : public ::testing::Test {
protected:

    // Draws a quad facing +z with a lit program; returns the pixel in its middle (red channel).
    int drawLit(const std::string& name, float shadowDepth, const glm::vec3& toSun, int normalMapping = 0,
                unsigned char mapGreen = 128)
    {
        Shader shader("../Content/Shader/" + name + ".vert", "../Content/Shader/" + name + ".frag");
        const bool bumped = name == "normalMap";
        glViewport(0, 0, 16, 16);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        const GLuint textures[3] = {solidTexture(GL_TEXTURE0, 255, 255, 255),
                                    solidTexture(GL_TEXTURE1, 128, mapGreen, 229),
                                    shadowMap(bumped ? GL_TEXTURE2 : GL_TEXTURE1, shadowDepth)};
        scene::ImportedMesh quad(quadFile, &shader, bumped);
        glUseProgram(shader.program);
        shader.setMat4("view_project", glm::mat4(1.0f));
        shader.setMat4("model", glm::mat4(1.0f));
        shader.setMat4("light_view_project", glm::mat4(1.0f)); // the quad lies at light depth 0.5
        shader.setInt("shadowMap", bumped ? 2 : 1);
        shader.setVec3("sunLight.lightColor", glm::vec3(1.0f));
        shader.setVec3("sunLight.lightPos", glm::normalize(toSun));
        shader.setVec3("cameraPosition", glm::vec3(0.0f, 0.0f, 5.0f));
        shader.setFloat("sunLight.ambientIntensity", 0.2f);
        shader.setInt("color_texture", 0);
        shader.setInt("normalMapping", normalMapping);
        shader.setInt("normalMap", 1);
        shader.setFloat("mat.specularIntensity", 0.0f);
        shader.setFloat("mat.specularPower", 100.0f);
        shader.setFloat("mat.transparency", 1.0f);
        quad.draw();
        const int red = readPixel(8, 8).r;
        glDeleteTextures(3, textures);
        glActiveTexture(GL_TEXTURE0);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        return red;
    }

    GlWindow window{16, 16};
    // A quad filling the view, facing +z, u along x and v along y.
    const std::string quadFile = std::filesystem::temp_directory_path() / ("vantor-quad-" + std::to_string(::getpid()) + ".obj");
    void SetUp() override
    {
        ASSERT_NE(window.window, nullptr);
        std::ofstream(quadFile) << "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
                                   "vn 0 0 1\nf 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\n";
    }
    void TearDown() override { std::filesystem::remove(quadFile); }
};

} // namespace

TEST_F(SceneGl, SunlitSurfacesAreBrighterThanShadowedOnesWhichKeepTheAmbientLight)
{
    const glm::vec3 toSun(0.0f, 0.8660254f, 0.5f); // half the full diffuse light on the quad
    for (const char* name : {"directionalLight", "normalMap"}) {
        SCOPED_TRACE(name);
        const int lit = drawLit(name, 1.0f, toSun);
        const int shadowed = drawLit(name, 0.0f, toSun);
        const int behind = drawLit(name, 1.0f, -toSun);
        EXPECT_GT(lit, 110);
        EXPECT_LT(shadowed, lit - 40) << "the shadow map darkens nothing";
        EXPECT_GE(shadowed, 0.2 * 255 - 3) << "a shadow must keep the ambient light";
        EXPECT_LT(behind, lit - 40) << "lit from the wrong side";
        EXPECT_GE(behind, 0.2 * 255 - 3);
    }
    // The stones' normal map tilts the surface: (0, 0.6, 0.8) with green
    // flipped turns it away from a sun at (0, -0.6, 0.8).
    const glm::vec3 below(0.0f, -0.6f, 0.8f);
    const int flat = drawLit("normalMap", 1.0f, below, 0, 51);
    EXPECT_LT(drawLit("normalMap", 1.0f, below, 1, 51), flat - 40);
    EXPECT_NEAR(drawLit("normalMap", 1.0f, below, 1, 128), flat, 4) << "a flat map must change nothing";
}

TEST_F(SceneGl, TheWorldReleasesEveryGlObjectItMade)
{
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

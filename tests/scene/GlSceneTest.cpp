// Scene objects and scene programs on a real OpenGL 4.1 core context.

#include "ColladaFixture.h"
#include "GlWindow.h"

#include "gpu/Shader.h"
#include "scene/ImportedMesh.h"
#include "scene/SkyBox.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace {

std::unique_ptr<Shader> program(const std::string& name)
{
    return std::make_unique<Shader>("../Content/Shader/" + name + ".vert", "../Content/Shader/" + name + ".frag");
}

// Name -> GL type of every active uniform of a program.
std::map<std::string, GLenum> activeUniforms(const Shader& shader)
{
    std::map<std::string, GLenum> uniforms;
    for (int i = 0; i < shader.activeUniformCount(); ++i) {
        char name[128];
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(shader.program, GLuint(i), sizeof(name), nullptr, &size, &type, name);
        uniforms[name] = type;
    }
    return uniforms;
}

// A colour target with alpha, so the programs' output can be read exactly.
class RenderTarget {
public:
    RenderTarget(int width, int height)
    {
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glGenFramebuffers(1, &fbo);
        glBindFramebuffer(GL_FRAMEBUFFER, fbo);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
        glViewport(0, 0, width, height);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    ~RenderTarget()
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &fbo);
        glDeleteTextures(1, &texture);
    }
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    bool complete() const { return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE; }

    GLuint fbo = 0;
    GLuint texture = 0;
};

// A 1x1 texture of one colour.
GLuint solidTexture(GLenum unit, unsigned char r, unsigned char g, unsigned char b)
{
    GLuint id = 0;
    glGenTextures(1, &id);
    glActiveTexture(unit);
    glBindTexture(GL_TEXTURE_2D, id);
    const unsigned char pixel[4] = {r, g, b, 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return id;
}

// A shadow map as the renderer makes it: depth comparison with GL_GREATER,
// every texel at the given depth.
GLuint shadowMap(GLenum unit, float depth)
{
    GLuint id = 0;
    glGenTextures(1, &id);
    glActiveTexture(unit);
    glBindTexture(GL_TEXTURE_2D, id);
    const std::vector<float> texels(16 * 16, depth);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, 16, 16, 0, GL_DEPTH_COMPONENT, GL_FLOAT, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_GREATER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    return id;
}

class SceneGl : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(window.window, nullptr); }

    // A full-screen quad in the z = 0 plane, facing +z, u along x, v along y.
    std::string quadFile(bool withUvs)
    {
        return dir.write(withUvs ? "quad.dae" : "quad-plain.dae",
                         fixture::collada({fixture::triangles(
                             {{-1, -1}, {1, -1}, {1, 1}, {-1, -1}, {1, 1}, {-1, 1}}, withUvs)}));
    }

    GlWindow window{64, 64};
    fixture::TempDir dir;
};

TEST_F(SceneGl, ProgramsHaveExactlyTheirUniforms)
{
    const std::map<std::string, std::vector<std::string>> expected = {
        {"uv", {"view_project", "model", "color_texture", "transparency"}},
        {"basic", {"view_project", "model"}},
        {"skybox", {"view_project", "skyBox"}},
        {"directionalLight",
         {"view_project", "model", "light_view_project", "shadowMap", "sunLight.lightColor", "sunLight.lightPos",
          "cameraPosition", "sunLight.ambientIntensity", "color_texture", "mat.specularIntensity",
          "mat.specularPower", "mat.transparency"}},
        {"normalMap",
         {"view_project", "model", "light_view_project", "shadowMap", "sunLight.lightColor", "sunLight.lightPos",
          "cameraPosition", "sunLight.ambientIntensity", "color_texture", "mat.specularIntensity",
          "mat.specularPower", "mat.transparency", "normalMapping", "normalMap"}},
    };
    const std::map<std::string, int> counts = {
        {"uv", 4}, {"basic", 2}, {"skybox", 2}, {"directionalLight", 12}, {"normalMap", 14}};
    for (const auto& [name, uniforms] : expected) {
        const auto shader = program(name);
        EXPECT_EQ(shader->activeUniformCount(), counts.at(name)) << name;
        const auto active = activeUniforms(*shader);
        for (const std::string& uniform : uniforms)
            EXPECT_EQ(active.count(uniform), 1u) << name << " lacks " << uniform;
        if (active.count("shadowMap")) {
            EXPECT_EQ(active.at("shadowMap"), GLenum(GL_SAMPLER_2D_SHADOW)) << name;
        }
        if (active.count("skyBox")) {
            EXPECT_EQ(active.at("skyBox"), GLenum(GL_SAMPLER_CUBE));
        }
        // Attribute locations are the same in every scene program.
        EXPECT_EQ(glGetAttribLocation(shader->program, "position"), 0) << name;
    }
    const auto bumped = program("normalMap");
    EXPECT_EQ(glGetAttribLocation(bumped->program, "normal"), 1);
    EXPECT_EQ(glGetAttribLocation(bumped->program, "uv"), 2);
    EXPECT_EQ(glGetAttribLocation(bumped->program, "tangent"), 3);
    EXPECT_EQ(glGetAttribLocation(bumped->program, "bitangent"), 4);
    const auto sun = program("uv");
    EXPECT_EQ(glGetAttribLocation(sun->program, "uv"), 2);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(SceneGl, ImportBuildsOneBufferPerAttribute)
{
    const auto lit = program("directionalLight");
    scene::ImportedMesh mesh(quadFile(true), lit.get(), false);
    EXPECT_TRUE(glIsVertexArray(mesh.vao));
    EXPECT_TRUE(glIsBuffer(mesh.positionBuffer));
    EXPECT_TRUE(glIsBuffer(mesh.normalBuffer));
    EXPECT_TRUE(glIsBuffer(mesh.uvBuffer));
    EXPECT_EQ(mesh.tangentBuffer, 0u);

    glBindBuffer(GL_ARRAY_BUFFER, mesh.uvBuffer);
    GLint size = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, GLint(6 * 2 * sizeof(float)));
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    glBindVertexArray(mesh.vao);
    for (GLuint location : {0u, 1u, 2u}) {
        GLint enabled = 0;
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        EXPECT_EQ(enabled, 1) << location;
    }
    glBindVertexArray(0);

    const auto bumped = program("normalMap");
    scene::ImportedMesh withTangents(quadFile(true), bumped.get(), true);
    EXPECT_TRUE(glIsBuffer(withTangents.tangentBuffer));
    EXPECT_TRUE(glIsBuffer(withTangents.bitangentBuffer));

    // A program without the attribute leaves the buffer unattached.
    const auto plain = program("basic");
    scene::ImportedMesh unused(quadFile(true), plain.get(), false);
    EXPECT_TRUE(glIsBuffer(unused.normalBuffer));
    glBindVertexArray(unused.vao);
    GLint enabled = 1;
    glGetVertexAttribiv(1, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    EXPECT_EQ(enabled, 0);
    glBindVertexArray(0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(SceneGl, MeshWithoutUvsHasNoUvBufferAndStillDraws)
{
    const auto plain = program("basic");
    RenderTarget target(32, 32);
    ASSERT_TRUE(target.complete());
    GLuint names[3] = {0, 0, 0};
    {
        scene::ImportedMesh mesh(quadFile(false), plain.get(), false);
        EXPECT_EQ(mesh.uvBuffer, 0u);
        EXPECT_NE(mesh.positionBuffer, 0u);
        names[0] = mesh.vao;
        names[1] = mesh.positionBuffer;
        names[2] = mesh.normalBuffer;

        glUseProgram(plain->program);
        plain->setMat4("view_project", glm::mat4(1.0f));
        plain->setMat4("model", glm::mat4(1.0f));
        mesh.draw();
        const Rgba centre = readPixel(16, 16);
        EXPECT_EQ(centre.r, 255);
        EXPECT_EQ(centre.a, 255);
        GLint bound = -1;
        glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &bound);
        EXPECT_EQ(bound, 0);
    }
    // The mesh deletes what it made.
    EXPECT_FALSE(glIsVertexArray(names[0]));
    EXPECT_FALSE(glIsBuffer(names[1]));
    EXPECT_FALSE(glIsBuffer(names[2]));
}

TEST_F(SceneGl, OnlyTheFirstMeshIsDrawn)
{
    const auto plain = program("basic");
    const fixture::Mesh left = fixture::triangles({{-1, -1}, {0, -1}, {0, 1}, {-1, -1}, {0, 1}, {-1, 1}}, true);
    const fixture::Mesh right = fixture::triangles({{0, -1}, {1, -1}, {1, 1}, {0, -1}, {1, 1}, {0, 1}}, true);
    scene::ImportedMesh mesh(dir.write("two.dae", fixture::collada({left, right})), plain.get(), false);
    EXPECT_EQ(mesh.vertexCount, 6u);
    RenderTarget target(32, 32);
    glUseProgram(plain->program);
    plain->setMat4("view_project", glm::mat4(1.0f));
    plain->setMat4("model", glm::mat4(1.0f));
    mesh.draw();
    EXPECT_EQ(readPixel(8, 16).r, 255);
    EXPECT_EQ(readPixel(24, 16).r, 0);
}

TEST_F(SceneGl, SkyBoxDrawsTwelveTrianglesAllVisibleFromInside)
{
    const auto sky = program("skybox");
    auto box = std::make_unique<scene::SkyBox>(glm::mat4(1.0f), sky.get(), nullptr, nullptr);
    auto other = std::make_unique<scene::SkyBox>(glm::mat4(1.0f), program("basic").get(), nullptr, nullptr);
    EXPECT_NE(box->vao, other->vao);
    EXPECT_NE(box->vertexBuffer, other->vertexBuffer);

    RenderTarget target(8, 8);
    glEnable(GL_CULL_FACE);
    glUseProgram(sky->program);
    sky->setMat4("view_project", glm::mat4(1.0f));
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    box->draw();
    glEndQuery(GL_PRIMITIVES_GENERATED);
    GLuint primitives = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &primitives);
    glDeleteQueries(1, &query);
    EXPECT_EQ(primitives, 12u);

    // With culling on, the view from the centre along each axis is covered
    // completely: every face is seen from inside.
    const glm::mat4 perspective = glm::perspective(1.5f, 1.0f, 0.1f, 10.0f);
    const glm::vec3 directions[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (const glm::vec3& direction : directions) {
        const glm::vec3 up = direction.y != 0.0f ? glm::vec3(0, 0, 1) : glm::vec3(0, 1, 0);
        sky->setMat4("view_project", perspective * glm::lookAt(glm::vec3(0.0f), direction, up));
        glGenQueries(1, &query);
        glBeginQuery(GL_SAMPLES_PASSED, query);
        box->draw();
        glEndQuery(GL_SAMPLES_PASSED);
        GLuint samples = 0;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samples);
        glDeleteQueries(1, &query);
        EXPECT_EQ(samples, 64u) << direction.x << " " << direction.y << " " << direction.z;
    }
    glDisable(GL_CULL_FACE);

    const GLuint vao = box->vao, buffer = box->vertexBuffer;
    box.reset();
    EXPECT_FALSE(glIsVertexArray(vao));
    EXPECT_FALSE(glIsBuffer(buffer));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// The lit programs: ambient + diffuse from the sun direction, and the shadow
// map darkens but does not blacken.
class Lighting : public SceneGl {
protected:
    // Draws the quad with the given program and returns the centre pixel.
    Rgba drawLit(Shader& shader, bool withTangents, float shadowDepth, const glm::mat4& lightMatrix,
                 const glm::vec3& toSun, int normalMapping = 0, unsigned char mapGreen = 128)
    {
        RenderTarget target(16, 16);
        const bool bumped = withTangents;
        const GLenum shadowUnit = bumped ? GL_TEXTURE2 : GL_TEXTURE1;
        const GLuint colour = solidTexture(GL_TEXTURE0, 255, 255, 255);
        const GLuint normals = bumped ? solidTexture(GL_TEXTURE1, 128, mapGreen, 229) : 0;
        const GLuint depth = shadowMap(shadowUnit, shadowDepth);
        scene::ImportedMesh quad(quadFile(true), &shader, withTangents);

        glUseProgram(shader.program);
        shader.setMat4("view_project", glm::mat4(1.0f));
        shader.setMat4("model", glm::mat4(1.0f));
        shader.setMat4("light_view_project", lightMatrix);
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
        shader.setFloat("mat.transparency", 1.0f); // a solid body (the translucent ring is lit otherwise)
        quad.draw();
        const Rgba pixel = readPixel(8, 8);

        glDeleteTextures(1, &colour);
        if (normals != 0)
            glDeleteTextures(1, &normals);
        glDeleteTextures(1, &depth);
        glActiveTexture(GL_TEXTURE0);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        return pixel;
    }

    const glm::mat4 inside{1.0f}; // the quad's z = 0 maps to light depth 0.5
    const glm::vec3 halfLit{0.0f, 0.8660254f, 0.5f}; // diffuse 0.5 on the quad
};

TEST_F(Lighting, ShadowKeepsTheAmbientLight)
{
    for (const char* name : {"directionalLight", "normalMap"}) {
        SCOPED_TRACE(name);
        const auto shader = program(name);
        const bool bumped = std::string(name) == "normalMap";
        // 0.2, and on a stone's upright face 0.4 more of it from the ring below
        const double ambient = bumped ? 0.28 : 0.2;
        const Rgba lit = drawLit(*shader, bumped, 1.0f, inside, halfLit);
        const Rgba shadowed = drawLit(*shader, bumped, 0.0f, inside, halfLit);
        // ambient + 0.8 x 0.5 diffuse
        EXPECT_NEAR(lit.r, (ambient + 0.4) * 255, 4);
        EXPECT_NEAR(lit.a, 255, 2);
        EXPECT_LT(shadowed.r, lit.r * 0.6);
        EXPECT_GE(shadowed.r, ambient * 255 - 2);

        // Outside the light's box nothing is shadowed.
        const glm::mat4 outside = glm::translate(glm::mat4(1.0f), glm::vec3(5.0f, 0.0f, 0.0f));
        const Rgba away = drawLit(*shader, bumped, 0.0f, outside, halfLit);
        EXPECT_NEAR(away.r, lit.r, 2);

        // Light from behind: ambient only.
        const Rgba behind = drawLit(*shader, bumped, 1.0f, inside, -halfLit);
        EXPECT_NEAR(behind.r, ambient * 255, 3);
    }
}

TEST_F(Lighting, NormalMapTiltsTheSurface)
{
    const auto shader = program("normalMap");
    // The map stores (0, 0.6, 0.8) with green flipped: green byte 51. Lit from
    // (0, -0.6, 0.8) the tilted surface turns away from the sun.
    const glm::vec3 toSun(0.0f, -0.6f, 0.8f);
    const Rgba flat = drawLit(*shader, true, 1.0f, inside, toSun, 0, 51);
    const Rgba mapped = drawLit(*shader, true, 1.0f, inside, toSun, 1, 51);
    // Ambient 0.2 with the ring's light from below: 0.4 more of it on the upright
    // quad, 0.16 more once the map tilts it 0.6 upwards.
    EXPECT_NEAR(flat.r, (0.28 + 0.8 * 0.8) * 255, 3);
    EXPECT_NEAR(mapped.r, (0.232 + 0.8 * 0.28) * 255, 4);
    // A flat map ((0, 0, 1)) changes nothing.
    const Rgba neutral = drawLit(*shader, true, 1.0f, inside, toSun, 1, 128);
    EXPECT_NEAR(neutral.r, flat.r, 3);
}

TEST_F(Lighting, SunProgramGlowsAndKeepsBlackBlack)
{
    const auto sun = program("uv");
    for (unsigned char grey : {0, 100}) {
        RenderTarget target(16, 16);
        const GLuint colour = solidTexture(GL_TEXTURE0, grey, grey, grey);
        scene::ImportedMesh quad(quadFile(true), sun.get(), false);
        glUseProgram(sun->program);
        sun->setMat4("view_project", glm::mat4(1.0f));
        sun->setMat4("model", glm::mat4(1.0f));
        sun->setInt("color_texture", 0);
        sun->setFloat("transparency", 0.5f);
        quad.draw();
        const Rgba pixel = readPixel(8, 8);
        glDeleteTextures(1, &colour);
        EXPECT_NEAR(pixel.a, 128, 2);
        if (grey == 0)
            EXPECT_EQ(pixel.r, 0);
        else
            EXPECT_GT(pixel.r, 150); // brighter than the stored 100
    }
}

} // namespace

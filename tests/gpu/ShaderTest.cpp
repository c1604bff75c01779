#include "gpu/Shader.h"

#include "GlWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const char* const vertexSource = R"(#version 410 core
layout(location = 0) in vec3 position;
uniform mat4 model;
void main() { gl_Position = model * vec4(position, 1.0); }
)";
const char* const fragmentSource = R"(#version 410 core
uniform vec3 tint;
uniform float strength;
uniform int flag;
out vec4 color;
void main() { color = vec4(tint * strength, float(flag)); }
)";

class ShaderFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Death tests re-run the test in a new process, so the folder is named
        // after the test, not the process.
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / (std::string("vantor-shader-") + test->test_suite_name() + "-" + test->name());
        fs::create_directories(folder);
        write("good.vert", vertexSource);
        write("good.frag", fragmentSource);
        write("broken.vert", "#version 410 core\nvoid main() { this is not glsl }\n");
        // Compiles on its own, but a program needs a main function in every stage.
        write("nomain.frag", "#version 410 core\nout vec4 c;\nvoid notMain() { c = vec4(1); }\n");
    }
    void TearDown() override { fs::remove_all(folder); }

    void write(const std::string& name, const std::string& text) { std::ofstream(folder / name) << text; }
    std::string path(const std::string& name) const { return (folder / name).string(); }

    fs::path folder;
};

} // namespace

TEST_F(ShaderFiles, BuildsAProgramAndCountsItsActiveUniforms)
{
    GlWindow gl;
    Shader shader(path("good.vert"), path("good.frag"));
    EXPECT_NE(shader.program, 0u);
    EXPECT_TRUE(glIsProgram(shader.program));
    EXPECT_EQ(shader.activeUniformCount(), 4); // model, tint, strength, flag
}

TEST_F(ShaderFiles, SettersWriteTheBoundProgramAndIgnoreUnknownNames)
{
    GlWindow gl;
    Shader shader(path("good.vert"), path("good.frag"));
    glUseProgram(shader.program);
    shader.setVec3("tint", glm::vec3(0.25f, 0.5f, 1.0f));
    shader.setFloat("strength", 2.0f);
    shader.setInt("flag", 1);
    shader.setMat4("model", glm::mat4(3.0f));
    shader.setFloat("noSuchUniform", 7.0f);
    shader.setMat4("neitherThis", glm::mat4(1.0f));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    float tint[3] = {};
    glGetUniformfv(shader.program, glGetUniformLocation(shader.program, "tint"), tint);
    EXPECT_FLOAT_EQ(tint[1], 0.5f);
    float strength = 0.0f;
    glGetUniformfv(shader.program, glGetUniformLocation(shader.program, "strength"), &strength);
    EXPECT_FLOAT_EQ(strength, 2.0f);
    int flag = 0;
    glGetUniformiv(shader.program, glGetUniformLocation(shader.program, "flag"), &flag);
    EXPECT_EQ(flag, 1);
    float model[16] = {};
    glGetUniformfv(shader.program, glGetUniformLocation(shader.program, "model"), model);
    EXPECT_FLOAT_EQ(model[0], 3.0f);
    EXPECT_FLOAT_EQ(model[1], 0.0f);
}

TEST_F(ShaderFiles, DestructionDeletesProgramAndStages)
{
    GlWindow gl;
    GLuint program = 0, vertex = 0, fragment = 0;
    {
        Shader shader(path("good.vert"), path("good.frag"));
        program = shader.program;
        vertex = shader.vertexShader;
        fragment = shader.fragmentShader;
    }
    EXPECT_FALSE(glIsProgram(program));
    EXPECT_FALSE(glIsShader(vertex));
    EXPECT_FALSE(glIsShader(fragment));
}

using ShaderFailure = ShaderFiles;

TEST_F(ShaderFailure, MissingVertexFileIsFatal)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string missing = path("missing.vert");
    EXPECT_EXIT(
        {
            GlWindow gl;
            Shader shader(missing, path("good.frag"));
        },
        ::testing::ExitedWithCode(1), "^ERROR: Could not load shader from file " + missing + "\n$");
}

TEST_F(ShaderFailure, MissingFragmentFileIsReportedAfterTheVertexStage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // A broken vertex stage would be reported first; a good one lets the
    // missing fragment file through to its own message.
    const std::string missing = path("missing.frag");
    EXPECT_EXIT(
        {
            GlWindow gl;
            Shader shader(path("good.vert"), missing);
        },
        ::testing::ExitedWithCode(1), "^ERROR: Could not load shader from file " + missing + "\n$");
    EXPECT_EXIT(
        {
            GlWindow gl;
            Shader shader(path("broken.vert"), missing);
        },
        ::testing::ExitedWithCode(1), "error");
}

TEST_F(ShaderFailure, CompileErrorPrintsTheDriversLog)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            GlWindow gl;
            Shader shader(path("broken.vert"), path("good.frag"));
        },
        ::testing::ExitedWithCode(1), "error");
}

TEST_F(ShaderFailure, LinkErrorPrintsTheProgramLog)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            GlWindow gl;
            Shader shader(path("good.vert"), path("nomain.frag"));
        },
        ::testing::ExitedWithCode(1), "main");
}

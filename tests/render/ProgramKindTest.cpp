// The lit pass tells the single objects' programs apart by their number of
// active uniforms; an unknown kind is reported and the object still drawn.

#include "RenderFixture.h"

#include "gpu/Shader.h"
#include "scene/Moonmoon.h"
#include "scene/World.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

using namespace rendertest;

namespace {

std::string writeFile(const std::string& name, const std::string& text)
{
    const std::string path = std::string(VANTOR_BINARY_DIR) + "/" + name;
    std::ofstream(path) << text;
    return path;
}

size_t occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

} // namespace

TEST(ProgramKinds, AProgramWithThreeUniformsIsReportedOncePerChangeToIt)
{
    GameScene scene(64, 48);
    // "view_project", "model" and one more: a kind the pass does not know.
    const std::string vert = writeFile("render_test_three.vert",
                                       "#version 410 core\n"
                                       "layout(location = 0) in vec3 position;\n"
                                       "uniform mat4 view_project;\nuniform mat4 model;\n"
                                       "void main() { gl_Position = view_project * model * vec4(position, 1.0); }\n");
    const std::string frag = writeFile("render_test_three.frag",
                                       "#version 410 core\nout vec4 colour;\nuniform vec3 tint;\n"
                                       "void main() { colour = vec4(tint, 1.0); }\n");
    Shader three(vert, frag);
    ASSERT_EQ(three.activeUniformCount(), 3);
    appState().world->moonmoon->shader = &three;

    testing::internal::CaptureStderr();
    scene.frame();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(occurrences(errors, "This should not happen!\n"), 1u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    appState().world->moonmoon->shader = appState().world->directionalLightShader.get();
    testing::internal::CaptureStderr();
    scene.frame();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    std::remove(vert.c_str());
    std::remove(frag.c_str());
}

#include "app/GlContext.h"

#include "gpu/Image.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <vector>

void hintContext(bool visible)
{
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    if (!visible)
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
}

bool loadGlFunctions()
{
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
        return false;
    glGetError(); // GLEW's own lookup can leave an error behind
    return true;
}

// GLFW says why itself (no display, no OpenGL 4.1, ...).
const char* noWindowReason()
{
    return "";
}

// The picture at its own size and, for task bars and title bars that take
// the nearest size (Windows' 32 and 16 pixels), scaled copies.
void wearIcon(GLFWwindow* window, const std::string& file)
{
    const Image picture(file, 32);
    if (!picture.valid())
        return;
    const int sizes[][2] = {{picture.width(), picture.height()}, {48, 48}, {32, 32}, {16, 16}};
    std::vector<std::vector<unsigned char>> pixels;
    std::vector<GLFWimage> images;
    for (const auto& size : sizes) {
        pixels.push_back(picture.rgba(size[0], size[1])); // moved on growing, its bytes stay where they are
        if (!pixels.back().empty())
            images.push_back({size[0], size[1], pixels.back().data()});
    }
    glfwSetWindowIcon(window, static_cast<int>(images.size()), images.data());
}

#include "app/Window.h"

#include "gpu/Image.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <string>
#include <vector>

namespace {

// The description of the last error GLFW reported through its callback.
std::string lastGlfwError;

void keepGlfwError(int, const char* description)
{
    lastGlfwError = description != nullptr ? description : "";
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

} // namespace

OpenedWindow openWindow(const WindowRequest& request)
{
    OpenedWindow opened;
    lastGlfwError.clear();
    glfwSetErrorCallback(keepGlfwError);
    if (glfwInit() != GLFW_TRUE) {
        opened.glfwError = lastGlfwError;
        return opened;
    }

    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    if (!request.visible)
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWmonitor* monitor = request.fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    // GLFW refuses a zero size itself but asserts on a negative one, which
    // is refused here in GLFW's words instead.
    if (request.width >= 0 && request.height >= 0)
        opened.window = glfwCreateWindow(request.width, request.height, request.title, monitor, nullptr);
    else
        lastGlfwError = "Invalid window size " + std::to_string(request.width) + "x" + std::to_string(request.height);
    if (opened.window == nullptr) {
        opened.status = WindowStatus::NoWindow;
        opened.glfwError = lastGlfwError;
        return opened;
    }

    glfwMakeContextCurrent(opened.window);
    if (request.titleWhenCurrent != nullptr)
        glfwSetWindowTitle(opened.window, request.titleWhenCurrent);
    if (!request.icon.empty())
        wearIcon(opened.window, request.icon);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        opened.status = WindowStatus::NoGlew;
        return opened;
    }
    glGetError(); // GLEW's own lookup can leave an error behind
    opened.status = WindowStatus::Ready;
    return opened;
}

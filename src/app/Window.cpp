#include "app/Window.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <chrono>
#include <thread>

OpenedWindow openWindow(const WindowRequest& request)
{
    OpenedWindow opened;
    bool initialised = false;
    for (int attempt = 0; attempt < request.initAttempts && !initialised; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        initialised = glfwInit() == GLFW_TRUE;
    }
    if (!initialised)
        return opened;

    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    if (!request.visible)
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWmonitor* monitor = request.fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    // GLFW only accepts positive sizes (it asserts on negative ones), so a
    // window of no size is refused here the way GLFW refuses a zero size.
    if (request.width > 0 && request.height > 0)
        opened.window = glfwCreateWindow(request.width, request.height, request.title, monitor, nullptr);
    if (opened.window == nullptr) {
        opened.status = WindowStatus::NoWindow;
        return opened;
    }

    glfwMakeContextCurrent(opened.window);
    if (request.titleWhenCurrent != nullptr)
        glfwSetWindowTitle(opened.window, request.titleWhenCurrent);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        opened.status = WindowStatus::NoGlew;
        return opened;
    }
    glGetError(); // GLEW's own lookup can leave an error behind
    opened.status = WindowStatus::Ready;
    return opened;
}

#include "app/Window.h"

#include <GLFW/glfw3.h>

#include <string>

// In the browser the window is the page's canvas, and its OpenGL is WebGL 2
// (OpenGL ES 3.0), linked directly: there is no loader to start. The page
// asks for the size; full screen is the browser's own (F11), and the icon is
// the page's.
namespace {

std::string lastGlfwError;

void keepGlfwError(int, const char* description)
{
    lastGlfwError = description != nullptr ? description : "";
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
    glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_ES_API);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
    if (request.width > 0 && request.height > 0)
        opened.window = glfwCreateWindow(request.width, request.height, request.title, nullptr, nullptr);
    else
        lastGlfwError = "Invalid window size " + std::to_string(request.width) + "x" + std::to_string(request.height);
    if (opened.window == nullptr) {
        opened.status = WindowStatus::NoWindow;
        opened.glfwError = lastGlfwError.empty() ? "This browser offers no WebGL 2" : lastGlfwError;
        return opened;
    }
    glfwMakeContextCurrent(opened.window);
    if (request.titleWhenCurrent != nullptr)
        glfwSetWindowTitle(opened.window, request.titleWhenCurrent);
    opened.status = WindowStatus::Ready;
    return opened;
}

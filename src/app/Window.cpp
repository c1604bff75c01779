#include "app/Window.h"

#include "app/GlContext.h"

#include <GLFW/glfw3.h>

#include <string>

namespace {

// The description of the last error GLFW reported through its callback.
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

    hintContext(request.visible);
    GLFWmonitor* monitor = request.fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    // GLFW refuses a zero size itself but asserts on a negative one, which
    // is refused here in GLFW's words instead.
    if (request.width >= 0 && request.height >= 0)
        opened.window = glfwCreateWindow(request.width, request.height, request.title, monitor, nullptr);
    else
        lastGlfwError = "Invalid window size " + std::to_string(request.width) + "x" + std::to_string(request.height);
    if (opened.window == nullptr) {
        opened.status = WindowStatus::NoWindow;
        opened.glfwError = lastGlfwError.empty() ? noWindowReason() : lastGlfwError;
        return opened;
    }

    glfwMakeContextCurrent(opened.window);
    if (request.titleWhenCurrent != nullptr)
        glfwSetWindowTitle(opened.window, request.titleWhenCurrent);
    if (!request.icon.empty())
        wearIcon(opened.window, request.icon);
    if (!loadGlFunctions()) {
        opened.status = WindowStatus::NoGlew;
        return opened;
    }
    opened.status = WindowStatus::Ready;
    return opened;
}

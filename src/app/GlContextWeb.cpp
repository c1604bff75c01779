#include "app/GlContext.h"

#include <GLFW/glfw3.h>

// In the browser the window is the page's canvas and its context WebGL 2
// (OpenGL ES 3.0), whose functions are linked: nothing to load. The icon is
// the page's.
void hintContext(bool /*visible*/)
{
    glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_ES_API);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
}

bool loadGlFunctions()
{
    return true;
}

// The browser's GLFW makes the canvas's context and says nothing when that fails.
const char* noWindowReason()
{
    return "This browser offers no WebGL 2";
}

void wearIcon(GLFWwindow* /*window*/, const std::string& /*file*/) {}

// Kept apart from the test files: the X11 headers define macros (None, Bool)
// that clash with GoogleTest's.
#include "Screen.h"

#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3.h>
#include <GLFW/glfw3native.h>

std::string windowIdOf(GLFWwindow* window)
{
    return std::to_string(static_cast<unsigned long>(glfwGetX11Window(window)));
}

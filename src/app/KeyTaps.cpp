#include "app/Input.h"
#include "app/KeyTaps.h"

#include <GLFW/glfw3.h>

// GLFW's sticky keys: a released key reads as pressed once more if no poll
// saw it down.
void keepKeyTaps(GLFWwindow* window)
{
    glfwSetInputMode(window, GLFW_STICKY_KEYS, GLFW_TRUE);
}

bool heldOrTapped(GLFWwindow* window, int key)
{
    return glfwGetKey(window, key) != 0;
}

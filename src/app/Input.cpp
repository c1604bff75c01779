#include "app/Input.h"

#include <GLFW/glfw3.h>

InputSnapshot pollInput(GLFWwindow* window)
{
    InputSnapshot input;
    if (window == nullptr)
        return input;
    input.keyD = glfwGetKey(window, GLFW_KEY_D) != 0;
    input.keyA = glfwGetKey(window, GLFW_KEY_A) != 0;
    input.keySpace = glfwGetKey(window, GLFW_KEY_SPACE) != 0;
    input.keyEscape = glfwGetKey(window, GLFW_KEY_ESCAPE) != 0;
    return input;
}

void keepKeyTaps(GLFWwindow* window)
{
    glfwSetInputMode(window, GLFW_STICKY_KEYS, GLFW_TRUE);
}

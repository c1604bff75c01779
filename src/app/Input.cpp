#include "app/Input.h"

#include "app/KeyTaps.h"

#include <GLFW/glfw3.h>

InputSnapshot pollInput(GLFWwindow* window)
{
    InputSnapshot input;
    if (window == nullptr)
        return input;
    input.keyD = heldOrTapped(window, GLFW_KEY_D);
    input.keyA = heldOrTapped(window, GLFW_KEY_A);
    input.keySpace = heldOrTapped(window, GLFW_KEY_SPACE);
    input.keyEscape = heldOrTapped(window, GLFW_KEY_ESCAPE);
    return input;
}

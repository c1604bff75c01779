#include "app/Input.h"
#include "app/KeyTaps.h"

#include <GLFW/glfw3.h>

#include <set>

// The browser's GLFW has no sticky keys: the game remembers the presses
// itself. Its key callback (the toggles) goes on being called, from this
// one; a key pressed since the last question about it counts once.
namespace {

GLFWkeyfun gameKeyCallback = nullptr;
std::set<int> pressedSinceAsked;

void notePress(GLFWwindow* window, int key, int scancode, int action, int mods)
{
    if (action == GLFW_PRESS)
        pressedSinceAsked.insert(key);
    if (gameKeyCallback != nullptr)
        gameKeyCallback(window, key, scancode, action, mods);
}

} // namespace

void keepKeyTaps(GLFWwindow* window)
{
    gameKeyCallback = glfwSetKeyCallback(window, notePress);
}

bool heldOrTapped(GLFWwindow* window, int key)
{
    const bool pressed = pressedSinceAsked.erase(key) > 0;
    return glfwGetKey(window, key) != 0 || pressed;
}

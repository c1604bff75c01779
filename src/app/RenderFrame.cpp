// The renderer's entry for the game: the one place where drawing meets the
// application's state. Everything under render/ takes what it draws as
// arguments.
#include "render/Renderer.h"

#include "app/AppState.h"

#include <GLFW/glfw3.h>

void Renderer::renderFrame(GLFWwindow* window)
{
    const AppState& state = appState();
    glm::ivec2 framebufferSize(0);
    if (window != nullptr)
        glfwGetFramebufferSize(window, &framebufferSize.x, &framebufferSize.y);
    drawFrame(state.world.get(), state.activeCamera, Hud{points, gameOver}, framebufferSize);
}

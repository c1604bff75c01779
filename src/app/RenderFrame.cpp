// The renderer's entry for the game: the one place where drawing meets the
// application's state. Everything under render/ takes what it draws as
// arguments.
#include "render/Renderer.h"

#include "app/AppState.h"

#include <GLFW/glfw3.h>

#include <utility>

void Renderer::renderFrame(GLFWwindow* window)
{
    const AppState& state = appState();
    glm::ivec2 framebufferSize(0);
    if (window != nullptr)
        glfwGetFramebufferSize(window, &framebufferSize.x, &framebufferSize.y);
    if (!state.gameOver) {
        drawFrame(state.world.get(), state.activeCamera, Hud{points, gameOver}, framebufferSize);
        return;
    }
    // After game over: the view of the last frame played, whatever the keys
    // have flipped since; their flags are back as they left them afterwards.
    FrozenView view = state.frozenView;
    auto exchangeLooks = [&] {
        std::swap(wireframe, view.wireframe);
        std::swap(blending, view.blending);
        std::swap(normalMapping, view.normalMapping);
    };
    exchangeLooks();
    drawFrame(state.world.get(), view.camera, Hud{points, gameOver}, framebufferSize);
    exchangeLooks();
}

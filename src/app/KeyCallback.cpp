#include "app/KeyCallback.h"

#include "app/AppState.h"
#include "camera/GameCamera.h"
#include "camera/GodCamera.h"
#include "render/Renderer.h"

#include <GLFW/glfw3.h>

void keyCallback(GLFWwindow* /*window*/, int key, int /*scancode*/, int action, int /*mods*/)
{
    if (action == GLFW_RELEASE)
        handleKeyRelease(appState(), key);
}

void handleKeyRelease(AppState& state, int key)
{
    Renderer* renderer = state.renderer.get();
    switch (key) {
    case GLFW_KEY_P:
        state.paused = !state.paused;
        break;
    case GLFW_KEY_R:
        state.spinObstacles = !state.spinObstacles;
        break;
    case GLFW_KEY_F2:
        state.printFrameTime = !state.printFrameTime;
        break;
    case GLFW_KEY_F3:
        if (renderer)
            renderer->wireframe = !renderer->wireframe;
        break;
    case GLFW_KEY_F6:
        if (!state.godMode) {
            state.activeCamera = state.godCamera.get();
            state.godMode = true;
        } else {
            state.activeCamera = state.gameCamera.get();
            state.godMode = false;
        }
        break;
    case GLFW_KEY_F7:
        if (renderer)
            renderer->normalMapping = !renderer->normalMapping;
        break;
    case GLFW_KEY_F9:
        if (renderer)
            renderer->blending = !renderer->blending;
        break;
    default:
        break;
    }
}

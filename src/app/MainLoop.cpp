#include "app/MainLoop.h"

#include "app/AppState.h"
#include "app/GameRules.h"
#include "app/Input.h"
#include "camera/Camera.h"
#include "camera/GameCamera.h"
#include "camera/GodCamera.h"
#include "render/Renderer.h"
#include "scene/Moon.h"
#include "scene/Moonmoon.h"
#include "scene/World.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cmath>
#include <iostream>

namespace {

void updateWorld(AppState& state, float deltaTime)
{
    World& world = *state.world;
    if (!state.paused) {
        world.moon->update(deltaTime);
        world.moonmoon->orbitAround(world.moon->position(), deltaTime);
    }
    if (state.spinObstacles)
        world.spinObstacles(deltaTime);
    if (state.godMode && state.godCamera)
        state.godCamera->update(state.window, deltaTime, glm::vec3(1.0f, 1.0f, 1.0f));
    if (state.gameCamera)
        state.gameCamera->update(state.window, deltaTime, world.moon->position());
}

// The picture of the frame that ends the game stays: its view is kept, and
// only a repaint asked for from now on draws it again.
void freezeView(AppState& state)
{
    state.frozenView = {state.activeCamera};
    if (const Renderer* renderer = state.renderer.get())
        state.frozenView = {state.activeCamera, renderer->wireframe, renderer->blending, renderer->normalMapping};
    state.repaintRequested = false;
}

// One step of at most maxStepTime seconds.
StepEvents step(AppState& state, const InputSnapshot& input)
{
    updateWorld(state, state.frameTime);
    refillObstacles(state);

    StepEvents events;
    events.obstacleHit = hitObstacle(state);
    events.goodieCollected = collectGoodie(state);

    if (events.goodieCollected) {
        state.score += rules::pointsPerGoodie;
        if (state.renderer)
            state.renderer->points = state.score;
        std::cout << "Goodie Collected - 10 Points!" << std::endl;
    }
    if (events.obstacleHit) {
        if (state.renderer)
            state.renderer->gameOver = true;
        state.gameOver = true;
        freezeView(state);
        std::cout << "Game Over - You reached " << state.score << " Points" << std::endl;
    }
    applySteering(state, input);
    return events;
}

} // namespace

void updateWorld()
{
    AppState& state = appState();
    updateWorld(state, state.frameTime);
}

StepEvents stepGame(AppState& state, const InputSnapshot& input)
{
    const float frameTime = state.frameTime;
    if (!(frameTime > maxStepTime))
        return step(state, input);

    // A stalled frame: advance in equal sub-steps, stopping at game over.
    const int count = static_cast<int>(std::ceil(frameTime / maxStepTime));
    StepEvents total;
    state.frameTime = frameTime / static_cast<float>(count);
    for (int i = 0; i < count && !state.gameOver; ++i) {
        const StepEvents events = step(state, input);
        total.goodieCollected = total.goodieCollected || events.goodieCollected;
        total.obstacleHit = total.obstacleHit || events.obstacleHit;
    }
    state.frameTime = frameTime;
    return total;
}

StepEvents playFrame(AppState& state, const InputSnapshot& input)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glfwGetFramebufferSize(state.window, &state.windowWidth, &state.windowHeight);
    glViewport(0, 0, state.windowWidth, state.windowHeight);
    const StepEvents events = stepGame(state, input);
    if (state.renderer)
        state.renderer->renderFrame(state.window);
    glfwSwapBuffers(state.window);
    return events;
}

void repaintFrozenFrame(AppState& state)
{
    glfwGetFramebufferSize(state.window, &state.windowWidth, &state.windowHeight);
    glViewport(0, 0, state.windowWidth, state.windowHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // The camera stays where it was; only its aspect follows the new size.
    if (Camera* camera = state.frozenView.camera)
        camera->updateProjection(state.windowWidth, state.windowHeight);
    if (state.renderer)
        state.renderer->renderFrame(state.window);
    glfwSwapBuffers(state.window);
}

void installRepaintCallbacks(GLFWwindow* window)
{
    glfwSetWindowRefreshCallback(window, [](GLFWwindow*) { appState().repaintRequested = true; });
    glfwSetFramebufferSizeCallback(window, [](GLFWwindow*, int, int) { appState().repaintRequested = true; });
}

void runFrame(AppState& state)
{
    const double now = glfwGetTime();
    state.frameTime = static_cast<float>(now - state.previousTime);
    state.previousTime = now;
    if (state.printFrameTime) {
        std::cout << "frametime: " << state.frameTime * 1000.0f << "ms" << " -- "
                  << 1.0 / static_cast<double>(state.frameTime) << " fps" << std::endl;
    }

    // Nothing processes events before glfwPollEvents below, so one snapshot
    // serves the whole frame.
    const InputSnapshot input = pollInput(state.window);
    if (!state.gameOver) {
        playFrame(state, input);
    } else if (state.repaintRequested) {
        state.repaintRequested = false;
        repaintFrozenFrame(state);
    }

    if (input.keyEscape)
        glfwSetWindowShouldClose(state.window, 1);
    if (state.gameOver) {
        // Nothing is drawn any more: wait for events (at most a display
        // frame) instead of spinning a core at full speed.
        glfwWaitEventsTimeout(1.0 / 60.0);
    } else {
        glfwPollEvents();
    }
    if (glGetError() != GL_NO_ERROR)
        std::cerr << "ERROR: OpenGL Error" << std::endl;
}

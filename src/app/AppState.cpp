#include "app/AppState.h"

#include "camera/GameCamera.h"
#include "camera/GodCamera.h"
#include "render/Renderer.h"
#include "scene/World.h"

AppState::AppState() = default;
AppState::~AppState() = default;

void AppState::reset()
{
    renderer.reset();
    world.reset();
    activeCamera = nullptr;
    gameCamera.reset();
    godCamera.reset();
    window = nullptr;
    windowWidth = windowHeight = 0;
    frameTime = 0.0f;
    previousTime = 0.0;
    score = 0;
    gameOver = paused = spinObstacles = printFrameTime = godMode = false;
    repaintRequested = false;
    frozenView = {};
    refillArmed1 = false;
    refillArmed2 = true;
}

AppState& appState()
{
    static AppState state;
    return state;
}

#include "app/WorldSetup.h"

#include "app/AppState.h"
#include "camera/GameCamera.h"
#include "camera/GodCamera.h"
#include "render/Renderer.h"
#include "scene/World.h"

void setUpWorld()
{
    AppState& state = appState();
    state.world = std::make_unique<World>();
    state.world->loadResources();
    state.world->buildScene();

    state.godCamera = std::make_unique<GodCamera>();
    state.gameCamera = std::make_unique<GameCamera>();
    state.activeCamera = state.gameCamera.get();

    state.renderer = std::make_unique<Renderer>();
}

void tearDownWorld()
{
    AppState& state = appState();
    state.world.reset();
    state.renderer.reset();
}

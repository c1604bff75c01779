#include "app/HeadlessGame.h"

#include "app/AppState.h"
#include "app/Startup.h"
#include "app/Window.h"
#include "app/WorldSetup.h"
#include "camera/GameCamera.h"
#include "camera/GodCamera.h"
#include "scene/GameRandom.h"
#include "scene/World.h"

#include <GLFW/glfw3.h>

#include <stdexcept>

HeadlessGame::HeadlessGame(Graphics graphics, int width, int height) : graphics(graphics)
{
    AppState& s = appState();
    s.reset();
    scene::gameRandom().reset(); // every game places the same stones
    s.windowWidth = width;
    s.windowHeight = height;

    if (graphics == Graphics::None) {
        s.world = std::make_unique<World>();
        s.world->buildScene();
        s.godCamera = std::make_unique<GodCamera>();
        s.gameCamera = std::make_unique<GameCamera>();
        s.activeCamera = s.gameCamera.get();
        return;
    }

    WindowRequest request;
    request.width = width;
    request.height = height;
    request.visible = false;
    const OpenedWindow opened = openWindow(request);
    s.window = opened.window;
    if (opened.status == WindowStatus::NoGlfw)
        throw std::runtime_error("glfwInit failed: " + opened.glfwError);
    if (opened.status != WindowStatus::Ready) {
        glfwTerminate();
        s.window = nullptr;
        throw std::runtime_error("could not open a hidden OpenGL 4.1 core window: " + opened.glfwError);
    }
    setUpWorld();
    setInitialGlState(width, height);
}

HeadlessGame::~HeadlessGame()
{
    AppState& s = appState();
    if (graphics == Graphics::HiddenWindow) {
        tearDownWorld();
        glfwDestroyWindow(s.window);
        glfwTerminate();
    }
    s.reset();
}

StepEvents HeadlessGame::advance(float frameTime, const InputSnapshot& input, bool render)
{
    AppState& s = appState();
    if (s.gameOver)
        return {};
    s.frameTime = frameTime;
    if (render && hasGraphics())
        return playFrame(s, input);
    return stepGame(s, input);
}

AppState& HeadlessGame::state()
{
    return appState();
}
